// Test entry point for widget and end-to-end tests. Any Qt warning or critical message fails the run:
// a test that provokes one must say so explicitly with QTest::ignoreMessage or its own handler.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QtGlobal>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>

namespace {
std::atomic<int> g_qtMessages{0};
bool g_offscreen = false;

void failOnQtMessage(QtMsgType type, const QMessageLogContext&, const QString& msg) {
    if (type == QtDebugMsg || type == QtInfoMsg) return;
    // The offscreen platform has no window manager to pass a dialog's size hints to, nor a stacking
    // order in which to raise a tool window.
    if (g_offscreen && (msg == QLatin1String("This plugin does not support propagateSizeHints()") ||
                        msg == QLatin1String("This plugin does not support raise()")))
        return;
    std::fprintf(stderr, "Qt message during tests: %s\n", qPrintable(msg));
    ++g_qtMessages;
}
} // namespace

int main(int argc, char** argv) {
    // Listing the tests (as ctest does before it runs them) needs no display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0) {
            ::testing::InitGoogleTest(&argc, argv);
            return RUN_ALL_TESTS();
        }
    }
    qInstallMessageHandler(failOnQtMessage);
    // Without a login session there is no runtime directory; give the tests a private one.
    QTemporaryDir runtimeDir(QDir::tempPath() + "/telmo-test-runtime-XXXXXX");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtimeDir.isValid())
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));
    QApplication app(argc, argv);
    g_offscreen = QApplication::platformName() == QLatin1String("offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    int rc = RUN_ALL_TESTS();
    if (g_qtMessages.load() > 0) {
        std::fprintf(stderr, "%d Qt warning(s) were printed: failing the run\n", g_qtMessages.load());
        return 1;
    }
    return rc;
}
