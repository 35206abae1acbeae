// The dialog's ways of talking to the user outside its own window: message
// boxes, questions, the save dialog and the wait cursor. The program uses the
// Qt ones; the tests answer them instead.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace tracemill::app {

struct SaveFileRequest {
    QString title;
    QStringList filters;    // Qt's form: "description (patterns)"
    QString defaultSuffix;  // without the dot
    QString initialPath;    // preselected name; empty for none
};

class DialogServices {
public:
    virtual ~DialogServices() = default;
    // A plain message box: the text as plain text, an OK button, no icon.
    virtual void inform(QWidget* parent, const QString& text) = 0;
    // A question with Yes and No and the question icon. True for any answer
    // but No.
    virtual bool ask(QWidget* parent, const QString& question) = 0;
    // The save dialog. The name the user chose, or nothing when cancelled.
    // It does not confirm overwriting: the caller asks about the final name.
    virtual std::optional<QString> chooseSaveFile(QWidget* parent,
                                                  const SaveFileRequest& request) = 0;
    // The wait cursor over the whole application while a drawing is made
    // (the dialog takes no input then); false takes it away again.
    virtual void showBusy(bool busy) = 0;
};

class QtDialogServices final : public DialogServices {
public:
    void inform(QWidget* parent, const QString& text) override;
    bool ask(QWidget* parent, const QString& question) override;
    std::optional<QString> chooseSaveFile(QWidget* parent, const SaveFileRequest& request) override;
    void showBusy(bool busy) override;
};

}  // namespace tracemill::app
