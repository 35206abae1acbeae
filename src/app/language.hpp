// The dialog's language: chosen once at start-up, before the dialog is made,
// from --lang, the setting or the system's user-interface languages; then
// every text of the dialog, Qt's own buttons and the core's messages follow it.
#pragma once

#include <QStringList>

#include "messages.hpp"

namespace tracemill::app {

// --lang ja|en among the arguments (the last one counts; "--lang=en" as
// well), else the setting "language" (ja or en) of the program's settings
// file, else Japanese when the first of the system's user-interface
// languages is Japanese or the system has no locale (the C locale), English
// otherwise.
Language choose_language(const QStringList& arguments);

// Installs the translations of the dialog's texts (English; the texts in the
// code are the Japanese ones) and Qt's own translations for the language, and
// makes it the one language() returns. Call once the application exists.
void use_language(Language lang);

// The language in use: Japanese until use_language() chooses another.
Language language();

}  // namespace tracemill::app
