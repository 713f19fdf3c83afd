// Amounts, line arithmetic and the bill through telmo-cli text, byte for byte.
#include "support/CliRun.h"

#include <gtest/gtest.h>

namespace {
struct Example {
    const char* op;
    QByteArray in, out;
};
} // namespace

TEST(CliLineArithmetic, ExamplesHoldByteForByte) {
    const Example examples[] = {
        {"13", "人民币123.04", "人民币壹佰贰拾叁圆零肆分"},
        {"AmountsToCapitals", "总计：1,234.50元\r\nx: -3.5\nno digits",
         "总计：壹圆整\r\nx: 负叁圆伍角\r\nno digits"},
        {"13", "99999999\r\n1234567.89", "[错误：长度溢出]\r\n壹佰贰拾叁万肆仟伍佰陆拾柒圆捌角捌分"},
        {"14", "1+2\n10/4\n7\\2\n2^3^2\n-2^2\n1/3\n1/0\n\"a\" & 1+2",
         "1+2=3\r\n10/4=2.5\r\n7\\2=3\r\n2^3^2=64\r\n-2^2=4\r\n1/3=0.333333333333333\r\n1/0\r\n\"a\" & "
         "1+2=a3"},
        {"EvaluateLines", "  2*3  \r\n\r\n饮料 23.5\r\n", "2*3=6\r\n\r\n饮料 23.5\r\n"},
        {"16", "饮料 23.5\r\n工资 3000\r\n房租 -1500",
         "饮料 23.5\r\n工资 3000\r\n房租 -1500\r\n累计收入：3023.5，累计支出：-1500"},
        {"ComputeBill", "3号饮料 -5\n零钱 -\n", "3号饮料 -5\r\n零钱 -\r\n\r\n累计收入：3，累计支出：0"},
        {"16", "", "\r\n累计收入：0，累计支出：0"},
    };
    for (const Example& e : examples) {
        const CliResult r = RunCli({"text", e.op}, e.in);
        EXPECT_EQ(r.exitCode, 0) << e.op << " " << r.err.toStdString();
        EXPECT_EQ(r.out, e.out) << e.op << " " << e.in.toStdString();
    }
}

TEST(CliLineArithmetic, DeepNestingLeavesTheLineAlone) {
    const QByteArray nested = QByteArray(10000, '(') + "1" + QByteArray(10000, ')');
    const CliResult r = RunCli({"text", "14"}, nested + "\n1+1");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, nested + "\r\n1+1=2");
}
