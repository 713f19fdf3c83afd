// The expression evaluator of line arithmetic on arbitrary input: every expression ends with a value
// or an error number, nesting is bounded (deep input is refused, the stack never overflows), and the
// line form either appends "=VALUE" or gives the line back exactly.
#include "FuzzInput.h"
#include "text/LineArithmetic.h"
#include "text/vbs/Evaluator.h"

using namespace telmo;

namespace {

QStringView TrimSpaces(QStringView s) {
    while (s.startsWith(u' ')) s = s.sliced(1);
    while (s.endsWith(u' ')) s.chop(1);
    return s;
}

bool Printable(const vbs::Value& v) {
    return v.type != vbs::VType::Empty && v.type != vbs::VType::Null && v.type != vbs::VType::Object &&
           !(v.type == vbs::VType::String && v.s.isEmpty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    const QString expression = in.Rest();

    vbs::Value value;
    const int rc = vbs::Evaluate(expression, &value);
    FUZZ_CHECK(rc >= 0);
    if (rc == 0 && value.type == vbs::VType::String) FUZZ_CHECK(value.s.size() <= vbs::kMaxStringLength);

    QString text;
    const int textRc = vbs::EvaluateToText(expression, &text);
    FUZZ_CHECK(textRc >= 0);

    // Rnd gives another value on every call; everything else is a function of the text alone.
    if (expression.contains(QLatin1String("rnd"), Qt::CaseInsensitive)) return 0;
    if (rc != 0) FUZZ_CHECK(textRc == rc);
    const QString line = EvaluateExpressionLine(expression);
    if (rc == 0 && Printable(value)) {
        FUZZ_CHECK(textRc == 0);
        FUZZ_CHECK(line == TrimSpaces(expression).toString() + u'=' + text);
    } else {
        FUZZ_CHECK(line == expression);
    }
    return 0;
}
