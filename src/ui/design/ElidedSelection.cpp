#include "ui/design/ElidedSelection.h"

#include "common/format/Formatting.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace velk::design {
namespace {

struct Range {
    qsizetype from = 0;
    qsizetype to = 0;
};

// The range of `full` that the selection [start, end) of `shown` stands for
// when `shown` is `full` itself or `full` cut in the middle; none otherwise.
std::optional<Range> sourceRange(const QString& full, const QString& shown, qsizetype start, qsizetype end)
{
    if (shown == full)
        return Range{start, end};
    // shown = full's first `head` characters, the ellipsis, full's last `tail`.
    qsizetype head = 0;
    while (head < shown.size() && head < full.size() && shown[head] == full[head])
        ++head;
    qsizetype tail = 0;
    while (tail < shown.size() - head && tail < full.size() - head
           && shown[shown.size() - 1 - tail] == full[full.size() - 1 - tail])
        ++tail;
    const qsizetype ellipsisEnd = shown.size() - tail;
    const QStringView ellipsis = QStringView(shown).sliced(head, ellipsisEnd - head);
    const bool isCut = !ellipsis.isEmpty() && head + tail < full.size()
        && std::all_of(ellipsis.begin(), ellipsis.end(), [](QChar c) { return c == u'\u2026' || c == u'.'; });
    if (!isCut)
        return std::nullopt;
    // A position inside the ellipsis moves out to the side that keeps the
    // middle inside the selection.
    const auto source = [&](qsizetype at, bool isEnd) {
        if (at <= head)
            return at;
        if (at >= ellipsisEnd)
            return full.size() - (shown.size() - at);
        return isEnd ? full.size() - tail : head;
    };
    return Range{source(start, false), source(end, true)};
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
