#include "ui/shell/SectionNavigator.h"

#include "ui/shell/MonitorGate.h"
#include "ui/shell/SectionNames.h"

#include <QGuiApplication>

namespace velk::shell {

using design::AppSection;

SectionNavigator::SectionNavigator(std::unique_ptr<MonitorGate> gate, QObject* parent)
    : QObject(parent)
    , m_gate(std::move(gate))
{
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) { setApplicationActive(state == Qt::ApplicationActive); });
    }
}

SectionNavigator::~SectionNavigator() = default;

QString SectionNavigator::selection() const
{
    return caseName(m_selection);
}

void SectionNavigator::setDeepCleanJunk(bool on)
{
    if (m_deepCleanJunk == on)
        return;
    m_deepCleanJunk = on;
    emit deepCleanJunkChanged();
}

QStringList SectionNavigator::sections() const
{
    return allCaseNames();
}

QVariantList SectionNavigator::sidebarGroups() const
{
    return sidebarCaseNames();
}

QString SectionNavigator::idOf(const QString& name) const
{
    const auto section = sectionFromCaseName(name);
    return section ? section->rawValue() : QString();
}

void SectionNavigator::appear()
{
    gate();
}

void SectionNavigator::select(const QString& name)
{
    change(name, QStringLiteral("row"));
}

void SectionNavigator::navigate(const QString& name)
{
    change(name, QStringLiteral("screen"));
}

void SectionNavigator::setInitialSection(AppSection section)
{
    m_selection = section;
    emit selectionChanged();
}

void SectionNavigator::setApplicationActive(bool active)
{
    m_gate->setForeground(active);
}

void SectionNavigator::change(const QString& name, const QString& transition)
{
    const auto section = sectionFromCaseName(name);
    // Choosing the selected section again is no change.
    if (!section || *section == m_selection)
        return;
    m_selection = *section;
    m_transition = transition;
    emit selectionChanged();
    gate();
    if (m_selection != AppSection::systemJunk)
        setDeepCleanJunk(false);
}

void SectionNavigator::gate()
{
    const AppSection s = m_selection;
    m_gate->setPortsEnabled(s == AppSection::processes);
    m_gate->setHeavyEnabled(s == AppSection::dashboard || s == AppSection::systemInfo || s == AppSection::processes);
}

} // namespace velk::shell
