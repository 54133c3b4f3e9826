#pragma once
// "エクスポート": writes every table of the open ledger as CSV files into a
// folder, asking before it writes into a folder that exists. Accepted when
// the export was done.

#include "kinzo/dialogs/transfer/CPathDialog.h"

class CKinzoDoc;

class CExportDialog : public CPathDialog {
    Q_OBJECT
public:
    CExportDialog(QWidget* parent, CKinzoDoc& document);

protected:
    void Browse() override;
    void OnOK() override;

private:
    CKinzoDoc& m_document;
};
