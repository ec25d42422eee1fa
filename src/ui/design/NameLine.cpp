#include "ui/design/NameLine.h"

#include "common/format/Formatting.h"

#include <QStringList>
#include <QTextBoundaryFinder>

namespace velk::design {
namespace {

constexpr QChar kLeftToRightIsolate(0x2066);
constexpr QChar kPopDirectionalIsolate(0x2069);
constexpr QChar kEllipsis(0x2026);

QString isolated(const QString& line)
{
    return kLeftToRightIsolate + line + kPopDirectionalIsolate;
}

// The name as shown, a piece for each character as a reader sees one (a
// letter with its marks, a surrogate pair, CR LF); a character that acts on
// text is such a piece of its own, so each written-out one is one piece.
QStringList shownPieces(const QString& name)
{
    QStringList pieces;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, name);
    qsizetype from = 0;
    while (finder.toNextBoundary() > 0) {
        const qsizetype to = finder.position();
        pieces.append(fmt::shownName(name.mid(from, to - from)));
        from = to;
    }
    return pieces;
}

// `kept` pieces around an ellipsis: the first ones for a shortened end, the
// first and the last ones, about as many of each, for a shortened middle.
QString shortened(const QStringList& pieces, qsizetype kept, Qt::TextElideMode mode)
{
    const qsizetype head = mode == Qt::ElideMiddle ? (kept + 1) / 2 : kept;
    const qsizetype tail = kept - head;
    QString line;
    for (qsizetype i = 0; i < head; ++i)
        line += pieces.at(i);
    line += kEllipsis;
    for (qsizetype i = pieces.size() - tail; i < pieces.size(); ++i)
        line += pieces.at(i);
    return line;
}

} // namespace

QString shownLine(const QString& name)
{
    return isolated(fmt::shownName(name));
}

QString fittedLine(const QString& name, qreal width, Qt::TextElideMode mode, const TextAdvance& advance)
{
    const QString whole = fmt::shownName(name);
    if ((mode != Qt::ElideRight && mode != Qt::ElideMiddle) || width <= 0 || advance(whole) <= width)
        return isolated(whole);
    const QStringList pieces = shownPieces(name);
    // The most pieces that fit beside the ellipsis; none when even the
    // ellipsis alone is too wide.
    qsizetype fits = 0;
    qsizetype tooMany = pieces.size();
    while (tooMany - fits > 1) {
        const qsizetype kept = fits + (tooMany - fits) / 2;
        if (advance(shortened(pieces, kept, mode)) <= width)
            fits = kept;
        else
            tooMany = kept;
    }
    return isolated(shortened(pieces, fits, mode));
}

} // namespace velk::design
