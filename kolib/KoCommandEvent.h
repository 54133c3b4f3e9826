#pragma once
// A menu command posted to a window, as the function-key menu sends it: the
// window handles it after the key that chose it has been dealt with. The
// receiving window looks at event->type() == KoCommandEvent::Type() in its
// event() and runs the command with the id.

#include <QEvent>

class KoCommandEvent : public QEvent {
public:
    explicit KoCommandEvent(unsigned int commandId) : QEvent(Type()), m_commandId(commandId) {}

    static QEvent::Type Type();
    unsigned int CommandId() const { return m_commandId; }

private:
    unsigned int m_commandId;
};
