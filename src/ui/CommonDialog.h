#pragma once
// File dialogs for import and export: the members are set before each use, the dialog is modal.
// The dialog itself never asks before overwriting and does not insist that an opened file
// exists; the commands make those checks themselves.
#include <QObject>
#include <QString>
#include <QStringList>

class QWidget;

namespace telmo {

class CommonDialog : public QObject {
    Q_OBJECT
public:
    explicit CommonDialog(QWidget* owner);

    // Description and pattern pairs separated by "|": "文本文件(*.txt)|*.txt".
    QString Filter;
    QString DialogTitle;
    // Kept for the callers' sake; a cancelled dialog is reported by the result either way.
    bool CancelError = false;
    // Full path of the chosen file; unchanged when the dialog is cancelled.
    QString FileName;

    // The chosen file's name without its folder.
    QString FileTitle() const;

    // True when the user chose a file.
    bool ShowOpen();
    bool ShowSave();

private:
    bool Show(bool save);
    QWidget* owner_;
};

// The Qt name filters for a "description|pattern|..." filter string.
QStringList QtNameFilters(const QString& filter);

} // namespace telmo
