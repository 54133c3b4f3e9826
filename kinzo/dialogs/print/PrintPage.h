#pragma once
// One printed page of a grid whose pages are computed (CXGrid::ComputePages),
// numbered from 0 in the order they print: row pages outer, column pages
// inner.

#include <QImage>
#include <QString>

class CXGrid;

int PrintPageCount(const CXGrid& grid);
// The page drawn as the printer draws it, the paper width in pixels.
QImage RenderPrintPage(CXGrid& grid, int page, int width);
// The texts of the page as printed, in reading order (title, the cells row
// by row, the page number), one per line: what a screen reader reads of it.
QString PrintPageText(const CXGrid& grid, int page);
