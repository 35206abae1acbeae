// The generation run: validation, layout, the stop rules and the file.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>

#include "generation.hpp"
#include "test_support.hpp"

namespace tracemill::testing {
namespace {

namespace fs = std::filesystem;

TextParameters params(double W, double H, double t, double cs = 0, double ls = 0) {
    return TextParameters{W, H, t, cs, ls};
}

struct Drawn {
    std::vector<Entity> entities;
    std::string stop;
};

Drawn draw(const TextParameters& p, std::string_view text) {
    EntityList list;
    const auto layout = measure_text(p, text);
    EXPECT_TRUE(layout.has_value());
    Drawn d;
    d.stop = draw_text(p, text, *layout, list);
    d.entities = std::move(list.entities);
    return d;
}

std::vector<Entity> frame_of(double x0, double y0) {
    return {Line{{x0, -y0}, {-x0, -y0}, Colour::CentreLine},
            Line{{-x0, -y0}, {-x0, y0}, Colour::CentreLine},
            Line{{-x0, y0}, {x0, y0}, Colour::CentreLine},
            Line{{x0, y0}, {x0, -y0}, Colour::CentreLine}};
}

std::vector<Entity> glyph_at(unsigned char byte, double x, double y, const TextParameters& p) {
    return draw_glyph(byte, x, y, p.char_width, p.char_height, p.line_width).entities;
}

std::vector<Entity> concat(std::vector<Entity> a, const std::vector<Entity>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::string read_file(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class TempDir {
public:
    TempDir() {
        path_ = fs::temp_directory_path() /
                ("tracemill-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
        fs::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(path_, ec);
    }
    fs::path operator/(const std::string& name) const { return path_ / name; }
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(path_), {}));
    }

private:
    static inline int counter_ = 0;
    fs::path path_;
};

const OverwriteQuestion kYes = [](const std::string&) { return true; };
const OverwriteQuestion kNo = [](const std::string&) { return false; };

// --- validation -----------------------------------------------------------

TEST(Validation, MessagesInTheirOrder) {
    const auto msg = [](TextParameters p, std::string path = "out.dxf", std::string text = "-") {
        return validate(p, path, text).value_or("");
    };
    const TextParameters ok = params(10, 20, 1);
    EXPECT_EQ(msg(ok), "");
    EXPECT_EQ(msg(params(-1, -1, -1, -1, -1), "", ""),
              "ファイル が選択されていません。\n　ファイルは作成していません。");
    EXPECT_EQ(msg(params(-1, -1, -1, -1, -1), "x", ""),
              "文字 が記入されていません。\n　ファイルは作成していません。");
    EXPECT_EQ(msg(params(0, -1, -1, -1, -1)), "文字幅 が ゼロ以下です。\n　ファイルは作成していません。");
    EXPECT_EQ(msg(params(1, 0, -1, -1, -1)), "文字高 が ゼロ以下です。\n　ファイルは作成していません。");
    EXPECT_EQ(msg(params(1, 1, 0, -1, -1)), "線幅 が ゼロ以下です。\n　ファイルは作成していません。");
    EXPECT_EQ(msg(params(1, 1, 1, -0.1, -1)), "文字間隔 が ゼロ未満です。\n　ファイルは作成していません。");
    EXPECT_EQ(msg(params(1, 1, 1, 0, -0.1)), "行間隔 が ゼロ未満です。\n　ファイルは作成していません。");
    EXPECT_EQ(msg(params(1, 1, 1, 0, 0)), "文字幅 が 線幅 以下です。\n　ファイルは作成していません。");
    EXPECT_EQ(msg(params(2, 1, 1, 0, 0)), "文字高 が 線幅 以下です。\n　ファイルは作成していません。");
}

TEST(Validation, NotANumberFailsTheSignTests) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(validate(params(nan, 20, 1), "o", "-").value(),
              "文字幅 が ゼロ以下です。\n　ファイルは作成していません。");
    EXPECT_EQ(validate(params(10, 20, 1, nan), "o", "-").value(),
              "文字間隔 が ゼロ未満です。\n　ファイルは作成していません。");
    EXPECT_EQ(validate(params(10, 20, 1, 0, nan), "o", "-").value(),
              "行間隔 が ゼロ未満です。\n　ファイルは作成していません。");
}

TEST(Validation, LengthsMustBeDrawable) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(validate(params(inf, 20, 1), "o", "-").value(),
              "文字幅 が 大き過ぎます。\n　ファイルは作成していません。");
    EXPECT_EQ(validate(params(10, 20, 1, 1e308), "o", "-").value(),
              "文字間隔 が 大き過ぎます。\n　ファイルは作成していません。");
    EXPECT_EQ(validate(params(10, 2e9, 1), "o", "-").value(),
              "文字高 が 大き過ぎます。\n　ファイルは作成していません。");
    EXPECT_EQ(validate(params(10, 20, 5e-7), "o", "-").value(),
              "線幅 が 小さ過ぎます。\n　ファイルは作成していません。");
    EXPECT_EQ(validate(params(10, 20, 1, 0, 1e-7), "o", "-").value(),
              "行間隔 が 小さ過ぎます。\n　ファイルは作成していません。");
    // The limits themselves are drawable; zero spacings are fine.
    EXPECT_FALSE(validate(params(1e9, 1e9, 1e-6, 1e9, 0), "o", "-").has_value());
}

// --- layout -----------------------------------------------------------------

TEST(Layout, SingleCharacterIsCentred) {
    const auto p = params(10, 20, 1);
    const auto d = draw(p, "-");
    EXPECT_EQ(d.stop, "");
    EXPECT_EQ(d.entities, concat(frame_of(-5, 10), glyph_at('-', -5, 10, p)));
}

TEST(Layout, TwoRowsWithSpacings) {
    const auto p = params(10, 20, 1, 2, 3);
    const auto l = measure_text(p, "--\r\n-").value();
    EXPECT_EQ(l.columns, 2);
    EXPECT_EQ(l.rows, 2);
    EXPECT_EQ(l.x0, -(2 + 2 * 10.0) / 2);
    EXPECT_EQ(l.y0, (3 + 2 * 20.0) / 2);
    const auto d = draw(p, "--\r\n-");
    auto expected = frame_of(l.x0, l.y0);
    expected = concat(expected, glyph_at('-', l.x0, l.y0, p));
    expected = concat(expected, glyph_at('-', l.x0 + 10 + 2, l.y0, p));
    expected = concat(expected, glyph_at('-', l.x0, l.y0 - (20 + 3.0), p));
    EXPECT_EQ(d.entities, expected);
}

TEST(Layout, TrailingLineBreakAndSpacesCount) {
    const auto p = params(2, 4, 0.5, 1, 1);
    auto l = measure_text(p, "-\r\n").value();
    EXPECT_EQ(l.rows, 2);
    EXPECT_EQ(l.y0, (1 + 2 * 4.0) / 2);
    // A row of spaces only widens the frame; it draws nothing.
    l = measure_text(p, "-\r\n    ").value();
    EXPECT_EQ(l.columns, 4);
    const auto d = draw(p, "-\r\n    ");
    EXPECT_EQ(d.entities.size(), 4u + 5u);
    // Spaces move the pen.
    const auto e = draw(p, " -");
    const auto lay = measure_text(p, " -").value();
    EXPECT_EQ(e.entities, concat(frame_of(lay.x0, lay.y0), glyph_at('-', lay.x0 + 2 + 1, lay.y0, p)));
}

TEST(Layout, LineBreaksOnlyHaveNoColumns) {
    EXPECT_FALSE(measure_text(params(2, 4, 0.5), "\r\n\r\n").has_value());
}

TEST(Layout, PenAdvancesByRepeatedAddition) {
    // W + spacing added cell by cell differs in the last bits from
    // x0 + j (W + spacing); the drawing follows the repeated addition.
    const auto p = params(0.7, 3, 0.1, 0.1, 0.3);
    const std::string text(40, '|');
    const auto layout = measure_text(p, text).value();
    const auto d = draw(p, text);
    double x = layout.x0;
    bool differs = false;
    for (int j = 0; j < 40; ++j) {
        const auto& bar = std::get<Line>(d.entities[4 + 5 * static_cast<std::size_t>(j) + 2]);
        EXPECT_EQ(bar.from.x, x + 0.7 / 2) << "column " << j;
        differs = differs || (x != layout.x0 + j * (0.7 + 0.1));
        x = x + 0.7 + 0.1;
    }
    EXPECT_TRUE(differs);
}

// --- stop rules -----------------------------------------------------------

TEST(StopRules, UnsupportedBytesStopAfterWhatCameBefore) {
    const auto p = params(2, 4, 0.5);
    for (const std::string text : {"-\t-", "-\n-", "-\x82\xa0-", "-\x7f-"}) {
        const auto d = draw(p, text);
        EXPECT_EQ(d.stop, "対応してない文字が含まれています。\n　");
        const auto l = measure_text(p, text).value();
        EXPECT_EQ(l.columns, static_cast<std::int64_t>(text.size()));  // counted in full
        EXPECT_EQ(d.entities, concat(frame_of(l.x0, l.y0), glyph_at('-', l.x0, l.y0, p)));
    }
    // Stopping at the very first byte still leaves the frame.
    EXPECT_EQ(draw(p, "\t").entities.size(), 4u);
}

TEST(StopRules, GlyphThatDoesNotFitStopsAfterItself) {
    // The full stop needs W / 1.7 > t; the hyphen needs nothing.
    const auto p = params(1, 4, 0.7);
    const auto d = draw(p, "-.-");
    EXPECT_EQ(d.stop, "文字の 点 の 線幅 は 0.6 未満です。\n　");
    const auto l = measure_text(p, "-.-").value();
    EXPECT_EQ(d.entities, concat(frame_of(l.x0, l.y0), glyph_at('-', l.x0, l.y0, p)));
}

TEST(StopRules, NonFiniteNumbersNeverReachTheDrawing) {
    GlyphTable table = glyph_table();
    table['-'] = [](const GlyphCell& c, GlyphOutput& out) {
        out.line(c.x, c.y, c.x + 1, c.y, Colour::CentreLine);
        out.arc({c.x, c.y}, std::sqrt(-c.W), 0, 90, Colour::Outline);
        out.line(c.x, c.y, c.x + 2, c.y, Colour::Outline);  // ignored after the failure
    };
    const auto p = params(2, 4, 0.5);
    const auto layout = measure_text(p, "|--").value();
    EntityList list;
    const auto stop = draw_text(p, "|--", layout, list, table);
    EXPECT_EQ(stop, "文字の - の 座標 が計算できません。\n　");
    ASSERT_EQ(list.entities.size(), 4u + 5u + 1u);
    EXPECT_EQ(std::get<Line>(list.entities.back()).to.x, layout.x0 + 2 + 0 + 1);
}

TEST(GlyphOutputFilter, DegenerateEntitiesAreDropped) {
    EntityList list;
    GlyphOutput out(list);
    out.line(1, 2, 1 + 1e-12, 2 - 1e-12, Colour::Outline);   // prints as one point
    out.line(1, 2, 1 + 1e-9, 2, Colour::Outline);             // one printed digit apart
    out.arc({0, 0}, 4e-10, 0, 90, Colour::Outline);           // radius prints 0.000000000
    out.arc({0, 0}, -0.5, 0, 90, Colour::Outline);            // negative radius
    out.arc({0, 0}, 1, 30, 30 + 1e-12, Colour::Outline);      // no sweep
    out.circle({0, 0}, 0, Colour::Outline);
    out.circle({0, 0}, 6e-10, Colour::Outline);               // prints 0.000000001
    EXPECT_EQ(out.dropped(), 5u);
    ASSERT_EQ(list.entities.size(), 2u);
    EXPECT_TRUE(std::holds_alternative<Line>(list.entities[0]));
    EXPECT_TRUE(std::holds_alternative<Circle>(list.entities[1]));
}

// --- the file ---------------------------------------------------------------

TEST(CreateDrawing, WritesTheWholeDocument) {
    TempDir dir;
    const auto path = (dir / "out.dxf").string();
    const auto p = params(10, 20, 1);
    const auto r = create_drawing(p, "-", path, kNo);
    EXPECT_EQ(r.status, CreateResult::Status::Written);
    EXPECT_EQ(r.message, "DXFファイルを作成しました。");
    std::string expected;
    expected += dxf_text::kLinetypeTable;
    expected += dxf_text::kLayerTable;
    expected += dxf_text::kEntitiesStart;
    for (const auto& e : concat(frame_of(-5, 10), glyph_at('-', -5, 10, p))) append_entity(expected, e);
    expected += dxf_text::kDocumentEnd;
    EXPECT_EQ(read_file(path), expected);
    EXPECT_EQ(dir.entries(), 1u);  // no temporary file left
}

TEST(CreateDrawing, StoppedRunStillWritesAndReports) {
    TempDir dir;
    const auto path = (dir / "out.dxf").string();
    const auto r = create_drawing(params(2, 4, 0.5), "--\t-", path, kNo);
    EXPECT_EQ(r.status, CreateResult::Status::Written);
    EXPECT_EQ(r.message, "対応してない文字が含まれています。\n　DXFファイルを作成しました。");
    const std::string file = read_file(path);
    EXPECT_TRUE(file.ends_with("  0\r\nENDSEC\r\n  0\r\nEOF\r\n"));
    std::size_t lines = 0;
    for (auto pos = file.find("\r\nLINE\r\n"); pos != std::string::npos; pos = file.find("\r\nLINE\r\n", pos + 1)) ++lines;
    EXPECT_EQ(lines, 4u + 3u * 2u);
}

TEST(CreateDrawing, ValidationTouchesNoFile) {
    TempDir dir;
    const auto path = (dir / "out.dxf").string();
    const auto r = create_drawing(params(1, 1, 1), "-", path, kYes);
    EXPECT_EQ(r.status, CreateResult::Status::Invalid);
    EXPECT_EQ(r.message, "文字幅 が 線幅 以下です。\n　ファイルは作成していません。");
    EXPECT_EQ(create_drawing(params(1, 2, 0.5), "\r\n", path, kYes).message,
              "文字 が記入されていません。\n　ファイルは作成していません。");
    EXPECT_EQ(dir.entries(), 0u);
}

TEST(CreateDrawing, ExistingFileIsAskedAboutAfterGeneration) {
    TempDir dir;
    const auto path = (dir / "out.dxf").string();
    std::ofstream(path) << "old drawing";
    std::string asked;
    auto r = create_drawing(params(2, 4, 0.5), "-", path, [&](const std::string& q) {
        asked = q;
        return false;
    });
    EXPECT_EQ(r.status, CreateResult::Status::Declined);
    EXPECT_EQ(r.message, "");
    EXPECT_EQ(asked, path + " は既に存在します。\n　上書きしますか？");
    EXPECT_EQ(read_file(path), "old drawing");
    EXPECT_EQ(dir.entries(), 1u);
    // Without any question to ask, nothing is replaced either.
    r = create_drawing(params(2, 4, 0.5), "-", path, nullptr);
    EXPECT_EQ(r.status, CreateResult::Status::Declined);
    EXPECT_EQ(read_file(path), "old drawing");

    r = create_drawing(params(2, 4, 0.5), "-", path, kYes);
    EXPECT_EQ(r.status, CreateResult::Status::Written);
    EXPECT_TRUE(read_file(path).starts_with("  0\r\nSECTION"));
    EXPECT_EQ(dir.entries(), 1u);
}

TEST(CreateDrawing, WriteFailureKeepsThePreviousFile) {
    TempDir dir;
    const auto path = (dir / "out.dxf").string();
    std::ofstream(path) << "old drawing";
    // Limit the size of files this process may write, so the drawing fails
    // half way (this works for every user, root included).
    struct rlimit old_limit {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old_limit), 0);
    struct rlimit small = old_limit;
    small.rlim_cur = 100000;
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto r = create_drawing(params(2, 4, 0.5), std::string(2000, '-'), path, kYes);
    setrlimit(RLIMIT_FSIZE, &old_limit);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_EQ(r.status, CreateResult::Status::FileError);
    EXPECT_TRUE(r.message.ends_with("\n　ファイルは作成していません。")) << r.message;
    EXPECT_NE(r.message.find("File too large"), std::string::npos) << r.message;
    EXPECT_EQ(read_file(path), "old drawing");
    EXPECT_EQ(dir.entries(), 1u);
}

TEST(CreateDrawing, UnwritableTargetsReportFileErrors) {
    TempDir dir;
    // A folder that does not exist.
    auto r = create_drawing(params(2, 4, 0.5), "-", (dir / "missing" / "out.dxf").string(), kYes);
    EXPECT_EQ(r.status, CreateResult::Status::FileError);
    EXPECT_NE(r.message.find("No such file or directory\n　ファイルは作成していません。"), std::string::npos);
    // A directory in the way: asked about, then refused by the system.
    fs::create_directories(dir / "taken" / "inside");
    r = create_drawing(params(2, 4, 0.5), "-", (dir / "taken").string(), kYes);
    EXPECT_EQ(r.status, CreateResult::Status::FileError);
    EXPECT_TRUE(fs::is_directory(dir / "taken" / "inside"));
    EXPECT_EQ(dir.entries(), 1u);
    // A name too long for the system: the description is cut to 255 bytes.
    r = create_drawing(params(2, 4, 0.5), "-", (dir / std::string(300, 'x')).string(), kYes);
    EXPECT_EQ(r.status, CreateResult::Status::FileError);
    EXPECT_LE(r.message.size(), 255u + std::string("\n　ファイルは作成していません。").size());
    // The longest name the system allows is still writable.
    r = create_drawing(params(2, 4, 0.5), "-", (dir / std::string(255, 'y')).string(), kYes);
    EXPECT_EQ(r.status, CreateResult::Status::Written) << r.message;
}

}  // namespace
}  // namespace tracemill::testing
