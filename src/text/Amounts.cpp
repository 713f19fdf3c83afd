#include "text/Amounts.h"

#include "text/LineViews.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace telmo {

namespace {

constexpr char16_t kDigitNames[] = u"零壹贰叁肆伍陆柒捌玖";
constexpr char16_t kUnitNames[] = u"圆拾佰仟万拾佰仟";
constexpr char16_t kZero = u'零';
constexpr char16_t kYuan = u'圆';
constexpr char16_t kWan = u'万';

bool IsSkippedBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}
bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

} // namespace

double ParseLeadingNumber(QStringView text) {
    // The accepted characters are collected (blanks dropped) and handed to from_chars, which rounds
    // correctly however many digits there are.
    std::string number;
    enum class State { Start, Mantissa, ExponentStart, Exponent } state = State::Start;
    bool seenPoint = false;
    bool seenDigit = false;
    qsizetype exponentMark = -1; // index in `number` of the 'e', dropped again if no digit follows
    bool exponentHasDigit = false;
    for (QChar qc : text) {
        const char16_t c = qc.unicode();
        if (IsSkippedBlank(c)) continue;
        if (state == State::Start && (c == u'+' || c == u'-')) {
            if (c == u'-') number.push_back('-');
            state = State::Mantissa;
        } else if ((state == State::Start || state == State::Mantissa) && IsDigit(c)) {
            number.push_back(char(c));
            seenDigit = true;
            state = State::Mantissa;
        } else if ((state == State::Start || state == State::Mantissa) && c == u'.' && !seenPoint) {
            number.push_back('.');
            seenPoint = true;
            state = State::Mantissa;
        } else if (state == State::Mantissa && seenDigit &&
                   (c == u'E' || c == u'e' || c == u'D' || c == u'd')) {
            exponentMark = qsizetype(number.size());
            number.push_back('e');
            state = State::ExponentStart;
        } else if (state == State::ExponentStart && (c == u'+' || c == u'-')) {
            number.push_back(char(c));
            state = State::Exponent;
        } else if ((state == State::ExponentStart || state == State::Exponent) && IsDigit(c)) {
            number.push_back(char(c));
            exponentHasDigit = true;
            state = State::Exponent;
        } else {
            break;
        }
    }
    if (!seenDigit) return 0.0;
    if (exponentMark >= 0 && !exponentHasDigit) number.resize(size_t(exponentMark));
    const char* first = number.data();
    const char* last = first + number.size();
    const bool negative = *first == '-';
    // from_chars takes no leading '+' and parses ".5" and "5." fine.
    double value = 0.0;
    auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Overflow or underflow: the decimal exponent of the first significant digit tells which.
        const size_t ePos = number.find('e');
        long long exponent = 0;
        if (ePos != std::string::npos) {
            const char* expFirst = number.data() + ePos + 1;
            if (*expFirst == '+') ++expFirst;
            auto [p, e] = std::from_chars(expFirst, last, exponent);
            if (e == std::errc::result_out_of_range) exponent = *expFirst == '-' ? -(1LL << 60) : (1LL << 60);
        }
        const std::string_view mantissa(first, ePos == std::string::npos ? number.size() : ePos);
        const size_t pointPos = mantissa.find('.');
        const long long point = (long long)(pointPos == std::string_view::npos ? mantissa.size() : pointPos);
        const long long firstNonZero = (long long)mantissa.find_first_of("123456789");
        const long long scientific =
            exponent + (firstNonZero < point ? point - firstNonZero - 1 : point - firstNonZero);
        const double limit = scientific > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        return negative ? -limit : limit;
    }
    if (ec != std::errc()) return 0.0;
    return value;
}

namespace {

// Appends the capital form to result (no allocation of its own on the per-line path).
void AppendCapitalAmount(float amount, QString& result) {
    if (!std::isfinite(amount) || std::fabs(amount) >= 100000000.0f) {
        result.append(QStringView(u"[错误：长度溢出]"));
        return;
    }
    if (amount < 0.0f) result.append(QChar(u'负'));
    const float magnitude = std::fabs(amount);
    const float whole = std::floor(magnitude);
    // The fraction of a float and its hundredfold are exact in double, so rint rounds the value
    // single precision really holds, half to even.
    const double hundredths = std::nearbyint((double(magnitude) - double(whole)) * 100.0);
    long wholePart = long(whole);
    int cents = int(hundredths);
    if (cents == 100) {
        ++wholePart;
        cents = 0;
    }

    // Filled from the right: at most eight positions of unit and digit.
    char16_t buffer[20];
    int begin = 20;
    auto startsWith = [&](char16_t c) { return begin < 20 && buffer[begin] == c; };
    for (int i = 0; i == 0 || wholePart > 0; ++i) {
        const int d = int(wholePart % 10);
        wholePart /= 10;
        if (d != 0 || i == 0 || i == 4) buffer[--begin] = kUnitNames[i];
        if (!(d == 0 && (startsWith(kZero) || startsWith(kYuan) || startsWith(kWan))))
            buffer[--begin] = kDigitNames[d];
    }
    if (20 - begin >= 2 && buffer[begin] == u'壹' && buffer[begin + 1] == u'拾') ++begin;
    result.append(QStringView(buffer + begin, 20 - begin));

    if (cents == 0) {
        result.append(QChar(u'整'));
    } else {
        const int jiao = cents / 10;
        const int fen = cents % 10;
        // "零角" shrinks to "零" and "零分" disappears.
        result.append(QChar(kDigitNames[jiao]));
        if (jiao != 0) result.append(QChar(u'角'));
        if (fen != 0) {
            result.append(QChar(kDigitNames[fen]));
            result.append(QChar(u'分'));
        }
    }
}

} // namespace

QString FormatCapitalAmount(float amount) {
    QString result;
    result.reserve(24);
    AppendCapitalAmount(amount, result);
    return result;
}

float ToSingle(double value) {
    // Out-of-range conversion to float is undefined; such amounts become infinities explicitly.
    if (std::fabs(value) > double(std::numeric_limits<float>::max()))
        return value < 0 ? -std::numeric_limits<float>::infinity() : std::numeric_limits<float>::infinity();
    return float(value);
}

qsizetype FindAmountStart(QStringView line) {
    const QChar* data = line.data();
    for (qsizetype i = 0, n = line.size(); i < n; ++i) {
        const char16_t c = data[i].unicode();
        if (IsDigit(c) || c == u'-') return i;
    }
    return -1;
}

QString AmountsToCapitals(const QString& text) {
    return RewriteLines(text, [](QStringView line, QString& out) {
        const qsizetype k = FindAmountStart(line);
        if (k < 0) {
            out.append(line);
            return;
        }
        out.append(line.first(k));
        AppendCapitalAmount(ToSingle(ParseLeadingNumber(line.sliced(k))), out);
    });
}

} // namespace telmo
