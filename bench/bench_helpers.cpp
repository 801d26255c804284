// Attribute parsing of install-request URLs against QUrlQuery, and sorting file names with
// naturalOrderCompare against one QCollator set up the same way, in one run. Prints one
// table row per pair, medians of the repetitions.

#include "support/strings/MessageAttributes.h"
#include "support/strings/NaturalOrder.h"

#include <QCollator>
#include <QLocale>
#include <QRandomGenerator>
#include <QUrlQuery>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>

namespace {

const QStringList Words{"Open",   "Recent", "Window", "Tools", "Backup", "Résumé", "Notes",
                        "Export", "2025",   "v1.10",  "Zoom",  "Große",  "Copy",   "Files"};

QString randomName(QRandomGenerator& random) {
    QString name;
    const int words = 1 + int(random.bounded(3));
    for (int w = 0; w < words; ++w) {
        if (w)
            name += u' ';
        name += Words[random.bounded(int(Words.size()))];
    }
    if (random.bounded(2))
        name += QStringLiteral(" %1").arg(random.bounded(200));
    return name + (random.bounded(3) ? QStringLiteral(".sh") : QStringLiteral(".scpt"));
}

const std::vector<QString>& requestUrls() {
    static const std::vector<QString> urls = [] {
        QRandomGenerator random(42);
        std::vector<QString> list;
        for (int i = 0; i < 100000; ++i) {
            const QString name = randomName(random);
            list.push_back(QStringLiteral("twkscriptinstall://install?script=") +
                           *twk::strings::fullyEscapedStringForUrl(name) +
                           QStringLiteral("&source=tarnwick&version=3.2.%1").arg(i % 10));
        }
        return list;
    }();
    return urls;
}

const std::vector<QString>& fileNames() {
    static const std::vector<QString> names = [] {
        QRandomGenerator random(7);
        std::vector<QString> list;
        for (int i = 0; i < 100000; ++i) {
            QString name = randomName(random);
            if (random.bounded(4) == 0)
                name = name.toUpper();
            list.push_back(name);
        }
        return list;
    }();
    return names;
}

void AttributesOurs(benchmark::State& state) {
    const auto& urls = requestUrls();
    for (auto _ : state) {
        for (const QString& url : urls) {
            const auto map = twk::strings::attributesFromMessageWithLowercaseKey(url, true, false);
            benchmark::DoNotOptimize(map->value(QStringLiteral("script")));
        }
    }
    state.SetItemsProcessed(qint64(state.iterations()) * qint64(urls.size()));
}

void AttributesQUrlQuery(benchmark::State& state) {
    const auto& urls = requestUrls();
    for (auto _ : state) {
        for (const QString& url : urls) {
            const QUrlQuery query(url.mid(url.indexOf(u'?') + 1));
            benchmark::DoNotOptimize(
                query.queryItemValue(QStringLiteral("script"), QUrl::FullyDecoded));
        }
    }
    state.SetItemsProcessed(qint64(state.iterations()) * qint64(urls.size()));
}

void SortNatural(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<QString> names = fileNames();
        std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
            return twk::strings::naturalOrderCompare(a, b) < 0;
        });
        benchmark::DoNotOptimize(names.data());
    }
}

void SortCollator(benchmark::State& state) {
    QLocale locale = QLocale::system();
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English, QLocale::UnitedStates);
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    for (auto _ : state) {
        std::vector<QString> names = fileNames();
        std::sort(names.begin(), names.end(),
                  [&](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
        benchmark::DoNotOptimize(names.data());
    }
}

BENCHMARK(AttributesOurs)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);
BENCHMARK(AttributesQUrlQuery)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);
BENCHMARK(SortNatural)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(SortCollator)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

// Keeps the median of each benchmark.
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

void row(const char* name, double ours, double baseline, const char* unit, double scale,
         const char* goal) {
    std::printf("ROW|%s|%.1f %s|%.1f %s|%.2f|%s\n", name, ours * scale, unit, baseline * scale,
                unit, ours / baseline, goal);
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    // Per URL: the whole batch of 100,000 is one iteration, timed in milliseconds.
    row("attribute parsing, per URL", reporter.medians["AttributesOurs"],
        reporter.medians["AttributesQUrlQuery"], "ns", 1e6 / 100000, "<= 1.00");
    row("natural-order sort of 100,000 names", reporter.medians["SortNatural"],
        reporter.medians["SortCollator"], "ms", 1, "<= 1.20");
    return 0;
}
