import QtQuick
import Velk.Design
import Velk.Settings

// Plain text the user can select and copy, wrapped to its width, with
// `lineSpacing` pixels between its lines.
TextEdit {
    id: root
    property real lineSpacing: 0

    readOnly: true
    selectByMouse: true
    persistentSelection: false
    activeFocusOnPress: true
    textFormat: TextEdit.PlainText
    wrapMode: TextEdit.Wrap
    selectionColor: VDS.C.accent
    selectedTextColor: VDS.C.onAccent

    LineSpacing {
        document: root.textDocument
        spacing: root.lineSpacing
    }
}
