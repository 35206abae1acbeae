// Every message the program shows, in Japanese and in English, and the
// choice between the two. The Japanese texts are the program's original
// ones; the English ones say the same for readers of English.
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tracemill {

enum class Language { Japanese, English };

// The catalogue: one line per message, its id, its Japanese text and its
// English text. "{0}", "{1}", ... stand for the arguments. Messages that stop
// a run end with a line break and an ideographic space in Japanese (the text
// after them starts on an indented line), with a line break in English.
// Glyph names are arguments: the Japanese messages name a glyph as its own
// code does ("ゼロ", "＆"), the English ones by the plain character ('0', '&').
#define TRACEMILL_MESSAGES(M)                                                                      \
    /* Validation of the drawing's values. */                                                     \
    M(NotCreated, "\n　ファイルは作成していません。", "\nNo file was written.")                     \
    M(NoFile, "ファイル が選択されていません。", "No output file is chosen.")                        \
    M(NoText, "文字 が記入されていません。", "There is no text to draw.")                              \
    M(ZeroOrLess, "{0} が ゼロ以下です。", "{0} must be greater than zero.")                          \
    M(Negative, "{0} が ゼロ未満です。", "{0} must not be negative.")                                 \
    M(NotAboveLineWidth, "{0} が 線幅 以下です。", "{0} must be greater than the line width.")        \
    M(TooLarge, "{0} が 大き過ぎます。", "{0} is too large.")                                        \
    M(TooSmall, "{0} が 小さ過ぎます。", "{0} is too small.")                                        \
    M(CharWidth, "文字幅", "Character width")                                                        \
    M(CharHeight, "文字高", "Character height")                                                      \
    M(LineWidth, "線幅", "Line width")                                                                \
    M(CharSpacing, "文字間隔", "Character spacing")                                                  \
    M(LineSpacing, "行間隔", "Line spacing")                                                          \
    /* The frame calculation. */                                                                   \
    M(FrameNotCalculated, "\n　枠計算 は出来ません。", "\nThe frame cannot be calculated.")          \
    M(FrameWidth, "枠幅", "Frame width")                                                             \
    M(FrameHeight, "枠高", "Frame height")                                                           \
    M(FrameCharsPerRow, "枠行文字数", "Characters per row")                                          \
    M(FrameRows, "枠行数", "Rows")                                                                   \
    M(FrameLineWidth, "枠線幅", "Line width %")                                             \
    M(FrameOutOfRange, "枠計算 の結果 が 扱える数値になりません。",                                   \
      "The frame calculation gives values that cannot be drawn.")                                   \
    /* Stops of the run; {0} names the glyph, {1} is a limit. */                                   \
    M(Unsupported, "対応してない文字が含まれています。\n　", "The text holds a character that cannot be drawn.\n") \
    M(NotComputable, "文字の {0} の 座標 が計算できません。\n　", "The coordinates of {0} cannot be computed.\n") \
    M(StrokeTooWide, "文字の {0} の 線幅 は {1} 未満です。\n　", "The line width must be less than {1} for {0}.\n") \
    M(StrokeExceeds, "文字の {0} の 線幅 は {1} 超過です。\n　", "The line width must be less than {1} for {0}.\n") \
    M(NoRadius, "文字の {0} で半径が計算できません。\n　", "The radius of {0} cannot be computed.\n")  \
    M(SmallOuterLargeInner, "文字の {0} で小径外と大径内の交点が有りません。\n　", "In {0} the outer edge of the small circle does not meet the inner edge of the large one.\n") \
    M(QLargeInnerSmallOuterTangent, "文字の {0} で大径内と小径外接直線の交点が有りません。\n　", "In {0} the inner edge of the large circle does not meet the outer tangent of the small one.\n") \
    M(QLargeOuterSmallOuterTangent, "文字の {0} で大径外と小径外接直線の交点が有りません。\n　", "In {0} the outer edge of the large circle does not meet the outer tangent of the small one.\n") \
    M(QLargeInnerSmallInnerTangent, "文字の {0} で大径内と小径内接直線の交点が有りません。\n　", "In {0} the inner edge of the large circle does not meet the inner tangent of the small one.\n") \
    M(QLargeOuterSmallInnerTangent, "文字の {0} で大径外と小径内接直線の交点が有りません。\n　", "In {0} the outer edge of the large circle does not meet the inner tangent of the small one.\n") \
    M(QLargeSmallTangent, "文字の {0} で大径と小径接直線の交点が有りません。\n　", "In {0} the large circle does not meet the tangent of the small one.\n") \
    M(ROuterCircleSlant, "文字の {0} で外円と傾斜右の直線との交点が有りません。\n　", "In {0} the outer circle does not meet the right slanted line.\n") \
    M(AmpLargeInnerLeftTangent, "文字の {0} で大径内と点小接直線左の交点が有りません。\n　", "In {0} the inner edge of the large circle does not meet the left tangent of the dot and the small circle.\n") \
    M(AmpLargeOuterLeftTangent, "文字の {0} で大径外と点小接直線左の交点が有りません。\n　", "In {0} the outer edge of the large circle does not meet the left tangent of the dot and the small circle.\n") \
    M(AmpLargeOuterRightTangent, "文字の {0} で大径外と点小接直線右の交点が有りません。\n　", "In {0} the outer edge of the large circle does not meet the right tangent of the dot and the small circle.\n") \
    M(AmpLargeInnerRightTangent, "文字の {0} で大径内と点小接直線右の交点が有りません。\n　", "In {0} the inner edge of the large circle does not meet the right tangent of the dot and the small circle.\n") \
    M(AmpLeftMiddleLeftDot, "文字の {0} で小中接直線左と点小接直線左の交点が有りません。\n　", "In {0} the left tangent of the small and middle circles does not meet the left tangent of the dot and the small circle.\n") \
    M(AmpLeftMiddleRightDot, "文字の {0} で小中接直線左と点小接直線右の交点が有りません。\n　", "In {0} the left tangent of the small and middle circles does not meet the right tangent of the dot and the small circle.\n") \
    M(AmpRightMiddleLeftDot, "文字の {0} で小中接直線右と点小接直線左の交点が有りません。\n　", "In {0} the right tangent of the small and middle circles does not meet the left tangent of the dot and the small circle.\n") \
    M(AmpRightMiddleRightDot, "文字の {0} で小中接直線右と点小接直線右の交点が有りません。\n　", "In {0} the right tangent of the small and middle circles does not meet the right tangent of the dot and the small circle.\n") \
    M(AtSmallOuterTangent, "文字の {0} で小径外と接径外の交点が有りません。\n　", "In {0} the outer edge of the small circle does not meet the outer edge of the joining circle.\n") \
    M(AtSmallRightOuterTangent, "文字の {0} で小径右外と接径外の交点が有りません。\n　", "In {0} the outer edge of the small circle's right side does not meet the outer edge of the joining circle.\n") \
    M(AtLargeRightInnerTangent, "文字の {0} で大径右内と接径外の交点が有りません。\n　", "In {0} the inner edge of the large circle's right side does not meet the outer edge of the joining circle.\n") \
    M(AtLargeInnerTangent, "文字の {0} で大径内と接径外の交点が有りません。\n　", "In {0} the inner edge of the large circle does not meet the outer edge of the joining circle.\n") \
    /* The end of a run and its files. */                                                          \
    M(Created, "DXFファイルを作成しました。", "DXF file written.")                                    \
    M(ExistsQuestion, "{0} は既に存在します。\n　上書きしますか？", "{0} already exists.\nReplace it?") \
    M(PictureNotWritten, "{0} は作成しました。\n　{1}\n　SVG ファイルは作成していません。",            \
      "{0} was written.\n{1}\nThe SVG file was not written.")                                        \
    M(ContourNotClosed, "文字の {0}（{1} 行目 {2} 文字目）の 輪郭 が 点 ({3}, {4}) で閉じていません。", \
      "The outline of {0} (row {1}, column {2}) is not closed at the point ({3}, {4}).")             \
    M(StoppedAt, "止まった文字：{0}（{1} 行目 {2} 文字目）", "Stopped at {0}: row {1}, column {2}.")    \
    M(Withheld, "ファイルは作成していません。（--strict）", "No file was written (--strict).")          \
    /* The command's own messages. */                                                              \
    M(EmptyValue, "{0}: 値が空です。", "{0}: the value is empty.")                                    \
    M(EmptyFileName, "{0}: ファイル名が空です。", "{0}: the file name is empty.")                      \
    M(SameFile, "{0}: \"{1}\" は {2} と同じファイルです。", "{0}: \"{1}\" is the same file as {2}.")  \
    M(NotANumber, "{0}: \"{1}\" は数値ではありません。", "{0}: \"{1}\" is not a number.")               \
    M(NotACount, "{0}: \"{1}\" は 0 から 2147483647 までの整数ではありません。",                         \
      "{0}: \"{1}\" is not a whole number from 0 to 2147483647.")                                    \
    M(OutputRequired, "--output is required (or --svg, or --gcode)\nRun with --help for more information.", \
      "--output is required (or --svg, or --gcode)\nRun with --help for more information.")      \
    M(TextTwice, "--text-file: TEXT と同時には指定できません。", "--text-file: cannot be given together with TEXT.") \
    M(TextFileIsFolder, "{0}: フォルダです。文字のファイルを指定してください。",                       \
      "{0}: this is a folder; name the file that holds the text.")                                   \
    M(CannotRead, "{0}: 読み込めません。", "{0}: cannot be read.")                                   \
    M(ExistsUseForce, "{0} は既に存在します。\n　ファイルは作成していません。（上書きするには --force を指定します）", \
      "{0} already exists.\nNo file was written. (--force replaces it.)")                            \
    M(StandardOutput, "標準出力", "standard output")                                                  \
    M(PrintFrameToOutput, "--print-frame: -o - と同時には指定できません。",                            \
      "--print-frame: cannot be given together with -o -.")                                          \
    M(Progress, "{0} / {1} 文字、{2} MB", "{0} of {1} characters, {2} MB")                          \
    /* The machine program (G-code). */                                                            \
    M(FilesCreated, "ファイルを作成しました。", "Files written.")                                     \
    M(FileNotWritten, "{0} は作成しました。\n　{1}\n　{2} ファイルは作成していません。",             \
      "{0} was written.\n{1}\nThe {2} file was not written.")                                        \
    M(GcodeFeed, "G-code の 送り速度", "The G-code feed")                                             \
    M(GcodePlungeFeed, "G-code の 下降速度", "The G-code plunge feed")                                \
    M(GcodeDepth, "G-code の 切込み深さ", "The G-code depth")                                         \
    M(GcodeSafeHeight, "G-code の 安全高さ", "The G-code safe height")                                \
    M(GcodeSpindle, "G-code の 主軸回転数", "The G-code spindle speed")                               \
    M(GcodePower, "G-code の レーザー出力％", "The G-code laser power")                               \
    M(GcodePowerMax, "G-code の レーザー出力の最大値", "The G-code laser power maximum")               \
    M(GcodeDwell, "G-code の ペンの待ち時間", "The G-code pen dwell")                                  \
    M(GcodeAtMost, "{0} が 大き過ぎます（最大 {1}）。", "{0} is too large (at most {1}).")             \
    M(GcodePasses, "G-code の 加工回数 は 1 から 100 までです。", "The G-code passes must be 1 to 100.") \
    M(GcodePenDown, "ペン下げ", "pen-down")                                                            \
    M(GcodePenUp, "ペン上げ", "pen-up")                                                                \
    M(GcodePenCommand, "G-code の {0} の命令 は M、S、P の語だけの 40 文字以内の 1 行にしてください（M は 1 つまで）。", \
      "The G-code {0} command must be one line of at most 40 characters of M, S and P words (one M at most).") \
    M(GcodeBlockTooLarge, "文字の並び が G-code には大き過ぎます（座標は 1000000 まで）。",           \
      "The text block is too large for G-code (coordinates up to 1000000).")                         \
    M(GcodeNeedsFile, "--gcode-* の指定には --gcode FILE が必要です。", "--gcode-* options need --gcode FILE.") \
    M(GcodeOnlyFor, "{0} は --gcode-machine {1} のときだけ使えます。", "{0} is only for --gcode-machine {1}.") \
    M(NotAPassCount, "{0}: \"{1}\" は 1 から 100 までの整数ではありません。",                          \
      "{0}: \"{1}\" is not a whole number from 1 to 100.")                                            \
    M(GcodeReport, "G-code: {0} 本、切削 {1}、移動 {2}（文字の順では {3}）",                            \
      "G-code: {0} paths, cut {1}, travel {2} ({3} in the text's order)")

enum class Message : std::uint16_t {
#define TRACEMILL_MESSAGE_ID(id, ja, en) id,
    TRACEMILL_MESSAGES(TRACEMILL_MESSAGE_ID)
#undef TRACEMILL_MESSAGE_ID
};

inline constexpr std::string_view kJapaneseTexts[] = {
#define TRACEMILL_MESSAGE_JA(id, ja, en) ja,
    TRACEMILL_MESSAGES(TRACEMILL_MESSAGE_JA)
#undef TRACEMILL_MESSAGE_JA
};
inline constexpr std::string_view kEnglishTexts[] = {
#define TRACEMILL_MESSAGE_EN(id, ja, en) en,
    TRACEMILL_MESSAGES(TRACEMILL_MESSAGE_EN)
#undef TRACEMILL_MESSAGE_EN
};
inline constexpr std::size_t kMessageCount = std::size(kJapaneseTexts);

// The text of a message with its placeholders.
constexpr std::string_view message_text(Message id, Language lang) {
    const auto k = static_cast<std::size_t>(id);
    return lang == Language::Japanese ? kJapaneseTexts[k] : kEnglishTexts[k];
}

// An argument of a message: a name or text as it is, a length with one
// decimal (as every number in a glyph's message), a count in decimal.
class MessageArg {
public:
    MessageArg(std::string_view text) : text_(text) {}
    MessageArg(const char* text) : text_(text) {}
    MessageArg(const std::string& text) : text_(text) {}
    MessageArg(double length);
    template <std::integral I>
        requires(!std::same_as<I, char> && !std::same_as<I, bool>)
    MessageArg(I count) : text_(std::to_string(count)) {}
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

// The message in a language with its placeholders replaced; a placeholder
// without an argument stays as it is.
std::string format_message(Message id, Language lang, std::span<const MessageArg> args);
inline std::string format_message(Message id, Language lang,
                                  std::initializer_list<MessageArg> args = {}) {
    return format_message(id, lang, std::span<const MessageArg>(args.begin(), args.size()));
}

// How English messages name a glyph: the plain character in quotes; byte
// 0x5C, drawn as the yen sign, is '¥'.
std::string english_glyph_name(unsigned char byte);

// A typed character as the message naming the stopping character shows it:
// a drawable one as itself in quotes ('A'), any other with its code point as
// well (U+00EB 'ë'), a control character by its code point alone, a byte that
// is not UTF-8 by its value (0xE9). code_point < 0 marks such a byte.
std::string describe_character(std::int32_t code_point, std::string_view utf8, bool drawable);

// "ja" or "en" (as --lang and the dialog's setting take them).
std::optional<Language> parse_language(std::string_view name);

// The language the locale asks for, by the conventions of the platform's
// message catalogues: the locale is LC_ALL, else LC_MESSAGES, else LANG (an
// empty variable counts as unset). No locale, or the C locale (C, C.UTF-8,
// POSIX), is Japanese, and `plain` is then set: the messages are exactly the
// program's original ones. Otherwise LANGUAGE, a list of languages by
// preference, decides by its first Japanese or English entry; without one,
// the locale's own language: Japanese for ja*, English for every other.
struct LanguageChoice {
    Language language = Language::Japanese;
    bool plain = true;
};
LanguageChoice language_from_locale(std::string_view lc_all, std::string_view lc_messages,
                                    std::string_view lang, std::string_view language);
// The same, read from this process's environment.
LanguageChoice language_from_environment();

}  // namespace tracemill
