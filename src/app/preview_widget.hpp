// A picture of the drawing the current values would write: the frame, the
// skeleton in cyan and the outline in magenta, zoomed to fit, with the reason
// below it when the run would stop.
#pragma once

#include <QFrame>
#include <QPainterPath>
#include <QRectF>

#include <cstddef>
#include <string>
#include <vector>

#include "geometry.hpp"
#include "generation.hpp"

class QLabel;

namespace tracemill::app {

// The paths of one drawing in drawing units (y up), built once per change so
// that repainting only strokes them.
struct PreviewPaths {
    QPainterPath frame;
    QPainterPath centre_line;
    QPainterPath outline;
    QRectF bounds;  // the text block; empty when nothing is drawn
    std::size_t entities = 0;
};

// The first four entities of a drawing are its frame; the rest are sorted by
// colour. Arcs run anticlockwise from start to end angle as in the file.
PreviewPaths build_preview_paths(const std::vector<Entity>& entities, const TextLayout& layout);

class PreviewCanvas final : public QWidget {
    Q_OBJECT
public:
    explicit PreviewCanvas(QWidget* parent = nullptr);
    void setPaths(PreviewPaths paths);
    const PreviewPaths& paths() const { return paths_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PreviewPaths paths_;
};

class PreviewWidget final : public QFrame {
    Q_OBJECT
public:
    explicit PreviewWidget(QWidget* parent = nullptr);

    // Draws text (the document's bytes of `typed`) with p, which must have
    // passed the validation without a path. Returns the stop message in the
    // dialog's language, empty when every character was drawn; it is shown
    // under the picture, and under it the character the run stopped at.
    std::string showDrawing(const TextParameters& p, const std::string& text,
                            const QString& typed = {});
    // Shows no picture, only the note (empty for none).
    void showNote(const QString& note);

    // The message under the picture: a stop reason or a note.
    QString message() const;
    // The line naming the character the run stopped at, and where; empty
    // when it did not stop.
    QString place() const;
    PreviewCanvas* canvas() const { return canvas_; }

private:
    PreviewCanvas* canvas_;
    QLabel* message_;
    QLabel* place_;
};

}  // namespace tracemill::app
