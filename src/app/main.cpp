// telmo: the form-filling assistant's window.
#include "Version.h"
#include "app/AppFont.h"
#include "app/SingleInstance.h"
#include "app/frmMain.h"
#include "platform/qt/ChineseTranslations.h"

#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    // Answered before any window system is opened, so it works without a display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("telmo %s\n", telmo::kVersion);
        return 0;
    }
    QApplication app(argc, argv);
    telmo::InstallChineseTranslations(app);
    // Message boxes and file dialogs in the windows' own font.
    QApplication::setFont(telmo::UiFont(9));
    QApplication::setApplicationName(QStringLiteral("telmo"));
    QApplication::setApplicationVersion(QString::fromLatin1(telmo::kVersion));
    QGuiApplication::setDesktopFileName(QStringLiteral("telmo"));

    telmo::SingleInstance instance(telmo::SingleInstance::DefaultServerName());
    if (instance.AnotherIsRunning()) return 0; // the running window comes to the front instead

    QApplication::setWindowIcon(QIcon(QStringLiteral(":/telmo/telmo.png")));
    telmo::frmMain window;
    instance.Listen([&window] {
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
        window.show();
        window.raise();
        window.activateWindow();
    });
    window.show();
    return app.exec();
}
