// The application object of the run program: a GUI application when the command drives the display.
#include "cli/CliCommand.h"
#include "platform/Backends.h"
#include "platform/qt/ChineseTranslations.h"

#include <QApplication>
#include <map>
#include <string>

namespace telmo::cli {
namespace {
std::map<std::string, DisplayNeedFn>& DisplayNeeds() {
    static std::map<std::string, DisplayNeedFn> needs;
    return needs;
}

bool WantsGuiApplication(int argc, char** argv) {
    if (argc < 2) return false;
    auto it = DisplayNeeds().find(argv[1]);
    if (it == DisplayNeeds().end()) return false;
    QStringList args;
    for (int i = 2; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    QString error;
    return it->second(args) && DisplayAvailable(&error);
}
} // namespace

bool RegisterDisplayNeed(const char* name, DisplayNeedFn needsDisplay) {
    DisplayNeeds()[name] = needsDisplay;
    return true;
}

std::unique_ptr<QCoreApplication> CreateApplication(int& argc, char** argv) {
    if (WantsGuiApplication(argc, argv)) {
        auto app = std::make_unique<QApplication>(argc, argv);
        InstallChineseTranslations(*app); // the run's confirmation speaks Chinese throughout
        return app;
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

} // namespace telmo::cli
