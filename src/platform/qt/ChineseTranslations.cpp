#include "platform/qt/ChineseTranslations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace telmo {

QTranslator* InstallChineseTranslations(QCoreApplication& app) {
    const QStringList folders = {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                                 QDir(QCoreApplication::applicationDirPath()).filePath("translations")};
    for (const QString& folder : folders) {
        auto* translator = new QTranslator(&app);
        if (translator->load(QStringLiteral("qtbase_zh_CN"), folder) && app.installTranslator(translator))
            return translator;
        delete translator;
    }
    return nullptr;
}

} // namespace telmo
