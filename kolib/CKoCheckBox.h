#pragma once
// A check box that says what the user did to it: "チェックをつけました。" or
// "チェックをはずしました。". Set by the program, it stays silent.

#include <QCheckBox>

class CKoCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit CKoCheckBox(const QString& caption, QWidget* parent = nullptr);

    static QString ChangeSpeech(bool checked);
};
