// Import, export, re-import in code page 936 and file drops, driven through the window's buttons,
// with the file dialog and the message boxes answered by the test.
#include "AppTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace telmo;
using telmo::testing::Box;
using telmo::testing::Find;

namespace {

const QByteArray kGbkChinese("\xD6\xD0\xCE\xC4\r\n\xB2\xE2\xCA\xD4"); // 中文 CR LF 测试 in code page 936

QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Answers the next file dialog with a path, or cancels it when the path is empty.
void AnswerFileDialog(const QString& path, QString* title = nullptr, QStringList* filters = nullptr) {
    telmo::testing::WhenModalShows<QFileDialog>([=](QFileDialog* dialog) {
        if (title) *title = dialog->windowTitle();
        if (filters) *filters = dialog->nameFilters();
        if (path.isEmpty()) {
            dialog->reject();
        } else {
            dialog->selectFile(path);
            static_cast<QDialog*>(dialog)->accept();
            if (dialog->isVisible()) { // the dialog would not take the path: fail rather than hang
                ADD_FAILURE() << "file dialog refused " << path.toStdString();
                dialog->reject();
            }
        }
    });
}

// Answers every message box that shows while it lives, with one button, and records what it saw.
class MessageBoxes : public QObject {
public:
    struct Seen {
        QString title, text;
        QMessageBox::Icon icon;
        QMessageBox::StandardButton defaultButton;
    };
    explicit MessageBoxes(QMessageBox::StandardButton answer) : answer_(answer) {
        timer_.callOnTimeout([this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return;
            QAbstractButton* def = box->defaultButton();
            seen.push_back({box->windowTitle(), box->text(), box->icon(),
                            def ? box->standardButton(def) : QMessageBox::NoButton});
            QAbstractButton* button = box->button(answer_);
            if (!button) button = box->button(QMessageBox::Ok);
            button->click();
        });
        timer_.start(5);
    }
    std::vector<Seen> seen;

private:
    QMessageBox::StandardButton answer_;
    QTimer timer_;
};

void DropOn(TextBoxW* box, const QStringList& paths) {
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
    mime.setUrls(urls);
    QWidget* target = qobject_cast<QPlainTextEdit*>(box->Editor())->viewport();
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

struct Fixture : ::testing::Test {
    QTemporaryDir dir;
    frmMain w;
    QString Path(const char* name) { return dir.filePath(QString::fromUtf8(name)); }
    void Click(int index) {
        Find<QPushButton>(&w, QStringLiteral("Command1(%1)").arg(index).toUtf8())->click();
    }
    TextBoxW* Work() { return Box(&w, "TextBoxW1"); }
    TextBoxW* Script() { return Box(&w, "TextBoxW3"); }
    bool ReimportEnabled() { return Find<QPushButton>(&w, "Command1(2)")->isEnabled(); }
};

using Import = Fixture;

TEST_F(Import, TextFileFillsWorkBoxRemembersPathAndEnablesReimport) {
    WriteBytes(Path("a.txt"), "\xEF\xBB\xBF第一行\r\n第二行");
    w.show();
    QString title;
    QStringList filters;
    AnswerFileDialog(Path("a.txt"), &title, &filters);
    Click(0);
    EXPECT_EQ(title, "导入");
    EXPECT_EQ(filters, QStringList{"文本文件(*.txt)"});
    EXPECT_EQ(Work()->Text(), "第一行\r\n第二行");
    EXPECT_EQ(Work()->Tag(), Path("a.txt"));
    EXPECT_TRUE(ReimportEnabled());
    EXPECT_EQ(w.focusWidget(), Work()->Editor());
}

struct NothingCase {
    const char* typed; // the name answered in the dialog; empty cancels
};

TEST_F(Import, CancelledMissingOrHiddenFileChangesNothing) {
    WriteBytes(Path(".hidden.txt"), "secret");
    Work()->SetText("keep");
    const char* names[] = {"", "missing.txt", ".hidden.txt"};
    for (const char* name : names) {
        AnswerFileDialog(*name ? Path(name) : QString());
        Click(0);
        EXPECT_EQ(Work()->Text(), "keep") << name;
        EXPECT_EQ(Work()->Tag(), "") << name;
        EXPECT_FALSE(ReimportEnabled()) << name;
    }
}

TEST_F(Import, ScriptImportUsesScriptFilterAndLeavesReimportAlone) {
    WriteBytes(Path("s.sd"), "TXT 你好\r\nKEY 9,0\r\n");
    QStringList filters;
    AnswerFileDialog(Path("s.sd"), nullptr, &filters);
    Click(5);
    EXPECT_EQ(filters, QStringList{"键鼠脚本文件(*.sd)"});
    EXPECT_EQ(Script()->Text(), "TXT 你好\r\nKEY 9,0\r\n");
    EXPECT_FALSE(ReimportEnabled());
    EXPECT_EQ(Work()->Tag(), "");
}

using Export = Fixture;

TEST_F(Export, NewFileIsWrittenAsUtf8AndAnnounced) {
    Work()->SetText("中文\r\nabc");
    MessageBoxes boxes(QMessageBox::Ok);
    QString title;
    AnswerFileDialog(Path("a.txt"), &title);
    Click(1);
    EXPECT_EQ(title, "导出");
    EXPECT_EQ(ReadBytes(Path("a.txt")), QByteArray("中文\r\nabc"));
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].title, "导出文件");
    EXPECT_EQ(boxes.seen[0].text, "已导出 a.txt 。");
    EXPECT_EQ(boxes.seen[0].icon, QMessageBox::Information);
}

struct OverwriteCase {
    QMessageBox::StandardButton answer;
    const char* fileAfter;
    size_t boxes;
};

TEST_F(Export, ExistingFileAsksAndObeysTheAnswer) {
    const OverwriteCase cases[] = {{QMessageBox::No, "old content", 1}, {QMessageBox::Yes, "new", 2}};
    for (const auto& c : cases) {
        WriteBytes(Path("a.txt"), "old content");
        Work()->SetText("new");
        MessageBoxes boxes(c.answer);
        AnswerFileDialog(Path("a.txt"));
        Click(1);
        EXPECT_EQ(ReadBytes(Path("a.txt")), QByteArray(c.fileAfter));
        ASSERT_EQ(boxes.seen.size(), c.boxes);
        EXPECT_EQ(boxes.seen[0].title, "文件已存在");
        EXPECT_EQ(boxes.seen[0].text, "文件 a.txt已经存在。\r\n要覆盖该文件吗？");
        EXPECT_EQ(boxes.seen[0].icon, QMessageBox::Question);
        EXPECT_EQ(boxes.seen[0].defaultButton, QMessageBox::Yes);
        if (c.boxes == 2) {
            EXPECT_EQ(boxes.seen[1].text, "已导出 a.txt 。");
        }
    }
}

struct ExtensionCase {
    int button;          // 1 exports the work box, 6 the script box
    const char* typed;   // the name answered in the dialog
    const char* written; // the file that must hold the text
};

TEST_F(Export, NameWithoutExtensionGetsTheBoxsOwnAndCanBeImportedAgain) {
    const ExtensionCase cases[] = {
        {6, "script1", "script1.sd"}, {1, "数据", "数据.txt"},     {6, "dot.", "dot.sd"},
        {6, "keep.txt", "keep.txt"},  {1, "notes.md", "notes.md"},
    };
    for (const auto& c : cases) {
        Work()->SetText("工作");
        Script()->SetText("CPY\r\n");
        const QByteArray expected = c.button == 1 ? QByteArray("工作") : QByteArray("CPY\r\n");
        MessageBoxes boxes(QMessageBox::Ok);
        AnswerFileDialog(Path(c.typed));
        Click(c.button);
        EXPECT_EQ(ReadBytes(Path(c.written)), expected) << c.typed;
        ASSERT_EQ(boxes.seen.size(), 1u) << c.typed;
        EXPECT_EQ(boxes.seen[0].text, QStringLiteral("已导出 %1 。").arg(QString::fromUtf8(c.written)));
        if (QString::fromUtf8(c.typed) != QString::fromUtf8(c.written)) {
            EXPECT_FALSE(QFileInfo::exists(Path(c.typed))) << c.typed;
        }
    }
    // The script written as "script1" comes back through the import dialog under its new name.
    Script()->SetText("");
    AnswerFileDialog(Path("script1.sd"));
    Click(5);
    EXPECT_EQ(Script()->Text(), "CPY\r\n");
}

TEST_F(Export, EmptyScriptBoxWritesEmptyFileAndKeepsWorkState) {
    MessageBoxes boxes(QMessageBox::Ok);
    AnswerFileDialog(Path("empty.sd"));
    Click(6);
    EXPECT_EQ(ReadBytes(Path("empty.sd")), QByteArray());
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].text, "已导出 empty.sd 。");
    EXPECT_EQ(Work()->Tag(), "");
}

TEST_F(Export, CancelWritesNothingAndSaysNothing) {
    MessageBoxes boxes(QMessageBox::Ok);
    AnswerFileDialog(QString());
    Click(1);
    EXPECT_TRUE(boxes.seen.empty());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(Export, FailedWriteSaysNothingAndChangesNothing) {
    Work()->SetText("text");
    Work()->SetTag("/remembered.txt");
    MessageBoxes boxes(QMessageBox::Yes);
    AnswerFileDialog(Path("no such folder/a.txt"));
    Click(1);
    EXPECT_TRUE(boxes.seen.empty());
    EXPECT_EQ(Work()->Text(), "text");
    EXPECT_EQ(Work()->Tag(), "/remembered.txt");
    EXPECT_FALSE(QFileInfo::exists(Path("no such folder")));
}

using Reimport = Fixture;

TEST_F(Reimport, ReadsRememberedFileInCodePage936AndDropsEdits) {
    WriteBytes(Path("gbk.txt"), kGbkChinese);
    AnswerFileDialog(Path("gbk.txt"));
    Click(0);
    EXPECT_NE(Work()->Text(), "中文\r\n测试"); // garbled as UTF-8
    Work()->SetText("edited");
    // Export elsewhere: the remembered path stays the imported file.
    MessageBoxes boxes(QMessageBox::Ok);
    AnswerFileDialog(Path("b.txt"));
    Click(1);
    Click(2);
    EXPECT_EQ(Work()->Text(), "中文\r\n测试");
    EXPECT_EQ(Work()->Tag(), Path("gbk.txt"));
}

TEST_F(Reimport, WithoutRememberedFileDoesNothing) {
    Work()->SetText("x");
    Click(2); // disabled: a click does nothing
    w.Command1_Click(2);
    EXPECT_EQ(Work()->Text(), "x");
}

struct DropCase {
    const char* file;
    bool onWork;
    bool imported;
};

TEST_F(Fixture, DropImportsOnlyMatchingEndingOnEachBox) {
    const DropCase cases[] = {
        {"Notes.Txt", true, true}, {"x.sd", true, false},       {"x.txt", false, false},
        {"X.SD", false, true},     {".hidden.txt", true, true}, {"missing.txt", true, false},
    };
    for (const auto& c : cases) {
        frmMain window;
        if (QString(c.file) != "missing.txt") WriteBytes(Path(c.file), "内容 of " + QByteArray(c.file));
        auto* box = Box(&window, c.onWork ? "TextBoxW1" : "TextBoxW3");
        box->SetText("before");
        DropOn(box, {Path(c.file)});
        EXPECT_EQ(box->Text(), c.imported ? "内容 of " + QString(c.file) : QString("before")) << c.file;
        const bool workImport = c.onWork && c.imported;
        EXPECT_EQ(Find<QPushButton>(&window, "Command1(2)")->isEnabled(), workImport) << c.file;
        EXPECT_EQ(Box(&window, "TextBoxW1")->Tag(), workImport ? Path(c.file) : QString()) << c.file;
    }
}

TEST_F(Fixture, DropOfTwoFilesImportsTheFirstOnly) {
    WriteBytes(Path("one.txt"), "one");
    WriteBytes(Path("two.txt"), "two");
    DropOn(Work(), {Path("one.txt"), Path("two.txt")});
    EXPECT_EQ(Work()->Text(), "one");
    EXPECT_EQ(Work()->Tag(), Path("one.txt"));
}

} // namespace
