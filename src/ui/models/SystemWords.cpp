#include "ui/models/SystemWords.h"

#include "platform/core/ServiceRegistry.h"

namespace velk::models::systemwords {

Layout currentLayout()
{
    return platform::core::service<platform::locations::Locations>()->layout();
}

WordPair revealInFileManager(Layout layout)
{
    if (layout == Layout::macOS)
        return {QStringLiteral("在 Finder 中显示"), QStringLiteral("Reveal in Finder")};
    return {QStringLiteral("在文件管理器中显示"), QStringLiteral("Show in File Manager")};
}

WordPair systemFilesNote(Layout layout, const QStringList& folders)
{
    if (layout == Layout::macOS) {
        return {QStringLiteral("其中包含 /System 系统目录。这些文件属于 macOS，删除可能导致系统或更新异常，而且经常会被系统保护而删不掉。"),
                QStringLiteral("Some files are in /System. They belong to macOS. Deleting them can break the system "
                               "or updates, and System Integrity Protection often blocks the deletion.")};
    }
    const QString zhList = folders.join(QStringLiteral("、"));
    const QString enList = folders.join(QStringLiteral(", "));
    return {QStringLiteral("其中包含系统目录（%1）中的文件。这些文件属于操作系统，删除可能导致系统或软件包更新异常。").arg(zhList),
            QStringLiteral("Some files are in system folders (%1). They belong to the operating system. Deleting them "
                           "can break the system or its package updates.")
                .arg(enList)};
}

} // namespace velk::models::systemwords

namespace velk::models {

SystemWords::SystemWords(QObject* parent)
    : QObject(parent)
    , m_reveal(systemwords::revealInFileManager(systemwords::currentLayout()))
{
}

} // namespace velk::models
