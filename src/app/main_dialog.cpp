#include "main_dialog.hpp"

#include <algorithm>
#include <limits>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>

#include "atomic_file.hpp"
#include "field_text.hpp"
#include "language.hpp"
#include "number_text.hpp"
#include "preview_widget.hpp"
#include "stroke_fit.hpp"
#include "text_encoding.hpp"

namespace tracemill::app {

namespace {

struct FieldSpec {
    Field field;
    const char* label;
    const char* object_name;
    bool digits_only;
};

// The translation context of the dialog's texts.
constexpr const char* kContext = "tracemill::app::MainDialog";

// Every one-line field with its label, in the order of the Field enum.
const FieldSpec kFieldSpecs[kFieldCount] = {
    {Field::CharWidth, QT_TRANSLATE_NOOP("tracemill::app::MainDialog", "文字幅(&W)："), "charWidth", false},
    {Field::CharHeight, QT_TRANSLATE_NOOP("tracemill::app::MainDialog", "文字高(&E)："), "charHeight", false},
    {Field::LineWidth, QT_TRANSLATE_NOOP("tracemill::app::MainDialog", "線幅(&L)："), "lineWidth", false},
    {Field::CharSpacing, QT_TRANSLATE_NOOP("tracemill::app::MainDialog", "文字間隔(&I)："), "charSpacing", false},
    {Field::LineSpacing, QT_TRANSLATE_NOOP("tracemill::app::MainDialog", "行間隔(&S)："), "lineSpacing", false},
    {Field::FrameWidth, QT_TRANSLATE_NOOP("tracemill::app::MainDialog", "枠幅(&B)："), "frameWidth", false},
    {Field::FrameHeight, QT_TRANSLATE_NOOP("tracemill::app::MainDialog", "枠高(&A)："), "frameHeight", false},
    {Field::FrameCharsPerRow, QT_TRANSLATE_NOOP("tracemill::app::MainDialog", "枠行文字数(&N)："), "frameCharsPerRow", true},
    {Field::FrameRows, QT_TRANSLATE_NOOP("tracemill::app::MainDialog", "枠行数(&V)："), "frameRows", true},
    {Field::FrameCharSpacingPercent, QT_TRANSLATE_NOOP("tracemill::app::MainDialog", "枠文字間隔％(&G)："), "frameCharSpacingPercent", true},
    {Field::FrameLineSpacingPercent, QT_TRANSLATE_NOOP("tracemill::app::MainDialog", "枠行間隔％(&O)："), "frameLineSpacingPercent", true},
    {Field::FrameLineWidthPercent, QT_TRANSLATE_NOOP("tracemill::app::MainDialog", "枠線幅％(&D)："), "frameLineWidthPercent", true},
};

// A field's label in the dialog's language.
QString label_of(Field f);

// The unit choices in the order of the list.
constexpr Units kUnitChoices[] = {Units::None, Units::Millimetres, Units::Inches};

// The machine choices after なし, in the order of the list.
constexpr GcodeMachine kMachineChoices[] = {GcodeMachine::Mill, GcodeMachine::Laser, GcodeMachine::Pen};

const char* const kGcodeFeedLabel = QT_TRANSLATE_NOOP("tracemill::app::MainDialog", "送り(&M)：");
const char* const kGcodeDepthLabel = QT_TRANSLATE_NOOP("tracemill::app::MainDialog", "深さ(&Q)：");
const char* const kGcodePowerLabel = QT_TRANSLATE_NOOP("tracemill::app::MainDialog", "出力％(&Y)：");

const FieldSpec& spec_of(Field f) { return kFieldSpecs[static_cast<std::size_t>(f)]; }

QString label_of(Field f) { return QCoreApplication::translate(kContext, spec_of(f).label); }

QString from_utf8(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The slot of a value in DialogValues: a length or a count.
double* length_slot(DialogValues& v, Field f) {
    switch (f) {
        case Field::CharWidth: return &v.params.char_width;
        case Field::CharHeight: return &v.params.char_height;
        case Field::LineWidth: return &v.params.line_width;
        case Field::CharSpacing: return &v.params.char_spacing;
        case Field::LineSpacing: return &v.params.line_spacing;
        case Field::FrameWidth: return &v.frame.frame_width;
        case Field::FrameHeight: return &v.frame.frame_height;
        default: return nullptr;
    }
}

std::int32_t* count_slot(DialogValues& v, Field f) {
    switch (f) {
        case Field::FrameCharsPerRow: return &v.frame.chars_per_row;
        case Field::FrameRows: return &v.frame.rows;
        case Field::FrameCharSpacingPercent: return &v.frame.char_spacing_percent;
        case Field::FrameLineSpacingPercent: return &v.frame.line_spacing_percent;
        case Field::FrameLineWidthPercent: return &v.frame.line_width_percent;
        default: return nullptr;
    }
}

// The exchange order; nothing stands for the text box.
const std::optional<Field> kExchangeOrder[] = {
    Field::CharHeight,
    Field::CharSpacing,
    Field::LineWidth,
    Field::LineSpacing,
    std::nullopt,
    Field::CharWidth,
    Field::FrameHeight,
    Field::FrameWidth,
    Field::FrameCharsPerRow,
    Field::FrameRows,
    Field::FrameCharSpacingPercent,
    Field::FrameLineSpacingPercent,
    Field::FrameLineWidthPercent,
};

// The wait cursor while a drawing is made; taken away for a question and
// always on leaving.
class WaitCursor {
public:
    explicit WaitCursor(DialogServices& services) : services_(services) { show(); }
    ~WaitCursor() { hide(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    void show() {
        if (!shown_) services_.showBusy(true);
        shown_ = true;
    }
    void hide() {
        if (shown_) services_.showBusy(false);
        shown_ = false;
    }

private:
    DialogServices& services_;
    bool shown_ = false;
};

QString without_not_created(const std::string& message) {
    QString m = QString::fromStdString(message);
    const QString tail = from_utf8(message_text(Message::NotCreated, language()));
    if (m.endsWith(tail)) m.chop(tail.size());
    return m;
}

// The text box's text, rows separated by line feeds. Qt's plain text of a
// document would also turn a no-break space into a space and a line
// separator into a new row; here every other character stays as typed, so
// that the run stops at it exactly as the command does.
QString typed_text(const QPlainTextEdit* edit) {
    QString t = edit->document()->toRawText();
    t.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return t;
}

const char* const kHelpText = QT_TRANSLATE_NOOP(
    "tracemill::app::MainDialog",
    "tracemill は、入力した文字を DXF ファイルの図形にします。\n"
    "文字ごとに、ペンの中心が通る線（色 4、水色）と、線幅のペンがなぞった範囲の"
    "輪郭（色 6、赤紫）を、線分と円弧と円で書き出します。文字の並び全体は枠で囲まれ、"
    "原点を中心に置かれます。\n"
    "\n"
    "ファイル：「参照」で作成する DXF ファイルを指定します。\n"
    "文字幅・文字高：1 文字の枠の幅と高さです。\n"
    "線幅：ペンの太さ（直径）です。文字幅・文字高より小さくします。\n"
    "文字間隔・行間隔：隣り合う文字の間と、行と行の間の隙間です。\n"
    "文字：書き出す文字です。Enter で次の行になります。"
    "半角の英数字と記号が使えます。\n"
    "作成：DXF ファイルを作成します。ファイルが既にあるときは上書きするかを尋ねます。\n"
    "\n"
    "枠計算：枠幅 × 枠高 の枠に、枠行数 の行を、1 行に 枠行文字数 の文字で並べるように、"
    "文字幅・文字高・文字間隔・行間隔・線幅を求めます。\n"
    "　文字幅 ＝ 枠幅 ÷（枠行文字数 ＋（枠行文字数 − 1）× 枠文字間隔％ ÷ 100）\n"
    "　文字間隔 ＝ 文字幅 × 枠文字間隔％ ÷ 100\n"
    "　文字高・行間隔も同じように 枠高・枠行数・枠行間隔％ から求めます。\n"
    "　線幅 ＝ 文字幅と文字高の小さい方 × 枠線幅％ ÷ 100\n"
    "\n"
    "閉じた輪郭：輪郭を閉じたポリライン（円弧はふくらみで正確に）で、ペンの中心線を"
    "つないだポリラインで書き出します。切り抜きや塗りつぶしに使えます。\n"
    "単位：DXF ファイルに単位（mm、inch）を書き込みます。「なし」では書き込みません。\n"
    "最大：線幅 に、今の文字と長さで全文字を描ける最も太い線幅を入れ、その上限を決める文字を"
    "示します。\n"
    "自動：枠計算 の 枠行文字数 と 枠行数 を、文字から数えます。\n"
    "配置：各行を、文字の並びの幅の中で左に寄せるか、中央に置くか、右に寄せます"
    "（文字の送りの単位で。中央では半分の送りも使います）。枠は動きません。\n"
    "原点：図形の原点を、文字の並びの中心にするか、枠の左下の角にします"
    "（左下では座標がすべて 0 以上になります）。\n"
    "描く：DXF ファイルに書き出すものを、中心線・輪郭・枠 から選びます。\n"
    "Gコード：DXF ファイルと同じ名前の .nc ファイルに、機械の G コードも書き出します。"
    "ミル（彫刻機・ルーター）、レーザー、ペン（サーボのペンプロッタ）から選びます。"
    "経路は、中心線（一筆の彫刻）か 輪郭 です。送りは 1 分あたり、深さは Z0 からの切込み、"
    "出力％はレーザーの最大出力に対する割合です。長さの単位は図形と同じで、"
    "単位が inch のときは G20（inch）、ほかは G21（mm）です。"
    "原点 X0 Y0（図形の原点）から始まり、原点に戻ります。G コードは 描く の選択によらず、"
    "経路 の選んだものを削ります。\n"
    "\n"
    "下の図は、今の値で作成される図形です。描けない文字があるときは、"
    "その理由が図の下に出ます。");

}  // namespace

QIcon application_icon() {
    QIcon icon;
    for (const int size : {16, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(QColor(16, 20, 24));
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const double s = size / 16.0;
        // A slanted stroke: the pen's path and the outline around it.
        QPen outline(QColor(255, 0, 255), 1.2 * s, Qt::SolidLine, Qt::RoundCap);
        QPainterPathStroker stroker;
        stroker.setWidth(6 * s);
        stroker.setCapStyle(Qt::RoundCap);
        QPainterPath centre;
        centre.moveTo(4.5 * s, 11.5 * s);
        centre.lineTo(11.5 * s, 4.5 * s);
        p.setPen(outline);
        p.drawPath(stroker.createStroke(centre));
        p.setPen(QPen(QColor(0, 255, 255), 1.2 * s));
        p.drawPath(centre);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

MainDialog::MainDialog(DialogServices& services, QWidget* parent)
    : QDialog(parent), services_(services) {
    setWindowTitle(QStringLiteral("tracemill"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(application_icon());
    // The dialog's font; wherever it is not installed, the first Japanese
    // font that is.
    QFont f = font();
    f.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"),
                   QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック"),
                   QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans Mono CJK JP"),
                   QStringLiteral("VL Gothic"), QStringLiteral("TakaoGothic")});
    f.setPointSize(11);
    setFont(f);

    buildLayout();

    preview_timer_ = new QTimer(this);
    preview_timer_->setObjectName(QStringLiteral("previewPause"));
    preview_timer_->setSingleShot(true);
    preview_timer_->setInterval(200);
    connect(preview_timer_, &QTimer::timeout, this, &MainDialog::refreshPreview);
    for (QLineEdit* e : fields_) connect(e, &QLineEdit::textChanged, this, &MainDialog::schedulePreview);
    connect(text_, &QPlainTextEdit::textChanged, this, &MainDialog::schedulePreview);

    // The defaults appear through the same exchange as every later value.
    showFields();
    refreshPreview();
}

void MainDialog::buildLayout() {
    const auto make_label = [this](const QString& text, QWidget* buddy) {
        auto* label = new QLabel(text, this);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (buddy != nullptr) label->setBuddy(buddy);
        return label;
    };
    QLabel* labels[kFieldCount];
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const FieldSpec& s = kFieldSpecs[i];
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(s.object_name));
        if (s.digits_only) {
            // Digits only: no sign, no point, nothing else can be typed.
            edit->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("[0-9]*")), edit));
        }
        fields_[i] = edit;
        labels[i] = make_label(label_of(s.field), edit);
    }
    const auto edit = [this](Field f) { return field(f); };
    const auto label = [&labels](Field f) { return labels[static_cast<std::size_t>(f)]; };

    path_ = new QLabel(this);
    path_->setObjectName(QStringLiteral("outputPath"));
    path_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    path_->setTextFormat(Qt::PlainText);  // a path may hold "<" or "&"
    path_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    path_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    path_->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 30);

    auto* browse = new QPushButton(tr("参照(&F)"), this);
    create_ = new QPushButton(tr("作成"), this);
    auto* quit = new QPushButton(tr("終了"), this);
    auto* help = new QPushButton(tr("ﾍﾙﾌﾟ(&H)"), this);
    auto* frame = new QPushButton(tr("枠計算(&C)"), this);
    browse->setObjectName(QStringLiteral("browse"));
    create_->setObjectName(QStringLiteral("create"));
    quit->setObjectName(QStringLiteral("quit"));
    help->setObjectName(QStringLiteral("help"));
    frame->setObjectName(QStringLiteral("frameCalculation"));
    // Return runs 作成 wherever the focus is, except in the text box, where
    // it starts a new row.
    for (QPushButton* b : {browse, create_, quit, help, frame}) b->setAutoDefault(false);
    create_->setDefault(true);

    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("text"));
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text_->setTabChangesFocus(true);
    text_->setMinimumHeight(fontMetrics().lineSpacing() * 5);
    auto* text_label = make_label(tr("文字(&T)："), text_);

    preview_ = new PreviewWidget(this);
    preview_->setObjectName(QStringLiteral("preview"));

    polylines_ = new QCheckBox(tr("閉じた輪郭(&P)"), this);
    polylines_->setObjectName(QStringLiteral("polylines"));
    units_ = new QComboBox(this);
    units_->setObjectName(QStringLiteral("units"));
    units_->addItems({tr("なし"), QStringLiteral("mm"), QStringLiteral("inch")});
    auto* units_label = make_label(tr("単位(&U)："), units_);

    fit_ = new QPushButton(tr("最大(&X)"), this);
    fit_->setObjectName(QStringLiteral("fitLineWidth"));
    fit_->setAutoDefault(false);
    frame_grid_auto_ = new QCheckBox(tr("自動(&Z)"), this);
    frame_grid_auto_->setObjectName(QStringLiteral("frameGridAuto"));
    align_ = new QComboBox(this);
    align_->setObjectName(QStringLiteral("align"));
    align_->addItems({tr("左寄せ"), tr("中央"), tr("右寄せ")});
    auto* align_label = make_label(tr("配置(&J)："), align_);
    origin_ = new QComboBox(this);
    origin_->setObjectName(QStringLiteral("origin"));
    origin_->addItems({tr("中心"), tr("左下")});
    auto* origin_label = make_label(tr("原点："), origin_);
    const char* const draw_names[] = {"drawSkeleton", "drawOutline", "drawFrame"};
    const QString draw_texts[] = {tr("中心線"), tr("輪郭"), tr("枠")};
    for (std::size_t k = 0; k < draw_.size(); ++k) {
        draw_[k] = new QCheckBox(draw_texts[k], this);
        draw_[k]->setObjectName(QString::fromLatin1(draw_names[k]));
    }
    auto* draw_label = make_label(tr("描く："), nullptr);

    gcode_machine_ = new QComboBox(this);
    gcode_machine_->setObjectName(QStringLiteral("gcodeMachine"));
    gcode_machine_->addItems({tr("なし"), tr("ミル"), tr("レーザー"), tr("ペン")});
    auto* machine_label = make_label(tr("Gコード(&K)："), gcode_machine_);
    gcode_path_ = new QComboBox(this);
    gcode_path_->setObjectName(QStringLiteral("gcodePath"));
    gcode_path_->addItems({tr("中心線"), tr("輪郭")});
    auto* path_label = make_label(tr("経路(&R)："), gcode_path_);
    gcode_feed_ = new QLineEdit(this);
    gcode_feed_->setObjectName(QStringLiteral("gcodeFeed"));
    gcode_depth_ = new QLineEdit(this);
    gcode_depth_->setObjectName(QStringLiteral("gcodeDepth"));
    gcode_power_ = new QLineEdit(this);
    gcode_power_->setObjectName(QStringLiteral("gcodePower"));
    auto* feed_label = make_label(QCoreApplication::translate(kContext, kGcodeFeedLabel), gcode_feed_);
    auto* depth_label = make_label(QCoreApplication::translate(kContext, kGcodeDepthLabel), gcode_depth_);
    auto* power_label = make_label(QCoreApplication::translate(kContext, kGcodePowerLabel), gcode_power_);

    // The upper block: six columns of label, field, label, field, label, and
    // field or button, as wide in proportion as the original arrangement.
    auto* upper = new QGridLayout;
    upper->addWidget(make_label(tr("ファイル："), nullptr), 0, 0);
    upper->addWidget(path_, 0, 1, 1, 4);
    upper->addWidget(browse, 0, 5);
    upper->addWidget(label(Field::CharWidth), 1, 0);
    upper->addWidget(edit(Field::CharWidth), 1, 1);
    upper->addWidget(label(Field::CharHeight), 1, 2);
    upper->addWidget(edit(Field::CharHeight), 1, 3);
    upper->addWidget(label(Field::LineWidth), 1, 4);
    upper->addWidget(edit(Field::LineWidth), 1, 5);
    upper->addWidget(fit_, 1, 6);
    upper->addWidget(label(Field::CharSpacing), 2, 0);
    upper->addWidget(edit(Field::CharSpacing), 2, 1);
    upper->addWidget(label(Field::LineSpacing), 2, 2);
    upper->addWidget(edit(Field::LineSpacing), 2, 3);
    upper->addWidget(help, 2, 5);
    upper->addWidget(text_label, 3, 0, Qt::AlignLeft);
    upper->addWidget(create_, 3, 4, Qt::AlignRight);
    upper->addWidget(quit, 3, 5);
    const int upper_widths[] = {60, 35, 50, 35, 55, 45, 0};
    for (int c = 0; c < 7; ++c) upper->setColumnStretch(c, upper_widths[c]);

    // The lower block: the frame inputs and the frame calculation.
    auto* lower = new QGridLayout;
    lower->addWidget(label(Field::FrameWidth), 0, 0);
    lower->addWidget(edit(Field::FrameWidth), 0, 1);
    lower->addWidget(label(Field::FrameCharsPerRow), 0, 2);
    lower->addWidget(edit(Field::FrameCharsPerRow), 0, 3);
    lower->addWidget(label(Field::FrameLineWidthPercent), 0, 4);
    lower->addWidget(edit(Field::FrameLineWidthPercent), 0, 5);
    lower->addWidget(label(Field::FrameHeight), 1, 0);
    lower->addWidget(edit(Field::FrameHeight), 1, 1);
    lower->addWidget(label(Field::FrameRows), 1, 2);
    lower->addWidget(edit(Field::FrameRows), 1, 3);
    lower->addWidget(label(Field::FrameCharSpacingPercent), 1, 4);
    lower->addWidget(edit(Field::FrameCharSpacingPercent), 1, 5);
    lower->addWidget(frame, 2, 2, Qt::AlignLeft);
    lower->addWidget(frame_grid_auto_, 2, 3);
    lower->addWidget(label(Field::FrameLineSpacingPercent), 2, 4);
    lower->addWidget(edit(Field::FrameLineSpacingPercent), 2, 5);
    // Where the rows and the origin lie, and what is drawn, under the
    // frame's fields.
    lower->addWidget(align_label, 3, 0);
    lower->addWidget(align_, 3, 1);
    lower->addWidget(origin_label, 3, 2);
    lower->addWidget(origin_, 3, 3);
    auto* draw_row = new QHBoxLayout;
    for (QCheckBox* box : draw_) draw_row->addWidget(box);
    draw_row->addStretch(1);
    lower->addWidget(draw_label, 4, 0);
    lower->addLayout(draw_row, 4, 1, 1, 5);
    // The way the file is written, under them.
    lower->addWidget(polylines_, 5, 0, 1, 2);
    lower->addWidget(units_label, 5, 2);
    lower->addWidget(units_, 5, 3);
    // The machine program, under them.
    lower->addWidget(machine_label, 6, 0);
    lower->addWidget(gcode_machine_, 6, 1);
    lower->addWidget(path_label, 6, 2);
    lower->addWidget(gcode_path_, 6, 3);
    lower->addWidget(feed_label, 7, 0);
    lower->addWidget(gcode_feed_, 7, 1);
    lower->addWidget(depth_label, 7, 2);
    lower->addWidget(gcode_depth_, 7, 3);
    lower->addWidget(power_label, 7, 4);
    lower->addWidget(gcode_power_, 7, 5);
    const int lower_widths[] = {40, 35, 65, 35, 65, 35};
    for (int c = 0; c < 6; ++c) lower->setColumnStretch(c, lower_widths[c]);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(upper);
    layout->addWidget(text_, 2);
    layout->addLayout(lower);
    layout->addWidget(preview_, 3);

    // Tab order as the controls are listed.
    QWidget* order[] = {browse,
                        edit(Field::CharWidth),
                        edit(Field::CharHeight),
                        edit(Field::LineWidth),
                        fit_,
                        edit(Field::CharSpacing),
                        edit(Field::LineSpacing),
                        text_,
                        create_,
                        edit(Field::FrameWidth),
                        edit(Field::FrameHeight),
                        edit(Field::FrameCharsPerRow),
                        edit(Field::FrameRows),
                        edit(Field::FrameLineWidthPercent),
                        edit(Field::FrameCharSpacingPercent),
                        edit(Field::FrameLineSpacingPercent),
                        frame,
                        frame_grid_auto_,
                        align_,
                        origin_,
                        draw_[0],
                        draw_[1],
                        draw_[2],
                        polylines_,
                        units_,
                        quit,
                        help,
                        gcode_machine_,
                        gcode_path_,
                        gcode_feed_,
                        gcode_depth_,
                        gcode_power_};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
    preview_->setFocusPolicy(Qt::NoFocus);
    browse->setFocus();

    connect(browse, &QPushButton::clicked, this, &MainDialog::chooseOutputFile);
    connect(create_, &QPushButton::clicked, this, &MainDialog::create);
    connect(quit, &QPushButton::clicked, this, &MainDialog::reject);
    connect(help, &QPushButton::clicked, this, &MainDialog::showHelp);
    connect(frame, &QPushButton::clicked, this, &MainDialog::calculateFrame);
    connect(fit_, &QPushButton::clicked, this, &MainDialog::fitLineWidth);
    connect(frame_grid_auto_, &QCheckBox::toggled, this, &MainDialog::gridAutoChanged);
    // The preview follows the placement and the parts drawn.
    for (QComboBox* box : {align_, origin_})
        connect(box, &QComboBox::currentIndexChanged, this, &MainDialog::schedulePreview);
    for (QCheckBox* box : draw_) connect(box, &QCheckBox::toggled, this, &MainDialog::schedulePreview);
    connect(gcode_machine_, &QComboBox::currentIndexChanged, this, &MainDialog::machineChanged);
    connect(units_, &QComboBox::currentIndexChanged, this, &MainDialog::unitsChanged);
}

void MainDialog::machineChanged() {
    // Only the values of the chosen machine can be typed.
    const int m = gcode_machine_->currentIndex();
    gcode_path_->setEnabled(m > 0);
    gcode_feed_->setEnabled(m > 0);
    gcode_depth_->setEnabled(m == 1);
    gcode_power_->setEnabled(m == 2);
}

void MainDialog::unitsChanged() {
    // Feeds and depths are in the drawing's unit: fields still showing the
    // other unit's defaults take this unit's.
    const bool inches = kUnitChoices[std::clamp(units_->currentIndex(), 0, 2)] == Units::Inches;
    if (inches == inch_defaults_) return;
    const GcodeOptions before = gcode_defaults(inch_defaults_), after = gcode_defaults(inches);
    const std::pair<QLineEdit*, std::pair<double, double>> fields[] = {
        {gcode_feed_, {before.feed, after.feed}}, {gcode_depth_, {before.depth, after.depth}}};
    for (const auto& [edit, values] : fields) {
        if (read_number_field(edit->text()) == values.first) edit->setText(show_number(values.second));
    }
    inch_defaults_ = inches;
}

void MainDialog::gridAutoChanged() {
    // Counted in the text: the two counts are not typed.
    const bool counted = frame_grid_auto_->isChecked();
    field(Field::FrameCharsPerRow)->setEnabled(!counted);
    field(Field::FrameRows)->setEnabled(!counted);
}

Placement MainDialog::placementShown() const {
    Placement placement;
    placement.align = static_cast<Align>(std::clamp(align_->currentIndex(), 0, 2));
    placement.origin = static_cast<Origin>(std::clamp(origin_->currentIndex(), 0, 1));
    return placement;
}

DrawStyle MainDialog::styleShown() const {
    DrawStyle style;
    style.skeleton = draw_[0]->isChecked();
    style.outline = draw_[1]->isChecked();
    style.frame = draw_[2]->isChecked();
    return style;
}

QString MainDialog::gcodePath() const {
    QString path = outputPath();
    if (path.endsWith(QStringLiteral(".dxf"), Qt::CaseInsensitive)) path.chop(4);
    return path + QStringLiteral(".nc");
}

QString MainDialog::outputPath() const { return path_->text(); }

bool MainDialog::saveFields() {
    DialogValues read = values_;
    for (const auto& entry : kExchangeOrder) {
        if (!entry) {
            read.text = typed_text(text_);
            continue;
        }
        const Field f = *entry;
        QLineEdit* e = field(f);
        const QString label = label_of(f);
        bool ok = false;
        if (double* slot = length_slot(read, f)) {
            if (const auto v = read_number_field(e->text())) {
                *slot = *v;
                ok = true;
            } else {
                services_.inform(this, number_field_message(label));
            }
        } else if (std::int32_t* count = count_slot(read, f)) {
            if (const auto v = read_count_field(e->text())) {
                *count = *v;
                ok = true;
            } else {
                services_.inform(this, count_field_message(label));
            }
        }
        if (!ok) {
            e->setFocus(Qt::OtherFocusReason);
            e->selectAll();
            return false;
        }
    }
    read.output.polylines = polylines_->isChecked();
    read.output.units = kUnitChoices[std::clamp(units_->currentIndex(), 0, 2)];
    read.output.placement = placementShown();
    read.output.style = styleShown();
    read.frame_grid_auto = frame_grid_auto_->isChecked();
    // The machine program's values. Every field that reads is kept, so that
    // what the fields show (a unit's defaults among them) survives each
    // exchange; only the chosen machine's must read.
    const int machine = std::clamp(gcode_machine_->currentIndex(), 0, 3);
    read.write_gcode = machine > 0;
    if (machine > 0) read.gcode.machine = kMachineChoices[machine - 1];
    read.gcode.cut = gcode_path_->currentIndex() == 1 ? GcodeCut::Outline : GcodeCut::Skeleton;
    // The values without a field of their own are the drawing unit's
    // defaults, as on the command line: a safe height of 5 and a plunge feed
    // of 100 are millimetres, not inches.
    const GcodeOptions unit_defaults = gcode_defaults(read.output.units == Units::Inches);
    read.gcode.plunge_feed = unit_defaults.plunge_feed;
    read.gcode.safe_height = unit_defaults.safe_height;
    const std::pair<QLineEdit*, std::pair<const char*, double*>> gcode_fields[] = {
        {gcode_feed_, {kGcodeFeedLabel, &read.gcode.feed}},
        {gcode_depth_, {kGcodeDepthLabel, &read.gcode.depth}},
        {gcode_power_, {kGcodePowerLabel, &read.gcode.laser_power}}};
    for (const auto& [edit, target] : gcode_fields) {
        if (const auto v = read_number_field(edit->text())) {
            *target.second = *v;
            continue;
        }
        // Another machine's value is kept as it was: it is not asked for.
        if (!edit->isEnabled()) continue;
        services_.inform(this, number_field_message(QCoreApplication::translate(kContext, target.first)));
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
        return false;
    }
    values_ = read;
    return true;
}

void MainDialog::showFields() {
    for (const FieldSpec& s : kFieldSpecs) {
        if (double* slot = length_slot(values_, s.field)) {
            field(s.field)->setText(show_number(*slot));
        } else if (std::int32_t* count = count_slot(values_, s.field)) {
            field(s.field)->setText(QString::number(*count));
        }
    }
    polylines_->setChecked(values_.output.polylines);
    align_->setCurrentIndex(static_cast<int>(values_.output.placement.align));
    origin_->setCurrentIndex(static_cast<int>(values_.output.placement.origin));
    draw_[0]->setChecked(values_.output.style.skeleton);
    draw_[1]->setChecked(values_.output.style.outline);
    draw_[2]->setChecked(values_.output.style.frame);
    frame_grid_auto_->setChecked(values_.frame_grid_auto);
    gridAutoChanged();
    for (int i = 0; i < 3; ++i)
        if (kUnitChoices[i] == values_.output.units) units_->setCurrentIndex(i);
    inch_defaults_ = values_.output.units == Units::Inches;
    gcode_machine_->setCurrentIndex(0);
    for (int i = 0; i < 3; ++i)
        if (values_.write_gcode && kMachineChoices[i] == values_.gcode.machine) gcode_machine_->setCurrentIndex(i + 1);
    gcode_path_->setCurrentIndex(values_.gcode.cut == GcodeCut::Outline ? 1 : 0);
    gcode_feed_->setText(show_number(values_.gcode.feed));
    gcode_depth_->setText(show_number(values_.gcode.depth));
    gcode_power_->setText(show_number(values_.gcode.laser_power));
    machineChanged();
    // Rewriting an unchanged text would only lose the cursor and the undo history.
    if (typed_text(text_) != values_.text) text_->setPlainText(values_.text);
}

void MainDialog::create() {
    if (!saveFields()) return;
    const DrawStyle& style = values_.output.style;
    if (!style.skeleton && !style.outline && !style.frame) {
        services_.inform(this, QString::fromStdString(format_message(Message::NothingToDraw, language()) +
                                                      std::string(message_text(Message::NotCreated, language()))));
        return;
    }
    const std::string text = to_document_bytes(values_.text.toStdString());
    const std::string path = QFile::encodeName(outputPath()).toStdString();
    OutputOptions output = values_.output;
    if (values_.write_gcode && !path.empty()) {
        // The program goes beside the drawing; an existing one is replaced
        // only when the user agrees, and only asked about once every value
        // has been judged.
        const QString program = gcodePath();
        const std::string native = QFile::encodeName(program).toStdString();
        output.gcode = GcodeOutput{native, values_.gcode};
        if (const auto refusal = validate_run(values_.params, text, path, {}, output, language())) {
            services_.inform(this, QString::fromStdString(*refusal));
            return;
        }
        if (path_exists(native) &&
            !services_.ask(this, QString::fromStdString(format_message(Message::ExistsQuestion, language(),
                                                                       {program.toStdString()}))))
            return;
    }
    CreateResult result;
    {
        WaitCursor wait(services_);
        CreateOptions how;
        how.language = language();
        result = create_drawing(values_.params, text, path, [&](const std::string& question) {
            wait.hide();
            const bool yes = services_.ask(this, QString::fromStdString(question));
            if (yes) wait.show();
            return yes;
        }, {}, output, how);
    }
    // Declined: nothing written and nothing more to say.
    if (result.status == CreateResult::Status::Declined) return;
    QString message = QString::fromStdString(result.message);
    if (result.gcode) {
        // What the machine program cuts and how far it moves in between.
        const std::string unit = values_.output.units == Units::Inches ? " in" : " mm";
        message += QLatin1Char('\n') +
                   QString::fromStdString(format_message(
                       Message::GcodeReport, language(),
                       {result.gcode->paths, fixed1(result.gcode->cut) + unit, fixed1(result.gcode->travel) + unit,
                        fixed1(result.gcode->text_travel) + unit}));
    }
    services_.inform(this, message);
}

void MainDialog::chooseOutputFile() {
    if (!saveFields()) return;
    SaveFileRequest request{tr("作成DXFファイルを指定"),
                            {tr("DXFファイル(.dxf) (*.dxf)"), tr("すべてのファイル(*.*) (*)")},
                            QStringLiteral("dxf"),
                            outputPath()};
    for (;;) {
        const auto chosen = services_.chooseSaveFile(this, request);
        if (!chosen) return;  // cancelled: the path stays as it was
        const QString path = with_default_suffix(*chosen, QStringLiteral("dxf"));
        const std::string native = QFile::encodeName(path).toStdString();
        if (path_exists(native)) {
            // The existing file stays until a Create run replaces it; here
            // the user only confirms the name and learns whether it could be.
            const QString question = QString::fromStdString(
                format_message(Message::ExistsQuestion, language(), {path.toStdString()}));
            if (!services_.ask(this, question)) {
                request.initialPath = path;  // back to the save dialog
                continue;
            }
            if (!can_replace(native)) {
                services_.inform(this, tr("指定ファイルの削除に失敗しました。\n　指定したファイルは使用できません。"));
                return;
            }
        }
        path_->setText(path);
        path_->setToolTip(path);
        showFields();
        return;
    }
}

void MainDialog::calculateFrame() {
    if (!saveFields()) return;
    if (values_.frame_grid_auto) {
        // The characters per row and the rows as the run measures them,
        // shown in their fields.
        const auto measured = measure_text(values_.params, to_document_bytes(values_.text.toStdString()));
        if (!measured || measured->columns > std::numeric_limits<std::int32_t>::max() ||
            measured->rows > std::numeric_limits<std::int32_t>::max()) {
            const Message why = measured ? Message::FrameOutOfRange : Message::NoText;
            services_.inform(this, QString::fromStdString(format_message(why, language()) +
                                                          std::string(message_text(Message::FrameNotCalculated,
                                                                                   language()))));
            return;
        }
        values_.frame.chars_per_row = static_cast<std::int32_t>(measured->columns);
        values_.frame.rows = static_cast<std::int32_t>(measured->rows);
    }
    const FrameResult result = calculate_frame(values_.frame, language());
    if (const auto* message = std::get_if<std::string>(&result)) {
        services_.inform(this, QString::fromStdString(*message));
        return;
    }
    values_.params = std::get<TextParameters>(result);
    showFields();
}

void MainDialog::fitLineWidth() {
    if (!saveFields()) return;
    const std::string typed = values_.text.toStdString();
    const std::string text = to_document_bytes(typed);
    const Language lang = language();
    // The other lengths are judged with any stroke they accept.
    TextParameters judged = values_.params;
    judged.line_width = stroke_for_judging(judged);
    std::optional<std::string> invalid = validate(judged, {}, text, false, lang);
    if (!invalid) invalid = validate_placement(values_.output.placement, lang);
    if (invalid) {
        services_.inform(this, without_not_created(*invalid));
        return;
    }
    const StrokeFit fit = widest_stroke(values_.params, text, values_.output.placement);
    const auto character = [&](bool drawable) {
        const auto c = typed_character_at(typed, fit.at->row, fit.at->column);
        return c ? describe_character(c->code_point, c->utf8, drawable) : english_glyph_name(fit.at->byte);
    };
    std::string said;
    switch (fit.outcome) {
        case StrokeFit::Outcome::NoText:
            said = format_message(Message::NoText, lang);
            break;
        case StrokeFit::Outcome::NoGlyph:
            said = format_message(Message::FitNoGlyph, lang, {character(false), fit.at->row, fit.at->column});
            break;
        case StrokeFit::Outcome::NothingFits:
            said = format_message(Message::FitNothing, lang, {character(true), fit.at->row, fit.at->column});
            break;
        case StrokeFit::Outcome::Fits: {
            // Shown as the shortest text that reads back as the same width,
            // so that the field draws with exactly it.
            const std::string width = exact_number(fit.line_width);
            values_.params.line_width = fit.line_width;
            field(Field::LineWidth)->setText(QString::fromStdString(width));
            said = fit.at ? format_message(Message::FitSetBy, lang, {width, character(true), fit.at->row, fit.at->column})
                          : format_message(Message::FitSetByCell, lang, {width});
            break;
        }
    }
    services_.inform(this, QString::fromStdString(said));
}

void MainDialog::showHelp() { services_.inform(this, tr(kHelpText)); }

void MainDialog::reject() {
    if (services_.ask(this, tr("tracemill を終了しますか？"))) QDialog::reject();
}

void MainDialog::schedulePreview() { preview_timer_->start(); }

void MainDialog::refreshPreview() {
    preview_timer_->stop();
    // The five drawing values as typed now, read quietly: the preview
    // explains a value it cannot use instead of opening a box.
    DialogValues now;
    for (const Field f : {Field::CharWidth, Field::CharHeight, Field::LineWidth,
                          Field::CharSpacing, Field::LineSpacing}) {
        const auto v = read_number_field(field(f)->text());
        if (!v) {
            preview_->showNote(number_field_message(label_of(f)));
            return;
        }
        *length_slot(now, f) = *v;
    }
    const TextParameters& p = now.params;
    const QString typed = typed_text(text_);
    const std::string text = to_document_bytes(typed.toStdString());
    if (text.empty()) {
        preview_->showNote({});
        return;
    }
    if (const auto message = validate(p, {}, text, false, language())) {
        preview_->showNote(without_not_created(*message));
        return;
    }
    preview_->showDrawing(p, text, typed, placementShown(), styleShown());
}

}  // namespace tracemill::app
