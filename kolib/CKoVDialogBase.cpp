#include "CKoVDialogBase.h"

#include "CKoButton.h"
#include "CKoSettingInfoBase.h"
#include "KoAppSettings.h"
#include "KoAppVoice.h"
#include "KoColors.h"
#include "voice/CVoiceReader.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QScreen>
#include <QShortcut>

CKoVDialogBase::CKoVDialogBase(int resourceId, QWidget* parent)
    : QDialog(parent), m_resourceId(resourceId), m_fkeyMenu(this), m_zoom(this)
{
    if (resourceId > 0) setObjectName(QString::number(resourceId));
    setFont(CKoWindowZoom::ZoomFont(1.0));
    KoApplyAppColors(this);
    m_zoomStep = KoAppFontSize();
    MakeShortcuts();
}

CKoVDialogBase::~CKoVDialogBase()
{
    ReleaseFunctionKey();
}

void CKoVDialogBase::MakeShortcuts()
{
    const auto zoomKey = [this](Qt::Key key, bool larger) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | key), this);
        connect(shortcut, &QShortcut::activated, this, [this, larger] { StepZoom(larger); });
    };
    zoomKey(Qt::Key_Up, true);
    zoomKey(Qt::Key_Down, false);
    for (int key = Qt::Key_F1; key <= Qt::Key_F12; ++key) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setAutoRepeat(false);   // a held key acts once
        connect(shortcut, &QShortcut::activated, this, [this, key] { OnFunctionKey(key); });
    }
}

CKoButton* CKoVDialogBase::MakeOkButton(const QString& caption)
{
    if (!m_okButton) {
        m_okButton = new CKoButton(caption, this);
        m_okButton->setObjectName(QStringLiteral("1"));
        connect(m_okButton, &QPushButton::clicked, this, [this] { OnOK(); });
    }
    return m_okButton;
}

CKoButton* CKoVDialogBase::MakeCancelButton(const QString& caption)
{
    if (!m_cancelButton) {
        m_cancelButton = new CKoButton(caption, this);
        m_cancelButton->setObjectName(QStringLiteral("2"));
        connect(m_cancelButton, &QPushButton::clicked, this, [this] { OnCancel(); });
    }
    return m_cancelButton;
}

QHBoxLayout* CKoVDialogBase::MakeOkCancelRow()
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(MakeOkButton());
    row->addWidget(MakeCancelButton());
    return row;
}

void CKoVDialogBase::RebuildBrush()
{
    KoApplyAppColors(this);
}

void CKoVDialogBase::SetBackColor(const QColor& back)
{
    KoApplyColors(this, KoTextColor(), back);
}

void CKoVDialogBase::OnOK()
{
    done(Accepted);
}

void CKoVDialogBase::OnCancel()
{
    done(Rejected);
}

void CKoVDialogBase::keyPressEvent(QKeyEvent* event)
{
    // Keys reach the dialog only when the focused control did not take them.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        const QWidget* focus = focusWidget();
        if (focus && focus == m_okButton) OnOK();
        else if (focus && focus == m_cancelButton) OnCancel();
        event->accept();
        return;
    }
    case Qt::Key_Escape:
        KoAppStopRead();
        OnCancel();
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void CKoVDialogBase::showEvent(QShowEvent* event)
{
    if (!m_initialised) {
        m_initialised = true;
        OnInitDialog();
        m_zoomStep = KoAppFontSize();
        m_zoom.Apply(KoAppZoom());
        CentreOnParent();
    }
    QDialog::showEvent(event);
}

void CKoVDialogBase::hideEvent(QHideEvent* event)
{
    ReleaseFunctionKey();
    QDialog::hideEvent(event);
}

void CKoVDialogBase::CentreOnParent()
{
    QRect area;
    if (parentWidget()) area = parentWidget()->window()->frameGeometry();
    else if (const QScreen* screen = this->screen()) area = screen->availableGeometry();
    if (!area.isValid()) return;
    QRect frame = frameGeometry();
    frame.moveCenter(area.center());
    // Kept on the screen, title bar first, when the owner sits near an edge.
    if (const QScreen* screen = this->screen()) {
        const QRect screenArea = screen->availableGeometry();
        frame.moveLeft(std::max(screenArea.left(), std::min(frame.left(), screenArea.right() - frame.width() + 1)));
        frame.moveTop(std::max(screenArea.top(), std::min(frame.top(), screenArea.bottom() - frame.height() + 1)));
    }
    move(frame.topLeft());
}

void CKoVDialogBase::StepZoom(bool larger)
{
    if (!KoAppZoomEnabled()) return;
    const CKoSettingInfoBase* settings = KoAppSettings();
    const int next = larger ? settings->LargerFontSize(m_zoomStep) : settings->SmallerFontSize(m_zoomStep);
    if (next == m_zoomStep) return;
    m_zoomStep = next;
    m_zoom.Apply(CKoSettingInfoBase::ZoomOf(next));
    CentreOnParent();
}

void CKoVDialogBase::OnFunctionKey(int key)
{
    if (m_fkeyHeld || !m_fkeyMenu.HandleDialogKey(unsigned(key))) return;
    m_fkeyHeld = 1;
    if (CVoiceReader* voice = KoAppVoice()) voice->SetReadTreeList(0);
    // The release may reach any window (the key may have opened one).
    qApp->installEventFilter(this);
}

void CKoVDialogBase::ReleaseFunctionKey()
{
    if (!m_fkeyHeld) return;
    m_fkeyHeld = 0;
    qApp->removeEventFilter(this);
    if (CVoiceReader* voice = KoAppVoice()) voice->SetReadTreeList(1);
}

bool CKoVDialogBase::eventFilter(QObject* watched, QEvent* event)
{
    if (m_fkeyHeld && event->type() == QEvent::KeyRelease
        && !static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
        ReleaseFunctionKey();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
