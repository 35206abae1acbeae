// The parameter dialog: the fields of the drawing and of the frame
// calculation, the output path, the commands, and the live preview.
#pragma once

#include <QDialog>
#include <QString>

#include <array>

#include "dialog_services.hpp"
#include "frame_calculation.hpp"
#include "generation.hpp"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace tracemill::app {

class PreviewWidget;

// What the fields held at the last successful save exchange.
struct DialogValues {
    TextParameters params;
    QString text;
    FrameInputs frame;
    OutputOptions output;  // closed contours and the drawing unit
    // A machine program beside the drawing (the same name with .nc).
    bool write_gcode = false;
    GcodeOptions gcode;
};

// The one-line fields, each holding one value.
enum class Field {
    CharWidth,
    CharHeight,
    LineWidth,
    CharSpacing,
    LineSpacing,
    FrameWidth,
    FrameHeight,
    FrameCharsPerRow,
    FrameRows,
    FrameCharSpacingPercent,
    FrameLineSpacingPercent,
    FrameLineWidthPercent,
};
inline constexpr std::size_t kFieldCount = 12;

class MainDialog final : public QDialog {
    Q_OBJECT
public:
    explicit MainDialog(DialogServices& services, QWidget* parent = nullptr);

    // The commands of the buttons.
    void create();            // 作成: writes the drawing through the core
    void chooseOutputFile();  // 参照(&F)
    void calculateFrame();    // 枠計算(&C)
    void showHelp();          // ﾍﾙﾌﾟ(&H)
    // 終了, Escape and the close box: asks first; No keeps the dialog open.
    void reject() override;

    // Data exchange. saveFields reads every field into the values in the
    // fixed exchange order; at the first field that does not parse it shows
    // why, puts the focus there and returns false, leaving the values as
    // they were. showFields writes the values back into the fields.
    bool saveFields();
    void showFields();

    const DialogValues& values() const { return values_; }
    QString outputPath() const;

    QLineEdit* field(Field f) const { return fields_[static_cast<std::size_t>(f)]; }
    QPlainTextEdit* textEdit() const { return text_; }
    QLabel* pathDisplay() const { return path_; }
    QPushButton* createButton() const { return create_; }
    QCheckBox* polylinesBox() const { return polylines_; }
    QComboBox* unitsBox() const { return units_; }
    // The machine program: なし or the machine, what is cut, and its values.
    QComboBox* gcodeMachineBox() const { return gcode_machine_; }
    QComboBox* gcodePathBox() const { return gcode_path_; }
    QLineEdit* gcodeFeed() const { return gcode_feed_; }
    QLineEdit* gcodeDepth() const { return gcode_depth_; }
    QLineEdit* gcodePower() const { return gcode_power_; }
    // Where the machine program goes for the current output path.
    QString gcodePath() const;
    PreviewWidget* preview() const { return preview_; }
    // Redraws the preview now instead of after the typing pause.
    void refreshPreview();

private:
    void buildLayout();
    void schedulePreview();
    void machineChanged();
    void unitsChanged();

    DialogServices& services_;
    DialogValues values_;
    std::array<QLineEdit*, kFieldCount> fields_{};
    QPlainTextEdit* text_ = nullptr;
    QLabel* path_ = nullptr;
    QPushButton* create_ = nullptr;
    QCheckBox* polylines_ = nullptr;
    QComboBox* units_ = nullptr;
    QComboBox* gcode_machine_ = nullptr;
    QComboBox* gcode_path_ = nullptr;
    QLineEdit* gcode_feed_ = nullptr;
    QLineEdit* gcode_depth_ = nullptr;
    QLineEdit* gcode_power_ = nullptr;
    bool inch_defaults_ = false;  // the G-code fields were last given inch defaults
    PreviewWidget* preview_ = nullptr;
    QTimer* preview_timer_ = nullptr;
};

// The window icon: a pen stroke's skeleton inside its outline.
QIcon application_icon();

}  // namespace tracemill::app
