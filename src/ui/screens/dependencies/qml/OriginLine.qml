import QtQuick
import Velk.Design
import Velk.Dependencies

// One address the file was downloaded from, cut in the middle; it can be
// selected, and a copy gives the part of the full address it stands for.
Item {
    id: root
    property string address
    required property FileDependencyAnalysis analysis
    property string key: root.address

    objectName: "largeFiles.dependencies.origin"
    implicitHeight: line.implicitHeight

    TextInput {
        id: line
        objectName: "largeFiles.dependencies.origin.text"
        width: parent.width
        readOnly: true
        selectByMouse: true
        text: Format.fittedLine(root.address, line.font, root.width, Text.ElideMiddle)
        horizontalAlignment: TextInput.AlignLeft
        font: VDS.font(11, Font.Normal, true)
        color: VDS.C.text2
        selectionColor: VDS.withOpacity(VDS.C.accent, 0.35)
        selectedTextColor: VDS.C.text1
        Keys.onPressed: (event) => {
            if (!event.matches(StandardKey.Copy))
                return
            event.accepted = true
            root.analysis.copyShown(root.address, text, selectionStart, selectionEnd)
        }
    }
}
