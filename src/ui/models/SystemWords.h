#pragma once

#include "platform/locations/Locations.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

namespace velk::models {

// A text in both languages.
struct WordPair {
    QString zh;
    QString en;

    QString pick(bool english) const { return english ? en : zh; }
};

// The texts that name the operating system's own programs and folders: the
// file manager and the folders the system itself lives in. They follow the
// layout of the machine's folders, so a Linux desktop is never told about
// another system's programs or protections.
namespace systemwords {

using Layout = platform::locations::Locations::Layout;

// The layout of the locations service in force.
Layout currentLayout();

// The action that shows a file selected in the file manager.
WordPair revealInFileManager(Layout layout);

// The warning shown before files in the system's own folders are deleted.
// `folders` are the system folders the files lie in ("/usr", "/etc"); the
// macOS layout names its single one itself.
WordPair systemFilesNote(Layout layout, const QStringList& folders);

} // namespace systemwords

// The same words for the views, for the layout in force when the engine made
// it: `Lang.t(SystemWords.revealZh, SystemWords.revealEn)`.
class SystemWords : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QString revealZh READ revealZh CONSTANT)
    Q_PROPERTY(QString revealEn READ revealEn CONSTANT)
public:
    explicit SystemWords(QObject* parent = nullptr);

    QString revealZh() const { return m_reveal.zh; }
    QString revealEn() const { return m_reveal.en; }

private:
    WordPair m_reveal;
};

} // namespace velk::models
