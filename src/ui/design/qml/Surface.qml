import QtQuick

// Content padded on all edges over a drawn background, the base of the cards
// and glass panels. A surface only decorates: it takes no presses, so a
// handler beneath it still gets them. Its implicit size is its single
// child's implicit size plus the padding; with several children, size it.
Item {
    id: root
    property real padding: 0
    property real leftPadding: padding
    property real rightPadding: padding
    property real topPadding: padding
    property real bottomPadding: padding
    property Item background
    default property alias contentData: body.data
    readonly property Item contentItem: body
    readonly property real availableWidth: Math.max(0, width - leftPadding - rightPadding)
    readonly property real availableHeight: Math.max(0, height - topPadding - bottomPadding)
    readonly property real implicitContentWidth: body.children.length === 1 ? body.children[0].implicitWidth : 0
    readonly property real implicitContentHeight: body.children.length === 1 ? body.children[0].implicitHeight : 0

    implicitWidth: implicitContentWidth + leftPadding + rightPadding
    implicitHeight: implicitContentHeight + topPadding + bottomPadding

    onBackgroundChanged: {
        if (!background)
            return
        background.parent = root
        background.z = -1
        background.anchors.fill = root
    }

    Item {
        id: body
        x: root.leftPadding
        y: root.topPadding
        width: root.availableWidth
        height: root.availableHeight
    }
}
