#include "kinzo/dialogs/list/CKinzoListDialog.h"

#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/dialogs/DialogTexts.h"
#include "kinzo/dialogs/list/CKinzoListGrid.h"
#include "kolib/KoAppVoice.h"
#include "kolib/KoMessageBox.h"
#include "kolib/KoMnemonic.h"
#include "voice/CVoiceReader.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CKinzoListDialog::CKinzoListDialog(QWidget* parent, CKinzoDoc& document, int accountId, const QDate& start,
                                   const QDate& end)
    : CKoVDialogBase(ResourceId, parent), m_document(document), m_accountId(accountId), m_start(start), m_end(end)
{
    if (const AccountItemNode* node = document.AccountItems().Find(accountId)) m_accountName = node->m_data.name;
    BuildControls();
    BuildMenu();
}

CKinzoListDialog::~CKinzoListDialog() = default;

void CKinzoListDialog::Open(QWidget* parent, CKinzoDoc& document, int accountId, const QDate& start,
                            const QDate& end)
{
    CKinzoListDialog dialog(parent, document, accountId, start, end);
    dialog.DoModal();
}

QString CKinzoListDialog::PeriodText(const QDate& start, const QDate& end)
{
    using dialog_text::DayText;
    if (start.isValid() && end.isValid())
        return start == end ? DayText(start) : u"%1 - %2"_s.arg(DayText(start), DayText(end));
    if (start.isValid()) return u"%1 以降"_s.arg(DayText(start));
    if (end.isValid()) return u"%1 以前"_s.arg(DayText(end));
    return QString();
}

QString CKinzoListDialog::Announcement() const
{
    return u"科目名 "_s + m_accountName + u" 期間 "_s + PeriodText(m_start, m_end)
           + u" 件数は%1件です。"_s.arg(m_grid->EntryCount());
}

void CKinzoListDialog::BuildControls()
{
    setWindowTitle(u"出納データ一覧"_s);
    auto* layout = new QVBoxLayout(this);
    auto* labels = new QGridLayout;
    layout->addLayout(labels);
    const auto addLabel = [this, labels](const QString& caption, const QString& id) {
        const int row = labels->rowCount();
        labels->addWidget(new QLabel(caption, this), row, 0);
        auto* value = new QLabel(this);
        value->setObjectName(id);
        value->setAccessibleName(caption);
        value->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
        labels->addWidget(value, row, 1);
        return value;
    };
    m_accountLabel = addLabel(u"科目名"_s, u"1190"_s);
    m_periodLabel = addLabel(u"期間"_s, u"1128"_s);
    labels->setColumnStretch(1, 1);

    m_grid = new CKinzoListGrid(this);
    m_grid->setObjectName(u"1028"_s);
    m_grid->setAccessibleName(u"出納データ一覧"_s);
    m_grid->setMinimumSize(560, 240);
    m_grid->installEventFilter(this);
    layout->addWidget(m_grid, 1);

    QHBoxLayout* buttons = MakeOkCancelRow();
    layout->addLayout(buttons);
    OkButton()->setText(u"閉じる(&C)"_s);
    CancelButton()->hide();
}

void CKinzoListDialog::BuildMenu()
{
    m_menu = new QMenu(this);
    const auto add = [this](const QString& text, void (CKinzoListDialog::*action)()) {
        connect(m_menu->addAction(text), &QAction::triggered, this, action);
    };
    add(u"追加(&A)...\tCtrl+A"_s, &CKinzoListDialog::AddEntry);
    add(u"更新(&U)...\tCtrl+U"_s, &CKinzoListDialog::ChangeEntry);
    add(u"削除(&D)...\tCtrl+D"_s, &CKinzoListDialog::DeleteEntry);
    m_menu->addSeparator();
    add(u"横優先移動(&H)\tCtrl+Space"_s, &CKinzoListDialog::ToggleMoveMode);
    // Each item is said as the user reaches it, as the main window's menus are.
    connect(m_menu, &QMenu::hovered, this, [](QAction* action) {
        const QString name = KoStripMnemonic(action->text().section(u'\t', 0, 0)).remove(u"..."_s);
        KoAppReadText(name + u' ' + action->text().section(u'\t', 1), 1, 0);
    });
}

void CKinzoListDialog::OnInitDialog()
{
    CVoiceReader* voice = KoAppVoice();
    const int previousRead = voice ? voice->SetRead(0) : 0;
    m_accountLabel->setText(m_accountName);
    m_periodLabel->setText(PeriodText(m_start, m_end));
    m_grid->EnableSpeech(0);
    Rebuild();
    m_grid->EnableSpeech(1);
    if (voice) voice->SetRead(previousRead);
    KoAppReadText(Announcement(), 1, 0);
    m_grid->SkipNextFocusSpeech();
    m_grid->setFocus(Qt::OtherFocusReason);
}

bool CKinzoListDialog::Rebuild()
{
    if (!m_document.AccountItems().Find(m_accountId)) {
        KoMessageBox(this, u"データ読み込みに失敗しました。"_s);
        return false;
    }
    QList<_ViewEntry> entries;
    if (m_document.KinzoView().SelectForItem(m_accountId, m_start, m_end, entries) != DbStatus::Ok) {
        KoMessageBox(this, u"該当期間の出納レコード読み込みに失敗しました。"_s);
        return false;
    }
    const CXCellID before = m_grid->GetCurrentCell();
    const bool speaking = m_grid->IsSpeechEnabled();
    m_grid->EnableSpeech(0);
    m_grid->Fill(entries);
    if (m_grid->EntryCount() > 0) {
        const int row = std::clamp(before.IsSet() ? before.row : CKinzoListGrid::FirstEntryRow,
                                   CKinzoListGrid::FirstEntryRow, m_grid->GetRowCount() - 1);
        m_grid->SetCurrentCell(row, before.IsSet() ? std::max(before.col, 1) : CKinzoListGrid::ColDate);
    }
    m_grid->EnableSpeech(speaking ? 1 : 0);
    m_grid->RecalcLayout();
    m_grid->Redraw();
    return true;
}

int CKinzoListDialog::CurrentEntryId() const
{
    return m_grid->EntryIdOfRow(m_grid->GetCurrentCell().row);
}

bool CKinzoListDialog::HandleKey(QKeyEvent* key, bool onGrid)
{
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::ControlModifier) {
        switch (key->key()) {
        case Qt::Key_A: AddEntry(); return true;
        case Qt::Key_U: ChangeEntry(); return true;
        case Qt::Key_D: DeleteEntry(); return true;
        case Qt::Key_C: CopyCell(); return true;
        case Qt::Key_Space: ToggleMoveMode(); return true;
        default: return false;
        }
    }
    if (modifiers == Qt::NoModifier && onGrid && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        ChangeEntry();
        return true;
    }
    if ((modifiers == Qt::NoModifier && key->key() == Qt::Key_Menu)
        || (modifiers == Qt::ShiftModifier && key->key() == Qt::Key_F10)) {
        ShowActionMenu();
        return true;
    }
    return false;
}

bool CKinzoListDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid) {
        if (event->type() == QEvent::KeyPress && HandleKey(static_cast<QKeyEvent*>(event), true)) return true;
        if (event->type() == QEvent::ContextMenu) {
            ShowActionMenu();
            return true;
        }
    }
    return CKoVDialogBase::eventFilter(watched, event);
}

void CKinzoListDialog::keyPressEvent(QKeyEvent* event)
{
    if (HandleKey(event, false)) {
        event->accept();
        return;
    }
    CKoVDialogBase::keyPressEvent(event);
}

void CKinzoListDialog::ShowActionMenu()
{
    m_menu->exec(m_grid->mapToGlobal(QPoint(20, 20)));
}

void CKinzoListDialog::CopyCell()
{
    m_grid->CopyCellText();
}

void CKinzoListDialog::ToggleMoveMode()
{
    m_grid->SetMoveMode(m_grid->GetMoveMode() ? 0 : 1);
}
