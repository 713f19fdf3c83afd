// Opening programs, documents, folders and addresses from a script on a real desktop: "@" brings a
// started program up minimised, and the desktop's default handler gets every character of a name.
#include "DisplayRun.h"
#include "E2eSupport.h"
#include "platform/x11/X11Probe.h"
#include "platform/x11/X11WindowState.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

#include <csignal>

using e2e::DisplayRun;
using e2e::WaitFor;
using e2e::WriteTextFile;

namespace {

std::uintptr_t WindowTitled(const QString& title) {
    for (std::uintptr_t w : telmo::x11::ClientStackingOrder())
        if (telmo::x11::WindowTitle(w) == title) return w;
    return 0;
}

// Ends the program behind a window the run started.
struct CloseAtEnd {
    QString title;
    ~CloseAtEnd() {
        if (const qint64 pid = telmo::x11::WindowPid(WindowTitled(title)); pid > 0)
            ::kill(static_cast<pid_t>(pid), SIGTERM);
    }
};

} // namespace

TEST(ShellOpen, AnAtSignStartsTheProgramMinimisedEvenAsTheLastStep) {
    struct Case {
        bool minimised;
        const char* title;
    } cases[] = {{true, "Telmo e2e 最小化 start"}, {false, "Telmo e2e normal start"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        QTemporaryDir dir;
        // The program replaces the starter script's shell, so its window carries the pid the run started.
        const QString starter = dir.filePath("start form");
        ASSERT_TRUE(WriteTextFile(starter,
                              QString("#!/bin/sh\nexec '%1' --detached --fields 1 --title '%2'\n")
                                  .arg(TELMO_BUILD_DIR "/tests/fill_form", c.title),
                              true));
        CloseAtEnd closer{c.title};
        DisplayRun run({QString(c.minimised ? "CMD @%1" : "CMD %1").arg(starter)}, {});
        ASSERT_TRUE(run.confirm());
        ASSERT_EQ(run.finish(), 0) << run.standardError().toStdString();
        ASSERT_TRUE(WaitFor([&] { return WindowTitled(c.title) != 0; }, 20000));
        if (c.minimised) {
            // The run ended only after it had asked for the window to be minimised.
            EXPECT_TRUE(WaitFor([&] { return telmo::x11::WindowIsMinimised(WindowTitled(c.title)); }, 2000));
        } else {
            EXPECT_TRUE(WaitFor([&] { return e2e::FocusedTitle() == c.title; }, 10000));
            EXPECT_FALSE(telmo::x11::WindowIsMinimised(WindowTitled(c.title)));
        }
    }
}

TEST(ShellOpen, DocumentsFoldersAndAddressesReachTheDefaultHandlerIntact) {
    // A desktop of the test's own: one handler, a recorder, for plain text, folders and web addresses.
    QTemporaryDir dir;
    const QString opened = dir.filePath("opened.txt");
    const QString recorder = dir.filePath("record");
    ASSERT_TRUE(WriteTextFile(recorder, QString("#!/bin/sh\nprintf '%s\\n' \"$1\" >> '%1'\n").arg(opened), true));
    ASSERT_TRUE(QDir(dir.path()).mkpath("data/applications") && QDir(dir.path()).mkpath("config"));
    ASSERT_TRUE(WriteTextFile(dir.filePath("data/applications/telmo-e2e-recorder.desktop"),
                          QString("[Desktop Entry]\nType=Application\nName=Recorder\nExec=%1 %u\n"
                                  "MimeType=text/plain;inode/directory;x-scheme-handler/https;\n")
                              .arg(recorder)));
    ASSERT_TRUE(WriteTextFile(dir.filePath("config/mimeapps.list"),
                          "[Default Applications]\ntext/plain=telmo-e2e-recorder.desktop\n"
                          "inode/directory=telmo-e2e-recorder.desktop\n"
                          "x-scheme-handler/https=telmo-e2e-recorder.desktop\n"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID",
                             "BROWSER", "DEFAULT_BROWSER"})
        env.remove(name);
    env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    env.insert("XDG_DATA_HOME", dir.filePath("data"));

    const QString document = dir.filePath("数据 清单（第1批）.txt");
    const QString folder = dir.filePath("文件夹 二");
    const QString address = "https://example.invalid/路径/页面?q=值 1&x=%41";
    ASSERT_TRUE(WriteTextFile(document, "张三\n李四\n"));
    ASSERT_TRUE(QDir().mkpath(folder));

    DisplayRun run({"CMD " + document, "CMD " + folder, "CMD " + address}, {}, {}, env);
    ASSERT_TRUE(run.confirm());
    ASSERT_EQ(run.finish(), 0) << run.standardError().toStdString();
    QStringList lines;
    WaitFor(
        [&] {
            QFile f(opened);
            lines = f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts)
                                                : QStringList();
            return lines.size() >= 3;
        },
        20000);
    // The handlers start on their own, in any order.
    ASSERT_EQ(lines.size(), 3) << lines.join(" | ").toStdString();
    QStringList paths;
    QList<QUrl> urls;
    for (const QString& line : lines) (line.startsWith('/') ? paths.append(line) : urls.append(QUrl(line)));
    QStringList expected{document, folder};
    paths.sort();
    expected.sort();
    EXPECT_EQ(paths, expected);
    EXPECT_EQ(urls, QList<QUrl>{QUrl(address)});
}
