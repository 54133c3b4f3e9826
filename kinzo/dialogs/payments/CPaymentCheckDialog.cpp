#include "kinzo/dialogs/payments/CPaymentCheckDialog.h"

#include "CHolidayFile.h"
#include "CKinzoApp.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/dialogs/CKinzoDialog.h"
#include "kinzo/dialogs/ModeMenu.h"
#include "kolib/CKoVDateTimeCtrl.h"
#include "kolib/CKoVListCtrl.h"
#include "kolib/KoAppVoice.h"
#include "kolib/KoMessageBox.h"
#include "kolib/KoMnemonic.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CPaymentCheckDialog::CPaymentCheckDialog(QWidget* parent, CKinzoDoc& document, const QDate& month, int mode)
    : CKoVDialogBase(ResourceId, parent), m_document(document), m_month(month),
      m_mode(mode >= 1 && mode <= 3 ? mode : PaymentCheckAll)
{
    BuildControls();
    m_modeActions = BuildModeMenu(*this,
                                  {{{u"未払いのみ表示(&1)"_s, 32989},
                                    {u"支払済みのみ表示(&2)"_s, 32990},
                                    {u"すべて表示(&3)"_s, 32992}}},
                                  [this](int chosen) { SetMode(chosen); });
}

void CPaymentCheckDialog::BuildControls()
{
    setWindowTitle(u"支払確認"_s);
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    layout->addLayout(row);
    m_picker = new CKoVDateTimeCtrl(this);
    m_picker->setObjectName(u"1026"_s);
    m_picker->SetDisplayMode(1);
    auto* label = new QLabel(u"年月(&1)"_s, this);
    KoTieLabel(label, m_picker);
    row->addWidget(label);
    row->addWidget(m_picker);
    row->addStretch(1);

    m_list = new CKoVListCtrl(this);
    m_list->setObjectName(u"1000"_s);
    m_list->setHeaderLabels({u"科目名"_s, u"支払日"_s, u"状態"_s});
    m_list->setColumnWidth(0, 150);
    m_list->setColumnWidth(1, 150);
    m_list->setColumnWidth(2, 100);
    m_list->setMinimumWidth(420);
    m_list->setRootIsDecorated(false);
    m_list->SetEnterAction([this](Qt::KeyboardModifiers) {
        OpenSelected();
        return true;
    });
    layout->addWidget(m_list, 1);
    layout->addLayout(MakeOkCancelRow());
    OkButton()->setText(u"閉じる(&C)"_s);
    OkButton()->setAutoDefault(false);
    CancelButton()->hide();
    // A month the user is still typing is listed once they stop or finish it,
    // not once for each digit.
    m_typingPause.setSingleShot(true);
    m_typingPause.setInterval(TypingPauseMs);
    connect(&m_typingPause, &QTimer::timeout, this, &CPaymentCheckDialog::Refill);
    connect(m_picker, &QDateEdit::dateChanged, this, [this](const QDate& date) {
        if (date.year() == m_month.year() && date.month() == m_month.month()) return;
        m_month = date;
        if (m_picker->IsTyping()) {
            m_typingPause.start();
            return;
        }
        m_typingPause.stop();
        Refill();
    });
}

void CPaymentCheckDialog::OnInitDialog()
{
    {
        const QSignalBlocker quiet(m_picker);
        m_picker->setDate(m_month);
    }
    Refill();
    m_list->setFocus(Qt::OtherFocusReason);
}

void CPaymentCheckDialog::Refill()
{
    m_modeActions[m_mode - 1]->setChecked(true);
    m_list->clear();
    CHolidayFile holidays;
    if (CKinzoApp* app = CKinzoApp::Instance()) holidays.SetFolder(app->m_programFolder);
    holidays.Load(m_month.year());
    QString failure;
    if (!FillPaymentCheckRows(m_document, m_month, m_mode, holidays, m_rows, failure)) {
        m_rows.clear();
        KoMessageBox(this, failure);
        return;
    }
    for (const _PaymentCheckRow& row : m_rows) {
        auto* item = new QTreeWidgetItem(m_list, {row.name, row.dateText, row.stateText});
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    }
    if (m_list->topLevelItemCount() > 0) m_list->setCurrentItem(m_list->topLevelItem(0));
    KoAppReadText(u"リスト件数は%1件です。"_s.arg(m_rows.size()));
}

void CPaymentCheckDialog::SetMode(int mode)
{
    m_mode = mode;
    if (CKinzoApp* app = CKinzoApp::Instance()) app->m_iniFile.WritePaymentDisp(mode);
    Refill();
}

void CPaymentCheckDialog::OpenSelected()
{
    const int index = m_list->currentItem() ? m_list->indexOfTopLevelItem(m_list->currentItem()) : -1;
    if (index < 0 || index >= m_rows.size()) return;
    const _PaymentCheckRow row = m_rows.at(index);
    if (row.entryId == 0) {
        CKinzoDialog dialog(this, m_document, row.date, row.itemId);
        if (row.lastAmount) dialog.PresetAmount(*row.lastAmount);
        dialog.DoModal();
    } else {
        _ViewEntry paid;
        if (m_document.KinzoView().GetViewEntry(row.entryId, paid) != DbStatus::Ok) {
            KoMessageBox(this, u"出納レコード取得に失敗しました。"_s);
            return;
        }
        CKinzoDialog dialog(this, m_document, paid);
        dialog.DoModal();
    }
    // A payment just booked is heard turning paid.
    Refill();
    m_list->ReturnToRow(index);   // after the count, the row as it now stands
}
