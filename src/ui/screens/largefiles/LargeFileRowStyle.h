#pragma once

#include <QString>

namespace velk::screens::rowstyle {

// The symbol and colour role of a found item's kind, from the lower-cased
// extension of its path; an item without a known extension shows a folder
// or a document.
struct Kind {
    QString symbol;
    QString tone;  // a colour role of the palette: "accent", "amber" or "slate"
};
Kind kind(const QString& path, bool isDirectory);

// The colour role of a size: "accent" above 1,000,000,000 bytes, "amber"
// above 500,000,000, else "text1".
QString sizeTone(double bytes);

} // namespace velk::screens::rowstyle
