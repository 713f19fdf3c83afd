#include "text/ChineseScript.h"

#include <array>
#include <span>

namespace telmo {
namespace script_tables {
// Generated at build time from OpenCC's character dictionaries (tools/GenScriptTables.cpp).
extern const char16_t kToSimplified[0x10000];
extern const char16_t kToTraditional[0x10000];
} // namespace script_tables

namespace {

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

// Which characters start a fix-up, so the mapping loop looks at the fix-ups only there.
struct FixUpStarts {
    std::array<bool, 0x10000> starts{};
    explicit FixUpStarts(std::span<const FixUp> fixUps) {
        for (const FixUp& f : fixUps) starts[f.from[0]] = true;
    }
};

const char16_t* MapFor(ScriptDirection direction) {
    return direction == ScriptDirection::ToSimplified ? script_tables::kToSimplified
                                                      : script_tables::kToTraditional;
}

const FixUpStarts& StartsFor(ScriptDirection direction) {
    static const FixUpStarts toSimplified(kToSimplifiedFixUps);
    static const FixUpStarts toTraditional(kToTraditionalFixUps);
    return direction == ScriptDirection::ToSimplified ? toSimplified : toTraditional;
}

QString Convert(const QString& text, ScriptDirection direction, bool withFixUps) {
    const char16_t* map = MapFor(direction);
    const std::array<bool, 0x10000>& startsFixUp = StartsFor(direction).starts;
    const std::span<const FixUp> fixUps = FixUpsFor(direction);
    const qsizetype n = text.size();
    const QChar* in = text.constData();
    QString out(n, Qt::Uninitialized);
    QChar* o = out.data();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = in[i].unicode();
        if (withFixUps && startsFixUp[c] && i + 1 < n) {
            const FixUp* hit = nullptr;
            for (const FixUp& f : fixUps)
                if (c == f.from[0] && in[i + 1] == f.from[1]) hit = &f;
            if (hit) {
                // the second character of a fix-up never starts another one
                o[i] = map[hit->to[0]];
                o[i + 1] = map[hit->to[1]];
                ++i;
                continue;
            }
        }
        o[i] = map[c];
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

} // namespace telmo
