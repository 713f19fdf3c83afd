#include "platform/InputBackend.h"
#include "script/ScriptLanguage.h"

#include <gtest/gtest.h>

using namespace telmo;

TEST(ScriptLines, EveryLineEndStyleGivesTheSameSteps) {
    struct Case {
        QString text;
        QStringList lines;
    } cases[] = {
        {"", {}},
        {"\r\n\r\n\n\r", {}},
        {"CPY\r\nPST\r\n", {"CPY", "PST"}},
        {"CPY\nPST", {"CPY", "PST"}},
        {"CPY\rPST\r", {"CPY", "PST"}},
        {"CPY\n\n\r\n\rPST", {"CPY", "PST"}},
        {"  \r\n\t\r\nx ", {"  ", "\t", "x "}}, // lines of blanks are steps (and items)
        {"\n\nlast", {"last"}},
    };
    for (const Case& c : cases) EXPECT_EQ(ScriptLines(c.text), c.lines) << c.text.toStdString();
}

TEST(ScriptLines, CompactDropsOnlyEmptyStrings) {
    EXPECT_EQ(CompactLines({}), QStringList());
    EXPECT_EQ(CompactLines({"", "a", "", " ", ""}), (QStringList{"a", " "}));
}

TEST(NumericField, LeadingNumberWithBlanksIgnored) {
    struct Case {
        const char16_t* field;
        int value;
    } cases[] = {
        {u"250", 250}, {u"  250  ", 250}, {u"1 000", 1000}, {u"1\t0\n0", 100}, {u"100px", 100},
        {u"abc", 0},   {u"", 0},          {u"-", 0},        {u".", 0},         {u"-12", -12},
        {u"+12", 12},  {u"- 12", -12},    {u"12-3", 12},    {u"1.2.3", 1},     {u"0x10", 0},
        {u"1,5", 1},   {u"１２", 0},      {u"1e3", 1},      {u"1e400", 1},     {u"007", 7},
        {u"\r5", 0}, // only spaces, tabs and line feeds are skipped
    };
    for (const Case& c : cases) {
        auto v = ReadNumericField(QStringView(c.field));
        ASSERT_TRUE(v.has_value()) << QString::fromUtf16(c.field).toStdString();
        EXPECT_EQ(*v, c.value) << QString::fromUtf16(c.field).toStdString();
    }
}

TEST(NumericField, RoundsHalvesToEven) {
    struct Case {
        const char* field;
        int value;
    } cases[] = {
        {"2.5", 2}, {"3.5", 4},  {"-2.5", -2},         {"-3.5", -4},  {"1500.5", 1500}, {"0.5", 0},
        {"1.5", 2}, {"2.51", 3}, {"2.50000000001", 3}, {"2.4999", 2}, {"-0.5", 0},      {"-0.6", -1},
        {".5", 0},  {".6", 1},   {"2.5 0 1", 3}, // blanks inside the fraction, too
    };
    for (const Case& c : cases) {
        auto v = ReadNumericField(QString::fromLatin1(c.field));
        ASSERT_TRUE(v.has_value()) << c.field;
        EXPECT_EQ(*v, c.value) << c.field;
    }
}

TEST(NumericField, ValuesOutsideSigned32BitAreRejected) {
    struct Case {
        const char* field;
        std::optional<std::int32_t> value;
    } cases[] = {
        {"2147483647", 2147483647},
        {"2147483647.4", 2147483647},
        {"2147483647.5", std::nullopt}, // rounds up to 2^31
        {"2147483648", std::nullopt},
        {"-2147483648", INT32_MIN},
        {"-2147483648.5", INT32_MIN}, // the even neighbour stays in range
        {"-2147483648.6", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999999999", std::nullopt},
        {"00000000000000000000000000012", 12},
    };
    for (const Case& c : cases) EXPECT_EQ(ReadNumericField(QString::fromLatin1(c.field)), c.value) << c.field;
}

TEST(NumericField, HugeFieldsAreReadInOnePass) {
    EXPECT_EQ(ReadNumericField(QString(10'000'000, u'9')), std::nullopt);
    EXPECT_EQ(ReadNumericField(QString(10'000'000, u'0') + "42"), 42);
    EXPECT_EQ(ReadNumericField("7." + QString(10'000'000, u'0') + "1"), 7);
    EXPECT_EQ(ReadNumericField("7.5" + QString(10'000'000, u'0') + "1"), 8); // just above the half
    EXPECT_EQ(ReadNumericField(QString(10'000'000, u' ')), 0);
}

namespace {
struct Recognised {
    const char16_t* line;
    StepKind kind;
    std::uint32_t flags = 0;
    std::int32_t data = 0;
    const char16_t* argument = u"";
};

void ExpectRecognised(const Recognised* begin, const Recognised* end) {
    for (const Recognised* c = begin; c != end; ++c) {
        const QString line = QString::fromUtf16(c->line);
        const Step s = RecognizeStep(line);
        EXPECT_EQ(int(s.kind), int(c->kind)) << line.toStdString();
        EXPECT_EQ(s.mouseFlags, c->flags) << line.toStdString();
        EXPECT_EQ(s.mouseData, c->data) << line.toStdString();
        EXPECT_EQ(s.argument, QString::fromUtf16(c->argument)) << line.toStdString();
    }
}
} // namespace

TEST(RecognizeStep, ClipboardStepsIgnoreTheRestOfTheLine) {
    const Recognised cases[] = {
        {u"CPY", StepKind::Copy},   {u"CPYxyz", StepKind::Copy},        {u"PST", StepKind::Paste},
        {u"PSTX", StepKind::Paste}, {u"PST any text", StepKind::Paste}, {u"CP", StepKind::None},
        {u"CPX", StepKind::None},   {u"cpy", StepKind::None},           {u" CPY", StepKind::None},
        {u"Pst", StepKind::None},
    };
    ExpectRecognised(std::begin(cases), std::end(cases));
}

TEST(RecognizeStep, ButtonAndWheelStepsUseTheFirstSixCharactersInAnyCase) {
    const Recognised cases[] = {
        {u"LFT DN", StepKind::Mouse, MOUSEEVENTF_LEFTDOWN, 0},
        {u"LFT dn", StepKind::Mouse, MOUSEEVENTF_LEFTDOWN, 0},
        {u"LFT Dn", StepKind::Mouse, MOUSEEVENTF_LEFTDOWN, 0},
        {u"LFT DN   ", StepKind::Mouse, MOUSEEVENTF_LEFTDOWN, 0},
        {u"LFT UP", StepKind::Mouse, MOUSEEVENTF_LEFTUP, 0},
        {u"RGH DN", StepKind::Mouse, MOUSEEVENTF_RIGHTDOWN, 0},
        {u"RGH UP", StepKind::Mouse, MOUSEEVENTF_RIGHTUP, 0},
        {u"MID DN", StepKind::Mouse, MOUSEEVENTF_MIDDLEDOWN, 0},
        {u"MID UP", StepKind::Mouse, MOUSEEVENTF_MIDDLEUP, 0},
        {u"WHL UP", StepKind::Mouse, MOUSEEVENTF_WHEEL, 120},
        {u"WHL DN", StepKind::Mouse, MOUSEEVENTF_WHEEL, -120},
        {u"WHL UPPER", StepKind::Mouse, MOUSEEVENTF_WHEEL, 120},
        {u"SD1 DN", StepKind::Mouse, MOUSEEVENTF_XDOWN, 1},
        {u"SD1 UP", StepKind::Mouse, MOUSEEVENTF_XUP, 1},
        {u"SD2 DN", StepKind::Mouse, MOUSEEVENTF_XDOWN, 2},
        {u"SD2 UP", StepKind::Mouse, MOUSEEVENTF_XUP, 2},
        {u"lft dn", StepKind::None},
        {u" LFT DN", StepKind::None},
        {u"WHL XX", StepKind::None},
        {u"LFTDN", StepKind::None},
        {u"LFT  DN", StepKind::None},
        {u"LFT\tDN", StepKind::None},
        {u"LFT D", StepKind::None},
        {u"LFT   ", StepKind::None}, // six characters, but only three once the spaces are gone
    };
    ExpectRecognised(std::begin(cases), std::end(cases));
}

TEST(RecognizeStep, ArgumentStepsNeedTheirSpaceAndKeepTheArgumentAsItStands) {
    const Recognised cases[] = {
        {u"INP ", StepKind::Type, 0, 0, u""},
        {u"INP  hello  ", StepKind::Type, 0, 0, u" hello  "},
        {u"INP 你好，世界", StepKind::Type, 0, 0, u"你好，世界"},
        {u"MSG ", StepKind::Message, 0, 0, u""},
        {u"MOV 100,200", StepKind::Move, 0, 0, u"100,200"},
        {u"HLD 1500", StepKind::Hold, 0, 0, u"1500"},
        {u"CMD @notepad", StepKind::Command, 0, 0, u"@notepad"},
        {u"KEY 65,2", StepKind::Key, 0, 0, u"65,2"},
        {u"INP", StepKind::None},
        {u"INPX", StepKind::None},
        {u"INP\tx", StepKind::None},
        {u"inp x", StepKind::None},
        {u"Key 65,2", StepKind::None},
        {u"  ", StepKind::None},
        {u"", StepKind::None},
        {u"XYZ 1", StepKind::None},
    };
    ExpectRecognised(std::begin(cases), std::end(cases));
}
