#include "kinzo/dialogs/settings/CGeneralSettingsDialog.h"

#include "CKinzoIniFile.h"
#include "CSettingInfo.h"
#include "kolib/CKoIntegerEdit.h"
#include "kolib/CKoVComboBox.h"
#include "kolib/KoMnemonic.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CGeneralSettingsDialog::CGeneralSettingsDialog(QWidget* parent, CSettingInfo& settings, CKinzoIniFile& iniFile)
    : CKoVDialogBase(0, parent), m_settings(settings), m_iniFile(iniFile)
{
    setWindowTitle(u"一般設定"_s);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    AddCombo(grid, "1048", u"初期文字サイズ(&F)"_s);
    AddCombo(grid, "1049", u"初期展開レベル(&E)"_s);
    AddCombo(grid, "1052", u"年度の開始月(&M)"_s);
    auto* label = new QLabel(u"自動アナウンス開始日数(&A)"_s, this);
    m_days = new CKoIntegerEdit(this);
    m_days->setObjectName(u"1092"_s);
    m_days->SetRange(0, 0, 99, 2);
    m_days->SetSpokenName(label->text());
    const int row = grid->rowCount();
    grid->addWidget(label, row, 0);
    grid->addWidget(m_days, row, 1);
    grid->addWidget(new QLabel(u"(日前から）"_s, this), row, 2);
    KoTieLabel(label, m_days);
    layout->addLayout(MakeOkCancelRow());
}

CKoVComboBox* CGeneralSettingsDialog::AddCombo(QGridLayout* grid, const char* id, const QString& caption)
{
    auto* label = new QLabel(caption, this);
    auto* combo = new CKoVComboBox(this);
    combo->setObjectName(QString::fromLatin1(id));
    combo->Setup(KoStripMnemonic(caption));
    const int row = grid->rowCount();
    grid->addWidget(label, row, 0);
    grid->addWidget(combo, row, 1, 1, 2);
    KoTieLabel(label, combo);
    return combo;
}

CKoVComboBox* CGeneralSettingsDialog::Combo(int id) const { return findChild<CKoVComboBox*>(QString::number(id)); }

void CGeneralSettingsDialog::OnInitDialog()
{
    CKoVComboBox* sizes = Combo(1048);
    for (int i = 0; i < m_settings.m_fontSizeCount; ++i)
        sizes->addItem(QString::number(m_settings.m_fontSizes[i]), m_settings.m_fontSizes[i]);
    sizes->setCurrentIndex(std::max(0, sizes->findData(std::max(9, m_iniFile.ReadFontSize()))));
    Combo(1049)->addItems({u"収支まで"_s, u"第１階層まで"_s, u"第２階層まで"_s, u"第３階層まで"_s});
    Combo(1049)->setCurrentIndex(std::clamp(m_settings.m_accountExpandLevel, 0, 3));
    for (int m = 1; m <= 12; ++m) Combo(1052)->addItem(u"%1 月"_s.arg(m), m);
    Combo(1052)->setCurrentIndex(std::clamp(m_settings.m_startMonth, 1, 12) - 1);
    m_days->setText(QString::number(m_settings.m_saveAnounceStartDays));
    sizes->setFocus(Qt::OtherFocusReason);
}

void CGeneralSettingsDialog::OnOK()
{
    if (!m_days->CheckRange(false)) return;
    m_fontSize = Combo(1048)->currentData().toInt();
    const int month = Combo(1052)->currentIndex() + 1;
    m_startMonthChanged = month != m_settings.m_startMonth;
    m_settings.m_accountExpandLevel = Combo(1049)->currentIndex();
    m_settings.m_startMonth = month;
    m_settings.m_saveAnounceStartDays = m_days->Value();
    m_iniFile.WriteFontSize(m_fontSize);
    m_iniFile.WriteAccountExpandLevel(m_settings.m_accountExpandLevel);
    m_iniFile.WriteStartMonth(month);
    m_iniFile.WriteSaveAnounceStartDays(m_settings.m_saveAnounceStartDays);
    CKoVDialogBase::OnOK();
}
