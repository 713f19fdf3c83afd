// Code page 936 through Qt's codec (Qt built with ICU).
#include "files/Cp936.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace telmo {

struct Cp936Decoder::State {
    QStringDecoder decoder{"GBK"};
};

Cp936Decoder::Cp936Decoder() : d(std::make_unique<State>()) {}
Cp936Decoder::~Cp936Decoder() = default;

bool Cp936Decoder::isValid() const {
    return d->decoder.isValid();
}

qsizetype Cp936Decoder::requiredSpace(qsizetype bytes) const {
    return d->decoder.requiredSpace(bytes);
}

QChar* Cp936Decoder::appendToBuffer(QChar* out, QByteArrayView bytes) {
    return d->decoder.appendToBuffer(out, bytes);
}

QByteArray EncodeCp936(QStringView text, bool* ok) {
    QStringEncoder encoder("GBK");
    QByteArray bytes = encoder.encode(text);
    if (ok) *ok = encoder.isValid() && !encoder.hasError();
    return bytes;
}

} // namespace telmo
