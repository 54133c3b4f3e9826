#include "KoColors.h"

#include "CKoInifileBase.h"
#include "CKoStyle.h"
#include "KoAppSettings.h"

#include <QWidget>

namespace {

QColor mix(const QColor& a, const QColor& b)
{
    return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
}

}  // namespace

QColor KoTextColor()
{
    const CKoInifileBase* ini = KoAppIniFile();
    return ini && ini->HasFontColor() ? ini->ReadFontColor() : QColor(Qt::black);
}

QColor KoBackColor()
{
    const CKoInifileBase* ini = KoAppIniFile();
    return ini && ini->HasBackColor() ? ini->ReadBackColor() : QColor(Qt::white);
}

QPalette KoColorPalette(const QColor& text, const QColor& back)
{
    QPalette palette;
    const QColor half = mix(text, back);
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const QColor foreground = group == QPalette::Disabled ? half : text;
        for (const auto role : {QPalette::Window, QPalette::Base, QPalette::AlternateBase,
                                QPalette::Button, QPalette::ToolTipBase})
            palette.setColor(group, role, back);
        for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText,
                                QPalette::ToolTipText, QPalette::BrightText})
            palette.setColor(group, role, foreground);
        palette.setColor(group, QPalette::PlaceholderText, half);
        palette.setColor(group, QPalette::Highlight, text);
        palette.setColor(group, QPalette::HighlightedText, back);
        // Frames and bevels are drawn from these: keep them visible on any back colour.
        palette.setColor(group, QPalette::Light, back);
        palette.setColor(group, QPalette::Midlight, back);
        palette.setColor(group, QPalette::Mid, half);
        palette.setColor(group, QPalette::Dark, half);
        palette.setColor(group, QPalette::Shadow, text);
        palette.setColor(group, QPalette::Link, text);
        palette.setColor(group, QPalette::LinkVisited, text);
    }
    return palette;
}

void KoApplyColors(QWidget* widget, const QColor& text, const QColor& back)
{
    if (!widget) return;
    KoEnsureStyle();
    widget->setPalette(KoColorPalette(text, back));
    widget->setAutoFillBackground(true);
}

void KoApplyAppColors(QWidget* widget)
{
    KoApplyColors(widget, KoTextColor(), KoBackColor());
}
