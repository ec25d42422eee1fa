#include "engine/cleaning/LeftoverMatcher.h"

#include <algorithm>

namespace velk::cleaning {
namespace {

constexpr qsizetype kMinimumKey = 3;

QString usableKey(const QString& key)
{
    const QString lower = key.toLower();
    const bool onlyDots = std::all_of(lower.cbegin(), lower.cend(), [](QChar c) { return c == u'.'; });
    return lower.size() < kMinimumKey || onlyDots ? QString() : lower;
}

void addUsableKeys(QStringList& keys, const LeftoverMatcher::Keys& app)
{
    for (const QString& key : {usableKey(app.name), usableKey(app.identifier)}) {
        if (!key.isEmpty())
            keys << key;
    }
}

// Whether the character at UTF-16 index `at` of `text` (none outside it)
// is a letter or a digit; a surrogate is read with its other half.
bool letterOrDigitAt(const QString& text, qsizetype at)
{
    if (at < 0 || at >= text.size())
        return false;
    const QChar c = text.at(at);
    if (c.isLowSurrogate() && at > 0 && text.at(at - 1).isHighSurrogate())
        return QChar::isLetterOrNumber(QChar::surrogateToUcs4(text.at(at - 1), c));
    if (c.isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate())
        return QChar::isLetterOrNumber(QChar::surrogateToUcs4(c, text.at(at + 1)));
    return c.isLetterOrNumber();
}

bool containsWhole(const QString& text, const QString& key)
{
    for (qsizetype at = text.indexOf(key); at >= 0; at = text.indexOf(key, at + 1)) {
        if (!letterOrDigitAt(text, at - 1) && !letterOrDigitAt(text, at + key.size()))
            return true;
    }
    return false;
}

} // namespace

LeftoverMatcher::LeftoverMatcher(const Keys& app, const QList<Keys>& others)
{
    addUsableKeys(m_keys, app);
    for (const Keys& other : others)
        addUsableKeys(m_otherKeys, other);
    m_otherKeys.removeDuplicates();
    std::stable_sort(m_otherKeys.begin(), m_otherKeys.end(),
                     [](const QString& a, const QString& b) { return a.size() > b.size(); });
}

bool LeftoverMatcher::matches(const QString& entryName) const
{
    const QString lower = entryName.toLower();
    qsizetype longest = 0;
    for (const QString& key : m_keys) {
        if (key.size() > longest && containsWhole(lower, key))
            longest = key.size();
    }
    if (longest == 0)
        return false;
    for (const QString& key : m_otherKeys) {
        if (key.size() <= longest)
            break;
        if (containsWhole(lower, key))
            return false;
    }
    return true;
}

} // namespace velk::cleaning
