import QtQuick
import Velk.Design
import Velk.Settings

// Plain text the user can select and copy, wrapped to its width, with
// `lineSpacing` pixels between its lines. A screen reader reads it as a
// static text named by what it shows, as VelkText; hidden, it leaves the
// accessibility tree.
TextEdit {
    id: root
    property real lineSpacing: 0

    Accessible.role: Accessible.StaticText
    Accessible.name: text
    Accessible.ignored: !visible

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
