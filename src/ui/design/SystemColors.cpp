#include "ui/design/SystemColors.h"

#include "ui/design/PaletteSnapshot.h"

namespace velk::design {

SystemColors::SystemColors(QObject* parent)
    : QObject(parent)
{
    connect(&PaletteSnapshot::instance(), &PaletteSnapshot::changed, this, &SystemColors::appearanceChanged);
}

bool SystemColors::dark() const
{
    return PaletteSnapshot::instance().palette().theme.isDark();
}

QColor SystemColors::accent() const
{
    return dark() ? QColor(0x0A, 0x84, 0xFF) : QColor(0x00, 0x7A, 0xFF);
}

QColor SystemColors::label() const
{
    return dark() ? QColor::fromRgbF(1, 1, 1, 0.85f) : QColor::fromRgbF(0, 0, 0, 0.85f);
}

QColor SystemColors::secondaryLabel() const
{
    return dark() ? QColor(235, 235, 245, 153) : QColor(60, 60, 67, 153);
}

QColor SystemColors::secondary() const
{
    return dark() ? QColor(0x98, 0x98, 0x9D) : QColor(0x8E, 0x8E, 0x93);
}

QColor SystemColors::regularMaterial() const
{
    return dark() ? QColor(41, 41, 43, 199) : QColor(245, 245, 247, 199);
}

QColor SystemColors::ultraThinMaterial() const
{
    return dark() ? QColor(31, 31, 33, 89) : QColor(255, 255, 255, 89);
}

} // namespace velk::design
