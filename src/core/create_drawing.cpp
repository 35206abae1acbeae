// The Create command's files: the drawing and its picture streamed into
// temporary files and put in place once complete. Not part of the browser
// build, which writes to memory.
#include <optional>

#include "atomic_file.hpp"
#include "dispatch.hpp"
#include "generation.hpp"
#include "writer_thread.hpp"

namespace tracemill {

namespace {

std::string not_created(const std::string& what) {
    return what + std::string(messages::kNotCreated);
}

}  // namespace

CreateResult create_drawing(const TextParameters& p, std::string_view text,
                            const std::string& output_path, const OverwriteQuestion& ask,
                            const std::string& svg_path, const OutputOptions& options) {
    return create_drawing(p, text, output_path, ask, svg_path, options, glyph_table());
}

CreateResult create_drawing(const TextParameters& p, std::string_view text,
                            const std::string& output_path, const OverwriteQuestion& ask,
                            const std::string& svg_path, const OutputOptions& options,
                            const GlyphTable& table) {
    using Status = CreateResult::Status;
    if (auto m = validate(p, output_path, text)) return {Status::Invalid, *m, {}};
    const auto layout = measure_text(p, text);
    if (!layout) return {Status::Invalid, std::string(messages::kNoText), {}};

    // The drawing (and its picture) stream into temporary files beside their
    // targets; a target is replaced only once everything is complete on disk
    // and the user agreed.
    AtomicFileWriter file(output_path);
    if (!file.ok()) return {Status::FileError, not_created(file.error()), {}};
    std::optional<AtomicFileWriter> picture;
    if (!svg_path.empty()) {
        picture.emplace(svg_path);
        if (!picture->ok()) return {Status::FileError, not_created(picture->error()), {}};
    }
    ContourRun run;
    {
        // The drawing is written to its file from a second thread while the
        // next blocks are made.
        WriterThread drawing(file);
        run = write_drawing(p, text, *layout, options, drawing, picture ? &*picture : nullptr,
                            table);
        drawing.finish();
    }
    if (!run.fault.empty()) {
        file.discard();
        if (picture) picture->discard();
        return {Status::NotJoined, run.fault, {}};
    }
    const std::string& stop = run.stop;
    if (!file.finish()) return {Status::FileError, not_created(file.error()), {}};
    if (picture && !picture->finish()) return {Status::FileError, not_created(picture->error()), {}};
    // Without a question to ask, an existing file is never replaced.
    if (path_exists(output_path) &&
        !(ask && ask(output_path + std::string(messages::kExistsQuestion)))) {
        file.discard();
        if (picture) picture->discard();
        return {Status::Declined, {}, {}};
    }
    if (!file.publish()) {
        if (picture) picture->discard();
        return {Status::FileError, not_created(file.error()), {}};
    }
    if (picture && !picture->publish()) {
        return {Status::PictureNotWritten,
                stop + output_path + " は作成しました。\n　" + picture->error() +
                    "\n　SVG ファイルは作成していません。",
                stop};
    }
    return {Status::Written, stop + std::string(messages::kCreated), stop};
}

}  // namespace tracemill
