#include "ui/screens/largefiles/LargeFileDeleteText.h"

#include "engine/cleaning/SystemLocation.h"
#include "common/format/Formatting.h"
#include "ui/models/SystemWords.h"

#include <QSet>
#include <QStringList>

#include <algorithm>

namespace velk::screens::deletetext {
namespace {

QString pick(bool english, const QString& zh, const QString& en)
{
    return english ? en : zh;
}

// The first three of `names`, in ascending order, each as it is shown
// inside a sentence, joined as the language joins a list.
QString firstThree(QStringList names, bool english)
{
    std::sort(names.begin(), names.end());
    QStringList shown;
    for (const QString& name : names.mid(0, 3))
        shown.append(fmt::isolatedName(name));
    return shown.join(english ? QStringLiteral(", ") : QStringLiteral("、"));
}

// "/usr" for "/usr/local/lib/x.so".
QString topFolder(const QString& path)
{
    const int end = path.indexOf(u'/', 1);
    return end < 0 ? path : path.left(end);
}

QString lastComponent(const QString& path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

QString usageLine(const cleaning::LargeFilesViewModel::InUseMap& inUse, bool english)
{
    if (inUse.isEmpty()) {
        return pick(english,
                    QStringLiteral("未检测到正在使用这些文件的进程，但这不代表没有其他程序依赖它们。请确认你认得这些文件。"),
                    QStringLiteral("No process was detected using these files, but that does not mean nothing else "
                                   "depends on them. Make sure you recognize them."));
    }
    QStringList files;
    QSet<QString> commands;
    for (auto it = inUse.cbegin(); it != inUse.cend(); ++it) {
        files.append(lastComponent(it.key()));
        for (const inspection::FileOpenHandle& handle : it.value())
            commands.insert(handle.command);
    }
    const QString fileText = firstThree(files, english);
    const QString processText = firstThree(QStringList(commands.cbegin(), commands.cend()), english);
    const QString count = QString::number(inUse.size());
    return pick(english,
                QStringLiteral("⚠️ %1 个文件正在被 %2 使用（%3）。删除可能导致这些程序出错，建议先退出它们。")
                    .arg(count, processText, fileText),
                QStringLiteral("⚠️ %1 file(s) are open by %2 (%3). Deleting may break those programs; quit them first.")
                    .arg(count, processText, fileText));
}

} // namespace

QString title(bool permanent, bool anyInUse, bool english)
{
    if (anyInUse)
        return pick(english, QStringLiteral("部分文件正在被使用"), QStringLiteral("Some files are in use"));
    if (permanent)
        return pick(english, QStringLiteral("永久删除？"), QStringLiteral("Delete permanently?"));
    return pick(english, QStringLiteral("移至废纸篓？"), QStringLiteral("Move to Trash?"));
}

QString message(const QList<cleaning::FileItem>& selected, const cleaning::LargeFilesViewModel::InUseMap& inUse, bool permanent,
                bool english)
{
    qint64 bytes = 0;
    for (const cleaning::FileItem& item : selected)
        bytes += item.size;
    const QString size = fmt::byteCount(bytes, fmt::ByteStyle::File,
                                                  english ? fmt::Lang::English : fmt::Lang::Chinese);
    const QString count = QString::number(selected.size());
    const QString summary = pick(english, QStringLiteral("已选 %1 项（%2）。").arg(count, size),
                                 QStringLiteral("%1 item(s) (%2).").arg(count, size));
    const QString mode = permanent
        ? pick(english, QStringLiteral("这些文件会被直接删除，不会进入废纸篓，也无法从废纸篓恢复。"),
               QStringLiteral("These files will be deleted immediately. They will not go to the Trash and cannot be "
                              "restored from there."))
        : pick(english, QStringLiteral("误删可从废纸篓恢复。"), QStringLiteral("You can restore mistakes from the Trash."));
    QStringList systemFolders;
    for (const cleaning::FileItem& item : selected) {
        if (cleaning::SystemLocation::isSystem(item.path) && !systemFolders.contains(topFolder(item.path)))
            systemFolders.append(topFolder(item.path));
    }
    std::sort(systemFolders.begin(), systemFolders.end());
    const QString systemNote = systemFolders.isEmpty()
        ? QString()
        : QStringLiteral("\n\n")
            + models::systemwords::systemFilesNote(models::systemwords::currentLayout(), systemFolders).pick(english);
    return summary + QStringLiteral("\n\n") + usageLine(inUse, english) + QStringLiteral("\n\n") + mode + systemNote;
}

} // namespace velk::screens::deletetext
