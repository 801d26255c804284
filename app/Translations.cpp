#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace twk::app {
namespace {

// "de_DE.UTF-8@euro" -> "de_DE"; "C" and "POSIX" ask for no language.
QString languageOf(const QByteArray& locale) {
    QString name = QString::fromLatin1(locale);
    name = name.left(name.indexOf(u'.')).left(name.indexOf(u'@'));
    return name == u"C" || name == u"POSIX" ? QString() : name;
}

} // namespace

QStringList uiLanguages() {
    QString locale;
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (!qEnvironmentVariableIsEmpty(variable)) {
            locale = languageOf(qgetenv(variable));
            if (locale.isEmpty())
                return {}; // the C locale: untranslated, whatever LANGUAGE says
            break;
        }
    }
    QStringList wanted;
    // LANGUAGE lists preferences, and counts only when a locale is set at all.
    if (!locale.isEmpty()) {
        for (const QByteArray& entry : qgetenv("LANGUAGE").split(':')) {
            if (const QString language = languageOf(entry); !language.isEmpty())
                wanted.append(language);
        }
        wanted.append(locale);
    }
    QStringList languages;
    for (const QString& language : wanted) {
        languages.append(language);
        if (language.contains(u'_'))
            languages.append(language.left(language.indexOf(u'_')));
    }
    languages.removeDuplicates();
    return languages;
}

void installTranslators(QCoreApplication& application) {
    for (const QString& language : uiLanguages()) {
        auto* ours = new QTranslator(&application);
        if (!ours->load(QStringLiteral(":/i18n/twk-script-installer_") + language)) {
            delete ours;
            continue;
        }
        auto* qt = new QTranslator(&application);
        if (qt->load(QStringLiteral("qtbase_") + language,
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(qt);
        else
            delete qt;
        QCoreApplication::installTranslator(ours);
        QLocale::setDefault(QLocale(language));
        return;
    }
}

} // namespace twk::app
