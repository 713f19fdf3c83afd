// Reading and writing text files: exact bytes on disk, exact text in memory.
#include "files/Cp936.h"
#include "files/TextFiles.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using telmo::kFileChunkBytes;

QByteArray Bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void Put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

// QString::fromUtf16 would drop a leading U+FEFF.
QString U(const char16_t* text, qsizetype size = -1) {
    return (size < 0 ? QStringView(text) : QStringView(text, size)).toString();
}

QByteArray Gbk(const QString& text) {
    return telmo::EncodeCp936(text);
}

struct ReadCase {
    const char* name;
    QByteArray bytes;
    QString text;
};

class TextFiles : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString Path(const QString& name) const { return dir.filePath(name); }

    template <size_t N>
    void ExpectReads(const ReadCase (&cases)[N], telmo::TextReadResult (*read)(const QString&)) {
        for (const auto& c : cases) {
            const QString path = Path("r.txt");
            Put(path, c.bytes);
            const auto r = read(path);
            ASSERT_TRUE(r.ok) << c.name << ": " << r.error.toStdString();
            EXPECT_EQ(r.text, c.text) << c.name;
        }
    }
};

struct WriteCase {
    const char* name;
    QString text;
    QByteArray bytes;
};

TEST_F(TextFiles, WriteGivesTheUtf8BytesAndNothingElse) {
    const WriteCase cases[] = {
        {"ascii", "abc", "abc"},
        {"crlf kept, none added", "a\r\nb\r\n", "a\r\nb\r\n"},
        {"bare lf kept", "a\nb", "a\nb"},
        {"empty", "", ""},
        {"chinese", QString::fromUtf8("中文，"), "\xE4\xB8\xAD\xE6\x96\x87\xEF\xBC\x8C"},
        {"surrogate pair", QString::fromUtf8("\xF0\x9F\x98\x80"), "\xF0\x9F\x98\x80"},
        {"feff inside stays", U(u"a\uFEFFb"),
         "a\xEF\xBB\xBF"
         "b"},
    };
    for (const auto& c : cases) {
        const QString path = Path("w.txt");
        const auto r = telmo::WriteUtf8File(c.text, path);
        ASSERT_TRUE(r.ok) << c.name << ": " << r.error.toStdString();
        EXPECT_EQ(Bytes(path), c.bytes) << c.name;
    }
}

TEST_F(TextFiles, WriteReplacesALongerFileCompletely) {
    const QString path = Path("a.txt");
    Put(path, QByteArray(10000, 'x'));
    ASSERT_TRUE(telmo::WriteUtf8File("ab", path).ok);
    EXPECT_EQ(Bytes(path), "ab");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.txt"});
}

TEST_F(TextFiles, WriteKeepsSurrogatePairsWholeAcrossPieces) {
    // A pair placed on every position around the encoder's piece boundary.
    for (qsizetype offset : {-2, -1, 0, 1}) {
        QString text(kFileChunkBytes / 4 + offset, u'a');
        text += QString::fromUtf8("\xF0\x9F\x98\x80中");
        text += QString(kFileChunkBytes / 4, u'b');
        const QString path = Path("pairs.txt");
        ASSERT_TRUE(telmo::WriteUtf8File(text, path).ok);
        EXPECT_EQ(Bytes(path), text.toUtf8()) << offset;
    }
}

TEST_F(TextFiles, WriteFailuresReachTheCaller) {
    Put(Path("file"), "x");
    QDir(dir.path()).mkdir("folder");
    for (const QString& path : {QString(), Path("folder"), Path("missing/x.txt"), Path("file/x.txt")}) {
        const auto r = telmo::WriteUtf8File("abc", path);
        EXPECT_FALSE(r.ok) << path.toStdString();
        EXPECT_FALSE(r.error.isEmpty()) << path.toStdString();
    }
}

TEST_F(TextFiles, WriteToADeviceWritesInPlaceAndNeverReplacesIt) {
    // Only where the system sees it as a device (wine shows its Z: drive's devices as plain files,
    // and replacing one of those would replace the machine's /dev/full).
    if (!QFile::exists("/dev/full") || QFileInfo("/dev/full").isFile()) GTEST_SKIP() << "no /dev/full here";
    const auto r = telmo::WriteUtf8File(QString(100000, u'x'), "/dev/full");
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_FALSE(QFileInfo("/dev/full").isFile()); // still the device, not a new file
}

TEST_F(TextFiles, ReadUtf8DropsOneLeadingMarkAndKeepsEverythingElse) {
    const ReadCase cases[] = {
        {"plain", "abc", "abc"},
        {"with mark",
         "\xEF\xBB\xBF"
         "abc",
         "abc"},
        {"empty", "", ""},
        {"only the mark", "\xEF\xBB\xBF", ""},
        {"bare lf", "a\nb\n", "a\nb\n"},
        {"crlf and lone cr", "a\r\nb\rc", "a\r\nb\rc"},
        {"chinese", "\xEF\xBB\xBF\xE4\xB8\xAD\xE6\x96\x87", QString::fromUtf8("中文")},
        {"second mark is text",
         "\xEF\xBB\xBF\xEF\xBB\xBF"
         "a",
         U(u"\uFEFFa")},
        {"third mark is text too",
         "\xEF\xBB\xBF\xEF\xBB\xBF\xEF\xBB\xBF"
         "a",
         U(u"\uFEFF\uFEFFa")},
        {"mark inside is text",
         "a\xEF\xBB\xBF"
         "b",
         U(u"a\uFEFFb")},
        {"invalid bytes",
         "a\xFF"
         "b\xE4\xB8"
         "c\xE4\xB8",
         U(u"a\uFFFDb\uFFFD\uFFFDc\uFFFD\uFFFD")},
        {"nul kept", QByteArray("a\0b", 3), U(u"a\u0000b", 3)},
    };
    ExpectReads(cases, &telmo::ReadUtf8File);
}

TEST_F(TextFiles, ReadGb2312DecodesCodePage936AndLooksForNoMark) {
    const QString chinese = QString::fromUtf8("中文，繁體字与€符号\r\n第二行");
    const ReadCase cases[] = {
        {"gbk text", Gbk(chinese), chinese},
        {"empty", "", ""},
        {"utf-8 mark is decoded as characters",
         "\xEF\xBB\xBF"
         "a",
         U(u"\u9518\u7E1C")},
        {"lead byte at the end", "ab\xD6", U(u"ab\uFFFD")},
        {"lead byte before a non-trail", "\xD6\x0A", U(u"\uFFFD\n")},
    };
    ExpectReads(cases, &telmo::ReadGb2312File);
}

TEST_F(TextFiles, TheWrongCharsetGivesReplacementsTheRightOneTheText) {
    const QString chinese = QString::fromUtf8("姓名：张三\r\n");
    const QString path = Path("gbk.txt");
    Put(path, Gbk(chinese));
    const auto asUtf8 = telmo::ReadUtf8File(path);
    ASSERT_TRUE(asUtf8.ok);
    EXPECT_TRUE(asUtf8.text.contains(QChar(0xFFFD)));
    EXPECT_EQ(telmo::ReadGb2312File(path).text, chinese);

    ASSERT_TRUE(telmo::WriteUtf8File(chinese, path).ok);
    EXPECT_EQ(telmo::ReadUtf8File(path).text, chinese);
    const auto asGbk = telmo::ReadGb2312File(path);
    ASSERT_TRUE(asGbk.ok);
    EXPECT_NE(asGbk.text, chinese);
}

TEST_F(TextFiles, CharactersAcrossReadPiecesComeOutWhole) {
    // Every split of a multi-byte character (and of an invalid one) at the piece boundary decodes
    // exactly as the same bytes decoded in one go.
    const QByteArray tails[] = {"\xE4\xB8\xAD",
                                "\xF0\x9F\x98\x80",
                                "\xC3\xA9",
                                "\xE4\xB8"
                                "A",
                                "\xF0\x9F"
                                "\xE4\xB8\xAD",
                                "\xEF\xBB\xBF"};
    for (const QByteArray& tail : tails) {
        for (qsizetype before = 1; before <= 4; ++before) {
            QByteArray bytes(kFileChunkBytes - before, 'a');
            bytes += tail + tail + "z";
            const QString path = Path("pieces.txt");
            Put(path, bytes);
            const QString expected =
                QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom)(bytes);
            EXPECT_EQ(telmo::ReadUtf8File(path).text, expected) << tail.toHex().constData() << " " << before;
        }
    }
    for (qsizetype before = 1; before <= 3; ++before) {
        const QString text = QString(kFileChunkBytes - before, u'a') + QString::fromUtf8("中文字z");
        const QString path = Path("pieces-gbk.txt");
        Put(path, Gbk(text));
        EXPECT_EQ(telmo::ReadGb2312File(path).text, text) << before;
    }
}

TEST_F(TextFiles, ReadFailuresReachTheCaller) {
    QDir(dir.path()).mkdir("folder");
    for (const QString& path : {QString(), Path("missing.txt"), Path("folder")}) {
        for (const auto& r : {telmo::ReadUtf8File(path), telmo::ReadGb2312File(path)}) {
            EXPECT_FALSE(r.ok) << path.toStdString();
            EXPECT_FALSE(r.error.isEmpty()) << path.toStdString();
            EXPECT_TRUE(r.text.isEmpty());
        }
    }
}

TEST_F(TextFiles, AFileTooLargeForATextIsRefusedBeforeReading) {
    const QString path = Path("huge.txt");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    if (!f.resize(telmo::kMaxTextFileBytes + 1)) GTEST_SKIP() << "no sparse files here";
    f.close();
    const auto r = telmo::ReadUtf8File(path);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains("2 GB")) << r.error.toStdString();
}

} // namespace
