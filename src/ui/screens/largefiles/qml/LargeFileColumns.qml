pragma Singleton
import QtQuick

// The widths the list header and the rows share, so their columns line up.
QtObject {
    readonly property real spacing: 12
    readonly property real icon: 22
    readonly property real size: 78
    readonly property real date: 82
    readonly property real button: 28
}
