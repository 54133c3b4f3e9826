#include "kinzo/views/ViewColors.h"

#include "grid/CXGridModel.h"
#include "kolib/KoColors.h"

QColor HeaderColorFor(const QColor& back, const QColor& text)
{
    const auto mix = [](int b, int t) { return b + (t - b) * 15 / 100; };
    return QColor(mix(back.red(), text.red()), mix(back.green(), text.green()), mix(back.blue(), text.blue()));
}

void ApplyViewColors(CXGridModel& grid)
{
    const QColor text = KoTextColor();
    const QColor back = KoBackColor();
    grid.SetCellTextColor(text.rgba());
    grid.SetCellBackColor(back.rgba());
    grid.SetFixedBackColor(HeaderColorFor(back, text).rgba());
    grid.SetFixedTextColor(text.rgba());
    grid.SetLineColor(HeaderColorFor(back, text).darker(130).rgba());
}
