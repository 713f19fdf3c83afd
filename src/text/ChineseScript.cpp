#include "text/ChineseScript.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <array>
#include <cstdio>
#include <memory>
#include <opencc/DictEntry.hpp>
#include <opencc/Lexicon.hpp>
#include <opencc/MarisaDict.hpp>
#include <span>

namespace telmo {
namespace {

// A character that converts to code page 936 and back to itself. ICU's "GB2312" is a narrower
// table than the code page; "GBK" is the one that matches it.
bool InCodePage936(char16_t c) {
    if (c < 0x80) return true;
    QStringEncoder encoder("GBK");
    const QByteArray bytes = encoder.encode(QStringView(&c, 1));
    if (encoder.hasError()) return false;
    QStringDecoder decoder("GBK");
    const QString back = decoder.decode(bytes);
    return !decoder.hasError() && back.size() == 1 && back[0] == QChar(c);
}

struct FixUp {
    char16_t from[2];
    char16_t to[2];
};

// Words the character mapping gets wrong; replaced before the mapping, in this order. No result of
// one of them starts or ends another, so a single left-to-right pass does the same.
constexpr FixUp kToSimplifiedFixUps[] = {{{u'乾', u'净'}, {u'干', u'净'}}, {{u'乾', u'淨'}, {u'干', u'净'}}};
constexpr FixUp kToTraditionalFixUps[] = {
    {{u'干', u'净'}, {u'乾', u'淨'}}, {{u'乾', u'净'}, {u'乾', u'淨'}}, {{u'头', u'发'}, {u'頭', u'髮'}},
    {{u'毛', u'发'}, {u'毛', u'髮'}}, {{u'理', u'发'}, {u'理', u'髮'}},
};

std::span<const FixUp> FixUpsFor(ScriptDirection direction) {
    if (direction == ScriptDirection::ToSimplified) return kToSimplifiedFixUps;
    return kToTraditionalFixUps;
}

struct ScriptTable {
    std::array<char16_t, 0x10000> map{};
    std::array<bool, 0x10000> startsFixUp{};
    bool loaded = false;
    QString error;
};

QString DataDir() {
    const QString fromEnv = qEnvironmentVariable("TELMO_OPENCC_DATA_DIR");
    return fromEnv.isEmpty() ? QStringLiteral(TELMO_OPENCC_DATA_DIR) : fromEnv;
}

// Reads the first candidate of every one-character entry into the table.
bool ReadDictionary(const QString& path, ScriptTable& table) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(QFile::encodeName(path).constData(), "rb"),
                                               &std::fclose);
    if (!file) {
        table.error = QStringLiteral("cannot open the character dictionary %1").arg(path);
        return false;
    }
    try {
        const opencc::MarisaDictPtr dict = opencc::MarisaDict::NewFromFile(file.get());
        const opencc::LexiconPtr lexicon = dict->GetLexicon();
        for (const auto& entry : *lexicon) {
            const QString key = QString::fromStdString(entry->Key());
            if (key.size() != 1 || entry->NumValues() == 0) continue;
            const QString value = QString::fromStdString(entry->GetDefault());
            // a form outside the Basic Multilingual Plane would change the length of the text
            if (value.size() != 1 || value[0].isSurrogate()) continue;
            const char16_t from = key[0].unicode(), to = value[0].unicode();
            if (from == to || !InCodePage936(from) || !InCodePage936(to)) continue;
            table.map[from] = to;
        }
    } catch (const std::exception& e) {
        table.error = QStringLiteral("cannot read the character dictionary %1: %2").arg(path, e.what());
        return false;
    } catch (...) {
        table.error = QStringLiteral("cannot read the character dictionary %1").arg(path);
        return false;
    }
    return true;
}

std::unique_ptr<ScriptTable> LoadTable(ScriptDirection direction) {
    auto table = std::make_unique<ScriptTable>();
    for (char32_t c = 0; c < 0x10000; ++c) table->map[c] = static_cast<char16_t>(c);
    const QString file = direction == ScriptDirection::ToSimplified ? QStringLiteral("TSCharacters.ocd2")
                                                                    : QStringLiteral("STCharacters.ocd2");
    table->loaded = ReadDictionary(DataDir() + u'/' + file, *table);
    if (!table->loaded)
        for (char32_t c = 0; c < 0x10000; ++c) table->map[c] = static_cast<char16_t>(c);
    for (const FixUp& f : FixUpsFor(direction)) table->startsFixUp[f.from[0]] = true;
    return table;
}

const ScriptTable& Table(ScriptDirection direction) {
    static const std::unique_ptr<ScriptTable> toSimplified = LoadTable(ScriptDirection::ToSimplified);
    static const std::unique_ptr<ScriptTable> toTraditional = LoadTable(ScriptDirection::ToTraditional);
    return direction == ScriptDirection::ToSimplified ? *toSimplified : *toTraditional;
}

QString Convert(const QString& text, ScriptDirection direction, bool withFixUps) {
    const ScriptTable& table = Table(direction);
    const std::span<const FixUp> fixUps = FixUpsFor(direction);
    const qsizetype n = text.size();
    const QChar* in = text.constData();
    QString out(n, Qt::Uninitialized);
    QChar* o = out.data();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = in[i].unicode();
        if (withFixUps && table.startsFixUp[c] && i + 1 < n) {
            const FixUp* hit = nullptr;
            for (const FixUp& f : fixUps)
                if (c == f.from[0] && in[i + 1] == f.from[1]) hit = &f;
            if (hit) {
                // the second character of a fix-up never starts another one
                o[i] = table.map[hit->to[0]];
                o[i + 1] = table.map[hit->to[1]];
                ++i;
                continue;
            }
        }
        o[i] = table.map[c];
    }
    return out;
}

} // namespace

QString MapChineseScript(const QString& text, ScriptDirection direction) {
    return Convert(text, direction, false);
}

QString TraditionalToSimplified(const QString& text) {
    return Convert(text, ScriptDirection::ToSimplified, true);
}

QString SimplifiedToTraditional(const QString& text) {
    return Convert(text, ScriptDirection::ToTraditional, true);
}

bool ChineseScriptAvailable(ScriptDirection direction, QString* error) {
    const ScriptTable& table = Table(direction);
    if (!table.loaded && error) *error = table.error;
    return table.loaded;
}

} // namespace telmo
