// tracemill-gui: the parameter dialog. The process ends when it closes.
#include <QApplication>

#include "atomic_file.hpp"
#include "dialog_services.hpp"
#include "language.hpp"
#include "main_dialog.hpp"

int main(int argc, char** argv) {
    tracemill::remove_temporaries_on_termination();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tracemill"));
    QApplication::setWindowIcon(tracemill::app::application_icon());
    tracemill::app::use_language(tracemill::app::choose_language(QApplication::arguments()));
    tracemill::app::QtDialogServices services;
    tracemill::app::MainDialog dialog(services);
    dialog.exec();
    return 0;
}
