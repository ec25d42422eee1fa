#include "ui/design/NameLine.h"

#include "common/format/Formatting.h"

#include <QList>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <optional>

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
struct Piece {
    QString shown;
    bool writtenOut = false;  // a character that acts on text, written out
};

QList<Piece> shownPieces(const QString& name)
{
    QList<Piece> pieces;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, name);
    qsizetype from = 0;
    while (finder.toNextBoundary() > 0) {
        const qsizetype to = finder.position();
        const QString own = name.mid(from, to - from);
        const QString shown = fmt::shownName(own);
        pieces.append({shown, shown != own});
        from = to;
    }
    return pieces;
}

// `kept` pieces around an ellipsis: the first ones for a shortened end, the
// first and the last ones, about as many of each, for a shortened middle.
QString shortened(const QList<Piece>& pieces, qsizetype kept, Qt::TextElideMode mode)
{
    const qsizetype head = mode == Qt::ElideMiddle ? (kept + 1) / 2 : kept;
    const qsizetype tail = kept - head;
    QString line;
    for (qsizetype i = 0; i < head; ++i)
        line += pieces.at(i).shown;
    line += kEllipsis;
    for (qsizetype i = pieces.size() - tail; i < pieces.size(); ++i)
        line += pieces.at(i).shown;
    return line;
}

// The name with every written-out character kept and each stretch of other
// characters around them cut to its first and last `kept` pieces (the last
// stretch to its first ones only when the end is shortened).
QString shortenedAround(const QList<Piece>& pieces, qsizetype kept, Qt::TextElideMode mode)
{
    QString line;
    qsizetype i = 0;
    while (i < pieces.size()) {
        if (pieces.at(i).writtenOut) {
            line += pieces.at(i++).shown;
            continue;
        }
        qsizetype end = i;
        while (end < pieces.size() && !pieces.at(end).writtenOut)
            ++end;
        const qsizetype tail = mode == Qt::ElideRight && end == pieces.size() ? 0 : kept;
        if (end - i <= kept + tail) {
            for (; i < end; ++i)
                line += pieces.at(i).shown;
            continue;
        }
        for (qsizetype k = i; k < i + kept; ++k)
            line += pieces.at(k).shown;
        line += kEllipsis;
        for (qsizetype k = end - tail; k < end; ++k)
            line += pieces.at(k).shown;
        i = end;
    }
    return line;
}

// The most pieces kept, from `fits` (known to fit) up to `tooMany` (known
// not to), for which `line(kept)` fits `width`.
template<typename Line>
qsizetype mostKept(qsizetype fits, qsizetype tooMany, qreal width, const TextAdvance& advance, const Line& line)
{
    while (tooMany - fits > 1) {
        const qsizetype kept = fits + (tooMany - fits) / 2;
        if (advance(line(kept)) <= width)
            fits = kept;
        else
            tooMany = kept;
    }
    return fits;
}

// The name with the pieces [from, to) cut out for an ellipsis.
QString cutOut(const QList<Piece>& pieces, qsizetype from, qsizetype to)
{
    QString line;
    for (qsizetype i = 0; i < from; ++i)
        line += pieces.at(i).shown;
    line += kEllipsis;
    for (qsizetype i = to; i < pieces.size(); ++i)
        line += pieces.at(i).shown;
    return line;
}

// One cut that leaves every written-out character whole: the shortest
// stretch of other characters around whose middle (or, at a shortened end,
// from whose last piece) the line fits; none when no stretch can give
// enough.
std::optional<QString> oneCutAround(const QList<Piece>& pieces, Qt::TextElideMode mode, qreal width,
                                    const TextAdvance& advance)
{
    std::optional<QString> best;
    qsizetype bestCut = 0;
    for (qsizetype start = 0; start < pieces.size();) {
        if (pieces.at(start).writtenOut) {
            ++start;
            continue;
        }
        qsizetype end = start;
        while (end < pieces.size() && !pieces.at(end).writtenOut)
            ++end;
        const bool usable = mode == Qt::ElideMiddle || end == pieces.size();
        const auto line = [&](qsizetype cut) {
            const qsizetype from = mode == Qt::ElideMiddle ? start + (end - start - cut) / 2 : end - cut;
            return cutOut(pieces, from, from + cut);
        };
        if (usable && advance(line(end - start)) <= width) {
            // The fewest pieces cut: the most kept of the stretch.
            const qsizetype kept = mostKept(0, end - start, width, advance,
                                            [&](qsizetype k) { return line(end - start - k); });
            const qsizetype cut = end - start - kept;
            if (!best || cut < bestCut) {
                best = line(cut);
                bestCut = cut;
            }
        }
        start = end;
    }
    return best;
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
    const QList<Piece> pieces = shownPieces(name);
    // A written-out character tells the reader what the name holds: the
    // characters around it go first, in one cut if one is enough, else
    // around each of them; only when even that is too wide does the name
    // lose it too.
    const bool hasWrittenOut = std::any_of(pieces.begin(), pieces.end(), [](const Piece& p) { return p.writtenOut; });
    const auto around = [&](qsizetype kept) { return shortenedAround(pieces, kept, mode); };
    if (hasWrittenOut) {
        if (const std::optional<QString> line = oneCutAround(pieces, mode, width, advance))
            return isolated(*line);
        if (advance(around(0)) <= width)
            return isolated(around(mostKept(0, pieces.size(), width, advance, around)));
    }
    const auto plain = [&](qsizetype kept) { return shortened(pieces, kept, mode); };
    return isolated(plain(mostKept(0, pieces.size(), width, advance, plain)));
}

} // namespace velk::design
