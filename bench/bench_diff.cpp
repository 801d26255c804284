// A diff and a three-way merge of a 10,000-line script (a few dozen lines changed on each
// side) through the program's own engine (libgit2), against GNU diff -u and diff3 -m of the
// same files. Ours reads the files and makes the lines a terminal would print; the baselines
// are whole processes writing to /dev/null, as a user would run them. Prints one table row
// per pair, medians of the repetitions.

#include "installer/files/TextDiff.h"
#include "installer/files/ThreeWayMerge.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fcntl.h>
#include <map>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

using namespace twk::files;

QTemporaryDir* folder = nullptr;

QString path(const char* name) {
    return folder->filePath(QLatin1String(name));
}

// 10,000 lines; every 250th changed by a side, each side its own lines.
QByteArray script(int changedFrom) {
    QByteArray text;
    for (int i = 1; i <= 10000; ++i) {
        text += "echo \"line " + QByteArray::number(i) + "\" >> \"$log\"";
        if (changedFrom > 0 && i % 250 == changedFrom)
            text += " # changed";
        text += '\n';
    }
    return text;
}

QByteArray readFile(const char* name) {
    QFile file(path(name));
    (void)file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void runProcess(std::initializer_list<const char*> arguments) {
    std::vector<char*> argv;
    for (const char* argument : arguments)
        argv.push_back(const_cast<char*>(argument));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0)
        ::waitpid(pid, nullptr, 0);
    posix_spawn_file_actions_destroy(&actions);
}

void DiffOurs(benchmark::State& state) {
    for (auto _ : state) {
        const auto diff = diffTexts(readFile("yours"), readFile("theirs"));
        QByteArray printed; // what a terminal is given
        for (const DiffLine& line : diff->lines) {
            printed += line.kind == DiffLine::Kind::Added     ? '+'
                       : line.kind == DiffLine::Kind::Removed ? '-'
                                                              : ' ';
            printed += line.text;
            printed += '\n';
        }
        benchmark::DoNotOptimize(printed.data());
    }
}

void DiffGnu(benchmark::State& state) {
    const QByteArray yours = QFile::encodeName(path("yours")),
                     theirs = QFile::encodeName(path("theirs"));
    for (auto _ : state)
        runProcess({"diff", "-u", yours.constData(), theirs.constData()});
}

void MergeOurs(benchmark::State& state) {
    for (auto _ : state) {
        const auto merge = mergeTexts(readFile("base"), readFile("yours"), readFile("theirs"));
        benchmark::DoNotOptimize(merge->merged.data());
    }
}

void MergeGnu(benchmark::State& state) {
    const QByteArray base = QFile::encodeName(path("base")),
                     yours = QFile::encodeName(path("yours")),
                     theirs = QFile::encodeName(path("theirs"));
    for (auto _ : state)
        runProcess({"diff3", "-m", yours.constData(), base.constData(), theirs.constData()});
}

#define TWK_PAIR(name)                                                                             \
    BENCHMARK(name)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true)
TWK_PAIR(DiffOurs);
TWK_PAIR(DiffGnu);
TWK_PAIR(MergeOurs);
TWK_PAIR(MergeGnu);

class MedianReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> medians; // real time per iteration, in ms

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.aggregate_name == "median")
                medians[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
    }
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    QTemporaryDir temporary(QStringLiteral("/dev/shm/twk-bench-diff-XXXXXX"));
    folder = &temporary;
    for (const auto& [name, changed] :
         {std::pair("base", 0), std::pair("yours", 1), std::pair("theirs", 125)}) {
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(script(changed)) < 0)
            return 1;
    }
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto row = [&](const char* name, const char* ours, const char* baseline, const char* label,
                   const char* goal) {
        const double a = reporter.medians[ours], b = reporter.medians[baseline];
        std::printf("ROW|%s|%.2f ms|%.2f ms (%s)|%.2f|%s\n", name, a, b, label, a / b, goal);
    };
    row("diff of a 10,000-line script", "DiffOurs", "DiffGnu", "diff -u", "<= 1.50");
    row("three-way merge of a 10,000-line script", "MergeOurs", "MergeGnu", "diff3 -m", "<= 1.50");
    return 0;
}
