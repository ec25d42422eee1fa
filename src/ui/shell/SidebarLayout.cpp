#include "ui/shell/SidebarLayout.h"

#include "platform/core/ServiceRegistry.h"
#include "platform/settings/UserDefaults.h"
#include "ui/design/VDS.h"
#include "ui/shell/SidebarWidth.h"

namespace velk::shell {

SidebarLayout::SidebarLayout(QObject* parent)
    : SidebarLayout(platform::core::service<platform::settings::UserDefaults>(), parent)
{
}

SidebarLayout::SidebarLayout(std::shared_ptr<platform::settings::UserDefaults> defaults, QObject* parent)
    : QObject(parent)
    , m_defaults(std::move(defaults))
    , m_collapsed(m_defaults->boolean(collapsedKey).value_or(false))
    , m_expandedWidth(design::VDS::Measure::sidebar)
{
}

SidebarLayout::~SidebarLayout() = default;

void SidebarLayout::setCollapsed(bool collapsed)
{
    m_defaults->setBoolean(collapsedKey, collapsed);
    if (m_collapsed == collapsed)
        return;
    m_collapsed = collapsed;
    emit collapsedChanged();
    emit widthChanged();
}

double SidebarLayout::width() const
{
    return m_collapsed ? design::VDS::Measure::sidebarIcon : m_expandedWidth;
}

double SidebarLayout::contentLeadingInset() const
{
    return design::VDS::Measure::mainContentLeadingInset(width(), m_collapsed);
}

double SidebarLayout::persistedExpandedWidth() const
{
    return m_defaults->number(expandedWidthKey).value_or(design::VDS::Measure::sidebar);
}

void SidebarLayout::restore()
{
    if (m_defaults->contains(legacyWidthKey)) {
        // A value that is not a number reads as 0, which migrates nothing.
        const double legacy = m_defaults->number(legacyWidthKey).value_or(0);
        if (legacy > 0) {
            if (legacy < design::VDS::Measure::sidebarExpandedMin)
                setCollapsed(true);
            else
                setPersistedExpandedWidth(SidebarWidth::snap(legacy));
        }
        m_defaults->remove(legacyWidthKey);
    }
    setExpandedWidth(SidebarWidth::snap(persistedExpandedWidth()));
}

void SidebarLayout::toggleCollapsed()
{
    setCollapsed(!m_collapsed);
}

void SidebarLayout::dragChanged(double translation)
{
    if (!m_dragStart) {
        m_dragStart = m_expandedWidth;
        emit draggingChanged();
    }
    setExpandedWidth(SidebarWidth::clamp(*m_dragStart + translation));
}

void SidebarLayout::dragEnded()
{
    if (m_dragStart) {
        m_dragStart.reset();
        emit draggingChanged();
    }
    setExpandedWidth(SidebarWidth::snap(m_expandedWidth));
    setPersistedExpandedWidth(m_expandedWidth);
}

void SidebarLayout::resetWidth()
{
    setExpandedWidth(design::VDS::Measure::sidebar);
    setPersistedExpandedWidth(design::VDS::Measure::sidebar);
}

void SidebarLayout::setExpandedWidth(double width)
{
    if (m_expandedWidth == width)
        return;
    m_expandedWidth = width;
    emit expandedWidthChanged();
    if (!m_collapsed)
        emit widthChanged();
}

void SidebarLayout::setPersistedExpandedWidth(double width)
{
    m_defaults->setNumber(expandedWidthKey, width);
}

} // namespace velk::shell
