// The grid's side of in-place editing.
#include "CXGrid.h"

#include "grid/CXCellKinds.h"

int CXGrid::BeginEditEdit(CXCellID pos, int charCode, const QString& initial)
{
    return BeginEditKind(cxgrid::KindEdit, pos, charCode, initial);
}

int CXGrid::BeginEditCombo(CXCellID pos, int charCode, const QString& initial)
{
    return BeginEditKind(cxgrid::KindCombo, pos, charCode, initial);
}

int CXGrid::BeginEditDate(CXCellID pos, int charCode, const QString& initial)
{
    return BeginEditKind(cxgrid::KindDate, pos, charCode, initial);
}

int CXGrid::BeginEditKind(int kind, CXCellID pos, int charCode, const QString& initial)
{
    auto* cell = dynamic_cast<CXCellControl*>(GetCell(pos));
    if (!cell || cell->GetKind() != kind) return 0;
    // One editor at a time: another edit in progress ends first.
    if (m_editCell.IsSet()) {
        if (auto* open = dynamic_cast<CXCellControl*>(GetCell(m_editCell)))
            OnEndEdit(kind, 0, open->GetEditPosition());
    }
    EnsureVisible(pos);
    const QRect rect = GetMergedRect(pos);
    if (rect.isEmpty()) return 0;
    if (!cell->BeginEdit(this, charCode, m_font, pos, initial, rect)) return 0;
    m_editCell = pos;
    Redraw();
    return 1;
}

void CXGrid::RequestEndEdit()
{
    const CXCellID pos = m_editCell;
    const auto* cell = dynamic_cast<const CXCellControl*>(GetCell(pos));
    if (!cell) return;
    const int message = cell->GetKind() == cxgrid::KindEdit ? EditEnded
                        : cell->GetKind() == cxgrid::KindCombo ? ComboEnded
                                                              : DateEnded;
    QMetaObject::invokeMethod(this, [this, message, pos] { OnEndEdit(message, 0, pos); }, Qt::QueuedConnection);
}

void CXGrid::OnEndEdit(int, int key, CXCellID pos)
{
    if (!m_editCell.IsSet() || pos != m_editCell) return;
    auto* cell = dynamic_cast<CXCellControl*>(GetCell(pos));
    m_editCell = {};
    if (!cell) return;
    cell->SetText(cell->GetEditText());
    // A key ended the edit inside the grid: the focus comes back here. When
    // the user went elsewhere, the focus stays where the user went.
    if (key != 0) setFocus(Qt::OtherFocusReason);
    cell->EndEdit();
    const CXCellID before = GetCurrentCell();
    switch (key) {
    case Qt::Key_Tab: MoveRight(before); break;
    case Qt::Key_Up: MoveUp(before); break;
    case Qt::Key_Down: MoveDown(before); break;
    default: break;
    }
    InvalidateCell(before);
    InvalidateCell(GetCurrentCell());
    Redraw();
}
