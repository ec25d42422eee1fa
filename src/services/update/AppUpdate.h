#pragma once

#include <QMetaType>
#include <QObject>
#include <QString>
#include <QUrl>

namespace velk {

// One offered release: its version exactly as the manifest gives it, where
// its disk image is, and its release notes (possibly empty). The version is
// its identity; two offers are equal when all three fields are.
struct AppUpdate {
    Q_GADGET
    Q_PROPERTY(QString version MEMBER version CONSTANT)
    Q_PROPERTY(QUrl url MEMBER url CONSTANT)
    Q_PROPERTY(QString notes MEMBER notes CONSTANT)
    Q_PROPERTY(QString id READ id CONSTANT)

public:
    QString version;
    QUrl url;
    QString notes;

    QString id() const { return version; }
    friend bool operator==(const AppUpdate&, const AppUpdate&) = default;
};

// The outcome of a check the user asked for, shown in an alert: either the
// program is up to date or the server could not be reached. The message is
// fixed in the language in force when the check ended; the title follows
// the current language.
struct UpdateStatusAlert {
    Q_GADGET
    Q_PROPERTY(Kind kind MEMBER kind CONSTANT)
    Q_PROPERTY(QString message MEMBER message CONSTANT)
    Q_PROPERTY(QString titleZh READ titleZh CONSTANT)
    Q_PROPERTY(QString titleEn READ titleEn CONSTANT)
    Q_PROPERTY(QString id READ id CONSTANT)

public:
    enum class Kind { UpToDate, Failed };
    Q_ENUM(Kind)

    Kind kind = Kind::UpToDate;
    QString message;

    static UpdateStatusAlert upToDate(QString message) { return {Kind::UpToDate, std::move(message)}; }
    static UpdateStatusAlert failed(QString message) { return {Kind::Failed, std::move(message)}; }

    // The title pair: Chinese first, English second.
    QString titleZh() const;
    QString titleEn() const;
    QString id() const { return message; }
    friend bool operator==(const UpdateStatusAlert&, const UpdateStatusAlert&) = default;
};

} // namespace velk

Q_DECLARE_METATYPE(velk::AppUpdate)
Q_DECLARE_METATYPE(velk::UpdateStatusAlert)
