#pragma once
// Import, export, re-import in code page 936, and file drops, for the work box (.txt) and the
// script box (.sd). A command that fails ends quietly and leaves the boxes, the remembered path
// and the button states as they were; only the overwrite question and the export message speak.
#include <QStringList>

class QWidget;

namespace telmo {

class CommonDialog;
class TextBoxW;

struct FileCommandTargets {
    QWidget* window = nullptr;         // owner of the message boxes
    CommonDialog* dialog = nullptr;    // the window's one file dialog object
    TextBoxW* workBox = nullptr;       // TextBoxW1; its Tag remembers the last imported text file
    TextBoxW* scriptBox = nullptr;     // TextBoxW3
    QWidget* reimportButton = nullptr; // Command1(2), enabled by the first text import or drop
};

enum class FileBox { Work, Script };

void ImportFile(const FileCommandTargets& t, FileBox box);
void ExportFile(const FileCommandTargets& t, FileBox box);
// Reads the remembered text file again in code page 936 (for files that came out garbled).
void ReimportInCodePage936(const FileCommandTargets& t);
// Files dropped on a box: the first one is read when its name ends in .txt (work box) or .sd
// (script box), in any letter case.
void DropFiles(const FileCommandTargets& t, FileBox box, const QStringList& files);

// path, with "." and extension added when its file name has no extension ("script1" gives
// "script1.sd"); a name with any extension stays as it is.
QString WithDefaultExtension(const QString& path, const QString& extension);

// The message texts, exactly as the user reads them.
QString OverwriteQuestion(const QString& fileTitle);
QString ExportedMessage(const QString& fileTitle);

} // namespace telmo
