#include "ui/screens/startup/StartupScreen.h"

#include <QVariantMap>

namespace velk::screens {

StartupScreen::StartupScreen(QObject* parent)
    : QObject(parent)
{
}

void StartupScreen::setViewModel(inspection::StartupViewModel* viewModel)
{
    if (viewModel == m_viewModel)
        return;
    if (m_viewModel)
        disconnect(m_viewModel, nullptr, this, nullptr);
    m_viewModel = viewModel;
    if (m_viewModel)
        connect(m_viewModel, &inspection::StartupViewModel::itemsChanged, this, &StartupScreen::itemCountChanged);
    dismissRemove();
    dismissBatchRemove();
    emit viewModelChanged();
    emit itemCountChanged();
}

QVariantList StartupScreen::scopes()
{
    QVariantList list;
    for (const inspection::StartupScope scope : inspection::allStartupScopes) {
        list.append(QVariantMap{
            {QStringLiteral("key"), rawValue(scope)},
            {QStringLiteral("title"), rawValue(scope)},
            {QStringLiteral("englishTitle"), englishTitle(scope)},
        });
    }
    return list;
}

QString StartupScreen::englishScopeTitle(const QString& raw)
{
    const std::optional<inspection::StartupScope> scope = inspection::startupScopeFromRawValue(raw);
    return scope ? englishTitle(*scope) : QString();
}

void StartupScreen::appear()
{
    if (m_viewModel && m_viewModel->items().isEmpty())
        m_viewModel->load();
}

void StartupScreen::askRemove(const QString& id)
{
    if (!m_viewModel)
        return;
    for (const inspection::StartupItem& item : m_viewModel->items()) {
        if (item.id == id) {
            m_removal = item;
            emit removalChanged();
            return;
        }
    }
}

void StartupScreen::confirmRemove()
{
    if (m_removal && m_viewModel)
        m_viewModel->remove(*m_removal);
    dismissRemove();
}

void StartupScreen::dismissRemove()
{
    if (!m_removal)
        return;
    m_removal.reset();
    emit removalChanged();
}

void StartupScreen::askBatchRemove()
{
    if (m_batchRemoval)
        return;
    m_batchRemoval = true;
    emit batchRemovalChanged();
}

void StartupScreen::confirmBatchRemove()
{
    if (m_viewModel)
        m_viewModel->batchRemove();
    dismissBatchRemove();
}

void StartupScreen::dismissBatchRemove()
{
    if (!m_batchRemoval)
        return;
    m_batchRemoval = false;
    emit batchRemovalChanged();
}

} // namespace velk::screens
