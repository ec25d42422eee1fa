#pragma once

#include <QObject>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

namespace velk::settings {

// `SupportLinks` in QML: the project's repository page and issue tracker
// page, shared by the Settings page and the support bar, and the way to open
// them in the user's browser.
class SupportLinks : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QUrl repository READ repository CONSTANT)
    Q_PROPERTY(QUrl feedback READ feedback CONSTANT)

public:
    using QObject::QObject;

    static QUrl repository();
    static QUrl feedback();

    // Opens `url` in the default browser; false when nothing could be started.
    Q_INVOKABLE bool open(const QUrl& url) const;
};

} // namespace velk::settings
