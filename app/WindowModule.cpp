#include "app/WindowModule.h"

#include "app/WindowEntry.h"

#include <QCoreApplication>

#include <cstdio>
#include <dlfcn.h>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace twk::app {
namespace {

struct Texts {
    Q_DECLARE_TR_FUNCTIONS(WindowModule)
};

// The folder the running program lies in, from the kernel: never from argv[0] or PATH.
std::string programFolder() {
    std::string path(4096, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0 || size_t(length) >= path.size())
        return {};
    path.resize(size_t(length));
    return path.substr(0, path.rfind('/'));
}

} // namespace

int runWindowModule(CommandLine& line) {
    const std::string folder = programFolder();
    const std::string module =
        (std::filesystem::path(folder) / TWK_WINDOW_MODULE).lexically_normal().string();
    void* handle = folder.empty() ? nullptr : ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    const auto entry =
        handle ? reinterpret_cast<WindowEntry>(::dlsym(handle, WindowEntryName)) : nullptr;
    if (!entry) {
        const char* why = ::dlerror();
        std::fprintf(stderr, "twk-script-installer: %s\n",
                     qPrintable(Texts::tr("the window cannot be shown: %1")
                                    .arg(QString::fromLocal8Bit(why ? why : module.c_str()))));
        return 1;
    }
    // Never unloaded: Qt's objects outlive the call until the process ends.
    return entry(&line);
}

} // namespace twk::app
