#include "ui/screens/privacy/PrivacyScreen.h"

#include <algorithm>

namespace velk::screens {

PrivacyScreen::PrivacyScreen(QObject* parent)
    : QObject(parent)
{
}

void PrivacyScreen::setViewModel(cleaning::PrivacyViewModel* viewModel)
{
    if (m_viewModel == viewModel)
        return;
    if (m_viewModel)
        disconnect(m_viewModel, nullptr, this, nullptr);
    m_viewModel = viewModel;
    m_awaitingRescan = viewModel && viewModel->isCleaning();
    if (viewModel) {
        connect(viewModel, &cleaning::PrivacyViewModel::summaryChanged, this, &PrivacyScreen::sizesChanged);
        connect(viewModel, &cleaning::PrivacyViewModel::failureCountChanged, this, &PrivacyScreen::update);
        connect(viewModel, &cleaning::PrivacyViewModel::isCleaningChanged, this, &PrivacyScreen::cleaningChanged);
        connect(viewModel, &cleaning::PrivacyViewModel::isScanningChanged, this, &PrivacyScreen::scanningChanged);
    }
    emit viewModelChanged();
    emit sizesChanged();
    update();
}

// A clean ends by starting a scan; until that scan has ended as well, the
// moment between the two is not idle.
void PrivacyScreen::cleaningChanged()
{
    if (m_viewModel && !m_viewModel->isCleaning())
        m_awaitingRescan = true;
    update();
}

void PrivacyScreen::scanningChanged()
{
    if (m_viewModel && !m_viewModel->isScanning())
        m_awaitingRescan = false;
    update();
}

void PrivacyScreen::update()
{
    const cleaning::PrivacyViewModel* vm = m_viewModel;
    const bool idle = vm && !vm->isScanning() && !vm->isCleaning() && !m_awaitingRescan;
    const int reported = idle ? std::max(0, vm->failureCount()) : 0;
    if (reported == m_reported)
        return;
    m_reported = reported;
    emit reportedFailuresChanged();
}

void PrivacyScreen::toggle(int row)
{
    cleaning::PrivacyViewModel* vm = m_viewModel;
    if (!vm || vm->isScanning() || vm->isCleaning() || row < 0 || row >= vm->items().size())
        return;
    const cleaning::PrivacyItem& item = vm->items().at(row);
    if (item.hasCleanableFiles())
        vm->setSelected(row, !item.isSelected);
}

void PrivacyScreen::selectNone()
{
    if (!m_viewModel)
        return;
    for (int row = 0; row < m_viewModel->items().size(); ++row)
        m_viewModel->setSelected(row, false);
}

void PrivacyScreen::clearFailures()
{
    if (m_viewModel)
        m_viewModel->setFailureCount(0);
}

} // namespace velk::screens
