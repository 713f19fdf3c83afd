#include "text/LineViews.h"
#include "text/TextLines.h"

#include <gtest/gtest.h>

// The line walker of the per-line operations must cut exactly as SplitLines does.
TEST(ForEachLine, CutsExactlyAsSplitLines) {
    const QString texts[] = {"",        "a",  "a\r\nb", "a\nb\n",  "a\rb",  "\r\n\r\n",
                             "  \n x ", "\r", "\n",     "x\r\r\n", "\r\rx", QString(3, QChar(0)) + "\n\r"};
    for (const QString& text : texts) {
        QStringList lines;
        telmo::ForEachLine(text, [&](QStringView line) { lines.append(line.toString()); });
        EXPECT_EQ(lines, telmo::SplitLines(text)) << text.toStdString();
    }
}
