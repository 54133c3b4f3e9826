#include "CKoVLoginDlg.h"

#include "CKoPasswordEdit.h"
#include "CKoPasswordStore.h"
#include "KoAppVoice.h"
#include "KoMessageBox.h"
#include "KoMnemonic.h"
#include "voice/CVoiceReader.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// Wrong passwords in a row in this run, and the wait they set: cancelling
// and opening the dialog again starts neither afresh.
struct Misses {
    int inARow = 0;
    QElapsedTimer since;   // the last one's message closed
    int waitMs = 0;
};
Misses misses;

qint64 WaitLeftMs()
{
    if (misses.waitMs <= 0 || !misses.since.isValid()) return 0;
    return std::max<qint64>(0, misses.waitMs - misses.since.elapsed());
}

int WaitSecondsAfter(int failures)
{
    if (failures < 3) return 0;
    return failures >= 7 ? 30 : 1 << (failures - 2);
}

}  // namespace

CKoVLoginDlg::CKoVLoginDlg(const QString& title, const QString& prompt, QWidget* parent)
    : CKoVDialogBase(172, parent),
      m_title(title.isEmpty() ? u"KinzoVer2"_s : title),
      m_promptText(prompt.isEmpty() ? u"パスワードを入力して下さい。"_s : prompt)
{
    setWindowTitle(u"パスワード入力"_s);
    auto* layout = new QVBoxLayout(this);
    m_prompt = new QLabel(m_promptText, this);
    m_prompt->setWordWrap(true);
    m_edit = new CKoPasswordEdit(this);
    KoTieLabel(m_prompt, m_edit);
    layout->addWidget(m_prompt);
    layout->addWidget(m_edit);
    layout->addLayout(MakeOkCancelRow());
    // The only field: Enter in it confirms, as the manual tells the user.
    connect(m_edit, &QLineEdit::returnPressed, this, [this] { OnOK(); });
    m_waitOver.setSingleShot(true);
    m_waitOver.setTimerType(Qt::PreciseTimer);
    connect(&m_waitOver, &QTimer::timeout, this, [] {
        misses.waitMs = 0;
        // Heard even while the password field holds speech off.
        CVoiceReader* voice = KoAppVoice();
        if (!voice) return;
        const int was = voice->SetRead(1);
        voice->ReadText(u"もう一度入力できます。"_s, 1, 1);
        voice->SetRead(was);
    });
}

int CKoVLoginDlg::SecondsToWait() const
{
    return int((WaitLeftMs() + 999) / 1000);
}

void CKoVLoginDlg::OnInitDialog()
{
    setWindowTitle(m_title);
    KoAppReadText(m_promptText, 1, 1);
    m_edit->PromptSaid();
    if (const qint64 left = WaitLeftMs(); left > 0) m_waitOver.start(int(left));
}

void CKoVLoginDlg::OnOK()
{
    if (const int seconds = SecondsToWait(); seconds > 0)
        return Refuse(u"あと%1秒待ってから入力してください。"_s.arg(seconds));
    const QString password = m_edit->text().trimmed();
    CKoPasswordStore store;
    if (store.ReadPasswordOn() && !store.VerifyPassword(password)) {
        const int seconds = WaitSecondsAfter(++misses.inARow);
        Refuse(seconds > 0 ? u"パスワードが違います。\n%1秒待ってから、もう一度入力してください。"_s.arg(seconds)
                           : u"パスワードが違います。"_s);
        StartWait(seconds * 1000);
        return;
    }
    misses = {};
    CKoVDialogBase::OnOK();
}

void CKoVLoginDlg::Refuse(const QString& message)
{
    KoMessageBox(this, message);
    m_edit->setFocus(Qt::OtherFocusReason);
    m_edit->selectAll();
}

// The wait counts from the moment the user has the message behind them.
void CKoVLoginDlg::StartWait(int milliseconds)
{
    misses.waitMs = milliseconds;
    if (milliseconds <= 0) return;
    misses.since.start();
    m_waitOver.start(milliseconds);
}
