#include "kinzo/dialogs/transfer/CFileDataInfo.h"

#include "kinzo/data/AmountText.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kolib/CKoButton.h"
#include "kolib/CKoEdit.h"
#include "kolib/KoMnemonic.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
QString dayText(const QDate& d)
{
    return d.isValid() ? QString::asprintf("%4d年%2d月%2d日", d.year(), d.month(), d.day()) : QString();
}
}  // namespace

CFileDataInfo::CFileDataInfo(QWidget* parent, CKinzoDoc& document) : CKoVDialogBase(0, parent), m_document(document)
{
    setWindowTitle(u"%1 のファイル情報"_s.arg(QFileInfo(document.PathName()).fileName()));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    const std::pair<int, QString> rows[] = {
        {1085, u"ファイル"_s}, {1082, u"データ開始日"_s}, {1083, u"データ終了日"_s}, {1084, u"データ件数"_s}};
    for (const auto& [id, caption] : rows) {
        auto* label = new QLabel(caption, this);
        auto* field = new CKoEdit(this);
        field->setObjectName(QString::number(id));
        field->setReadOnly(true);
        field->SetSpokenName(caption);
        field->setMinimumWidth(id == 1085 ? 360 : 160);
        const int row = grid->rowCount();
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        KoTieLabel(label, field);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(MakeCancelButton(u"閉じる(&C)"_s));
    layout->addLayout(buttons);
}

CKoEdit* CFileDataInfo::Field(int id) const { return findChild<CKoEdit*>(QString::number(id)); }

void CFileDataInfo::OnInitDialog()
{
    QDate first, last;
    qint64 count = 0;
    m_document.EntryDateRange(first, last, count);
    Field(1085)->setText(m_document.PathName());
    Field(1082)->setText(count > 0 ? dayText(first) : QString());
    Field(1083)->setText(count > 0 ? dayText(last) : QString());
    Field(1084)->setText(QString::number(count));
    Field(1085)->setFocus(Qt::OtherFocusReason);
}
