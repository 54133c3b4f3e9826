#include "CKoVListCtrl.h"

#include "CKoCheckBox.h"
#include "KoAccessible.h"
#include "KoAppVoice.h"
#include "voice/CVoiceReader.h"
#include "voice/TreeReader.h"

#include <QAccessible>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTimer>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// A modifier, or a key held with Alt or Control: a command for the window,
// which has its own words, not a move in the list.
bool isCommandKey(const QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
    case Qt::Key_AltGr: return true;
    default: return event->modifiers() & (Qt::AltModifier | Qt::ControlModifier);
    }
}

}  // namespace

CKoVListCtrl::CKoVListCtrl(QWidget* parent) : QTreeWidget(parent), m_fontHeight(fontMetrics().height())
{
    KoInstallAccessibility();
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
}

QTreeWidgetItem* CKoVListCtrl::FirstSelected() const
{
    for (int i = 0; i < topLevelItemCount(); ++i)
        if (topLevelItem(i)->isSelected()) return topLevelItem(i);
    return nullptr;
}

QTreeWidgetItem* CKoVListCtrl::SpokenRow() const
{
    QTreeWidgetItem* selected = FirstSelected();
    return selected ? selected : currentItem();
}

bool CKoVListCtrl::HasCheckBox(const QTreeWidgetItem* item)
{
    return (item->flags() & Qt::ItemIsUserCheckable) && item->data(0, Qt::CheckStateRole).isValid();
}

QString CKoVListCtrl::RowText(const QTreeWidgetItem* item) const
{
    QStringList parts;
    for (int column = 0; column < columnCount(); ++column) {
        const QString text = item->text(column);
        if (!text.isEmpty()) parts << headerItem()->text(column) + u' ' + text;
    }
    return parts.join(u' ');
}

QString CKoVListCtrl::ItemSpeech(const QTreeWidgetItem* item) const
{
    if (!item) return QString();
    QString spoken = RowText(item);
    if (HasCheckBox(item))
        spoken += item->checkState(0) == Qt::Checked ? u" チェックあり "_s : u" チェックなし "_s;
    return spoken;
}

QString CKoVListCtrl::CheckAnnouncement(bool checked)
{
    return CKoCheckBox::ChangeSpeech(checked);
}

void CKoVListCtrl::keyPressEvent(QKeyEvent* event)
{
    // Not remembered as pressed here: Enter usually opens a window, and its
    // release after that window closed must not say the row again.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && m_enterAction && m_enterAction(event->modifiers())) {
        event->accept();
        return;
    }
    m_pressedKey = event->key();
    QTreeWidget::keyPressEvent(event);
    CVoiceReader* voice = KoAppVoice();
    if (event->key() != Qt::Key_Space || !voice || !voice->IsXPReader()) return;
    // Said after the list toggled the box, so the words match what the box now shows.
    if (const QTreeWidgetItem* item = SpokenRow(); item && HasCheckBox(item))
        voice->ReadText(CheckAnnouncement(item->checkState(0) == Qt::Checked), 1, 0);
}

void CKoVListCtrl::keyReleaseEvent(QKeyEvent* event)
{
    QTreeWidget::keyReleaseEvent(event);
    // A key pressed in another window (a dialog that closed on it) is not ours.
    const bool pressedHere = event->key() == m_pressedKey;
    if (!event->isAutoRepeat()) m_pressedKey = 0;
    if (event->isAutoRepeat() || !pressedHere || isCommandKey(event)) return;
    KoAppStopRead();
    SayCurrent();
}

void CKoVListCtrl::ReturnToRow(int index)
{
    const int row = std::min(index, topLevelItemCount() - 1);
    if (row >= 0) setCurrentItem(topLevelItem(row));
    m_returning = true;
    setFocus(Qt::OtherFocusReason);
    m_returning = false;
    SayArrival();
    // Said: the window closing over the list later need not say it again.
    m_sayOnFocus = false;
}

void CKoVListCtrl::SayArrival()
{
    // The window may hand the keyboard back before or after the list is
    // filled anew: the row is said once, as it stands.
    const QTreeWidgetItem* item = SpokenRow();
    const QString words = ItemSpeech(item);
    if (!item || (words == m_arrivalWords && m_arrivalSaid.isValid() && m_arrivalSaid.elapsed() < ArrivalRepeatMs))
        return;
    m_arrivalWords = words;
    m_arrivalSaid.start();
    KoAppReadText(words, 0, 0);
}

void CKoVListCtrl::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    // Past the tree view, which would name a cell as the new focus.
    QAbstractItemView::currentChanged(current, previous);
    viewport()->update();
    if (!QAccessible::isActive() || !current.isValid() || !hasFocus()) return;
    // The rows are ours to say (voice/TreeReader.h): a screen reader of the
    // tree is not also put on the new row, or it reads it a second time.
    if (KoAppVoice() && TreeReaderSpeaksArrivals()) return;
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(current.row());
    QAccessible::updateAccessibility(&focus);
}

void CKoVListCtrl::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    QAbstractItemView::selectionChanged(selected, deselected);
    if (!QAccessible::isActive()) return;
    const auto tell = [this](const QItemSelection& rows, QAccessible::Event type) {
        const QModelIndex first = rows.indexes().value(0);
        if (!first.isValid()) return;
        QAccessibleEvent event(this, type);
        event.setChild(first.row());
        QAccessible::updateAccessibility(&event);
    };
    tell(selected, QAccessible::SelectionAdd);
    tell(deselected, QAccessible::SelectionRemove);
}

void CKoVListCtrl::showEvent(QShowEvent* event)
{
    QTreeWidget::showEvent(event);
    if (accessibleName().isEmpty()) setAccessibleName(window()->windowTitle());
    m_sayOnFocus = true;
}

void CKoVListCtrl::focusInEvent(QFocusEvent* event)
{
    QTreeWidget::focusInEvent(event);
    // A menu closing hands the keyboard back without the user going anywhere;
    // the window coming back says the row when it opened on the list or a
    // window closed over it.
    const Qt::FocusReason reason = event->reason();
    const bool say = reason == Qt::ActiveWindowFocusReason ? m_sayOnFocus : reason != Qt::PopupFocusReason;
    m_sayOnFocus = false;
    if (!say || m_returning) return;
    // The window coming back may refill the list first: the row is said
    // as it then stands.
    if (reason != Qt::ActiveWindowFocusReason) return SayArrival();
    QTimer::singleShot(ArrivalDelayMs, this, [this] {
        if (hasFocus()) SayArrival();
    });
}

void CKoVListCtrl::focusOutEvent(QFocusEvent* event)
{
    QTreeWidget::focusOutEvent(event);
    if (event->reason() == Qt::ActiveWindowFocusReason) m_sayOnFocus = true;
}

void CKoVListCtrl::SayCurrent(int stop)
{
    if (const QTreeWidgetItem* item = SpokenRow()) KoAppReadText(ItemSpeech(item), stop, 0);
}

void CKoVListCtrl::changeEvent(QEvent* event)
{
    QTreeWidget::changeEvent(event);
    if (event->type() != QEvent::FontChange) return;
    const int height = fontMetrics().height();
    if (height == m_fontHeight || m_fontHeight <= 0) return;
    for (int column = 0; column < columnCount(); ++column)
        setColumnWidth(column, columnWidth(column) * height / m_fontHeight);
    m_fontHeight = height;
}
