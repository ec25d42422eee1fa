pragma ComponentBehavior: Bound
import QtQuick
import Velk.Design
import Velk.Dashboard

// "Tools": a link to each of the other seven sections, two to a row.
Item {
    id: root
    property real topPadding: 0

    // A link was clicked: the window switches to the section (a case name).
    signal sectionRequested(string name)

    objectName: "dashboard.tools"
    implicitHeight: topPadding + column.implicitHeight

    Column {
        id: column
        y: root.topPadding
        width: root.width
        spacing: VDS.Space.s

        VelkText {
            text: Lang.t("工具", "Tools")
            textFormat: Text.PlainText
            font: VDS.font(12)
            color: VDS.C.text3
        }
        Grid {
            id: grid
            objectName: "dashboard.toolGrid"
            width: column.width
            columns: 2
            columnSpacing: VDS.Space.l
            rowSpacing: 0
            readonly property real cellWidth: Math.max(0, (width - columnSpacing) / 2)

            Repeater {
                model: HomeSections.tools
                HomeToolLink {
                    required property var modelData
                    width: grid.cellWidth
                    name: modelData.name
                    sectionId: modelData.id
                    onClicked: root.sectionRequested(name)
                }
            }
        }
    }
}
