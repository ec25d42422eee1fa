pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Templates as T
import Velk.Design
import Velk.Models
import Velk.Dashboard
import Velk.Settings
import Velk.SystemInfo

// Every shared component in its states, for review and screenshots.
Rectangle {
    id: root
    function t(zh, en) { return Lang.t(zh, en) }

    implicitWidth: VDS.Measure.windowWidth
    implicitHeight: page.implicitHeight + 2 * VDS.Space.l
    color: VDS.C.bg0

    Column {
        id: page
        x: VDS.Space.l
        y: VDS.Space.l
        width: root.width - 2 * VDS.Space.l
        spacing: VDS.Space.l

        PageHeader {
            width: parent.width
            title: root.t("组件库", "Components")
            subtitle: root.t("主题：", "Theme: ") + (ThemeManager.isCyber ? root.t("墨色", "Ink") : root.t("纸本", "Paper"))
            VelkGhostButton { text: root.t("刷新", "Refresh"); symbol: "arrow.clockwise" }
            VelkPrimaryButton { text: root.t("扫描", "Scan") }
        }

        GallerySection {
            title: root.t("调色板", "Palette")
            Repeater {
                model: ["bg0", "bg1", "bg2", "bg3", "bgElevated", "border", "borderStrong", "borderFaint",
                    "borderWarm", "text1", "text2", "text3", "text4", "accent", "orange", "amber", "slate",
                    "green", "red", "emerald", "teal", "purple", "pink", "sidebar", "sidebarHover",
                    "sidebarSelected", "hover", "onAccent", "onDanger"]
                GalleryCell {
                    id: swatch
                    required property string modelData
                    caption: modelData
                    Rectangle {
                        width: 55
                        height: 34
                        radius: VDS.Radius.xs
                        color: VDS.C[swatch.modelData]
                        border.width: 1
                        border.color: VDS.C.borderFaint
                    }
                }
            }
        }

        GallerySection {
            title: root.t("字号", "Type scale")
            Repeater {
                model: [["caption", VDS.caption()], ["body", VDS.body()], ["title", VDS.title()],
                    ["display", VDS.display()], ["hero", VDS.font(VDS.TypeScale.hero, Font.Medium)]]
                Text {
                    required property var modelData
                    text: modelData[0] + " " + root.t("清理", "Clean")
                    textFormat: Text.PlainText
                    font: modelData[1]
                    color: VDS.C.text1
                }
            }
            Text {
                text: "monospaced 0123456789"
                textFormat: Text.PlainText
                font: VDS.font(13, Font.Normal, true)
                color: VDS.C.text2
            }
        }

        GallerySection {
            title: root.t("表面", "Surfaces")
            GalleryCell {
                caption: "VelkCard"
                VelkCard {
                    Text { text: root.t("卡片内容", "Card content"); font: VDS.body(); color: VDS.C.text1 }
                }
            }
            GalleryCell {
                caption: "VelkTechPanel"
                VelkTechPanel {
                    width: 144
                    height: 55
                }
            }
            GalleryCell {
                caption: "VelkGlass"
                VelkGlass {
                    radius: VDS.Radius.s
                    Text { padding: 8; text: root.t("玻璃", "Glass"); font: VDS.body(); color: VDS.C.text1 }
                }
            }
            GalleryCell {
                caption: "VelkGlass capsule, tint red 10 %"
                VelkGlass {
                    capsule: true
                    tint: Qt.rgba(1, 0, 0, 0.1)
                    Text { leftPadding: 13; rightPadding: 13; topPadding: 5; bottomPadding: 5
                        text: root.t("胶囊", "Capsule"); font: VDS.body(); color: VDS.C.text1 }
                }
            }
            GalleryCell {
                caption: "VelkMetallicDivider inset 21"
                Item {
                    width: 300
                    height: 21
                    VelkMetallicDivider { anchors.verticalCenter: parent.verticalCenter; width: parent.width; inset: 21 }
                }
            }
            GalleryCell {
                caption: root.t("竖向分隔", "vertical divider")
                VelkMetallicDivider { axis: VelkMetallicDivider.Vertical; height: 55 }
            }
            GalleryCell {
                caption: "VelkTechSectionTitle / VelkTechIconFrame"
                Column {
                    width: 233
                    spacing: 5
                    VelkTechSectionTitle { title: root.t("存储", "Storage") }
                    Row {
                        spacing: 5
                        VelkTechIconFrame { systemName: "internaldrive" }
                        VelkTechIconFrame { systemName: "cpu" }
                        VelkTechIconFrame { systemName: "trash" }
                    }
                }
            }
            GalleryCell {
                caption: "VelkAppBackdrop + VelkMainGlass"
                Item {
                    width: 89
                    height: 55
                    VelkAppBackdrop { anchors.fill: parent; border.width: 1; border.color: VDS.C.border }
                    VelkMainGlass { anchors.fill: parent }
                    VelkScanlines { anchors.fill: parent }
                    VelkTechGridBackground { anchors.fill: parent }
                    VelkTechCornerBrackets { anchors.fill: parent }
                }
            }
        }

        GallerySection {
            title: root.t("按钮", "Buttons")
            GalleryCell { caption: "primary"; VelkPrimaryButton { text: root.t("开始扫描", "Start Scan") } }
            GalleryCell { caption: "primary pressed"; VelkPrimaryButton { text: root.t("开始扫描", "Start Scan"); down: true } }
            GalleryCell { caption: "primary gold"; VelkPrimaryButton { text: root.t("清理", "Clean"); gold: true } }
            GalleryCell { caption: "primary destructive"; VelkPrimaryButton { text: root.t("永久删除", "Delete"); destructive: true } }
            GalleryCell { caption: "destructive + gold"; VelkPrimaryButton { text: root.t("永久删除", "Delete"); destructive: true; gold: true } }
            GalleryCell { caption: "primary height 28"; VelkPrimaryButton { text: "28"; height: 28 } }
            GalleryCell { caption: "tinted"; VelkTintedButton { text: root.t("取消", "Cancel") } }
            GalleryCell { caption: "tinted pressed"; VelkTintedButton { text: root.t("取消", "Cancel"); down: true } }
            GalleryCell { caption: "tinted destructive"; VelkTintedButton { text: root.t("永久删除 (3)", "Delete (3)"); symbol: "trash.slash"; destructive: true } }
            GalleryCell { caption: "ghost"; VelkGhostButton { text: root.t("全选", "Select All") } }
            GalleryCell { caption: "ghost pressed"; VelkGhostButton { text: root.t("全选", "Select All"); down: true } }
        }

        GallerySection {
            title: root.t("表单控件", "Form controls")
            GalleryCell { caption: "checked"; VelkCheckbox { isChecked: true; onToggled: (checked) => isChecked = checked } }
            GalleryCell { caption: "unchecked"; VelkCheckbox { isChecked: false; onToggled: (checked) => isChecked = checked } }
            GalleryCell { caption: "non-interactive"; VelkCheckbox { isChecked: true; interactive: false } }
            GalleryCell { caption: "tint red"; VelkCheckbox { isChecked: true; tint: VDS.C.red; onToggled: (checked) => isChecked = checked } }
            GalleryCell { caption: "search empty"; VelkSearchField { placeholder: root.t("搜索", "Search") } }
            GalleryCell { caption: "search with text"; VelkSearchField { placeholder: root.t("搜索", "Search"); text: "Xcode" } }
            GalleryCell { caption: "search width 233"; VelkSearchField { width: 233; placeholder: root.t("搜索应用", "Search apps") } }
            GalleryCell { caption: "badge"; VelkBadge { text: root.t("系统", "System") } }
            GalleryCell { caption: "badge amber"; VelkBadge { text: "1.2 GB"; color: VDS.C.amber } }
            GalleryCell { caption: "badge height 21"; VelkBadge { text: root.t("正在使用", "In use"); color: VDS.C.red; height: 21 } }
        }

        GallerySection {
            title: root.t("滑块、分段、开关、菜单与提示", "Slider, segments, switch, menu, tooltip")
            GalleryCell {
                caption: "VelkSlider 1…5 step 0.5 at 2"
                VelkSlider { width: 233; from: 1; to: 5; stepSize: 0.5; value: 2 }
            }
            GalleryCell {
                caption: "VelkSlider small 10…500 at 250"
                VelkSlider { width: 92; small: true; from: 10; to: 500; stepSize: 10; value: 250 }
            }
            GalleryCell {
                caption: "VelkSegmentedPicker width 170"
                VelkSegmentedPicker {
                    width: 170
                    options: [{ text: "简体中文", value: "zh-Hans" }, { text: "English", value: "en" }]
                    currentValue: LanguageManager.current
                }
            }
            GalleryCell {
                caption: "VelkSegmentedPicker small"
                VelkSegmentedPicker {
                    small: true
                    options: [{ text: root.t("大小", "Size"), value: "size" }, { text: root.t("安装", "Recent"), value: "recentInstall" },
                        { text: root.t("名称", "Name"), value: "name" }]
                    currentValue: "size"
                    onActivated: (value) => currentValue = value
                }
            }
            GalleryCell { caption: "VelkSwitch on"; VelkSwitch { isOn: true; onToggled: (on) => isOn = on } }
            GalleryCell { caption: "VelkSwitch off"; VelkSwitch { isOn: false; onToggled: (on) => isOn = on } }
            GalleryCell { caption: "VelkSwitch disabled"; VelkSwitch { isOn: true; enabled: false } }
            GalleryCell {
                caption: "VelkContextMenu"
                Item {
                    width: 190
                    height: 100
                    VelkContextMenu {
                        visible: true
                        closePolicy: T.Popup.NoAutoClose
                        VelkMenuItem { text: root.t("在文件管理器中显示", "Show in File Manager"); symbol: "folder" }
                        VelkMenuItem { text: root.t("打开", "Open"); symbol: "arrow.up.right.square" }
                        VelkMenuItem { text: root.t("移到废纸篓", "Move to Trash"); symbol: "trash"; destructive: true }
                    }
                }
            }
            GalleryCell {
                caption: "VelkToolTip"
                Item {
                    width: 160
                    height: 70
                    VelkGhostButton {
                        symbol: "arrow.clockwise"
                        VelkToolTip { text: root.t("刷新", "Refresh"); pinned: true }
                    }
                }
            }
        }

        GallerySection {
            title: root.t("页头、空状态与流式布局", "Page header, empty state, flow layout")
            GalleryCell {
                caption: "PageHeader"
                PageHeader {
                    width: 610
                    title: Lang.sectionTitle(AppSection.allCases[5])
                    subtitle: root.t("查找大体积文件", "Find large files")
                    icon: AppSection.icon(AppSection.allCases[5])
                    VelkSearchField { placeholder: root.t("搜索", "Search") }
                    VelkPrimaryButton { text: root.t("扫描", "Scan") }
                }
            }
            GalleryCell {
                caption: root.t("无副标题、无尾部", "no subtitle, no trailing")
                PageHeader { width: 377; title: Lang.sectionTitle(AppSection.allCases[3]) }
            }
            GalleryCell {
                caption: "VelkEmptyState"
                VelkCard {
                    padding: 0
                    width: 420
                    height: 330
                    VelkEmptyState {
                        anchors.fill: parent
                        icon: "doc.viewfinder"
                        title: root.t("未发现大文件", "No large files found")
                        subtitle: root.t("试试降低最小文件大小，或选择更多扫描位置。", "Try a smaller minimum size or more scan locations.")
                        VelkPrimaryButton { text: root.t("重新扫描", "Rescan") }
                    }
                }
            }
            GalleryCell {
                caption: root.t("无副标题", "without subtitle")
                VelkCard {
                    padding: 0
                    width: 300
                    height: 330
                    VelkEmptyState { anchors.fill: parent; icon: "bolt.circle"; title: root.t("未发现启动项", "No startup items") }
                }
            }
            GalleryCell {
                caption: "FlowLayout width 233"
                Rectangle {
                    width: 233
                    height: flow.height
                    color: "transparent"
                    border.color: VDS.C.borderFaint
                    FlowLayout {
                        id: flow
                        width: 233
                        Repeater {
                            model: ["Chrome", "Safari", "Firefox", root.t("邮件", "Mail"), "Xcode", "Docker", "Homebrew"]
                            VelkBadge { required property string modelData; text: modelData; height: 21 }
                        }
                    }
                }
            }
        }

        GallerySection {
            title: root.t("实时指示", "Live indicators")
            GalleryCell { caption: "LiveBar -0.2"; LiveBar { width: 144; value: -0.2 } }
            GalleryCell { caption: "LiveBar 0.5"; LiveBar { width: 144; value: 0.5; color: VDS.C.amber } }
            GalleryCell { caption: "LiveBar 1.7"; LiveBar { width: 144; value: 1.7; color: VDS.C.green } }
            GalleryCell { caption: "Sparkline []"; Sparkline { width: 144; height: 34; color: VDS.C.accent } }
            GalleryCell {
                caption: "Sparkline 5 / 30"
                Sparkline { width: 144; height: 34; color: VDS.C.accent; values: [0.2, 0.5, 0.35, 0.8, 0.6] }
            }
            GalleryCell {
                caption: "Sparkline 30"
                Sparkline {
                    width: 144; height: 34; color: VDS.C.amber
                    values: [12, 18, 9, 22, 30, 28, 35, 20, 15, 18, 40, 42, 38, 25, 22, 30, 31, 45, 50, 38,
                        33, 29, 35, 41, 39, 44, 48, 36, 30, 34]
                }
            }
            GalleryCell {
                caption: "Sparkline max 100"
                Sparkline { width: 144; height: 34; color: VDS.C.red; maxValue: 100; values: [10, 30, 20, 60, 40] }
            }
            GalleryCell { caption: "PulsingDot"; PulsingDot { color: VDS.C.accent } }
            GalleryCell { caption: "PulsingDot green"; PulsingDot { color: VDS.C.green } }
        }

        GallerySection {
            title: root.t("仪表与进度", "Gauges and progress")
            GalleryCell { caption: "0"; CircularProgressView { progress: 0; size: 89; lineWidth: 8; color: VDS.C.accent } }
            GalleryCell {
                caption: "0.25"
                CircularProgressView { progress: 0.25; size: 100; lineWidth: 8; color: VDS.C.accent; label: "25%"; sublabel: root.t("已用", "Used") }
            }
            GalleryCell {
                caption: "1.4"
                CircularProgressView { progress: 1.4; size: 89; lineWidth: 6; color: VDS.C.green; label: "100%" }
            }
            GalleryCell { caption: "-1"; CircularProgressView { progress: -1; size: 55; lineWidth: 5; color: VDS.C.red } }
            GalleryCell { caption: "AnimatedProgressBar 0.3"; AnimatedProgressBar { width: 144; value: 0.3 } }
            GalleryCell { caption: "height 10, value 2"; AnimatedProgressBar { width: 144; height: 10; value: 2; color: VDS.C.amber } }
            GalleryCell {
                caption: "AnimatedNumber"
                AnimatedNumber { value: 1024; font: VDS.display(Font.Medium); foregroundColor: VDS.C.text1 }
            }
        }

        GallerySection {
            title: root.t("玻璃组件", "Glass")
            GalleryCell {
                caption: "GlassCard / GlassButton"
                Rectangle {
                    width: 420
                    height: 150
                    radius: VDS.Radius.m
                    gradient: Gradient {
                        GradientStop { position: 0; color: GlassColors.surfacePrimary }
                        GradientStop { position: 1; color: GlassColors.surfaceSecondary }
                    }
                    Row {
                        x: 21; y: 21
                        spacing: 13
                        GlassCard {
                            intensity: GlassMaterial.Subtle
                            Text { text: "subtle"; font: VDS.body(); color: "white" }
                        }
                        GlassCard {
                            Text { text: "regular"; font: VDS.body(); color: "white" }
                        }
                        GlassCard {
                            intensity: GlassMaterial.Prominent
                            Text { text: "prominent"; font: VDS.body(); color: "white" }
                        }
                    }
                    Row {
                        x: 21; y: 89
                        spacing: 13
                        GlassButton { text: root.t("继续", "Continue") }
                        GlassButton { text: root.t("按下", "Pressed"); down: true }
                        GlassButton { text: root.t("成功", "Done"); tint: GlassColors.glassSuccess }
                        GlassButton { text: root.t("危险", "Danger"); tint: GlassColors.glassDanger }
                    }
                }
            }
            GalleryCell {
                caption: "GlassButton fullWidth"
                Item { width: 233; height: 32; GlassButton { fullWidth: true; text: root.t("全宽", "Full width"); tint: GlassColors.glassAccent } }
            }
            GalleryCell {
                caption: "HoverAnimatedCard"
                HoverAnimatedCard {
                    VelkCard { Text { text: root.t("悬停卡片", "Hover card"); font: VDS.body(); color: VDS.C.text1 } }
                }
            }
            GalleryCell {
                caption: root.t("固定颜色", "Fixed colours")
                Row {
                    spacing: 5
                    Repeater {
                        model: [GlassColors.glassAccent, GlassColors.glassSuccess, GlassColors.glassWarning,
                            GlassColors.glassDanger, GlassColors.surfacePrimary, GlassColors.surfaceSecondary,
                            GlassColors.surfaceCard, VelkCleanerPalette.glow, VelkCleanerPalette.glowSoft,
                            VelkCleanerPalette.deep]
                        Rectangle {
                            required property color modelData
                            width: 21; height: 21; radius: 5
                            color: modelData
                            border.width: 1
                            border.color: VDS.C.borderFaint
                        }
                    }
                }
            }
        }

        GallerySection {
            title: root.t("统计卡与操作按钮", "Stat cards and action buttons")
            GalleryCell {
                caption: "StatCard"
                StatCard { width: 189; title: root.t("可清理", "Reclaimable"); value: "12.3 GB"; icon: "sparkles"; color: SystemColors.accent }
            }
            GalleryCell {
                caption: root.t("带副标题", "with subtitle")
                StatCard { width: 189; title: root.t("内存", "Memory"); value: "62%"; icon: "cpu"; color: VDS.C.orange; subtitle: "9.9 / 16 GB" }
            }
            GalleryCell { caption: "CleanButton"; CleanButton { text: root.t("立即清理", "Clean Now") } }
            GalleryCell { caption: "loading"; CleanButton { text: root.t("清理中", "Cleaning"); isLoading: true } }
            GalleryCell { caption: "disabled"; CleanButton { text: root.t("立即清理", "Clean Now"); isDisabled: true } }
            GalleryCell { caption: "ScanButton"; ScanButton { text: root.t("扫描", "Scan") } }
            GalleryCell { caption: "scanning"; ScanButton { text: root.t("扫描中", "Scanning"); isScanning: true } }
        }

        GallerySection {
            title: root.t("清理风格", "Cleaner style")
            GalleryCell {
                caption: "VelkCleanerBackdrop / Glass / DotTrail / ScanButton / MiniGauge"
                Item {
                    width: 610
                    height: 300
                    clip: true
                    VelkCleanerBackdrop { anchors.fill: parent }
                    VelkCleanerDotTrail { anchors.fill: parent }
                    VelkCleanerGlass { x: 400; width: 210; height: parent.height }
                    VelkCleanerScanButton { x: 60; y: 70; text: root.t("扫描", "Scan") }
                    VelkCleanerScanButton { x: 230; y: 70; text: root.t("扫描", "Scan"); isBusy: true }
                    Row {
                        x: 410; y: 89
                        width: 190
                        Repeater {
                            model: [[root.t("磁盘", "Disk"), "72%", 0.72], [root.t("内存", "Memory"), "50%", 0.5], ["CPU", "0%", 0]]
                            VelkCleanerMiniGauge {
                                required property var modelData
                                width: 63
                                title: modelData[0]
                                value: modelData[1]
                                progress: modelData[2]
                            }
                        }
                    }
                }
            }
        }

        GallerySection {
            title: root.t("设备主图", "Device hero")
            Repeater {
                // This machine's kind, each picture, and this machine busy.
                model: [[Readers.deviceKind(), false], ["macBook", false], ["macMini", false], ["iMac", false],
                    [Readers.deviceKind(), true]]
                GalleryCell {
                    id: heroCell
                    required property var modelData
                    caption: heroCell.modelData[0] + (heroCell.modelData[1] ? root.t(" · 忙碌", " · busy") : "")
                    HomeDeviceHero {
                        kind: heroCell.modelData[0]
                        isBusy: heroCell.modelData[1]
                    }
                }
            }
        }

        GallerySection {
            title: root.t("支持栏", "Support bar")
            GalleryCell {
                caption: root.t("宽于所需", "wider than it needs")
                SupportInlineBar { width: 610 }
            }
            GalleryCell {
                caption: root.t("自身宽度", "its own width")
                SupportInlineBar { }
            }
        }

        GallerySection {
            title: root.t("风扇", "Fans")
            Repeater {
                // Idle, amber from 0.52, red from 0.78, beyond the maximum,
                // no maximum, a negative reading.
                model: [[1200, 6000, false], [3120, 6000, false], [4680, 6000, false], [7000, 6000, false],
                    [1500, 0, false], [-40, 6000, false], [2400, 6000, true]]
                GalleryCell {
                    id: gaugeCell
                    required property var modelData
                    caption: Format.decimal(modelData[0]) + " / " + Format.decimal(modelData[1])
                             + (modelData[2] ? " compact" : "")
                    FanGaugeView {
                        rpm: gaugeCell.modelData[0]
                        maxRPM: gaugeCell.modelData[1]
                        compact: gaugeCell.modelData[2]
                        title: root.t("风扇 1", "Fan 1")
                    }
                }
            }
            Repeater {
                // No fans, one to four, and sixty.
                model: [[], [[0.3]], [[0.55], [0.9]], [[0.1], [0.52], [0.78]], [[0], [0.4], [1], [0.6]],
                    Array.from({ length: 60 }, () => [0.5])]
                GalleryCell {
                    id: chartCell
                    required property var modelData
                    caption: root.t("风扇数 ", "fans: ") + Format.decimal(chartCell.modelData.length)
                    FanSectorChart {
                        fans: chartCell.modelData.map((load, i) => ({ id: i, rpm: Math.round(load[0] * 6000), maxRPM: 6000 }))
                    }
                }
            }
        }

        GallerySection {
            title: root.t("电池页", "Battery page")
            GalleryCell {
                caption: "BatteryView"
                BatteryView {
                    width: 560
                    height: 900
                }
            }
        }

        GallerySection {
            title: root.t("符号", "Symbols")
            Repeater {
                // Every symbol of the table, then an unknown name.
                model: Symbols.names.length + 1
                Column {
                    id: symbolCell
                    required property int index
                    readonly property string symbolName: index < Symbols.names.length ? Symbols.names[index] : "no.such.symbol"
                    width: 89
                    spacing: 2
                    SymbolIcon {
                        anchors.horizontalCenter: parent.horizontalCenter
                        name: symbolCell.symbolName
                        size: 21
                        color: Symbols.isKnown(symbolCell.symbolName) ? VDS.C.text1 : VDS.C.red
                    }
                    Text {
                        width: parent.width
                        horizontalAlignment: Text.AlignHCenter
                        elide: Text.ElideMiddle
                        text: symbolCell.symbolName
                        textFormat: Text.PlainText
                        font: VDS.font(9)
                        color: VDS.C.text3
                    }
                }
            }
        }
    }
}
