import QtQuick
import Velk.Design
import Velk.Processes

// The selected process: the header, the CPU and memory cards, the metrics,
// then its listening ports and its relations. The header, the cards and the
// metrics draw nothing while the last tick did not sample the process; the
// ports card shows only with ports, the relations card once sockets were read.
Column {
    id: root
    required property ProcessDetailModel detail
    readonly property real cardWidth: width - leftPadding - rightPadding
    // The narrowest width at which every card shows whole: the metrics in a
    // row, the identity of the header, two resource cards side by side.
    readonly property real minimumWidth: leftPadding + rightPadding
        + Math.max(metrics.minimumWidth, header.minimumWidth, 2 * 120 + stats.spacing)

    // The header's terminate button: the screen confirms first.
    signal terminateRequested(int pid)

    padding: VDS.Space.l
    spacing: VDS.Space.m

    ProcessHeaderCard {
        id: header
        objectName: "processes.detail.header"
        width: root.cardWidth
        visible: root.detail.present
        detail: root.detail
        onTerminateRequested: root.terminateRequested(root.detail.pid)
    }

    Row {
        id: stats
        objectName: "processes.detail.stats"
        visible: root.detail.present
        spacing: VDS.Space.ms
        readonly property real cardWidth: (root.cardWidth - spacing) / 2

        ProcessResourceCard {
            objectName: "processes.detail.cpu"
            width: stats.cardWidth
            title: "CPU"
            value: root.detail.cpuText
            values: root.detail.cpuHistory
            color: VDS.C.accent
        }
        ProcessResourceCard {
            objectName: "processes.detail.memory"
            width: stats.cardWidth
            title: Lang.t("内存", "Memory")
            value: root.detail.memoryShareText
            subtitle: root.detail.memoryText
            values: root.detail.memoryHistory
            color: VDS.C.amber
        }
    }

    ProcessMetricsCard {
        id: metrics
        objectName: "processes.detail.metrics"
        width: root.cardWidth
        visible: root.detail.present
        detail: root.detail
    }

    ProcessPortsCard {
        objectName: "processes.detail.ports"
        width: root.cardWidth
        visible: root.detail.listeningPorts.length > 0
        ports: root.detail.listeningPorts
    }

    ProcessRelationsCard {
        objectName: "processes.detail.relations"
        width: root.cardWidth
        visible: root.detail.showsRelations
        detail: root.detail
    }
}
