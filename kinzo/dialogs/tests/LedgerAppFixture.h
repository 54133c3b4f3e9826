#pragma once
// What the dialog and view tests share: the application (made by the test's
// main) with its settings in a temporary home, the speech transcript, message
// boxes answered from a queue and recorded, and a fresh data file opened by
// the document, with helpers that add accounts and entries through the data
// layer the way other windows would.

#include "CKinzoApp.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kolib/KoAppSettings.h"
#include "kolib/KoAppVoice.h"
#include "kolib/KoMessageBox.h"
#include "voice/CTranscriptReader.h"
#include "voice/CVoiceReader.h"

#include <QAbstractButton>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <deque>
#include <functional>

class LedgerAppFixture {
public:
    QTemporaryDir home;
    QStringList messages;
    std::deque<KoAnswer> answers;    // taken one per message; Ok when empty
    int ledgerNumber = 0;

    CKinzoApp& App() { return *CKinzoApp::Instance(); }
    CKinzoDoc& Doc() { return App().Document(); }

    // Settings, speech and message boxes of the application, once per run.
    void Start()
    {
        qputenv("HOME", home.path().toUtf8());
        qputenv("VOICE_TRANSCRIPT", home.filePath(QStringLiteral("heard.txt")).toUtf8());
        App().m_programFolder = QStringLiteral(KINZO_PROGRAM_DIR);
        App().m_iniFile.SetFilePath(home.filePath(QStringLiteral("Kinzo2.ini")));
        App().m_settingInfo.Load();
        KoSetAppIniFile(&App().m_iniFile);
        KoSetAppSettings(&App().m_settingInfo);
        App().m_voiceReader.Init();
        KoSetAppVoice(&App().m_voiceReader);
        KoSetMessageAnswerer([this](const KoMessage& m) {
            messages << m.text;
            if (answers.empty()) return KoAnswer::Ok;
            const KoAnswer answer = answers.front();
            answers.pop_front();
            return answer;
        });
    }

    // A new data file with only the two roots, open in the document.
    bool NewLedger()
    {
        const QString path = home.filePath(QStringLiteral("ledger%1.kzd").arg(++ledgerNumber));
        messages.clear();
        answers.clear();
        App().m_settingInfo.m_notes.clear();
        return Doc().OnNewDocument(path);
    }

    AccountItemNode* Root(int side)
    {
        for (AccountItemNode* root = Doc().AccountItems().m_firstChild; root; root = root->m_next)
            if (root->m_data.side == side) return root;
        return nullptr;
    }

    // Stores a child item (with optional validity) and reloads the tree.
    int AddAccount(int parentId, const QString& name, QDate useEnd = QDate())
    {
        AccountItemNode* parent = Doc().AccountItems().Find(parentId);
        if (!parent) return 0;
        _AccountItem item = _AccountItem::ChildOf(parent->m_data, name);
        item.useStart = 0;
        item.useEnd = useEnd.isValid() ? 1 : 0;
        item.end = useEnd;
        Doc().AccountTable().NextChildCode(parent->m_data, item.code);
        if (Doc().AccountTable().AddItem(item) != DbStatus::Ok) return 0;
        Doc().ReloadAccountItems();
        return item.ID;
    }

    int AddEntry(const QDate& date, int itemId, qint64 amount, const QString& note = QString(), int caterId = 0)
    {
        _KinzoEntry entry{0, date, itemId, amount, caterId, 0, note};
        return Doc().KinzoTable().AddEntry(entry) == DbStatus::Ok ? entry.ID : 0;
    }

    QList<_ViewEntry> EntriesOf(const QDate& first, const QDate& last)
    {
        QList<_ViewEntry> entries;
        Doc().KinzoView().SelectRange(first, last, entries);
        return entries;
    }

    qint64 EntryCount()
    {
        QDate first, last;
        qint64 count = 0;
        Doc().KinzoTable().GetDateRange(first, last, count);
        return count;
    }

    // Every text spoken since the last ClearHeard, one per line.
    QStringList Heard() const { return CTranscriptReader::SpokenLines(home.filePath(QStringLiteral("heard.txt"))); }
    // The same with CTranscriptReader::StopLine() and WaitLine() where speech
    // was cut off or waited for.
    QStringList HeardWithMarkers() const
    {
        return CTranscriptReader::LinesWithMarkers(home.filePath(QStringLiteral("heard.txt")));
    }
    void ClearHeard() { QFile::resize(home.filePath(QStringLiteral("heard.txt")), 0); }
};

// Types text into a field as an input method commits it (Japanese included).
inline void TypeText(QLineEdit* field, const QString& text)
{
    field->setFocus();
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QCoreApplication::sendEvent(field, &commit);
}

// The Alt letters that more than one label or button of the window uses: the
// first press of such a letter only moves between them.
inline QStringList SharedMnemonics(const QWidget& window)
{
    QMap<QChar, int> uses;
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        const QString text = w->property("text").toString();
        const qsizetype at = text.indexOf(QRegularExpression(QStringLiteral("&[^&]")));
        if (at >= 0 && (qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w)))
            ++uses[text.at(at + 1).toUpper()];
    }
    QStringList shared;
    for (auto it = uses.cbegin(); it != uses.cend(); ++it)
        if (it.value() > 1) shared << it.key();
    return shared;
}

// Runs f once the next modal dialog is up (after the call that opens it).
inline void WhenModal(std::function<void(QWidget*)> f)
{
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, f] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            f(modal);
        }
    });
    timer->start();
}

// Runs f once a modal dialog of type T is up and shown (after the call that
// opens it); other dialogs on the way are left alone.
template <class T>
void WhenModalOf(std::function<void(T*)> f)
{
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, f] {
        if (auto* modal = qobject_cast<T*>(QApplication::activeModalWidget()); modal && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            f(modal);
        }
    });
    timer->start();
}
