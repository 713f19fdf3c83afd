// Every text operation on arbitrary text: none may crash or hang, and each keeps the promises that
// can be checked without re-implementing it.
#include "FuzzInput.h"
#include "text/LineArithmetic.h"
#include "text/TextLines.h"
#include "text/TextOperations.h"

using namespace telmo;

namespace {

// Operations that replace every character by exactly one character: T→S, S→T, upper, lower, and the
// two capitalisations.
constexpr int kLengthKeeping[] = {7, 8, 9, 10, 11, 12};

QString Without(QString text, const QString& what) {
    return text.remove(what);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    const QString text = in.Rest();

    QString out[kTextOperationCount];
    for (int op = 0; op < kTextOperationCount; ++op) out[op] = ApplyTextOperation(text, op);
    FUZZ_CHECK(ApplyTextOperation(text, -1).isEmpty() && ApplyTextOperation(text, kTextOperationCount).isEmpty());

    for (int op : kLengthKeeping) FUZZ_CHECK(out[op].size() == text.size());

    // 1: runs of spaces shrink to one; nothing else changes.
    FUZZ_CHECK(!out[1].contains(QLatin1String("  ")));
    FUZZ_CHECK(Without(out[1], QStringLiteral(" ")) == Without(text, QStringLiteral(" ")));
    // 2: CR LF pairs, then the remaining LFs, go.
    FUZZ_CHECK(out[2] == Without(Without(text, QStringLiteral("\r\n")), QStringLiteral("\n")));
    // 3: every U+0020 goes, nothing else.
    FUZZ_CHECK(out[3] == Without(text, QStringLiteral(" ")));
    // 0: no empty line is left and no line break at the end.
    FUZZ_CHECK(!out[0].endsWith(u'\n'));
    if (!out[0].isEmpty())
        for (const QString& line : SplitLines(out[0])) FUZZ_CHECK(!line.isEmpty());
    // Operations that work line by line keep the number of line feeds.
    for (int op : {15, 17}) FUZZ_CHECK(out[op].count(u'\n') == text.count(u'\n'));
    // Line arithmetic: one result per line, and the bill ends with its totals line.
    if (!text.contains(u'\r')) {
        const QString evaluated = EvaluateLines(text);
        FUZZ_CHECK(evaluated.count(QLatin1String("\r\n")) >= text.count(u'\n'));
    }
    const QString bill = ComputeBill(text);
    FUZZ_CHECK(bill.startsWith(QStringView(text).first(text.indexOf(u'\n') < 0 ? text.size() : text.indexOf(u'\n'))));
    FUZZ_CHECK(SplitLines(bill).last().startsWith(QStringLiteral("累计收入：")));
    return 0;
}
