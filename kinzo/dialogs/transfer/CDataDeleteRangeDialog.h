#pragma once
// "データの一括削除": the first and last day of the entries to delete. An
// unticked start means from the earliest day, an unticked end up to the
// latest; at least one must be ticked. OK asks once more, then gives the range.

#include "kolib/CKoVDialogBase.h"

#include <QDate>

class CKoCheckBox;
class CKoVDateTimeCtrl;

class CDataDeleteRangeDialog : public CKoVDialogBase {
    Q_OBJECT
public:
    CDataDeleteRangeDialog(QWidget* parent, const QDate& date);

    QDate First() const { return m_first; }
    QDate Last() const { return m_last; }
    CKoCheckBox* StartBox() const { return m_startBox; }
    CKoCheckBox* EndBox() const { return m_endBox; }
    CKoVDateTimeCtrl* StartPicker() const { return m_startPicker; }
    CKoVDateTimeCtrl* EndPicker() const { return m_endPicker; }

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    QDate m_date;
    QDate m_first;
    QDate m_last;
    CKoCheckBox* m_startBox = nullptr;
    CKoCheckBox* m_endBox = nullptr;
    CKoVDateTimeCtrl* m_startPicker = nullptr;
    CKoVDateTimeCtrl* m_endPicker = nullptr;
};
