#include "language.hpp"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

namespace tracemill::app {

namespace {

Language current = Language::Japanese;

std::optional<Language> parse(const QString& name) {
    return parse_language(name.trimmed().toStdString());
}

}  // namespace

Language choose_language(const QStringList& arguments) {
    std::optional<Language> chosen;
    for (qsizetype k = 1; k < arguments.size(); ++k) {
        const QString& a = arguments.at(k);
        if (a == QLatin1String("--lang") && k + 1 < arguments.size()) {
            if (const auto l = parse(arguments.at(++k))) chosen = l;
        } else if (a.startsWith(QLatin1String("--lang="))) {
            if (const auto l = parse(a.mid(7))) chosen = l;
        }
    }
    if (chosen) return *chosen;
    const QSettings settings(QStringLiteral("tracemill"), QStringLiteral("tracemill"));
    if (const auto l = parse(settings.value(QStringLiteral("language")).toString())) return *l;
    // Without a locale the system's locale is the C locale; there the
    // program says what it always said.
    const QLocale system = QLocale::system();
    if (system.language() == QLocale::C) return Language::Japanese;
    const QStringList ui = system.uiLanguages();
    if (ui.isEmpty()) return Language::Japanese;
    return ui.first().startsWith(QLatin1String("ja")) ? Language::Japanese : Language::English;
}

void use_language(Language lang) {
    current = lang;
    auto* app = QCoreApplication::instance();
    // The dialog's own texts: the code holds the Japanese ones.
    if (lang == Language::English) {
        auto* ours = new QTranslator(app);
        if (ours->load(QStringLiteral(":/i18n/tracemill_en.qm"))) {
            QCoreApplication::installTranslator(ours);
        } else {
            delete ours;
        }
    }
    // Qt's own texts (the message boxes' buttons) are English in Qt itself.
    if (lang == Language::Japanese) {
        auto* qt = new QTranslator(app);
        if (qt->load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(qt);
        } else {
            delete qt;
        }
    }
}

Language language() { return current; }

}  // namespace tracemill::app
