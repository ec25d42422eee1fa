pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Velk.Design
import Velk.Models
import Velk.SystemJunk

// The scrolling list under the summary bar: the categories in their four
// groups. Rows change in place as categories finish and selections change.
Flickable {
    id: root
    required property SystemJunkViewModel viewModel
    required property SystemJunkScreen screen

    clip: true
    contentWidth: width
    contentHeight: groupsColumn.implicitHeight + 2 * VDS.Space.m
    boundsBehavior: Flickable.StopAtBounds
    ScrollBar.vertical: ScrollBar { policy: ScrollBar.AsNeeded }

    Column {
        id: groupsColumn
        x: VDS.Space.l
        y: VDS.Space.m
        width: root.width - 2 * VDS.Space.l
        spacing: VDS.Space.ms

        Repeater {
            model: root.screen.groups
            delegate: JunkCategoryGroup {
                id: group
                required property string key
                required property string groupTitle
                required property string groupEnglishTitle
                required property double totalSize
                required property double selectedSize
                required property JunkGroupRows rows
                required property bool expanded

                objectName: "systemJunk.group"
                width: groupsColumn.width
                title: Lang.t(group.groupTitle, group.groupEnglishTitle)
                isExpanded: group.expanded
                totalBytes: group.totalSize
                selectedBytes: group.selectedSize
                onToggleExpanded: root.screen.toggleGroupExpanded(group.key)

                Repeater {
                    model: group.rows
                    delegate: CategoryListRow {
                        id: row
                        width: group.width - 22
                        onToggleAll: (selected) => root.viewModel.toggleSelectAll(row.categoryId, selected)
                    }
                }
            }
        }
    }
}
