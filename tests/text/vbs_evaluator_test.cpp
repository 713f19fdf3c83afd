// The expression evaluator behind line arithmetic, case tables by behaviour. Each case gives the
// CStr text of the value, or "error N" for a failing evaluation.
#include "text/vbs/Evaluator.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char16_t* expression;
    const char* expected;
};

std::string Evaluate(const char16_t* expression) {
    QString text;
    const int e = telmo::vbs::EvaluateToText(QStringView(expression), &text);
    if (e) return "error " + std::to_string(e);
    return text.toStdString();
}

void CheckTable(const Case* begin, const Case* end) {
    for (const Case* c = begin; c != end; ++c)
        EXPECT_EQ(Evaluate(c->expression), c->expected) << QString::fromUtf16(c->expression).toStdString();
}
#define CHECK_TABLE(table) CheckTable(std::begin(table), std::end(table))

} // namespace

TEST(VbsEvaluator, PrecedenceAndAssociativity) {
    const Case cases[] = {
        {u"1+2", "3"},
        {u"1+2*3", "7"},
        {u"(1+2)*3", "9"},
        {u"2^3^2", "64"},
        {u"-3^2", "9"},
        {u"-2^2", "4"},
        {u"2*3^2", "18"},
        {u"2^-2", "0.25"},
        {u"5\\4/2", "2"},
        {u"12/3\\2", "2"},
        {u"8\\2*2", "2"},
        {u"9 Mod 4\\2", "1"},
        {u"7 Mod 4+2", "5"},
        {u"10-4-3", "3"},
        {u"--1", "1"},
        {u"+--+-+1", "-1"},
        {u"1+2 & 3", "33"},
        {u"1 & 2 = \"12\"", "True"},
        {u"1 = 1 < 0", "True"},
        {u"1<2<3", "True"},
        {u"3>2>1", "False"},
        {u"Not 1=2", "True"},
        {u"Not 5 + 1", "-7"},
        {u"Not Not 5", "5"},
        {u"False Imp True Eqv False", "True"},
        {u"true or false xor true", "False"},
        {u"1 And Not 0", "1"},
        {u"10 mod 3", "1"},
        {u"10MOD3", "error 1025"},
    };
    CHECK_TABLE(cases);
}

TEST(VbsEvaluator, IntegerDivisionAndModRoundHalfToEven) {
    const Case cases[] = {
        {u"7\\2", "3"},
        {u"-7\\2", "-3"},
        {u"4.6\\1.5", "2"},
        {u"4.6\\1.49", "5"},
        {u"7.5\\2", "4"},
        {u"6.5\\2", "3"},
        {u"-7 Mod 3", "-1"},
        {u"7 Mod -3", "1"},
        {u"11.6 Mod 5.5", "0"},
        {u"5.5 Mod 4", "2"},
        {u"-5.5 Mod 4", "-2"},
        {u"19 Mod 6.7", "5"},
        {u"\"9\" \\ 2", "4"},
        {u"True \\ 1", "-1"},
        {u"-32768 \\ -1", "32768"},
        {u"3000000000\\1", "error 6"},
        {u"1\\0", "error 11"},
        {u"1 Mod 0", "error 11"},
        {u"0.4 Mod 1", "0"},
        {u"1 \\ 0.4", "error 11"},
    };
    CHECK_TABLE(cases);
}

TEST(VbsEvaluator, OverflowPromotesInsteadOfFailing) {
    const Case cases[] = {
        {u"32767+1", "32768"},
        {u"-32768-1", "-32769"},
        {u"200*200", "40000"},
        {u"2147483647+1", "2147483648"},
        {u"100000*100000", "10000000000"},
        {u"65536*65536", "4294967296"},
        {u"-32768", "-32768"},
        {u"-&H8000", "32768"},
        {u"True+True", "-2"},
        {u"-True", "1"},
        {u"-(-2147483647-1)", "2147483648"},
        {u"TypeName(32767+1)", "Long"},
        {u"TypeName(32767)", "Integer"},
        {u"TypeName(2147483648)", "Double"},
        {u"TypeName(1e2)", "Double"},
        {u"TypeName(-32768)", "Long"},
        {u"TypeName(CByte(200)+CByte(100))", "Integer"},
        {u"TypeName(CSng(1)+1)", "Single"},
        {u"TypeName(CSng(1)+100000)", "Double"},
        {u"1E308*10", "error 6"},
        {u"2^10000", "error 6"},
    };
    CHECK_TABLE(cases);
}

TEST(VbsEvaluator, StringsAndConcatenation) {
    const Case cases[] = {
        {u"\"a\" & 1+2", "a3"},
        {u"\"1\"+\"2\"", "12"},
        {u"\"1\"+2", "3"},
        {u"\"a\"+1", "error 13"},
        {u"Null & \"x\"", "x"},
        {u"\"ab \" & Null", "ab "},
        {u"true & false", "TrueFalse"},
        {u"1 & 100000", "1100000"},
        {u"\"He said \"\"hi\"\"\"", "He said \"hi\""},
        {u"\"中文\" & \"字符\"", "中文字符"},
        {u"\" 5 \" * 2", "10"},
        {u"\"1e3\" + 0", "1000"},
        {u"\"&H10\" + 0", "16"},
        {u"\"abc", "error 1033"},
        {u"\"\"", ""},
        {u"\"x\" &hi", "x"},
        {u"&h01or&h02", "3"},
    };
    CHECK_TABLE(cases);
}

TEST(VbsEvaluator, Comparisons) {
    const Case cases[] = {
        {u"\"1\"=1", "True"},          {u"\"10\"<9", "False"},
        {u"\"B\"<\"a\"", "True"},      {u"\"a\"<\"B\"", "False"},
        {u"\"ABC\"<>\"abc\"", "True"}, {u"Empty=0", "True"},
        {u"Empty=\"\"", "True"},       {u"0 > True", "True"},
        {u"False > True", "True"},     {u"\"3\" = Len(\"abc\")", "True"},
        {u"CStr(5) = 5", "True"},      {u"CStr(100) > CLng(1000)", "True"},
        {u"\"True\" = True", "True"},  {u"\"true\" <> true", "True"},
        {u"1 => 1", "True"},           {u"1 =< 0", "False"},
        {u"1 >< 2", "True"},           {u"\"abc\" = 1", "error 13"},
        {u"Null=Null", "error 94"},    {u"Nothing Is Nothing", "True"},
        {u"1 Is 1", "error 424"},      {u"1.5 = 3/2", "True"},
        {u"CSng(0.5) = 0.5", "True"},
    };
    CHECK_TABLE(cases);
}

TEST(VbsEvaluator, LogicalAndBitwise) {
    const Case cases[] = {
        {u"Not 5", "-6"},
        {u"5 And 3", "1"},
        {u"5 Or 3", "7"},
        {u"5 Xor 3", "6"},
        {u"5 Eqv 3", "-7"},
        {u"5 Imp 3", "-5"},
        {u"True And 5", "5"},
        {u"2.5 And 3", "2"},
        {u"True And False", "False"},
        {u"Null And False", "False"},
        {u"Null Or True", "True"},
        {u"False Imp Null", "True"},
        {u"Null And True", "error 94"},
        {u"\"true\" Or False", "True"},
        {u"Not Empty", "-1"},
        {u"&HFFFF And 255", "255"},
        {u"&HFFFFFFFF", "-1"},
        {u"&HFFFF&", "65535"},
        {u"&HFFFF", "-1"},
        {u"&H10000", "65536"},
        {u"&O17", "15"},
        {u"1E10 And 1", "error 6"},
    };
    CHECK_TABLE(cases);
}

TEST(VbsEvaluator, Functions) {
    const Case cases[] = {
        {u"Abs(-32769)", "32769"},
        {u"Abs(-2.5)", "2.5"},
        {u"Sgn(-3)", "-1"},
        {u"Int(-2.5)", "-3"},
        {u"Fix(-2.5)", "-2"},
        {u"Sqr(2)", "1.4142135623731"},
        {u"Sqr(16)", "4"},
        {u"Exp(0)", "1"},
        {u"Log(Exp(2))", "2"},
        {u"Atn(1)*4", "3.14159265358979"},
        {u"Round(2.5)", "2"},
        {u"Round(-2.5)", "-2"},
        {u"Round(3.5)", "4"},
        {u"Round(0.5)", "0"},
        {u"Round(3.14159,2)", "3.14"},
        {u"Round(3.14159,-1)", "error 5"},
        {u"CInt(2.5)", "2"},
        {u"CInt(3.5)", "4"},
        {u"CInt(32767.5)", "error 6"},
        {u"CInt(-32768.5)", "-32768"},
        {u"CInt(\"abc\")", "error 13"},
        {u"CLng(\"12\")+1", "13"},
        {u"CBool(\"\")", "error 13"},
        {u"CBool(2)", "True"},
        {u"CSng(12345678)", "1.234568E+07"},
        {u"CSng(1)/3", "0.3333333"},
        {u"CDbl(\"2.5\")*2", "5"},
        {u"Hex(-32768)", "FFFF8000"},
        {u"Hex(&H8000)", "8000"},
        {u"Hex(-1)", "FFFF"},
        {u"Hex(255)", "FF"},
        {u"Oct(-1)", "177777"},
        {u"Hex(Empty)", "0"},
        {u"Chr(65.5)", "B"},
        {u"Chr(300)", "error 5"},
        {u"Asc(\"\")", "error 5"},
        {u"Asc(\"A\")", "65"},
        {u"ChrW(20013)", "中"},
        {u"Len(\"中文\")", "2"},
        {u"Len(1)", "1"},
        {u"Len(Null) & \"x\"", "x"},
        {u"Mid(\"abcdef\",2,3)", "bcd"},
        {u"Mid(\"abc\",0,1)", "error 5"},
        {u"Mid(\"abc\",5)", ""},
        {u"Left(\"123456\", 2.5)", "12"},
        {u"Right(\"abc\", 5)", "abc"},
        {u"Left(\"abc\", -1)", "error 5"},
        {u"UCase(\"abc\") & LCase(\"DEF\")", "ABCdef"},
        {u"\"[\" & Trim(\"  x  \") & \"]\"", "[x]"},
        {u"StrReverse(\"abc\")", "cba"},
        {u"InStr(4,\"abcabc\",\"c\")", "6"},
        {u"InStr(\"abc\",\"\")", "1"},
        {u"InStr(1,\"aBc\",\"b\",0)", "0"},
        {u"InStr(1,\"aBc\",\"b\",1)", "2"},
        {u"InStr(0,\"a\",\"a\")", "error 5"},
        {u"InStrRev(\"abcabc\",\"b\")", "5"},
        {u"String(3,\"xy\")", "xxx"},
        {u"String(2,65)", "AA"},
        {u"\"[\" & Space(4.5) & \"]\"", "[    ]"},
        {u"Replace(\"xx testxx(xx)\",\"xx\",\"!\",2)", "x test!(!)"},
        {u"Replace(\"aAa\",\"a\",\"b\",1,-1,1)", "bbb"},
        {u"Replace(\"aaa\",\"a\",\"b\",1,2)", "bba"},
        {u"StrComp(\"a\",\"B\",1)", "-1"},
        {u"Rnd()", "0.7055475"},
        {u"Rnd(0)", "0.01953125"},
        {u"Rnd + Rnd > 0", "True"},
        {u"Rnd(-1) = Rnd(-1)", "True"},
        {u"Rnd(1E300) < 1", "True"},
        {u"VarType(\"x\")", "8"},
        {u"IsNumeric(\"1e3\")", "True"},
        {u"IsNumeric(\"x\")", "False"},
        {u"ABS(-1)", "1"},
        {u"abs (-1)", "1"},
        {u"Len", "error 450"},
        {u"Foo(1)", "error 13"},
        {u"Abs(1,2)", "error 450"},
        {u"Sqr(-1)", "error 5"},
        {u"Log(0)", "error 5"},
        {u"Exp(1000)", "error 6"},
        {u"Space(1E9)", "error 7"},
        {u"Replace(Space(20000), \" \", Space(20000))", "error 7"},
    };
    CHECK_TABLE(cases);
}

TEST(VbsEvaluator, Dates) {
    const Case cases[] = {
        {u"#1/2/2003#", "1/2/2003"},
        {u"#1/2/2003 10:30#", "1/2/2003 10:30:00 AM"},
        {u"# 1/1/2011 #", "1/1/2011"},
        {u"#2003-01-02#", "1/2/2003"},
        {u"#10:30:00 PM#", "10:30:00 PM"},
        {u"#12:00 AM#", "12:00:00 AM"},
        {u"#1/1/99#", "1/1/1999"},
        {u"#1/1/29#", "1/1/2029"},
        {u"#2/30/2003#", "error 1002"},
        {u"#13/1/2003#", "error 1002"},
        {u"#1/1/2000", "error 1002"},
        {u"#1/1/2000#+1", "1/2/2000"},
        {u"1+#1/1/2000#", "1/2/2000"},
        {u"#1/1/2000#+0.75", "1/1/2000 6:00:00 PM"},
        {u"#3/1/2000#-#2/1/2000#", "29"},
        {u"TypeName(#1/1/2000#-1)", "Date"},
        {u"TypeName(#1/2/2000#-#1/1/2000#)", "Double"},
        {u"#1/1/2000# < #1/2/2000#", "True"},
        {u"CDbl(#1/1/2000#)", "36526"},
        {u"CDate(0)", "12:00:00 AM"},
        {u"CDate(1.5)", "12/31/1899 12:00:00 PM"},
        {u"CDate(\"3/30/2021\")", "3/30/2021"},
        {u"CDate(\"x\")", "error 13"},
        {u"Year(2)", "1900"},
        {u"Day(2)", "1"},
        {u"Hour(2.75)", "18"},
        {u"Minute(#10:45:30#) & Second(#10:45:30#)", "4530"},
        {u"Month(#2021-03-30#)", "3"},
        {u"Weekday(#1/1/2000#)", "7"},
        {u"Weekday(#1/1/2000#, 2)", "6"},
        {u"DateAdd(\"m\",1,#1/31/2003#)", "2/28/2003"},
        {u"DateAdd(\"yyyy\",1,#2/29/2000#)", "2/28/2001"},
        {u"DateAdd(\"q\",-1,#5/31/2003#)", "2/28/2003"},
        {u"DateAdd(\"d\",-1,#1/1/2000#)", "12/31/1999"},
        {u"DateAdd(\"h\",25,#1/1/2000#)", "1/2/2000 1:00:00 AM"},
        {u"DateAdd(\"x\",1,#1/1/2000#)", "error 5"},
        {u"DateAdd(\"yyyy\",9000,#1/1/2000#)", "error 5"},
        {u"DateDiff(\"yyyy\",#12/31/2002#,#1/1/2003#)", "1"},
        {u"DateDiff(\"d\",#1/1/2021#,#3/30/2021#)", "88"},
        {u"DateDiff(\"m\",#1/31/2021#,#2/1/2021#)", "1"},
        {u"DateDiff(\"ww\",#1/1/2000#,#1/2/2000#)", "1"},
        {u"DateDiff(\"w\",#1/1/2000#,#1/14/2000#)", "1"},
        {u"DateDiff(\"h\",#1/1/2000 10:59#,#1/1/2000 11:00#)", "1"},
        {u"DateDiff(\"d\",#1/2/2000#,#1/1/2000#)", "-1"},
        {u"DateSerial(2000,13,1)", "1/1/2001"},
        {u"DateSerial(2000,3,0)", "2/29/2000"},
        {u"DateSerial(99,1,1)", "1/1/1999"},
        {u"TimeSerial(25,0,0)", "12/31/1899 1:00:00 AM"},
        {u"IsDate(\"1/1/2000\") And Not IsDate(\"x\")", "True"},
        {u"Year(Now) > 2000", "True"},
        {u"Int(#1/1/2000 10:00#)", "1/1/2000"},
        {u"#12/31/9999#+1", "error 6"},
        {u"#1/1/1800#", "1/1/1800"},
        {u"Hour(#1/1/1800 6:00#)", "6"},
    };
    CHECK_TABLE(cases);
}

TEST(VbsEvaluator, FormattingWithFifteenSignificantDigits) {
    const Case cases[] = {
        {u"10/4", "2.5"},
        {u"1/3", "0.333333333333333"},
        {u"2/3", "0.666666666666667"},
        {u"0.1+0.2", "0.3"},
        {u"999999999999999", "999999999999999"},
        {u"1E14", "100000000000000"},
        {u"1E15", "1E+15"},
        {u"1E16", "1E+16"},
        {u"2^53", "9.00719925474099E+15"},
        {u"123456789012345678", "1.23456789012346E+17"},
        {u"1.5E20", "1.5E+20"},
        {u"1E100", "1E+100"},
        {u"0.0001", "0.0001"},
        {u"0.00001", "1E-05"},
        {u"0.000123456", "0.000123456"},
        {u"1.5E-20", "1.5E-20"},
        {u"-1E-100", "-1E-100"},
        {u"-0.5*0", "0"},
        {u"010", "10"},
        {u"10.", "10"},
        {u".5", "0.5"},
        {u"34e+5", "3400000"},
        {u"56.789e-2", "0.56789"},
        {u"1e-94938484", "0"},
        {u"True", "True"},
        {u"3 = 3", "True"},
        {u"1e999", "error 6"},
    };
    CHECK_TABLE(cases);
}

TEST(VbsEvaluator, ErrorsAndEmptyValues) {
    const Case cases[] = {
        {u"1/0", "error 11"},
        {u"0/0", "error 6"},
        {u"1+", "error 1023"},
        {u"(1+2", "error 1006"},
        {u"1+2)", "error 1025"},
        {u"1 2", "error 1025"},
        {u"", "error 1023"},
        {u"饮料 23.5", "error 1002"},
        {u"x", ""},
        {u"x+1", "1"},
        {u"Empty", ""},
        {u"Null", "error 94"},
        {u"Nothing", "error 13"},
        {u"1 _", "error 1002"},
        {u"1:2", "error 1002"},
        {u"#x#", "error 1002"},
        {u"1e", "error 1002"},
        {u"1 ' comment", "1"},
        {u"1 = Not 0", "error 1023"},
        {u"Not", "error 1023"},
        {u"1,2", "error 1025"},
        {u"()", "error 1023"},
    };
    CHECK_TABLE(cases);
}

TEST(VbsEvaluator, NestingIsBoundedNotAStackOverflow) {
    for (int depth : {10, 150, 10000, 1000000}) {
        const QString expression = QString(depth, u'(') + "1" + QString(depth, u')');
        QString text;
        const int e = telmo::vbs::EvaluateToText(expression, &text);
        if (depth <= 150) {
            EXPECT_EQ(e, 0) << depth;
            EXPECT_EQ(text, "1");
        } else {
            EXPECT_NE(e, 0) << depth;
        }
    }
    const QString calls = QString("Abs(").repeated(10000) + "1" + QString(10000, u')');
    QString text;
    EXPECT_NE(telmo::vbs::EvaluateToText(calls, &text), 0);
    const QString nots = QString("Not ").repeated(100001) + "0";
    EXPECT_EQ(telmo::vbs::EvaluateToText(nots, &text), 0);
    EXPECT_EQ(text, "-1");
    const QString signs = QString(100001, u'-') + "1";
    EXPECT_EQ(telmo::vbs::EvaluateToText(signs, &text), 0);
    EXPECT_EQ(text, "-1");
}

TEST(VbsEvaluator, LongFlatExpressionsStayIterative) {
    const QString sum = QString("1+").repeated(200000) + "1";
    QString text;
    EXPECT_EQ(telmo::vbs::EvaluateToText(sum, &text), 0);
    EXPECT_EQ(text, "200001");
    const QString powers = QString("1^").repeated(200000) + "1";
    EXPECT_EQ(telmo::vbs::EvaluateToText(powers, &text), 0);
    EXPECT_EQ(text, "1");
}

TEST(VbsEvaluator, RandomTokenSoupNeverCrashesOrHangs) {
    // Fragments that stress the parser's error paths and the operators' type rules together.
    const char16_t* fragments[] = {
        u"1",          u"0",          u"-",
        u"+",          u"(",          u")",
        u"^",          u"*",          u"/",
        u"\\",         u"Mod",        u"&",
        u"=",          u"<>",         u"<",
        u"Not",        u"And",        u"Or",
        u"Xor",        u"Eqv",        u"Imp",
        u"Is",         u",",          u"\"a\"",
        u"\"1\"",      u"\"",         u"Null",
        u"Empty",      u"True",       u"Nothing",
        u"x",          u"&H",         u"&HFFFF",
        u"&O7",        u"1e308",      u"1e-308",
        u"2147483647", u"32767",      u"0.5",
        u".",          u"Abs(",       u"Mid(",
        u"Replace(",   u"Space(",     u"String(",
        u"Hex(",       u"Round(",     u"Rnd",
        u"CInt(",      u"InStr(",     u"Chr(",
        u"Sqr(",       u"Log(",       u"'",
        u"中",         u"#1/1/2000#", u"DateAdd(\"m\",",
        u"Year(",      u" ",          u"\t",
        u"#",          u"_",          u":",
    };
    uint32_t seed = 12345;
    auto next = [&](uint32_t bound) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % bound;
    };
    int evaluated = 0;
    for (int round = 0; round < 20000; ++round) {
        QString expression;
        const uint32_t length = 1 + next(14);
        for (uint32_t i = 0; i < length; ++i) {
            expression += QString::fromUtf16(fragments[next(std::size(fragments))]);
            if (next(3) == 0) expression += u' ';
        }
        QString text;
        if (telmo::vbs::EvaluateToText(expression, &text) == 0) ++evaluated;
    }
    EXPECT_GT(evaluated, 100); // the soup is not all errors, so the operators were exercised
}
