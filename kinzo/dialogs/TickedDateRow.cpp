#include "kinzo/dialogs/TickedDateRow.h"

#include "kolib/CKoCheckBox.h"
#include "kolib/CKoVDateTimeCtrl.h"
#include "kolib/KoMnemonic.h"

#include <QGridLayout>

CKoVDateTimeCtrl* AddTickedDateRow(QWidget& owner, QGridLayout& grid, CKoCheckBox& box, const char* pickerId)
{
    auto* picker = new CKoVDateTimeCtrl(&owner);
    picker->setObjectName(QString::fromLatin1(pickerId));
    picker->SetDisplayMode(0);
    picker->setAccessibleName(KoStripMnemonic(box.text()));
    picker->setEnabled(false);
    QObject::connect(&box, &QCheckBox::toggled, picker, &QWidget::setEnabled);
    const int row = grid.rowCount();
    grid.addWidget(&box, row, 0);
    grid.addWidget(picker, row, 1);
    return picker;
}
