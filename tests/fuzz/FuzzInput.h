#pragma once
// Cutting a fuzz input into option bytes and texts, and reporting a broken invariant.
//
// Layout of an input: byte 0 says how the texts are encoded (bit 0 set: UTF-16LE code units taken as
// they are, so lone surrogates and every other code unit can occur; clear: UTF-8, as files and pasted
// text arrive); then the option bytes a target asks for with Byte(); then its texts, separated by the
// two bytes F5 F5, which never occur in UTF-8. Missing bytes read as 0 and missing texts as empty.
#include <QString>
#include <QStringView>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace telmo::fuzz {

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : p_(data), end_(data + size) {
        utf16_ = (Byte() & 1) != 0;
    }

    std::uint8_t Byte() { return p_ < end_ ? *p_++ : 0; }

    // The next text, up to the separator or the end.
    QString Text() {
        const std::uint8_t* stop = p_;
        while (stop < end_ && !(stop + 1 < end_ && stop[0] == 0xF5 && stop[1] == 0xF5)) ++stop;
        QString text = Decode(p_, stop);
        p_ = stop < end_ ? stop + 2 : end_;
        return text;
    }

    // Everything that is left, separators included, as one text.
    QString Rest() {
        QString text = Decode(p_, end_);
        p_ = end_;
        return text;
    }

private:
    QString Decode(const std::uint8_t* begin, const std::uint8_t* end) const {
        const auto n = end - begin;
        if (!utf16_) return QString::fromUtf8(reinterpret_cast<const char*>(begin), n);
        QString text(n / 2, Qt::Uninitialized);
        for (qsizetype i = 0; i < text.size(); ++i)
            text[i] = QChar(char16_t(begin[2 * i] | (begin[2 * i + 1] << 8)));
        return text;
    }

    const std::uint8_t* p_;
    const std::uint8_t* end_;
    bool utf16_ = false;
};

[[noreturn]] inline void Fail(const char* file, int line, const char* what) {
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, what);
    std::fflush(stderr);
    std::abort();
}

} // namespace telmo::fuzz

// Aborts (a finding for libFuzzer, a failure for the replay) when cond is false.
#define FUZZ_CHECK(cond)                                                                                 \
    do {                                                                                                 \
        if (!(cond)) ::telmo::fuzz::Fail(__FILE__, __LINE__, #cond);                                     \
    } while (0)
