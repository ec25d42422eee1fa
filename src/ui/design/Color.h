#pragma once

#include <QColor>
#include <QStringView>

namespace velk::design {

// Builds a colour from a hexadecimal text such as "#F4F1EB", "FFF" or
// "80FF0000" (alpha first). Never fails: characters that are not letters or
// digits are trimmed from both ends, digits are read up to the first
// character that is not a hexadecimal digit, and a length other than 3, 6 or
// 8 gives opaque black.
QColor colorFromHex(QStringView text);

// `color` with its opacity multiplied by `opacity`.
QColor withOpacity(QColor color, double opacity);

} // namespace velk::design
