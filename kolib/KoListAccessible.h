#pragma once
// The list with columns as the screen reader meets it: a list named by its
// window, whose children are its rows, one list item each, in list order
// (child i is row i). A row is named by its columns with their headings, the
// words our voice says for it, and carries its selection, focus and check
// box as states. Qt would present the list as a tree of cells, header cells
// counted among the items.
//
// The list sends its own focus and selection events with the row as the
// child; Qt's tree view would send the index of a cell.

class CKoVListCtrl;
class QAccessibleInterface;

QAccessibleInterface* KoMakeListAccessible(CKoVListCtrl* list);
