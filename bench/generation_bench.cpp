// Throughput of the generation run: 100 rows of 1,000 characters cycling
// through every glyph in the table, at the default parameters, drawn to
// memory and to a file, as a drawing and as a machine program (G-code, its
// paths ordered for short travel).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "dispatch.hpp"
#include "dxf.hpp"
#include "gcode.hpp"
#include "generation.hpp"

namespace {

using namespace tracemill;

std::string sample_text(int rows, int columns) {
    std::string glyphs;
    for (int b = 0; b < 256; ++b)
        if (glyph_table()[static_cast<std::size_t>(b)] != nullptr) glyphs += static_cast<char>(b);
    std::string text;
    std::size_t k = 0;
    for (int r = 0; r < rows; ++r) {
        if (r > 0) text += "\r\n";
        for (int c = 0; c < columns; ++c) text += glyphs[k++ % glyphs.size()];
    }
    return text;
}

const std::string& text() {
    static const std::string t = sample_text(100, 1000);
    return t;
}

// Counts the bytes a DXF writer produces, keeping nothing.
class CountingSink final : public ByteSink {
public:
    void write(std::string_view bytes) override { size += bytes.size(); }
    std::size_t size = 0;
};

void set_counters(benchmark::State& state, std::size_t bytes) {
    const double glyphs = 100.0 * 1000.0;
    state.counters["glyphs/s"] = benchmark::Counter(glyphs, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["MB/s"] = benchmark::Counter(static_cast<double>(bytes) / 1e6,
                                                benchmark::Counter::kIsIterationInvariantRate);
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

void BM_DrawToMemory(benchmark::State& state) {
    const TextParameters p;
    const auto layout = measure_text(p, text()).value();
    std::size_t bytes = 0;
    for (auto _ : state) {
        CountingSink sink;
        DxfWriter dxf(sink);
        dxf.begin();
        const std::string stop = draw_text(p, text(), layout, dxf);
        dxf.end();
        if (!stop.empty()) state.SkipWithError(stop.c_str());
        bytes = sink.size;
    }
    set_counters(state, bytes);
}
BENCHMARK(BM_DrawToMemory)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CreateFile(benchmark::State& state) {
    const TextParameters p;
    const auto path = (std::filesystem::temp_directory_path() /
                       ("tracemill-bench-" + std::to_string(getpid()) + ".dxf"))
                          .string();
    for (auto _ : state) {
        const auto r = create_drawing(p, text(), path, [](const std::string&) { return true; });
        if (r.status != CreateResult::Status::Written) state.SkipWithError(r.message.c_str());
    }
    set_counters(state, std::filesystem::file_size(path));
    std::remove(path.c_str());
}
BENCHMARK(BM_CreateFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// The drawing with closed polylines: the same joined contours the machine
// program is written from.
void BM_CreatePolylineFile(benchmark::State& state) {
    const TextParameters p;
    const auto path = (std::filesystem::temp_directory_path() /
                       ("tracemill-bench-" + std::to_string(getpid()) + "-polylines.dxf"))
                          .string();
    OutputOptions options;
    options.polylines = true;
    for (auto _ : state) {
        const auto r = create_drawing(p, text(), path, [](const std::string&) { return true; }, {}, options);
        if (r.status != CreateResult::Status::Written) state.SkipWithError(r.message.c_str());
    }
    set_counters(state, std::filesystem::file_size(path));
    std::remove(path.c_str());
}
BENCHMARK(BM_CreatePolylineFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// The machine program of the same text: every glyph's pen paths joined,
// ordered (nearest neighbour, then improved) and written.
void BM_GcodeToMemory(benchmark::State& state) {
    const TextParameters p;
    const auto layout = measure_text(p, text()).value();
    std::size_t bytes = 0;
    for (auto _ : state) {
        CountingSink sink;
        GcodeWriter gcode(sink, GcodeOptions{}, GcodeSource{text(), 2.1, 5, 0.3, 0.4, 0.4});
        const ContourRun run = draw_program_contours(p, text(), layout, gcode, glyph_table(),
                                                     ContourParts::Skeleton);
        const GcodeSummary summary = gcode.end();
        if (!run.stop.empty()) state.SkipWithError(run.stop.c_str());
        bytes = sink.size;
        state.counters["travel saved %"] = 100 * (1 - summary.travel / summary.text_travel);
    }
    set_counters(state, bytes);
}
BENCHMARK(BM_GcodeToMemory)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CreateGcodeFile(benchmark::State& state) {
    const TextParameters p;
    const auto path = (std::filesystem::temp_directory_path() /
                       ("tracemill-bench-" + std::to_string(getpid()) + ".nc"))
                          .string();
    OutputOptions options;
    options.gcode = GcodeOutput{path, GcodeOptions{}};
    for (auto _ : state) {
        std::remove(path.c_str());
        const auto r = create_drawing(p, text(), {}, nullptr, {}, options);
        if (r.status != CreateResult::Status::Written) state.SkipWithError(r.message.c_str());
    }
    set_counters(state, std::filesystem::file_size(path));
    std::remove(path.c_str());
}
BENCHMARK(BM_CreateGcodeFile)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
