// Code page 936 through the system's conversion (MultiByteToWideChar / WideCharToMultiByte), for a
// Qt built without ICU. The system is asked once for every two-byte character; the byte rules
// around them are kept here, so a stream cut anywhere decodes as it does through Qt's codec.
#include "files/Cp936.h"

#include <QString>
#include <array>
#include <vector>
#include <windows.h>

namespace telmo {
namespace {

constexpr UINT kCodePage = 936;
constexpr int kLeads = 0xFE - 0x81 + 1;
constexpr int kTrails = 0xFE - 0x40 + 1;

bool IsLead(unsigned char b) {
    return b >= 0x81 && b <= 0xFE;
}
bool IsTrail(unsigned char b) {
    return b >= 0x40 && b <= 0xFE && b != 0x7F;
}

struct PairTable {
    bool valid = false;
    std::vector<char16_t> pairs; // [lead - 0x81][trail - 0x40]
};

const PairTable& Pairs() {
    static const PairTable table = [] {
        PairTable t;
        if (!IsValidCodePage(kCodePage)) return t;
        t.pairs.assign(kLeads * kTrails, u'\uFFFD');
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                if (trail == 0x7F) continue;
                const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                wchar_t out[2] = {};
                if (MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes, 2, out, 2) == 1)
                    t.pairs[(lead - 0x81) * kTrails + (trail - 0x40)] = static_cast<char16_t>(out[0]);
            }
        }
        t.valid = true;
        return t;
    }();
    return table;
}

char16_t Single(unsigned char b) {
    if (b < 0x80) return b;
    return b == 0x80 ? u'\u20AC' : u'\uF8F5'; // the euro sign, and 0xFF as the code page has it
}

} // namespace

struct Cp936Decoder::State {
    int lead = -1; // a lead byte waiting for its trail byte
};

Cp936Decoder::Cp936Decoder() : d(std::make_unique<State>()) {}
Cp936Decoder::~Cp936Decoder() = default;

bool Cp936Decoder::isValid() const {
    return Pairs().valid;
}

qsizetype Cp936Decoder::requiredSpace(qsizetype bytes) const {
    return bytes + 1;
}

QChar* Cp936Decoder::appendToBuffer(QChar* out, QByteArrayView bytes) {
    const std::vector<char16_t>& pairs = Pairs().pairs;
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (d->lead >= 0) {
            const int lead = d->lead;
            d->lead = -1;
            if (IsTrail(b)) {
                *out++ = QChar(pairs[(lead - 0x81) * kTrails + (b - 0x40)]);
                continue;
            }
            *out++ = QChar(u'\uFFFD'); // the byte after a lone lead byte is read on its own
        }
        if (IsLead(b))
            d->lead = b;
        else
            *out++ = QChar(Single(b));
    }
    return out;
}

QByteArray EncodeCp936(QStringView text, bool* ok) {
    if (ok) *ok = true;
    if (text.isEmpty()) return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.utf16());
    const int n = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    const int size =
        WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide, n, nullptr, 0, nullptr, nullptr);
    QByteArray bytes(size, Qt::Uninitialized);
    WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide, n, bytes.data(), size, nullptr, &usedDefault);
    if (ok) *ok = size > 0 && !usedDefault;
    return bytes;
}

} // namespace telmo
