import QtQuick
import QtQuick.Templates as T
import Velk.Design

// Accent action button with a sparkles symbol (a spinner while loading);
// grey while disabled. Ignores clicks while loading or disabled.
T.Button {
    id: root
    property bool isLoading: false
    property bool isDisabled: false
    property string idleSymbol: "sparkles"
    property color idleFill: SystemColors.accent
    property color disabledFill: VDS.withOpacity(SystemColors.secondary, 0.3)
    property bool greyed: isDisabled

    enabled: !isLoading && !isDisabled
    leftPadding: 20
    rightPadding: 20
    topPadding: 10
    bottomPadding: 10
    implicitWidth: Math.max(160, implicitContentWidth + leftPadding + rightPadding)
    implicitHeight: implicitContentHeight + topPadding + bottomPadding

    Accessible.name: root.text
    Accessible.onPressAction: ButtonPress.click(root)

    contentItem: Item { // qmllint disable deferred-property-id
        implicitWidth: row.implicitWidth
        implicitHeight: row.implicitHeight
        Row {
            id: row
            anchors.centerIn: parent
            spacing: 8
            Item {
                width: 16
                height: 16
                anchors.verticalCenter: parent.verticalCenter
                Spinner {
                    objectName: "cleanButton.spinner"
                    anchors.centerIn: parent
                    visible: root.isLoading
                    color: "white"
                }
                SymbolIcon {
                    anchors.centerIn: parent
                    visible: !root.isLoading
                    name: root.idleSymbol
                    size: VDS.TypeScale.body
                    color: "white"
                }
            }
            Text {
                Accessible.ignored: true
                anchors.verticalCenter: parent.verticalCenter
                text: root.text
                textFormat: Text.PlainText
                font: VDS.body(Font.DemiBold)
                color: "white"
            }
        }
    }
    background: Rectangle {
        objectName: "cleanButton.fill"
        radius: 10
        color: root.greyed ? root.disabledFill : root.idleFill
    }
}
