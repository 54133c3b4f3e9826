// "登録(&E)" of the entry dialog: validation in its fixed order, account items
// and counterparties created from typed names, then the insert or update.

#include "kinzo/dialogs/CKinzoDialog.h"

#include "CKinzoApp.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/data/SqlText.h"
#include "kinzo/dialogs/CAccountItemMenu.h"
#include "kinzo/dialogs/DialogTexts.h"
#include "kinzo/dialogs/EntryHint.h"
#include "kolib/CKoIntegerEdit.h"
#include "kolib/CKoVComboBox.h"
#include "kolib/CKoVDateTimeCtrl.h"
#include "kolib/KoAppVoice.h"

using namespace Qt::StringLiterals;

namespace {

// The selected entry of an editable combo, -1 when its text is typed.
int SelectedIndex(const CKoVComboBox* combo)
{
    const int index = combo->currentIndex();
    return index >= 0 && combo->currentText() == combo->itemText(index) ? index : -1;
}

bool SameBooking(const _ViewEntry& a, const _ViewEntry& b)
{
    return a.date == b.date && a.itemId == b.itemId && a.parentId == b.parentId && a.side == b.side
           && a.mikuriId == b.mikuriId;
}

}  // namespace

void CKinzoDialog::Register()
{
    int level = -1;
    qint64 amount = 0;
    int repeat = 1;
    if (!CheckFields(level, amount, repeat)) return;
    if (!CreateTypedAccounts(level)) return;

    const int itemId = m_chain.ItemData(level);
    const AccountItemNode* node = m_document.AccountItems().Find(itemId);
    m_entry.itemId = itemId;
    m_entry.itemName = node ? node->m_data.name : m_chain.Text(level);
    m_entry.level = level;
    m_entry.parentId = node ? node->m_data.parentId : 0;
    m_entry.side = m_chain.Side();
    m_entry.date = m_date->date();
    m_entry.amount = amount;
    if (!TakeCounterparty()) return;
    TakeNote();

    m_chain.SelectAccount(itemId);
    _AccountItem item;
    if (const DbStatus status = m_document.AccountTable().GetItem(itemId, item); status != DbStatus::Ok) {
        Tell(dialog_text::DbFailure(u"科目レコード読み込みに失敗しました。"_s, status,
                                    m_document.AccountTable().m_lastError));
        return;
    }

    if (m_mode == NewMode) {
        const QList<QDate> dates = RepeatDates(m_entry.date, repeat);
        if (!CheckValidity(item, dates) || !CheckLoan(itemId, m_entry.date, amount)) return;
        if (m_lastRegistered && SameBooking(*m_lastRegistered, m_entry)
            && !Ask(u"同じ日付、同じ科目のデータが既に登録されています。追加登録しますか？"_s))
            return;
        if (!InsertEntries(dates)) return;
        RecomputeLoan(itemId);
        m_lastRegistered = m_entry;
        m_document.NotifyViews(UpdateHint::EntryAdded, EntryHintObject(StoredEntry()));
        KoAppReadText(u"新規登録しました。"_s, 1, 0);
        m_registered = 1;
        return;
    }

    if (!CheckValidity(item, {m_entry.date}) || !CheckLoan(itemId, m_entry.date, amount)) return;
    if (SameBooking(m_original, m_entry) && !Ask(u"置き換えますがよろしいですか？ "_s)) return;
    if (!UpdateEntry()) return;
    RecomputeLoan(itemId);
    // The entry no longer pays off the loan of the account it left.
    if (m_original.itemId != itemId && m_original.itemId > 0) RecomputeLoan(m_original.itemId);
    m_document.NotifyViews(UpdateHint::EntryChanged, EntryHintObject(StoredEntry()));
    KoAppReadText(u"データを更新しました。"_s, 1, 0);
    m_registered = 1;
    CKoVDialogBase::OnOK();
}

bool CKinzoDialog::CheckFields(int& level, qint64& amount, int& repeat)
{
    const QString amountText = m_amount->text().trimmed();
    level = m_chain.DeepestLevel();
    if (level < 1) {
        Tell(dialog_text::NoAccountSelected());
        return false;
    }
    if (m_chain.HasChildren(level)) {
        Tell(dialog_text::SelectLeafAccount());
        return false;
    }
    for (int k = 1; k <= level; ++k) {
        if (HasForbiddenChar(m_chain.Text(k))) {
            Tell(dialog_text::ForbiddenAccountName());
            return false;
        }
    }
    if (amountText.isEmpty()) {
        Tell(u"金額が入力されていません。"_s);
        return false;
    }
    // A lone "-" or a value beyond the data file's 32 bits is no amount.
    if (!m_amount->CheckRange(false)) return false;
    amount = m_amount->Value();
    // The check is for a name being typed: one already stored (an imported
    // or older ledger's) stays usable, or its entries could not be changed.
    const QString cater = m_cater->currentText().trimmed();
    if (!cater.isEmpty() && HasForbiddenChar(cater) && m_cater->findText(cater, Qt::MatchFixedString) <= 0) {
        Tell(u"相手先名称に許可されない文字が含まれています。"_s);
        return false;
    }
    repeat = m_mode == NewMode ? std::max(m_repeat->text().toInt(), 1) : 1;
    return true;
}

bool CKinzoDialog::CreateTypedAccounts(int level)
{
    bool created = false;
    for (int k = 1; k <= level; ++k) {
        if (m_chain.SelectedIndex(k) >= 0) continue;
        if (!CreateAccount(k)) {
            if (created) CAccountMenuSet::Of(m_document).Rebuild();
            return false;
        }
        created = true;
    }
    if (created) CAccountMenuSet::Of(m_document).Rebuild();
    return true;
}

bool CKinzoDialog::CreateAccount(int level)
{
    CTableAccountItem& accounts = m_document.AccountTable();
    const int parentId = m_chain.ItemData(level - 1);
    AccountItemNode* parent = parentId > 0 ? m_document.AccountItems().Find(parentId) : nullptr;
    if (!parent) {
        Tell(u"追加できません。"_s);
        return false;
    }
    const QString name = m_chain.Text(level).trimmed();
    QList<_AccountItem> same;
    if (const DbStatus status = accounts.FindByNameAndParent(name, parentId, same); status != DbStatus::Ok) {
        Tell(dialog_text::DbFailure(u"科目レコード検索に失敗しました。"_s, status, accounts.m_lastError));
        return false;
    }
    if (!same.isEmpty()) {
        Tell(dialog_text::DuplicateAccountName());
        return false;
    }
    qint64 parentEntries = 0;
    CTableKinzo& entries = m_document.KinzoTable();
    if (const DbStatus status = entries.CountForItem(parentId, parentEntries); status != DbStatus::Ok) {
        Tell(dialog_text::DbFailure(u"親科目の出納データ件数を取得できませんでした。"_s, status, entries.m_lastError));
        return false;
    }
    if (parentEntries > 0 && !Ask(dialog_text::ParentHasEntries())) return false;

    _AccountItem item = _AccountItem::ChildOf(parent->m_data, name);
    item.useStart = item.useEnd = 0;
    item.start = item.end = QDate();
    // The stored codes of the siblings may have gaps: the new code follows
    // the highest stored one, so it never repeats a sibling's.
    DbStatus status = accounts.NextChildCode(parent->m_data, item.code);
    if (status == DbStatus::Ok) status = accounts.AddItem(item);
    if (status != DbStatus::Ok) {
        Tell(dialog_text::DbFailure(dialog_text::AccountInsertFailed(), status, accounts.m_lastError));
        return false;
    }
    parent->AppendChild(item);
    if (parentEntries > 0) {
        if (const DbStatus moved = entries.MoveToItem(parentId, item.ID, accounts, false); moved != DbStatus::Ok) {
            Tell(dialog_text::DbFailure(dialog_text::MoveToChildFailed(), moved, entries.m_lastError));
            m_chain.AddItem(level, name, item.ID);
            return false;
        }
        // Lines that showed the parent now belong to the new child.
        m_document.NotifyViews(UpdateHint::AccountTreeEdited);
    }
    m_chain.AddItem(level, name, item.ID);
    return true;
}

bool CKinzoDialog::TakeCounterparty()
{
    const int index = SelectedIndex(m_cater);
    if (index > 0) {
        m_entry.caterId = m_cater->itemData(index).toInt();
        m_entry.caterName = m_cater->itemText(index).trimmed();
        return true;
    }
    m_entry.caterId = -1;
    m_entry.caterName.clear();
    const QString text = m_cater->currentText().trimmed();
    if (index == 0 || text.isEmpty()) return true;
    const int listed = m_cater->findText(text, Qt::MatchFixedString);
    if (listed > 0) {
        m_entry.caterId = m_cater->itemData(listed).toInt();
        m_entry.caterName = m_cater->itemText(listed);
        return true;
    }
    CTableCater& caters = m_document.CaterTable();
    QList<_CaterData> found;
    if (const DbStatus status = caters.FindCaterByName(text, found); status != DbStatus::Ok) {
        Tell(dialog_text::DbFailure(u"相手先レコード検索に失敗しました。"_s, status, caters.m_lastError));
        return false;
    }
    _CaterData cater;
    if (!found.isEmpty()) {
        cater = found.first();
    } else {
        cater.name = text;
        if (caters.AddCater(cater) != DbStatus::Ok) {
            Tell(u"相手先レコード追加に失敗しました。"_s);
            return false;
        }
    }
    m_entry.caterId = cater.ID;
    m_entry.caterName = cater.name;
    m_cater->insertItem(1, cater.name, cater.ID);
    return true;
}

void CKinzoDialog::TakeNote()
{
    CKinzoApp* app = CKinzoApp::Instance();
    const int index = SelectedIndex(m_note);
    if (index > 0) {
        m_entry.note = m_note->itemText(index).trimmed();
        if (app) app->m_settingInfo.AddNote(m_entry.note);
        return;
    }
    m_entry.note = index == 0 ? QString() : m_note->currentText().trimmed();
    if (index < 0 && !m_entry.note.isEmpty() && m_note->findText(m_entry.note, Qt::MatchFixedString) < 0 && app)
        app->m_settingInfo.AddNote(m_entry.note);
}

bool CKinzoDialog::CheckValidity(const _AccountItem& item, const QList<QDate>& dates)
{
    for (const QDate& date : dates) {
        const bool beforeStart = item.useStart && item.start.isValid() && date < item.start;
        const bool afterEnd = item.useEnd && item.end.isValid() && date > item.end;
        if (beforeStart || afterEnd) {
            Tell(u"有効期間外であるため、この日付には登録できません。"_s);
            return false;
        }
    }
    return true;
}

bool CKinzoDialog::CheckLoan(int itemId, const QDate& date, qint64 amount)
{
    CTableLoan& loans = m_document.LoanTable();
    QList<_LoanData> bound;
    if (const DbStatus status = loans.SelectLoansForItem(itemId, bound); status != DbStatus::Ok) {
        Tell(dialog_text::DbFailure(u"分割支払いレコード読み込みに失敗しました。"_s, status, loans.m_lastError));
        return false;
    }
    if (bound.isEmpty()) return true;
    const _LoanData& loan = bound.first();
    if (loan.startMonth.isValid() && date < QDate(loan.startMonth.year(), loan.startMonth.month(), 1)) {
        Tell(u"ローン支払開始年月より前の日付には登録できません。"_s);
        return false;
    }
    if (loan.remaining <= 0 && !Ask(u"このローンは完済済みです。登録を行いますか？"_s)) return false;
    const bool bonusMonth = date.month() == loan.bonusMonth1 || date.month() == loan.bonusMonth2;
    const qint64 expected = bonusMonth ? loan.bonusAmount : loan.monthly;
    if (amount != expected && !Ask(u"支払金額がローン残確認設定で設定した値と異なりますがよろしいですか？"_s))
        return false;
    return true;
}

_KinzoEntry CKinzoDialog::StoredEntry() const
{
    _KinzoEntry entry;
    entry.ID = m_entry.ID;
    entry.date = m_entry.date;
    entry.itemId = m_entry.itemId;
    entry.amount = m_entry.amount;
    // The table keeps 0 for "no counterparty".
    entry.caterId = std::max(m_entry.caterId, 0);
    entry.mikuriId = m_entry.mikuriId;
    entry.note = m_entry.note;
    return entry;
}

bool CKinzoDialog::InsertEntries(const QList<QDate>& dates)
{
    CTableKinzo& entries = m_document.KinzoTable();
    for (qsizetype i = 0; i < dates.size(); ++i) {
        _KinzoEntry entry = StoredEntry();
        entry.date = dates[i];
        if (entries.AddEntry(entry) != DbStatus::Ok) {
            Tell(u"出納レコード追加に失敗しました。"_s);
            return false;
        }
        if (i == 0) m_entry.ID = entry.ID;
    }
    return true;
}

bool CKinzoDialog::UpdateEntry()
{
    if (m_document.KinzoTable().UpdateEntry(StoredEntry()) != DbStatus::Ok) {
        Tell(u"出納レコード更新に失敗しました。"_s);
        return false;
    }
    return true;
}

void CKinzoDialog::RecomputeLoan(int itemId)
{
    if (m_document.LoanTable().RecomputeForItem(itemId) != DbStatus::Ok) Tell(dialog_text::LoanUpdateFailed());
}
