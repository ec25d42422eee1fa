import QtQuick
import Velk.Design
import Velk.Shell

// Holds one section's screen for the life of the window. Only the selected
// host is visible, in front and reachable by pointer and keyboard; the
// others keep their screens' state while hidden. Hosts cross-fade on the
// spring of how the section was chosen.
Item {
    id: host
    required property string name
    required property SectionNavigator navigator
    readonly property bool selected: navigator.selection === name
    readonly property var spring: navigator.transition === "screen" ? Motion.sectionScreen : Motion.sectionRow

    objectName: "section." + name
    opacity: selected ? 1 : 0
    z: selected ? 1 : 0
    enabled: selected
    visible: opacity > 0

    Behavior on opacity {
        SpringAnimation {
            spring: host.spring.spring
            damping: host.spring.damping
            mass: host.spring.mass
            epsilon: 0.005
        }
    }
}
