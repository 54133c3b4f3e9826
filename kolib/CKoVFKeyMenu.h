#pragma once
// The function-key menu of a window: each entry ties a function key to a
// label and a command. Pressing the key speaks the label followed by
// "メニューを開く" and runs the entry, so the user hears what the key opens; an
// entry whose command cannot run now says so instead and does nothing.
// Key codes are Qt::Key values (Qt::Key_F1 ... Qt::Key_F12).

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <vector>

class CKoVFKeyMenu {
public:
    // The owner receives the commands; it may be set later with SetOwner.
    explicit CKoVFKeyMenu(QWidget* owner = nullptr) : m_owner(owner) {}

    void SetOwner(QWidget* owner) { m_owner = owner; }
    // For a main window: tells whether a command can run now. Without it
    // every entry runs.
    void SetCommandAvailability(std::function<bool(unsigned int commandId)> available)
    {
        m_available = std::move(available);
    }

    // Appends an entry. In a main window's menu the command id is a menu
    // command; in a dialog's menu it is the key of the mnemonic the entry
    // presses with Alt (Qt::Key_M for a control captioned "メニュー(&M)").
    void Add(unsigned int key, const QString& label, unsigned int commandId);

    // For a main window: when the key has an entry, speaks it and posts a
    // KoCommandEvent with its command id to the owner; returns 1. When the
    // command cannot run now, speaks UnavailableText of the label instead,
    // posts nothing and returns 1. Returns 0 (and says nothing) for a key
    // without an entry.
    int HandleMainKey(unsigned int key);
    // For a dialog: when the key has an entry, speaks it and then presses
    // Alt + the entry's mnemonic key in the owner's window, once the key
    // press that chose it has been dealt with; returns 1. Else 0.
    int HandleDialogKey(unsigned int key);

    int Count() const { return int(m_keys.size()); }
    unsigned int Key(int index) const { return m_keys.at(index); }
    QString Label(int index) const { return m_labels.at(index); }
    unsigned int CommandId(int index) const { return m_commandIds.at(index); }
    // What is spoken when the entry is chosen.
    QString Announcement(int index) const;
    // What is spoken when a command named so is chosen while it cannot run.
    static QString UnavailableText(const QString& commandName);

private:
    int Find(unsigned int key) const;

    QPointer<QWidget> m_owner;
    std::vector<unsigned int> m_keys;
    QStringList m_labels;
    std::vector<unsigned int> m_commandIds;
    std::function<bool(unsigned int)> m_available;
    QChar m_separator = u' ';
};
