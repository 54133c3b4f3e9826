#include "CKoCheckBox.h"

#include "KoAppVoice.h"

using namespace Qt::StringLiterals;

CKoCheckBox::CKoCheckBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent)
{
    // clicked comes from the user only (key, mouse, mnemonic), never from setChecked.
    connect(this, &QAbstractButton::clicked, this, [](bool checked) { KoAppReadText(ChangeSpeech(checked), 1, 0); });
}

QString CKoCheckBox::ChangeSpeech(bool checked)
{
    return checked ? u"チェックをつけました。"_s : u"チェックをはずしました。"_s;
}
