#include "app/AppFont.h"

#include <QStringList>

namespace telmo {

QFont UiFont(double points) {
    QFont font;
    font.setFamilies({QStringLiteral("微软雅黑"), QStringLiteral("Microsoft YaHei"),
                      QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("Source Han Sans SC"), QStringLiteral("Droid Sans Fallback")});
    font.setPointSizeF(points);
    return font;
}

} // namespace telmo
