// Times whole processes for the benchmark script:
//   twk-bench-run exec COMMAND [ARGS...]              wall time until the command exits
//   twk-bench-run until-file PATH COMMAND [ARGS...]   wall time until PATH appears
//   twk-bench-run make-tree DIR [VERSION]
//                                 the bulk-install data: 2,000 scripts of 4 KiB, 50 script
//                                 folders of 20 files, 20 scripts of 10 MiB; every byte
//                                 other in version 1
//   twk-bench-run until-stamp FILE COMMAND [ARGS...]
//                                 wall time until some process writes its monotonic time (ms)
//                                 to FILE: from the launch to what that process measured
//   twk-bench-run open N          one org.freedesktop.Application.Open call with N install
//                                 URLs to the running installer: wall time until answered
// Prints the time in milliseconds; the command's output goes to /dev/null.

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gio/gio.h>

extern char** environ;

namespace {

pid_t spawn(char** argv) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!getenv("TWK_BENCH_KEEP_OUTPUT"))
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv, environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

double msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

void writeFile(const std::string& path, size_t size, unsigned seed) {
    std::string data(size, '\0');
    unsigned x = seed * 2654435761u + 1;
    for (char& c : data) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = char('a' + x % 26);
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(data.data(), 1, data.size(), f) != data.size() || std::fclose(f) != 0)
        std::perror(path.c_str());
}

// Version 1 holds other bytes in every file: Tarnwick shipping an update of every script.
int makeTree(const std::string& dir, unsigned version) {
    ::mkdir(dir.c_str(), 0755);
    const unsigned shift = version * 100000;
    char name[64];
    for (unsigned i = 0; i < 2000; ++i) {
        std::snprintf(name, sizeof name, "/script %04u.sh", i);
        writeFile(dir + name, 4096, shift + i);
    }
    for (unsigned i = 0; i < 50; ++i) {
        std::snprintf(name, sizeof name, "/folder %02u", i);
        const std::string folder = dir + name;
        ::mkdir(folder.c_str(), 0755);
        for (unsigned j = 0; j < 20; ++j) {
            std::snprintf(name, sizeof name, "/part %02u.txt", j);
            writeFile(folder + name, 4096, shift + 10000 + i * 20 + j);
        }
    }
    for (unsigned i = 0; i < 20; ++i) {
        std::snprintf(name, sizeof name, "/large %02u.bin", i);
        writeFile(dir + name, 10u << 20, shift + 50000 + i);
    }
    return 0;
}

} // namespace

int openUrls(long count) {
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (!bus)
        return 1;
    GVariantBuilder uris;
    g_variant_builder_init(&uris, G_VARIANT_TYPE("as"));
    char url[128];
    for (long i = 0; i < count; ++i) {
        std::snprintf(url, sizeof url,
                      "twkscriptinstall://install?script=No%%20such%%20script%%20%06ld", i);
        g_variant_builder_add(&uris, "s", url);
    }
    GVariantBuilder data;
    g_variant_builder_init(&data, G_VARIANT_TYPE("a{sv}"));
    GVariant* parameters = g_variant_ref_sink(g_variant_new("(asa{sv})", &uris, &data));
    const auto start = std::chrono::steady_clock::now();
    GVariant* reply = g_dbus_connection_call_sync(
        bus, "org.tarnwick.ScriptInstaller", "/org/tarnwick/ScriptInstaller",
        "org.freedesktop.Application", "Open", parameters, nullptr, G_DBUS_CALL_FLAGS_NO_AUTO_START,
        60000, nullptr, nullptr);
    const double elapsed = msSince(start);
    g_variant_unref(parameters);
    if (!reply)
        return 1;
    g_variant_unref(reply);
    std::printf("%.3f\n", elapsed);
    return 0;
}

int main(int argc, char** argv) {
    if ((argc == 3 || argc == 4) && std::strcmp(argv[1], "make-tree") == 0)
        return makeTree(argv[2], argc == 4 ? unsigned(std::atoi(argv[3])) : 0);
    if (argc == 3 && std::strcmp(argv[1], "open") == 0)
        return openUrls(std::atol(argv[2]));
    if (argc < 3)
        return 2;
    if (std::strcmp(argv[1], "until-stamp") == 0) {
        ::unlink(argv[2]);
        timespec now;
        clock_gettime(CLOCK_MONOTONIC, &now);
        const double start = double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
        const pid_t child = spawn(argv + 3);
        if (child < 0)
            return 1;
        double stamp = 0;
        for (int tries = 0; tries < 20000 && stamp <= 0; ++tries) {
            if (FILE* f = std::fopen(argv[2], "r")) {
                if (std::fscanf(f, "%lf", &stamp) != 1)
                    stamp = 0;
                std::fclose(f);
            }
            if (stamp <= 0)
                ::usleep(1000);
        }
        ::waitpid(child, nullptr, 0);
        if (stamp <= 0)
            return 1;
        std::printf("%.3f\n", stamp - start);
        return 0;
    }
    const bool untilFile = std::strcmp(argv[1], "until-file") == 0;
    const char* path = untilFile ? argv[2] : nullptr;
    char** command = argv + (untilFile ? 3 : 2);
    int watch = -1;
    if (untilFile) {
        ::unlink(path);
        std::string folder(path);
        folder = folder.substr(0, folder.rfind('/'));
        watch = inotify_init1(IN_CLOEXEC);
        inotify_add_watch(watch, folder.c_str(), IN_CREATE | IN_MOVED_TO);
    }
    const auto start = std::chrono::steady_clock::now();
    // The child may measure from here too (CLOCK_MONOTONIC is steady_clock's on Linux).
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    char startMs[64];
    std::snprintf(startMs, sizeof startMs, "%.3f",
                  double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6);
    setenv("TWK_BENCH_START_MS", startMs, 1);
    const pid_t child = spawn(command);
    if (child < 0)
        return 1;
    double elapsed = -1;
    if (untilFile) {
        struct stat st;
        while (::stat(path, &st) != 0) {
            pollfd fd{watch, POLLIN, 0};
            if (::poll(&fd, 1, 20000) <= 0)
                return 1;
            char events[4096];
            if (::read(watch, events, sizeof events) < 0 && errno != EAGAIN)
                return 1;
        }
        elapsed = msSince(start);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!untilFile)
        elapsed = msSince(start);
    std::printf("%.3f\n", elapsed);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : 1;
}
