#include "text/LineArithmetic.h"

#include "text/Amounts.h"
#include "text/LineViews.h"
#include "text/TextTrim.h"
#include "text/vbs/Evaluator.h"

#include <cmath>

namespace telmo {

namespace {

// Appends the evaluated line to out, writing the value's text straight into it.
void AppendEvaluatedLine(QStringView line, QString* out) {
    const QStringView expression = TrimSpaces(line);
    vbs::Value value;
    const bool printable = vbs::Evaluate(expression, &value) == vbs::err::kNone &&
                           value.type != vbs::VType::Empty && value.type != vbs::VType::Null &&
                           value.type != vbs::VType::Object &&
                           !(value.type == vbs::VType::String && value.s.isEmpty());
    if (!printable) {
        out->append(line);
        return;
    }
    out->append(expression);
    out->append(QChar(u'='));
    vbs::AppendText(value, out);
}

} // namespace

QString EvaluateExpressionLine(const QString& line) {
    QString out;
    AppendEvaluatedLine(line, &out);
    return out;
}

QString EvaluateLines(const QString& text) {
    return RewriteLines(text, [](QStringView line, QString& out) { AppendEvaluatedLine(line, &out); });
}

QString FormatBillTotal(float total) {
    if (!std::isfinite(total)) return FormatCapitalAmount(total); // the overflow text
    QString text;
    vbs::AppendSingle(total, &text);
    return text;
}

QString ComputeBill(const QString& text) {
    float income = 0.0f, expense = 0.0f;
    ForEachLine(text, [&](QStringView line) {
        const qsizetype k = FindAmountStart(line);
        if (k < 0) return;
        const float amount = ToSingle(ParseLeadingNumber(line.sliced(k)));
        // float arithmetic: every addition rounds to single precision
        if (amount > 0.0f)
            income += amount;
        else
            expense += amount;
    });
    const QString summary = QStringLiteral("累计收入：") + FormatBillTotal(income) +
                            QStringLiteral("，累计支出：") + FormatBillTotal(expense);
    QString out;
    out.reserve(text.size() + text.size() / 8 + summary.size() + 2);
    // A bare LF becomes CR LF; CR LF and a lone CR stay as they are, so runs between bare LFs are
    // copied whole.
    const QChar* data = text.constData();
    qsizetype runStart = 0;
    for (qsizetype lf = text.indexOf(u'\n'); lf >= 0; lf = text.indexOf(u'\n', lf + 1)) {
        if (lf > 0 && data[lf - 1] == u'\r') continue;
        out.append(QStringView(data + runStart, lf - runStart));
        out.append(QLatin1String("\r\n"));
        runStart = lf + 1;
    }
    out.append(QStringView(data + runStart, text.size() - runStart));
    out.append(QLatin1String("\r\n"));
    out.append(summary);
    return out;
}

} // namespace telmo
