#pragma once

#include <QString>
#include <QStringList>

namespace velk::cleaning {

// Tells which entries of the Library folders are the leftovers of one
// application, by their names.
//
// An application's keys are its name and its bundle identifier, lowercased;
// a key shorter than three characters, or made only of dots, is part of far
// too many unrelated names and matches nothing. A key matches a name where
// it occurs with no letter or digit right before or after it: "com.qa" in
// "group.com.qa" and "com.qa.plist", not in "com.qab".
//
// Names of installed applications often hold one another ("Pixel" and
// "Pixel Forge", "com.acme.pixel" and "com.acme.pixel.forge"), so a name
// that another installed application matches by a longer key than any of
// this application's is that application's, not this one's: uninstalling
// Pixel leaves "Pixel Forge" alone.
class LeftoverMatcher {
public:
    struct Keys {
        QString name;
        QString identifier;
    };

    // `app` is the application whose leftovers are looked for; `others` are
    // the other installed applications.
    LeftoverMatcher(const Keys& app, const QList<Keys>& others);

    bool matches(const QString& entryName) const;

private:
    QStringList m_keys;       // this application's usable keys
    QStringList m_otherKeys;  // the other applications' usable keys, longest first
};

} // namespace velk::cleaning
