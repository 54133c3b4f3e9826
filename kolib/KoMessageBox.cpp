#include "KoMessageBox.h"

#include "CKoWindowZoom.h"
#include "KoAppSettings.h"
#include "KoAppVoice.h"
#include "KoColors.h"

#include <QApplication>
#include <QMessageBox>

namespace {

KoMessageAnswerer& answerer()
{
    static KoMessageAnswerer current;
    return current;
}

QMessageBox::Icon boxIcon(KoIcon icon)
{
    switch (icon) {
    case KoIcon::Information: return QMessageBox::Information;
    case KoIcon::Warning: return QMessageBox::Warning;
    case KoIcon::Error: return QMessageBox::Critical;
    case KoIcon::Question: return QMessageBox::Question;
    case KoIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

KoAnswer KoMessageBox(QWidget* owner, const QString& text, KoButtons buttons,
                      const QString& caption, KoIcon icon)
{
    const KoMessage message{text,
                            caption.isEmpty() ? QGuiApplication::applicationDisplayName() : caption,
                            buttons, icon};
    // Said in full before the box appears, so the reader's own announcement
    // of the box does not cut it off; a reader of the tree reads the box.
    KoAppReadArrival(text, 1, 1);
    if (answerer()) {
        const KoAnswer answer = answerer()(message);
        return buttons == KoButtons::Ok ? KoAnswer::Ok : answer;
    }
    const auto standard = buttons == KoButtons::Ok ? QMessageBox::Ok
                                                   : QMessageBox::Ok | QMessageBox::Cancel;
    QMessageBox box(boxIcon(icon), message.caption, text, standard, owner);
    // Read by the same eyes as the windows around it.
    KoApplyAppColors(&box);
    box.setFont(CKoWindowZoom::ZoomFont(KoAppZoom()));
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? KoAnswer::Ok : KoAnswer::Cancel;
}

void KoSetMessageAnswerer(KoMessageAnswerer newAnswerer)
{
    answerer() = std::move(newAnswerer);
}
