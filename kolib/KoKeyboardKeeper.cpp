#include "KoKeyboardKeeper.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

class KeyboardKeeper : public QObject {
public:
    explicit KeyboardKeeper(QWidget& window) : QObject(&window), m_window(window)
    {
        qApp->installEventFilter(this);
    }
    ~KeyboardKeeper() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide && watched != &m_window && watched->isWidgetType()
            && static_cast<QWidget*>(watched)->isWindow())
            QTimer::singleShot(0, this, [this] {
                if (!m_window.isVisible() || QApplication::activeWindow() || QApplication::activePopupWidget())
                    return;
                // A dialog still open over the window is where the user was.
                QWidget* modal = QApplication::activeModalWidget();
                (modal ? modal : &m_window)->activateWindow();
            });
        return false;
    }

private:
    QWidget& m_window;
};

}  // namespace

void KoShowMaximised(QWidget& window, const QRect& normal)
{
    window.setGeometry(normal);
    window.showMaximized();
    window.activateWindow();
}

void KoKeepKeyboard(QWidget& window)
{
    new KeyboardKeeper(window);
}
