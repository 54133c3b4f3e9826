#pragma once
// The dialog through which a cash-book entry is registered or changed.
//
// New mode ("新規登録") registers entries one after another without closing:
// each "登録(&E)" validates, creates the account items and the counterparty
// the user typed by name, inserts the entry (or one per month over the
// repeat count), updates the loan of the account, tells every view
// (EntryAdded) and says "新規登録しました。"; the fields stay as they are.
// Change mode ("変更") edits one stored entry and closes after saving
// (EntryChanged). Validation runs in a fixed order and stops at the first
// failing step with its message; nothing is stored by a step that failed
// validation. "閉じる(&C)" (change mode: "ｷｬﾝｾﾙ(&C)") closes with Accepted at
// any time; Registered tells whether anything was saved.
//
// The account tree is the document's; new account items are appended to it
// and the document's account menus are built again. Needs the application
// (CKinzoApp) for the note history. User-interface thread only.

#include "kinzo/data/CViewKinzo.h"
#include "kinzo/dialogs/CAccountComboChain.h"
#include "kolib/CKoVDialogBase.h"

#include <QDate>
#include <QList>

#include <optional>

class CKinzoDoc;
class CKoButton;
class CKoIntegerEdit;
class CKoVComboBox;
class CKoVDateTimeCtrl;
class QCheckBox;
class QLabel;
struct _AccountItem;
struct _KinzoEntry;

class CKinzoDialog : public CKoVDialogBase {
    Q_OBJECT
public:
    enum Mode { NewMode = 0, ChangeMode = 1 };
    static constexpr int ResourceId = 133;

    // Change mode: the entry (as the entry query returns it) is copied.
    CKinzoDialog(QWidget* parent, CKinzoDoc& document, const _ViewEntry& entry);
    // New mode on a day with an account preselected (0: none); the repeat
    // count starts empty.
    CKinzoDialog(QWidget* parent, CKinzoDoc& document, const QDate& date, int accountId);
    // New mode on a day without an account; the repeat count starts at 1.
    CKinzoDialog(QWidget* parent, CKinzoDoc& document, const QDate& date);
    ~CKinzoDialog() override;

    Mode GetMode() const { return m_mode; }
    // 1 once an entry was saved, else 0.
    int Registered() const { return m_registered; }
    // The working entry: after a save, the entry saved (the first of a repeat).
    const _ViewEntry& Entry() const { return m_entry; }
    CAccountComboChain& Chain() { return m_chain; }
    // New mode: the amount field starts with this value instead of empty.
    void PresetAmount(qint64 amount) { m_initialAmount = amount; }

    // Runs "登録(&E)" (in change mode "OK(&O)").
    void Register();
    // A command of the account menu (2024 to 12024): selects its account.
    void OnMenuCommand(int commandId);
    // Shows the account menu under the "メニュー(&M)" button.
    void ShowAccountMenu();

    // The first day and the days of the following count - 1 months: each
    // month on the first day's day of month, or on its last day when shorter
    // (31 January gives 28 or 29 February, then 31 March).
    static QList<QDate> RepeatDates(const QDate& first, int count);

protected:
    void OnInitDialog() override;

private:
    CKinzoDialog(QWidget* parent, CKinzoDoc& document, Mode mode);
    void BuildControls();
    void ConnectChain();
    bool FillCounterparties();
    void FillNotes();

    // The steps of Register; each returns false after telling the user why.
    bool CheckFields(int& level, qint64& amount, int& repeat);
    bool CreateTypedAccounts(int level);
    bool CreateAccount(int level);
    bool TakeCounterparty();
    void TakeNote();
    bool CheckValidity(const _AccountItem& item, const QList<QDate>& dates);
    bool CheckLoan(int itemId, const QDate& date, qint64 amount);
    bool InsertEntries(const QList<QDate>& dates);
    bool UpdateEntry();
    void RecomputeLoan(int itemId);
    _KinzoEntry StoredEntry() const;
    bool Ask(const QString& question);
    void Tell(const QString& text);

    CKinzoDoc& m_document;
    Mode m_mode;
    _ViewEntry m_entry;
    // The entry as the dialog opened (change mode) and the one saved last
    // in this dialog (new mode), for the questions about saving it again.
    _ViewEntry m_original;
    std::optional<_ViewEntry> m_lastRegistered;
    int m_initialAccount = 0;
    std::optional<qint64> m_initialAmount;
    QDate m_initialDate;
    QString m_repeatText;
    int m_registered = 0;
    CAccountComboChain m_chain;

    CKoVDateTimeCtrl* m_date = nullptr;
    CKoIntegerEdit* m_amount = nullptr;
    CKoVComboBox* m_side = nullptr;
    CKoVComboBox* m_levels[3] = {};
    CKoVComboBox* m_cater = nullptr;
    CKoVComboBox* m_note = nullptr;
    QCheckBox* m_repeatCheck = nullptr;
    QLabel* m_repeatLabel = nullptr;
    CKoIntegerEdit* m_repeat = nullptr;
    CKoButton* m_register = nullptr;
    CKoButton* m_menuButton = nullptr;
};
