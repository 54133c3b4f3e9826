#include "CSplashWindow.h"

#include "CKoWindowZoom.h"
#include "KoAppSettings.h"
#include "KoColors.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

CSplashWindow::CSplashWindow(const QString& text, QWidget* parent)
    : QFrame(parent, Qt::Tool | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("170"));
    KoApplyAppColors(this);
    const QString shown = text.isEmpty() ? QGuiApplication::applicationDisplayName() : text;
    setAccessibleName(shown);
    QFont font = CKoWindowZoom::ZoomFont(2.0 * KoAppZoom());
    font.setBold(true);
    m_label = new QLabel(shown, this);
    m_label->setFont(font);
    m_label->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(48, 32, 48, 32);
    layout->addWidget(m_label);
    // Without a border of its own, a line in the text colour sets it off from what is behind.
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(2);
}

void CSplashWindow::ShowCentred()
{
    adjustSize();
    QRect area;
    if (parentWidget()) area = parentWidget()->window()->frameGeometry();
    else if (const QScreen* screen = QGuiApplication::primaryScreen()) area = screen->availableGeometry();
    QRect frame = geometry();
    if (area.isValid()) frame.moveCenter(area.center());
    move(frame.topLeft());
    show();
    repaint();
}
