#pragma once
// Code page 936 (GBK), behind one seam: Qt's codec where Qt has one (its ICU-backed "GBK"; never
// "GB2312", a narrower table), the system's own conversion where Qt was built without ICU.
// Both give the same text for the same bytes: a lead byte 0x81..0xFE with a trail byte 0x40..0xFE
// (not 0x7F) is one character; a lead byte without a trail byte becomes U+FFFD and the byte after it
// is read again on its own; 0x80 is U+20AC and 0xFF is U+F8F5.
#include <QByteArray>
#include <QChar>
#include <QStringView>
#include <memory>

namespace telmo {

// Decodes a stream of code page 936 bytes piece by piece; a lead byte at the end of a piece waits
// for the next piece.
class Cp936Decoder {
public:
    Cp936Decoder();
    ~Cp936Decoder();
    Cp936Decoder(const Cp936Decoder&) = delete;
    Cp936Decoder& operator=(const Cp936Decoder&) = delete;

    // False when this system has no conversion for the code page.
    bool isValid() const;
    // Room that decoding `bytes` more bytes may need, in UTF-16 units.
    qsizetype requiredSpace(qsizetype bytes) const;
    // Decodes bytes to out (at least requiredSpace(bytes.size()) units); returns the end of what was written.
    QChar* appendToBuffer(QChar* out, QByteArrayView bytes);

    struct State;

private:
    std::unique_ptr<State> d;
};

// The text in code page 936; *ok (when given) is false if a character has no form there, which then
// comes out as the code page's replacement.
QByteArray EncodeCp936(QStringView text, bool* ok = nullptr);

} // namespace telmo
