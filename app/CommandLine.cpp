#include "app/CommandLine.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace twk::app {
namespace {

bool looksLikeUrl(const QString& argument) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
    return scheme.match(argument).hasMatch();
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    CommandLine line;
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (optionsEnded || looksLikeUrl(argument) || !argument.startsWith(u'-')) {
            line.urls.append(argument);
        } else if (argument == u"--") {
            optionsEnded = true;
        } else if (argument == u"--help" || argument == u"-h") {
            line.mode = CommandLine::Mode::Help;
        } else if (argument == u"--version") {
            line.mode = CommandLine::Mode::Version;
        } else if (argument == u"--install-all") {
            line.mode = CommandLine::Mode::InstallAll;
        } else {
            line.mode = CommandLine::Mode::Error;
            line.error =
                QCoreApplication::translate("CommandLine", "unknown option: %1").arg(argument);
            return line;
        }
    }
    return line;
}

QString usageText() {
    return QCoreApplication::translate(
        "CommandLine",
        "Usage: twk-script-installer [URL...]\n"
        "       twk-script-installer --install-all\n"
        "\n"
        "Installs the scripts that come with Tarnwick into\n"
        "~/Library/Application Scripts/org.tarnwick.Tarnwick.MenuExtension.\n"
        "\n"
        "  URL            an install request, twkscriptinstall://...?script=NAME\n"
        "  --install-all  install every Tarnwick script without a window; exit status 0\n"
        "                 only when every script was installed\n"
        "  --help         show this help\n"
        "  --version      show the version\n");
}

} // namespace twk::app
