import QtQuick
import Velk.Design

// Like the clean button with a magnifying glass; grey, with a spinner, and
// ignoring clicks while scanning. No minimum width.
CleanButton {
    property bool isScanning: false

    idleSymbol: "magnifyingglass"
    isLoading: isScanning
    disabledFill: SystemColors.secondary
    leftPadding: 24
    rightPadding: 24
    topPadding: 11
    bottomPadding: 11
    implicitWidth: implicitContentWidth + leftPadding + rightPadding
    greyed: isScanning
}
