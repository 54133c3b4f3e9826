#include "kinzo/dialogs/transfer/CImportFromVer1Dialog.h"

#include "kinzo/data/DataFiles.h"
#include "kinzo/data/Ver1Converter.h"
#include "kinzo/dialogs/transfer/CWorkProgress.h"
#include "kolib/CKoButton.h"
#include "kolib/CKoEdit.h"
#include "kolib/CKoVFileDialog.h"
#include "kolib/KoMessageBox.h"
#include "kolib/KoMnemonic.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CImportFromVer1Dialog::CImportFromVer1Dialog(QWidget* parent, CKinzoDocHost& host, const QString& openFile)
    : CKoVDialogBase(0, parent), m_host(host), m_openFile(openFile)
{
    setWindowTitle(u"バージョン１データからのインポート"_s);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    m_source = AddRow(grid, "1144", u"バージョン１データ(&1)"_s, "1147", u"参照(&2)..."_s);
    m_destination = AddRow(grid, "1145", u"変換データ保存先(&3)"_s, "1146", u"参照(&4)..."_s);
    connect(findChild<CKoButton*>(u"1147"_s), &QPushButton::clicked, this, &CImportFromVer1Dialog::BrowseSource);
    connect(findChild<CKoButton*>(u"1146"_s), &QPushButton::clicked, this, &CImportFromVer1Dialog::BrowseDestination);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* run = new CKoButton(u"変換実行(&E)"_s, this);
    run->setObjectName(u"1148"_s);
    connect(run, &QPushButton::clicked, this, &CImportFromVer1Dialog::Convert);
    buttons->addWidget(run);
    buttons->addWidget(MakeCancelButton(u"閉じる(&C)"_s));
    layout->addLayout(buttons);
}

CKoEdit* CImportFromVer1Dialog::AddRow(QGridLayout* grid, const char* editId, const QString& label,
                                       const char* buttonId, const QString& button)
{
    auto* caption = new QLabel(label, this);
    auto* edit = new CKoEdit(this);
    edit->setObjectName(QString::fromLatin1(editId));
    edit->setMinimumWidth(360);
    edit->SetSpokenName(label);
    auto* browse = new CKoButton(button, this);
    browse->setObjectName(QString::fromLatin1(buttonId));
    browse->setAutoDefault(false);
    const int row = grid->rowCount();
    grid->addWidget(caption, row, 0, 1, 2);
    grid->addWidget(edit, row + 1, 0);
    grid->addWidget(browse, row + 1, 1);
    KoTieLabel(caption, edit);
    return edit;
}

void CImportFromVer1Dialog::OnInitDialog() { m_source->setFocus(Qt::OtherFocusReason); }

void CImportFromVer1Dialog::BrowseSource()
{
    CKoVFileDialog dialog(true, u".db"_s, m_source->text(), {}, u"Paradoxファイル(*.db)|*.db|すべてのファイル(*.*)|*.*||"_s, this);
    if (dialog.DoModal() == QDialog::Accepted) m_source->setText(dialog.GetPathName());
}

void CImportFromVer1Dialog::BrowseDestination()
{
    const QString filter = u"%1ファイル(*%2)|*%2|すべてのファイル(*.*)|*.*||"_s.arg(u"KinzoVer2"_s, u".kzd"_s);
    CKoVFileDialog dialog(false, u".kzd"_s, m_destination->text(), {}, filter, this);
    if (dialog.DoModal() == QDialog::Accepted) m_destination->setText(dialog.GetPathName());
}

void CImportFromVer1Dialog::Convert()
{
    const QString source = m_source->text().trimmed(), destination = m_destination->text().trimmed();
    if (source.isEmpty()) return void(KoMessageBox(this, u"変換元データを指定してください。"_s));
    if (destination.isEmpty()) return void(KoMessageBox(this, u"変換先データを指定してください。"_s));
    if (QFileInfo(source).absoluteFilePath() == QFileInfo(destination).absoluteFilePath() ||
        IsSameFile(source, destination))
        return void(KoMessageBox(this, u"同じファイルに変換することはできません。"_s));
    if (!QFileInfo(source).isFile()) return void(KoMessageBox(this, u"変換元データが存在しません。"_s));
    // Converting over the open ledger would pull the file from under its connection.
    if (!m_openFile.isEmpty() && (IsSameFile(destination, m_openFile) ||
                                  QFileInfo(destination).absoluteFilePath() == QFileInfo(m_openFile).absoluteFilePath()))
        return void(KoMessageBox(this, u"現在開いているファイルを上書きすることはできません。"_s));
    int count = 0;
    CWorkProgress progress(this, u"変換中"_s);
    const Ver1Result result = ConvertVer1Ledger(source, destination, m_host, count, progress.Callback());
    if (result == Ver1Result::TemplateMissing || result == Ver1Result::TemplateCopyFailed ||
        result == Ver1Result::ConnectFailed || result == Ver1Result::Cancelled)
        return;
    const QString outcome = result == Ver1Result::Ok ? u"変換が終了しました。\n"_s : u"一部の変換が完了しませんでした。\n"_s;
    KoMessageBox(this, outcome + u"データ件数 = %1"_s.arg(count));
}
