#include "ui/design/ElidedSelection.h"

#include <algorithm>

namespace velk::design {

QString elidedSelectionSource(const QString& full, const QString& shown, qsizetype start, qsizetype end)
{
    start = std::clamp<qsizetype>(start, 0, shown.size());
    end = std::clamp<qsizetype>(end, start, shown.size());
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
        return shown.mid(start, end - start);
    // A position inside the ellipsis moves out to the side that keeps the
    // middle inside the selection.
    const auto source = [&](qsizetype at, bool isEnd) {
        if (at <= head)
            return at;
        if (at >= ellipsisEnd)
            return full.size() - (shown.size() - at);
        return isEnd ? full.size() - tail : head;
    };
    const qsizetype from = source(start, false);
    return full.mid(from, source(end, true) - from);
}

} // namespace velk::design
