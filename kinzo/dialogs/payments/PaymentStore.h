#pragma once
// What both payment register dialogs do on OK once their fields are good:
// one recurring payment per account ("この科目はすでに登録されています。", also
// when a change moves a payment onto an account that has one), then the
// insert or the update. False after telling the user why.

#include "kinzo/data/CTablePayment.h"

class QWidget;

bool StorePayment(QWidget* owner, CTablePayment& table, _PaymentData& payment, bool adding);
