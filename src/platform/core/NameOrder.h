#pragma once

#include <QCollator>
#include <QLocale>
#include <QStringView>

namespace velk::platform::core {

// Orders names as lists of applications and processes do: by the rules of
// the default locale, letter case ignored, digits compared one by one.
// Negative, zero or positive as `a` sorts before, with or after `b`; names
// that differ only in case compare equal. Safe from any thread (each thread
// has a collator of its own).
int compareCaseInsensitive(QStringView a, QStringView b);

// Orders names as the file browser does: letter case ignored and runs of
// digits compared by their value ("file2" before "file10"), by the rules of
// the system locale. The C locale's collation knows no numeric order, so a
// system left at C is ordered by English rules. Reentrant, not thread-safe:
// make one per thread.
class LocalizedStandardCompare {
public:
    explicit LocalizedStandardCompare(const QLocale& systemLocale = QLocale::system());

    // Negative, zero or positive as `a` sorts before, with or after `b`.
    int operator()(QStringView a, QStringView b) const { return m_collator.compare(a, b); }
    bool ascending(QStringView a, QStringView b) const { return m_collator.compare(a, b) < 0; }

private:
    QCollator m_collator;
};

} // namespace velk::platform::core
