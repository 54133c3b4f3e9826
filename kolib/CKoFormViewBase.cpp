#include "CKoFormViewBase.h"

#include "CKoSettingInfoBase.h"
#include "KoAppSettings.h"
#include "KoAppVoice.h"
#include "KoColors.h"

#include <QKeyEvent>
#include <QShortcut>

CKoFormViewBase::CKoFormViewBase(int resourceId, QWidget* parent)
    : QWidget(parent), m_resourceId(resourceId), m_zoom(this)
{
    setObjectName(QString::number(resourceId));
    setFont(CKoWindowZoom::ZoomFont(1.0));
    KoApplyAppColors(this);
    for (const auto& [key, larger] : {std::pair{Qt::Key_Up, true}, std::pair{Qt::Key_Down, false}}) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | key), this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, larger = larger] { StepZoom(larger); });
    }
}

void CKoFormViewBase::OnInitialUpdate()
{
    m_zoom.Apply(KoAppZoom());
}

void CKoFormViewBase::OnUpdate(QObject*, int hint, const QVariant&)
{
    switch (hint) {
    case KoHintColorsChanged:
        KoApplyAppColors(this);
        update();
        break;
    case KoHintZoomChanged:
        m_zoom.Apply(KoAppZoom());
        break;
    default:
        break;
    }
}

void CKoFormViewBase::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        KoAppStopRead();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CKoFormViewBase::StepZoom(bool larger)
{
    if (!KoAppZoomEnabled()) return;
    CKoSettingInfoBase* settings = KoAppSettings();
    const int current = settings->m_fontSize;
    const int next = larger ? settings->LargerFontSize(current) : settings->SmallerFontSize(current);
    if (next == current) return;
    settings->SetFontSize(next);
    m_zoom.Apply(settings->m_zoom);
    Q_EMIT ZoomChanged(settings->m_zoom);
}
