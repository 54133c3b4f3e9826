#pragma once
// "印刷" (dialog 184): the user chooses one of the four reports, its period
// (days, months or years as the report counts them), the orientation of the
// table, the font and the depth of the account tree, then looks at the pages
// ("帳票確認(&T)...") or prints them ("印刷（&P）..."). Section "Print" of the
// settings gives the choices on opening and keeps them on closing. Printing
// and the preview check the period first; a failed check or a cancelled
// printer dialog or page-count question leaves the dialog open, a finished
// print closes it. User-interface thread only.

#include "kinzo/data/AccountItemList.h"
#include "kinzo/dialogs/print/PrintReport.h"
#include "kolib/CKoVDialogBase.h"

class CKinzoDoc;
class CKoEdit;
class CKoVComboBox;
class CKoVDateTimeCtrl;
class QListWidget;

class CKinzoPrintDialog : public CKoVDialogBase {
    Q_OBJECT
public:
    static constexpr int ResourceId = 184;

    // report: the one of the active view (PrintReportKind); start..end its period.
    CKinzoPrintDialog(QWidget* parent, CKinzoDoc& document, int report, const QDate& start, const QDate& end);

    // What the dialog's choices ask for: the period whole days, months or
    // years of the report, the face one installed here.
    _PrintRequest Request();
    // The period check of the chosen report; false after its message.
    bool CheckPeriod();
    // The font shown ("%s ; %d pnt").
    QString FontText() const;
    // A face and size as the font dialog gives them.
    void SetPrintFont(const QString& face, int pointSize);

    // Prints as "印刷（&P）..." does: true when the pages went to the printer.
    bool PrintReport();
    void ShowPreview();

    QListWidget* ReportList() const { return m_reports; }
    CKoVDateTimeCtrl* StartPicker() const { return m_startPicker; }
    CKoVDateTimeCtrl* EndPicker() const { return m_endPicker; }
    CKoVComboBox* OrientationCombo() const { return m_orientation; }
    CKoVComboBox* ExpandCombo() const { return m_expand; }
    CKoEdit* FontEdit() const { return m_fontEdit; }

protected:
    void OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    void BuildControls();
    void BuildButtons();
    void OnReportChanged(int report);
    void ChooseFont();
    void StoreSettings();

    CKinzoDoc& m_document;
    int m_initialReport;
    QDate m_initialStart;
    QDate m_initialEnd;
    QString m_fontName;   // as stored or chosen; printing uses an installed face for it
    int m_fontSize = 12;
    AccountItemList m_tree;
    bool m_treeRead = false;
    QListWidget* m_reports = nullptr;
    CKoVDateTimeCtrl* m_startPicker = nullptr;
    CKoVDateTimeCtrl* m_endPicker = nullptr;
    CKoVComboBox* m_orientation = nullptr;
    CKoEdit* m_fontEdit = nullptr;
    CKoVComboBox* m_expand = nullptr;
};
