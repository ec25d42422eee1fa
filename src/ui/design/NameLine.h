#pragma once

#include <QString>
#include <QStringView>
#include <Qt>
#include <functional>

namespace velk::design {

// A name, path or command line the program did not write, on a line of its
// own: written out as fmt::shownName does ("<U+202E>", "\n"), inside a
// left-to-right isolate. The line reads left to right in both languages and
// lines up with its neighbours whatever letter the name begins with, and a
// name in Hebrew or Arabic letters is ordered as in its path.
QString shownLine(const QString& name);

// How wide a text is drawn.
using TextAdvance = std::function<qreal(QStringView)>;

// shownLine(name), shortened with an ellipsis at its end (Qt::ElideRight) or
// in its middle (Qt::ElideMiddle) until `advance` says it fits `width`.
// Shortening takes away whole characters only, and written-out ones
// ("<U+202E>", "\t") last: the characters around them are cut first, in
// one place if that is enough, else around each of them. A letter with its
// marks goes or stays as one. A width of 0 or less, or Qt::ElideNone,
// shortens nothing.
QString fittedLine(const QString& name, qreal width, Qt::TextElideMode mode, const TextAdvance& advance);

} // namespace velk::design
