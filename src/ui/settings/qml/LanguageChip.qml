import QtQuick
import QtQuick.Templates as T
import Velk.Design

// One language of the Settings page's language choice: its name, the same
// in both languages, on the selected fill while it is the interface
// language. Choosing it switches every text of every window at once.
T.AbstractButton {
    id: root
    required property string tag
    readonly property bool selected: LanguageManager.current === tag

    Accessible.name: text
    Accessible.onPressAction: ButtonPress.click(root)
    leftPadding: VDS.Space.s
    rightPadding: VDS.Space.s
    topPadding: VDS.Space.xxs
    bottomPadding: VDS.Space.xxs
    implicitWidth: implicitContentWidth + leftPadding + rightPadding
    implicitHeight: implicitContentHeight + topPadding + bottomPadding
    checked: selected

    onClicked: {
        if (!selected)
            LanguageManager.current = tag
    }

    contentItem: VelkText {
        // The chip carries it as its name.
        Accessible.ignored: true
        text: root.text
        textFormat: Text.PlainText
        maximumLineCount: 1
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        font: VDS.font(12, root.selected ? Font.DemiBold : Font.Medium)
        color: root.selected ? VDS.C.text1 : VDS.C.text3
    }
    background: Rectangle {
        objectName: "settings.chipFill"
        radius: VDS.Radius.xs
        color: root.selected ? VDS.C.sidebarSelected : "transparent"
        Behavior on color {
            ColorAnimation { duration: 180 }
        }
    }
}
