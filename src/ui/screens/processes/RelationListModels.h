#pragma once

#include "engine/monitor/ProcessRelations.h"
#include "common/lists/KeyedListModel.h"

#include <QtQml/qqmlregistration.h>

namespace velk::screens {

// The local processes a process talks to over loopback, keyed by pid:
// roles pid, name, user, bundlePath (empty outside a bundle) and ports
// (":5432 :6379").
class PeerListModel : public lists::KeyedListModel<monitor::ProcessRelations::Peer, qint32> {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The process detail owns its lists.")
public:
    explicit PeerListModel(QObject* parent = nullptr);

protected:
    qint32 keyOf(const monitor::ProcessRelations::Peer& peer) const override { return peer.proc.pid; }
    QVariant value(const monitor::ProcessRelations::Peer& peer, int column) const override;
};

// The remote hosts a process is connected to, keyed by host: roles host and
// count (connections).
class RemoteHostListModel : public lists::KeyedListModel<monitor::ProcessRelations::RemoteHost, QString> {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The process detail owns its lists.")
public:
    explicit RemoteHostListModel(QObject* parent = nullptr);

protected:
    QString keyOf(const monitor::ProcessRelations::RemoteHost& host) const override { return host.host; }
    QVariant value(const monitor::ProcessRelations::RemoteHost& host, int column) const override;
};

// ":5432 :6379": each port after a colon, single spaces between.
QString peerPortsText(const std::vector<int>& ports);

} // namespace velk::screens
