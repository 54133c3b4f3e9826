#include "kinzo/dialogs/transfer/CWorkProgress.h"

#include "kinzo/data/AmountText.h"
#include "kolib/CKoWindowZoom.h"
#include "kolib/KoAppSettings.h"
#include "kolib/KoAppVoice.h"

#include <QApplication>
#include <QProgressDialog>

using namespace Qt::StringLiterals;

namespace {
constexpr int ShowAfterMs = 300;
}

CWorkProgress::CWorkProgress(QWidget* owner, const QString& what) : m_owner(owner), m_what(what) { m_clock.start(); }

CWorkProgress::~CWorkProgress() { delete m_dialog; }

RowProgress CWorkProgress::Callback()
{
    return [this](qint64 done, qint64 total) { return Step(done, total); };
}

QString CWorkProgress::CountText(qint64 done) { return FormatAmount(done) + u" 件"_s; }

QString CWorkProgress::FinishingText() { return u"索引と集計を作成しています"_s; }

bool CWorkProgress::Step(qint64 done, qint64 total)
{
    if (!m_dialog && m_clock.elapsed() >= ShowAfterMs) {
        m_dialog = new QProgressDialog(m_what, u"キャンセル"_s, 0, 0, m_owner);
        m_dialog->setWindowTitle(m_what);
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->setMinimumDuration(0);
        m_dialog->setAccessibleName(m_what);
        // A window of its own: it takes the screen's font size, not its owner's.
        m_dialog->setFont(CKoWindowZoom::ZoomFont(KoAppZoom()));
        m_dialog->show();
        KoAppReadText(m_what);
    }
    if (m_dialog) {
        if (total > 0) {
            m_dialog->setMaximum(int(std::min<qint64>(total, INT_MAX)));
            m_dialog->setValue(int(std::min<qint64>(done, INT_MAX)));
        }
        if (done == FinishingWork) {
            m_dialog->setLabelText(m_what + u"\n"_s + FinishingText());
            if (!m_finishingSaid) KoAppReadText(FinishingText());
            m_finishingSaid = true;
        } else {
            m_dialog->setLabelText(m_what + u"\n"_s + CountText(done));
        }
        m_cancelled = m_dialog->wasCanceled();
    }
    QApplication::processEvents();
    return !m_cancelled;
}
