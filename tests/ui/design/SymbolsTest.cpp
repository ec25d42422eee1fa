#include "ui/design/Symbols.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <gtest/gtest.h>

namespace velk::design {
namespace {

// Every symbol name the views use.
const char* const usedSymbols[] = { "app", "app.badge", "archivebox", "archivebox.fill", "arrow.clockwise",
    "arrow.down.circle", "arrow.down.circle.fill", "arrow.up.right", "battery.0", "bolt", "bolt.circle",
    "bubble.left.and.bubble.right", "cable.connector", "checkmark", "chevron.down",
    "chevron.left.forwardslash.chevron.right", "chevron.right", "chevron.up", "circle.fill", "clock",
    "clock.arrow.circlepath", "cpu", "cube.fill", "desktopcomputer", "diamond.fill", "doc", "doc.text",
    "doc.text.fill", "doc.viewfinder", "envelope", "envelope.fill", "exclamationmark.octagon.fill",
    "exclamationmark.triangle.fill", "externaldrive", "film", "flame", "folder", "gearshape", "gearshape.2",
    "gearshape.fill", "globe", "hammer.fill", "hand.raised", "heart.fill", "house.fill", "icloud", "info.circle",
    "internaldrive", "iphone", "link", "list.bullet.rectangle", "macwindow", "magnifyingglass",
    "magnifyingglass.circle", "message", "message.fill", "mug.fill", "music.note", "music.note.list", "person",
    "photo", "point.3.connected.trianglepath.dotted", "puzzlepiece.fill", "safari", "shippingbox",
    "shippingbox.fill", "sparkles", "stop.fill", "swift", "terminal.fill", "trash", "trash.fill", "trash.slash",
    "waveform.path.ecg", "xmark", "xmark.app", "xmark.octagon" };

TEST(Symbols, EveryUsedNameHasAGlyphOfTheSymbolFont)
{
    const QFont font(SymbolTable::fontFamily());
    ASSERT_EQ(QFontInfo(font).family(), SymbolTable::fontFamily()) << "symbol font not installed";
    const QFontMetrics metrics(font);
    for (const char* name : usedSymbols) {
        const auto codepoint = SymbolTable::codepoint(QString::fromLatin1(name));
        ASSERT_TRUE(codepoint.has_value()) << name;
        EXPECT_TRUE(metrics.inFontUcs4(*codepoint)) << name;
        EXPECT_EQ(SymbolTable::glyph(QString::fromLatin1(name)), QString::fromUcs4(&*codepoint, 1)) << name;
    }
    EXPECT_EQ(SymbolTable::names().size(), qsizetype(std::size(usedSymbols)));
}

TEST(Symbols, UnknownNamesDrawAVisibleFallback)
{
    const char32_t fallback = SymbolTable::fallbackCodepoint();
    EXPECT_TRUE(QFontMetrics(QFont(SymbolTable::fontFamily())).inFontUcs4(fallback));
    for (const char* name : { "no.such.symbol", "Trash", "trash ", "" }) {
        EXPECT_FALSE(SymbolTable::codepoint(QString::fromLatin1(name)).has_value()) << name;
        EXPECT_EQ(SymbolTable::glyph(QString::fromLatin1(name)), QString::fromUcs4(&fallback, 1)) << name;
    }
}

} // namespace
} // namespace velk::design
