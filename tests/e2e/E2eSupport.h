#pragma once
// Helpers for tests that drive a real X server: the tests' own form program, bounded waiting.
#include <QJsonObject>
#include <QPoint>
#include <QProcess>
#include <QStringList>
#include <functional>
#include <ostream>

// Readable QStrings in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace e2e {

// Polls condition while processing events, for at most timeoutMs; true as soon as it holds.
bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 10000);

// Writes text as UTF-8, as it stands; executable adds the owner's execute permission.
bool WriteTextFile(const QString& path, const QString& text, bool executable = false);

// The form program (tests/e2e/programs/fill_form.cpp), started and active.
class Form {
public:
    // Starts the form and waits until its window is active with the first field focused; options go
    // to the form program as they stand (--lazy-paste MS).
    explicit Form(int fields = 5, const QString& title = "Telmo e2e form", const QStringList& options = {});
    ~Form();

    bool ready() const { return ready_; }
    // The form's current report (fields, rects, memo, memoScroll, focus, events, keys, sentEvents).
    QJsonObject report();
    // Reports until condition(report) holds or timeoutMs passes; the last report.
    QJsonObject reportWhen(const std::function<bool(const QJsonObject&)>& condition, int timeoutMs = 10000);
    QStringList fieldValues(const QJsonObject& report) const;
    // The centre of field i on the screen.
    QPoint fieldCentre(const QJsonObject& report, int i) const;

private:
    QByteArray readLine(int timeoutMs);
    QProcess process_;
    QByteArray buffer_;
    bool ready_ = false;
};

// How many input events of a type ("press", "release", "wheel") a form report holds; button -1 and
// an empty widget name count any.
int CountEvents(const QJsonObject& report, const QString& type, int button = -1, const QString& widget = {});

// Whether any mouse or wheel event of the report was synthesised by Qt or sent by another client.
bool AnySynthetic(const QJsonObject& report);

// The title of the window that has the keyboard focus ("" when none).
QString FocusedTitle();

} // namespace e2e
