pragma ComponentBehavior: Bound
import QtQuick
import Velk.Design
import Velk.Processes

// The process's parent and children (rows that select them), the local
// processes it talks to over loopback and the remote hosts it is connected
// to; each section only with content, a dash when there is none at all.
VelkCard {
    id: root
    required property ProcessDetailModel detail

    Column {
        width: root.availableWidth
        spacing: 12

        VelkText {
            width: parent.width
            text: Lang.t("关联与连接", "Relations & Connections")
            textFormat: Text.PlainText
            font: VDS.font(12, Font.Medium)
            color: VDS.C.text2
            elide: Text.ElideRight
        }
        VelkText {
            objectName: "processes.detail.relations.none"
            visible: !root.detail.hasRelations
            text: "—"
            textFormat: Text.PlainText
            font: VDS.font(11.5, Font.Normal, true)
            color: VDS.C.text4
        }

        ProcessRelationSection {
            objectName: "processes.detail.parent"
            width: parent.width
            visible: root.detail.hasParent
            title: Lang.t("父进程", "Parent")
            processes: root.detail.parents
            onSelected: (pid) => root.detail.select(pid)
        }
        ProcessRelationSection {
            objectName: "processes.detail.children"
            width: parent.width
            visible: root.detail.listedChildCount > 0
            title: Lang.t("子进程 (" + Format.decimal(root.detail.childCount) + ")",
                          "Children (" + Format.decimal(root.detail.childCount) + ")")
            processes: root.detail.children
            onSelected: (pid) => root.detail.select(pid)
        }

        Column {
            objectName: "processes.detail.peers"
            width: parent.width
            visible: root.detail.peerCount > 0
            spacing: 6

            ProcessRelationTitle {
                objectName: "processes.detail.peers.title"
                text: Lang.t("本地通信 (" + Format.decimal(root.detail.peerCount) + ")",
                             "Local Peers (" + Format.decimal(root.detail.peerCount) + ")")
            }
            Repeater {
                model: root.detail.peers
                delegate: Item {
                    id: peer
                    required property int pid
                    required property string name
                    required property string user
                    required property string bundlePath
                    required property string ports
                    readonly property int key: pid
                    objectName: "processes.peer.row"
                    width: parent.width
                    implicitHeight: peerRow.implicitHeight + 6

                    ProcessIcon {
                        id: peerIcon
                        anchors.verticalCenter: parent.verticalCenter
                        size: 16
                        user: peer.user
                        bundlePath: peer.bundlePath
                    }
                    VelkNameText {
                        id: peerRow
                        anchors.verticalCenter: parent.verticalCenter
                        x: peerIcon.width + 8
                        width: parent.width - x - peerPorts.width - 8
                        name: peer.name
                        font: VDS.font(11.5, Font.Normal)
                        color: VDS.C.text1
                    }
                    VelkText {
                        id: peerPorts
                        objectName: "processes.peer.ports"
                        anchors.verticalCenter: parent.verticalCenter
                        anchors.right: parent.right
                        text: peer.ports
                        textFormat: Text.PlainText
                        font: VDS.font(10, Font.Medium, true)
                        color: VDS.C.accent
                    }
                }
            }
        }

        Column {
            objectName: "processes.detail.remote"
            width: parent.width
            visible: root.detail.listedRemoteHostCount > 0
            spacing: 6

            ProcessRelationTitle {
                objectName: "processes.detail.remote.title"
                text: Lang.t("远端主机 (" + Format.decimal(root.detail.remoteHostCount) + ")",
                             "Remote (" + Format.decimal(root.detail.remoteHostCount) + ")")
            }
            Repeater {
                model: root.detail.remoteHosts
                delegate: Item {
                    id: remote
                    required property string host
                    required property int count
                    readonly property string key: host
                    objectName: "processes.remote.row"
                    width: parent.width
                    implicitHeight: badge.implicitHeight + 4

                    SymbolIcon {
                        id: globe
                        anchors.verticalCenter: parent.verticalCenter
                        name: "globe"
                        size: 11
                        color: VDS.C.text3
                    }
                    VelkNameText {
                        anchors.verticalCenter: parent.verticalCenter
                        x: globe.width + 8
                        width: parent.width - x - badge.width - 8
                        name: remote.host
                        font: VDS.font(11, Font.Normal, true)
                        color: VDS.C.text2
                    }
                    VelkBadge {
                        id: badge
                        objectName: "processes.remote.count"
                        anchors.verticalCenter: parent.verticalCenter
                        anchors.right: parent.right
                        text: Format.decimal(remote.count)
                        color: VDS.C.text2
                        monospaced: true
                    }
                }
            }
        }
    }
}
