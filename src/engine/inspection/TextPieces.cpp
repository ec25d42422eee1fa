#include "engine/inspection/TextPieces.h"

namespace velk::inspection::textpieces {

QStringList splitLimited(const QString& text, QChar separator, int maxSplits)
{
    QStringList pieces;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != separator)
            continue;
        const bool appended = i > start;
        if (appended)
            pieces.append(text.mid(start, i - start));
        start = i + 1;
        if (appended && pieces.size() == maxSplits)
            break;
    }
    if (start < text.size())
        pieces.append(text.mid(start));
    return pieces;
}

QString trimmedOf(const QString& text, const QString& characters)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && characters.contains(text[begin]))
        ++begin;
    while (end > begin && characters.contains(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

} // namespace velk::inspection::textpieces
