#include "ui/CommonDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QWidget>

namespace telmo {

CommonDialog::CommonDialog(QWidget* owner) : QObject(owner), owner_(owner) {}

QString CommonDialog::FileTitle() const {
    return QFileInfo(FileName).fileName();
}

bool CommonDialog::ShowOpen() {
    return Show(false);
}

bool CommonDialog::ShowSave() {
    return Show(true);
}

bool CommonDialog::Show(bool save) {
    QFileDialog dialog(owner_, DialogTitle);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    const QStringList filters = QtNameFilters(Filter);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    if (!FileName.isEmpty()) dialog.selectFile(FileName);
    if (dialog.exec() != QDialog::Accepted) return false;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty() || files.first().isEmpty()) return false;
    FileName = files.first();
    return true;
}

QStringList QtNameFilters(const QString& filter) {
    QStringList result;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i];
        const QString patterns = QString(parts[i + 1]).replace(u';', u' ');
        // Qt reads the patterns from the parentheses at the end of the entry.
        if (description.endsWith(u'(' + patterns + u')'))
            result << description;
        else
            result << description + QStringLiteral(" (") + patterns + u')';
    }
    return result;
}

} // namespace telmo
