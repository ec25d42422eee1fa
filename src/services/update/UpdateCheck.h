#pragma once

#include "services/update/AppUpdate.h"
#include "services/update/InstallError.h"

#include "platform/core/Executor.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QUrl>
#include <functional>
#include <optional>

class QObject;

// The update manifests, versions and the installer. Network work runs on
// the executor; every asynchronous operation calls its handler on the main
// thread, and drops the call when `context` (if given) is destroyed first.
namespace velk::UpdateCheck {

using OfferHandler = std::function<void(std::optional<AppUpdate>)>;
using platform::core::Priority;

// This build's version.
QString localVersion();

// Base address of the update server: the build's configured one (https)
// unless setServerBase() chose another.
QUrl serverBase();
// Points the update check at another server, for tests and probes. Accepted
// when it is https, or plain http on a loopback address; false otherwise
// (nothing changes).
bool setServerBase(const QUrl& base);
// The one rule for every address the update check asks, follows or offers
// (manifests, their redirects, the disk image): an absolute address with a
// host, https always; plain http only while the update server itself is a
// loopback address, and then only to a loopback address.
bool isAcceptableAddress(const QUrl& url);
// `url` as failure details and logs write it: without its user name and
// password.
QString loggableAddress(const QUrl& url);

// "/download/update.json" then "/download/latest.json" on the server.
QList<QUrl> feedURLs();
// "/download/latest.json" alone.
QUrl feed();
// A URL on the update server with the given path.
QUrl serverURL(const QString& path);

// Dot-separated parts; empty pieces dropped, a piece that is not a base-10
// integer reads as 0.
QList<qint64> parts(const QString& version);
// Whether `candidate` is strictly newer than `reference`, part by part,
// missing parts counting as 0.
bool isNewer(const QString& candidate, const QString& reference);
// Release notes of a manifest: "notes" if a string, else "releaseNotes" as a
// string or as a list of strings joined by newlines, else empty.
QString notes(const QJsonObject& manifest);
// Decodes one manifest; nothing for anything but a JSON object with a text
// "version" and a text "url" that parses and is an acceptable address (an
// offer the installer would refuse is no offer).
std::optional<AppUpdate> decode(const QByteArray& manifest);
// The manifest's offer when it is newer than `current`; sends nothing.
std::optional<AppUpdate> parse(const QByteArray& manifest, const QString& current);

// How long and how much the network work may take.
struct NetworkLimits {
    // A manifest request ends this long after it was sent, however steadily
    // its answer arrives.
    int manifestDeadlineMs = 8000;
    // A manifest body longer than this yields nothing; reading stops as soon
    // as the body passes it.
    qint64 manifestByteLimit = 1 << 20;
    // A download fails when fewer than `downloadMinimumBytes` arrive in any
    // `downloadWindowMs` (the first window includes the wait for the answer).
    int downloadWindowMs = 60000;
    qint64 downloadMinimumBytes = 64 * 1024;
    // A disk image larger than this (1 GiB) fails the install: a declared
    // length before its body, else at its first byte past it.
    qint64 imageByteLimit = qint64(1) << 30;
};
// The limits in force: the defaults above unless setNetworkLimits() chose
// others.
NetworkLimits networkLimits();
// Other limits, for tests and probes; requests already sent keep theirs.
void setNetworkLimits(const NetworkLimits& limits);

// Nothing is cached anywhere, so there is nothing to clear.
void clearFeedURLCache();
// Requests one manifest at `priority` (with a fresh "t" query and the two
// headers, within the manifest deadline and byte limit, read only up to that
// limit as it arrives); nothing on any fault, and for a feed that is no
// acceptable address. An automatic check asks at background priority, one
// the user asked for at user-initiated priority.
void loadManifest(const QUrl& feedURL, QObject* context, OfferHandler handler,
                  Priority priority = Priority::UserInitiated);
// Asks the feeds one after the other and keeps the newest offer (the earlier
// feed wins a tie); nothing when no feed gave one.
void fetch(QObject* context, OfferHandler handler, Priority priority = Priority::UserInitiated);
// As fetch(), but only an offer newer than this build.
void available(QObject* context, OfferHandler handler, Priority priority = Priority::UserInitiated);

// Outcome of an install: nothing on success (the application has been asked
// to end), else why it failed; the application keeps running.
using InstallHandler = std::function<void(std::optional<InstallError>)>;
// Downloads (at user-initiated priority, see NetworkLimits), mounts and
// stages the update, starts the install script and
// asks the application to end. Returns false, and does nothing, while
// another install runs.
bool install(const AppUpdate& update, QObject* context, InstallHandler handler);
// Whether an install is running.
bool isInstalling();

} // namespace velk::UpdateCheck
