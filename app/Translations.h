#pragma once

// The program in the user's language: Qt's own texts and ours, for the first language of
// LANGUAGE, LC_ALL, LC_MESSAGES and LANG (in that order, as gettext reads them) that has a
// catalogue. English needs only its plural forms, which lie under every language.

class QCoreApplication;

#include <QStringList>

namespace twk::app {

// The languages the user asks for, most wanted first ("de_DE", "de", ...).
QStringList uiLanguages();

void installTranslators(QCoreApplication& application);

} // namespace twk::app
