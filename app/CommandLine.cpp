#include "app/CommandLine.h"

#include "support/text/Conversions.h"

#include <QCoreApplication>

#include <cctype>
#include <cstring>

namespace twk::app {
namespace {

bool looksLikeUrl(const char* argument) {
    while (*argument > 0 && *argument <= ' ')
        ++argument; // as a URL is read leniently
    if (!std::isalpha(static_cast<unsigned char>(argument[0])))
        return false;
    for (const char* c = argument + 1; *c; ++c) {
        if (*c == ':')
            return true;
        if (!std::isalnum(static_cast<unsigned char>(*c)) && !std::strchr("+.-", *c))
            return false;
    }
    return false;
}

struct Texts {
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
};

CommandLine::Mode optionMode(const char* argument) {
    using Mode = CommandLine::Mode;
    static const struct {
        const char* option;
        Mode mode;
    } options[] = {{"--help", Mode::Help},
                   {"-h", Mode::Help},
                   {"--version", Mode::Version},
                   {"--install-all", Mode::InstallAll},
                   {"--list", Mode::List},
                   {"--install", Mode::Install},
                   {"--remove", Mode::Remove},
                   {"--diff", Mode::Diff},
                   {"--gapplication-service", Mode::Service}};
    for (const auto& known : options) {
        if (std::strcmp(argument, known.option) == 0)
            return known.mode;
    }
    return Mode::Window;
}

} // namespace

CommandLine parseCommandLine(int argc, char** argv) {
    CommandLine line;
    line.qtArguments.push_back(argv[0]);
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        const bool takesNames = line.mode == CommandLine::Mode::Install ||
                                line.mode == CommandLine::Mode::Remove ||
                                line.mode == CommandLine::Mode::Diff;
        if (takesNames) {
            line.names.append(QByteArray(argument));
        } else if (optionsEnded || looksLikeUrl(argument)) {
            line.urls.append(text::fromNativeBytes(argument));
        } else if (std::strcmp(argument, "--") == 0) {
            optionsEnded = true;
        } else if (std::strcmp(argument, "--json") == 0) {
            line.json = true;
        } else if (std::strcmp(argument, "--replace-edited") == 0) {
            line.replaceEdited = true;
        } else if (std::strcmp(argument, "--merge") == 0) {
            line.merge = true;
        } else if (const auto mode = optionMode(argument); mode != CommandLine::Mode::Window) {
            line.mode = mode;
        } else if (std::strncmp(argument, "--", 2) == 0) {
            // Qt's own options take one dash; no long option but ours is known.
            line.mode = CommandLine::Mode::Error;
            line.error = Texts::tr("unknown option: %1").arg(text::fromNativeBytes(argument));
            return line;
        } else {
            line.qtArguments.push_back(argv[i]);
        }
    }
    const bool installs =
        line.mode == CommandLine::Mode::Install || line.mode == CommandLine::Mode::InstallAll;
    if ((line.mode == CommandLine::Mode::Install || line.mode == CommandLine::Mode::Remove) &&
        line.names.isEmpty()) {
        line.mode = CommandLine::Mode::Error;
        line.error = Texts::tr("--install and --remove need the names of scripts");
    } else if (line.mode == CommandLine::Mode::Diff && line.names.size() != 1) {
        line.mode = CommandLine::Mode::Error;
        line.error = Texts::tr("--diff needs the name of one script");
    } else if (line.merge && line.replaceEdited) {
        line.mode = CommandLine::Mode::Error;
        line.error = Texts::tr("--merge and --replace-edited exclude each other");
    } else if (line.merge && !installs) {
        line.mode = CommandLine::Mode::Error;
        line.error = Texts::tr("--merge goes with --install or --install-all");
    } else if (line.json && line.mode != CommandLine::Mode::List) {
        line.mode = CommandLine::Mode::Error;
        line.error = Texts::tr("--json goes with --list");
    } else if (line.replaceEdited && line.mode != CommandLine::Mode::Install &&
               line.mode != CommandLine::Mode::InstallAll) {
        line.mode = CommandLine::Mode::Error;
        line.error = Texts::tr("--replace-edited goes with --install or --install-all");
    } else if (line.isTerminalMode() && line.qtArguments.size() > 1) {
        line.error =
            Texts::tr("unknown option: %1").arg(text::fromNativeBytes(line.qtArguments[1]));
        line.mode = CommandLine::Mode::Error;
    }
    return line;
}

QString usageText() {
    return Texts::tr(
        "Usage: twk-script-installer [URL...]\n"
        "       twk-script-installer --install-all [--replace-edited | --merge]\n"
        "       twk-script-installer [--replace-edited | --merge] --install NAME...\n"
        "       twk-script-installer --remove NAME...\n"
        "       twk-script-installer --diff NAME\n"
        "       twk-script-installer --list [--json]\n"
        "\n"
        "Installs the scripts that come with Tarnwick into\n"
        "~/Library/Application Scripts/org.tarnwick.Tarnwick.MenuExtension.\n"
        "\n"
        "  URL            an install request, twkscriptinstall://...?script=NAME\n"
        "  --install-all  install every Tarnwick script without a window\n"
        "  --install NAME...  install the named Tarnwick scripts without asking\n"
        "  --replace-edited   with either: replace copies you edited (they go to the Trash)\n"
        "  --merge            with either: where Tarnwick updated a copy you edited, install\n"
        "                     both changes merged (your copy goes to the Trash); a merge\n"
        "                     whose changes collide is saved beside the User Scripts\n"
        "                     directory to finish by hand, and your copy is kept\n"
        "  --remove NAME...   move the installed copies of the named scripts to the Trash\n"
        "  --diff NAME    show how your copy of a script differs from Tarnwick's (and each\n"
        "                 side's changes since it was installed) as a unified diff\n"
        "  --list         list Tarnwick's scripts and their states\n"
        "  --json         with --list: as a JSON array for programs\n"
        "  --help         show this help\n"
        "  --version      show the version\n"
        "\n"
        "Installs and removals exit with status 0 when every script was done, 1 when one\n"
        "failed, and installs with 3 when nothing failed but copies you edited were kept.\n"
        "Scripts that are up to date are not copied again. A copy you edited is kept unless\n"
        "you say --replace-edited or --merge; a replaced copy goes to the Trash, never\n"
        "deleted. --diff exits with 0 when the copies are the same, 1 when they differ and\n"
        "2 when they cannot be compared; it colours its lines only on a terminal.\n"
        "Qt's standard options (-style, -platform, ...) apply to the window.\n");
}

} // namespace twk::app
