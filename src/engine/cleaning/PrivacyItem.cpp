#include "engine/cleaning/PrivacyItem.h"

#include "common/format/Formatting.h"

namespace velk::cleaning {

PrivacyItem::PrivacyItem(const QString& title_, const QString& titleEn_, const QString& icon_,
                         const QStringList& paths_, bool isSelected_)
    : id(QUuid::createUuid())
    , title(title_)
    , titleEn(titleEn_)
    , icon(icon_)
    , paths(paths_)
    , isSelected(isSelected_)
{
}

QString PrivacyItem::formattedSize() const
{
    return fmt::byteCount(totalSize, fmt::ByteStyle::File);
}

QList<PrivacyItem> PrivacyItem::allTargets()
{
    return {
        PrivacyItem(QStringLiteral("Safari 历史记录"), "Safari History", "safari",
                    {"~/Library/Safari/History.db", "~/Library/Safari/History.db-wal"}),
        PrivacyItem(QStringLiteral("Safari 缓存"), "Safari Caches", "safari", {"~/Library/Caches/com.apple.Safari"}),
        PrivacyItem(QStringLiteral("Chrome 历史记录"), "Chrome History", "globe",
                    {"~/Library/Application Support/Google/Chrome/Default/History"}),
        PrivacyItem(QStringLiteral("Chrome 缓存"), "Chrome Caches", "globe", {"~/Library/Caches/Google/Chrome"}),
        PrivacyItem(QStringLiteral("Firefox 缓存"), "Firefox Caches", "flame", {"~/Library/Caches/Firefox/Profiles"}),
        PrivacyItem(QStringLiteral("邮件附件缓存"), "Mail Attachments", "envelope",
                    {"~/Library/Containers/com.apple.mail/Data/Library/Mail Downloads"}),
        PrivacyItem(QStringLiteral("最近使用记录"), "Recent Items", "clock",
                    {"~/Library/Application Support/com.apple.sharedfilelist"}),
    };
}

} // namespace velk::cleaning
