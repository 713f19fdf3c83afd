#pragma once
// `telmo-cli run` on the test display: writes the script and the items, confirms the run the way a
// user does (Enter in the confirmation), and waits for the run to end.
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

namespace e2e {

class DisplayRun {
public:
    // Starts the run; script and items are written as UTF-8 files with CR LF line ends.
    DisplayRun(const QStringList& scriptLines, const QStringList& items, const QStringList& options = {},
               const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());
    ~DisplayRun();

    // Waits until the window titled title has the keyboard focus (bounded).
    bool waitForFocusedWindow(const QString& title, int timeoutMs = 20000);
    // Presses and releases a key by virtual-key code through the X11 backend.
    void tapKey(int vk);
    // Confirms the run: waits for the confirmation to have the focus, then presses Enter.
    bool confirm();
    // Waits for the process to end; its exit status, or -1 when it did not end in time.
    int finish(int timeoutMs = 120000);
    QByteArray standardError() const { return err_; }
    qint64 elapsedMs() const { return elapsedMs_; }

private:
    QTemporaryDir dir_;
    QProcess process_;
    QByteArray err_;
    qint64 elapsedMs_ = 0;
};

} // namespace e2e
