// Code page 936 behind its seam: the same text for the same bytes on every platform, however the
// bytes are cut into pieces.
#include "files/Cp936.h"

#include <QString>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

using telmo::Cp936Decoder;

namespace {

QString Decode(const QByteArray& bytes, qsizetype pieceSize) {
    Cp936Decoder decoder;
    QString out(decoder.requiredSpace(bytes.size()) + 2, Qt::Uninitialized);
    QChar* end = out.data();
    for (qsizetype at = 0; at < bytes.size(); at += pieceSize)
        end = decoder.appendToBuffer(end, QByteArrayView(bytes.mid(at, pieceSize)));
    end = decoder.appendToBuffer(end, QByteArrayView("\n", 1)); // gives out a held lead byte
    out.resize(end - out.constData());
    return out;
}

} // namespace

TEST(Cp936, DecodesTheCodePageWithTheSameRulesEverywhere) {
    const struct {
        QByteArray bytes;
        QString text;
    } cases[] = {
        {"\xD6\xD0\xCE\xC4", u"中文"_s},
        {"a\x80z", u"a\u20ACz"_s},
        {"\xFF", u"\uF8F5"_s},
        {"\xA1\xA1", u"\u3000"_s},
        {"\xAA\xA1\xA1\x40", u"\uE000\uE4C6"_s},                   // user-defined areas
        {"\x81\x81\x81\x40", u"\u4E96\u4E02"_s},                   // a trail byte may look like a lead byte
        {QByteArray("\x81\x30\x81\x0A", 4), u"\uFFFD0\uFFFD\n"_s}, // no trail: the next byte on its own
        {"\x81\x7F", u"\uFFFD\u007F"_s},
        {"\x81\xFF", u"\uFFFD\uF8F5"_s},
        {"\xD6", u"\uFFFD"_s}, // a lead byte at the end
    };
    for (const auto& c : cases)
        for (qsizetype piece : {1, 2, 3, 64})
            EXPECT_EQ(Decode(c.bytes, piece), c.text + u"\n"_s)
                << c.bytes.toHex().constData() << " piece " << piece;
}

TEST(Cp936, EncodesAndFlagsCharactersOutsideTheCodePage) {
    bool ok = false;
    EXPECT_EQ(telmo::EncodeCp936(u"中文 a"_s, &ok), QByteArray("\xD6\xD0\xCE\xC4 a"));
    EXPECT_TRUE(ok);
    telmo::EncodeCp936(u"ทก"_s, &ok);
    EXPECT_FALSE(ok);
}
