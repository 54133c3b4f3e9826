#pragma once
// The dialog "文字色・背景色設定": the user picks the text colour and the back
// colour from seventeen named colours, the last of which,
// "その他、三原色で指定", takes red, green and blue typed in three fields
// (0 to 255). Choosing a back colour shows it on the dialog at once. OK
// writes "FontColor" and "BackColor" to the settings file; the caller then
// tells the views that the colours changed.
// Control ids: text-colour combo 1013, back-colour combo 1014, text red,
// green, blue 1015-1017, back red, green, blue 1018-1020.

#include "CKoVDialogBase.h"

#include <QColor>
#include <QString>

#include <array>

class CKoIntegerEdit;
class CKoVComboBox;

struct KoNamedColor {
    const char16_t* name;
    QColor color;   // invalid for the last entry: the colour typed in the fields
};

class CKoColorSettingDlg : public CKoVDialogBase {
    Q_OBJECT
public:
    static constexpr int NamedColorCount = 17;
    static const std::array<KoNamedColor, NamedColorCount>& NamedColors();

    explicit CKoColorSettingDlg(QWidget* parent = nullptr);

    // The colours chosen (after OK) or being edited.
    QColor m_textColor;
    QColor m_backColor;

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    struct ColorRow {
        CKoVComboBox* combo = nullptr;
        std::array<CKoIntegerEdit*, 3> edits{};   // red, green, blue
    };

    QWidget* MakeRow(ColorRow& row, const QString& title, int comboId, int firstEditId,
                     const QString& colourName, const std::array<QString, 3>& editSpeech);
    void FillCombo(ColorRow& row, const QColor& current);
    void OnSelChange(ColorRow& row);
    void ShowInEdits(ColorRow& row, const QColor& color);
    QColor FromEdits(const ColorRow& row) const;
    bool IsOther(const ColorRow& row) const;
    void PreviewColors();

    ColorRow m_text;
    ColorRow m_back;
};
