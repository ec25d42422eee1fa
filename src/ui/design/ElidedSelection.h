#pragma once

#include <QString>

namespace velk::design {

// The part of `full` that the selection [start, end) of `shown` stands for,
// where `shown` is `full` cut in the middle: a leading and a trailing part of
// it around an ellipsis. A selection that takes in the ellipsis takes in the
// whole middle that was cut out. When `shown` is not such a cut of `full`,
// the selected text of `shown` itself. The left-to-right isolate of a line
// (shownLine) may surround `shown`.
QString elidedSelectionSource(const QString& full, const QString& shown, qsizetype start, qsizetype end);

} // namespace velk::design
