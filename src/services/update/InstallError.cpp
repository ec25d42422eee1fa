#include "services/update/InstallError.h"

#include "engine/language/LanguageManager.h"

namespace velk {
namespace {

struct Texts {
    const char* name;
    const char* zh;
    const char* en;
};

Texts textsFor(InstallError::Kind kind)
{
    using K = InstallError::Kind;
    switch (kind) {
    case K::InsecureAddress:
        return {"insecure-address", "更新的下载地址不安全，已拒绝下载。",
                "The update’s download address isn’t secure, so it wasn’t downloaded."};
    case K::DownloadFailed:
        return {"download-failed", "无法下载更新，请检查网络连接后重试。",
                "Couldn’t download the update. Check your network connection and try again."};
    case K::BadResponse:
        return {"bad-response", "更新服务器返回了无效的响应。", "The update server sent an invalid response."};
    case K::ImageTooLarge:
        return {"image-too-large", "更新文件超出允许的大小，已停止下载。",
                "The update is larger than allowed, so it wasn’t downloaded."};
    case K::UnsafeWorkFolder:
        return {"unsafe-work-folder", "更新工作文件夹不安全，安装已停止。",
                "The update’s working folder isn’t safe, so the install stopped."};
    case K::InstallInProgress:
        return {"install-in-progress", "另一个更新正在安装，请等它完成后再试。",
                "Another update is being installed. Wait for it to finish, then try again."};
    case K::FileOperationFailed:
        return {"file-operation-failed", "无法写入更新文件。", "Couldn’t write the update files."};
    case K::ImageToolUnavailable:
        return {"image-tool-unavailable", "无法打开更新的磁盘映像：此系统没有磁盘映像工具。",
                "Couldn’t open the update’s disk image: this system has no disk image tool."};
    case K::ImageToolFailed:
        return {"image-tool-failed", "磁盘映像工具未能完成操作。", "The disk image tool couldn’t finish."};
    case K::NoApplicationOnImage:
        return {"no-application", "更新的磁盘映像中没有应用程序。",
                "The update’s disk image doesn’t contain the application."};
    case K::ScriptLaunchFailed:
        return {"script-launch-failed", "无法启动安装脚本。", "Couldn’t start the install script."};
    }
    return {"file-operation-failed", "无法写入更新文件。", "Couldn’t write the update files."};
}

} // namespace

QString InstallError::descriptionZh() const
{
    return QString::fromUtf8(textsFor(kind).zh);
}

QString InstallError::descriptionEn() const
{
    return QString::fromUtf8(textsFor(kind).en);
}

QString InstallError::description(const language::LanguageManager& lang) const
{
    return lang.t(descriptionZh(), descriptionEn());
}

QString InstallError::kindName() const
{
    return QString::fromLatin1(textsFor(kind).name);
}

} // namespace velk
