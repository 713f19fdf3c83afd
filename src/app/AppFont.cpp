#include "app/AppFont.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QProxyStyle>
#include <QStyleOptionComboBox>

namespace telmo {

namespace {

// The combo box's text runs up to the arrow, with the frame's few pixels kept on the left.
class WideEditFieldStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget) const override {
        QRect r = QProxyStyle::subControlRect(control, option, sub, widget);
        if (control == CC_ComboBox && sub == SC_ComboBoxEditField) {
            const QRect arrow = QProxyStyle::subControlRect(control, option, SC_ComboBoxArrow, widget);
            const int left = option->rect.left() + kEditLeft;
            // The arrow's glyph stands in the middle of its area; the text may use the area's edge.
            const int right = arrow.isValid() ? arrow.left() + arrow.width() / 4 : r.right();
            if (right > left) r.setCoords(left, r.top(), right, r.bottom());
        }
        return r;
    }

private:
    static constexpr int kEditLeft = 3;
};

} // namespace

QStringList UiFontFamilies() {
    // After the font the layout was drawn for, the one whose line height (1.2 em) fits the heights it
    // gives the controls; Noto's taller lines (1.45 em) come next.
    return {QStringLiteral("微软雅黑"),
            QStringLiteral("Microsoft YaHei"),
            QStringLiteral("WenQuanYi Micro Hei"),
            QStringLiteral("Noto Sans CJK SC"),
            QStringLiteral("Source Han Sans SC"),
            QStringLiteral("Droid Sans Fallback")};
}

QString UiFontFamily() {
    static const QString chosen = [] {
        const QStringList installed = QFontDatabase::families();
        for (const QString& family : UiFontFamilies())
            if (installed.contains(family, Qt::CaseInsensitive)) return family;
        return QString();
    }();
    return chosen;
}

QFont UiFont(double points) {
    QFont font;
    const QString family = UiFontFamily();
    if (!family.isEmpty())
        font.setFamily(family);
    else
        font.setFamilies(UiFontFamilies()); // whatever the font matcher finds for the names
    font.setPointSizeF(points);
    return font;
}

void UseWholeWidthForText(QComboBox* combo) {
    auto* style = new WideEditFieldStyle(combo->style()->name());
    style->setParent(combo);
    combo->setStyle(style);
}

} // namespace telmo
