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
        if (line.mode == CommandLine::Mode::Install) {
            line.names.append(argument);
        } else if (optionsEnded || looksLikeUrl(argument) || !argument.startsWith(u'-')) {
            line.urls.append(argument);
        } else if (argument == u"--") {
            optionsEnded = true;
        } else if (argument == u"--help" || argument == u"-h") {
            line.mode = CommandLine::Mode::Help;
        } else if (argument == u"--version") {
            line.mode = CommandLine::Mode::Version;
        } else if (argument == u"--install-all") {
            line.mode = CommandLine::Mode::InstallAll;
        } else if (argument == u"--list") {
            line.mode = CommandLine::Mode::List;
        } else if (argument == u"--json") {
            line.json = true;
        } else if (argument == u"--install") {
            line.mode = CommandLine::Mode::Install;
        } else {
            line.mode = CommandLine::Mode::Error;
            line.error =
                QCoreApplication::translate("CommandLine", "unknown option: %1").arg(argument);
            return line;
        }
    }
    if (line.mode == CommandLine::Mode::Install && line.names.isEmpty()) {
        line.mode = CommandLine::Mode::Error;
        line.error =
            QCoreApplication::translate("CommandLine", "--install needs the names of scripts");
    } else if (line.json && line.mode != CommandLine::Mode::List) {
        line.mode = CommandLine::Mode::Error;
        line.error = QCoreApplication::translate("CommandLine", "--json goes with --list");
    }
    return line;
}

QString usageText() {
    return QCoreApplication::translate(
        "CommandLine",
        "Usage: twk-script-installer [URL...]\n"
        "       twk-script-installer --install-all\n"
        "       twk-script-installer --install NAME...\n"
        "       twk-script-installer --list [--json]\n"
        "\n"
        "Installs the scripts that come with Tarnwick into\n"
        "~/Library/Application Scripts/org.tarnwick.Tarnwick.MenuExtension.\n"
        "\n"
        "  URL            an install request, twkscriptinstall://...?script=NAME\n"
        "  --install-all  install every Tarnwick script without a window; exit status 0\n"
        "                 only when every script was installed\n"
        "  --install NAME...  install the named Tarnwick scripts without asking; exit\n"
        "                 status 0 only when all of them were installed\n"
        "  --list         list Tarnwick's scripts: installed, different or not installed\n"
        "  --json         with --list: as a JSON array for programs\n"
        "  --help         show this help\n"
        "  --version      show the version\n");
}

} // namespace twk::app
