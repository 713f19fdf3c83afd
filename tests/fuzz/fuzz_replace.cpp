// Replace-all with an arbitrary pattern, replacement and text. With regular expressions it must end
// within its time budget (plus a little for compiling and copying), and a failure leaves the text
// exactly as it was. The plain replace and the button's dispatch are run on the same strings.
// Options: byte 1 bit 0 sends the button's text through the plain replace instead, its other bits
// choose the piece size of the streamed replace. Texts: pattern, replacement, text.
#include "FuzzInput.h"
#include "text/ReplaceAll.h"

#include <chrono>

using namespace telmo;

namespace {

constexpr std::chrono::milliseconds kBudget{250};
// Compiling the pattern and assembling the result are not watched by the budget; they are linear.
constexpr std::chrono::milliseconds kGrace{1500};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    const std::uint8_t options = in.Byte();
    const bool plain = options & 1;
    const qsizetype piece = 1 + (options >> 1); // for the streamed replace: 1..128 units
    const QString pattern = in.Text();
    const QString replacement = in.Text();
    const QString text = in.Text();

    RegexLimits limits;
    limits.budget = kBudget;
    const auto start = std::chrono::steady_clock::now();
    const ReplaceResult regex = RegexReplaceAll(text, pattern, replacement, limits);
    const auto took = std::chrono::steady_clock::now() - start;
    FUZZ_CHECK(took < kBudget + kGrace);
    if (!regex.ok) FUZZ_CHECK(regex.text == text && !regex.error.isEmpty());

    // The streamed replace, in pieces of the size the input chose, writes what the whole-text one
    // returns; the limits may end either of them on their own.
    if (CanStreamRegexReplace(replacement)) {
        QString streamed;
        RegexReplaceStream stream(
            pattern, replacement, [&](QStringView s) { streamed.append(s); }, limits);
        bool ok = stream.error().isEmpty();
        for (qsizetype at = 0; ok && at < text.size(); at += piece)
            ok = stream.Feed(QStringView(text).mid(at, piece));
        ok = ok && stream.Finish();
        FUZZ_CHECK(ok || !stream.error().isEmpty());
        if (ok && regex.ok) FUZZ_CHECK(streamed == regex.text);
    }

    FUZZ_CHECK(PlainReplaceAll(text, pattern, pattern) == text);
    FUZZ_CHECK(PlainReplaceAll(text, QString(), replacement) == text);
    if (!text.contains(pattern)) FUZZ_CHECK(PlainReplaceAll(text, pattern, replacement) == text);

    // The button itself, limited only by its own default budget; ran only on short texts so that a
    // pathological pattern cannot make each input take seconds.
    if (text.size() <= 64) {
        const ReplaceResult button = ApplyReplaceAll(text, pattern, replacement, !plain);
        if (!button.ok) FUZZ_CHECK(button.text == text);
    }
    return 0;
}
