#include "CTebikiApp.h"

#include "CTebikiFrame.h"

#include "kolib/KoAppVoice.h"
#include "kolib/KoKeyboardKeeper.h"
#include "kolib/KoMessageBox.h"
#include "kolib/KoAccessible.h"
#include "kolib/KoTranslations.h"

#include <QScreen>
#include <QThread>

using namespace Qt::StringLiterals;

namespace {

const int focusTalkId = 5;

}  // namespace

CTebikiApp::CTebikiApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(u"TebikiVer2"_s);
    setApplicationVersion(QStringLiteral(KINZO_VERSION));
    KoInstallQtTranslations(*this);
    KoInstallAccessibility();
}

CTebikiApp::~CTebikiApp()
{
    m_frame.reset();
    KoSetAppVoice(nullptr);
}

bool CTebikiApp::InitInstance(const QStringList& arguments)
{
    m_voice.Init();
    KoSetAppVoice(&m_voice);
    m_voice.SetRead(0);   // nothing is said until the window shows

    const QString manual = arguments.value(0);
    if (!manual.isEmpty()) m_document.Load(manual);
    if (!m_singleProcess.SettleAtStart(applicationName(), u"Tebiki2.exe"_s,
                                       queryKeyboardModifiers() & Qt::ControlModifier))
        return false;

    m_frame = std::make_unique<CTebikiFrame>(m_document);
    KoShowMaximised(*m_frame, m_frame->screen()->availableGeometry());
    KoKeepKeyboard(*m_frame);
    m_singleProcess.SetMark(m_frame.get(), 1);
    m_voice.SetRead(1);
    if (manual.isEmpty()) KoMessageBox(m_frame.get(), u"ファイルが指定されていません。"_s);
    m_voice.ReadText(u"TEBIKIを起動しました。"_s, 1, 1);
    if (m_voice.GetReaderID() == focusTalkId) QThread::msleep(2000);
    return true;
}
