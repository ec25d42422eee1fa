#include "common/format/Formatting.h"

namespace velk::fmt {
namespace {

// Characters that would act on the text around them instead of being read:
// the direction embeddings, overrides, isolates and marks, the control
// characters (C0, DEL, C1), and the line and paragraph separators, which
// split a line as a newline does.
bool actsOnText(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F
        || (c >= 0x2028 && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

void appendVisibly(QString& out, char32_t c)
{
    switch (c) {
    case U'\n': out += QLatin1String("\\n"); return;
    case U'\t': out += QLatin1String("\\t"); return;
    case U'\r': out += QLatin1String("\\r"); return;
    default:
        out += QStringLiteral("<U+%1>").arg(static_cast<uint>(c), 4, 16, QLatin1Char('0')).toUpper();
    }
}

} // namespace

QString shownName(const QString& name)
{
    QString out;
    out.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar unit = name.at(i);
        // Only characters of the Basic Multilingual Plane act on the text;
        // a surrogate pair is copied as it is.
        if (!unit.isSurrogate() && actsOnText(unit.unicode()))
            appendVisibly(out, unit.unicode());
        else
            out += unit;
    }
    return out;
}

QString isolatedName(const QString& name)
{
    if (name.isEmpty())
        return {};
    return QChar(0x2068) + shownName(name) + QChar(0x2069);
}

} // namespace velk::fmt
