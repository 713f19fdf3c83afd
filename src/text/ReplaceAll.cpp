// Plain replace-all, the replacement escapes and the Replace-all button's choice between them.
#include "text/ReplaceAll.h"

#include <QStringMatcher>

namespace telmo {

QString PlainReplaceAll(const QString& text, const QString& find, const QString& replacement) {
    if (find.isEmpty()) return text;
    const QStringMatcher matcher(find, Qt::CaseSensitive);
    qsizetype at = matcher.indexIn(text, 0);
    if (at < 0) return text;
    QString out;
    out.reserve(text.size());
    qsizetype copied = 0;
    for (; at >= 0; at = matcher.indexIn(text, copied)) {
        out.append(QStringView(text).sliced(copied, at - copied));
        out.append(replacement);
        copied = at + find.size();
    }
    out.append(QStringView(text).sliced(copied));
    return out;
}

QString DecodeReplacementEscapes(const QString& replacement) {
    // Each step is its own replace-all over the result of the one before: the order decides, for
    // example, that the typed "\r\n\r" becomes CR CR LF.
    static const struct {
        const char16_t* find;
        const char16_t* replaceWith;
    } kSteps[] = {
        {u"\\n\\r", u"\r\n"}, {u"\\r\\n", u"\r\n"}, {u"\\n", u"\n"}, {u"\\r", u"\r"},
        {u"\\s", u" "},       {u"\\t", u"\t"},      {u"\\f", u"\f"}, {u"\\v", u"\v"},
    };
    QString out = replacement;
    if (!out.contains(u'\\')) return out;
    for (const auto& step : kSteps)
        out = PlainReplaceAll(out, QString::fromUtf16(step.find), QString::fromUtf16(step.replaceWith));
    return out;
}

ReplaceResult ApplyReplaceAll(const QString& text, const QString& find, const QString& replacement,
                              bool useRegex) {
    if (useRegex && !find.isEmpty()) {
        if (find == u"*") return {true, replacement, {}};
        return RegexReplaceAll(text, find, replacement);
    }
    return {true, PlainReplaceAll(text, find, replacement), {}};
}

} // namespace telmo
