// telmo-cli text: examples byte for byte through the command line, and its errors.
#include "files/TextFiles.h"
#include "support/CliRun.h"
#include "text/StreamedOperations.h"
#include "text/TextOperations.h"

#include <QBuffer>

#include <QTemporaryDir>
#include <QTemporaryFile>
#include <gtest/gtest.h>

namespace {
CliResult RunText(const QStringList& args, const QByteArray& input) {
    return RunCli(QStringList{"text"} + args, input);
}

// Points telmo-cli at another dictionary folder for the life of the object.
class DictionaryDir {
public:
    explicit DictionaryDir(const QString& dir) { qputenv("TELMO_OPENCC_DATA_DIR", dir.toLocal8Bit()); }
    ~DictionaryDir() { qunsetenv("TELMO_OPENCC_DATA_DIR"); }
};

struct Example {
    const char* op;
    QByteArray in, out;
};
} // namespace

TEST(CliText, ExamplesHoldByteForByte) {
    const Example examples[] = {
        {"0", "a\r\n\r\n  \r\nb\r\n", "a\r\n  \r\nb"},
        {"RemoveBlankLines", "a\rb\r\n\r\nc", "ab\r\nc"},
        {"1", "abc    de  f", "abc de f"},
        {"2", "a\r\nb\nc\rd", "abc\rd"},
        {"3",
         "a b\xE3\x80\x80"
         "c",
         "ab\xE3\x80\x80"
         "c"},
        {"4", "ver 1.0.", "ver 1.0\xE3\x80\x82"},
        {"ToChinesePunctuation", "C:\\dir",
         "C\xEF\xBC\x9A\xE3\x80\x81"
         "dir"},
        {"4", "....", "\xE2\x80\xA6\xE2\x80\xA6\xE3\x80\x82"},
        {"5", "\xE2\x80\x9C你好\xE2\x80\x9D，《书》。", "\"你好\",书."},
        {"6", "&amp;lt;", "&lt;"},
        {"7", "乾淨", "干净"},
        {"8", "头发很干净", "頭髮很乾淨"},
        {"SimplifiedToTraditional", "毛发", "毛髮"},
        {"9", "abc123", "ABC123"},
        {"10", "I AM HI THERE", "I am hI there"},
        {"11", "don't", "Don'T"},
        {"12", "hi. there! ok? yes", "Hi. There! Ok? Yes"},
        {"15", "abc\xE3\x80\x80\xE3\x80\x80\r\ndef",
         "\xE3\x80\x80\xE3\x80\x80"
         "abc\r\n\xE3\x80\x80\xE3\x80\x80"
         "def"},
        {"17", " 刘丽 ", "刘\xE3\x80\x80丽"},
        {"18", "这是一个\r\n被断开的句子。", "\xE3\x80\x80\xE3\x80\x80这是一个被断开的句子。"},
        {"RecognizeParagraphs", "《论语》、《孟子》", "\xE3\x80\x80\xE3\x80\x80《论语》《孟子》"},
    };
    for (const Example& e : examples) {
        const CliResult r = RunText({e.op}, e.in);
        EXPECT_EQ(r.exitCode, 0) << e.op << " " << r.err.toStdString();
        EXPECT_EQ(r.out, e.out) << e.op << " " << e.in.toStdString();
    }
}

TEST(CliText, ReadsAFileAndDropsItsByteOrderMark) {
    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    file.write("\xEF\xBB\xBF"
               "a,b");
    file.close();
    const CliResult r = RunText({"4", file.fileName()}, {});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, QByteArray("a\xEF\xBC\x8C"
                                "b"));
}

TEST(CliText, BadOperationIsAUsageError) {
    for (const QStringList& args :
         {QStringList{"19"}, QStringList{"-1"}, QStringList{"removeblanklines"}, QStringList{"1x"},
          QStringList{""}, QStringList{}, QStringList{"1", "a", "b"}}) {
        const CliResult r = RunText(args, "text");
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_FALSE(r.err.isEmpty());
    }
}

TEST(CliText, UnreadableFileFails) {
    const CliResult r = RunText({"0", "/nonexistent/file.txt"}, {});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("/nonexistent/file.txt"));
}

TEST(CliText, ConvertsWithoutDictionaryFilesAtRunTime) {
    // The character tables are compiled in; neither a missing nor a broken dictionary folder matters.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile bad(dir.filePath("STCharacters.ocd2"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("OPENCC_MARISA_0.2.5 this is not a dictionary");
    bad.close();
    for (const QString& folder : {QStringLiteral("/nonexistent-dictionaries"), dir.path()}) {
        const DictionaryDir other(folder);
        const CliResult toTraditional = RunText({"8"}, "头发");
        EXPECT_EQ(toTraditional.exitCode, 0) << toTraditional.err.toStdString();
        EXPECT_EQ(toTraditional.out, QByteArray("頭髮"));
        const CliResult toSimplified = RunText({"7"}, "頭髮");
        EXPECT_EQ(toSimplified.exitCode, 0);
        EXPECT_EQ(toSimplified.out, QByteArray("头发"));
    }
}

TEST(CliText, StreamedOperationsMatchTheWholeTextOnABigInput) {
    // Lines of every length up to beyond a read block, so line ends, CR LF pairs and multi-byte
    // characters fall on the block edges somewhere.
    QByteArray in("\xEF\xBB\xBF");
    const QByteArray pieces[] = {"张三  13800138000 hello wORLD. i \r\n", "&amp;lt;“你好”…… 頭髮\n",
                                 "x\ry\r\n", "\r\n"};
    for (int i = 0; in.size() < (3 << 20); ++i) {
        in += pieces[i % 4];
        if (i % 97 == 0) in += QByteArray(i * 37 % 400000, 'a') + "\xE5\xA4\xB4\r\n";
    }
    in += "no line end";
    QBuffer whole(&in);
    whole.open(QIODevice::ReadOnly);
    const QString text = telmo::ReadUtf8Device(whole, "in").text;
    for (int op = 0; op < telmo::kTextOperationCount; ++op) {
        if (!telmo::IsStreamableOperation(op)) continue;
        const CliResult r = RunText({QString::number(op)}, in);
        EXPECT_EQ(r.exitCode, 0) << op;
        EXPECT_TRUE(r.out == telmo::ApplyTextOperation(text, op).toUtf8()) << "operation " << op;
    }
}
