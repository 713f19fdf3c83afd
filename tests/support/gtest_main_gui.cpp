// Test entry point for widget and end-to-end tests. Any Qt warning or critical message fails the run:
// a test that provokes one must say so explicitly with QTest::ignoreMessage or its own handler.
#include <QApplication>
#include <QtGlobal>
#include <atomic>
#include <cstdio>
#include <gtest/gtest.h>

namespace {
std::atomic<int> g_qtMessages{0};

void failOnQtMessage(QtMsgType type, const QMessageLogContext&, const QString& msg) {
    if (type == QtDebugMsg || type == QtInfoMsg) return;
    std::fprintf(stderr, "Qt message during tests: %s\n", qPrintable(msg));
    ++g_qtMessages;
}
} // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(failOnQtMessage);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    int rc = RUN_ALL_TESTS();
    if (g_qtMessages.load() > 0) {
        std::fprintf(stderr, "%d Qt warning(s) were printed: failing the run\n", g_qtMessages.load());
        return 1;
    }
    return rc;
}
