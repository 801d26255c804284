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
    // English, the texts' own language, needs only its plural forms ("1 script"): the base
    // under every language, and all there is in the C locale.
    auto* english = new QTranslator(&application);
    if (english->load(QStringLiteral(":/i18n/twk-script-installer_en")))
        QCoreApplication::installTranslator(english);
    else
        delete english;
    for (const QString& language : uiLanguages()) {
        if (language == u"en" || language.startsWith(u"en_"))
            return; // English wanted: the base is all it needs
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
        QCoreApplication::installTranslator(ours); // the last installed is asked first
        QLocale::setDefault(QLocale(language));
        return;
    }
}

} // namespace twk::app
