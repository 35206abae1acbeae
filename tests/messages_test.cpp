// The message catalogue: every message in both languages, the Japanese ones
// formatted exactly as the program has always said them, and the choice of
// the language from the locale.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "generation.hpp"
#include "messages.hpp"
#include "text_encoding.hpp"

namespace tracemill {
namespace {

std::set<std::string> placeholders(std::string_view text) {
    std::set<std::string> found;
    for (std::size_t i = 0; i + 2 < text.size(); ++i)
        if (text[i] == '{' && text[i + 2] == '}') found.insert(std::string(text.substr(i, 3)));
    return found;
}

TEST(Messages, EveryMessageHasBothTextsWithTheSameArguments) {
    for (std::size_t k = 0; k < kMessageCount; ++k) {
        const auto id = static_cast<Message>(k);
        const std::string_view ja = message_text(id, Language::Japanese);
        const std::string_view en = message_text(id, Language::English);
        SCOPED_TRACE(std::string(ja));
        EXPECT_FALSE(ja.empty());
        EXPECT_FALSE(en.empty());
        EXPECT_EQ(placeholders(ja), placeholders(en));
        // A stop message leaves the next text on a line of its own in both.
        EXPECT_EQ(ja.ends_with("\n　"), en.ends_with("\n") && !en.ends_with("\n\n"));
        EXPECT_EQ(en.find("　"), std::string_view::npos);  // no ideographic space in English
    }
}

TEST(Messages, TheJapaneseTextsAreTheOriginalOnes) {
    struct Row {
        Message id;
        std::vector<MessageArg> args;
        const char* expected;
    };
    const Row rows[] = {
        {Message::StrokeTooWide, {"ゼロ", 4.55}, "文字の ゼロ の 線幅 は 4.5 未満です。\n　"},
        {Message::StrokeTooWide, {"点", 0.588}, "文字の 点 の 線幅 は 0.6 未満です。\n　"},
        {Message::StrokeExceeds, {"B", 0.84}, "文字の B の 線幅 は 0.8 超過です。\n　"},
        {Message::NotComputable, {"A"}, "文字の A の 座標 が計算できません。\n　"},
        {Message::NoRadius, {"ｃ"}, "文字の ｃ で半径が計算できません。\n　"},
        {Message::SmallOuterLargeInner, {"アクサングラーブ"}, "文字の アクサングラーブ で小径外と大径内の交点が有りません。\n　"},
        {Message::QLargeInnerSmallOuterTangent, {"Q"}, "文字の Q で大径内と小径外接直線の交点が有りません。\n　"},
        {Message::QLargeOuterSmallOuterTangent, {"Q"}, "文字の Q で大径外と小径外接直線の交点が有りません。\n　"},
        {Message::QLargeInnerSmallInnerTangent, {"Q"}, "文字の Q で大径内と小径内接直線の交点が有りません。\n　"},
        {Message::QLargeOuterSmallInnerTangent, {"Q"}, "文字の Q で大径外と小径内接直線の交点が有りません。\n　"},
        {Message::QLargeSmallTangent, {"Q"}, "文字の Q で大径と小径接直線の交点が有りません。\n　"},
        {Message::ROuterCircleSlant, {"R"}, "文字の R で外円と傾斜右の直線との交点が有りません。\n　"},
        {Message::AmpLargeInnerLeftTangent, {"＆"}, "文字の ＆ で大径内と点小接直線左の交点が有りません。\n　"},
        {Message::AmpLargeOuterLeftTangent, {"＆"}, "文字の ＆ で大径外と点小接直線左の交点が有りません。\n　"},
        {Message::AmpLargeOuterRightTangent, {"＆"}, "文字の ＆ で大径外と点小接直線右の交点が有りません。\n　"},
        {Message::AmpLargeInnerRightTangent, {"＆"}, "文字の ＆ で大径内と点小接直線右の交点が有りません。\n　"},
        {Message::AmpLeftMiddleLeftDot, {"＆"}, "文字の ＆ で小中接直線左と点小接直線左の交点が有りません。\n　"},
        {Message::AmpLeftMiddleRightDot, {"＆"}, "文字の ＆ で小中接直線左と点小接直線右の交点が有りません。\n　"},
        {Message::AmpRightMiddleLeftDot, {"＆"}, "文字の ＆ で小中接直線右と点小接直線左の交点が有りません。\n　"},
        {Message::AmpRightMiddleRightDot, {"＆"}, "文字の ＆ で小中接直線右と点小接直線右の交点が有りません。\n　"},
        {Message::AtSmallOuterTangent, {"＠"}, "文字の ＠ で小径外と接径外の交点が有りません。\n　"},
        {Message::AtSmallRightOuterTangent, {"＠"}, "文字の ＠ で小径右外と接径外の交点が有りません。\n　"},
        {Message::AtLargeRightInnerTangent, {"＠"}, "文字の ＠ で大径右内と接径外の交点が有りません。\n　"},
        {Message::AtLargeInnerTangent, {"＠"}, "文字の ＠ で大径内と接径外の交点が有りません。\n　"},
        {Message::Unsupported, {}, "対応してない文字が含まれています。\n　"},
        {Message::Created, {}, "DXFファイルを作成しました。"},
        {Message::ExistsQuestion, {"/a/{1}.dxf"}, "/a/{1}.dxf は既に存在します。\n　上書きしますか？"},
        {Message::PictureNotWritten, {"a.dxf", "a.svg: No space left on device"},
         "a.dxf は作成しました。\n　a.svg: No space left on device\n　SVG ファイルは作成していません。"},
        {Message::ContourNotClosed, {"A", 1, 3, "0.500000000", "-2.000000000"},
         "文字の A（1 行目 3 文字目）の 輪郭 が 点 (0.500000000, -2.000000000) で閉じていません。"},
        {Message::EmptyValue, {"--svg"}, "--svg: 値が空です。"},
        {Message::EmptyFileName, {"--svg"}, "--svg: ファイル名が空です。"},
        {Message::SameFile, {"--svg", "a.dxf", "--output"}, "--svg: \"a.dxf\" は --output と同じファイルです。"},
        {Message::NotANumber, {"--char-width", "x"}, "--char-width: \"x\" は数値ではありません。"},
        {Message::NotACount, {"--frame-grid", "-1"}, "--frame-grid: \"-1\" は 0 から 2147483647 までの整数ではありません。"},
        {Message::TextTwice, {}, "--text-file: TEXT と同時には指定できません。"},
        {Message::TextFileIsFolder, {"d"}, "d: フォルダです。文字のファイルを指定してください。"},
        {Message::CannotRead, {"t.txt"}, "t.txt: 読み込めません。"},
        {Message::ExistsUseForce, {"a.dxf"},
         "a.dxf は既に存在します。\n　ファイルは作成していません。（上書きするには --force を指定します）"},
    };
    for (const Row& r : rows) {
        const std::string got = format_message(r.id, Language::Japanese, r.args);
        EXPECT_EQ(got, r.expected);
    }
    // The validation and frame messages as a whole.
    TextParameters p;
    EXPECT_EQ(validate(p, "", "-"), "ファイル が選択されていません。\n　ファイルは作成していません。");
    p.line_spacing = -1;
    EXPECT_EQ(validate(p, "a", "-"), "行間隔 が ゼロ未満です。\n　ファイルは作成していません。");
    p = TextParameters{};
    p.char_height = 0.3;
    EXPECT_EQ(validate(p, "a", "-"), "文字高 が 線幅 以下です。\n　ファイルは作成していません。");
    p.char_height = 2e9;
    EXPECT_EQ(validate(p, "a", "-"), "文字高 が 大き過ぎます。\n　ファイルは作成していません。");
    EXPECT_EQ(validate(p, "a", "-", true, Language::English),
              "Character height is too large.\nNo file was written.");
    EXPECT_EQ(messages::kExistsQuestion, " は既に存在します。\n　上書きしますか？");
}

TEST(Messages, TheLocaleChoosesTheLanguage) {
    struct Row {
        const char *lc_all, *lc_messages, *lang, *language;
        Language expected;
        bool plain;
    };
    constexpr auto ja = Language::Japanese, en = Language::English;
    const Row rows[] = {
        {"", "", "", "", ja, true},
        {"", "", "C.UTF-8", "en", ja, true},  // LANGUAGE means nothing under the C locale
        {"POSIX", "", "en_US.UTF-8", "", ja, true},
        {"", "", "ja_JP.eucJP", "", ja, false},
        {"", "", "fr_FR@euro", "", en, false},
        {"", "en_GB.UTF-8", "ja_JP.UTF-8", "", en, false},
        {"ja_JP.UTF-8", "en_GB.UTF-8", "", "", ja, false},
        {"", "", "en_US.UTF-8", "de:ja_JP:en", ja, false},  // the first language there is
        {"", "", "ja_JP.UTF-8", "de", ja, false},          // none there is: the locale's
    };
    for (const Row& r : rows) {
        const LanguageChoice c = language_from_locale(r.lc_all, r.lc_messages, r.lang, r.language);
        EXPECT_EQ(c.language, r.expected) << r.lc_all << "|" << r.lc_messages << "|" << r.lang << "|" << r.language;
        EXPECT_EQ(c.plain, r.plain) << r.lang;
    }
}

TEST(Messages, TheStoppingCharacterIsFoundAsTyped) {
    // Rows broken by LF, CR LF or CR; the yen sign is one column like ASCII.
    const std::string text = "ab\r\n¥c\rxy\u2019\n\xE9z";
    struct Row {
        int row, column;
        const char* shown;  // undrawable
    };
    const Row rows[] = {{1, 2, "U+0062 'b'"}, {2, 1, "U+00A5 '¥'"}, {3, 3, "U+2019 '\u2019'"},
                        {4, 1, "0xE9"}};
    for (const Row& r : rows) {
        const auto c = typed_character_at(text, r.row, r.column);
        ASSERT_TRUE(c.has_value()) << r.row << "," << r.column;
        EXPECT_EQ(describe_character(c->code_point, c->utf8, false), r.shown);
    }
    EXPECT_FALSE(typed_character_at(text, 1, 3).has_value());
    EXPECT_EQ(describe_character('\t', "\t", false), "U+0009");
    EXPECT_EQ(describe_character('A', "A", true), "'A'");
    EXPECT_EQ(english_glyph_name(0x5C), "'¥'");
}

}  // namespace
}  // namespace tracemill
