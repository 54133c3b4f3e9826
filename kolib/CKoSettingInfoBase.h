#pragma once
// The settings a program keeps in memory while it runs, loaded from and saved
// to its settings file. This base holds what every program shares: the table
// of screen font sizes and the current size with its zoom factor.

#include <array>

class CKoInifileBase;

class CKoSettingInfoBase {
public:
    static constexpr int MaxFontSizes = 16;
    static constexpr int BaseFontSize = 9;

    // The settings file must outlive this object.
    explicit CKoSettingInfoBase(CKoInifileBase& iniFile);
    virtual ~CKoSettingInfoBase() = default;

    virtual void Reset();
    virtual void Load();
    virtual void Save();

    // Sets the screen font size and its zoom factor (size / 9.0).
    void SetFontSize(int size);
    // The index of the size in the table, or -1.
    int FontSizeIndex(int size) const;
    // The magnification steps next to a size: the first listed size larger
    // than `size` (the largest one when none is larger), and the largest listed
    // size smaller than it (the smallest one when none is smaller). A result
    // equal to `size` means there is no step to take.
    int LargerFontSize(int size) const;
    int SmallerFontSize(int size) const;
    static double ZoomOf(int size) { return size / double(BaseFontSize); }

    // Screen font sizes, ended by the first non-positive entry.
    std::array<int, MaxFontSizes> m_fontSizes{9, 12, 14, 16, 18, 22, 26, 30, 36, 45};
    std::array<double, MaxFontSizes> m_zoomFactors{};
    int m_fontSizeCount = 0;
    int m_fontSize = BaseFontSize;
    double m_zoom = 1.0;
    // Whether dialogs and views follow the magnification keys (the main window decides).
    int m_zoomEnabled = 1;

protected:
    CKoInifileBase& m_iniFile;
};
