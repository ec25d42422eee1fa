#include "engine/cleaning/ScanCategoryID.h"

#include "engine/language/LanguageManager.h"

namespace velk::cleaning {
namespace {

struct CategoryRow {
    const char* rawValue;
    const char* title;
    const char* englishTitle;
    const char* subtitle;
    const char* icon;
    ScanCategoryGroup group;
    bool requiresConfirmation;
    palette::ColorRole color;
    // As the location map names them; unused places stay empty.
    std::array<const char*, 4> folders;
};

using G = ScanCategoryGroup;
using C = palette::ColorRole;

// One row per category, in declaration order.
constexpr CategoryRow kRows[] = {
    {"user_caches", "用户缓存", "User Caches", "~/Library/Caches",
     "internaldrive", G::system, false, C::accent, {"~/Library/Caches"}},
    {"system_logs", "系统日志", "System Logs", "/Library/Logs",
     "doc.text.fill", G::system, false, C::amber, {"/Library/Logs"}},
    {"user_logs", "应用日志", "App Logs", "~/Library/Logs", "doc.text", G::system, false, C::amber, {"~/Library/Logs"}},
    {"trash", "废纸篓", "Trash", "~/.Trash", "trash.fill", G::system, true, C::red, {"~/.Trash"}},
    {"downloads", "下载文件夹", "Downloads", "~/Downloads",
     "arrow.down.circle.fill", G::system, true, C::slate, {"~/Downloads"}},
    {"language_files", "语言包文件", "Language Files", "应用程序内语言文件", "globe", G::apps, false, C::slate, {}},
    {"derived_data", "Xcode 派生数据", "Xcode Derived Data", "~/Library/Developer/Xcode/DerivedData",
     "hammer.fill", G::xcode, false, C::accent, {"~/Library/Developer/Xcode/DerivedData"}},
    {"xcode_cache", "Xcode 缓存", "Xcode Caches", "~/Library/Caches/com.apple.dt.Xcode",
     "swift", G::xcode, false, C::accent, {"~/Library/Caches/com.apple.dt.Xcode"}},
    {"xcode_simulator_cache", "模拟器缓存", "Simulator Caches", "~/Library/Developer/CoreSimulator/Caches",
     "iphone", G::xcode, false, C::amber, {"~/Library/Developer/CoreSimulator/Caches"}},
    {"xcode_device_support", "设备调试符号", "Device Support", "~/Library/Developer/Xcode/iOS DeviceSupport",
     "cable.connector", G::xcode, false, C::amber,
     {"~/Library/Developer/Xcode/iOS DeviceSupport", "~/Library/Developer/Xcode/watchOS DeviceSupport",
      "~/Library/Developer/Xcode/tvOS DeviceSupport", "~/Library/Developer/Xcode/visionOS DeviceSupport"}},
    {"xcode_archives", "Xcode 归档", "Xcode Archives", "~/Library/Developer/Xcode/Archives",
     "archivebox.fill", G::xcode, true, C::amber, {"~/Library/Developer/Xcode/Archives"}},
    {"npm_cache", "npm 缓存", "npm Cache", "~/.npm/_cacache",
     "shippingbox.fill", G::languages, false, C::accent, {"~/.npm/_cacache"}},
    {"brew_cache", "Homebrew 缓存", "Homebrew Cache", "~/Library/Caches/Homebrew",
     "mug.fill", G::languages, false, C::amber, {"~/Library/Caches/Homebrew"}},
    {"docker_data", "Docker 镜像", "Docker Images", "~/Library/Containers/com.docker.docker",
     "cube.fill", G::apps, true, C::slate, {"~/Library/Containers/com.docker.docker"}},
    {"mail_attachments", "邮件附件缓存", "Mail Attachments", "~/Library/Containers/com.apple.mail",
     "envelope.fill", G::apps, false, C::slate, {"~/Library/Containers/com.apple.mail"}},
    {"messages_attachments", "信息附件缓存", "Messages Attachments", "~/Library/Messages/Attachments",
     "message.fill", G::apps, false, C::slate, {"~/Library/Messages/Attachments"}},
    {"pip_cache", "pip 缓存", "pip Cache", "~/Library/Caches/pip",
     "terminal.fill", G::languages, false, C::accent, {"~/Library/Caches/pip"}},
    {"maven_cache", "Maven 本地仓库", "Maven Repository", "~/.m2/repository",
     "archivebox", G::languages, true, C::amber, {"~/.m2/repository"}},
    {"go_cache", "Go 模块缓存", "Go Module Cache", "~/Library/Caches/go-build",
     "chevron.left.forwardslash.chevron.right", G::languages, false, C::slate,
     {"~/Library/Caches/go-build", "~/go/pkg/mod/cache"}},
    {"gradle_cache", "Gradle 缓存", "Gradle Cache", "~/.gradle/caches",
     "gearshape.fill", G::languages, false, C::amber, {"~/.gradle/caches"}},
    {"cargo_cache", "Cargo 缓存", "Cargo Cache", "~/.cargo/registry",
     "shippingbox", G::languages, true, C::accent, {"~/.cargo/registry/cache", "~/.cargo/registry/src"}},
    {"gem_cache", "RubyGems 缓存", "RubyGems Cache", "~/.gem",
     "diamond.fill", G::languages, true, C::slate, {"~/.gem/specs"}},
    {"composer_cache", "Composer 缓存", "Composer Cache", "~/.composer/cache",
     "music.note.list", G::languages, false, C::slate, {"~/.composer/cache"}},
    {"pod_cache", "CocoaPods 缓存", "CocoaPods Cache", "~/Library/Caches/CocoaPods",
     "puzzlepiece.fill", G::languages, false, C::slate, {"~/Library/Caches/CocoaPods"}},
};
static_assert(std::size(kRows) == kScanCategoryCount);

constexpr const char* kLanguageFilesEnglishSubtitle = "App localization files";

const CategoryRow& row(ScanCategoryID id)
{
    return kRows[static_cast<std::size_t>(id)];
}

} // namespace

QString rawValue(ScanCategoryID id)
{
    return QString::fromLatin1(row(id).rawValue);
}

std::optional<ScanCategoryID> scanCategoryIDFromRawValue(QStringView text)
{
    for (ScanCategoryID id : allScanCategoryIDs) {
        if (text == QLatin1StringView(row(id).rawValue))
            return id;
    }
    return std::nullopt;
}

QString title(ScanCategoryID id)
{
    return QString::fromUtf8(row(id).title);
}

QString englishTitle(ScanCategoryID id)
{
    return QString::fromUtf8(row(id).englishTitle);
}

QString title(ScanCategoryID id, const language::LanguageManager& language)
{
    return language.isEnglish() ? englishTitle(id) : title(id);
}

QString subtitle(ScanCategoryID id)
{
    return QString::fromUtf8(row(id).subtitle);
}

QString englishSubtitle(ScanCategoryID id)
{
    return id == ScanCategoryID::languageFiles ? QString::fromUtf8(kLanguageFilesEnglishSubtitle) : subtitle(id);
}

QString subtitle(ScanCategoryID id, const language::LanguageManager& language)
{
    if (id != ScanCategoryID::languageFiles)
        return subtitle(id);
    return language.t(subtitle(id), englishSubtitle(id));
}

QStringList folders(ScanCategoryID id)
{
    QStringList all;
    for (const char* folder : row(id).folders) {
        if (folder)
            all.append(QString::fromUtf8(folder));
    }
    return all;
}

QString icon(ScanCategoryID id)
{
    return QString::fromLatin1(row(id).icon);
}

ScanCategoryGroup group(ScanCategoryID id)
{
    return row(id).group;
}

bool requiresConfirmation(ScanCategoryID id)
{
    return row(id).requiresConfirmation;
}

palette::ColorRole color(ScanCategoryID id)
{
    return row(id).color;
}

QString rawValue(ScanCategoryGroup group)
{
    switch (group) {
    case ScanCategoryGroup::system: return QStringLiteral("系统垃圾");
    case ScanCategoryGroup::xcode: return QStringLiteral("Xcode 开发");
    case ScanCategoryGroup::languages: return QStringLiteral("开发语言");
    case ScanCategoryGroup::apps: return QStringLiteral("应用数据");
    }
    return {};
}

} // namespace velk::cleaning
