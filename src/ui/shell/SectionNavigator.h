#pragma once

#include "ui/design/AppSection.h"

#include <QObject>
#include <QStringList>
#include <QVariant>
#include <QtQml/qqmlregistration.h>
#include <memory>

namespace velk::shell {

class MonitorGate;

// The main window's navigation: the selected section, the dashboard's
// request that the junk screen open in deep-clean mode, and the monitor
// switches that follow both the section and the application's activation.
// Sections are named by their case names ("dashboard", "processes", ...).
// Main thread only.
class SectionNavigator : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The window's navigation is made in C++.")
    Q_PROPERTY(QString selection READ selection NOTIFY selectionChanged)
    // Identifier (raw value) of the selected section.
    Q_PROPERTY(QString selectionId READ selectionId NOTIFY selectionChanged)
    Q_PROPERTY(bool deepCleanJunk READ deepCleanJunk WRITE setDeepCleanJunk NOTIFY deepCleanJunkChanged)
    // How the last change came about: "row" (a sidebar row) or "screen" (a
    // screen's own control); the host picks the matching spring.
    Q_PROPERTY(QString transition READ transition NOTIFY selectionChanged)
    Q_PROPERTY(QStringList sections READ sections CONSTANT)
    // The sidebar's groups of case names, from the top.
    Q_PROPERTY(QVariantList sidebarGroups READ sidebarGroups CONSTANT)

public:
    explicit SectionNavigator(std::unique_ptr<MonitorGate> gate, QObject* parent = nullptr);
    ~SectionNavigator() override;

    design::AppSection section() const { return m_selection; }
    QString selection() const;
    QString selectionId() const { return m_selection.rawValue(); }
    bool deepCleanJunk() const { return m_deepCleanJunk; }
    void setDeepCleanJunk(bool on);
    QString transition() const { return m_transition; }
    QStringList sections() const;
    QVariantList sidebarGroups() const;

    // Identifier (raw value) of the section with this case name; empty for
    // an unknown name.
    Q_INVOKABLE QString idOf(const QString& name) const;

    // The window has first appeared: the monitor follows the selection.
    Q_INVOKABLE void appear();
    // A sidebar row was clicked. An unknown name changes nothing.
    Q_INVOKABLE void select(const QString& name);
    // A screen asked for another section (the dashboard's scan, review,
    // stat cells and tool links).
    Q_INVOKABLE void navigate(const QString& name);
    // Start-up choice of the section, before the window appears; no gating.
    void setInitialSection(design::AppSection section);

    // The application became active (true) or stopped being active.
    void setApplicationActive(bool active);

signals:
    void selectionChanged();
    void deepCleanJunkChanged();

private:
    void change(const QString& name, const QString& transition);
    void gate();

    std::unique_ptr<MonitorGate> m_gate;
    design::AppSection m_selection = design::AppSection::dashboard;
    bool m_deepCleanJunk = false;
    QString m_transition = QStringLiteral("row");
};

} // namespace velk::shell
