#include "ui/screens/largefiles/LargeFileRowStyle.h"

#include <QFileInfo>

#include <array>

namespace velk::screens::rowstyle {
namespace {

struct KindRule {
    std::initializer_list<const char*> extensions;
    const char* symbol;
    const char* tone;
};

const std::array<KindRule, 5>& kindRules()
{
    static const std::array<KindRule, 5> rules{{
        {{"dmg", "pkg", "iso"}, "externaldrive", "accent"},
        {{"zip", "gz", "tar", "rar", "7z"}, "archivebox", "amber"},
        {{"mp4", "mov", "avi", "mkv"}, "film", "amber"},
        {{"mp3", "m4a", "wav", "flac"}, "music.note", "slate"},
        {{"pdf"}, "doc.text", "slate"},
    }};
    return rules;
}

} // namespace

Kind kind(const QString& path, bool isDirectory)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    for (const KindRule& rule : kindRules()) {
        for (const char* candidate : rule.extensions) {
            if (extension == QLatin1String(candidate))
                return {QString::fromLatin1(rule.symbol), QString::fromLatin1(rule.tone)};
        }
    }
    return {isDirectory ? QStringLiteral("folder") : QStringLiteral("doc"), QStringLiteral("slate")};
}

QString sizeTone(double bytes)
{
    if (bytes > 1'000'000'000.0)
        return QStringLiteral("accent");
    if (bytes > 500'000'000.0)
        return QStringLiteral("amber");
    return QStringLiteral("text1");
}

} // namespace velk::screens::rowstyle
