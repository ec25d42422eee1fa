#include "ui/design/Symbols.h"

#include <QLoggingCategory>
#include <QSet>
#include <algorithm>
#include <iterator>

namespace velk::design {

namespace {

Q_LOGGING_CATEGORY(symbolLog, "velk.design.symbols")

struct SymbolEntry {
    const char16_t* name;
    const char16_t* materialName; // for whoever edits the table
    char32_t codepoint;
};

// Sorted by name.
constexpr SymbolEntry symbolEntries[] = {
    { u"app", u"apps", 0xe5c3 },
    { u"app.badge", u"app_registration", 0xef40 },
    { u"archivebox", u"archive", 0xe149 },
    { u"archivebox.fill", u"archive", 0xe149 },
    { u"arrow.clockwise", u"refresh", 0xe5d5 },
    { u"arrow.down.circle", u"arrow_circle_down", 0xf181 },
    { u"arrow.down.circle.fill", u"download_for_offline", 0xf000 },
    { u"arrow.up.right", u"north_east", 0xf1e1 },
    { u"battery.0", u"battery_0_bar", 0xebdc },
    { u"bolt", u"bolt", 0xea0b },
    { u"bolt.circle", u"offline_bolt", 0xe932 },
    { u"bubble.left.and.bubble.right", u"forum", 0xe0bf },
    { u"cable.connector", u"cable", 0xefe6 },
    { u"checkmark", u"check", 0xe5ca },
    { u"chevron.down", u"expand_more", 0xe5cf },
    { u"chevron.left.forwardslash.chevron.right", u"code", 0xe86f },
    { u"chevron.right", u"chevron_right", 0xe5cc },
    { u"chevron.up", u"expand_less", 0xe5ce },
    { u"circle.fill", u"circle", 0xef4a },
    { u"clock", u"schedule", 0xe8b5 },
    { u"clock.arrow.circlepath", u"history", 0xe889 },
    { u"cpu", u"memory", 0xe322 },
    { u"cube.fill", u"view_in_ar", 0xe9fe },
    { u"desktopcomputer", u"desktop_windows", 0xe30c },
    { u"diamond.fill", u"diamond", 0xead5 },
    { u"doc", u"insert_drive_file", 0xe24d },
    { u"doc.text", u"description", 0xe873 },
    { u"doc.text.fill", u"article", 0xef42 },
    { u"doc.viewfinder", u"document_scanner", 0xe5fa },
    { u"envelope", u"mail_outline", 0xe0e1 },
    { u"envelope.fill", u"email", 0xe0be },
    { u"exclamationmark.octagon.fill", u"report", 0xe160 },
    { u"exclamationmark.triangle.fill", u"warning", 0xe002 },
    { u"externaldrive", u"sd_storage", 0xe1c2 },
    { u"film", u"movie", 0xe02c },
    { u"flame", u"local_fire_department", 0xef55 },
    { u"folder", u"folder", 0xe2c7 },
    { u"gearshape", u"settings", 0xe8b8 },
    { u"gearshape.2", u"miscellaneous_services", 0xf10c },
    { u"gearshape.fill", u"settings", 0xe8b8 },
    { u"globe", u"public", 0xe80b },
    { u"hammer.fill", u"hardware", 0xea59 },
    { u"hand.raised", u"pan_tool", 0xe925 },
    { u"heart.fill", u"favorite", 0xe87d },
    { u"house.fill", u"home", 0xe88a },
    { u"icloud", u"cloud", 0xe2bd },
    { u"info.circle", u"info_outline", 0xe88f },
    { u"internaldrive", u"storage", 0xe1db },
    { u"iphone", u"smartphone", 0xe32c },
    { u"link", u"link", 0xe157 },
    { u"list.bullet.rectangle", u"list_alt", 0xe0ee },
    { u"macwindow", u"web_asset", 0xe069 },
    { u"magnifyingglass", u"search", 0xe8b6 },
    { u"magnifyingglass.circle", u"saved_search", 0xea11 },
    { u"message", u"chat_bubble_outline", 0xe0cb },
    { u"message.fill", u"chat_bubble", 0xe0ca },
    { u"mug.fill", u"coffee", 0xefef },
    { u"music.note", u"music_note", 0xe405 },
    { u"music.note.list", u"queue_music", 0xe03d },
    { u"person", u"person", 0xe7fd },
    { u"photo", u"photo", 0xe410 },
    { u"point.3.connected.trianglepath.dotted", u"hub", 0xe9f4 },
    { u"puzzlepiece.fill", u"extension", 0xe87b },
    { u"safari", u"explore", 0xe87a },
    { u"shippingbox", u"inventory_2", 0xe1a1 },
    { u"shippingbox.fill", u"inventory_2", 0xe1a1 },
    { u"sparkles", u"auto_awesome", 0xe65f },
    { u"stop.fill", u"stop", 0xe047 },
    { u"swift", u"flutter_dash", 0xe00b },
    { u"terminal.fill", u"terminal", 0xeb8e },
    { u"trash", u"delete_outline", 0xe92e },
    { u"trash.fill", u"delete", 0xe872 },
    { u"trash.slash", u"delete_forever", 0xe92b },
    { u"waveform.path.ecg", u"monitor_heart", 0xeaa2 },
    { u"xmark", u"close", 0xe5cd },
    { u"xmark.app", u"disabled_by_default", 0xf230 },
    { u"xmark.octagon", u"dangerous", 0xe99a },
};

constexpr char32_t questionMarkCodepoint = 0xe8fd; // help_outline

const SymbolEntry* find(QStringView name)
{
    const auto it = std::lower_bound(std::begin(symbolEntries), std::end(symbolEntries), name,
        [](const SymbolEntry& entry, QStringView key) { return QStringView(entry.name) < key; });
    if (it == std::end(symbolEntries) || QStringView(it->name) != name)
        return nullptr;
    return it;
}

void reportUnknown(QStringView name)
{
    static QSet<QString> reported;
    const QString key = name.toString();
    if (!reported.contains(key)) {
        reported.insert(key);
        qCWarning(symbolLog) << "no glyph for symbol" << key;
    }
}

} // namespace

QString SymbolTable::fontFamily()
{
    return QStringLiteral("Material Icons");
}

std::optional<char32_t> SymbolTable::codepoint(QStringView name)
{
    const SymbolEntry* entry = find(name);
    return entry ? std::optional<char32_t>(entry->codepoint) : std::nullopt;
}

char32_t SymbolTable::fallbackCodepoint()
{
    return questionMarkCodepoint;
}

QString SymbolTable::glyph(QStringView name)
{
    const auto found = codepoint(name);
    if (!found)
        reportUnknown(name);
    const char32_t cp = found.value_or(questionMarkCodepoint);
    return QString::fromUcs4(&cp, 1);
}

QStringList SymbolTable::names()
{
    QStringList names;
    for (const SymbolEntry& entry : symbolEntries)
        names << QString::fromUtf16(entry.name);
    return names;
}

QString SymbolsQml::glyph(const QString& name) const
{
    return SymbolTable::glyph(name);
}

bool SymbolsQml::isKnown(const QString& name) const
{
    return SymbolTable::codepoint(name).has_value();
}

} // namespace velk::design
