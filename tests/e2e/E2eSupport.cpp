#include "E2eSupport.h"

#include "platform/x11/X11Probe.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPoint>
#include <QTest>

namespace e2e {

bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < timeoutMs) {
        if (condition()) return true;
        QTest::qWait(10);
    }
    return condition();
}

bool WriteTextFile(const QString& path, const QString& text, bool executable) {
    QFile f(path);
    const QByteArray bytes = text.toUtf8();
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) return false;
    f.close();
    return !executable || f.setPermissions(f.permissions() | QFile::ExeOwner);
}

Form::Form(int fields, const QString& title, const QStringList& options) {
    process_.setProgram(QStringLiteral(TELMO_BUILD_DIR "/tests/fill_form"));
    process_.setArguments(QStringList{"--fields", QString::number(fields), "--title", title} + options);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start();
    if (!process_.waitForStarted(10000)) return;
    ready_ = readLine(20000) == "ready";
}

Form::~Form() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.write("quit\n");
    if (!process_.waitForFinished(5000)) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

QByteArray Form::readLine(int timeoutMs) {
    QElapsedTimer t;
    t.start();
    while (true) {
        const int nl = buffer_.indexOf('\n');
        if (nl >= 0) {
            QByteArray line = buffer_.left(nl);
            buffer_.remove(0, nl + 1);
            return line;
        }
        const qint64 left = timeoutMs - t.elapsed();
        if (left <= 0 || process_.state() == QProcess::NotRunning) return {};
        if (process_.waitForReadyRead(static_cast<int>(std::min<qint64>(left, 100))))
            buffer_ += process_.readAllStandardOutput();
    }
}

QJsonObject Form::report() {
    process_.write("report\n");
    return QJsonDocument::fromJson(readLine(10000)).object();
}

QJsonObject Form::reportWhen(const std::function<bool(const QJsonObject&)>& condition, int timeoutMs) {
    QJsonObject last;
    WaitFor(
        [&] {
            last = report();
            return condition(last);
        },
        timeoutMs);
    return last;
}

QStringList Form::fieldValues(const QJsonObject& report) const {
    QStringList out;
    for (const QJsonValue& v : report["fields"].toArray()) out << v.toString();
    return out;
}

QPoint Form::fieldCentre(const QJsonObject& report, int i) const {
    const QJsonArray r = report["rects"].toArray()[i].toArray();
    return {r[0].toInt() + r[2].toInt() / 2, r[1].toInt() + r[3].toInt() / 2};
}

int CountEvents(const QJsonObject& report, const QString& type, int button, const QString& widget) {
    int n = 0;
    for (const QJsonValue& v : report["events"].toArray())
        if (v["t"].toString() == type && (button < 0 || v["b"].toInt() == button) &&
            (widget.isEmpty() || v["w"].toString() == widget))
            ++n;
    return n;
}

bool AnySynthetic(const QJsonObject& report) {
    for (const QJsonValue& v : report["events"].toArray())
        if (v["synth"].toBool()) return true;
    return report["sentEvents"].toInt() != 0;
}

QString FocusedTitle() {
    return telmo::x11::WindowTitle(telmo::x11::FocusedWindow());
}

} // namespace e2e
