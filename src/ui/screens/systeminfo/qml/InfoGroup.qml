pragma ComponentBehavior: Bound
import QtQuick
import Velk.Design
import Velk.SystemInfo

// A titled group of the System Info screen: the title over label/value
// rows, the label at the leading edge and the value at the trailing edge,
// wrapping when it does not fit. `idealWidth` is what the widest row (label,
// a gap of 21, value) or the title needs on one line.
Column {
    id: group
    required property string title
    required property InfoRowListModel rows
    // The object name of the rows; NAME[KEY] finds one.
    property string rowName
    readonly property real idealWidth: Math.ceil(Math.max(heading.implicitWidth, rowList.widest))

    spacing: VDS.Space.s

    VelkText {
        id: heading
        objectName: group.objectName + ".title"
        text: group.title
        textFormat: Text.PlainText
        font: VDS.caption()
        color: VDS.C.text2
    }

    Column {
        id: rowList
        // Recomputed whenever a row's own width changes.
        property real widest: 0

        function measure() {
            let w = 0
            for (let i = 0; i < repeater.count; ++i) {
                const row = repeater.itemAt(i) as InfoLine
                if (row)
                    w = Math.max(w, row.idealWidth)
            }
            widest = w
        }

        width: group.width
        spacing: VDS.Space.xxs

        Repeater {
            id: repeater
            model: group.rows
            onItemAdded: rowList.measure()
            onItemRemoved: rowList.measure()

            delegate: InfoLine {
                required property string key
                required property string labelZh
                required property string labelEn
                required property string valueZh
                required property string valueEn

                objectName: group.rowName
                width: rowList.width
                label: Lang.t(labelZh, labelEn)
                value: Lang.t(valueZh, valueEn)
                onIdealWidthChanged: rowList.measure()
            }
        }
    }
}
