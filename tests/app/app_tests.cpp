// The dialog as a user drives it: fields and defaults, the data exchange,
// Create through the core, the frame calculation, the output file chooser,
// leaving, and the preview. Message boxes and the save dialog are answered by
// FakeServices; the Qt ones are checked on their own.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QTemporaryDir>
#include <QTimer>
#include <QSettings>
#include <QtTest/QTest>

#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <map>
#include <memory>

#include "dispatch.hpp"
#include "fake_services.hpp"
#include "field_text.hpp"
#include "language.hpp"
#include "main_dialog.hpp"
#include "preview_widget.hpp"
#include "text_encoding.hpp"

using namespace tracemill;
using namespace tracemill::app;
using tracemill::app::testing::FakeServices;

namespace {

// The tests run in the language main() chose (--lang en: English). Each
// text they expect is written in Japanese; L() gives the English text the
// English dialog shows in its place.
const std::pair<const char*, const char*> kEnglish[] = {
    {"\n　ファイルは作成していません。", "\nNo file was written."},
    {"DXFファイルを作成しました。", "DXF file written."},
    {" は既に存在します。\n　上書きしますか？", " already exists.\nReplace it?"},
    {"ファイル：", "File:"}, {"文字幅(&W)：", "Character &width:"}, {"文字高(&E)：", "Character h&eight:"},
    {"線幅(&L)：", "&Line width:"}, {"文字間隔(&I)：", "Character spac&ing:"},
    {"行間隔(&S)：", "Line &spacing:"}, {"文字(&T)：", "&Text:"}, {"枠幅(&B)：", "Fra&me width:"},
    {"枠高(&A)：", "Fr&ame height:"}, {"枠行文字数(&N)：", "Characte&rs per row:"},
    {"枠行数(&V)：", "R&ows:"}, {"枠線幅％(&D)：", "Line wi&dth %:"},
    {"枠文字間隔％(&G)：", "Character spacin&g %:"}, {"枠行間隔％(&O)：", "Li&ne spacing %:"},
    {"単位(&U)：", "&Units:"}, {"Gコード(&K)：", "G-code (&K):"}, {"経路(&R)：", "Cut path (&V):"},
    {"送り(&M)：", "&Feed:"}, {"深さ(&Q)：", "&Z depth:"}, {"出力％(&Y)：", "Power % of ma&x:"}, {"深さ", "Z depth"}, {"参照(&F)", "&Browse..."}, {"作成", "Create"}, {"終了", "Quit"},
    {"ﾍﾙﾌﾟ(&H)", "&Help"}, {"枠計算(&C)", "&Calculate frame"},
    {" には 0 から 2147483647 までの整数を入力してください。", " must be a whole number from 0 to 2147483647."},
    {" には -1000000000 から 1000000000 までの数値を入力してください。",
     " must be a number from -1000000000 to 1000000000."},
    {"文字幅", "Character width"}, {"文字高", "Character height"}, {"線幅", "Line width"},
    {"文字間隔", "Character spacing"}, {"行間隔", "Line spacing"}, {"枠幅", "Frame width"},
    {"枠高", "Frame height"}, {"枠行文字数", "Characters per row"}, {"枠行数", "Rows"},
    {"枠文字間隔％", "Character spacing %"}, {"枠行間隔％", "Line spacing %"}, {"枠線幅％", "Line width %"},
    {"枠計算", "Calculate frame"}, {"閉じた輪郭", "Closed polylines"}, {"単位", "Units"},
    {" には", " must be"}, {"線幅 には", "Line width must be"},
    {"ファイル が選択されていません。", "No output file is chosen."},
    {"文字 が記入されていません。", "There is no text to draw."},
    {"文字幅 が ゼロ以下です。", "Character width must be greater than zero."},
    {"文字高 が ゼロ以下です。", "Character height must be greater than zero."},
    {"線幅 が ゼロ以下です。", "Line width must be greater than zero."},
    {"文字間隔 が ゼロ未満です。", "Character spacing must not be negative."},
    {"行間隔 が ゼロ未満です。", "Line spacing must not be negative."},
    {"文字幅 が 線幅 以下です。", "Character width must be greater than the line width."},
    {"文字高 が 線幅 以下です。", "Character height must be greater than the line width."},
    {"対応してない文字が含まれています。\n　", "The text holds a character that cannot be drawn.\n"},
    {"対応してない文字が含まれています。", "The text holds a character that cannot be drawn."},
    {"文字の 点 の 線幅 は 0.6 未満です。", "The line width must be less than 0.6 for '.'."},
    {"枠幅 が ゼロ以下です。\n　枠計算 は出来ません。",
     "Frame width must be greater than zero.\nThe frame cannot be calculated."},
    {"\n　枠計算 は出来ません。", "\nThe frame cannot be calculated."},
    {"枠行文字数 が ゼロ以下です。\n　枠計算 は出来ません。",
     "Characters per row must be greater than zero.\nThe frame cannot be calculated."},
    {"作成DXFファイルを指定", "Choose the DXF file to write"},
    {"DXFファイル(.dxf) (*.dxf)", "DXF files (*.dxf)"},
    {"すべてのファイル(*.*) (*)", "All files (*)"},
    {"指定ファイルの削除に失敗しました。\n　指定したファイルは使用できません。",
     "The chosen file cannot be replaced.\nChoose another one."},
    {"tracemill を終了しますか？", "Quit tracemill?"},
    {"はい(&Y)", "&Yes"}, {"いいえ(&N)", "&No"},
    {"最大", "Widest"}, {"自動", "Auto"}, {"配置", "Align"}, {"原点", "Origin"}, {"描く", "Draw"},
    {"最大(&X)", "Widest (&Y)"}, {"配置(&J)：", "Align (&J):"}, {"原点：", "Origin:"}, {"描く：", "Draw:"},
    {"描く もの が選ばれていません。", "Nothing is chosen to draw."},
    {"閉じた輪郭(&P)", "Closed &polylines"}, {"自動(&Z)", "Auto (&Q)"}, {"中心線", "centre line"},
    {"輪郭", "outline"}, {"枠", "frame"}, {"なし", "none"}, {"左寄せ", "left"}, {"中央", "center"},
    {"右寄せ", "right"}, {"中心", "middle"}, {"左下", "lower left"}, {"ミル", "mill"}, {"レーザー", "laser"},
    {"ペン", "pen"},
};

Language test_language = Language::Japanese;

QString L(const QString& japanese) {
    if (test_language == Language::Japanese) return japanese;
    for (const auto& [ja, en] : kEnglish)
        if (japanese == QString::fromUtf8(ja)) return QString::fromUtf8(en);
    return QStringLiteral("(no English text for ") + japanese + QLatin1Char(')');
}
QString L(const char* japanese) { return L(QString::fromUtf8(japanese)); }

QString kNotCreated, kCreated, kExists;  // set by main() in the chosen language

// A dialog with its fake services, shown and active so that focus and keys
// behave as for a user.
struct Fixture {
    FakeServices services;
    std::unique_ptr<MainDialog> dialog;
    QTemporaryDir dir;

    Fixture() : dialog(std::make_unique<MainDialog>(services)) {
        dialog->show();
        dialog->activateWindow();
        (void)QTest::qWaitForWindowActive(dialog.get());
    }
    ~Fixture() {
        // Closing at the end of a test must not ask anything.
        dialog->hide();
    }
    QLineEdit* field(Field f) const { return dialog->field(f); }
    void set(Field f, const QString& text) { field(f)->setText(text); }
    void setText(const QString& text) { dialog->textEdit()->setPlainText(text); }
    QString path(const QString& name) const { return dir.filePath(name); }
    // Picks the output file through the chooser, as a user would.
    void choose(const QString& path, std::deque<bool> answers = {}) {
        services.choices.push_back(path);
        services.answers = std::move(answers);
        findButton("browse")->click();
    }
    QPushButton* findButton(const char* name) const {
        return dialog->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    QString lastMessage() const {
        return services.informed.isEmpty() ? QString() : services.informed.last();
    }
};

QByteArray read_file(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

void write_file(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// What the command-line tool writes for the same inputs.
QByteArray cli_output(const QString& out, const QStringList& args) {
    const QString program = qEnvironmentVariable("TRACEMILL");
    if (program.isEmpty()) {
        qWarning("TRACEMILL (the command-line tool) is not set");
        return {};
    }
    QProcess p;
    p.start(program, QStringList{QStringLiteral("-f"), QStringLiteral("-o"), out} + args);
    if (!p.waitForFinished(30000)) return {};
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() > 1) {
        qWarning("%s", p.readAllStandardError().constData());
        return {};
    }
    return read_file(out);
}

// What the command prints on standard output and on standard error, in the
// tests' language.
std::pair<QString, QString> cli_said(const QStringList& args) {
    QProcess p;
    const QString lang = test_language == Language::English ? QStringLiteral("en") : QStringLiteral("ja");
    p.start(qEnvironmentVariable("TRACEMILL"), QStringList{QStringLiteral("--lang"), lang} + args);
    if (!p.waitForFinished(30000)) return {};
    return {QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}
QString cli_stdout(const QStringList& args) { return cli_said(args).first; }

bool is_root() { return geteuid() == 0; }

// The lines under the preview's picture as a user sees them: each one with a
// text shown, and none shown empty, taking space.
void check_lines_shown(const PreviewWidget* preview) {
    for (const QLabel* l : preview->findChildren<QLabel*>())
        QVERIFY2(l->isVisible() == !l->text().isEmpty(), qPrintable(l->text()));
}

// The preview's and the icon's two colours at full strength.
bool is_cyan(const QColor& c) { return c.red() < 90 && c.green() > 200 && c.blue() > 200; }
bool is_magenta(const QColor& c) { return c.red() > 200 && c.green() < 90 && c.blue() > 200; }

// Every control's properties a user meets, one line each in the order the
// controls were made (texts aside: they depend on the language and are
// checked on their own): what is enabled and shown, how text is aligned,
// wrapped and scrolled, what a field accepts, which button is the default.
std::vector<std::pair<QString, QString>> describe_controls(const QWidget* dialog) {
    std::vector<std::pair<QString, QString>> out;
    QString head = QStringLiteral("dialog flags=%1 font=%2/%3 icon=")
                       .arg(int(dialog->windowFlags()), 0, 16)
                       .arg(dialog->font().families().join(QLatin1Char(',')))
                       .arg(dialog->font().pointSize());
    // Each size of the icon: the dark ground, a magenta outline round a cyan
    // stroke, how many pixels of each (the shape of the pen's sweep), and the
    // picture itself.
    for (const QSize& size : dialog->windowIcon().availableSizes()) {
        const QImage icon = dialog->windowIcon().pixmap(size).toImage();
        int cyan = 0, magenta = 0;
        for (int y = 0; y < icon.height(); ++y)
            for (int x = 0; x < icon.width(); ++x) {
                cyan += is_cyan(icon.pixelColor(x, y));
                magenta += is_magenta(icon.pixelColor(x, y));
            }
        const QImage argb = icon.convertToFormat(QImage::Format_ARGB32);
        const QByteArray bits(reinterpret_cast<const char*>(argb.constBits()), argb.sizeInBytes());
        head += QStringLiteral("%1:%2,%3,%4,%5 ")
                    .arg(size.width()).arg(icon.pixelColor(0, 0).name()).arg(cyan).arg(magenta)
                    .arg(QString::fromLatin1(QCryptographicHash::hash(bits, QCryptographicHash::Sha256).toHex().left(16)));
    }
    out.emplace_back(QStringLiteral("dialog"), head);
    const char* const names[] = {"alignment", "wordWrap", "textFormat", "textInteractionFlags", "lineWrapMode",
                                 "horizontalScrollBarPolicy", "verticalScrollBarPolicy", "tabChangesFocus",
                                 "readOnly", "maxLength", "echoMode", "checked", "currentIndex", "count",
                                 "editable", "default", "autoDefault", "frameShape", "frameShadow", "focusPolicy",
                                 "toolTip", "styleSheet", "sizePolicy"};
    std::map<QString, int> seen;
    for (const QWidget* w : dialog->findChildren<QWidget*>()) {
        const QMetaObject* meta = w->metaObject();
        if (QByteArray(meta->className()).startsWith("QScrollBar") || w->parent()->inherits("QComboBox") ||
            w->parent()->inherits("QAbstractScrollArea"))
            continue;
        QString key = w->objectName();
        if (const auto* l = qobject_cast<const QLabel*>(w); l && l->buddy()) key = l->buddy()->objectName() + ".label";
        if (key.isEmpty()) key = QString::fromLatin1(meta->className());
        if (const int n = seen[key]++) key += QStringLiteral("#%1").arg(n);
        QString line = QString::fromLatin1(meta->className()) +
                       QStringLiteral(" enabled=%1 shown=%2").arg(w->isEnabled()).arg(w->isVisibleTo(dialog));
        for (const char* name : names) {
            const int i = meta->indexOfProperty(name);
            if (i < 0) continue;
            const QMetaProperty prop = meta->property(i);
            const QVariant v = prop.read(w);
            QString value = v.toString();
            if (prop.isEnumType()) value = QString::number(v.toInt());
            if (v.metaType() == QMetaType::fromType<QSizePolicy>()) {
                const auto sp = v.value<QSizePolicy>();
                value = QStringLiteral("%1/%2").arg(int(sp.horizontalPolicy())).arg(int(sp.verticalPolicy()));
            }
            line += QStringLiteral(" %1=%2").arg(QString::fromLatin1(name), value);
        }
        // A least size set in the dialog's font: widths in digits, heights in lines.
        if (w->minimumWidth() > 0 || w->minimumHeight() > 0)
            line += QStringLiteral(" least=%1ch,%2lines")
                        .arg(double(w->minimumWidth()) / dialog->fontMetrics().horizontalAdvance(QLatin1Char('0')), 0, 'f', 2)
                        .arg(double(w->minimumHeight()) / dialog->fontMetrics().lineSpacing(), 0, 'f', 2);
        // The picture's own size, which sets the dialog's first size.
        if (qobject_cast<const PreviewCanvas*>(w))
            line += QStringLiteral(" sizeHint=%1x%2 minimum=%3x%4")
                        .arg(w->sizeHint().width()).arg(w->sizeHint().height())
                        .arg(w->minimumSizeHint().width()).arg(w->minimumSizeHint().height());
        if (const auto* e = qobject_cast<const QLineEdit*>(w)) {
            line += QStringLiteral(" text=") + e->text();
            if (e->validator()) {
                const auto* re = qobject_cast<const QRegularExpressionValidator*>(e->validator());
                line += QStringLiteral(" accepts=") + (re ? re->regularExpression().pattern() : QStringLiteral("?"));
            }
        }
        out.emplace_back(key, line);
    }
    // How the controls are laid out, independent of fonts and texts: every
    // layout's margins and spacing, each item's cell and alignment, and the
    // share of the width or height each column, row or item takes.
    int k = 0;
    for (const QLayout* layout : dialog->findChildren<QLayout*>()) {
        const QMargins m = layout->contentsMargins();
        QString line = QStringLiteral("%1 margins=%2,%3,%4,%5 spacing=%6")
                           .arg(QString::fromLatin1(layout->metaObject()->className()))
                           .arg(m.left()).arg(m.top()).arg(m.right()).arg(m.bottom()).arg(layout->spacing());
        const auto* grid = qobject_cast<const QGridLayout*>(layout);
        const auto* box = qobject_cast<const QBoxLayout*>(layout);
        for (int i = 0; i < layout->count(); ++i) {
            QLayoutItem* item = layout->itemAt(i);
            QString what = item->widget() ? item->widget()->objectName() : item->layout() ? QStringLiteral("layout")
                                                                                        : QStringLiteral("space");
            if (const auto* l = item->widget() ? qobject_cast<const QLabel*>(item->widget()) : nullptr; l && l->buddy())
                what = l->buddy()->objectName() + ".label";
            line += QStringLiteral(" | %1 align=%2").arg(what).arg(int(item->alignment()));
            if (grid) {
                int row, column, rows, columns;
                grid->getItemPosition(i, &row, &column, &rows, &columns);
                line += QStringLiteral(" at=%1,%2 span=%3,%4").arg(row).arg(column).arg(rows).arg(columns);
            }
            if (box) line += QStringLiteral(" stretch=%1").arg(box->stretch(i));
        }
        if (grid) {
            line += QStringLiteral(" | column stretch");
            for (int c = 0; c < grid->columnCount(); ++c) line += QStringLiteral(" %1").arg(grid->columnStretch(c));
        }
        out.emplace_back(QStringLiteral("layout#%1").arg(k++), line);
    }
    return out;
}

// What a user can see of the dialog's values between two steps: each
// field's text and whether it takes input, each list's choice, each box's
// tick, the chosen file, the text, where the focus is, and the preview's
// notes and how many entities it draws.
QStringList describe_values(const MainDialog* dialog) {
    QStringList out;
    for (const QWidget* w : dialog->findChildren<QWidget*>()) {
        const QString name = w->objectName();
        if (name.isEmpty()) continue;
        QString v;
        if (const auto* e = qobject_cast<const QLineEdit*>(w)) v = e->text();
        else if (const auto* c = qobject_cast<const QComboBox*>(w)) v = QString::number(c->currentIndex());
        else if (const auto* b = qobject_cast<const QCheckBox*>(w)) v = QString::number(b->isChecked());
        else if (const auto* l = qobject_cast<const QLabel*>(w)) v = l->text();
        else if (const auto* t = qobject_cast<const QPlainTextEdit*>(w)) v = t->toPlainText();
        else continue;
        out << name + (w->isEnabled() ? QStringLiteral(" = ") : QStringLiteral(" (off) = ")) + v;
    }
    const QWidget* focus = QApplication::focusWidget();
    const auto* focused_edit = qobject_cast<const QLineEdit*>(focus);
    out << QStringLiteral("focus = ") + (focus ? focus->objectName() : QString()) +
               (focused_edit && focused_edit->hasSelectedText() ? QStringLiteral(" [") + focused_edit->selectedText() + ']'
                                                                : QString());
    const PreviewWidget* preview = dialog->preview();
    out << QStringLiteral("preview = %1 entities | %2 | %3")
               .arg(preview->canvas()->paths().entities)
               .arg(preview->message(), preview->place());
    return out;
}

// One line of the story's record, line breaks shown as "\n".
QString one_line(QString s) { return s.replace(QLatin1Char('\n'), QStringLiteral("\\n")); }

}  // namespace

// ---------------------------------------------------------------------------
class DialogFieldsTest : public QObject {
    Q_OBJECT
private slots:
    void freshDialogShowsTheDefaults() {
        Fixture fx;
        const std::map<Field, QString> expected = {
            {Field::CharWidth, "2.1"},         {Field::CharHeight, "5"},
            {Field::LineWidth, "0.3"},         {Field::CharSpacing, "0.4"},
            {Field::LineSpacing, "0.4"},       {Field::FrameWidth, "2.5"},
            {Field::FrameHeight, "5"},         {Field::FrameCharsPerRow, "1"},
            {Field::FrameRows, "1"},           {Field::FrameCharSpacingPercent, "20"},
            {Field::FrameLineSpacingPercent, "50"}, {Field::FrameLineWidthPercent, "15"},
        };
        for (const auto& [f, text] : expected) QCOMPARE(fx.field(f)->text(), text);
        QCOMPARE(fx.dialog->textEdit()->toPlainText(), QString());
        QCOMPARE(fx.dialog->pathDisplay()->text(), QString());
        QCOMPARE(fx.dialog->windowTitle(), QStringLiteral("tracemill"));
        // It reads back what it shows, and an empty text is no complaint.
        QVERIFY(fx.dialog->saveFields());
        QVERIFY(fx.dialog->preview()->message().isEmpty());
        QVERIFY(fx.services.informed.isEmpty());
    }

    void everyControlLooksAndActsAsRecorded() {
        // The controls after each step a user takes, against the record in
        // dialog_controls.txt: the fresh dialog in full, then what each step
        // changes. TRACEMILL_RECORD_CONTROLS=FILE writes the record afresh.
        Fixture fx;
        auto before = describe_controls(fx.dialog.get());
        QStringList record;
        for (const auto& [key, line] : before) record << key + QStringLiteral(": ") + line;
        const auto step = [&](const char* name) {
            record << QStringLiteral("after ") + QLatin1String(name);
            const auto now = describe_controls(fx.dialog.get());
            for (std::size_t i = 0; i < now.size(); ++i)
                if (i >= before.size() || now[i] != before[i]) record << now[i].first + QStringLiteral(": ") + now[i].second;
            before = now;
        };
        for (int machine : {1, 2, 3}) {
            fx.dialog->gcodeMachineBox()->setCurrentIndex(machine);
            step(machine == 1 ? "mill" : machine == 2 ? "laser" : "pen");
        }
        fx.dialog->gcodeMachineBox()->setCurrentIndex(0);
        fx.dialog->findChild<QCheckBox*>(QStringLiteral("frameGridAuto"))->setChecked(true);
        step("auto");
        fx.dialog->findChild<QCheckBox*>(QStringLiteral("frameGridAuto"))->setChecked(false);
        fx.choose(QStringLiteral("/nonexistent/plate.dxf"));
        step("choosing a file");
        fx.dialog->unitsBox()->setCurrentIndex(2);
        step("inch");
        fx.set(Field::FrameWidth, "12");
        fx.findButton("frameCalculation")->click();
        step("a frame 12 wide");
        fx.setText("A");
        fx.findButton("fitLineWidth")->click();
        step("the widest stroke");
        fx.set(Field::CharWidth, "x");
        fx.setText("-");
        fx.dialog->refreshPreview();
        step("an unreadable width");
        const QString file = QStringLiteral(TRACEMILL_APP_TEST_DIR "/dialog_controls.txt");
        if (const QString out = qEnvironmentVariable("TRACEMILL_RECORD_CONTROLS"); !out.isEmpty()) {
            write_file(out, (record.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
            return;
        }
        const QStringList expected = QString::fromUtf8(read_file(file)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY2(!expected.isEmpty(), qPrintable(file));
        for (qsizetype i = 0; i < std::max(record.size(), expected.size()); ++i)
            QCOMPARE(record.value(i), expected.value(i));
    }

    void labelsAndButtonsCarryTheirTexts() {
        Fixture fx;
        QStringList labels;
        for (auto* l : fx.dialog->findChildren<QLabel*>()) labels << l->text();
        for (const char* text :
             {"ファイル：", "文字幅(&W)：", "文字高(&E)：", "線幅(&L)：", "文字間隔(&I)：",
              "行間隔(&S)：", "文字(&T)：", "枠幅(&B)：", "枠高(&A)：", "枠行文字数(&N)：",
              "枠行数(&V)：", "枠線幅％(&D)：", "枠文字間隔％(&G)：", "枠行間隔％(&O)：",
              "単位(&U)：", "Gコード(&K)：", "経路(&R)：", "送り(&M)：", "深さ(&Q)：", "出力％(&Y)：",
              "配置(&J)：", "原点：", "描く："}) {
            QVERIFY2(labels.contains(L(text)), qPrintable(L(text)));
        }
        QStringList buttons;
        for (auto* b : fx.dialog->findChildren<QPushButton*>()) buttons << b->text();
        buttons.sort();
        QStringList expected{L("参照(&F)"), L("作成"), L("終了"), L("ﾍﾙﾌﾟ(&H)"), L("枠計算(&C)"), L("最大(&X)")};
        expected.sort();
        QCOMPARE(buttons, expected);
        QVERIFY(fx.dialog->createButton()->isDefault());
        // Each mnemonic label leads to its field.
        for (auto* l : fx.dialog->findChildren<QLabel*>()) {
            if (l->text().contains(QLatin1Char('&'))) QVERIFY2(l->buddy() != nullptr, qPrintable(l->text()));
        }
        // The check boxes and the lists' items.
        QStringList boxes;
        for (auto* b : fx.dialog->findChildren<QCheckBox*>()) boxes << b->text();
        QCOMPARE(boxes, (QStringList{L("閉じた輪郭(&P)"), L("自動(&Z)"), L("中心線"), L("輪郭"), L("枠")}));
        const std::pair<const char*, QStringList> lists[] = {
            {"units", {L("なし"), "mm", "inch"}},
            {"align", {L("左寄せ"), L("中央"), L("右寄せ")}},
            {"origin", {L("中心"), L("左下")}},
            {"gcodeMachine", {L("なし"), L("ミル"), L("レーザー"), L("ペン")}},
            {"gcodePath", {L("中心線"), L("輪郭")}}};
        for (const auto& [name, expected] : lists) {
            const auto* box = fx.dialog->findChild<QComboBox*>(QString::fromLatin1(name));
            QStringList items;
            for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
            QCOMPARE(items, expected);
        }
        // In English no Japanese text is left anywhere in the dialog.
        if (test_language == Language::English) {
            for (const QWidget* w : fx.dialog->findChildren<QWidget*>()) {
                QStringList texts{w->toolTip(), w->windowTitle()};
                if (const auto* l = qobject_cast<const QLabel*>(w)) texts << l->text();
                if (const auto* b = qobject_cast<const QAbstractButton*>(w)) texts << b->text();
                if (const auto* c = qobject_cast<const QComboBox*>(w))
                    for (int i = 0; i < c->count(); ++i) texts << c->itemText(i);
                for (const QString& t : texts)
                    QVERIFY2(std::none_of(t.begin(), t.end(), [](QChar c) { return c.unicode() >= 0x3000; }),
                             qPrintable(t));
            }
        }
    }

    void tabOrderFollowsTheControlList() {
        Fixture fx;
        const QStringList expected{
            "browse", "charWidth", "charHeight", "lineWidth", "fitLineWidth", "charSpacing", "lineSpacing",
            "text", "create", "frameWidth", "frameHeight", "frameCharsPerRow", "frameRows",
            "frameLineWidthPercent", "frameCharSpacingPercent", "frameLineSpacingPercent",
            "frameCalculation", "frameGridAuto", "align", "origin", "drawSkeleton", "drawOutline", "drawFrame",
            "polylines", "units", "quit", "help",
            "gcodeMachine", "gcodePath", "gcodeFeed", "gcodeDepth", "gcodePower"};
        QWidget* start = fx.findButton("browse");
        QVERIFY(start->hasFocus());  // the first control has the focus at start
        QStringList seen{start->objectName()};
        for (QWidget* w = start->nextInFocusChain(); w != start; w = w->nextInFocusChain()) {
            if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && !w->objectName().isEmpty() &&
                w->parentWidget() == fx.dialog.get()) {
                seen << w->objectName();
            }
        }
        QCOMPARE(seen, expected);
    }

    void countFieldsTakeDigitsOnly() {
        Fixture fx;
        QLineEdit* rows = fx.field(Field::FrameRows);
        rows->clear();
        QTest::keyClicks(rows, QStringLiteral("-12.5e3x"));
        QCOMPARE(rows->text(), QStringLiteral("1253"));
        // The number fields take any text; the exchange judges it.
        QLineEdit* width = fx.field(Field::CharWidth);
        width->clear();
        QTest::keyClicks(width, QStringLiteral("-1.5"));
        QCOMPARE(width->text(), QStringLiteral("-1.5"));
    }

    void aLongRowStaysOneLineScrolledSideways() {
        Fixture fx;
        fx.setText(QString(120, QLatin1Char('A')));
        QPlainTextEdit* text = fx.dialog->textEdit();
        QCOMPARE(text->document()->firstBlock().layout()->lineCount(), 1);
        QVERIFY(text->horizontalScrollBar()->maximum() > 0);
    }

    void returnRunsCreateExceptInTheTextBox() {
        Fixture fx;
        fx.dialog->textEdit()->setFocus();
        QTest::keyClicks(fx.dialog->textEdit(), QStringLiteral("-"));
        QTest::keyClick(fx.dialog->textEdit(), Qt::Key_Return);
        QTest::keyClicks(fx.dialog->textEdit(), QStringLiteral("/"));
        QCOMPARE(fx.dialog->textEdit()->toPlainText(), QStringLiteral("-\n/"));
        QVERIFY(fx.services.informed.isEmpty());
        // Tab leaves the text box instead of typing a tab into it.
        QTest::keyClick(fx.dialog->textEdit(), Qt::Key_Tab);
        QVERIFY(fx.dialog->createButton()->hasFocus());
        QCOMPARE(fx.dialog->textEdit()->toPlainText(), QStringLiteral("-\n/"));
        // In a field, and on a focused button other than 作成, Return is 作成
        // (no path chosen yet, so Create says so).
        fx.field(Field::LineWidth)->setFocus();
        QTest::keyClick(fx.field(Field::LineWidth), Qt::Key_Return);
        QCOMPARE(fx.services.informed,
                 QStringList{L("ファイル が選択されていません。") + kNotCreated});
        for (const char* name : {"browse", "fitLineWidth", "frameCalculation", "quit", "help"}) {
            auto* button = fx.dialog->findChild<QPushButton*>(QString::fromLatin1(name));
            button->setFocus();
            fx.services.informed.clear();
            QTest::keyClick(button, Qt::Key_Return);
            QCOMPARE(fx.services.informed, QStringList{L("ファイル が選択されていません。") + kNotCreated});
        }
    }

    // Every control has a place of its own inside the dialog, and each label
    // stands just left of its field, on the same line.
    void theControlsLieSideBySide() {
        Fixture fx;
        const auto name = [](const QWidget* w) {
            const auto* l = qobject_cast<const QLabel*>(w);
            return l != nullptr ? l->text() : w->objectName();
        };
        auto* machine = fx.dialog->findChild<QComboBox*>(QStringLiteral("gcodeMachine"));
        for (int m = 0; m < machine->count(); ++m) {  // each machine shows fields of its own
            machine->setCurrentIndex(m);
            fx.dialog->resize(fx.dialog->sizeHint());
            QCoreApplication::processEvents();
            QList<QWidget*> controls;
            for (QWidget* w : fx.dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (w->isVisible()) controls << w;
            const QRect inside = fx.dialog->rect();
            for (qsizetype a = 0; a < controls.size(); ++a) {
                const QRect ra = controls[a]->geometry();
                QVERIFY2(inside.contains(ra), qPrintable(name(controls[a])));
                for (qsizetype b = a + 1; b < controls.size(); ++b) {
                    QVERIFY2(!ra.intersects(controls[b]->geometry()),
                             qPrintable(name(controls[a]) + " / " + name(controls[b])));
                }
            }
            for (auto* l : fx.dialog->findChildren<QLabel*>()) {
                QWidget* field = l->buddy();
                if (field == nullptr || !l->isVisible()) continue;
                const QRect rl = l->geometry(), rf = field->geometry();
                if (field == fx.dialog->textEdit()) {  // the text box's label heads it
                    QVERIFY(rl.bottom() < rf.top() && rf.top() - rl.bottom() < 20);
                    continue;
                }
                QVERIFY2(rl.right() < rf.left() && rf.left() - rl.right() < 20, qPrintable(l->text()));
                QVERIFY2(qAbs(rl.center().y() - rf.center().y()) <= 2, qPrintable(l->text()));
            }
        }
    }

    void helpExplainsTheFieldsAndTheFrameCalculation() {
        Fixture fx;
        fx.findButton("help")->click();
        QCOMPARE(fx.services.informed.size(), 1);
        for (const char* word :
             {"文字幅", "線幅", "文字間隔", "枠計算", "枠行文字数", "枠線幅％", "閉じた輪郭", "単位", "最大", "自動",
              "配置", "原点", "描く"}) {
            QVERIFY2(fx.services.informed.first().contains(L(word)), qPrintable(L(word)));
        }
    }
};

// ---------------------------------------------------------------------------
class ExchangeTest : public QObject {
    Q_OBJECT
private slots:
    void firstFailingFieldInExchangeOrderIsReportedAndFocused() {
        Fixture fx;
        // Every field unreadable; each fix reveals the next in exchange order.
        const std::pair<Field, const char*> order[] = {
            {Field::CharHeight, "文字高"}, {Field::CharSpacing, "文字間隔"},
            {Field::LineWidth, "線幅"}, {Field::LineSpacing, "行間隔"},
            {Field::CharWidth, "文字幅"}, {Field::FrameHeight, "枠高"},
            {Field::FrameWidth, "枠幅"}, {Field::FrameCharsPerRow, "枠行文字数"},
            {Field::FrameRows, "枠行数"}, {Field::FrameCharSpacingPercent, "枠文字間隔％"},
            {Field::FrameLineSpacingPercent, "枠行間隔％"}, {Field::FrameLineWidthPercent, "枠線幅％"}};
        for (const auto& [f, name] : order) fx.set(f, QString());
        for (const auto& [f, name] : order) {
            fx.services.clear();
            QVERIFY(!fx.dialog->saveFields());
            const bool count = f >= Field::FrameCharsPerRow;
            QCOMPARE(fx.services.informed,
                     QStringList{L(name) + L(count ? " には 0 から 2147483647 までの整数を入力してください。"
                                                   : " には -1000000000 から 1000000000 までの数値を入力してください。")});
            QVERIFY2(fx.field(f)->hasFocus(), name);
            fx.set(f, QStringLiteral("1"));
        }
        // What was typed is selected, ready to be typed over.
        fx.set(Field::LineWidth, QStringLiteral("0.3mm"));
        QVERIFY(!fx.dialog->saveFields());
        QCOMPARE(fx.field(Field::LineWidth)->selectedText(), QStringLiteral("0.3mm"));
        fx.set(Field::LineWidth, QStringLiteral("1"));
        fx.services.clear();
        QVERIFY(fx.dialog->saveFields());
        QVERIFY(fx.services.informed.isEmpty());
    }

    void notANumberAndUndrawableMagnitudesAreRefused() {
        Fixture fx;
        for (const char* bad : {"nan", "NAN", "inf", "-inf", "infinity", "1e999", "1e10",
                                "-1000000001", "2,5", "0x10", "２.１", "2.1.1"}) {
            fx.services.clear();
            fx.set(Field::CharWidth, QString::fromUtf8(bad));
            QVERIFY2(!fx.dialog->saveFields(), bad);
            QCOMPARE(fx.services.informed,
                     QStringList{L("文字幅") + L(" には -1000000000 から 1000000000 までの数値を入力してください。")});
            QCOMPARE(fx.dialog->values().params.char_width, 2.1);  // unchanged
        }
        fx.set(Field::CharWidth, QStringLiteral("  1e9 "));
        QVERIFY(fx.dialog->saveFields());
        QCOMPARE(fx.dialog->values().params.char_width, 1e9);
        fx.set(Field::FrameRows, QStringLiteral("2147483648"));
        QVERIFY(!fx.dialog->saveFields());
        fx.set(Field::FrameRows, QStringLiteral("2147483647"));
        QVERIFY(fx.dialog->saveFields());
        QCOMPARE(fx.dialog->values().frame.rows, 2147483647);
    }

    void aFailingExchangeStopsEveryCommand() {
        Fixture fx;
        fx.choose(fx.path("a.dxf"));
        fx.setText(QStringLiteral("-"));
        fx.set(Field::LineSpacing, QStringLiteral("nan"));
        fx.services.clear();
        fx.dialog->create();
        QCOMPARE(fx.services.informed,  // the field's message only
                 QStringList{L("行間隔") + L(" には -1000000000 から 1000000000 までの数値を入力してください。")});
        QVERIFY(!QFileInfo::exists(fx.path("a.dxf")));
        fx.services.clear();
        fx.dialog->chooseOutputFile();
        QVERIFY(fx.services.requests.empty());  // no save dialog
        fx.services.clear();
        fx.set(Field::FrameWidth, QStringLiteral("10"));
        fx.dialog->calculateFrame();
        QCOMPARE(fx.field(Field::CharWidth)->text(), QStringLiteral("2.1"));
    }

    void valuesAreShownTheWayAPersonWritesThem() {
        Fixture fx;
        fx.set(Field::CharWidth, QStringLiteral("+2.50"));
        fx.set(Field::FrameRows, QStringLiteral("007"));
        fx.set(Field::LineSpacing, QStringLiteral(" 1e-1"));
        fx.dialog->calculateFrame();  // reads, computes, and shows everything again
        QCOMPARE(fx.field(Field::FrameRows)->text(), QStringLiteral("7"));
        QCOMPARE(fx.field(Field::FrameWidth)->text(), QStringLiteral("2.5"));
        // The derived values replace the typed ones.
        QCOMPARE(fx.field(Field::CharWidth)->text(), QStringLiteral("2.5"));
        // 7 rows: H = 5 / (7 + 350·0.01 − 50·0.01) = 0.5, and 50 % of it.
        QCOMPARE(fx.field(Field::LineSpacing)->text(), QStringLiteral("0.25"));
    }
};

// ---------------------------------------------------------------------------
class CreateTest : public QObject {
    Q_OBJECT
private slots:
    void everyStepSaysAndWritesAsRecorded() {
        // A user's session, step by step, against the record in
        // dialog_story.<language>.txt: after each step ("> " lines, read from
        // the Japanese record) every message, question and save dialog the
        // step opened, the files it wrote or changed, and what changed in the
        // fields, the focus and the preview. TRACEMILL_RECORD_STORY=FILE
        // writes this language's record afresh.
        const QString dir_name = QStringLiteral(TRACEMILL_APP_TEST_DIR "/dialog_story.");
        const QString own = dir_name + (test_language == Language::English ? "en" : "ja") + ".txt";
        const QStringList script = QString::fromUtf8(read_file(dir_name + "ja.txt")).split(QLatin1Char('\n'));
        std::unique_ptr<Fixture> fx;
        QStringList record, before;
        std::map<QString, QByteArray> files;
        for (const QString& line : script) {
            if (!line.startsWith(QStringLiteral("> "))) continue;
            record << line;
            const QStringList w = line.mid(2).split(QLatin1Char(' '));
            const QString arg = line.section(QLatin1Char(' '), 2).replace(QStringLiteral("\\n"), QStringLiteral("\n"));
            const QString rest = line.section(QLatin1Char(' '), 3).replace(QStringLiteral("\\n"), QStringLiteral("\n"));
            if (w[0] == "new") {
                fx.reset();
                fx = std::make_unique<Fixture>();
                before.clear();
                files.clear();
            } else if (w[0] == "set") {
                fx->dialog->findChild<QLineEdit*>(w[1])->setText(rest);
            } else if (w[0] == "text") {
                fx->setText(arg);
            } else if (w[0] == "pick") {
                fx->dialog->findChild<QComboBox*>(w[1])->setCurrentIndex(w[2].toInt());
            } else if (w[0] == "tick") {
                fx->dialog->findChild<QCheckBox*>(w[1])->setChecked(w[2] == "1");
            } else if (w[0] == "choose") {  // the save dialog's next answer; "-" cancels
                fx->services.choices.push_back(arg == "-" ? std::nullopt : std::optional(fx->path(arg)));
            } else if (w[0] == "answer") {
                for (const QString& a : w.mid(1)) fx->services.answers.push_back(a == "yes");
            } else if (w[0] == "file") {
                write_file(fx->path(w[1]), rest.toUtf8());
            } else if (w[0] == "folder") {
                QVERIFY(QDir(fx->dir.path()).mkpath(w[1]));
            } else if (w[0] == "click") {
                fx->findButton(qPrintable(w[1]))->click();
            } else if (w[0] == "type" || w[0] == "key") {  // keys as typed into a control
                QWidget* target = fx->dialog->findChild<QWidget*>(w[1]);
                target->setFocus();
                if (w[0] == "type") QTest::keyClicks(target, rest);
                else QTest::keyClick(target, w[2] == "Return" ? Qt::Key_Return : w[2] == "Escape" ? Qt::Key_Escape : Qt::Key_Tab);
            } else {
                QFAIL(qPrintable(QStringLiteral("unknown step: ") + line));
            }
            fx->dialog->refreshPreview();
            const QString here = fx->dir.path();
            const auto show = [&](const QString& what, const QString& text) {
                record << what + one_line(QString(text).replace(here, QStringLiteral("$DIR")));
            };
            for (const SaveFileRequest& r : fx->services.requests)
                show(QStringLiteral("  save dialog: "),
                     QStringList{r.title, r.filters.join(QLatin1Char(';')), r.defaultSuffix, r.initialPath}.join(" | "));
            for (const QString& q : fx->services.asked) show(QStringLiteral("  asked: "), q);
            for (const QString& m : fx->services.informed) show(QStringLiteral("  said: "), m);
            for (const QString& q : fx->services.unexpected) show(QStringLiteral("  not answered: "), q);
            if (fx->services.busy_spells > 0) show(QStringLiteral("  wait cursor: "), QString::number(fx->services.busy_spells));
            QVERIFY(!fx->services.busy);
            fx->services.clear();
            QDirIterator it(here, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
            std::map<QString, QByteArray> now;
            while (it.hasNext()) {
                const QString path = it.next();
                const QByteArray bytes = read_file(path);
                now[path.mid(here.size() + 1)] =
                    it.fileInfo().isDir() ? QByteArray("folder")
                                          : QByteArray::number(bytes.size()) + ' ' +
                                                QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().left(16);
            }
            for (const auto& [name, sum] : now)
                if (files[name] != sum) show(QStringLiteral("  file: "), name + ' ' + QString::fromLatin1(sum));
            for (const auto& [name, sum] : files)
                if (!sum.isEmpty() && !now.count(name)) show(QStringLiteral("  file gone: "), name);
            files = now;
            const QStringList values = describe_values(fx->dialog.get());
            for (qsizetype i = 0; i < values.size(); ++i)
                if (before.value(i) != values[i]) show(QStringLiteral("  "), values[i]);
            before = values;
        }
        if (const QString out = qEnvironmentVariable("TRACEMILL_RECORD_STORY"); !out.isEmpty()) {
            write_file(out, (record.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
            return;
        }
        const QStringList expected = QString::fromUtf8(read_file(own)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY2(record.size() > 100, qPrintable(own));
        QString step;
        for (qsizetype i = 0; i < std::max(record.size(), expected.size()); ++i) {
            if (record.value(i).startsWith(QStringLiteral("> "))) step = record.value(i);
            QVERIFY2(record.value(i) == expected.value(i),
                     qPrintable(QStringLiteral("at \"%1\": \"%2\", recorded \"%3\"")
                                    .arg(step, record.value(i), expected.value(i))));
        }
    }

    void everyValidationMessageReachesTheUser() {
        struct Case {
            const char* name;
            std::map<Field, QString> fields;
            QString text;
            bool choose_path;
            QString message;
        };
        const Case cases[] = {
            {"no path", {}, "-", false, "ファイル が選択されていません。"},
            {"no text", {}, "", true, "文字 が記入されていません。"},
            {"width", {{Field::CharWidth, "0"}}, "-", true, "文字幅 が ゼロ以下です。"},
            {"height", {{Field::CharHeight, "-1"}}, "-", true, "文字高 が ゼロ以下です。"},
            {"stroke", {{Field::LineWidth, "0"}}, "-", true, "線幅 が ゼロ以下です。"},
            {"char spacing", {{Field::CharSpacing, "-0.1"}}, "-", true, "文字間隔 が ゼロ未満です。"},
            {"line spacing", {{Field::LineSpacing, "-0.1"}}, "-", true, "行間隔 が ゼロ未満です。"},
            {"width = stroke", {{Field::CharWidth, "0.3"}}, "-", true, "文字幅 が 線幅 以下です。"},
            {"height = stroke", {{Field::CharHeight, "0.3"}}, "-", true, "文字高 が 線幅 以下です。"},
            {"line breaks only", {}, "\n\n", true, "文字 が記入されていません。"},
        };
        for (const Case& c : cases) {
            Fixture fx;
            const QString out = fx.path(QStringLiteral("out.dxf"));
            if (c.choose_path) fx.choose(out);
            for (const auto& [f, v] : c.fields) fx.set(f, v);
            fx.setText(c.text);
            fx.services.clear();
            fx.dialog->create();
            QCOMPARE(fx.services.informed, QStringList{L(c.message) + kNotCreated});
            QVERIFY2(!QFileInfo::exists(out), c.name);
            QVERIFY2(!fx.services.busy, c.name);
        }
        // Zero spacing is allowed.
        Fixture fx;
        fx.choose(fx.path("図面 0.dxf"));  // a name beyond Latin-1 reaches the file system
        fx.set(Field::CharSpacing, "0");
        fx.set(Field::LineSpacing, "0");
        fx.setText("-");
        fx.dialog->create();
        QCOMPARE(fx.lastMessage(), kCreated);
        QVERIFY(QFileInfo::exists(fx.path("図面 0.dxf")));
    }

    void createWritesWhatTheCommandLineToolWrites() {
        struct Case {
            QString text;
            std::map<Field, QString> fields;
            QStringList cli;
            bool closed;  // 閉じた輪郭
            int unit;     // 単位: なし, mm, inch
        };
        const Case cases[] = {
            {"-/ |\n_.", {}, {"--", "-/ |", "_."}, false, 0},
            {"|/-\n\n  ._", {{Field::CharWidth, "3.25"}, {Field::CharHeight, "7"},
                            {Field::LineWidth, "0.45"}, {Field::CharSpacing, "0"},
                            {Field::LineSpacing, "1.5"}},
             {"--char-width", "3.25", "--char-height", "7", "--line-width", "0.45",
              "--char-spacing", "0", "--line-spacing", "1.5", "--", "|/-", "", "  ._"}, false, 0},
            // A stop: everything before the unsupported character is written.
            {"-/é-", {}, {"--", "-/é-"}, false, 0},
            // Closed contours and the unit, alone and together.
            {"O8\nA.", {}, {"--polylines", "--", "O8", "A."}, true, 0},
            {"-", {}, {"--units", "in", "--", "-"}, false, 2},
            // The yen sign is drawn; a half-width katakana, a no-break space
            // and a line separator stop the run where they stand.
            {"¥9 ｱ", {}, {"--", "¥9 ｱ"}, false, 0},
            {"-\u00a0/", {}, {"--", "-\u00a0/"}, false, 0},
            {"--\u2028/", {}, {"--", "--\u2028/"}, false, 0},
            {"Ag", {}, {"--polylines", "--units", "mm", "--", "Ag"}, true, 1},
        };
        for (const Case& c : cases) {
            Fixture fx;
            const QString out = fx.path("dialog.dxf");
            fx.choose(out);
            for (const auto& [f, v] : c.fields) fx.set(f, v);
            fx.dialog->polylinesBox()->setChecked(c.closed);
            fx.dialog->unitsBox()->setCurrentIndex(c.unit);
            fx.setText(c.text);
            fx.dialog->create();
            const QByteArray expected = cli_output(fx.path("cli.dxf"), c.cli);
            QVERIFY(!expected.isEmpty());
            QCOMPARE(read_file(out), expected);
            // Rows are separated by CR LF in the drawing's text, so the frame
            // is as tall as the rows typed.
            QVERIFY(!read_file(out).contains("\n\n"));
        }
    }

    void placementAndPartsDrawWhatTheCommandDraws() {
        struct Case {
            int align, origin;        // 左寄せ 中央 右寄せ; 中心 左下
            bool skeleton, outline, frame;
            QStringList cli;
        };
        const Case cases[] = {
            {1, 0, true, true, true, {"--align", "center"}},
            {2, 1, true, true, true, {"--align", "right", "--origin", "lower-left"}},
            {0, 1, false, true, true, {"--origin", "lower-left", "--draw", "outline,frame"}},
            {1, 0, true, false, false, {"--align", "center", "--draw", "skeleton"}},
            {2, 0, true, true, false, {"--align", "right", "--draw", "skeleton,outline"}},
            {0, 1, false, false, true, {"--origin", "lower-left", "--draw", "frame"}},
        };
        for (const Case& c : cases) {
            Fixture fx;
            const QString out = fx.path("dialog.dxf");
            fx.dialog->alignBox()->setCurrentIndex(c.align);
            fx.dialog->originBox()->setCurrentIndex(c.origin);
            const bool parts[] = {c.skeleton, c.outline, c.frame};
            for (int k = 0; k < 3; ++k) fx.dialog->drawBox(k)->setChecked(parts[k]);
            // Choosing the file shows the fields again: the choices stay.
            fx.choose(out);
            fx.setText("A\nAAA\nR8");
            fx.dialog->create();
            QCOMPARE(fx.lastMessage(), kCreated);
            QCOMPARE(read_file(out), cli_output(fx.path("cli.dxf"), c.cli + QStringList{"--", "A", "AAA", "R8"}));
        }
        // Nothing to draw is said, and nothing written.
        Fixture fx;
        const QString out = fx.path("none.dxf");
        fx.choose(out);
        fx.setText("A");
        for (int k = 0; k < 3; ++k) fx.dialog->drawBox(k)->setChecked(false);
        fx.dialog->create();
        QCOMPARE(fx.lastMessage(), L("描く もの が選ばれていません。") + kNotCreated);
        QVERIFY(!QFile::exists(out));
    }

    void theWidestButtonFillsInWhatTheCommandFinds() {
        Fixture fx;
        fx.set(Field::CharWidth, "3");
        fx.dialog->alignBox()->setCurrentIndex(2);
        fx.setText("REXIT\nQ");
        fx.dialog->fitButton()->click();
        const QStringList lines =
            cli_stdout({"--fit-line-width", "--char-width", "3", "--align", "right", "--", "REXIT", "Q"})
                .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(fx.field(Field::LineWidth)->text(), lines[0]);
        QCOMPARE(fx.lastMessage(), lines[1]);
        // It draws with exactly that width.
        const QString out = fx.path("widest.dxf");
        fx.choose(out);
        fx.dialog->create();
        QCOMPARE(fx.lastMessage(), kCreated);
        // The other outcomes say what the command says; where no width draws
        // the field stays as it was.
        struct Case {
            QString text, width, height;
            bool fits;
        };
        const Case cases[] = {{"-", "0.5", "50", true},     // set by the cell
                              {"Aé", "2.1", "5", false},    // no glyph
                              {"E", "2.1", "2e-6", false},  // not even the thinnest stroke
                              {"", "2.1", "5", false}};     // no text
        for (const Case& c : cases) {
            fx.set(Field::CharWidth, c.width);
            fx.set(Field::CharHeight, c.height);
            fx.set(Field::LineWidth, "1e-7");
            fx.setText(c.text);
            fx.dialog->fitLineWidth();
            const auto [out, err] = cli_said({"--fit-line-width", "--char-width", c.width, "--char-height", c.height,
                                              "--", c.text});
            const QStringList said = (c.fits ? out : err).split(QLatin1Char('\n'));
            QCOMPARE(fx.lastMessage(), said[c.fits ? 1 : 0]);
            QCOMPARE(fx.field(Field::LineWidth)->text(), c.fits ? said[0] : QStringLiteral("1e-7"));
        }
    }

    void theMachineProgramGoesBesideTheDrawing() {
        Fixture fx;
        const QString out = fx.path("sign.dxf");
        fx.choose(out);
        fx.setText(QStringLiteral("Ag\n%1"));
        // Only the chosen machine's values can be typed.
        QVERIFY(!fx.dialog->gcodeFeed()->isEnabled());
        fx.dialog->gcodeMachineBox()->setCurrentIndex(2);  // レーザー
        QVERIFY(fx.dialog->gcodeFeed()->isEnabled() && fx.dialog->gcodePower()->isEnabled());
        QVERIFY(!fx.dialog->gcodeDepth()->isEnabled());
        fx.dialog->gcodePathBox()->setCurrentIndex(1);  // 輪郭
        fx.dialog->gcodeFeed()->setText(QStringLiteral("900"));
        fx.dialog->gcodePower()->setText(QStringLiteral("40"));
        fx.dialog->create();
        QVERIFY2(fx.lastMessage().startsWith(kCreated + QStringLiteral("\nG-code: ")), qPrintable(fx.lastMessage()));
        // Its three lengths in the drawing's unit: mm while 単位 is なし.
        int in_mm = 0;
        for (auto m = QRegularExpression(QStringLiteral("[0-9] mm")).globalMatch(fx.lastMessage()); m.hasNext(); m.next())
            ++in_mm;
        QCOMPARE(in_mm, 3);
        const QString nc = fx.path("cli.nc");
        QVERIFY(!cli_output(fx.path("cli.dxf"), {"--gcode", nc, "--gcode-machine", "laser", "--gcode-path", "outline",
                                                  "--gcode-feed", "900", "--gcode-power", "40", "--", "Ag", "%1"})
                     .isEmpty());
        QCOMPARE(read_file(fx.path("sign.nc")), read_file(nc));
        QCOMPARE(read_file(out), read_file(fx.path("cli.dxf")));
        // An existing program is replaced only when the user agrees.
        fx.services.clear();
        fx.services.answers = {false};
        fx.setText(QStringLiteral("-"));
        fx.dialog->create();
        QCOMPARE(fx.services.asked, QStringList{fx.path("sign.nc") + kExists});
        QVERIFY(fx.services.informed.isEmpty());
        QCOMPARE(read_file(fx.path("sign.nc")), read_file(nc));
        // Feeds and depths follow the unit while they hold its defaults.
        fx.dialog->gcodeMachineBox()->setCurrentIndex(1);  // ミル
        fx.dialog->unitsBox()->setCurrentIndex(2);         // inch
        QCOMPARE(fx.dialog->gcodeFeed()->text(), QStringLiteral("900"));
        QCOMPARE(fx.dialog->gcodeDepth()->text(), QStringLiteral("0.008"));
        // Created at once, the program is all in inches: safe height and plunge feed too.
        fx.services.clear();
        fx.services.answers = {true, true};  // replace the program, then the drawing
        fx.dialog->create();
        QVERIFY(!cli_output(fx.path("cli.dxf"), {"--gcode", nc, "--units", "in", "--gcode-machine", "mill", "--gcode-path",
                                                  "outline", "--gcode-feed", "900", "--", "-"})
                     .isEmpty());
        QCOMPARE(read_file(fx.path("sign.nc")), read_file(nc));
        // ... and back again, every time the unit changes.
        for (const auto& [unit, depth] : {std::pair{1, "0.2"}, std::pair{2, "0.008"}, std::pair{0, "0.2"}}) {
            fx.dialog->unitsBox()->setCurrentIndex(unit);
            QCOMPARE(fx.dialog->gcodeDepth()->text(), QString::fromLatin1(depth));
        }
        // A machine's values stay as shown while another machine is chosen,
        // through every exchange (here the frame calculation's).
        fx.dialog->gcodeMachineBox()->setCurrentIndex(0);
        fx.dialog->unitsBox()->setCurrentIndex(2);
        fx.findButton("frameCalculation")->click();
        QCOMPARE(fx.dialog->gcodeDepth()->text(), QStringLiteral("0.008"));
        fx.dialog->unitsBox()->setCurrentIndex(0);
        // Only the chosen machine's fields are read: another machine's
        // unreadable value is no obstacle.
        for (const auto& [machine, other] : {std::pair{0, fx.dialog->gcodeFeed()}, std::pair{1, fx.dialog->gcodePower()},
                                             std::pair{2, fx.dialog->gcodeDepth()}}) {
            fx.dialog->gcodeMachineBox()->setCurrentIndex(machine);
            const QString kept = other->text();
            other->setText(QStringLiteral("abc"));
            QVERIFY2(fx.dialog->saveFields(), qPrintable(QString::number(machine)));
            other->setText(kept);
        }
        fx.dialog->gcodeMachineBox()->setCurrentIndex(1);
        // A value that cannot be read is named and gets the focus.
        fx.dialog->gcodeDepth()->setText(QStringLiteral("abc"));
        fx.services.clear();
        fx.dialog->create();
        // ... and nothing goes on after it: no question about the files, no other message.
        QCOMPARE(fx.services.informed,
                 QStringList{L("深さ") + L(" には -1000000000 から 1000000000 までの数値を入力してください。")});
        QVERIFY(fx.services.asked.isEmpty());
        QVERIFY(fx.dialog->gcodeDepth()->hasFocus());
        QCOMPARE(fx.dialog->gcodeDepth()->selectedText(), QStringLiteral("abc"));
        // A value out of the machine's range is refused as the command refuses it.
        fx.dialog->gcodeMachineBox()->setCurrentIndex(2);
        fx.dialog->gcodePower()->setText(QStringLiteral("150"));
        fx.services.clear();
        fx.dialog->create();
        QVERIFY(fx.services.asked.isEmpty());  // refused before any question about the files
        const QString said = cli_said({"-f", "-o", fx.path("cli.dxf"), "--gcode", nc, "--gcode-machine", "laser",
                                       "--gcode-power", "150", "--", "-"}).second;
        QCOMPARE(fx.lastMessage() + QLatin1Char('\n'), said);
        QCOMPARE(read_file(fx.path("sign.nc")), read_file(nc));
    }

    void everyControlKeepsItsValueThroughARefreshAndDrawsAsTheCommand() {
        // Every control set away from its default, for each machine; the
        // fields a machine does not use are disabled.
        struct Case {
            int machine, path, units, align, origin;  // なし ミル レーザー ペン; 中心線 輪郭; なし mm inch
            bool polylines, skeleton, outline, frame;
            QStringList cli;
        };
        const Case cases[] = {
            {0, 0, 1, 2, 1, true, true, true, false,
             {"--units", "mm", "--align", "right", "--origin", "lower-left", "--polylines", "--draw", "skeleton,outline"}},
            {1, 1, 2, 1, 0, false, false, true, true,
             {"--units", "in", "--align", "center", "--draw", "outline,frame", "--gcode-machine", "mill",
              "--gcode-path", "outline", "--gcode-feed", "7.5", "--gcode-depth", "0.015"}},
            {2, 0, 0, 0, 1, true, true, false, true,
             {"--origin", "lower-left", "--polylines", "--draw", "skeleton,frame", "--gcode-machine", "laser",
              "--gcode-feed", "1234", "--gcode-power", "61"}},
            {3, 1, 1, 1, 1, false, true, true, true,
             {"--units", "mm", "--align", "center", "--origin", "lower-left", "--gcode-machine", "pen",
              "--gcode-path", "outline", "--gcode-feed", "2500"}},
        };
        for (const Case& c : cases) {
            Fixture fx;
            const auto controls = [&] {
                QStringList shown;
                for (std::size_t f = 0; f < kFieldCount; ++f) shown << fx.field(static_cast<Field>(f))->text();
                const QLineEdit* gcode[] = {fx.dialog->gcodeFeed(), fx.dialog->gcodeDepth(), fx.dialog->gcodePower()};
                for (const QLineEdit* e : gcode) shown << e->text() + (e->isEnabled() ? "" : " (off)");
                const QComboBox* boxes[] = {fx.dialog->gcodeMachineBox(), fx.dialog->gcodePathBox(),
                                            fx.dialog->unitsBox(), fx.dialog->alignBox(), fx.dialog->originBox()};
                for (const QComboBox* b : boxes) shown << QString::number(b->currentIndex()) + (b->isEnabled() ? "" : " (off)");
                const QCheckBox* ticks[] = {fx.dialog->polylinesBox(), fx.dialog->frameGridAutoBox(),
                                            fx.dialog->drawBox(0), fx.dialog->drawBox(1), fx.dialog->drawBox(2)};
                for (const QCheckBox* b : ticks) shown << (b->isChecked() ? "on" : "off");
                return shown << fx.dialog->textEdit()->toPlainText();
            };
            fx.set(Field::CharWidth, "3.5");
            fx.set(Field::LineWidth, "0.45");
            fx.set(Field::LineSpacing, "1.25");
            fx.set(Field::FrameRows, "3");
            fx.dialog->unitsBox()->setCurrentIndex(c.units);
            fx.dialog->gcodeMachineBox()->setCurrentIndex(c.machine);
            fx.dialog->gcodePathBox()->setCurrentIndex(c.path);
            if (c.machine > 0) fx.dialog->gcodeFeed()->setText(c.machine == 1 ? "7.5" : c.machine == 2 ? "1234" : "2500");
            if (c.machine == 1) fx.dialog->gcodeDepth()->setText("0.015");
            if (c.machine == 2) fx.dialog->gcodePower()->setText("61");
            fx.dialog->alignBox()->setCurrentIndex(c.align);
            fx.dialog->originBox()->setCurrentIndex(c.origin);
            fx.dialog->polylinesBox()->setChecked(c.polylines);
            const bool parts[] = {c.skeleton, c.outline, c.frame};
            for (int k = 0; k < 3; ++k) fx.dialog->drawBox(k)->setChecked(parts[k]);
            fx.setText("Ro\n8%");
            const QString machine = QString::number(c.machine);
            QCOMPARE(fx.dialog->gcodePathBox()->isEnabled(), c.machine > 0);
            QCOMPARE(fx.dialog->gcodeFeed()->isEnabled(), c.machine > 0);
            QCOMPARE(fx.dialog->gcodeDepth()->isEnabled(), c.machine == 1);
            QCOMPARE(fx.dialog->gcodePower()->isEnabled(), c.machine == 2);
            // Choosing the file shows every value again, as it was, and
            // leaves the text and its cursor alone.
            fx.dialog->textEdit()->moveCursor(QTextCursor::End);
            const QStringList before = controls();
            const QString out = fx.path("dialog.dxf");
            fx.choose(out);
            QCOMPARE(controls(), before);
            QCOMPARE(fx.dialog->textEdit()->textCursor().position(), 5);
            fx.dialog->create();
            QVERIFY2(fx.lastMessage().startsWith(kCreated), qPrintable(fx.lastMessage()));
            const QString nc = fx.path("cli.nc");
            QStringList cli = QStringList{"--char-width", "3.5", "--line-width", "0.45", "--line-spacing", "1.25"} + c.cli;
            if (c.machine > 0) cli << "--gcode" << nc;
            QCOMPARE(read_file(out), cli_output(fx.path("cli.dxf"), cli + QStringList{"--", "Ro", "8%"}));
            QCOMPARE(QFile::exists(fx.dialog->gcodePath()), c.machine > 0);
            if (c.machine > 0) {
                QCOMPARE(read_file(fx.dialog->gcodePath()), read_file(nc));
                // The program's lengths in the drawing's unit, as the command reports them.
                const QString report = cli_said(QStringList{"-f", "-o", fx.path("cli.dxf")} + cli +
                                                QStringList{"--", "Ro", "8%"}).second;
                QCOMPARE(fx.lastMessage(), kCreated + QLatin1Char('\n') + report.trimmed());
            }
            // The frame calculation changes the five lengths and nothing else.
            fx.dialog->calculateFrame();
            const QStringList after = controls();
            QCOMPARE(after.mid(5), before.mid(5));
            QVERIFY2(after.mid(0, 5) != before.mid(0, 5), qPrintable(machine));
        }
    }

    void theProgramTakesTheDrawingsNameWithNc() {
        Fixture fx;
        for (const auto& [chosen, program] : {std::pair{"sign.dxf", "sign.nc"}, std::pair{"SIGN.DXF", "SIGN.nc"},
                                              std::pair{"a.Dxf", "a.nc"}, std::pair{"plan", "plan.nc"},
                                              std::pair{"plan.txt", "plan.txt.nc"}}) {
            fx.choose(fx.path(chosen));
            QCOMPARE(fx.dialog->gcodePath(), fx.path(program));
        }
    }

    void theFinalBoxPutsTheStopReasonFirst() {
        Fixture fx;
        fx.choose(fx.path("stop.dxf"));
        fx.setText(QStringLiteral("-\t-"));
        fx.dialog->create();
        QCOMPARE(fx.services.informed,
                 QStringList{L("対応してない文字が含まれています。\n　") + kCreated});
        QVERIFY(read_file(fx.path("stop.dxf")).endsWith("  0\r\nEOF\r\n"));
    }

    void aSecondCreateAsksAndNoKeepsTheOldContent() {
        Fixture fx;
        const QString out = fx.path("twice.dxf");
        fx.choose(out);
        fx.setText(QStringLiteral("-"));
        fx.dialog->create();
        QVERIFY(fx.services.asked.isEmpty());
        const QByteArray first = read_file(out);
        QVERIFY(!first.isEmpty());

        fx.setText(QStringLiteral("//"));
        fx.services.clear();
        fx.services.answers = {false};
        fx.dialog->create();
        QCOMPARE(fx.services.asked, QStringList{out + kExists});
        QVERIFY(fx.services.informed.isEmpty());  // nothing more is said
        QCOMPARE(read_file(out), first);
        QVERIFY(!fx.services.busy);

        fx.services.clear();
        fx.services.answers = {true};
        fx.dialog->create();
        QCOMPARE(fx.services.informed, QStringList{kCreated});
        QCOMPARE(read_file(out), cli_output(fx.path("cli.dxf"), {"--", "//"}));
        // No temporary file is left beside it.
        QCOMPARE(QDir(fx.dir.path()).entryList(QDir::Files).size(), 2);
    }

    void aFileErrorIsReportedAndNothingIsCreated() {
        Fixture fx;
        const QString out = fx.path("no/such/folder/x.dxf");
        fx.choose(out);
        fx.setText(QStringLiteral("-"));
        fx.dialog->create();
        QCOMPARE(fx.services.informed.size(), 1);
        QVERIFY(fx.lastMessage().endsWith(kNotCreated));
        QVERIFY(!fx.lastMessage().contains(kCreated));
        QVERIFY(!fx.services.busy);
    }

    void theWaitCursorIsNeverUpWhileTheUserIsAsked() {
        Fixture fx;
        const QString out = fx.path("cursor.dxf");
        fx.choose(out);
        fx.setText(QStringLiteral("-"));
        fx.dialog->create();
        fx.services.answers = {false};
        fx.dialog->create();
        fx.services.answers = {true};
        fx.dialog->create();
        QVERIFY(!fx.services.cursor_at_message.isEmpty());
        for (bool up : fx.services.cursor_at_message) QVERIFY(!up);
        QCOMPARE(fx.services.busy_spells, 4);  // up again after "yes"
        QVERIFY(!fx.services.busy);
        QVERIFY(!fx.services.busy);
    }
};

// ---------------------------------------------------------------------------
class FrameCalculationTest : public QObject {
    Q_OBJECT
private slots:
    void defaultsGiveTheDocumentedCell() {
        Fixture fx;
        fx.findButton("frameCalculation")->click();
        QVERIFY(fx.services.informed.isEmpty());
        QCOMPARE(fx.field(Field::CharWidth)->text(), QStringLiteral("2.5"));
        QCOMPARE(fx.field(Field::CharHeight)->text(), QStringLiteral("5"));
        QCOMPARE(fx.field(Field::CharSpacing)->text(), QStringLiteral("0.5"));
        QCOMPARE(fx.field(Field::LineSpacing)->text(), QStringLiteral("2.5"));
        QCOMPARE(fx.field(Field::LineWidth)->text(), QStringLiteral("0.375"));
    }

    void fourCellsInTenUnits() {
        Fixture fx;
        fx.set(Field::FrameWidth, "10");
        fx.set(Field::FrameCharsPerRow, "4");
        fx.dialog->calculateFrame();
        QCOMPARE(fx.field(Field::CharWidth)->text(), QStringLiteral("2.17391304347826"));
        QCOMPARE(fx.field(Field::CharSpacing)->text(), QStringLiteral("0.434782608695652"));
    }

    void aRefusedFrameChangesNothing() {
        Fixture fx;
        fx.set(Field::FrameWidth, "0");
        fx.set(Field::FrameCharsPerRow, "0");
        fx.set(Field::CharWidth, "3.00");
        fx.dialog->calculateFrame();
        QCOMPARE(fx.services.informed,
                 QStringList{L("枠幅 が ゼロ以下です。\n　枠計算 は出来ません。")});
        QCOMPARE(fx.field(Field::CharWidth)->text(), QStringLiteral("3.00"));  // not even reformatted
        fx.set(Field::FrameWidth, "1");
        fx.services.clear();
        fx.dialog->calculateFrame();
        QCOMPARE(fx.services.informed,
                 QStringList{L("枠行文字数 が ゼロ以下です。\n　枠計算 は出来ません。")});
    }

    void hugePercentagesStillGiveFiniteValues() {
        Fixture fx;
        fx.set(Field::FrameCharsPerRow, "3");
        fx.set(Field::FrameCharSpacingPercent, "2147483498");
        fx.dialog->calculateFrame();
        QVERIFY(fx.services.informed.isEmpty());
        // 2.5 / (3 + 64424504.94 − 21474834.98), computed separately.
        QCOMPARE(fx.field(Field::CharWidth)->text(), QStringLiteral("5.82076609134674e-08"));
        // Shown again as digits only, so the next command reads them back.
        QCOMPARE(fx.field(Field::FrameCharSpacingPercent)->text(), QStringLiteral("2147483498"));
        QVERIFY(fx.dialog->saveFields());
        for (Field f : {Field::CharWidth, Field::CharSpacing, Field::LineWidth}) {
            const QString t = fx.field(f)->text();
            QVERIFY2(!t.contains("inf") && !t.contains("nan"), qPrintable(t));
        }
    }

    void theAutomaticGridCountsTheText() {
        Fixture fx;
        fx.set(Field::FrameWidth, "20");
        fx.set(Field::FrameHeight, "9");
        fx.dialog->frameGridAutoBox()->setChecked(true);
        QVERIFY(!fx.field(Field::FrameRows)->isEnabled());
        fx.setText("AB\nCDEF\n");
        fx.dialog->calculateFrame();
        QCOMPARE(fx.field(Field::FrameCharsPerRow)->text(), QStringLiteral("4"));
        QCOMPARE(fx.field(Field::FrameRows)->text(), QStringLiteral("3"));
        const QString printed =
            cli_stdout({"--frame-size", "20", "9", "--frame-grid", "auto", "--print-frame", "--", "AB", "CDEF", ""});
        for (const QString& line : printed.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QStringList flag_value = line.split(QLatin1Char(' '));
            const std::map<QString, Field> fields = {
                {"--char-width", Field::CharWidth}, {"--char-height", Field::CharHeight},
                {"--line-width", Field::LineWidth}, {"--char-spacing", Field::CharSpacing},
                {"--line-spacing", Field::LineSpacing}};
            QCOMPARE(fx.field(fields.at(flag_value[0]))->text(), flag_value[1]);
        }
        fx.setText("");
        fx.dialog->calculateFrame();
        QCOMPARE(fx.lastMessage(), L("文字 が記入されていません。") + L("\n　枠計算 は出来ません。"));
    }

    void aCalculatedFrameDrawsAsTheCommandLineToolDrawsIt() {
        Fixture fx;
        fx.set(Field::FrameWidth, "10");
        fx.set(Field::FrameHeight, "6");
        fx.set(Field::FrameCharsPerRow, "4");
        fx.set(Field::FrameRows, "2");
        fx.set(Field::FrameCharSpacingPercent, "20");
        fx.set(Field::FrameLineSpacingPercent, "30");
        fx.set(Field::FrameLineWidthPercent, "12");
        fx.dialog->calculateFrame();
        const QString out = fx.path("frame.dxf");
        fx.choose(out);
        fx.setText("-/|.\n_ -/");
        fx.dialog->create();
        QCOMPARE(fx.lastMessage(), kCreated);
        const QByteArray cli = cli_output(
            fx.path("cli.dxf"), {"--frame-size", "10", "6", "--frame-grid", "4", "2",
                                 "--frame-percent", "20", "30", "12", "--", "-/|.", "_ -/"});
        QVERIFY(!cli.isEmpty());
        QCOMPARE(read_file(out), cli);
    }
};

// ---------------------------------------------------------------------------
class ChooserTest : public QObject {
    Q_OBJECT
private slots:
    void theSaveDialogIsAskedForADxfFile() {
        Fixture fx;
        fx.dialog->chooseOutputFile();
        QCOMPARE(fx.services.requests.size(), std::size_t{1});
        const SaveFileRequest& r = fx.services.requests.front();
        QCOMPARE(r.title, L("作成DXFファイルを指定"));
        QCOMPARE(r.defaultSuffix, QStringLiteral("dxf"));
        QCOMPARE(r.filters, (QStringList{L("DXFファイル(.dxf) (*.dxf)"), L("すべてのファイル(*.*) (*)")}));
        // Once a file is chosen, the next choice starts at it.
        fx.choose(fx.path("plate.dxf"));
        fx.dialog->chooseOutputFile();
        QCOMPARE(fx.services.requests.back().initialPath, fx.path("plate.dxf"));
    }

    void cancelChangesNothing() {
        Fixture fx;
        fx.choose(fx.path("first.dxf"));
        fx.set(Field::CharWidth, "3");
        fx.services.clear();
        fx.dialog->chooseOutputFile();  // no choice prepared: cancelled
        QCOMPARE(fx.dialog->pathDisplay()->text(), fx.path("first.dxf"));
        QCOMPARE(fx.field(Field::CharWidth)->text(), QStringLiteral("3"));
        QVERIFY(fx.services.informed.isEmpty() && fx.services.asked.isEmpty());
    }

    void aNameWithoutSuffixGetsDxf() {
        Fixture fx;
        // The whole path, in the label and in its tooltip (for a label too narrow for it).
        const auto shown = [&] { return std::pair{fx.dialog->pathDisplay()->text(), fx.dialog->pathDisplay()->toolTip()}; };
        const auto both = [](const QString& path) { return std::pair{path, path}; };
        fx.choose(fx.path("drawing"));
        QCOMPARE(shown(), both(fx.path("drawing.dxf")));
        fx.choose(fx.path("drawing.txt"));
        QCOMPARE(shown(), both(fx.path("drawing.txt")));
        fx.choose(fx.path("v1.2/drawing"));  // a point in a folder's name is no suffix
        QCOMPARE(shown(), both(fx.path("v1.2/drawing.dxf")));
        // A folder or nothing gets no suffix (no hidden ".dxf" inside the folder).
        QCOMPARE(with_default_suffix(QStringLiteral("v1.2/"), QStringLiteral("dxf")), QStringLiteral("v1.2/"));
        QCOMPARE(with_default_suffix(QString(), QStringLiteral("dxf")), QString());
        // A path with "<" and "&" is shown as it is.
        fx.choose(fx.path("<b>a&b</b>.dxf"));
        QCOMPARE(shown(), both(fx.path("<b>a&b</b>.dxf")));
        QCOMPARE(fx.dialog->pathDisplay()->textFormat(), Qt::PlainText);
    }

    void choosingAnExistingFileAsksAboutTheFinalNameAndKeepsTheFile() {
        Fixture fx;
        const QString existing = fx.path("old.dxf");
        write_file(existing, "old drawing");
        fx.choose(fx.path("old"), {true});  // the suffix makes it the existing file
        QCOMPARE(fx.services.asked, QStringList{existing + kExists});
        QCOMPARE(fx.dialog->pathDisplay()->text(), existing);
        QCOMPARE(read_file(existing), QByteArray("old drawing"));
        // Leaving without 作成 loses nothing; 作成 then asks again.
        fx.setText("-");
        fx.services.clear();
        fx.services.answers = {false};
        fx.dialog->create();
        QCOMPARE(fx.services.asked, QStringList{existing + kExists});
        QCOMPARE(read_file(existing), QByteArray("old drawing"));
    }

    void noToTheQuestionReturnsToTheSaveDialog() {
        Fixture fx;
        fx.choose(fx.path("kept.dxf"));
        write_file(fx.path("taken.dxf"), "x");
        fx.services.clear();
        fx.services.choices = {fx.path("taken.dxf")};  // then cancel
        fx.services.answers = {false};
        fx.dialog->chooseOutputFile();
        QCOMPARE(fx.services.requests.size(), std::size_t{2});
        QCOMPARE(fx.services.requests.back().initialPath, fx.path("taken.dxf"));
        QCOMPARE(fx.dialog->pathDisplay()->text(), fx.path("kept.dxf"));
    }

    void aChoiceThatCannotBeReplacedIsRefused() {
        Fixture fx;
        fx.choose(fx.path("kept.dxf"));
        QVERIFY(QDir(fx.dir.path()).mkdir("folder.dxf"));
        fx.services.clear();
        fx.choose(fx.path("folder"), {true});
        QCOMPARE(fx.services.informed,
                 QStringList{L("指定ファイルの削除に失敗しました。\n　指定したファイルは使用できません。")});
        QCOMPARE(fx.dialog->pathDisplay()->text(), fx.path("kept.dxf"));
        QVERIFY(QFileInfo(fx.path("folder.dxf")).isDir());
        QCOMPARE(fx.services.requests.size(), std::size_t{1});  // back to the dialog, not to the chooser
    }

    void aReadOnlyFileOrFolderIsRefused() {
        if (is_root()) QSKIP("permissions do not bind the superuser");
        Fixture fx;
        fx.choose(fx.path("kept.dxf"));
        const QString ro = fx.path("readonly.dxf");
        write_file(ro, "keep");
        QVERIFY(::chmod(QFile::encodeName(ro).constData(), 0444) == 0);
        fx.services.clear();
        fx.choose(ro, {true});
        QCOMPARE(fx.services.informed.size(), 1);
        QCOMPARE(fx.dialog->pathDisplay()->text(), fx.path("kept.dxf"));
        QVERIFY(QDir(fx.dir.path()).mkdir("locked"));
        const QString inside = fx.path("locked/a.dxf");
        write_file(inside, "keep");
        QVERIFY(::chmod(QFile::encodeName(fx.path("locked")).constData(), 0555) == 0);
        fx.services.clear();
        fx.choose(inside, {true});
        QCOMPARE(fx.services.informed.size(), 1);
        QCOMPARE(read_file(inside), QByteArray("keep"));
        ::chmod(QFile::encodeName(fx.path("locked")).constData(), 0755);
    }

    void aSuccessfulChoiceShowsTheValuesAgain() {
        Fixture fx;
        fx.set(Field::CharHeight, "5.000");
        fx.choose(fx.path("new.dxf"));
        QCOMPARE(fx.field(Field::CharHeight)->text(), QStringLiteral("5"));
    }
};

// ---------------------------------------------------------------------------
class ExitTest : public QObject {
    Q_OBJECT
private slots:
    void quitAsksAndNoKeepsEveryValue() {
        Fixture fx;
        fx.set(Field::CharWidth, "7.25");
        fx.set(Field::FrameRows, "9");
        fx.setText("-/\n|");
        fx.services.answers = {false};
        fx.findButton("quit")->click();
        QCOMPARE(fx.services.asked, QStringList{L("tracemill を終了しますか？")});
        QVERIFY(fx.dialog->isVisible());
        QCOMPARE(fx.field(Field::CharWidth)->text(), QStringLiteral("7.25"));
        QCOMPARE(fx.field(Field::FrameRows)->text(), QStringLiteral("9"));
        QCOMPARE(fx.dialog->textEdit()->toPlainText(), QStringLiteral("-/\n|"));
    }

    void escapeAndTheCloseBoxAskTheSameQuestion() {
        Fixture fx;
        fx.services.answers = {false, false};
        fx.field(Field::CharWidth)->setFocus();
        QTest::keyClick(fx.field(Field::CharWidth), Qt::Key_Escape);
        QVERIFY(fx.dialog->isVisible());
        fx.dialog->close();
        QVERIFY(fx.dialog->isVisible());
        QCOMPARE(fx.services.asked, QStringList(2, L("tracemill を終了しますか？")));
        QVERIFY(fx.services.unexpected.isEmpty());
    }

    void yesCloses() {
        Fixture fx;
        fx.services.answers = {true};
        fx.dialog->setResult(QDialog::Accepted);
        QTest::keyClick(fx.dialog.get(), Qt::Key_Escape);
        QVERIFY(!fx.dialog->isVisible());
        QCOMPARE(fx.dialog->result(), int(QDialog::Rejected));
    }
};

// ---------------------------------------------------------------------------
namespace {

struct Colours {
    int cyan = 0;
    int magenta = 0;
    // Sum over cyan pixels of (x − mean x)(y − mean y): the slant of what is drawn.
    double slant = 0;
    int at_edge = 0;  // coloured pixels on the outermost two rows or columns
};

Colours count_colours(const QImage& image) {
    Colours c;
    std::vector<QPoint> cyan;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor p = image.pixelColor(x, y);
            if (is_cyan(p)) {
                ++c.cyan;
                cyan.emplace_back(x, y);
            }
            if (is_magenta(p)) ++c.magenta;
            const bool edge = x < 2 || y < 2 || x >= image.width() - 2 || y >= image.height() - 2;
            if (edge && (p.green() > 200 || p.red() > 200)) ++c.at_edge;
        }
    }
    if (!cyan.empty()) {
        double mx = 0, my = 0;
        for (const QPoint& q : cyan) mx += q.x(), my += q.y();
        mx /= static_cast<double>(cyan.size());
        my /= static_cast<double>(cyan.size());
        for (const QPoint& q : cyan) c.slant += (q.x() - mx) * (q.y() - my);
    }
    return c;
}

}  // namespace

class PreviewTest : public QObject {
    Q_OBJECT
private slots:
    void aSampleTextIsDrawnInBothColours() {
        Fixture fx;
        fx.dialog->resize(700, 700);
        fx.setText("-/|._\n_.|/-");
        fx.dialog->refreshPreview();
        const Colours c = count_colours(fx.dialog->preview()->canvas()->grab().toImage());
        QVERIFY2(c.cyan > 50, qPrintable(QString::number(c.cyan)));
        QVERIFY2(c.magenta > 50, qPrintable(QString::number(c.magenta)));
        // The outline runs round the skeleton, so it is the longer of the two;
        // the whole block fits inside the canvas.
        QVERIFY2(c.magenta > c.cyan, qPrintable(QStringLiteral("%1 %2").arg(c.magenta).arg(c.cyan)));
        QCOMPARE(c.at_edge, 0);
        QVERIFY(fx.dialog->preview()->message().isEmpty());
        fx.setText("");
        fx.dialog->refreshPreview();
        const Colours empty = count_colours(fx.dialog->preview()->canvas()->grab().toImage());
        QCOMPARE(empty.cyan + empty.magenta, 0);
    }

    void upIsUp() {
        // A slash rises to the right: on screen, where y grows downwards,
        // x and y of its pixels fall together.
        Fixture fx;
        fx.setText("/");
        fx.dialog->refreshPreview();
        const Colours c = count_colours(fx.dialog->preview()->canvas()->grab().toImage());
        QVERIFY(c.cyan > 20);
        QVERIFY2(c.slant < 0, qPrintable(QString::number(c.slant)));
    }

    void arcsRunAnticlockwiseAndCirclesKeepTheirRadius() {
        TextLayout layout;
        layout.x0 = layout.left = layout.bottom = -2;
        layout.y0 = layout.right = layout.top = 2;
        const std::vector<Entity> frame(4, Line{{0, 0}, {1, 0}, Colour::CentreLine});
        auto with = [&](Entity e) {
            auto v = frame;
            v.push_back(e);
            return build_preview_paths(v, layout);
        };
        // A quarter from 0° to 90° passes (cos 45°, sin 45°), above the x axis.
        PreviewPaths quarter = with(Arc{{0, 0}, 1, 0, 90, Colour::Outline});
        QPointF mid = quarter.outline.pointAtPercent(0.5);
        QVERIFY2(std::abs(mid.x() - 0.70710678) < 1e-3 && std::abs(mid.y() - 0.70710678) < 1e-3,
                 qPrintable(QStringLiteral("%1 %2").arg(mid.x()).arg(mid.y())));
        // 350° to 10° is a short arc through 0°, not the long way round.
        PreviewPaths wrap = with(Arc{{0, 0}, 1, 350, 10, Colour::CentreLine});
        mid = wrap.centre_line.pointAtPercent(0.5);
        QVERIFY(std::abs(mid.x() - 1) < 1e-3 && std::abs(mid.y()) < 1e-3);
        QVERIFY(wrap.outline.isEmpty() && wrap.frame.elementCount() > 0);
        QCOMPARE(wrap.bounds, QRectF(-2, -2, 4, 4));
        // A circle is its radius round its centre.
        QCOMPARE(with(Circle{{0.5, -0.25}, 0.75, Colour::Outline}).outline.boundingRect(), QRectF(-0.25, -1, 1.5, 1.5));
    }

    void thePictureIsTheDrawingZoomedToFit() {
        // The drawing as the core makes it, zoomed to fit the canvas with an
        // 8-pixel margin, centred, y up: every entity, sampled along its
        // length, lies on pixels of its colour, and every pixel of a colour lies
        // on an entity of that colour. Nothing is moved, mirrored, resized,
        // recoloured, left out or added.
        // Circles, arcs both ways round, lines; a tall block and a wide one,
        // so that each side of the canvas limits the zoom once, and a block
        // placed with its frame's lower left corner on the origin.
        const std::pair<const char*, Origin> blocks[] = {
            {"O.o\n(%", Origin::Center}, {"O.o(%O.o(%O.o(%", Origin::Center}, {"O.o\n(%", Origin::LowerLeft}};
        for (const auto& [typed, origin] : blocks) {
            Fixture fx;
            fx.dialog->resize(700, 700);
            fx.set(Field::LineWidth, "0.4");
            fx.dialog->findChild<QComboBox*>("origin")->setCurrentIndex(int(origin));
            fx.setText(typed);
            fx.dialog->refreshPreview();
            PreviewCanvas* canvas = fx.dialog->preview()->canvas();
            const QImage image = canvas->grab().toImage();
            QCOMPARE(image.size(), canvas->size());
            QCOMPARE(image.pixelColor(0, 0), QColor(16, 20, 24));  // the dark background
            const TextParameters p{2.1, 5, 0.4, 0.4, 0.4};
            const std::string text = to_document_bytes(typed);
            Placement placement;
            placement.origin = origin;
            const auto layout = measure_text(p, text, placement);
            QVERIFY(layout);
            EntityList list;
            QVERIFY(!draw_text_run(p, text, *layout, list));
            const QRectF b(QPointF(layout->left, layout->bottom), QPointF(layout->right, layout->top));
            const double w = image.width(), h = image.height();
            const double s = std::min((w - 16) / b.width(), (h - 16) / b.height());
            // Points along the entities, in pixels: 0 frame, 1 centre line, 2 outline.
            std::vector<QPointF> samples[3];
            std::vector<std::tuple<int, std::size_t, std::size_t>> spans;  // each entity's samples
            for (std::size_t i = 0; i < list.entities.size(); ++i) {
                const Entity& e = list.entities[i];
                const int k = i < 4 ? 0 : colour_of(e) == Colour::CentreLine ? 1 : 2;
                const std::size_t first = samples[k].size();
                const auto put = [&](double x, double y) {
                    samples[k].emplace_back(w / 2 + (x - b.center().x()) * s, h / 2 - (y - b.center().y()) * s);
                };
                // Two samples a pixel.
                if (const auto* l = std::get_if<Line>(&e)) {
                    const int n = 1 + int(2 * s * std::hypot(l->to.x - l->from.x, l->to.y - l->from.y));
                    for (int j = 0; j <= n; ++j)
                        put(l->from.x + (l->to.x - l->from.x) * j / n, l->from.y + (l->to.y - l->from.y) * j / n);
                } else {
                    const auto* a = std::get_if<Arc>(&e);
                    const auto* c = std::get_if<Circle>(&e);
                    const Point o = a ? a->centre : c->centre;
                    const double r = a ? a->radius : c->radius, from = a ? a->start_deg : 0;
                    const double sweep = a ? std::fmod(a->end_deg - a->start_deg + 720, 360.0) : 360;
                    const int n = 1 + int(2 * s * r * sweep * kPi / 180);
                    for (int j = 0; j <= n; ++j) {
                        const double t = (from + sweep * j / n) * kPi / 180;
                        put(o.x + r * std::cos(t), o.y + r * std::sin(t));
                    }
                }
                spans.emplace_back(k, first, samples[k].size());
            }
            // A pixel's colour: full magenta 2, full cyan 1, the frame's teal 0
            // (also a cyan line's softened edge), softened magenta 12 or cyan 11.
            const auto hue = [&](int x, int y) {
                if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) return -1;
                const QColor c = image.pixelColor(x, y);
                if (is_magenta(c)) return 2;
                if (is_cyan(c)) return 1;
                if (c.red() < 40 && c.green() > 50 && c.green() < 180 && std::abs(c.green() - c.blue()) < 20) return 0;
                if (c.red() > 100 && c.blue() > 100 && c.green() < c.red() / 2) return 12;
                if (c.green() > 100 && c.blue() > 100 && c.red() < c.green() / 2) return 11;
                return -1;
            };
            const auto near = [](const std::vector<QPointF>& pts, QPointF q, double d) {
                return std::any_of(pts.begin(), pts.end(), [&](QPointF t) { return QLineF(t, q).length() <= d; });
            };
            // Most samples of a glyph's entities find their colour within 1.5
            // pixels, and so do at least half of each entity's (an outline drawn
            // over a centre line hides a little of it).
            const auto seen = [&](QPointF q, int k) {
                for (int dy = -2; dy <= 2; ++dy)
                    for (int dx = -2; dx <= 2; ++dx) {
                        const int x = int(std::floor(q.x())) + dx, y = int(std::floor(q.y())) + dy;
                        const int c = hue(x, y);
                        const bool colour = c == k || c == k + 10 || (k == 1 && c == 0);
                        if (colour && QLineF(QPointF(x + 0.5, y + 0.5), q).length() <= 1.5) return true;
                    }
                return false;
            };
            std::size_t missed = 0, all = 0;
            for (const auto& [k, from, to] : spans) {
                if (k == 0) continue;
                std::size_t here = 0;
                for (std::size_t j = from; j < to; ++j) here += !seen(samples[k][j], k);
                QVERIFY2(2 * here <= to - from, qPrintable(QStringLiteral("%1 of %2 missed").arg(here).arg(to - from)));
                missed += here;
                all += to - from;
            }
            QVERIFY2(missed * 20 <= all, qPrintable(QStringLiteral("%1 of %2 missed").arg(missed).arg(all)));
            // Every pixel in full colour lies on an entity of its colour; the
            // frame's teal on the frame (or at a cyan line's softened edge).
            // The lines are drawn smooth: their edges soften into the ground.
            std::size_t full = 0, soft = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const int c = hue(x, y);
                    full += c == 1 || c == 2;
                    soft += c > 10;
                    const QPointF q(x + 0.5, y + 0.5);
                    if (c >= 0 && c <= 2)
                        QVERIFY2(near(samples[c], q, 2) || (c == 0 && near(samples[1], q, 2)),
                                 qPrintable(QStringLiteral("colour %1 at %2,%3").arg(c).arg(x).arg(y)));
                }
            QVERIFY2(soft * 4 > full, qPrintable(QStringLiteral("%1 soft of %2").arg(soft).arg(full)));
            // The frame is dashed: away from the glyphs, its teal lies beside most
            // of its length, not all.
            std::size_t on_frame = 0, clear = 0;
            for (const QPointF& q : samples[0]) {
                if (near(samples[1], q, 3) || near(samples[2], q, 3)) continue;
                ++clear;
                bool teal = false;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int x = int(std::floor(q.x())) + dx, y = int(std::floor(q.y())) + dy;
                        teal = teal || (hue(x, y) == 0 && QLineF(QPointF(x + 0.5, y + 0.5), q).length() <= 1);
                    }
                on_frame += teal;
            }
            QVERIFY2(on_frame * 2 > clear && on_frame * 10 < clear * 9,
                     qPrintable(QStringLiteral("%1 of %2").arg(on_frame).arg(clear)));
        }
    }

    void theStopReasonShowsUnderThePicture() {
        Fixture fx;
        fx.set(Field::CharWidth, "1");
        fx.set(Field::LineWidth, "0.7");
        fx.setText("-.-");
        fx.dialog->refreshPreview();
        QCOMPARE(fx.dialog->preview()->message(), L("文字の 点 の 線幅 は 0.6 未満です。"));
        // The part before the stop is still drawn.
        QVERIFY(count_colours(fx.dialog->preview()->canvas()->grab().toImage()).magenta > 0);
        fx.set(Field::CharWidth, "2.1");
        fx.set(Field::LineWidth, "0.3");
        fx.setText("-é");
        fx.dialog->refreshPreview();
        QCOMPARE(fx.dialog->preview()->message(), L("対応してない文字が含まれています。"));
        auto* line = fx.dialog->preview()->findChild<QLabel*>();
        QVERIFY(line->isVisible());
        fx.setText("-");
        fx.dialog->refreshPreview();
        QVERIFY(fx.dialog->preview()->message().isEmpty());
        QVERIFY(!line->isVisible());  // no empty line under the picture
    }

    void theStoppingCharacterIsNamedAsTyped() {
        // The character as typed, by code point where it has no glyph, with
        // its row and column; nothing once the text draws completely.
        struct Case {
            QString text, ja, en;
            QString width;  // the line width: 0.7 is too wide for '.', not for '-'
        };
        const Case cases[] = {
            {"¥é", "止まった文字：U+00E9 'é'（1 行目 2 文字目）", "Stopped at U+00E9 'é': row 1, column 2.", "0.3"},
            {"Zo\nJo’s", "止まった文字：U+2019 '’'（2 行目 3 文字目）",
             "Stopped at U+2019 '’': row 2, column 3.", "0.3"},
            {"-\t", "止まった文字：U+0009（1 行目 2 文字目）", "Stopped at U+0009: row 1, column 2.", "0.3"},
            {"-\n\n -.", "止まった文字：'.'（3 行目 3 文字目）", "Stopped at '.': row 3, column 3.", "0.7"},
        };
        Fixture fx;
        fx.set(Field::CharWidth, "1");
        for (const Case& c : cases) {
            fx.set(Field::LineWidth, c.width);
            fx.setText(c.text);
            fx.dialog->refreshPreview();
            check_lines_shown(fx.dialog->preview());
            QCOMPARE(fx.dialog->preview()->place(), test_language == Language::English ? c.en : c.ja);
        }
        fx.setText("-");
        fx.dialog->refreshPreview();
        QVERIFY(fx.dialog->preview()->place().isEmpty());
        // A note in place of the picture clears the line too.
        for (const auto& [text, width] : {std::pair{"", "2.1"}, std::pair{"-", "abc"}}) {
            fx.set(Field::CharWidth, "2.1");
            fx.setText("-é");
            fx.dialog->refreshPreview();
            check_lines_shown(fx.dialog->preview());
            QVERIFY(!fx.dialog->preview()->place().isEmpty());
            fx.setText(text);
            fx.set(Field::CharWidth, width);
            fx.dialog->refreshPreview();
            check_lines_shown(fx.dialog->preview());
            QVERIFY2(fx.dialog->preview()->place().isEmpty(), width);
        }
    }

    void valuesThatCannotBeDrawnAreExplained() {
        Fixture fx;
        fx.setText("-");
        // Each drawing field unreadable in turn: its own message, no picture.
        const std::pair<Field, const char*> fields[] = {
            {Field::CharWidth, "文字幅"}, {Field::CharHeight, "文字高"}, {Field::LineWidth, "線幅"},
            {Field::CharSpacing, "文字間隔"}, {Field::LineSpacing, "行間隔"}};
        for (const auto& [f, name] : fields) {
            fx.dialog->refreshPreview();
            check_lines_shown(fx.dialog->preview());
            QVERIFY(fx.dialog->preview()->canvas()->paths().entities > 4);
            const QString kept = fx.field(f)->text();
            fx.set(f, "abc");
            fx.dialog->refreshPreview();
            check_lines_shown(fx.dialog->preview());
            QCOMPARE(fx.dialog->preview()->message(),
                     L(name) + L(" には -1000000000 から 1000000000 までの数値を入力してください。"));
            QCOMPARE(fx.dialog->preview()->canvas()->paths().entities, std::size_t{0});
            fx.set(f, kept);
        }
        fx.set(Field::LineWidth, "2.1");
        fx.dialog->refreshPreview();
        QCOMPARE(fx.dialog->preview()->message(), L("文字幅 が 線幅 以下です。"));
        QVERIFY(fx.services.informed.isEmpty());  // the preview never opens a box
    }

    void typingUpdatesThePreviewAfterAPause() {
        Fixture fx;
        // Paintings of the picture on screen, none asked for by the test.
        struct PaintCount : QObject {
            int n = 0;
            bool eventFilter(QObject*, QEvent* e) override {
                n += e->type() == QEvent::Paint;
                return false;
            }
        } painted;
        QCoreApplication::processEvents();
        fx.dialog->preview()->canvas()->installEventFilter(&painted);
        fx.dialog->textEdit()->setFocus();
        QTest::keyClicks(fx.dialog->textEdit(), QStringLiteral("-/"));
        // Not at once, nor while the keys still come (the pause is still
        // running), but soon, and then on screen.
        QTest::qWait(60);
        QCOMPARE(fx.dialog->preview()->canvas()->paths().entities, std::size_t{0});
        const int before = painted.n;
        QTRY_VERIFY_WITH_TIMEOUT(fx.dialog->preview()->canvas()->paths().entities > 4, 3000);
        QTRY_VERIFY_WITH_TIMEOUT(painted.n > before, 3000);
        // The pause runs from the last key: a key typed while it runs starts it afresh.
        const auto* pause = fx.dialog->findChild<QTimer*>(QStringLiteral("previewPause"));
        QTest::keyClicks(fx.dialog->textEdit(), QStringLiteral("a"));
        QTest::qWait(120);
        QTest::keyClicks(fx.dialog->textEdit(), QStringLiteral("b"));
        QVERIFY2(pause->remainingTime() > pause->interval() - 60, qPrintable(QString::number(pause->remainingTime())));
        QTest::keyClicks(fx.field(Field::CharWidth), QStringLiteral("x"));
        QTRY_VERIFY_WITH_TIMEOUT(!fx.dialog->preview()->message().isEmpty(), 3000);
    }

    void thePreviewFollowsThePlacementAndThePartsDrawn() {
        // Each choice redraws the picture by itself after the pause, with
        // what the file would hold.
        Fixture fx;
        fx.setText("A\nAAA");
        fx.dialog->refreshPreview();
        const auto& shown = [&]() -> const PreviewPaths& { return fx.dialog->preview()->canvas()->paths(); };
        const QPainterPath PreviewPaths::*parts[] = {&PreviewPaths::centre_line, &PreviewPaths::outline,
                                                     &PreviewPaths::frame};
        for (int k = 0; k < 3; ++k) {
            QVERIFY(!(shown().*parts[k]).isEmpty());
            fx.dialog->drawBox(k)->setChecked(false);
            QTRY_VERIFY_WITH_TIMEOUT((shown().*parts[k]).isEmpty(), 3000);
            for (int other = 0; other < 3; ++other)
                if (other != k) QVERIFY(!(shown().*parts[other]).isEmpty());
            fx.dialog->drawBox(k)->setChecked(true);
            QTRY_VERIFY_WITH_TIMEOUT(!(shown().*parts[k]).isEmpty(), 3000);
        }
        // The single 'A' moves over the middle one and then the last; the
        // lower-left origin moves the whole drawing.
        const QPainterPath left = shown().centre_line;
        fx.dialog->alignBox()->setCurrentIndex(1);
        QTRY_VERIFY_WITH_TIMEOUT(shown().centre_line != left, 3000);
        const QPainterPath centred = shown().centre_line;
        fx.dialog->alignBox()->setCurrentIndex(2);
        QTRY_VERIFY_WITH_TIMEOUT(shown().centre_line != centred && shown().centre_line != left, 3000);
        QCOMPARE(shown().centre_line.boundingRect(), left.boundingRect());
        const QRectF frame = shown().frame.boundingRect();
        fx.dialog->originBox()->setCurrentIndex(1);
        QTRY_COMPARE_WITH_TIMEOUT(shown().frame.boundingRect().topLeft(), QPointF(0, 0), 3000);  // y grows upwards
        QCOMPARE(shown().frame.boundingRect().size(), frame.size());
        // Lengths filled in by 枠計算 and by 最大 redraw it as typed ones do.
        const QRectF bounds = shown().bounds;
        fx.set(Field::FrameWidth, "12");
        fx.findButton("frameCalculation")->click();
        QTRY_VERIFY_WITH_TIMEOUT(shown().bounds != bounds, 3000);
        const QPainterPath outline = shown().outline;
        fx.findButton("fitLineWidth")->click();
        QTRY_VERIFY_WITH_TIMEOUT(shown().outline != outline, 3000);
    }

    void aThousandCharactersRedrawQuickly() {
        Fixture fx;
        fx.dialog->resize(900, 700);
        // Every glyph there is, cycled: 10 rows of 100 characters.
        QString glyphs;
        for (int b = 33; b < 127; ++b)
            if (tracemill::generator_for(static_cast<unsigned char>(b)) != nullptr) glyphs += QChar(b);
        QString text;
        for (int k = 0; k < 1000; ++k) {
            if (k > 0 && k % 100 == 0) text += '\n';
            text += glyphs[k % glyphs.size()];
        }
        fx.setText(text);
        qint64 best = std::numeric_limits<qint64>::max();
        for (int attempt = 0; attempt < 3; ++attempt) {
            QElapsedTimer timer;
            timer.start();
            fx.dialog->refreshPreview();
            fx.dialog->preview()->canvas()->repaint();
            best = std::min(best, timer.elapsed());
        }
        QVERIFY(fx.dialog->preview()->canvas()->paths().entities > 1000);
        qInfo("1000 characters redrawn in %lld ms", best);
#ifndef TRACEMILL_SANITIZED
        QVERIFY2(best <= 50, qPrintable(QStringLiteral("%1 ms").arg(best)));
#endif
        // With TRACEMILL_SCREENSHOT set, the dialog with a sample text is
        // saved there (the picture in the documentation).
        const QString shot = qEnvironmentVariable("TRACEMILL_SCREENSHOT");
        if (!shot.isEmpty()) {
            fx.choose(fx.path("sample.dxf"));
            fx.dialog->pathDisplay()->setText(QStringLiteral("/home/user/drawings/sample.dxf"));
            fx.setText(QStringLiteral("Tracemill 2026/12/07\n@ $5 & ¥9 (a+b)*[c/d]\nThe quick brown fox"));
            fx.dialog->resize(fx.dialog->sizeHint().width(), fx.dialog->sizeHint().height() + 120);
            fx.dialog->refreshPreview();
            QVERIFY(fx.dialog->grab().save(shot));
        }
    }
};

// ---------------------------------------------------------------------------
// The Qt message boxes themselves: plain boxes and questions as promised.
class ServicesTest : public QObject {
    Q_OBJECT
private slots:
    void plainBoxesAndQuestions() {
        QtDialogServices services;
        QWidget owner;  // each box opens over the window that asks
        const QWidget* parent = nullptr;
        QMessageBox::Icon icon{};
        QMessageBox::StandardButtons buttons{};
        Qt::TextFormat format{};
        QString text;
        const auto inspect_and_press = [&](QMessageBox::StandardButton press) {
            QTimer::singleShot(0, [&, press] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (box == nullptr) return;
                parent = box->parentWidget();
                icon = box->icon();
                buttons = box->standardButtons();
                format = box->textFormat();
                text = box->windowTitle() + QLatin1Char('|') + box->text();
                box->button(press)->click();
            });
        };
        const QString tricky = QStringLiteral("<b>/tmp/a&b.dxf</b> は既に存在します。");
        inspect_and_press(QMessageBox::Ok);
        services.inform(&owner, tricky);
        QCOMPARE(parent, &owner);
        QCOMPARE(icon, QMessageBox::NoIcon);
        QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(format, Qt::PlainText);
        QCOMPARE(text, QStringLiteral("tracemill|") + tricky);
        inspect_and_press(QMessageBox::No);
        QVERIFY(!services.ask(&owner, tricky));
        QCOMPARE(parent, &owner);
        QCOMPARE(text, QStringLiteral("tracemill|") + tricky);
        QCOMPARE(icon, QMessageBox::Question);
        QCOMPARE(buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(format, Qt::PlainText);
        inspect_and_press(QMessageBox::Yes);
        QVERIFY(services.ask(nullptr, tricky));
        // Return answers a question with Yes, Escape with No.
        for (const auto& [key, answer] : {std::pair{Qt::Key_Return, true}, std::pair{Qt::Key_Escape, false}}) {
            QTimer::singleShot(0, [key] {
                if (QWidget* box = QApplication::activeModalWidget()) QTest::keyClick(box, key);
            });
            QCOMPARE(services.ask(nullptr, tricky), answer);
        }
        // The wait cursor, not the busy arrow: nothing can be clicked meanwhile.
        services.showBusy(true);
        QVERIFY(QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor);
        services.showBusy(false);
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    // The save dialog as the dialog asks it: a save dialog for any new name,
    // the filters and title given, the suffix added to a bare name, the
    // proposed name preselected, no overwrite question of its own (the
    // caller asks about the final name), nothing when cancelled.
    void theSaveDialogReturnsTheNameChosen() {
        QtDialogServices services;
        QTemporaryDir dir;
        const SaveFileRequest request{QStringLiteral("Save as"), {"DXF (*.dxf)", "All files (*)"},
                                      QStringLiteral("dxf"), dir.filePath("proposed.dxf")};
        QStringList seen;
        QWidget owner;  // the save dialog opens over the window that asks
        const auto answer = [&](const QString& typed) {
            QTimer::singleShot(0, [&, typed] {
                auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                if (d == nullptr) return;
                seen = QStringList{QString::number(d->parentWidget() == &owner), d->windowTitle(), QString::number(d->acceptMode()),
                                   QString::number(d->fileMode()), d->nameFilters().join('|'),
                                   d->defaultSuffix(),
                                   QString::number(d->testOption(QFileDialog::DontConfirmOverwrite)),
                                   d->selectedFiles().join('|')};
                if (typed.isEmpty()) {
                    d->reject();
                } else {
                    d->selectFile(typed);
                    static_cast<QDialog*>(d)->accept();  // the dialog's own accept
                }
            });
        };
        answer(dir.filePath("drawing"));
        QCOMPARE(services.chooseSaveFile(&owner, request), std::optional(dir.filePath("drawing.dxf")));
        QCOMPARE(seen, (QStringList{"1", request.title, QString::number(QFileDialog::AcceptSave),
                                    QString::number(QFileDialog::AnyFile), request.filters.join('|'),
                                    "dxf", "1", request.initialPath}));
        answer({});
        QCOMPARE(services.chooseSaveFile(nullptr, request), std::nullopt);
    }

    void buttonsSpeakTheDialogsLanguage() {
        QtDialogServices services;
        QStringList texts;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            texts << box->button(QMessageBox::Yes)->text() << box->button(QMessageBox::No)->text();
            box->button(QMessageBox::No)->click();
        });
        services.ask(nullptr, L("tracemill を終了しますか？"));
        QCOMPARE(texts, (QStringList{L("はい(&Y)"), L("いいえ(&N)")}));
    }

    void theProgramCatchesTheSignalsThatEndIt() {
        // Ended by SIGTERM, SIGINT or SIGHUP while a drawing is written, the
        // program removes its temporary file first (the handler the command
        // line's tests prove): the dialog's program catches those signals
        // from its start, as the kernel reports (SigCgt, bit n-1 for signal n).
        const QString gui = QFileInfo(qEnvironmentVariable("TRACEMILL")).dir().filePath(QStringLiteral("tracemill-gui"));
        QVERIFY2(QFileInfo(gui).isExecutable(), qPrintable(gui));
        QTemporaryDir config;
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_CONFIG_HOME", config.path());
        p.setProcessEnvironment(env);
        p.start(gui, {});
        QVERIFY(p.waitForStarted());
        const quint64 wanted = (1ull << (SIGTERM - 1)) | (1ull << (SIGINT - 1)) | (1ull << (SIGHUP - 1));
        quint64 caught = 0;
        for (int k = 0; k < 200 && (caught & wanted) != wanted; ++k) {
            QTest::qWait(25);
            for (const QByteArray& line : read_file(QStringLiteral("/proc/%1/status").arg(p.processId())).split('\n'))
                if (line.startsWith("SigCgt:")) caught = line.mid(7).trimmed().toULongLong(nullptr, 16);
        }
        QCOMPARE(caught & wanted, wanted);
        p.terminate();
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitStatus(), QProcess::CrashExit);  // ended by the signal, as it was sent
    }

    void theLanguageComesFromTheArgumentThenTheSetting() {
        // A settings file of this test's own, whatever else runs alongside.
        QTemporaryDir config;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path());
        QSettings settings(QStringLiteral("tracemill"), QStringLiteral("tracemill"));
        QVERIFY(settings.fileName().startsWith(config.path()));
        const QString program = QStringLiteral("tracemill-gui");
        settings.setValue(QStringLiteral("language"), QStringLiteral("en"));
        settings.sync();
        QCOMPARE(choose_language({program}), Language::English);
        QCOMPARE(choose_language({program, "--lang", "ja"}), Language::Japanese);
        settings.setValue(QStringLiteral("language"), QStringLiteral("ja"));
        settings.sync();
        QCOMPARE(choose_language({program}), Language::Japanese);
        QCOMPARE(choose_language({program, "--lang=en"}), Language::English);
        // An unknown value chooses nothing: the setting decides, or the
        // valid choice before it; the last valid choice wins.
        QCOMPARE(choose_language({program, "--lang", "fr"}), Language::Japanese);
        QCOMPARE(choose_language({program, "--lang", "en", "--lang", "xx"}), Language::English);
        QCOMPARE(choose_language({program, "--lang=en", "--lang=xx"}), Language::English);
        QCOMPARE(choose_language({program, "--lang=en", "--lang", "ja"}), Language::Japanese);
        QCOMPARE(choose_language({program, "--lang=en", "--lang"}), Language::English);  // no value: nothing
        settings.remove(QStringLiteral("language"));
        settings.sync();
        // Without either, the system's locale, read when the program starts:
        // this test program asked in a process of its own with an empty
        // settings folder. The first of the languages a user prefers decides.
        const std::tuple<const char*, const char*, const char*> locales[] = {
            {"ja_JP.UTF-8", "", "ja"},      {"en_US.UTF-8", "", "en"},      {"de_DE.UTF-8", "", "en"},
            {"C", "", "ja"},                {"en_US.UTF-8", "ja:en", "ja"}, {"ja_JP.UTF-8", "en:ja", "en"},
            {"de_DE.UTF-8", "de:ja", "en"}};
        for (const auto& [locale, preferred, chosen] : locales) {
            QProcess p;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            for (const char* v : {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"}) env.remove(v);
            env.insert("LANG", locale);
            if (*preferred) env.insert("LANGUAGE", preferred);
            env.insert("XDG_CONFIG_HOME", config.path());
            env.insert("TRACEMILL_PRINT_LANGUAGE", "1");
            p.setProcessEnvironment(env);
            p.start(QCoreApplication::applicationFilePath(), {});
            QVERIFY(p.waitForFinished(30000));
            QVERIFY2(QString::fromLatin1(p.readAllStandardOutput()).trimmed() == QString::fromLatin1(chosen),
                     qPrintable(QStringLiteral("%1 %2").arg(locale, preferred)));
        }
    }
};

// Runs the group named by the first argument (all groups without one); the
// other arguments go to Qt Test.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Asked by the language test: the language this process would choose.
    if (qEnvironmentVariableIsSet("TRACEMILL_PRINT_LANGUAGE")) {
        std::printf("%s\n", choose_language(app.arguments()) == Language::English ? "en" : "ja");
        return 0;
    }
    // The run under a comma-decimal locale proves nothing if that locale is
    // missing and Qt falls back to C.
    if (qEnvironmentVariableIsSet("TRACEMILL_EXPECT_COMMA") &&
        QLocale().decimalPoint() != QStringLiteral(",")) {
        qWarning("the locale does not use a decimal comma: is de_DE.UTF-8 installed?");
        return 2;
    }
    QStringList args = app.arguments();
    // "--lang en" runs every group in English (the dialog's texts, the core's
    // messages and Qt's buttons); without it, in Japanese.
    if (const auto at = args.indexOf(QStringLiteral("--lang")); at > 0 && at + 1 < args.size()) {
        if (args.at(at + 1) == QLatin1String("en")) test_language = Language::English;
        args.remove(at, 2);
    }
    use_language(test_language);
    kNotCreated = L("\n　ファイルは作成していません。");
    kCreated = L("DXFファイルを作成しました。");
    kExists = L(" は既に存在します。\n　上書きしますか？");
    QString only;
    if (args.size() > 1 && !args.at(1).startsWith('-')) only = args.takeAt(1);
    DialogFieldsTest fields;
    ExchangeTest exchange;
    CreateTest create;
    FrameCalculationTest frame;
    ChooserTest chooser;
    ExitTest exit_test;
    PreviewTest preview;
    ServicesTest services;
    const std::pair<const char*, QObject*> groups[] = {
        {"DialogFields", &fields}, {"Exchange", &exchange}, {"Create", &create},
        {"FrameCalculation", &frame}, {"Chooser", &chooser}, {"Exit", &exit_test},
        {"Preview", &preview}, {"Services", &services}};
    int status = 0;
    bool ran = false;
    for (const auto& [name, object] : groups) {
        if (!only.isEmpty() && only != QLatin1String(name)) continue;
        ran = true;
        status |= QTest::qExec(object, args);
    }
    if (!ran) {
        qWarning("no test group named %s", qPrintable(only));
        return 2;
    }
    return status;
}

#include "app_tests.moc"
