#include "KoCommandEvent.h"

QEvent::Type KoCommandEvent::Type()
{
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
}
