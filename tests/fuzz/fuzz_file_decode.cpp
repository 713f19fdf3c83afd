// Decoding arbitrary bytes as a text file, in UTF-8 and in code page 936 (GBK).
//   UTF-8: the file reader, and the device reader fed a few bytes at a time (as a pipe does), both
//   give exactly what decoding the whole input at once gives, a leading byte-order mark dropped.
//   GBK: nothing is lost: a text without U+FFFD encodes back to the very bytes it came from, and
//   every byte gives at most one UTF-16 unit.
// Option byte 1: how many bytes the device hands out per read (1 to 8).
#include "FuzzInput.h"
#include "files/TextFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <unistd.h>

using namespace telmo;

namespace {

// A pipe-like device: sequential, and never more than `step` bytes per read.
class TricklingDevice : public QIODevice {
public:
    TricklingDevice(QByteArrayView bytes, int step) : bytes_(bytes), step_(step) {}
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const qint64 n = std::min<qint64>({maxSize, step_, bytes_.size() - pos_});
        if (n > 0) std::memcpy(data, bytes_.data() + pos_, size_t(n));
        pos_ += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArrayView bytes_;
    qint64 pos_ = 0;
    int step_;
};

// In memory when the system offers a memory file system: rewriting a file on disk for every input
// costs milliseconds of waiting.
struct Scratch {
    QString path = (QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm") : QDir::tempPath()) +
                   QStringLiteral("/telmo-fuzz-decode-%1.txt").arg(qint64(::getpid()));
    ~Scratch() { QFile::remove(path); }
};

const QString& ScratchFile() {
    static const Scratch scratch;
    return scratch.path;
}

bool WriteScratch(QByteArrayView bytes) {
    QFile f(ScratchFile());
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes.data(), bytes.size()) == bytes.size();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Only the first byte's options are used; the bytes after it are the file, as they are.
    const int step = size > 0 ? 1 + data[0] % 8 : 1;
    const QByteArrayView bytes = size > 0 ? QByteArrayView(data + 1, qsizetype(size - 1)) : QByteArrayView();
    if (!WriteScratch(bytes)) return 0;

    const QByteArrayView body = bytes.startsWith("\xEF\xBB\xBF") ? bytes.sliced(3) : bytes;
    // Every mark after the first one is text and must stay; the oracle decoder keeps leading marks.
    QStringDecoder oracle(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    const QString expected = oracle.decode(body);

    const TextReadResult utf8 = ReadUtf8File(ScratchFile());
    FUZZ_CHECK(utf8.ok);
    FUZZ_CHECK(utf8.text == expected);

    TricklingDevice device(bytes, step);
    device.open(QIODevice::ReadOnly);
    const TextReadResult piped = ReadUtf8Device(device, QStringLiteral("pipe"));
    FUZZ_CHECK(piped.ok);
    FUZZ_CHECK(piped.text == expected);

    const TextReadResult gbk = ReadGb2312File(ScratchFile());
    FUZZ_CHECK(gbk.ok);
    FUZZ_CHECK(gbk.text.size() <= bytes.size());
    if (!gbk.text.contains(QChar::ReplacementCharacter)) {
        QStringEncoder encoder("GBK");
        const QByteArray back = encoder.encode(gbk.text);
        FUZZ_CHECK(!encoder.hasError() && back == bytes);
    }
    return 0;
}
