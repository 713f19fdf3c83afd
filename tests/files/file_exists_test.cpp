// Which paths count as existing text files for the import and export commands.
#include "files/TextFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

class FileExistsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        for (const char* name : {"plain.txt", "readonly.txt", ".hidden.txt"}) {
            QFile f(dir.filePath(name));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("x");
        }
        QFile::setPermissions(dir.filePath("readonly.txt"), QFile::ReadOwner | QFile::ReadGroup);
        QDir(dir.path()).mkdir("folder");
        QDir(dir.path()).mkdir(".hiddenfolder");
        QFile::link(dir.filePath("plain.txt"), dir.filePath("link.txt"));
        QFile::link(dir.filePath("gone.txt"), dir.filePath("dangling.txt"));
        QFile::link(dir.filePath("loop.txt"), dir.filePath("loop.txt"));
        mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0600);
        QFile inner(dir.filePath(".hiddenfolder/inner.txt"));
        ASSERT_TRUE(inner.open(QIODevice::WriteOnly));
    }
    QTemporaryDir dir;
};

TEST_F(FileExistsTest, OrdinaryFilesExistEverythingElseDoesNot) {
    const struct {
        QString path;
        bool exists;
    } cases[] = {
        {"plain.txt", true},
        {"readonly.txt", true},
        {"link.txt", true},                // a link to an ordinary file is that file
        {".hiddenfolder/inner.txt", true}, // only the file's own name decides
        {".hidden.txt", false},
        {"folder", false},
        {"missing.txt", false},
        {"dangling.txt", false},
        {"pipe", false},
        {"plain.txt/below.txt", false}, // a file used as a folder: simply not there
        {"missing/below.txt", false},
    };
    for (const auto& c : cases) {
        const auto r = telmo::FileExists(dir.filePath(c.path));
        ASSERT_TRUE(r.ok) << c.path.toStdString() << ": " << r.error.toStdString();
        EXPECT_EQ(r.exists, c.exists) << c.path.toStdString();
    }
    const auto empty = telmo::FileExists(QString());
    EXPECT_TRUE(empty.ok);
    EXPECT_FALSE(empty.exists);
}

TEST_F(FileExistsTest, AFailedLookupIsAFailureNotAnAnswer) {
    const QString cases[] = {
        dir.filePath("loop.txt"),         // a link pointing at itself
        dir.filePath(QString(300, u'n')), // a name longer than the file system allows
        dir.filePath(QStringLiteral("a") + QChar(0) + "b"),
    };
    for (const QString& path : cases) {
        const auto r = telmo::FileExists(path);
        EXPECT_FALSE(r.ok) << path.left(60).toStdString();
        EXPECT_FALSE(r.error.isEmpty());
    }
}

} // namespace
