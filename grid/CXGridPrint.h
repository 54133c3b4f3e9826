#pragma once
// Records of the grid's printing: the title, the page-number font, the
// measures taken from the printer, and the split of the lines into pages.

#include <QMargins>
#include <QRect>
#include <QString>

struct CXPrintTitle {
    QString text;
    QString face;       // empty: the grid's face
    int pointSize = 0;  // 0: the grid's size
};

struct CXPrintFont {
    QString face;
    int pointSize = 0;
};

// The non-fixed lines printed on one page, first..last (-1 when the page
// holds only the fixed lines).
struct CXPrintPage {
    int first = -1;
    int last = -1;
};

struct CXPrintMeasures {
    int printerDpiX = 0;
    int printerDpiY = 0;
    int screenDpiX = 96;
    int screenDpiY = 96;
    double ratioX = 1.0;
    double ratioY = 1.0;
    QRect printable;            // the printable area, in printer pixels from its own origin
    QMargins printableOffset;   // how far the printable area lies inside the paper
    int textMarginX = 5;        // 5 and 3 times the ratios
    int textMarginY = 3;
};

// Page margins in millimetres.
struct CXPageMargins {
    double left = 20;
    double top = 10;
    double right = 15;
    double bottom = 10;
};

namespace cxgrid {
// Millimetres as printer pixels, before the printable offset is taken off.
inline int MillimetresToPixels(double mm, int dpi)
{
    return int(mm * dpi / 25.4);
}
}  // namespace cxgrid
