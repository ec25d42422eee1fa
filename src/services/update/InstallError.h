#pragma once

#include <QString>

namespace velk::language {
class LanguageManager;
}
namespace velk {

// Why an install failed. Each kind has its own description in both
// languages; what the system said (errno, network texts) stays in `detail`
// for diagnostics and is never shown to the user.
struct InstallError {
    enum class Kind {
        // The image's address, or one it redirects to, is not https (plain
        // http only from a loopback update server).
        InsecureAddress,
        // The download could not be completed (network, time-out).
        DownloadFailed,
        // The server answered the download with anything but status 200.
        BadResponse,
        // The image is larger than the installer takes (imageByteLimit).
        ImageTooLarge,
        // The private working folder or the one above it is missing, a
        // link or not ours, or the working folder is not 0700.
        UnsafeWorkFolder,
        // Another instance of the application is installing into the same
        // working folder.
        InstallInProgress,
        // Clearing what an earlier install left, saving the download,
        // creating the mount point, listing the image, copying the
        // application, writing the script or its permissions.
        FileOperationFailed,
        // The disk-image tool cannot be started (absent on this system).
        ImageToolUnavailable,
        // The disk-image tool failed, crashed or hit the safety limit.
        ImageToolFailed,
        // The image holds no application folder.
        NoApplicationOnImage,
        // The install script could not be started.
        ScriptLaunchFailed,
    };

    Kind kind = Kind::FileOperationFailed;
    QString detail;

    QString descriptionZh() const;
    QString descriptionEn() const;
    // The description in `lang`'s current language.
    QString description(const language::LanguageManager& lang) const;
    // A stable name of the kind, for logs and probes.
    QString kindName() const;
};

} // namespace velk
