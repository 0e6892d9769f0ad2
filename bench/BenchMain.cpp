// zoma-bench: measures the panel and prints one table of figures against their targets.
//
//   zoma-bench [--quick] [--only press,repeat,reply,startup,idle,flood,gateway]
//              [--panel PATH] [--simulator PATH] [--probe PATH] [--floor PATH] [--ctl PATH]
//
// The exit status says whether every figure could be measured, not whether targets were met.
#include <QApplication>
#include <QDateTime>
#include <QSysInfo>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

#include "Figures.h"
#include "support/Headless.h"
#include "window/Fonts.h"

namespace {

using zoma::bench::BenchConfig;
using zoma::bench::ResultTable;

struct Figure {
    const char* name;
    void (*measure)(const BenchConfig&, ResultTable&);
};

constexpr Figure kFigures[] = {
    {"press", zoma::bench::measurePressLatency}, {"repeat", zoma::bench::measureRepeatPace},
    {"reply", zoma::bench::measureReplyWindow},  {"startup", zoma::bench::measureStartUp},
    {"idle", zoma::bench::measureIdle},          {"flood", zoma::bench::measureFloodClicks},
    {"flood", zoma::bench::measureFloodLoad},    {"gateway", zoma::bench::measureGateway},
};

std::string cpuModel() {
    std::ifstream cpuinfo("/proc/cpuinfo");
    std::string line;
    while (std::getline(cpuinfo, line)) {
        if (line.rfind("model name", 0) == 0) return line.substr(line.find(':') + 2);
    }
    return "unknown";
}

// The offscreen platform warns about every fixed-size window; that says nothing about the
// panel, and the benchmark's output should be its table.
QtMessageHandler defaultHandler = nullptr;

void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("propagateSizeHints"))) return;
    defaultHandler(type, context, message);
}

void usage(const char* program) {
    std::fprintf(stderr,
                 "usage: %s [--quick] [--only press,repeat,reply,startup,idle,flood,gateway]\n"
                 "          [--panel PATH] [--simulator PATH] [--probe PATH] [--floor PATH]\n"
                 "          [--ctl PATH]\n",
                 program);
}

}  // namespace

int main(int argc, char* argv[]) {
    // Every window of the benchmark and of the programs it starts draws offscreen.
    zoma::testing::prepareHeadless();

    BenchConfig config;
    config.panelPath = ZOMA_BENCH_PANEL;
    config.simulatorPath = ZOMA_BENCH_SIMULATOR;
    config.startupProbePath = ZOMA_BENCH_PROBE;
    config.startupFloorPath = ZOMA_BENCH_FLOOR;
    config.ctlPath = ZOMA_BENCH_CTL;
    std::set<std::string> only;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--quick") {
            config.quick = true;
        } else if (arg == "--only" && hasValue) {
            std::istringstream names(argv[++i]);
            for (std::string name; std::getline(names, name, ',');) only.insert(name);
        } else if (arg == "--panel" && hasValue) {
            config.panelPath = argv[++i];
        } else if (arg == "--simulator" && hasValue) {
            config.simulatorPath = argv[++i];
        } else if (arg == "--probe" && hasValue) {
            config.startupProbePath = argv[++i];
        } else if (arg == "--floor" && hasValue) {
            config.startupFloorPath = argv[++i];
        } else if (arg == "--ctl" && hasValue) {
            config.ctlPath = argv[++i];
        } else {
            usage(argv[0]);
            return 2;
        }
    }

    defaultHandler = qInstallMessageHandler(quietHandler);
    QApplication app(argc, argv);
    zoma::installFontSubstitutes();

    ResultTable table;
    for (const Figure& figure : kFigures) {
        if (!only.empty() && only.count(figure.name) == 0) continue;
        std::fprintf(stderr, "measuring %s...\n", figure.name);
        figure.measure(config, table);
    }

    std::printf("zoma-panel benchmarks%s\n", config.quick ? " (quick run)" : "");
    std::printf("date:    %s\n",
                QDateTime::currentDateTime().toString(Qt::ISODate).toStdString().c_str());
    std::printf("machine: %u cores, %s, %s\n", std::thread::hardware_concurrency(),
                cpuModel().c_str(), QSysInfo::prettyProductName().toStdString().c_str());
    std::printf("Qt:      %s (built against %s), platform %s\n\n", qVersion(), QT_VERSION_STR,
                qgetenv("QT_QPA_PLATFORM").constData());
    std::fputs(table.render().c_str(), stdout);

    bool allMeasured = true;
    for (const auto& row : table.rows()) {
        if (row.verdict == zoma::bench::Verdict::Failed) allMeasured = false;
    }
    return allMeasured ? 0 : 1;
}
