#pragma once
// What the benchmarks that fill programs on an X display share: a run host that needs no
// confirmation, and a main() that opens a GUI application only where there is a display.
#include "platform/Backends.h"
#include "platform/qt/QtRunHost.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>

namespace bench {

// The host without the confirmation: the figure is the run, not the user's answer.
class ConfirmedHost : public telmo::QtRunHost {
public:
    ConfirmedHost() : QtRunHost(nullptr) {}
    bool confirmRun() override { return true; }
};

// Runs the registered benchmarks; without a display they report the missing display.
inline int DisplayBenchMain(int argc, char** argv) {
    QString error;
    std::unique_ptr<QCoreApplication> app;
    if (telmo::DisplayAvailable(&error))
        app = std::make_unique<QApplication>(argc, argv);
    else
        app = std::make_unique<QCoreApplication>(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
