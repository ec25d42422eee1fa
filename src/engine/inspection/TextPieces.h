#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

namespace velk::inspection::textpieces {

// Splits at `separator` at most `maxSplits` times, leaving out empty pieces;
// empty pieces do not count as splits, and what follows the last split is
// kept whole.
QStringList splitLimited(const QString& text, QChar separator, int maxSplits);

// `text` without any of `characters` at either end.
QString trimmedOf(const QString& text, const QString& characters);

} // namespace velk::inspection::textpieces
