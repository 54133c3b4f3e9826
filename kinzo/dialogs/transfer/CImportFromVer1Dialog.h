#pragma once
// "バージョン１データからのインポート": converts a first-version ledger into a
// new data file and says how many records went across. Stays open after a
// conversion; "閉じる" closes it.

#include "kolib/CKoVDialogBase.h"

class CKinzoDoc;
class CKinzoDocHost;
class CKoEdit;

class CImportFromVer1Dialog : public CKoVDialogBase {
    Q_OBJECT
public:
    CImportFromVer1Dialog(QWidget* parent, CKinzoDocHost& host, const QString& openFile);
    CKoEdit* SourceEdit() const { return m_source; }
    CKoEdit* DestinationEdit() const { return m_destination; }
    // Runs the conversion as "変換実行" does.
    void Convert();

protected:
    void OnInitDialog() override;
    void OnOK() override {}

private:
    CKoEdit* AddRow(class QGridLayout* grid, const char* editId, const QString& label, const char* buttonId,
                    const QString& button);
    void BrowseSource();
    void BrowseDestination();
    CKinzoDocHost& m_host;
    QString m_openFile;
    CKoEdit* m_source = nullptr;
    CKoEdit* m_destination = nullptr;
};
