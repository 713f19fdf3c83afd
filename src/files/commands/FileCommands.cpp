#include "files/commands/FileCommands.h"

#include "files/TextFiles.h"
#include "ui/BusyWork.h"
#include "ui/CommonDialog.h"
#include "ui/TextBoxW.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QWidget>

namespace telmo {

namespace {

const QString kTextFilter = QStringLiteral("文本文件(*.txt)|*.txt");
const QString kScriptFilter = QStringLiteral("键鼠脚本文件(*.sd)|*.sd");

TextBoxW* BoxOf(const FileCommandTargets& t, FileBox box) {
    return box == FileBox::Work ? t.workBox : t.scriptBox;
}

void PrepareDialog(CommonDialog& dialog, FileBox box, const QString& title) {
    dialog.Filter = box == FileBox::Work ? kTextFilter : kScriptFilter;
    dialog.DialogTitle = title;
    dialog.CancelError = true;
    dialog.FileName.clear();
}

// A lookup that fails counts as "not there" for the commands: they end without touching anything.
bool IsExistingFile(const QString& path) {
    const FileExistsResult r = FileExists(path);
    return r.ok && r.exists;
}

// Big files are read and decoded off the user-interface thread, behind the busy cursor.
TextReadResult ReadFileOffUiThread(const QString& path, TextReadResult (*read)(const QString&)) {
    return RunOffUiThread(QFileInfo(path).size() >= kBigTextSize, [&] { return read(path); });
}

void TakeText(const FileCommandTargets& t, FileBox box, const QString& text, const QString& path) {
    TextBoxW* target = BoxOf(t, box);
    target->SetText(text);
    if (box == FileBox::Work) t.reimportButton->setEnabled(true);
    target->SetFocus();
    if (box == FileBox::Work) t.workBox->SetTag(path);
}

} // namespace

QString OverwriteQuestion(const QString& fileTitle) {
    return QStringLiteral("文件 ") + fileTitle + QStringLiteral("已经存在。\r\n要覆盖该文件吗？");
}

QString ExportedMessage(const QString& fileTitle) {
    return QStringLiteral("已导出 ") + fileTitle + QStringLiteral(" 。");
}

QString WithDefaultExtension(const QString& path, const QString& extension) {
    const QString name = QFileInfo(path).fileName();
    if (name.isEmpty() || !QFileInfo(name).suffix().isEmpty()) return path;
    // A name ending in a dot ("a.") has an empty extension; the dot is not doubled.
    return path + (name.endsWith(u'.') ? extension : u'.' + extension);
}

void ImportFile(const FileCommandTargets& t, FileBox box) {
    PrepareDialog(*t.dialog, box, QStringLiteral("导入"));
    if (!t.dialog->ShowOpen() || t.dialog->FileName.isEmpty()) return;
    const QString path = t.dialog->FileName;
    if (!IsExistingFile(path)) return;
    const BusyCursor busy(QFileInfo(path).size() >= kBigTextSize);
    const TextReadResult read = ReadFileOffUiThread(path, &ReadUtf8File);
    if (!read.ok) return;
    TakeText(t, box, read.text, path);
}

void ExportFile(const FileCommandTargets& t, FileBox box) {
    PrepareDialog(*t.dialog, box, QStringLiteral("导出"));
    if (!t.dialog->ShowSave() || t.dialog->FileName.isEmpty()) return;
    // A name typed without an extension gets the box's own, or the import dialog would hide the file.
    t.dialog->FileName = WithDefaultExtension(
        t.dialog->FileName, box == FileBox::Work ? QStringLiteral("txt") : QStringLiteral("sd"));
    const QString path = t.dialog->FileName;
    const QString title = t.dialog->FileTitle();
    const FileExistsResult before = FileExists(path);
    if (!before.ok) return;
    if (before.exists) {
        const auto answer =
            QMessageBox::question(t.window, QStringLiteral("文件已存在"), OverwriteQuestion(title),
                                  QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
        if (answer != QMessageBox::Yes) return;
    }
    if (!WriteUtf8File(BoxOf(t, box)->Text(), path).ok) return;
    if (IsExistingFile(path))
        QMessageBox::information(t.window, QStringLiteral("导出文件"), ExportedMessage(title),
                                 QMessageBox::Ok);
}

void ReimportInCodePage936(const FileCommandTargets& t) {
    const QString path = t.workBox->Tag();
    if (path.isEmpty() || !IsExistingFile(path)) return;
    const BusyCursor busy(QFileInfo(path).size() >= kBigTextSize);
    const TextReadResult read = ReadFileOffUiThread(path, &ReadGb2312File);
    if (!read.ok) return;
    t.workBox->SetText(read.text);
}

void DropFiles(const FileCommandTargets& t, FileBox box, const QStringList& files) {
    if (files.isEmpty()) return;
    const QString& path = files.first();
    const QString ending = box == FileBox::Work ? QStringLiteral(".TXT") : QStringLiteral(".SD");
    if (path.right(ending.size()).toUpper() != ending) return;
    const BusyCursor busy(QFileInfo(path).size() >= kBigTextSize);
    const TextReadResult read = ReadFileOffUiThread(path, &ReadUtf8File);
    if (!read.ok) return;
    TakeText(t, box, read.text, path);
}

} // namespace telmo
