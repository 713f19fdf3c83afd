#pragma once
// Real programs from the distribution as fill targets on the test display: a web form served on
// 127.0.0.1 that records what a browser submits, the browsers, a spreadsheet and a GTK text editor
// started with private profiles, the records a user's data looks like, and reading results back.
#include <QList>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <functional>
#include <memory>

namespace e2e {

using Records = QList<QStringList>;

// A page with a form of `fields` text fields. The page posts every submitted record, numbered, as
// JSON (UTF-8), resets the form and focuses the first field; it posts /ready once its window has the
// focus and the first field is focused.
class FormServer {
public:
    explicit FormServer(int fields = 5);
    ~FormServer();
    bool listening() const { return server_.isListening(); }
    QString url() const;
    bool pageReady() const { return ready_; }
    // The submitted records in the order they were submitted.
    const Records& records() const { return records_; }
    int received() const { return received_; }

private:
    void serve(class QTcpSocket* socket);
    QTcpServer server_;
    int fields_;
    bool ready_ = false;
    Records records_;
    int received_ = 0;
};

// A program started in a process group of its own; the whole group is ended with the object.
class Program {
public:
    // Output goes to logFile, or nowhere when it is empty.
    Program(const QString& program, const QStringList& args, const QProcessEnvironment& env,
            const QString& logFile = {});
    ~Program();
    bool started() const { return started_; }
    bool running() const { return process_.state() != QProcess::NotRunning; }
    QString program() const { return process_.program(); }

private:
    QProcess process_;
    bool started_ = false;
};

// A started target with its private profile; ready() once it accepts input in the field to fill.
class Target {
public:
    virtual ~Target() = default;
    // Waits (bounded) until the program's window has the focus and the first field takes input.
    virtual bool waitReady(int timeoutMs) = 0;
    // What the program holds after the fill, one record per row or submission.
    virtual Records readBack(int expectedRecords) = 0;
    // Why the program is not ready or not there, for failure messages.
    QString problem() const { return problem_; }

protected:
    QString problem_;
};

// The environment the targets run in: the test display, no accessibility bus, in-memory settings.
QProcessEnvironment TargetEnvironment();

enum class Browser { Chromium, Firefox };
std::unique_ptr<Target> StartBrowser(Browser browser, FormServer& server, const QProcessEnvironment& env);
std::unique_ptr<Target> StartCalc(int columns, const QProcessEnvironment& env);
std::unique_ptr<Target> StartTextEditor(const QProcessEnvironment& env);

// n records of `fields` fields: Chinese names and addresses, a character outside the BMP,
// full-width punctuation, 18-character identity numbers (all digits or ending in X).
Records SampleRecords(int n, int fields = 5);
QStringList Flatten(const Records& records);

// The script a user writes for one record: CPY and PST per field, Tab between fields, then the
// record's end (Enter submits a web form or ends a line; a spreadsheet goes Down and Home, since
// Enter after a paste leaves its cursor where it is).
QStringList FillScript(int fields, const QStringList& recordEnd);
inline const QStringList kEnterEndsRecord{"KEY 13,0"};
inline const QStringList kNextRowEndsRecord{"KEY 40,0", "KEY 36,0"};

// Field-by-field comparison: "" when equal, otherwise every differing field with both texts.
QString DiffRecords(const Records& expected, const Records& actual);
int IntactFields(const Records& expected, const Records& actual);

// Presses the keys in order and releases them in reverse (virtual-key codes), through XTest.
void Chord(std::initializer_list<int> vks);
// Runs copy and returns the clipboard's text once another program has taken the clipboard over,
// without a final line break; "" when nobody did within timeoutMs.
QString ClipboardTextAfter(const std::function<void()>& copy, int timeoutMs = 10000);

} // namespace e2e
