#include "dialog_services.hpp"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace tracemill::app {

namespace {
const QString kCaption = QStringLiteral("tracemill");
}

void QtDialogServices::inform(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, kCaption, text, QMessageBox::Ok, parent);
    // A path may hold "<" or "&": never let a message be read as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool QtDialogServices::ask(QWidget* parent, const QString& question) {
    QMessageBox box(QMessageBox::Question, kCaption, question,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setTextFormat(Qt::PlainText);
    return box.exec() != QMessageBox::No;
}

std::optional<QString> QtDialogServices::chooseSaveFile(QWidget* parent,
                                                        const SaveFileRequest& request) {
    QFileDialog dialog(parent, request.title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(request.filters);
    dialog.setDefaultSuffix(request.defaultSuffix);
    // The caller asks about the name after the suffix has been added.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!request.initialPath.isEmpty()) dialog.selectFile(request.initialPath);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty() || files.first().isEmpty()) return std::nullopt;
    return files.first();
}

void QtDialogServices::showBusy(bool busy) {
    if (busy) QApplication::setOverrideCursor(Qt::WaitCursor);
    else QApplication::restoreOverrideCursor();
}

}  // namespace tracemill::app
