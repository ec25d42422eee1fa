#pragma once

#include <QObject>
#include <QtQml/qqmlregistration.h>
#include <memory>
#include <optional>

namespace velk::platform::settings {
class UserDefaults;
}

namespace velk::shell {

// The main window's sidebar geometry: whether it is collapsed to its icon
// column, the width it has when expanded, and the leading inset the content
// beside it keeps. The collapse flag and the chosen width persist in the
// user defaults; the width in use is restored from them (snapped) when the
// window first appears. Main thread only.
class SidebarLayout : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The window's sidebar layout is made in C++.")
    Q_PROPERTY(bool collapsed READ collapsed WRITE setCollapsed NOTIFY collapsedChanged)
    // Width in use while expanded.
    Q_PROPERTY(double expandedWidth READ expandedWidth NOTIFY expandedWidthChanged)
    // Width shown: the icon column when collapsed, else the expanded width.
    Q_PROPERTY(double width READ width NOTIFY widthChanged)
    Q_PROPERTY(double contentLeadingInset READ contentLeadingInset NOTIFY widthChanged)
    Q_PROPERTY(bool dragging READ dragging NOTIFY draggingChanged)

public:
    static inline const QString collapsedKey = QStringLiteral("sidebarCollapsed");
    static inline const QString expandedWidthKey = QStringLiteral("sidebarExpandedWidth");
    // Width key of the earlier layout: read once, migrated and removed.
    static inline const QString legacyWidthKey = QStringLiteral("sidebarWidth");

    // Reads the collapse flag from the application's user defaults.
    explicit SidebarLayout(QObject* parent = nullptr);
    SidebarLayout(std::shared_ptr<platform::settings::UserDefaults> defaults, QObject* parent = nullptr);
    ~SidebarLayout() override;

    bool collapsed() const { return m_collapsed; }
    void setCollapsed(bool collapsed);
    double expandedWidth() const { return m_expandedWidth; }
    double width() const;
    double contentLeadingInset() const;
    bool dragging() const { return m_dragStart.has_value(); }

    // The stored expanded width ("sidebarExpandedWidth", default 233).
    double persistedExpandedWidth() const;

    // On first appearance: migrates the earlier layout's width, then takes
    // the snapped stored width into use (without writing it back).
    Q_INVOKABLE void restore();
    Q_INVOKABLE void toggleCollapsed();
    // A drag on the resize strip moved `translation` points from where it
    // began: the width follows, clamped but not snapped.
    Q_INVOKABLE void dragChanged(double translation);
    // The drag ended: the width snaps and is stored.
    Q_INVOKABLE void dragEnded();
    // Double click on the strip: back to the default width, unsnapped.
    Q_INVOKABLE void resetWidth();

signals:
    void collapsedChanged();
    void expandedWidthChanged();
    void widthChanged();
    void draggingChanged();

private:
    void setExpandedWidth(double width);
    void setPersistedExpandedWidth(double width);

    std::shared_ptr<platform::settings::UserDefaults> m_defaults;
    bool m_collapsed = false;
    double m_expandedWidth;
    std::optional<double> m_dragStart;
};

} // namespace velk::shell
