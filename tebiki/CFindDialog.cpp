#include "CFindDialog.h"

#include "kolib/CKoEdit.h"
#include "kolib/KoMnemonic.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

QTextDocument::FindFlags FindRequest::Flags() const
{
    QTextDocument::FindFlags flags;
    if (!down) flags |= QTextDocument::FindBackward;
    if (matchCase) flags |= QTextDocument::FindCaseSensitively;
    if (wholeWord) flags |= QTextDocument::FindWholeWords;
    return flags;
}

CFindDialog::CFindDialog(const FindRequest& last, QWidget* parent) : CKoVDialogBase(0, parent)
{
    setWindowTitle(u"検索"_s);
    auto* layout = new QVBoxLayout(this);
    auto* textRow = new QHBoxLayout;
    auto* label = new QLabel(u"検索する文字列(&N):"_s, this);
    m_text = new CKoEdit(this);
    m_text->setObjectName(u"1152"_s);
    m_text->SetInputMode(1);
    m_text->setText(last.text);
    KoTieLabel(label, m_text);
    textRow->addWidget(label);
    textRow->addWidget(m_text, 1);
    layout->addLayout(textRow);

    m_wholeWord = new QCheckBox(u"単語単位で探す(&W)"_s, this);
    m_matchCase = new QCheckBox(u"大文字と小文字を区別する(&C)"_s, this);
    m_wholeWord->setChecked(last.wholeWord);
    m_matchCase->setChecked(last.matchCase);
    auto* direction = new QGroupBox(u"方向"_s, this);
    auto* directionRow = new QHBoxLayout(direction);
    m_up = new QRadioButton(u"上へ(&U)"_s, direction);
    m_down = new QRadioButton(u"下へ(&D)"_s, direction);
    (last.down ? m_down : m_up)->setChecked(true);
    directionRow->addWidget(m_up);
    directionRow->addWidget(m_down);
    layout->addWidget(m_wholeWord);
    layout->addWidget(m_matchCase);
    layout->addWidget(direction);

    MakeOkButton(u"次を検索(&F)"_s);
    MakeCancelButton();
    layout->addLayout(MakeOkCancelRow());
}

void CFindDialog::OnInitDialog()
{
    m_text->setFocus();
    m_text->selectAll();
}

void CFindDialog::OnOK()
{
    if (m_text->text().isEmpty()) return;   // nothing to look for yet
    CKoVDialogBase::OnOK();
}

FindRequest CFindDialog::Request() const
{
    return {m_text->text(), m_down->isChecked(), m_matchCase->isChecked(), m_wholeWord->isChecked()};
}
