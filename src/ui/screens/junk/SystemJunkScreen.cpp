#include "ui/screens/junk/SystemJunkScreen.h"

#include "engine/cleaning/SystemJunkViewModel.h"
#include "common/format/Formatting.h"
#include "ui/screens/junk/JunkGroupListModel.h"

#include <algorithm>

namespace velk::screens {
namespace {

QStringList allGroupKeys()
{
    QStringList keys;
    for (cleaning::ScanCategoryGroup group : cleaning::allScanCategoryGroups)
        keys.append(JunkGroupListModel::keyOf(group));
    return keys;
}

} // namespace

SystemJunkScreen::SystemJunkScreen(QObject* parent)
    : QObject(parent)
    , m_expanded(allGroupKeys())
{
}

SystemJunkScreen::~SystemJunkScreen() = default;

void SystemJunkScreen::setViewModel(cleaning::SystemJunkViewModel* viewModel)
{
    if (m_viewModel == viewModel)
        return;
    if (m_viewModel)
        disconnect(m_viewModel, nullptr, this, nullptr);
    delete m_groups;
    m_groups = nullptr;
    m_viewModel = viewModel;
    if (viewModel) {
        m_groups = new JunkGroupListModel(viewModel, this);
        m_groups->setExpanded(m_expanded);
        connect(viewModel, &cleaning::SystemJunkViewModel::categoriesChanged, this, &SystemJunkScreen::categoriesChanged);
        connect(viewModel, &cleaning::SystemJunkViewModel::cleanReportChanged, this, &SystemJunkScreen::reportChanged);
        connect(viewModel, &cleaning::SystemJunkViewModel::errorMessageChanged, this, &SystemJunkScreen::failuresChanged);
        connect(viewModel, &cleaning::SystemJunkViewModel::totalFoundChanged, this, &SystemJunkScreen::totalFoundChanged);
        connect(viewModel, &cleaning::SystemJunkViewModel::totalCleanedChanged, this, &SystemJunkScreen::totalCleanedChanged);
        connect(viewModel, &cleaning::SystemJunkViewModel::scanningCategoryChanged, this,
                &SystemJunkScreen::scanningCategoryChanged);
        // Every completed scan opens all groups again; the value the view
        // model has when the screen is made changes nothing.
        connect(viewModel, &cleaning::SystemJunkViewModel::scanCompleteChanged, this, [this] {
            if (m_viewModel && m_viewModel->scanComplete())
                expandAll();
        });
    }
    emit viewModelChanged();
    emit categoriesChanged();
    emit reportChanged();
    emit failuresChanged();
    emit scanningCategoryChanged();
    emit totalFoundChanged();
    emit totalCleanedChanged();
}

double SystemJunkScreen::selectedSize() const
{
    return m_viewModel ? static_cast<double>(m_viewModel->selectedSize()) : 0.0;
}

double SystemJunkScreen::totalFound() const
{
    return m_viewModel ? static_cast<double>(m_viewModel->totalFound()) : 0.0;
}

double SystemJunkScreen::totalCleaned() const
{
    return m_viewModel ? static_cast<double>(m_viewModel->totalCleaned()) : 0.0;
}

int SystemJunkScreen::doneCount() const
{
    if (!m_viewModel)
        return 0;
    const auto& categories = m_viewModel->categories();
    return static_cast<int>(
        std::count_if(categories.begin(), categories.end(), [](const cleaning::ScanCategory& c) { return c.isDone(); }));
}

int SystemJunkScreen::categoryCount() const
{
    return m_viewModel ? static_cast<int>(m_viewModel->categories().size()) : 0;
}

QString SystemJunkScreen::progressText() const
{
    return QStringLiteral("已扫描 %1 / %2 类").arg(doneCount()).arg(categoryCount());
}

QString SystemJunkScreen::progressTextEnglish() const
{
    return QStringLiteral("Scanned %1 / %2").arg(doneCount()).arg(categoryCount());
}

void SystemJunkScreen::toggleGroupExpanded(const QString& key)
{
    if (!allGroupKeys().contains(key))
        return;
    if (!m_expanded.removeOne(key))
        m_expanded.append(key);
    if (m_groups)
        m_groups->setExpanded(m_expanded);
    emit expandedGroupsChanged();
}

void SystemJunkScreen::expandAll()
{
    const QStringList all = allGroupKeys();
    if (m_expanded.size() == all.size())
        return;
    m_expanded = all;
    if (m_groups)
        m_groups->setExpanded(m_expanded);
    emit expandedGroupsChanged();
}

void SystemJunkScreen::appear(bool deepCleanEntry)
{
    if (m_appeared)
        return;
    m_appeared = true;
    if (!deepCleanEntry || !m_viewModel)
        return;
    if (m_viewModel->scanComplete())
        m_viewModel->prepareDeepCleanSelection();
    else
        m_viewModel->startScan(false);
}

void SystemJunkScreen::deepCleanEntryChanged(bool deepCleanEntry)
{
    // Before the screen appears, its appear step looks at the request.
    if (!m_appeared || !deepCleanEntry || !m_viewModel)
        return;
    m_viewModel->prepareDeepCleanSelection();
}

QString SystemJunkScreen::scanningTitleIn(bool english) const
{
    if (!m_viewModel || !m_viewModel->scanningCategory())
        return {};
    const cleaning::ScanCategoryID id = *m_viewModel->scanningCategory();
    return english ? englishTitle(id) : title(id);
}

QString SystemJunkScreen::confirmationTitles(bool english) const
{
    if (!m_viewModel)
        return {};
    QStringList titles;
    for (const cleaning::ScanCategory& category : m_viewModel->categories()) {
        if (requiresConfirmation(category.id) && category.isSelected())
            titles.append(english ? englishTitle(category.id) : title(category.id));
    }
    return titles.join(english ? QStringLiteral(", ") : QStringLiteral("、"));
}

QString SystemJunkScreen::reportText(bool english, bool wantTitle) const
{
    if (!m_viewModel || !m_viewModel->cleanReport())
        return {};
    const cleaning::JunkCleanReport& report = *m_viewModel->cleanReport();
    const QString freed = fmt::byteCount(report.freedBytes, fmt::ByteStyle::File,
                                                   english ? fmt::Lang::English
                                                           : fmt::Lang::Chinese);
    if (report.attemptedCount == 0) {
        if (wantTitle)
            return english ? QStringLiteral("Nothing to Clean") : QStringLiteral("没有可清理项");
        return english ? QStringLiteral("No individual files were selected.") : QStringLiteral("没有选中任何具体文件。");
    }
    if (report.freedBytes == 0) {
        if (wantTitle)
            return english ? QStringLiteral("No Space Freed") : QStringLiteral("未释放空间");
        return english ? QStringLiteral("No files were deleted (often because Xcode or another app still has them "
                                        "open). Quit related apps, rescan and try again. Dashboard free space may "
                                        "update after a short delay.")
                       : QStringLiteral("没有文件被删除（常见原因：Xcode 或其它应用正在占用）。请退出相关应用后重扫再试；"
                                        "仪表盘可用空间可能稍后才更新。");
    }
    if (wantTitle)
        return english ? QStringLiteral("Cleanup Finished") : QStringLiteral("清理完成");
    if (report.failureCount < 1) {
        return english ? QStringLiteral("Freed about %1. If the dashboard hasn\u2019t updated, wait a few seconds or "
                                        "switch tabs. If it still doesn\u2019t change, check System Settings \u203a "
                                        "Storage for local snapshots.")
                             .arg(freed)
                       : QStringLiteral("已释放约 %1。若仪表盘暂未变化，请等待几秒或切到其它页再回来；若仍不变，"
                                        "检查「系统设置 \u203a 储存空间」是否有本地快照占用。")
                             .arg(freed);
    }
    const QString failed = QString::number(report.failureCount);
    return english ? QStringLiteral("Deleted about %1; %2 item(s) failed and remain in the list. Dashboard percent "
                                    "is whole-disk stats and may differ slightly from scanned logical sizes.")
                         .arg(freed, failed)
                   : QStringLiteral("已删除并释放约 %1；%2 项失败仍留在列表。仪表盘百分比是整盘统计，"
                                    "可能与扫描「逻辑大小」略有差别。")
                         .arg(freed, failed);
}

} // namespace velk::screens
