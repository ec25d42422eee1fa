#pragma once

#include "common/format/Formatting.h"

#include <QDateTime>
#include <QFont>
#include <QObject>
#include <QString>
#include <QtQml/qqml.h>

namespace velk::design {

// `Format` in QML: every number and date the views show, formatted once in
// C++ (QML never formats a number itself). Texts with words follow the
// interface language, and a binding that calls one of them re-evaluates when
// the language changes.
class Formatter : public QObject {
    Q_OBJECT
    QML_NAMED_ELEMENT(Format)
    QML_SINGLETON
public:
    using QObject::QObject;

    // Byte counts: "12.3 MB" (1000-based); memory and binary (1024-based).
    Q_INVOKABLE QString bytes(double value) const;
    Q_INVOKABLE QString memoryBytes(double value) const;
    Q_INVOKABLE QString binaryBytes(double value) const;
    // "%.Nf": "0.12" for (0.125, 2), rounding exactly as C does.
    Q_INVOKABLE QString fixed(double value, int digits) const;
    // A fraction 0…1 as a whole percentage, halves away from zero: "43%".
    Q_INVOKABLE QString percent(double fraction) const;
    // A count grouped with ",": "1,234,567".
    Q_INVOKABLE QString count(double value) const;
    // A whole number in plain decimal, as ids and ports are written:
    // "1234567"; rounded to the nearest integer, "—" when no finite number.
    Q_INVOKABLE QString decimal(double value) const;
    // A fraction 0…1 as a percentage with `digits` decimals, rounding as C
    // does: "12.3%" for (0.123, 1); "—" when no finite number.
    Q_INVOKABLE QString fixedPercent(double fraction, int digits) const;
    // Seconds since boot: "1h 1m" / "1 小时 1 分钟".
    Q_INVOKABLE QString uptime(double seconds) const;
    // `date` relative to the platform clock's now: "3 min. ago" / "3分钟前".
    Q_INVOKABLE QString relativeDate(const QDateTime& date) const;
    // A medium date with a short time: "Dec 8, 2026 at 9:05 PM".
    Q_INVOKABLE QString mediumDateTime(const QDateTime& date) const;
    // A key sequence (an action's `shortcut`: text or a standard key) as
    // this platform writes it in menus: "Ctrl+Shift+S"; empty for none.
    Q_INVOKABLE QString shortcut(const QVariant& sequence) const;
    // The local day, "2026/12/08", the same in both languages; empty for an
    // invalid date.
    Q_INVOKABLE QString numericDate(const QDateTime& date) const;
    // A name, path or command line the program did not write, as shown:
    // characters that would turn or split the text around it appear as
    // "\n" or "<U+202E>".
    Q_INVOKABLE QString shownName(const QString& name) const;
    // The same on a line of its own: laid out left to right whatever letter
    // it begins with, so that it lines up with its neighbours.
    Q_INVOKABLE QString shownLine(const QString& name) const;
    // `prefix` (text the program wrote) and shownLine(name) shortened to
    // `width` in `font`, at its end (Text.ElideRight) or in its middle
    // (Text.ElideMiddle), around whole characters: a written-out "<U+202E>"
    // is never cut.
    Q_INVOKABLE QString fittedLine(const QString& name, const QFont& font, qreal width, int elide,
                                   const QString& prefix = {}) const;

private:
    // The interface language, registered as a dependency of the binding
    // that is being evaluated, if any.
    fmt::Lang language() const;
};

} // namespace velk::design
