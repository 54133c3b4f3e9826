#include "kinzo/dialogs/CKinzoDialog.h"

#include "CKinzoApp.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/dialogs/AccountMenuPopup.h"
#include "kinzo/dialogs/CAccountItemMenu.h"
#include "kolib/CKoButton.h"
#include "kolib/CKoCheckBox.h"
#include "kolib/CKoIntegerEdit.h"
#include "kolib/CKoVComboBox.h"
#include "kolib/CKoVDateTimeCtrl.h"
#include "kolib/KoMessageBox.h"
#include "kolib/KoMnemonic.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QVBoxLayout>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

constexpr int NameLimit = 100;
constexpr int NoteLimit = 200;
// Months a repeat may span: three digits, over eighty years.
constexpr int RepeatDigits = 3;

_ViewEntry FreshEntry()
{
    _ViewEntry entry;
    entry.ID = -1;
    entry.amount = 0;
    entry.date = QDate(2000, 1, 1);
    return entry;
}

CKoVComboBox* MakeCombo(QWidget* parent, const char* id, bool editable)
{
    auto* combo = new CKoVComboBox(parent);
    combo->setObjectName(QString::fromLatin1(id));
    combo->setEditable(editable);
    combo->setMinimumContentsLength(16);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    if (editable) {
        combo->setCompleter(nullptr);
        combo->setInsertPolicy(QComboBox::NoInsert);
    }
    return combo;
}

}  // namespace

CKinzoDialog::CKinzoDialog(QWidget* parent, CKinzoDoc& document, Mode mode)
    : CKoVDialogBase(ResourceId, parent), m_document(document), m_mode(mode), m_entry(FreshEntry())
{
    BuildControls();
}

CKinzoDialog::CKinzoDialog(QWidget* parent, CKinzoDoc& document, const _ViewEntry& entry)
    : CKinzoDialog(parent, document, ChangeMode)
{
    m_entry = entry;
    m_original = entry;
}

CKinzoDialog::CKinzoDialog(QWidget* parent, CKinzoDoc& document, const QDate& date, int accountId)
    : CKinzoDialog(parent, document, NewMode)
{
    m_initialDate = date;
    m_initialAccount = accountId;
}

CKinzoDialog::CKinzoDialog(QWidget* parent, CKinzoDoc& document, const QDate& date)
    : CKinzoDialog(parent, document, NewMode)
{
    m_initialDate = date;
    m_repeatText = u"1"_s;
}

CKinzoDialog::~CKinzoDialog() = default;

void CKinzoDialog::BuildControls()
{
    setWindowTitle(u"新規登録"_s);
    auto* layout = new QVBoxLayout(this);
    // The dialog takes the size its fields need at every magnification.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    const auto addRow = [this, grid](const QString& caption, QWidget* field) {
        auto* label = new QLabel(caption, this);
        const int row = grid->rowCount();
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        KoTieLabel(label, field);
        return label;
    };

    m_date = new CKoVDateTimeCtrl(this);
    m_date->setObjectName(u"1026"_s);
    m_date->SetDisplayMode(0);
    addRow(u"日付(&D)"_s, m_date);

    m_amount = new CKoIntegerEdit(this);
    m_amount->setObjectName(u"1011"_s);
    // The data file keeps amounts in 32 bits: anything beyond is refused here
    // rather than stored wrong.
    m_amount->SetRange(1, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max(), 11);
    addRow(u"金額(&K)"_s, m_amount);
    m_amount->SetSpokenName(u"金額(&K)"_s);

    m_side = MakeCombo(this, "1009", false);
    addRow(CAccountComboChain::LevelLabel(0), m_side);
    const char* levelIds[3] = {"1010", "1012", "1016"};
    for (int level = 1; level <= 3; ++level) {
        m_levels[level - 1] = MakeCombo(this, levelIds[level - 1], true);
        addRow(CAccountComboChain::LevelLabel(level), m_levels[level - 1]);
    }

    m_cater = MakeCombo(this, "1014", true);
    addRow(u"相手先(&A)"_s, m_cater);
    m_cater->Setup(u"相手先"_s, 0, NameLimit);
    m_note = MakeCombo(this, "1015", true);
    addRow(u"備考(&B)"_s, m_note);
    m_note->Setup(u"備考"_s, 0, NoteLimit);

    m_repeatCheck = new CKoCheckBox(u"指定月数分繰り返す(&R)"_s, this);
    m_repeatCheck->setObjectName(u"1175"_s);
    grid->addWidget(m_repeatCheck, grid->rowCount(), 0, 1, 2);
    m_repeat = new CKoIntegerEdit(this);
    m_repeat->setObjectName(u"1176"_s);
    m_repeat->SetRange(0, 0, 0, RepeatDigits);
    // Alt+M belongs to the account menu button.
    m_repeatLabel = addRow(u"繰返し月数(&N)"_s, m_repeat);
    m_repeat->SetSpokenName(u"繰返し月数(&N)"_s);
    m_repeatLabel->setObjectName(u"1192"_s);
    // The box switches the count on; while it is off one entry is made.
    m_repeat->setEnabled(false);
    connect(m_repeatCheck, &QCheckBox::toggled, this, [this](bool on) {
        m_repeat->setEnabled(on);
        if (!on) m_repeat->setText(u"1"_s);
    });

    auto* buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    m_register = new CKoButton(u"登録(&E)"_s, this);
    m_register->setObjectName(u"1049"_s);
    connect(m_register, &QPushButton::clicked, this, &CKinzoDialog::Register);
    buttons->addWidget(m_register);
    buttons->addWidget(MakeOkButton(u"閉じる(&C)"_s));
    m_menuButton = new CKoButton(u"メニュー(&M)"_s, this);
    m_menuButton->setObjectName(u"1070"_s);
    connect(m_menuButton, &QPushButton::clicked, this, &CKinzoDialog::ShowAccountMenu);
    buttons->addWidget(m_menuButton);
    buttons->addStretch(1);
    CKoButton* cancel = MakeCancelButton(u"ｷｬﾝｾﾙ"_s);
    cancel->hide();

    for (CKoButton* button : {m_register, OkButton(), m_menuButton}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    ConnectChain();
}

void CKinzoDialog::ConnectChain()
{
    m_chain.Init(&m_document.AccountItems(), 0);
    m_chain.AttachSide(m_side);
    for (CKoVComboBox* combo : m_levels) m_chain.AttachLevel(combo);
    for (int level = 0; level < m_chain.Count(); ++level) {
        CKoVComboBox* combo = m_chain.Combo(level);
        connect(combo, &QComboBox::activated, this, [this, level] { m_chain.OnSelChange(level); });
        if (combo->lineEdit())
            connect(combo->lineEdit(), &QLineEdit::textEdited, this, [this, level] { m_chain.OnTextEdited(level); });
    }
}

void CKinzoDialog::OnInitDialog()
{
    if (m_mode == ChangeMode) {
        setWindowTitle(u"変更"_s);
        m_repeatCheck->hide();
        m_repeat->hide();
        m_repeatLabel->hide();
        m_register->setText(u"OK(&O)"_s);
        OkButton()->setText(u"ｷｬﾝｾﾙ(&C)"_s);
    }
    if (!FillCounterparties()) return;
    FillNotes();
    if (m_mode == NewMode) {
        m_chain.SelectAccount(m_initialAccount);
        m_entry.date = m_initialDate;
        m_date->setDate(m_entry.date);
        m_amount->clear();
        if (m_initialAmount) m_amount->setText(QString::number(*m_initialAmount));
        m_repeat->setText(m_repeatText);
        m_cater->setCurrentIndex(0);
        m_note->setCurrentIndex(0);
    } else {
        m_chain.SelectAccount(m_entry.itemId);
        m_date->setDate(m_entry.date);
        m_amount->setText(QString::number(m_entry.amount));
        const int cater = m_cater->findData(m_entry.caterId);
        m_cater->setCurrentIndex(m_entry.caterId > 0 && cater > 0 ? cater : 0);
        m_note->setEditText(m_entry.note);
        m_repeatCheck->setEnabled(false);
        m_repeat->setEnabled(false);
    }
    m_amount->setFocus(Qt::OtherFocusReason);
}

bool CKinzoDialog::FillCounterparties()
{
    QList<_CaterData> caters;
    if (m_document.CaterTable().GetAllCaters(caters) != DbStatus::Ok) {
        Tell(u"取引先レコード読み込みに失敗しました。"_s);
        return false;
    }
    m_cater->clear();
    m_cater->addItem(CAccountComboChain::NoneText(), -1);
    for (const _CaterData& cater : caters) m_cater->addItem(cater.name, cater.ID);
    return true;
}

void CKinzoDialog::FillNotes()
{
    m_note->clear();
    m_note->addItem(CAccountComboChain::NoneText(), -1);
    if (CKinzoApp* app = CKinzoApp::Instance()) m_note->addItems(app->m_settingInfo.m_notes);
}

void CKinzoDialog::ShowAccountMenu()
{
    QMenu* menu = CAccountMenuSet::Of(m_document).Leaf().FirstSubMenu();
    if (!menu) return;
    const QAction* chosen = ExecAccountMenu(*menu, *m_menuButton);
    if (chosen) OnMenuCommand(CAccountItemMenu::CommandOf(chosen));
}

void CKinzoDialog::OnMenuCommand(int commandId)
{
    if (commandId < CAccountItemMenu::FirstCommandId || commandId > CAccountItemMenu::LastCommandId) return;
    const int account = CAccountMenuSet::Of(m_document).Leaf().AccountOfCommand(commandId);
    if (account <= 0) return;
    m_chain.SelectAccount(account);
    SayChosenAccount(m_chain);
}

QList<QDate> CKinzoDialog::RepeatDates(const QDate& first, int count)
{
    QList<QDate> dates;
    if (!first.isValid()) return dates;
    const int preferredDay = first.day();
    QDate month(first.year(), first.month(), 1);
    for (int i = 0; i < std::max(count, 1); ++i) {
        dates.append(QDate(month.year(), month.month(), std::min(preferredDay, month.daysInMonth())));
        month = month.addMonths(1);
    }
    return dates;
}

bool CKinzoDialog::Ask(const QString& question)
{
    return KoMessageBox(this, question, KoButtons::OkCancel) == KoAnswer::Ok;
}

void CKinzoDialog::Tell(const QString& text)
{
    KoMessageBox(this, text);
}
