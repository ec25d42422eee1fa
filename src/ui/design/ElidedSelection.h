#pragma once

#include <QString>

namespace velk::design {

// The part of `full` that the selection [start, end) of `shown` stands for,
// where `shown` is `full` cut in one or more places: stretches of it in
// order, an ellipsis between each two, the first beginning `full` and the
// last ending it. A selection that takes in an ellipsis takes in all that
// was cut out there. When `shown` is not such a cut of `full`,
// the selected text of `shown` itself. The left-to-right isolate of a line
// (shownLine) may surround `shown`.
QString elidedSelectionSource(const QString& full, const QString& shown, qsizetype start, qsizetype end);

} // namespace velk::design
