// Script recognition and the command strings of the input simulation, on arbitrary script text:
// cutting into steps, recognising each step, reading numeric fields and executing the line as a
// command string against the recording backend (pauses are virtual, nothing sleeps).
// Options: byte 1 picks the primary screen size (a zero-sized one included).
#include "FuzzInput.h"
#include "platform/fake/FakeRunHost.h"
#include "platform/fake/RecordingInput.h"
#include "script/InputSimulation.h"
#include "script/ScriptLanguage.h"

#include <cmath>
#include <cstdlib>
#include <string>

using namespace telmo;

namespace {

constexpr QSize kScreens[] = {{1920, 1080}, {0, 0}, {1, 1}, {3840, 2160}, {65535, 1}, {800, 600}};

// The numeric-field rule read a second way: the blanks dropped, the leading number cut out by the
// same rule and converted by strtod. Exact as long as it has at most 15 digits: a double then holds
// the value closely enough that rounding half to even with nearbyint decides as exact decimal would.
bool ReferenceField(QStringView field, std::optional<std::int32_t>* value) {
    std::string number;
    int digits = 0;
    bool started = false, point = false;
    for (QChar qc : field) {
        const char16_t c = qc.unicode();
        if (c == u' ' || c == u'\t' || c == u'\n') continue;
        if (c >= u'0' && c <= u'9') {
            started = true;
            if (++digits > 15) return false;
            number += char(c);
        } else if ((c == u'+' || c == u'-') && !started) {
            started = true;
            number += char(c);
        } else if (c == u'.' && !point) {
            started = point = true;
            number += '.';
        } else {
            break;
        }
    }
    if (digits == 0) {
        *value = 0;
        return true;
    }
    const double v = std::nearbyint(std::strtod(number.c_str(), nullptr));
    *value = v < -2147483648.0 || v > 2147483647.0 ? std::nullopt : std::optional<std::int32_t>(std::int32_t(v));
    return true;
}

bool IsArgumentStep(StepKind k) {
    return k == StepKind::Type || k == StepKind::Message || k == StepKind::Move || k == StepKind::Hold ||
           k == StepKind::Command || k == StepKind::Key;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    const QSize screen = kScreens[in.Byte() % std::size(kScreens)];
    const QString text = in.Rest();

    const QStringList lines = ScriptLines(text);
    qsizetype units = 0;
    for (const QString& line : lines) {
        FUZZ_CHECK(!line.isEmpty());
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));
        units += line.size();
    }
    FUZZ_CHECK(units == text.size() - text.count(u'\r') - text.count(u'\n'));

    TraceLines trace;
    RecordingInput input(trace, screen);
    FakeRunHost host(trace, QDateTime(QDate(2024, 2, 29), QTime(23, 59, 58)));
    InputSimulator sim(input, host);
    for (const QString& line : lines) {
        const Step step = RecognizeStep(line);
        if (IsArgumentStep(step.kind)) FUZZ_CHECK(step.argument == QStringView(line).sliced(4));
        else FUZZ_CHECK(step.argument.isEmpty());

        const auto field = ReadNumericField(line);
        std::optional<std::int32_t> expected;
        if (ReferenceField(line, &expected)) FUZZ_CHECK(field == expected);

        sim.ExecuteCommandString(line);
        // A command string taps its chord: it never leaves a key or a button down.
        FUZZ_CHECK(!sim.holdsInput());
    }
    for (const QByteArray& l : trace.lines) FUZZ_CHECK(l.isValidUtf8());
    return 0;
}
