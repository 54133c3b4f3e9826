#include "CKoVFKeyMenu.h"

#include "KoAppVoice.h"
#include "KoCommandEvent.h"
#include "KoMnemonic.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

void CKoVFKeyMenu::Add(unsigned int key, const QString& label, unsigned int commandId)
{
    m_keys.push_back(key);
    m_labels.push_back(label);
    m_commandIds.push_back(commandId);
}

int CKoVFKeyMenu::Find(unsigned int key) const
{
    for (int i = 0; i < Count(); ++i)
        if (m_keys[i] == key) return i;
    return -1;
}

QString CKoVFKeyMenu::Announcement(int index) const
{
    return KoShownCaption(m_labels.at(index)) + m_separator + u"メニューを開く"_s;
}

QString CKoVFKeyMenu::UnavailableText(const QString& commandName)
{
    return commandName + u"は現在使用できません。"_s;
}

int CKoVFKeyMenu::HandleMainKey(unsigned int key)
{
    const int index = Find(key);
    if (index < 0) return 0;
    if (m_available && !m_available(m_commandIds[index])) {
        KoAppReadText(UnavailableText(m_labels.at(index)), 1, 0);
        return 1;
    }
    // The window the command opens is named by a screen reader of the tree.
    KoAppReadArrival(Announcement(index));
    if (m_owner) QCoreApplication::postEvent(m_owner, new KoCommandEvent(m_commandIds[index]));
    return 1;
}

int CKoVFKeyMenu::HandleDialogKey(unsigned int key)
{
    const int index = Find(key);
    if (index < 0) return 0;
    KoAppReadArrival(Announcement(index));
    if (m_owner) {
        const QPointer<QWidget> owner = m_owner;
        const int mnemonic = int(m_commandIds[index]);
        // Like a key the user pressed next: handled after the function key.
        QMetaObject::invokeMethod(owner, [owner, mnemonic] {
            if (owner) KoActivateMnemonic(owner->window(), mnemonic);
        }, Qt::QueuedConnection);
    }
    return 1;
}
