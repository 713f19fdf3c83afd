#include "script/ScriptLanguage.h"

#include "platform/InputBackend.h"

#include <array>

namespace telmo {

QStringList CompactLines(const QStringList& lines) {
    QStringList result;
    result.reserve(lines.size());
    for (const QString& line : lines)
        if (!line.isEmpty()) result.append(line);
    return result;
}

QStringList ScriptLines(QStringView text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i <= n; ++i) {
        if (i < n && text[i] != u'\r' && text[i] != u'\n') continue;
        if (i > start) lines.append(text.sliced(start, i - start).toString());
        start = i + 1;
    }
    return lines;
}

std::optional<std::int32_t> ReadNumericField(QStringView field) {
    // Read exactly in decimal rather than through a double: the integer part only matters while it
    // could still fit 32 bits, and of the fraction only its first digit and whether anything non-zero
    // follows decide the rounding. So a 10 MB run of digits costs one pass and no memory.
    constexpr std::int64_t kTooBig = std::int64_t(1) << 40;
    bool negative = false, started = false, pointSeen = false;
    std::int64_t whole = 0;
    int firstFraction = -1;    // first digit after the point, -1 when none yet
    bool fractionRest = false; // a non-zero digit after the first fraction digit
    for (QChar qc : field) {
        const char16_t c = qc.unicode();
        if (c == u' ' || c == u'\t' || c == u'\n') continue;
        if (c >= u'0' && c <= u'9') {
            const int d = c - u'0';
            started = true; // a sign may only come first
            if (!pointSeen) {
                if (whole < kTooBig) whole = whole * 10 + d;
            } else if (firstFraction < 0) {
                firstFraction = d;
            } else if (d != 0) {
                fractionRest = true;
            }
        } else if ((c == u'+' || c == u'-') && !started) {
            negative = c == u'-';
            started = true;
        } else if (c == u'.' && !pointSeen) {
            pointSeen = true;
            started = true;
        } else {
            break;
        }
    }
    std::int64_t magnitude = whole;
    if (firstFraction > 5 || (firstFraction == 5 && (fractionRest || (whole & 1)))) ++magnitude;
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return std::int32_t(value);
}

namespace {

bool StartsWith3(const QString& line, const char* keyword) {
    return line.size() >= 3 && line[0] == QLatin1Char(keyword[0]) && line[1] == QLatin1Char(keyword[1]) &&
           line[2] == QLatin1Char(keyword[2]);
}

struct MouseRow {
    const char* key;
    std::uint32_t flags;
    std::int32_t data;
};

constexpr std::array<MouseRow, 12> kMouseRows{{
    {"lft dn", MOUSEEVENTF_LEFTDOWN, 0},
    {"lft up", MOUSEEVENTF_LEFTUP, 0},
    {"rgh dn", MOUSEEVENTF_RIGHTDOWN, 0},
    {"rgh up", MOUSEEVENTF_RIGHTUP, 0},
    {"mid dn", MOUSEEVENTF_MIDDLEDOWN, 0},
    {"mid up", MOUSEEVENTF_MIDDLEUP, 0},
    {"whl up", MOUSEEVENTF_WHEEL, 120},
    {"whl dn", MOUSEEVENTF_WHEEL, -120},
    {"sd1 dn", MOUSEEVENTF_XDOWN, 1},
    {"sd1 up", MOUSEEVENTF_XUP, 1},
    {"sd2 dn", MOUSEEVENTF_XDOWN, 2},
    {"sd2 up", MOUSEEVENTF_XUP, 2},
}};

struct ArgumentRow {
    const char* keyword;
    StepKind kind;
};

constexpr std::array<ArgumentRow, 6> kArgumentRows{{
    {"INP", StepKind::Type},
    {"MSG", StepKind::Message},
    {"MOV", StepKind::Move},
    {"HLD", StepKind::Hold},
    {"CMD", StepKind::Command},
    {"KEY", StepKind::Key},
}};

Step RecognizeMouseStep(const QString& line) {
    // Only spaces are trimmed; only the first six characters of what remains count, in any case.
    qsizetype begin = 0, end = line.size();
    while (begin < end && line[begin] == u' ') ++begin;
    while (end > begin && line[end - 1] == u' ') --end;
    if (end - begin < 6) return {};
    QChar key[6];
    for (int i = 0; i < 6; ++i) key[i] = line[begin + i].toLower();
    for (const MouseRow& row : kMouseRows) {
        bool same = true;
        for (int i = 0; i < 6 && same; ++i) same = key[i] == QLatin1Char(row.key[i]);
        if (same) return {StepKind::Mouse, row.flags, row.data, {}};
    }
    return {};
}

} // namespace

Step RecognizeStep(const QString& line) {
    if (StartsWith3(line, "CPY")) return {StepKind::Copy, 0, 0, {}};
    if (StartsWith3(line, "PST")) return {StepKind::Paste, 0, 0, {}};
    if (line.size() >= 6) {
        for (const char* keyword : {"LFT", "RGH", "MID", "WHL", "SD1", "SD2"})
            if (StartsWith3(line, keyword)) return RecognizeMouseStep(line);
    }
    if (line.size() >= 4 && line[3] == u' ') {
        for (const ArgumentRow& row : kArgumentRows)
            if (StartsWith3(line, row.keyword)) return {row.kind, 0, 0, line.sliced(4)};
    }
    return {};
}

} // namespace telmo
