#include "CKoColorSettingDlg.h"

#include "CKoInifileBase.h"
#include "CKoIntegerEdit.h"
#include "CKoVComboBox.h"
#include "KoAppSettings.h"
#include "KoAppVoice.h"
#include "KoColors.h"
#include "KoMnemonic.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

const std::array<KoNamedColor, CKoColorSettingDlg::NamedColorCount>& CKoColorSettingDlg::NamedColors()
{
    static const std::array<KoNamedColor, NamedColorCount> colors{{
        {u"白", QColor(255, 255, 255)},
        {u"黒", QColor(0, 0, 0)},
        {u"赤", QColor(255, 0, 0)},
        {u"緑", QColor(0, 128, 0)},
        {u"青", QColor(0, 0, 255)},
        {u"黄色", QColor(255, 255, 0)},
        {u"紫", QColor(128, 0, 128)},
        {u"水色", QColor(0, 255, 255)},
        {u"えび茶", QColor(128, 0, 0)},
        {u"紺", QColor(0, 0, 128)},
        {u"オリーブ", QColor(128, 128, 0)},
        {u"灰色", QColor(128, 128, 128)},
        {u"銀色", QColor(192, 192, 192)},
        {u"黄緑", QColor(0, 255, 0)},
        {u"ピンク", QColor(255, 0, 255)},
        {u"深緑", QColor(0, 128, 128)},
        {u"その他、三原色で指定", QColor()},
    }};
    return colors;
}

CKoColorSettingDlg::CKoColorSettingDlg(QWidget* parent) : CKoVDialogBase(0, parent)
{
    setWindowTitle(u"文字色・背景色設定"_s);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeRow(m_text, u"文字色(&T)"_s, 1013, 1015, u"文字色"_s,
                              {u"文字色の赤のエディット"_s, u"文字色の緑のエディット"_s, u"文字色の青のエディット"_s}));
    layout->addWidget(MakeRow(m_back, u"背景色(&B)"_s, 1014, 1018, u"背景色"_s,
                              {u"背景色の赤のエディット"_s, u"背景色の緑のエディット"_s, u"背景色の青のエディット"_s}));
    layout->addLayout(MakeOkCancelRow());
}

QWidget* CKoColorSettingDlg::MakeRow(ColorRow& row, const QString& title, int comboId, int firstEditId,
                                      const QString& colourName, const std::array<QString, 3>& editSpeech)
{
    static const std::array<QString, 3> parts{u"赤"_s, u"緑"_s, u"青"_s};
    auto* group = new QGroupBox(colourName, this);
    auto* grid = new QGridLayout(group);
    auto* comboLabel = new QLabel(title, group);
    row.combo = new CKoVComboBox(group);
    row.combo->setObjectName(QString::number(comboId));
    row.combo->Setup(colourName);
    KoTieLabel(comboLabel, row.combo);
    grid->addWidget(comboLabel, 0, 0);
    grid->addWidget(row.combo, 0, 1, 1, 6);
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(parts[i], group);
        auto* edit = new CKoIntegerEdit(group);
        edit->setObjectName(QString::number(firstEditId + i));
        edit->SetRange(0, 0, 255, 3);
        edit->setAccessibleName(colourName + u'の' + parts[i]);
        KoTieLabel(label, edit);
        grid->addWidget(label, 1, 2 * i);
        grid->addWidget(edit, 1, 2 * i + 1);
        const QString speech = editSpeech[i];
        connect(edit, &CKoEdit::focusEntered, this, [speech] { KoAppReadText(speech, 1, 0); });
        connect(edit, &QLineEdit::textEdited, this, [this] { PreviewColors(); });
        row.edits[i] = edit;
    }
    connect(row.combo, &QComboBox::currentIndexChanged, this, [this, &row] { OnSelChange(row); });
    return group;
}

void CKoColorSettingDlg::OnInitDialog()
{
    m_textColor = KoTextColor();
    m_backColor = KoBackColor();
    FillCombo(m_text, m_textColor);
    FillCombo(m_back, m_backColor);
}

void CKoColorSettingDlg::FillCombo(ColorRow& row, const QColor& current)
{
    const QSignalBlocker blocker(row.combo);
    row.combo->clear();
    int selected = NamedColorCount - 1;
    for (int i = 0; i < NamedColorCount; ++i) {
        const KoNamedColor& named = NamedColors()[i];
        // The last entry starts with the setting, so choosing it begins from there.
        const QColor color = named.color.isValid() ? named.color : current;
        row.combo->addItem(QString::fromUtf16(named.name), ColorRefFromColor(color));
        if (named.color.isValid() && named.color.rgb() == current.rgb() && selected == NamedColorCount - 1)
            selected = i;
    }
    row.combo->setCurrentIndex(selected);
    OnSelChange(row);
}

bool CKoColorSettingDlg::IsOther(const ColorRow& row) const
{
    return row.combo->currentIndex() == NamedColorCount - 1;
}

void CKoColorSettingDlg::OnSelChange(ColorRow& row)
{
    const QColor color = ColorFromColorRef(row.combo->currentData().toUInt());
    ShowInEdits(row, color);
    for (CKoIntegerEdit* edit : row.edits) edit->setEnabled(IsOther(row));
    PreviewColors();
}

void CKoColorSettingDlg::ShowInEdits(ColorRow& row, const QColor& color)
{
    row.edits[0]->setText(QString::number(color.red()));
    row.edits[1]->setText(QString::number(color.green()));
    row.edits[2]->setText(QString::number(color.blue()));
}

QColor CKoColorSettingDlg::FromEdits(const ColorRow& row) const
{
    return QColor(row.edits[0]->Value(), row.edits[1]->Value(), row.edits[2]->Value());
}

// The dialog shows the chosen pair as the tables will: with a dark back
// colour the old dark text would leave the dialog unreadable while choosing.
void CKoColorSettingDlg::PreviewColors()
{
    QColor colors[2];
    const ColorRow* rows[2] = {&m_text, &m_back};
    for (int i = 0; i < 2; ++i) {
        colors[i] = i == 0 ? KoTextColor() : KoBackColor();
        bool valid = rows[i]->edits[0] != nullptr;
        for (const CKoIntegerEdit* edit : rows[i]->edits) {
            bool ok = false;
            const int value = edit ? edit->Value(&ok) : -1;
            valid = valid && ok && value >= 0 && value <= 255;
        }
        if (valid) colors[i] = FromEdits(*rows[i]);
    }
    KoApplyColors(this, colors[0], colors[1]);
}

void CKoColorSettingDlg::OnOK()
{
    for (ColorRow* row : {&m_text, &m_back})
        for (CKoIntegerEdit* edit : row->edits)
            if (!edit->CheckRange(false)) return;
    m_textColor = FromEdits(m_text);
    m_backColor = FromEdits(m_back);
    if (CKoInifileBase* ini = KoAppIniFile()) {
        ini->WriteFontColor(m_textColor);
        ini->WriteBackColor(m_backColor);
    }
    RebuildBrush();
    CKoVDialogBase::OnOK();
}
