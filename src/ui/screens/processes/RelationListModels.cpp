#include "ui/screens/processes/RelationListModels.h"

namespace velk::screens {

PeerListModel::PeerListModel(QObject* parent)
    : KeyedListModel({"pid", "name", "user", "bundlePath", "ports"}, parent)
{
}

QVariant PeerListModel::value(const monitor::ProcessRelations::Peer& peer, int column) const
{
    switch (column) {
    case 0: return peer.proc.pid;
    case 1: return peer.proc.name;
    case 2: return peer.proc.user;
    case 3: return peer.proc.bundlePath().value_or(QString());
    default: return peerPortsText(peer.ports);
    }
}

RemoteHostListModel::RemoteHostListModel(QObject* parent)
    : KeyedListModel({"host", "count"}, parent)
{
}

QVariant RemoteHostListModel::value(const monitor::ProcessRelations::RemoteHost& host, int column) const
{
    return column == 0 ? QVariant(host.host) : QVariant(host.count);
}

QString peerPortsText(const std::vector<int>& ports)
{
    QStringList parts;
    for (const int port : ports)
        parts << u':' + QString::number(port);
    return parts.join(u' ');
}

} // namespace velk::screens
