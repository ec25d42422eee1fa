#include "platform/files/DirectoryWalker.h"

#include <array>

namespace velk::platform::files {
namespace {

// Folder extensions that mark an application or plug-in bundle.
constexpr std::array<std::string_view, 12> kPackageExtensions = {
    "app", "bundle", "framework", "plugin", "kext", "appex", "xpc",
    "prefpane", "qlgenerator", "mdimporter", "component", "saver",
};

// Code unit as an unsigned number, whatever the encoding.
inline unsigned codeUnit(char c) { return static_cast<unsigned char>(c); }
inline unsigned codeUnit(char16_t c) { return c; }

inline unsigned asciiLower(unsigned c)
{
    return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c;
}

// Whether the part of `name` after its last dot is one of the package
// extensions. A name that only starts with a dot has no extension.
template <class Char>
bool hasPackageExtension(std::basic_string_view<Char> name)
{
    const std::size_t size = name.size();
    std::size_t dot = size;
    while (dot > 0 && codeUnit(name[dot - 1]) != '.')
        --dot;
    if (dot <= 1)
        return false;
    const std::size_t extLength = size - dot;
    for (std::string_view ext : kPackageExtensions) {
        if (ext.size() != extLength)
            continue;
        bool same = true;
        for (std::size_t i = 0; i < extLength && same; ++i) {
            same = asciiLower(codeUnit(name[dot + i])) == static_cast<unsigned char>(ext[i]);
        }
        if (same)
            return true;
    }
    return false;
}

} // namespace

bool isPackageName(QStringView name)
{
    return hasPackageExtension(std::u16string_view(name.utf16(), static_cast<std::size_t>(name.size())));
}

bool isPackageNameUtf8(std::string_view name)
{
    return hasPackageExtension(name);
}

} // namespace velk::platform::files
