#pragma once
// Keeps one instance of a program per user. The first instance holds a named
// mutex and marks its main window; a later start finds the mark, brings that
// window forward and ends, or ends a first instance that has no visible window.

#include "platform/NamedMutex.h"

#include <QPointer>
#include <QString>

#include <memory>

class QWidget;
namespace platform { class WindowMarkHolder; }

class CKoSingleProccess {
public:
    CKoSingleProccess();
    ~CKoSingleProccess();
    CKoSingleProccess(const CKoSingleProccess&) = delete;
    CKoSingleProccess& operator=(const CKoSingleProccess&) = delete;

    // Creates the mutex "_MUTEX_<app>_<exe>_<tag>", owned by this process,
    // and the window mark, which answers "starting" until SetMark. Returns 1
    // when another live process already held it, else 0 (also when it cannot
    // be created, or its mark cannot be set up: the mutex is then given up).
    int Create(const QString& appName, const QString& exeName, const QString& extraTag = QString());

    // Brings the marked window of the other instance forward. Returns 1 when
    // this instance must end: the marked window was visible (and is now in
    // front), the other instance is still starting or too busy to answer, or
    // its window was hidden (its process is ended, as it cannot be reached).
    // With no marked window, other processes of the executable are ended and
    // 0 is returned, so that this instance goes on starting.
    int ActivatePrevInstance();

    // Ends every other process of the executable (name compared up to its
    // first "." and without case) of this user and runtime folder. Returns 1
    // when at least one was ended; the mutex is then taken over.
    int KillOtherProcess(const QString& exeName);

    // The start-up rule of every program: the first instance goes on; a later
    // one started with Control held ends the others (a beep says so) and goes
    // on; otherwise it brings the first forward and must end. Returns whether
    // this instance goes on starting.
    bool SettleAtStart(const QString& appName, const QString& exeName, bool controlHeld);

    // Marks (value 1) or unmarks (0) the main window.
    void SetMark(QWidget* window, int value);

    void Release();

    QString MutexName() const { return m_mutexName; }
    QString MarkName() const { return m_appName + u'_' + m_extraTag; }
    bool OwnsMutex() const { return m_mutex.owned(); }

private:
    platform::NamedMutex::Result TakeMutex();

    QString m_appName;
    QString m_exeName;
    QString m_extraTag;
    QString m_mutexName;
    platform::NamedMutex m_mutex;
    std::unique_ptr<platform::WindowMarkHolder> m_mark;
};
