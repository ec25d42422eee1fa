import QtQuick
import Velk.Design

// One titled block of the component gallery.
Column {
    id: root
    property string title
    default property alias content: body.data

    width: parent ? parent.width : implicitWidth
    spacing: VDS.Space.s

    VelkTechSectionTitle {
        title: root.title
    }
    Flow {
        id: body
        width: root.width
        spacing: VDS.Space.m
    }
}
