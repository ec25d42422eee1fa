#include "ui/design/PaletteSnapshot.h"

namespace velk::design {

PaletteSnapshot::PaletteSnapshot()
    : m_palette(VelkColorPalette::cyber())
{
}

PaletteSnapshot& PaletteSnapshot::instance()
{
    // Lives for the whole process; never destroyed so that views torn down
    // late can still read it.
    static PaletteSnapshot* snapshot = new PaletteSnapshot;
    return *snapshot;
}

void PaletteSnapshot::replace(const VelkColorPalette& palette)
{
    const bool different = !(palette == m_palette);
    m_palette = palette;
    if (different)
        emit changed();
}

} // namespace velk::design
