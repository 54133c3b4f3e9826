#pragma once
// The look of the toolkit's windows for users with low vision: Qt's Fusion
// look, except that field frames, list frames, check boxes and the arrows of
// combo boxes and date fields are drawn in the text colour (so they show on
// any back colour, black included) and grow with the font when a window is
// magnified. A focused field gets a frame twice as thick.
// KoEnsureStyle installs it for the whole program the first time a toolkit
// window is made; the program may install it itself at start-up.

#include <QProxyStyle>

class CKoStyle : public QProxyStyle {
    Q_OBJECT
public:
    CKoStyle();

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
};

// Installs CKoStyle as the program's style unless it is already.
void KoEnsureStyle();
