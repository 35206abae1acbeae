#include "preview_widget.hpp"

#include <QLabel>
#include <QPainter>
#include <QPen>
#include <QVBoxLayout>

#include <cmath>
#include <variant>

#include "glyph.hpp"
#include "language.hpp"
#include "text_encoding.hpp"

namespace tracemill::app {

namespace {

const QColor kBackground(16, 20, 24);
const QColor kCyan(0, 255, 255);
const QColor kMagenta(255, 0, 255);
const QColor kFrame(0, 150, 150);

// A message of the run ends in a line break (and, in Japanese, an
// ideographic space) that indent the text after it; alone under the
// picture they are dropped.
QString without_indent(const std::string& message) {
    QString m = QString::fromStdString(message);
    while (m.endsWith(QChar(0x3000)) || m.endsWith(QLatin1Char('\n'))) m.chop(1);
    return m;
}

void add_entity(QPainterPath& path, const Entity& e) {
    if (const auto* line = std::get_if<Line>(&e)) {
        path.moveTo(line->from.x, line->from.y);
        path.lineTo(line->to.x, line->to.y);
    } else if (const auto* arc = std::get_if<Arc>(&e)) {
        // Anticlockwise in y-up drawing units. QPainterPath measures its
        // angles for a y-down plane, so both are negated.
        double sweep = std::fmod(arc->end_deg - arc->start_deg, 360.0);
        if (sweep <= 0) sweep += 360.0;
        const double r = arc->radius;
        const QRectF box(arc->centre.x - r, arc->centre.y - r, 2 * r, 2 * r);
        const double a = arc->start_deg * kPi / 180;
        path.moveTo(arc->centre.x + r * std::cos(a), arc->centre.y + r * std::sin(a));
        path.arcTo(box, -arc->start_deg, -sweep);
    } else if (const auto* circle = std::get_if<Circle>(&e)) {
        path.addEllipse(QPointF(circle->centre.x, circle->centre.y), circle->radius,
                        circle->radius);
    }
}

}  // namespace

PreviewPaths build_preview_paths(const std::vector<Entity>& entities, const TextLayout& layout,
                                 const DrawStyle& style) {
    PreviewPaths paths;
    paths.entities = entities.size();
    for (std::size_t i = 0; i < entities.size(); ++i) {
        const Entity& e = entities[i];
        if (i < 4) {
            if (style.frame) add_entity(paths.frame, e);
        } else if (!style.draws(colour_of(e))) {
            continue;
        } else if (colour_of(e) == Colour::Outline) {
            add_entity(paths.outline, e);
        } else {
            add_entity(paths.centre_line, e);
        }
    }
    paths.bounds = QRectF(QPointF(layout.left, layout.bottom), QPointF(layout.right, layout.top));
    return paths;
}

PreviewCanvas::PreviewCanvas(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PreviewCanvas::setPaths(PreviewPaths paths) {
    paths_ = std::move(paths);
    update();
}

QSize PreviewCanvas::sizeHint() const { return {480, 200}; }
QSize PreviewCanvas::minimumSizeHint() const { return {160, 80}; }

void PreviewCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kBackground);
    const QRectF b = paths_.bounds;
    if (b.isEmpty()) return;
    // Zoom to fit with a margin, centred, y up.
    constexpr double margin = 8;
    const double sx = (width() - 2 * margin) / b.width();
    const double sy = (height() - 2 * margin) / b.height();
    const double s = std::min(sx, sy);
    if (!(s > 0) || !std::isfinite(s)) return;
    QTransform t;
    t.translate(width() / 2.0, height() / 2.0);
    t.scale(s, -s);
    t.translate(-b.center().x(), -b.center().y());
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setTransform(t);
    QPen pen(kFrame, 0, Qt::DashLine);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(paths_.frame);
    pen.setStyle(Qt::SolidLine);
    pen.setWidthF(1.0);
    pen.setColor(kCyan);
    painter.setPen(pen);
    painter.drawPath(paths_.centre_line);
    pen.setColor(kMagenta);
    painter.setPen(pen);
    painter.drawPath(paths_.outline);
}

PreviewWidget::PreviewWidget(QWidget* parent)
    : QFrame(parent),
      canvas_(new PreviewCanvas(this)),
      message_(new QLabel(this)),
      place_(new QLabel(this)) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    canvas_->setObjectName(QStringLiteral("picture"));
    message_->setObjectName(QStringLiteral("reason"));
    place_->setObjectName(QStringLiteral("stoppedAt"));
    for (QLabel* label : {message_, place_}) {
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setStyleSheet(QStringLiteral("color: #b00020;"));
        label->hide();
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(canvas_, 1);
    layout->addWidget(message_);
    layout->addWidget(place_);
}

std::string PreviewWidget::showDrawing(const TextParameters& p, const std::string& text,
                                       const QString& typed, const Placement& placement,
                                       const DrawStyle& style) {
    const auto layout = measure_text(p, text, placement);
    if (!layout) {
        showNote({});
        return {};
    }
    EntityList list;
    list.entities.reserve(text.size() * 8);
    const auto stopped = draw_text_run(p, text, *layout, list);
    const Language lang = language();
    const std::string stop = stopped ? stopped->message(lang) : std::string();
    canvas_->setPaths(build_preview_paths(list.entities, *layout, style));
    const QString m = without_indent(stop);
    message_->setText(m);
    message_->setVisible(!m.isEmpty());
    // The character as it was typed, and where.
    QString where;
    if (stopped) {
        if (const auto c = typed_character_at(typed.toStdString(), stopped->row, stopped->column)) {
            where = QString::fromStdString(format_message(
                Message::StoppedAt, lang,
                {describe_character(c->code_point, c->utf8, stopped->drawable()), stopped->row,
                 stopped->column}));
        }
    }
    place_->setText(where);
    place_->setVisible(!where.isEmpty());
    return stop;
}

void PreviewWidget::showNote(const QString& note) {
    canvas_->setPaths({});
    message_->setText(note);
    message_->setVisible(!note.isEmpty());
    place_->clear();
    place_->hide();
}

QString PreviewWidget::message() const { return message_->text(); }

QString PreviewWidget::place() const { return place_->text(); }

}  // namespace tracemill::app
