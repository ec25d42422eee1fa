#include "ui/design/FixedColors.h"

#include "ui/design/Color.h"

namespace velk::design {

namespace {
QColor hex(const char16_t* text)
{
    return colorFromHex(QStringView(text));
}
} // namespace

QColor GlassColors::glassAccent()
{
    static const QColor c = hex(u"60A5FA");
    return c;
}

QColor GlassColors::glassSuccess()
{
    static const QColor c = hex(u"34D399");
    return c;
}

QColor GlassColors::glassWarning()
{
    static const QColor c = hex(u"FBBF24");
    return c;
}

QColor GlassColors::glassDanger()
{
    static const QColor c = hex(u"F87171");
    return c;
}

QColor GlassColors::surfacePrimary()
{
    static const QColor c = hex(u"0F172A");
    return c;
}

QColor GlassColors::surfaceSecondary()
{
    static const QColor c = hex(u"1E293B");
    return c;
}

QColor GlassColors::surfaceCard()
{
    static const QColor c = withOpacity(Qt::white, 0.05);
    return c;
}

QColor VelkCleanerPalette::glow()
{
    static const QColor c = hex(u"3B82F6");
    return c;
}

QColor VelkCleanerPalette::glowSoft()
{
    static const QColor c = hex(u"60A5FA");
    return c;
}

QColor VelkCleanerPalette::deep()
{
    static const QColor c = hex(u"0F1729");
    return c;
}

QColor VelkCleanerPalette::backdropTop()
{
    static const QColor c = hex(u"0B1220");
    return c;
}

QColor VelkCleanerPalette::backdropBottom()
{
    static const QColor c = hex(u"0E1626");
    return c;
}

} // namespace velk::design
