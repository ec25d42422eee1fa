#include "ui/design/VelkColorPalette.h"

#include "ui/design/Color.h"

namespace velk::design {

namespace {

QColor hex(const char* text, double opacity = 1.0)
{
    return withOpacity(colorFromHex(QString::fromLatin1(text)), opacity);
}

VelkColorPalette makeInk()
{
    VelkColorPalette p;
    p.theme = AppTheme::cyber;
    p.bg0 = hex("141311");
    p.bg1 = hex("141311");
    p.bg2 = hex("1E1C19");
    p.bg3 = hex("2A2723");
    p.bgElevated = hex("1E1C19");
    p.border = hex("F4F1EB", 0.12);
    p.borderStrong = hex("F4F1EB", 0.2);
    p.borderFaint = hex("F4F1EB", 0.06);
    p.borderWarm = hex("D4B483", 0.5);
    p.text1 = hex("F4F1EB");
    p.text2 = hex("D5CFC5");
    p.text3 = hex("A39C91");
    p.text4 = hex("7A746B");
    p.accent = hex("D4B483");
    p.orange = hex("D4B483");
    p.amber = hex("E0B15A");
    p.slate = hex("A39C91");
    p.green = hex("8FBF9E");
    p.red = hex("E08A82");
    p.emerald = hex("8FBF9E");
    p.teal = hex("D4B483");
    p.purple = hex("D4B483");
    p.pink = hex("D4B483");
    p.sidebar = hex("141311");
    p.sidebarHover = hex("F4F1EB", 0.05);
    p.sidebarSelected = hex("F4F1EB", 0.06);
    p.hover = hex("F4F1EB", 0.05);
    p.onAccent = hex("141311");
    p.onDanger = hex("141311");
    return p;
}

VelkColorPalette makePaper()
{
    VelkColorPalette p;
    p.theme = AppTheme::classic;
    p.bg0 = hex("F4F1EB");
    p.bg1 = hex("F4F1EB");
    p.bg2 = hex("E8E2D8");
    p.bg3 = hex("DDD6CA");
    p.bgElevated = hex("FBF9F5");
    p.border = hex("1A1916", 0.12);
    p.borderStrong = hex("1A1916", 0.22);
    p.borderFaint = hex("1A1916", 0.06);
    p.borderWarm = hex("6F5424", 0.45);
    p.text1 = hex("1A1916");
    p.text2 = hex("3E3A34");
    p.text3 = hex("6E675E");
    p.text4 = hex("948C82");
    p.accent = hex("6F5424");
    p.orange = hex("6F5424");
    p.amber = hex("8A5A1E");
    p.slate = hex("6E675E");
    p.green = hex("2C6240");
    p.red = hex("8E332C");
    p.emerald = hex("2C6240");
    p.teal = hex("6F5424");
    p.purple = hex("6F5424");
    p.pink = hex("6F5424");
    p.sidebar = hex("F4F1EB");
    p.sidebarHover = hex("1A1916", 0.05);
    p.sidebarSelected = hex("1A1916", 0.06);
    p.hover = hex("1A1916", 0.05);
    p.onAccent = hex("F4F1EB");
    p.onDanger = hex("F4F1EB");
    return p;
}

} // namespace

const VelkColorPalette& VelkColorPalette::ink()
{
    static const VelkColorPalette palette = makeInk();
    return palette;
}

const VelkColorPalette& VelkColorPalette::paper()
{
    static const VelkColorPalette palette = makePaper();
    return palette;
}

const VelkColorPalette& VelkColorPalette::cyber()
{
    static const VelkColorPalette palette = ink();
    return palette;
}

const VelkColorPalette& VelkColorPalette::classic()
{
    static const VelkColorPalette palette = paper();
    return palette;
}

const QColor* VelkColorPalette::role(QStringView name) const
{
#define VELK_PALETTE_ROLE(field)                                                                   \
    if (name == QLatin1String(#field))                                                         \
        return &field;
    VELK_PALETTE_COLOURS(VELK_PALETTE_ROLE)
#undef VELK_PALETTE_ROLE
    return nullptr;
}

bool operator==(const VelkColorPalette& a, const VelkColorPalette& b)
{
    if (a.theme != b.theme)
        return false;
#define VELK_PALETTE_EQUAL(field)                                                                  \
    if (a.field != b.field)                                                                        \
        return false;
    VELK_PALETTE_COLOURS(VELK_PALETTE_EQUAL)
#undef VELK_PALETTE_EQUAL
    return true;
}

} // namespace velk::design
