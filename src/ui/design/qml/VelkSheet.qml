import QtQuick
import Velk.Design

// A sheet the owner declares and presents by setting `presented`. It opens
// as a modal window of its own, centred over the owner's window, so a sheet
// larger than that window is never cut off; it stays inside the free part
// of the screen, no larger than that. Escape, wherever the focus is in it,
// and closing the window dismiss it; `closed` follows every ending once.
// The content goes inside:
//
//     VelkSheet {
//         objectName: "settings.legalSheet"
//         presented: root.legalDocument.length > 0
//         sheetWidth: 754; sheetHeight: 610
//         onClosed: root.legalDocument = ""
//         LegalReader { anchors.fill: parent }
//     }
SheetPresentation {
    id: root
    property int sheetWidth: 480
    property int sheetHeight: 360
    property string title
    default property alias content: body.data

    // Where the sheet lies, taken each time it opens.
    readonly property rect placement: shown ? place(sheetWidth, sheetHeight) : Qt.rect(0, 0, sheetWidth, sheetHeight)

    sheetWindow: sheet

    Window {
        id: sheet
        objectName: "sheet.window"
        transientParent: root.Window.window
        modality: Qt.WindowModal
        flags: Qt.Dialog
        title: root.title
        x: root.placement.x
        y: root.placement.y
        width: root.placement.width
        height: root.placement.height
        minimumWidth: root.placement.width
        maximumWidth: root.placement.width
        minimumHeight: root.placement.height
        maximumHeight: root.placement.height
        color: VDS.C.bg0
        visible: root.shown

        onClosing: root.dismiss()

        FocusRing { }

        Item {
            id: body
            anchors.fill: parent
            Accessible.role: Accessible.Dialog
            Accessible.name: root.title

            // A focused item that keeps the window's shortcuts from the keys
            // (a read-only text the user clicked to select a line) passes
            // Escape on unused: wherever the focus is in the content, it
            // ends here and closes the sheet as the shortcut would. A key
            // the shortcut took never arrives.
            Keys.onEscapePressed: root.dismiss()

            // Inside the content, so an alert shown over the sheet takes
            // the key first.
            Shortcut {
                sequence: "Escape"
                enabled: root.shown
                onActivated: root.dismiss()
            }
        }
    }
}
