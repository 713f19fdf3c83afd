// The UTF-8 converters give exactly what Qt's stateless converters give, on well-formed and broken
// input alike.
#include "files/Utf8Codec.h"

#include <QRandomGenerator>
#include <QStringDecoder>
#include <QStringEncoder>
#include <gtest/gtest.h>

using namespace telmo;

namespace {

QString Decoded(const QByteArray& bytes) {
    QString out(Utf8DecodeRoom(bytes.size()), Qt::Uninitialized);
    out.truncate(DecodeUtf8(bytes, out.data()) - out.constData());
    return out;
}

QString QtDecoded(const QByteArray& bytes) {
    return QStringDecoder(QStringDecoder::Utf8,
                          QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom)
        .decode(bytes);
}

QByteArray Encoded(const QString& text) {
    QByteArray out(Utf8EncodeRoom(text.size()), Qt::Uninitialized);
    out.truncate(EncodeUtf8(text, out.data()) - out.constData());
    return out;
}

QByteArray QtEncoded(const QString& text) {
    return QStringEncoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless).encode(text);
}

TEST(Utf8Codec, EveryCodePointBothWays) {
    QString all;
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        all.append(QChar::fromUcs4(c));
        if (c % 7 == 0) all.append(u"ascii run of sixteen"); // the block paths, cut at every offset
    }
    const QByteArray bytes = QtEncoded(all);
    EXPECT_EQ(Encoded(all), bytes);
    EXPECT_EQ(Decoded(bytes), all);
}

TEST(Utf8Codec, BrokenInputAsQtHasIt) {
    // Bytes that start, continue, overrun or forge sequences, mixed with ASCII and good characters.
    const QByteArray pieces[] = {"a",
                                 "0123456789abcdef",
                                 "\xC2\xA9",
                                 "\xE4\xB8\xAD",
                                 "\xF0\x9F\x98\x80",
                                 "\x80",
                                 "\xBF",
                                 "\xC0\x80",
                                 "\xC1",
                                 "\xE0\x80\x80",
                                 "\xED\xA0\x80",
                                 "\xEF\xBB\xBF",
                                 "\xEF\xBF\xBE",
                                 "\xF4\x90\x80\x80",
                                 "\xF5",
                                 "\xFF",
                                 "\xE4\xB8",
                                 "\xF0\x9F"};
    const char16_t units[] = {u'a', u' ', u'中', 0x7F, 0x80, 0x7FF, 0x800, 0xFFFD, 0xFEFF, 0xD83D, 0xDE00};
    QRandomGenerator random(15);
    for (int round = 0; round < 20000; ++round) {
        QByteArray bytes;
        QString text;
        for (int i = random.bounded(12); i > 0; --i) {
            bytes += pieces[random.bounded(int(std::size(pieces)))];
            text += QChar(units[random.bounded(int(std::size(units)))]);
        }
        ASSERT_EQ(Decoded(bytes), QtDecoded(bytes)) << bytes.toHex().constData();
        ASSERT_EQ(Encoded(text), QtEncoded(text)) << text.toStdString();
    }
}

TEST(Utf8Codec, PiecesNeverSplitAPair) {
    const QString text = QString::fromUtf16(u"\U0001F600").repeated(5000) + QString::fromUtf16(u"尾");
    for (qsizetype piece : {2, 3, 7, 4096}) {
        QByteArray bytes;
        EXPECT_TRUE(EncodeUtf8InPieces(text, piece, [&](QByteArrayView b) {
            bytes += b;
            return true;
        }));
        EXPECT_EQ(bytes, QtEncoded(text)) << piece;
    }
    int calls = 0;
    EXPECT_FALSE(EncodeUtf8InPieces(text, 4, [&](QByteArrayView) { return ++calls < 2; }));
    EXPECT_EQ(calls, 2);
}

} // namespace
