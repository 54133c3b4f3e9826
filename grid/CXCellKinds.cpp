#include "CXCellKinds.h"

#include "grid/CXCellWnd.h"
#include "grid/CXGrid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace {

QDate ParseDate(const QString& text)
{
    return QDate::fromString(text.trimmed(), u"yyyy/M/d"_s);
}

}  // namespace

int CXCellControl::OpenEditor(QWidget* editor, const QFont& font, const QRect& rect)
{
    if (!editor) return 0;
    m_editor = editor;
    editor->setFont(font);
    editor->setGeometry(rect);
    editor->show();
    editor->setFocus(Qt::OtherFocusReason);
    return 1;
}

int CXCellControl::CloseEditor()
{
    if (QWidget* editor = m_editor) {
        // Reports after this one are ignored; the window goes once its own
        // event handler (which may have ended the edit) has returned.
        if (auto* end = dynamic_cast<CXEditorEnd*>(editor)) end->MarkEnded();
        editor->hide();
        editor->deleteLater();
    }
    m_editor = nullptr;
    m_editPos = {};
    return 1;
}

void CXCellEdit::Draw(QPainter& painter, const QRect& rect, const CXDrawContext&) const
{
    DrawPlain(painter, rect, GetText());
}

int CXCellEdit::BeginEdit(CXGrid* grid, int, const QFont& font, CXCellID pos, const QString& initial,
                          const QRect& rect)
{
    m_editPos = pos;
    if (!initial.isEmpty()) SetText(initial);
    auto* edit = new CXCellWndEdit(grid, pos, grid->viewport());
    edit->setText(GetText());
    if (initial.isEmpty()) edit->selectAll();
    else edit->setCursorPosition(int(edit->text().size()));
    return OpenEditor(edit, font, rect);
}

int CXCellEdit::EndEdit()
{
    return CloseEditor();
}

QString CXCellEdit::GetEditText() const
{
    const auto* edit = qobject_cast<const QLineEdit*>(m_editor.data());
    return edit ? edit->text() : GetText();
}

void CXCellCombo::Draw(QPainter& painter, const QRect& rect, const CXDrawContext&) const
{
    DrawPlain(painter, rect, GetText());
}

int CXCellCombo::BeginEdit(CXGrid* grid, int, const QFont& font, CXCellID pos, const QString& initial,
                           const QRect& rect)
{
    m_editPos = pos;
    if (!initial.isEmpty()) SetText(initial);
    auto* combo = new CXCellWndCombo(grid, pos, grid->viewport());
    combo->addItems(m_choices);
    combo->setCurrentIndex(-1);
    combo->setEditText(GetText());
    return OpenEditor(combo, font, rect);
}

int CXCellCombo::EndEdit()
{
    return CloseEditor();
}

QString CXCellCombo::GetEditText() const
{
    const auto* combo = qobject_cast<const QComboBox*>(m_editor.data());
    if (!combo) return GetText();
    return combo->currentIndex() >= 0 ? combo->itemText(combo->currentIndex()) : combo->currentText();
}

// Date cells show their text like the other editable kinds (the base's mark
// would hide the date).
void CXCellDateTimeCtrl::Draw(QPainter& painter, const QRect& rect, const CXDrawContext&) const
{
    DrawPlain(painter, rect, GetText());
}

int CXCellDateTimeCtrl::BeginEdit(CXGrid* grid, int charCode, const QFont& font, CXCellID pos,
                                  const QString& initial, const QRect& rect)
{
    m_editPos = pos;
    // A typed date replaces the cell's date; a typed character that is no
    // date goes to the picker as a key and leaves the stored date alone.
    const QDate typed = ParseDate(initial);
    if (typed.isValid()) SetText(typed.toString(u"yyyy/MM/dd"_s));
    auto* picker = new CXCellWndDateTimeCtrl(grid, pos, grid->viewport());
    picker->setCalendarPopup(!m_upDown);
    const QDate date = ParseDate(GetText());
    picker->setDate(date.isValid() ? date : QDate::currentDate());
    const int opened = OpenEditor(picker, font, rect);
    if (opened && !initial.isEmpty() && !typed.isValid()) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, initial);
        QApplication::sendEvent(picker, &press);
    }
    Q_UNUSED(charCode);
    return opened;
}

int CXCellDateTimeCtrl::EndEdit()
{
    return CloseEditor();
}

QString CXCellDateTimeCtrl::GetEditText() const
{
    const auto* picker = qobject_cast<const QDateEdit*>(m_editor.data());
    if (!picker) return GetText();
    const QDate date = picker->date();
    return date.isValid() ? date.toString(u"yyyy/MM/dd"_s) : QString();
}

void CXCellImage::Draw(QPainter& painter, const QRect& rect, const CXDrawContext&) const
{
    if (m_image.isNull() || rect.isEmpty()) return;
    const QSize size = m_image.size().scaled(rect.size() - QSize(2, 2), Qt::KeepAspectRatio);
    QRect target(QPoint(0, 0), size);
    target.moveCenter(rect.center());
    painter.drawImage(target, m_image);
}
