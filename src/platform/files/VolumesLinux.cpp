#include "platform/files/Volumes.h"

#include "platform/files/ProcFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace velk::platform::files {
namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// A label as the device manager names its link: bytes it would not put in a
// file name are written "\xNN".
QString decodeLabel(const QByteArray& name)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x') {
            const int high = hexDigit(name[i + 2]);
            const int low = hexDigit(name[i + 3]);
            if (high >= 0 && low >= 0) {
                bytes.append(static_cast<char>(high * 16 + low));
                i += 3;
                continue;
            }
        }
        bytes.append(name[i]);
    }
    return QString::fromUtf8(bytes);
}

// The device node behind a mount's source, when it is one.
std::optional<dev_t> blockDeviceOf(const QString& path)
{
    struct stat st;
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISBLK(st.st_mode))
        return std::nullopt;
    return st.st_rdev;
}

class LinuxVolumes final : public Volumes {
public:
    LinuxVolumes(QString mountInfoPath, QString labelFolder)
        : m_mountInfoPath(std::move(mountInfoPath))
        , m_labelFolder(std::move(labelFolder))
    {
    }

    std::vector<Mount> mounts() const override
    {
        std::string text;
        if (!procfiles::read(QFile::encodeName(m_mountInfoPath).toStdString(), text))
            return {};
        return parseMountInfo(text);
    }

    // The label whose link leads to the root mount's device: the same node
    // once links are resolved, or a node of the same device number.
    std::optional<QString> startupVolumeName() const override
    {
        const std::vector<Mount> all = mounts();
        const auto root = std::find_if(all.begin(), all.end(), [](const Mount& m) { return m.nativePath == "/"; });
        if (root == all.end())
            return std::nullopt;
        const QString sourceTarget = QFileInfo(root->source).canonicalFilePath();
        const std::optional<dev_t> sourceDevice = blockDeviceOf(root->source);
        const QDir labels(m_labelFolder);
        for (const QString& name : labels.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
            const QString link = labels.filePath(name);
            const QString target = QFileInfo(link).canonicalFilePath();
            if (target.isEmpty())
                continue;
            const std::optional<dev_t> device = blockDeviceOf(target);
            const bool sameNode = !sourceTarget.isEmpty() && target == sourceTarget;
            const bool sameDevice = device && (*device == root->device || (sourceDevice && *device == *sourceDevice));
            if (sameNode || sameDevice) {
                const QString label = decodeLabel(QFile::encodeName(name));
                if (!label.isEmpty())
                    return label;
            }
        }
        return std::nullopt;
    }

private:
    QString m_mountInfoPath;
    QString m_labelFolder;
};

} // namespace

std::shared_ptr<Volumes> Volumes::linuxBackend(const QString& mountInfoPath, const QString& labelFolder)
{
    return std::make_shared<LinuxVolumes>(mountInfoPath, labelFolder);
}

std::shared_ptr<Volumes> Volumes::createDefault()
{
    return linuxBackend(QStringLiteral("/proc/self/mountinfo"), QStringLiteral("/dev/disk/by-label"));
}

} // namespace velk::platform::files
