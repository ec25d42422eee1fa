#include "ui/models/RemovalWords.h"

#include "common/format/Formatting.h"

#include <QStringList>

#include <cerrno>
#include <system_error>

namespace velk::models::removalwords {

using platform::files::RemovalReason;

namespace {

// The system errors a removal commonly meets, in words of our own.
std::optional<WordPair> systemErrorWords(int error)
{
    switch (error) {
    case EACCES:
    case EPERM: return WordPair{QStringLiteral("没有权限"), QStringLiteral("permission denied")};
    case ENOENT: return WordPair{QStringLiteral("已不在扫描到的位置"), QStringLiteral("no longer where the scan found it")};
    case EBUSY: return WordPair{QStringLiteral("正被使用"), QStringLiteral("in use")};
    case EROFS: return WordPair{QStringLiteral("位于只读文件系统"), QStringLiteral("on a read-only file system")};
    case ENOSPC: return WordPair{QStringLiteral("磁盘空间不足"), QStringLiteral("no space left on the disk")};
    case EDQUOT: return WordPair{QStringLiteral("超出磁盘配额"), QStringLiteral("over the disk quota")};
    case EIO: return WordPair{QStringLiteral("读写出错"), QStringLiteral("input/output error")};
    default: return std::nullopt;
    }
}

// Errors that say what happened better than the refusal they came with: a
// folder that forbids removing because its disk is mounted read-only, or a
// Trash that cannot be made because the disk is full.
bool outranksReason(int error)
{
    return error == EROFS || error == ENOSPC || error == EDQUOT;
}

} // namespace

WordPair reason(RemovalReason reason, int error)
{
    if (reason != RemovalReason::None && outranksReason(error))
        return *systemErrorWords(error);
    switch (reason) {
    case RemovalReason::None: return {};
    case RemovalReason::SystemError: break;
    case RemovalReason::InvalidPath:
        return {QStringLiteral("不是有效的绝对路径"), QStringLiteral("not a valid absolute path")};
    case RemovalReason::NotAsScanned:
        return {QStringLiteral("已不是扫描到的那一项（已被替换或修改）"),
                QStringLiteral("not the entry the scan found (replaced or changed since)")};
    case RemovalReason::MountPoint:
        return {QStringLiteral("是挂载点或包含挂载点，不会被删除"),
                QStringLiteral("a mount point or holds one, which is never removed")};
    case RemovalReason::HomeFolder:
        return {QStringLiteral("是个人文件夹或其上级文件夹，不会被删除"),
                QStringLiteral("the home folder or a folder above it, which is never removed")};
    case RemovalReason::FolderForbids:
        return {QStringLiteral("所在文件夹不允许当前用户删除它"),
                QStringLiteral("the folder does not let this user remove it")};
    case RemovalReason::StickyFolder:
        return {QStringLiteral("所在文件夹只允许其所有者删除它"),
                QStringLiteral("the folder lets only its owner remove it")};
    case RemovalReason::Immutable:
        return {QStringLiteral("它或所在文件夹被标记为不可更改"),
                QStringLiteral("it or its folder is marked immutable")};
    case RemovalReason::AlreadyInTrash:
        return {QStringLiteral("已在废纸篓中，只能从废纸篓里删除"),
                QStringLiteral("already in the Trash; only deleting removes it from there")};
    case RemovalReason::NoTrash:
        return {QStringLiteral("它所在的磁盘上没有可用的废纸篓"),
                QStringLiteral("no usable Trash on its disk")};
    case RemovalReason::Protected:
        return {QStringLiteral("受保护的项目，不会被删除"), QStringLiteral("a protected item, which is never removed")};
    }
    if (const auto words = systemErrorWords(error))
        return *words;
    const QString text = error != 0 ? QString::fromStdString(std::generic_category().message(error))
                                    : QStringLiteral("could not be removed");
    return {text, text};
}

WordPair failureLines(const QList<cleaning::RemovalFailure>& failures)
{
    QStringList zh;
    QStringList en;
    for (const cleaning::RemovalFailure& failure : failures.mid(0, kShownLines)) {
        const WordPair why = reason(failure.reason, failure.error);
        const QString path = fmt::isolatedName(failure.path);
        zh << (why.zh.isEmpty() ? path : path + QStringLiteral("：") + why.zh);
        en << (why.en.isEmpty() ? path : path + QStringLiteral(": ") + why.en);
    }
    if (const qsizetype rest = failures.size() - kShownLines; rest > 0) {
        zh << QStringLiteral("另有 %1 项").arg(rest);
        en << QStringLiteral("and %1 more").arg(rest);
    }
    return {zh.join(u'\n'), en.join(u'\n')};
}

} // namespace velk::models::removalwords
