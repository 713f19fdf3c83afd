#include "script/editor/StepLines.h"

#include <cmath>
#include <cstdio>

namespace telmo {

namespace {

// Without CR and LF, and without ASCII spaces at either end (tabs and full-width spaces count as
// content). Only used to decide whether a text makes a step, so the text itself keeps its spaces.
QString StrippedForTest(const QString& text) {
    QString s = text;
    s.remove(QLatin1Char('\r'));
    s.remove(QLatin1Char('\n'));
    qsizetype begin = 0, end = s.size();
    while (begin < end && s.at(begin) == QLatin1Char(' ')) ++begin;
    while (end > begin && s.at(end - 1) == QLatin1Char(' ')) --end;
    return s.mid(begin, end - begin);
}

} // namespace

QString& StepResult() {
    static QString result;
    return result;
}

QString TextStepLine(const QString& prefix, const QString& text) {
    if (StrippedForTest(text).isEmpty()) return {};
    QString body = text;
    body.remove(QLatin1Char('\r'));
    // A line break inside a step would end the step early and turn the rest of the text into a
    // line of its own, which could be a step nobody asked for.
    body.remove(QLatin1Char('\n'));
    return prefix + body + kStepLineEnd;
}

QString CommandStepPrefix(bool minimised) {
    return minimised ? QStringLiteral("CMD @") : QStringLiteral("CMD ");
}

QString HoldStepLine(const QString& digits) {
    const QString s = StrippedForTest(digits);
    if (s.isEmpty()) return {};
    qsizetype n = 0;
    while (n < s.size() && s.at(n) >= QLatin1Char('0') && s.at(n) <= QLatin1Char('9')) ++n;
    if (n == 0) return {};
    bool ok = false;
    const double value = s.left(n).toDouble(&ok);
    if (!ok || !std::isfinite(value) || value == 0) return {};
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    return QStringLiteral("HLD ") + QString::fromLatin1(buffer) + kStepLineEnd;
}

QString KeyStepLine(const QString& keyCode, int modifierMask) {
    return QStringLiteral("KEY ") + keyCode + QLatin1Char(',') + QString::number(modifierMask) + kStepLineEnd;
}

QString MoveStepLine(int x, int y) {
    return QStringLiteral("MOV ") + QString::number(x) + QLatin1Char(',') + QString::number(y) + kStepLineEnd;
}

} // namespace telmo
