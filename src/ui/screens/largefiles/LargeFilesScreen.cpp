#include "ui/screens/largefiles/LargeFilesScreen.h"

#include "ui/screens/largefiles/LargeFileDeleteText.h"
#include "ui/screens/largefiles/LargeFileRowStyle.h"

namespace velk::screens {
namespace {

double sizeOf(const QList<cleaning::FileItem>& items)
{
    double bytes = 0;
    for (const cleaning::FileItem& item : items)
        bytes += static_cast<double>(item.size);
    return bytes;
}

} // namespace

LargeFilesScreen::LargeFilesScreen(QObject* parent)
    : QObject(parent)
{
}

void LargeFilesScreen::setViewModel(cleaning::LargeFilesViewModel* viewModel)
{
    if (m_viewModel == viewModel)
        return;
    if (m_viewModel)
        disconnect(m_viewModel, nullptr, this, nullptr);
    m_viewModel = viewModel;
    m_checking = m_confirm = m_deleting = NoDelete;
    if (viewModel) {
        connect(viewModel, &cleaning::LargeFilesViewModel::selectionChanged, this, [this] {
            emit figuresChanged();
            emit deleteTextsChanged();
        });
        connect(viewModel, &cleaning::LargeFilesViewModel::scanProgressChanged, this, &LargeFilesScreen::scanFiguresChanged);
        connect(viewModel, &cleaning::LargeFilesViewModel::inUseBeforeTrashChanged, this, &LargeFilesScreen::deleteTextsChanged);
        connect(viewModel, &cleaning::LargeFilesViewModel::inUseCheckFinished, this, &LargeFilesScreen::inUseCheckFinished);
        connect(viewModel, &cleaning::LargeFilesViewModel::failedPathsChanged, this, &LargeFilesScreen::failedPathsChanged);
        connect(viewModel, &cleaning::LargeFilesViewModel::isDeletingChanged, this, [this] {
            if (m_viewModel && !m_viewModel->isDeleting() && m_deleting != NoDelete) {
                m_deleting = NoDelete;
                emit deleteFlowChanged();
            }
        });
    }
    emit viewModelChanged();
    emit figuresChanged();
    emit scanFiguresChanged();
    emit deleteFlowChanged();
    emit deleteTextsChanged();
    emit failedPathsChanged();
}

double LargeFilesScreen::filteredSize() const
{
    return m_viewModel ? sizeOf(m_viewModel->filteredItems()) : 0.0;
}

double LargeFilesScreen::selectedSize() const
{
    return m_viewModel ? sizeOf(m_viewModel->selectedItems()) : 0.0;
}

LargeFilesScreen::DeleteMode LargeFilesScreen::busyDelete() const
{
    return m_checking != NoDelete ? m_checking : m_deleting;
}

void LargeFilesScreen::prepareDelete(DeleteMode mode)
{
    if (!m_viewModel || mode == NoDelete || m_checking != NoDelete || m_confirm != NoDelete
        || m_viewModel->isCheckingInUse() || m_viewModel->isDeleting())
        return;
    m_textMode = mode;
    setFlow(mode, NoDelete);
    m_viewModel->checkSelectedInUse();
}

void LargeFilesScreen::inUseCheckFinished()
{
    if (m_checking == NoDelete)
        return;
    setFlow(NoDelete, m_checking);
    emit deleteTextsChanged();
}

void LargeFilesScreen::confirmDeletion()
{
    const DeleteMode mode = m_confirm;
    if (mode == NoDelete || !m_viewModel)
        return;
    m_deleting = mode;
    setFlow(NoDelete, NoDelete);
    m_viewModel->deleteSelected(mode == Permanent);
    if (!m_viewModel->isDeleting() && m_deleting != NoDelete) {
        m_deleting = NoDelete;
        emit deleteFlowChanged();
    }
}

void LargeFilesScreen::cancelDeletion()
{
    if (m_confirm != NoDelete)
        setFlow(m_checking, NoDelete);
}

void LargeFilesScreen::setFlow(DeleteMode checking, DeleteMode confirm)
{
    m_checking = checking;
    m_confirm = confirm;
    emit deleteFlowChanged();
}

QString LargeFilesScreen::deleteText(bool english, bool wantTitle) const
{
    if (!m_viewModel)
        return {};
    const bool permanent = m_textMode == Permanent;
    const auto& inUse = m_viewModel->inUseBeforeTrash();
    if (wantTitle)
        return deletetext::title(permanent, !inUse.isEmpty(), english);
    return deletetext::message(m_viewModel->selectedItems(), inUse, permanent, english);
}

void LargeFilesScreen::inspect(const QString& id)
{
    if (!m_viewModel)
        return;
    const QUuid uuid(id);
    for (const cleaning::FileItem& item : m_viewModel->items()) {
        if (item.id == uuid) {
            m_inspecting = item;
            emit inspectingChanged();
            return;
        }
    }
}

void LargeFilesScreen::clearInspecting()
{
    if (!m_inspecting)
        return;
    m_inspecting.reset();
    emit inspectingChanged();
}

QVariantMap LargeFilesScreen::inspectingValue() const
{
    if (!m_inspecting)
        return {};
    return {
        {QStringLiteral("id"), m_inspecting->id.toString(QUuid::WithoutBraces)},
        {QStringLiteral("path"), m_inspecting->path},
        {QStringLiteral("name"), m_inspecting->name},
        {QStringLiteral("size"), static_cast<double>(m_inspecting->size)},
        {QStringLiteral("isDirectory"), m_inspecting->itemType == cleaning::FileItem::ItemType::Directory},
    };
}

QString LargeFilesScreen::kindSymbol(const QString& path, bool isDirectory) const
{
    return rowstyle::kind(path, isDirectory).symbol;
}

QString LargeFilesScreen::kindTone(const QString& path, bool isDirectory) const
{
    return rowstyle::kind(path, isDirectory).tone;
}

QString LargeFilesScreen::sizeTone(double bytes) const
{
    return rowstyle::sizeTone(bytes);
}

} // namespace velk::screens
