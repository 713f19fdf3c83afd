// A write that fails half-way, by a full disk or a killed writer, leaves the old file whole.
#include "files/TextFiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QByteArray kOld = "old content\r\n旧内容";

void Put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray Bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// A 1 MB tmpfs mounted for the test; needs the right to mount.
class TinyDisk {
public:
    explicit TinyDisk(const QString& where) : where_(where) {
        mounted_ = QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=1m", "tmpfs", where_}) == 0;
    }
    ~TinyDisk() {
        if (mounted_) QProcess::execute("umount", {where_});
    }
    bool mounted() const { return mounted_; }

private:
    QString where_;
    bool mounted_ = false;
};

TEST(AtomicWrite, AFullDiskLeavesTheOldFileWhole) {
    QTemporaryDir dir;
    TinyDisk disk(dir.path());
    if (!disk.mounted()) GTEST_SKIP() << "cannot mount a small tmpfs here (needs root)";
    const QString path = dir.filePath("old.txt");
    Put(path, kOld);
    const auto r = telmo::WriteUtf8File(QString(2'000'000, u'中'), path);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_EQ(Bytes(path), kOld);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"old.txt"})
        << "the unfinished copy must not stay behind";
}

TEST(AtomicWrite, AWriterKilledHalfWayLeavesTheOldFileWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath("old.txt");
    Put(path, kOld);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // About 210 MB of UTF-8.
        const auto r = telmo::WriteUtf8File(QString(70'000'000, u'中'), path);
        _exit(r.ok ? 0 : 1);
    }
    // Kill the writer once it has written a few megabytes. Its unfinished copy has no name (an
    // unlinked temporary file), so the child's own write count tells how far it got.
    auto written = [child] {
        QFile io(QStringLiteral("/proc/%1/io").arg(child));
        if (!io.open(QIODevice::ReadOnly)) return qint64(0);
        for (const QByteArray& line : io.readAll().split('\n'))
            if (line.startsWith("wchar:")) return line.mid(6).trimmed().toLongLong();
        return qint64(0);
    };
    bool seen = false;
    for (int i = 0; i < 20000 && !seen; ++i) {
        seen = written() > 8 * 1024 * 1024;
        if (!seen) QThread::usleep(500);
    }
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(seen) << "never saw the copy being written";
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer finished before it could be killed";
    EXPECT_EQ(Bytes(path), kOld);
}

} // namespace
