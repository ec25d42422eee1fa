#include "ui/design/ElidedSelection.h"

#include "common/format/Formatting.h"

#include <QStringList>

#include <algorithm>
#include <optional>
#include <vector>

namespace velk::design {
namespace {

struct Range {
    qsizetype from = 0;
    qsizetype to = 0;
};

// Where each stretch of `shown` between ellipses begins in `shown` and in
// `full`, when `shown` is `full` cut in one or more places: its first
// stretch begins `full`, its last one ends it, and the others follow in
// order. None when `shown` is no such cut.
struct Stretch {
    qsizetype shownFrom = 0;
    qsizetype fullFrom = 0;
    qsizetype size = 0;
};

std::optional<std::vector<Stretch>> stretchesOf(const QString& full, const QString& shown)
{
    const QStringList parts = shown.split(QChar(0x2026));
    if (parts.size() < 2)
        return std::nullopt;
    std::vector<Stretch> stretches;
    qsizetype shownAt = 0;
    qsizetype fullAt = 0;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts.at(i);
        qsizetype found = -1;
        if (i == 0)
            found = full.startsWith(part) ? 0 : -1;
        else if (i == parts.size() - 1)
            found = full.endsWith(part) && full.size() - part.size() > fullAt ? full.size() - part.size() : -1;
        else
            found = full.indexOf(part, fullAt + 1);
        if (found < 0 || (i > 0 && found <= fullAt))
            return std::nullopt;
        stretches.push_back({shownAt, found, part.size()});
        shownAt += part.size() + 1;
        fullAt = found + part.size();
    }
    return stretches;
}

// The range of `full` that the selection [start, end) of `shown` stands for
// when `shown` is `full` itself or `full` cut; none otherwise. A selection
// that takes in an ellipsis takes in all that it stands for.
std::optional<Range> sourceRange(const QString& full, const QString& shown, qsizetype start, qsizetype end)
{
    if (shown == full)
        return Range{start, end};
    const auto stretches = stretchesOf(full, shown);
    if (!stretches)
        return std::nullopt;
    const auto source = [&](qsizetype at) {
        for (const Stretch& stretch : *stretches)
            if (at <= stretch.shownFrom + stretch.size)
                return stretch.fullFrom + std::max<qsizetype>(0, at - stretch.shownFrom);
        return full.size();
    };
    return Range{source(start), source(end)};
}

} // namespace

QString elidedSelectionSource(const QString& full, const QString& shownText, qsizetype start, qsizetype end)
{
    // The left-to-right isolate a line is shown in (shownLine) is no part
    // of the name.
    QString shown = shownText;
    if (shown.size() >= 2 && shown.front() == QChar(0x2066) && shown.back() == QChar(0x2069)) {
        shown = shown.sliced(1, shown.size() - 2);
        --start;
        --end;
    }
    start = std::clamp<qsizetype>(start, 0, shown.size());
    end = std::clamp<qsizetype>(end, start, shown.size());
    // Where each character of `full` begins in the text shown for it, where
    // a character that acts on text is written out ("\n", "<U+202E>").
    QString visible;
    std::vector<qsizetype> begins;
    begins.reserve(std::size_t(full.size()) + 1);
    for (const QChar c : full) {
        begins.push_back(visible.size());
        visible += fmt::shownName(QString(c));
    }
    begins.push_back(visible.size());
    const auto range = sourceRange(visible, shown, start, end);
    if (!range)
        return shown.mid(start, end - start);
    // A selection that takes in part of a written-out character takes in
    // that character.
    const auto first = std::upper_bound(begins.begin(), begins.end(), range->from) - begins.begin() - 1;
    const auto last = std::lower_bound(begins.begin(), begins.end(), range->to) - begins.begin();
    return full.mid(first, std::max<qsizetype>(0, last - first));
}

} // namespace velk::design
