#include "kinzo/dialogs/transfer/CDataDeleteRangeDialog.h"

#include "kinzo/dialogs/TickedDateRow.h"

#include "kolib/CKoCheckBox.h"
#include "kolib/CKoVDateTimeCtrl.h"
#include "kolib/KoMessageBox.h"
#include "kolib/KoMnemonic.h"

#include <QGridLayout>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
// The earliest and latest days a data file can hold.
const QDate earliestDay(100, 1, 1);
const QDate latestDay(9999, 12, 31);

QString dayText(const QDate& d) { return QString::asprintf("%4d年%2d月%2d日", d.year(), d.month(), d.day()); }
}  // namespace

CDataDeleteRangeDialog::CDataDeleteRangeDialog(QWidget* parent, const QDate& date)
    : CKoVDialogBase(0, parent), m_date(date.isValid() ? date : QDate::currentDate())
{
    setWindowTitle(u"データの一括削除"_s);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    m_startBox = new CKoCheckBox(u"削除開始日付(&S)"_s, this);
    m_startBox->setObjectName(u"1137"_s);
    m_startPicker = AddTickedDateRow(*this, *grid, *m_startBox, "1026");
    m_endBox = new CKoCheckBox(u"削除終了日付(&E)"_s, this);
    m_endBox->setObjectName(u"1138"_s);
    m_endPicker = AddTickedDateRow(*this, *grid, *m_endBox, "1164");
    layout->addLayout(MakeOkCancelRow());
}

void CDataDeleteRangeDialog::OnInitDialog()
{
    m_startPicker->setDate(m_date);
    m_endPicker->setDate(m_date);
    m_startBox->setFocus(Qt::OtherFocusReason);
}

void CDataDeleteRangeDialog::OnOK()
{
    const bool start = m_startBox->isChecked(), end = m_endBox->isChecked();
    if (!start && !end) {
        KoMessageBox(this, u"削除開始日付、削除終了日付のどちらかはチェックしてください。"_s);
        return;
    }
    const QDate first = start ? m_startPicker->date() : earliestDay;
    const QDate last = end ? m_endPicker->date() : latestDay;
    if (!first.isValid() || !last.isValid()) {
        KoMessageBox(this, u"存在しない日付です。"_s);
        return;
    }
    if (start && end && last < first) {
        KoMessageBox(this, u"削除終了日付が削除開始日付より前になっています。"_s);
        return;
    }
    const QString question = u"%1から%2の期間のデータを削除します。\nこれは元に戻すことができません。実行してよろしいですか？"_s
                                 .arg(dayText(first), dayText(last));
    if (KoMessageBox(this, question, KoButtons::OkCancel) != KoAnswer::Ok) return;
    m_first = first;
    m_last = last;
    CKoVDialogBase::OnOK();
}
