import QtQuick
import Velk.Models

// The Large Files section.
Item {
    id: root
    required property LargeFilesViewModel viewModel
    required property DesktopActions desktop
    objectName: "largeFiles"
}
