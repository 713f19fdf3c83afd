// No input crashes, hangs or loses characters: broken surrogates, NULs, a very long single line.
#include "text/TextOperations.h"
#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace telmo;

namespace {
// Operations that only ever replace one character by one.
constexpr int kLengthKeeping[] = {7, 8, 9, 10, 11, 12};
// Operations of this unit; line arithmetic and amounts are tested with their own units.
constexpr int kOwnOperations[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 15, 17, 18};

QString Awkward() {
    QString s = QStringLiteral("a\u0000b\r\n");
    s += QChar(0xD800); // lone high surrogate
    s += QChar(0xDC00); // lone low surrogate, right after it: a valid-looking pair?
    s += u"x";
    s += QChar(0xDFFF);
    s += QChar(0xD83D); // high surrogate at a line end
    s += u"\r";
    s += QChar(0xFFFF);
    s += QChar(0xFEFF);
    s += QStringLiteral("\u0000\n\u0000");
    s += QChar(0xDBFF); // high surrogate at the very end
    return s;
}
} // namespace

TEST(TextRobustness, AwkwardCodeUnitsNeverCrashAndSurvive) {
    const QString s = Awkward();
    for (int op = 0; op < kTextOperationCount; ++op) {
        const QString out = ApplyTextOperation(s, op);
        EXPECT_TRUE(out.contains(QChar(0xDBFF))) << op;
        EXPECT_TRUE(out.contains(QChar(u'\0'))) << op;
    }
    for (int op : kLengthKeeping) EXPECT_EQ(ApplyTextOperation(s, op).size(), s.size()) << op;
}

TEST(TextRobustness, RandomCodeUnitsNeverCrash) {
    QRandomGenerator rng(12);
    for (int round = 0; round < 300; ++round) {
        QString s(int(rng.bounded(40)), Qt::Uninitialized);
        for (QChar& c : s) {
            const int kind = rng.bounded(4);
            c = kind == 0   ? QChar(char16_t(0xD800 + rng.bounded(0x800)))
                : kind == 1 ? QChar(char16_t(rng.bounded(0x80)))
                            : QChar(char16_t(rng.bounded(0x10000)));
        }
        for (int op = 0; op < kTextOperationCount; ++op) (void)ApplyTextOperation(s, op);
        for (int op : kLengthKeeping) EXPECT_EQ(ApplyTextOperation(s, op).size(), s.size()) << op;
    }
}

TEST(TextRobustness, HundredMegabyteSingleLine) {
    const QString unit = QStringLiteral("Ab c  1.5, 干净\"头发\" &amp; x... 乾淨。");
    QString line;
    const qsizetype chars = 50 * 1024 * 1024; // 100 MB of UTF-16
    line.reserve(chars);
    while (line.size() + unit.size() <= chars) line += unit;
    for (int op : kOwnOperations) {
        const QString out = ApplyTextOperation(line, op);
        EXPECT_GE(out.size(), line.size() / 2) << op;
    }
    for (int op : kLengthKeeping) EXPECT_EQ(ApplyTextOperation(line, op).size(), line.size()) << op;
    EXPECT_EQ(ApplyTextOperation(line, 0), line); // one line without breaks: nothing to drop
    EXPECT_EQ(ApplyTextOperation(line, 2), line);
}
