#include "CXGrid.h"

#include "grid/CXCellKinds.h"
#include "grid/CXGridAccessible.h"
#include "voice/TreeReader.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

CXGrid::MessageFunction& messageFunction()
{
    static CXGrid::MessageFunction function;
    return function;
}

}  // namespace

CXGrid::CXGrid(QWidget* parent) : QAbstractScrollArea(parent)
{
    CXGridAccessible::Register(this);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this](int value) { if (!m_syncing) SetScrollPosition(value, GetScrollColumn()); });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this,
            [this](int value) { if (!m_syncing) SetScrollPosition(GetScrollRow(), value); });
    OnFontChanged();
}

CXGrid::~CXGrid()
{
    m_destroying = true;
    CXGridAccessible::Forget(this);
    // An open editor must not report to a grid that is going away.
    if (auto* cell = dynamic_cast<CXCellControl*>(GetCell(m_editCell))) cell->EndEdit();
    m_editCell = {};
}

bool CXGrid::Create(QWidget* parent, const QRect& rect, int id)
{
    if (!parent) return false;
    setParent(parent);
    setGeometry(rect);
    setObjectName(QString::number(id));
    show();
    return true;
}

void CXGrid::SetMessageFunction(MessageFunction function)
{
    messageFunction() = std::move(function);
}

void CXGrid::ShowMessage(const QString& text)
{
    if (messageFunction()) {
        messageFunction()(this, text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), text, QMessageBox::Ok, this);
    box.exec();
}

void CXGrid::Redraw()
{
    m_dirty = true;
    viewport()->update();
}

void CXGrid::InvalidateCell(CXCellID pos)
{
    const QRect area = GetMergedRect(pos);
    if (area.isEmpty()) return;
    m_dirty = true;
    viewport()->update(area);
}

void CXGrid::RecalcLayout(int flag)
{
    CXGridNav::RecalcLayout(flag);
    Redraw();
}

void CXGrid::OnScrollChanged()
{
    SyncScrollBars();
    Redraw();
}

void CXGrid::SyncScrollBars()
{
    m_syncing = true;
    const auto& rows = RowLayout();
    const auto& cols = ColumnLayout();
    // Each bar is decided on the room without bars, then with the other bar
    // if that one is needed: a bar must not be the reason for the other one.
    const QSize full = maximumViewportSize();
    const int barWidth = verticalScrollBar()->sizeHint().width();
    const int barHeight = horizontalScrollBar()->sizeHint().height();
    bool across = cols.MaxScroll(full.width()) > 0;
    bool down = rows.MaxScroll(full.height()) > 0;
    if (down && !across) across = cols.MaxScroll(full.width() - barWidth) > 0;
    if (across && !down) down = rows.MaxScroll(full.height() - barHeight) > 0;
    const QSize view(full.width() - (down ? barWidth : 0), full.height() - (across ? barHeight : 0));
    verticalScrollBar()->setRange(0, rows.MaxScroll(view.height()));
    verticalScrollBar()->setPageStep(std::max(1, int(rows.VisibleData().size()) - rows.MaxScroll(view.height())));
    verticalScrollBar()->setValue(GetScrollRow());
    horizontalScrollBar()->setRange(0, cols.MaxScroll(view.width()));
    horizontalScrollBar()->setPageStep(std::max(1, int(cols.VisibleData().size()) - cols.MaxScroll(view.width())));
    horizontalScrollBar()->setValue(GetScrollColumn());
    m_syncing = false;
}

void CXGrid::OnFontChanged()
{
    QFont font(GetFontName());
    // The faces of the Windows programs are not on every desktop: the IPA
    // and Noto faces give the same Japanese glyphs.
    font.setFamilies({GetFontName(), u"IPAGothic"_s, u"Noto Sans CJK JP"_s});
    font.setPointSize(GetFontSize());
    m_font = font;
    RecalcLayout(0);
}

void CXGrid::OnStructureChanged()
{
    if (m_destroying) return;
    CXGridAccessible::NotifyReset(this);
    Redraw();
}

void CXGrid::OnCursorMoved(CXCellID, CXCellID current)
{
    // A move our own voice speaks is not handed to the screen reader as a
    // focus change as well (it would read it a second time); the cells keep
    // their names and states for its review commands.
    if (!m_destroying && ReaderFollowsTheCursor()) CXGridAccessible::NotifyFocus(this, current);
}

bool CXGrid::ReaderFollowsTheCursor()
{
    // With a screen reader that reads the tree aloud, the cells are ours to
    // speak even while a refill keeps the grid silent (voice/TreeReader.h).
    const bool ourVoiceSpeaks = IsSpeechEnabled() && Voice().Reader() != nullptr;
    return !ourVoiceSpeaks && !TreeReaderSpeaksArrivals();
}

void CXGrid::PutOnClipboard(const QString& text)
{
    CXGridNav::PutOnClipboard(text);
    if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setText(text);
}

bool CXGrid::event(QEvent* event)
{
    // Keys of the grid's map win over shortcuts of the window while it has the focus.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (CXGridKeyAction(key->key(), key->modifiers()) != CXGridAction::None) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void CXGrid::keyPressEvent(QKeyEvent* event)
{
    const CXGridAction action = CXGridKeyAction(event->key(), event->modifiers());
    if (action != CXGridAction::None) {
        DoAction(action);
        event->accept();
        return;
    }
    const CXCellID cur = GetCurrentCell();
    const QString text = event->text();
    if (!(event->modifiers() & Qt::ControlModifier) && !text.isEmpty() && text.at(0).isPrint()
        && IsValidCell(cur.row, cur.col)) {
        const int kind = GetCell(cur)->GetKind();
        if (kind == cxgrid::KindEdit || kind == cxgrid::KindCombo || kind == cxgrid::KindDate) {
            BeginEditKind(kind, cur, text.at(0).unicode(), text);
            event->accept();
            return;
        }
    }
    event->ignore();
}

void CXGrid::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    // Typing on the grid moves the cursor, never an input method.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    Redraw();
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::ActiveWindowFocusReason) {
        if (ShouldSpeakFocus(reason)) SpeakFocus();
    } else if (m_lostToWindow && ShouldSpeakFocus(reason)) {
        // A window closed over the grid: once the command that opened it had
        // its say, the cell is said again as the period key says it, unless
        // that command said it already or is about to. (A window coming up
        // first hands the focus over without a move; its own words say where
        // the user is.)
        QTimer::singleShot(RereadDelayMs, this, [this, reason] {
            const bool saidJustNow = m_cellSpoken.isValid() && m_cellSpoken.elapsed() < SaidJustNowMs;
            const CXCellID cur = GetCurrentCell();
            if (!saidJustNow && ShouldSpeakFocus(reason) && hasFocus() && IsValidCell(cur.row, cur.col))
                ReadCell(cur, cur, 0);
        });
    }
    m_lostToWindow = false;
    // The widget's own focus event names the table. When our voice says the
    // cell, the screen reader is not put on the cell as well: it would read
    // the cell and its whole row a second time.
    if (ReaderFollowsTheCursor())
        QMetaObject::invokeMethod(this, [this] { CXGridAccessible::NotifyFocus(this, GetCurrentCell()); },
                                  Qt::QueuedConnection);
}

void CXGrid::CellWasSpoken()
{
    m_cellSpoken.start();
}

void CXGrid::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    m_lostToWindow = event->reason() == Qt::ActiveWindowFocusReason;
}

bool CXGrid::ShouldSpeakFocus(Qt::FocusReason reason) const
{
    // A closing menu or menu bar hands the focus back without the user going
    // anywhere; the command that ran says what happened. A window closing over
    // the grid (a dialog, a message box) gives it back: the cell is said again,
    // after what the window said.
    return reason != Qt::PopupFocusReason && reason != Qt::MenuBarFocusReason;
}

void CXGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    SetViewportSize(viewport()->size());
    SyncScrollBars();
    Redraw();
}

bool CXGrid::viewportEvent(QEvent* event)
{
    // A scroll bar coming or going resizes the viewport without resizing the
    // grid: what fits must be measured again, or a bar stays that is not needed.
    if (event->type() == QEvent::Resize && viewport()->size() != GetViewportSize()) {
        SetViewportSize(viewport()->size());
        SyncScrollBars();
        Redraw();
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void CXGrid::wheelEvent(QWheelEvent* event)
{
    const QPoint delta = event->angleDelta();
    const int notches = (delta.y() != 0 ? delta.y() : delta.x()) / 120;
    if (notches == 0) return;
    if (event->modifiers() & Qt::ShiftModifier || delta.y() == 0)
        SetScrollPosition(GetScrollRow(), GetScrollColumn() - notches);
    else
        SetScrollPosition(GetScrollRow() - 3 * notches, GetScrollColumn());
    event->accept();
}

bool CXGrid::BorderAt(const QPoint& point, bool& column, int& line) const
{
    const int grip = 3;
    const CXCellID hit = CellAt(point);
    if (!hit.IsSet()) return false;
    if (hit.row < GetFixedRowCount()) {
        // The right border of this column, or of the one to its left.
        for (int c : {hit.col, hit.col - 1}) {
            const QRect cell = GetCellRect({hit.row, c});
            if (!cell.isEmpty() && std::abs(point.x() - (cell.right() + 1)) <= grip) {
                column = true;
                line = c;
                return true;
            }
        }
    }
    if (hit.col < GetFixedColumnCount()) {
        for (int r : {hit.row, hit.row - 1}) {
            const QRect cell = GetCellRect({r, hit.col});
            if (!cell.isEmpty() && std::abs(point.y() - (cell.bottom() + 1)) <= grip) {
                column = false;
                line = r;
                return true;
            }
        }
    }
    return false;
}

void CXGrid::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
    const QPoint point = event->position().toPoint();
    bool column = false;
    int line = -1;
    if (BorderAt(point, column, line)) {
        m_dragging = true;
        m_dragColumn = column;
        m_dragLine = line;
        return;
    }
    const CXCellID hit = CellAt(point);
    if (!hit.IsSet()) return;
    const CXCellID anchor = MergeStart(hit);
    if (GroupMarkRect(anchor).contains(point)) {
        ToggleGroup(anchor, 0);
        return;
    }
    if (IsDataCell(hit)) {
        setFocus(Qt::MouseFocusReason);
        SetCurrentCell(hit.row, hit.col);
        Redraw();
    }
}

void CXGrid::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (m_dragging) {
        const QRect cell = m_dragColumn ? GetCellRect({0, m_dragLine}) : GetCellRect({m_dragLine, 0});
        const double zoom = GetZoom() > 0 ? GetZoom() : 1.0;
        if (m_dragColumn) SetColumnWidth(m_dragLine, std::max(4, int((point.x() - cell.left()) / zoom)));
        else SetRowHeight(m_dragLine, std::max(4, int((point.y() - cell.top()) / zoom)));
        RecalcLayout(0);
        return;
    }
    bool column = false;
    int line = -1;
    if (BorderAt(point, column, line)) viewport()->setCursor(column ? Qt::SizeHorCursor : Qt::SizeVerCursor);
    else viewport()->unsetCursor();
}

void CXGrid::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_dragging) return QAbstractScrollArea::mouseReleaseEvent(event);
    m_dragging = false;
    if (m_dragColumn) OnColumnResized(m_dragLine);
    else OnRowResized(m_dragLine);
}

void CXGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    const CXCellID hit = CellAt(event->position().toPoint());
    if (hit.IsSet()) OnCellDoubleClick(hit);
}

void CXGrid::OnCellDoubleClick(CXCellID pos)
{
    const bool fixedRow = pos.row < GetFixedRowCount();
    const bool fixedCol = pos.col < GetFixedColumnCount();
    if (fixedRow != fixedCol) ToggleGroup(MergeStart(pos), 0);
    Q_EMIT cellDoubleClicked(pos.row, pos.col);
}
