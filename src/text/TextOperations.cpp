#include "text/TextOperations.h"

#include "text/Amounts.h"
#include "text/ChineseScript.h"
#include "text/LetterCase.h"
#include "text/LineArithmetic.h"
#include "text/LineOperations.h"
#include "text/Paragraphs.h"
#include "text/Punctuation.h"

namespace telmo {
namespace {

struct OperationEntry {
    const char16_t* name;
    const char* identifier;
    const char16_t* description;
};

// The descriptions keep their two ASCII quotes (4, 5), "&&bnsp;" (6) and "两将字" (17) as the list
// has always shown them.
const OperationEntry kOperations[kTextOperationCount] = {
    {u"去除多余空行", "RemoveBlankLines", u"删除文本中的空白行。"},
    {u"去除多余空格", "CollapseSpaces",
     u"修改文本中的多于2个连续半角空格为1个半角空格。例如：abc□□de → abc□de （假设□表示空格）"},
    {u"去除所有行", "JoinAllLines", u"将文本中的所有行变成一行。"},
    {u"去除所有空格", "RemoveAllSpaces", u"删除文本中的所有空格。"},
    {u"更改所有标点为中文标点", "ToChinesePunctuation",
     u"修改文本中的英文标点，使其变为中文标点。例如：\"\" → “”"},
    {u"更改所有标点为英文标点", "ToEnglishPunctuation",
     u"修改文本中的中文标点，使其变为英文标点。例如：“” → \"\""},
    {u"去除网页特殊标记", "DecodeWebEntities", u"删除网页中的特殊格式的标记，例如：&&bnsp;"},
    {u"繁体字更改为简体字", "TraditionalToSimplified",
     u"将文本中的繁体字改为简体字，注意：①部分繁体字由于属于多音字/"
     u"多义字可能会转换错误（如“乾”可能会错误地转换为“干”）②转换仅做单字转换，不会改变文字原有表述方式（如“熒"
     u"幕”将转换为“荧幕”，而不是“显示器”）。"},
    {u"简体字更改为繁体字", "SimplifiedToTraditional",
     u"将文本中的简体字改为繁体字，注意：①部分同声字可能出现转换错误（如表示“头发”的相关义项可能会错误地转换"
     u"为“頭發”而不是“頭髮”）②部分地名用字可能会出现转换错误（如“五台山”可能会错误地转换为“五臺山”）。"},
    {u"英文字母改为全部大写", "ToUpperCase", u"将文本中的英文字母改为大写。例如：abc123 → ABC123"},
    {u"英文字母改为全部小写", "ToLowerCase",
     u"将文本中的英文字母改为小写，注意：专有名词（如DNA）、第一人称单数主格（I）或其他英文字母可能会错误地转"
     u"换为小写。例如：ABC123 → abc123"},
    {u"英文字母改为单词首字母大写", "CapitalizeWords",
     u"将文本中的英文字母改为单词首字母大写。例如：chart assistant → Chart Assistant"},
    {u"英文字母改为句首单词首字母大写", "CapitalizeSentences",
     u"将文本中的英文句子改为句首首字母大写，其它字母不会改变大小写。例如：there Is an Old person. → There "
     u"Is an Old person."},
    {u"阿拉伯数字改为金额大写", "AmountsToCapitals",
     u"将文本中的阿拉伯数字改为汉字的金额大写。例如：人民币123.04 → 人民币壹佰贰拾叁圆零肆分整"},
    {u"计算每一行的数值", "EvaluateLines",
     u"将文本中的每一行当作数学表达式计算，注意：每一行只允许数学表达式，不可以带有其他字符。"},
    {u"每行前加两个全角缩进空格", "IndentLines",
     u"将文本中的每一行开头加上两个全角空格，以达到缩进的效果。行开头已经有2个全角空格的则不会添加。"},
    {u"计算账单", "ComputeBill",
     u"将整个文本内容当作收支记录计算账单。注意：账目和具体金额之间以空格隔开。例如：饮料 23.5"},
    {u"两字人名中间加上全角空格", "SpaceTwoCharNames",
     u"两将字人名中间加上全角空格，注意：每一行的内容只能为人名。例如：刘丽 → 刘　丽"},
    {u"段落识别处理（不稳定）", "RecognizeParagraphs",
     u"将源文本根据内容整理段落。注意：①可能出现某些错误；②仅支持中文。"},
};

QStringList Column(const char16_t* OperationEntry::*field) {
    QStringList out;
    out.reserve(kTextOperationCount);
    for (const OperationEntry& e : kOperations) out.append(QString::fromUtf16(e.*field));
    return out;
}

} // namespace

QString ApplyTextOperation(const QString& text, int index) {
    switch (index) {
    case 0:
        return RemoveBlankLines(text);
    case 1:
        return CollapseSpaces(text);
    case 2:
        return JoinAllLines(text);
    case 3:
        return RemoveAllSpaces(text);
    case 4:
        return ToChinesePunctuation(text);
    case 5:
        return ToEnglishPunctuation(text);
    case 6:
        return DecodeWebEntities(text);
    case 7:
        return TraditionalToSimplified(text);
    case 8:
        return SimplifiedToTraditional(text);
    case 9:
        return ToUpperCase(text);
    case 10:
        return ToLowerCase(text);
    case 11:
        return CapitalizeWords(text);
    case 12:
        return CapitalizeSentences(text);
    case 13:
        return AmountsToCapitals(text);
    case 14:
        return EvaluateLines(text);
    case 15:
        return IndentLines(text);
    case 16:
        return ComputeBill(text);
    case 17:
        return SpaceTwoCharNames(text);
    case 18:
        return RecognizeParagraphs(text);
    default:
        return QString();
    }
}

QStringList TextOperationNames() {
    return Column(&OperationEntry::name);
}

QStringList TextOperationDescriptions() {
    return Column(&OperationEntry::description);
}

QStringList TextOperationIdentifiers() {
    QStringList out;
    out.reserve(kTextOperationCount);
    for (const OperationEntry& e : kOperations) out.append(QLatin1String(e.identifier));
    return out;
}

int TextOperationIndex(QStringView identifier) {
    for (int i = 0; i < kTextOperationCount; ++i)
        if (identifier == QLatin1String(kOperations[i].identifier)) return i;
    return -1;
}

} // namespace telmo
