#include "ui/screen_host.h"

#include "storage/app_state.h"
#include "ui/widget_geometry.h"

#include <QCloseEvent>

ScreenHost::ScreenHost(AppState& state, DesktopHandover& desktop) : m_state(state), m_desktop(desktop) {}

ScreenHost::~ScreenHost()
{
    if (m_current) {
        m_current->removeEventFilter(this);
        delete m_current.data();
    }
}

void ScreenHost::registerScreen(const QString& key, Factory factory)
{
    m_factories.insert(key, std::move(factory));
}

void ScreenHost::showMenu()
{
    if (!m_menuFactory)
        return;
    replaceCurrent(m_menuFactory(*this), QString());
}

bool ScreenHost::openScreen(const QString& key)
{
    const auto found = m_factories.constFind(key);
    if (found == m_factories.constEnd())
        return false;
    QWidget* screen = (*found)(*this);
    if (!screen)
        return false;
    replaceCurrent(screen, key);
    return true;
}

void ScreenHost::closeScreen()
{
    if (m_currentKey.isEmpty() || m_state.programEnded)
        return;
    showMenu();
}

// The new window is shown before the old one goes. The old one may be the sender of the click
// that got here, so it is hidden now and deleted once its event handler has returned.
void ScreenHost::replaceCurrent(QWidget* window, const QString& key)
{
    QPointer<QWidget> old = m_current;
    m_current = window;
    m_currentKey = key;
    if (window) {
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->installEventFilter(this);
        window->show();
        // The centring rule places a window on the whole screen; a task bar may cover its edge.
        keepWindowInFreeArea(window);
    }
    if (old && old != window) {
        old->removeEventFilter(this);
        old->hide();
        old->deleteLater();
    }
    emit currentChanged(window);
}

// Closing the menu window ends the program as its exit button does; closing a screen's window
// returns to the menu. A screen with an invokable mayClose() is asked first and may stay open
// (the settings screen, with changes not registered).
bool ScreenHost::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Close && watched == m_current) {
        if (m_currentKey.isEmpty()) {
            m_state.closeAllFiles();
            m_state.requestEnd();
        } else {
            // An ending program (the stop of all clients, for one) closes without asking.
            bool mayClose = true;
            if (!m_state.programEnded && watched->metaObject()->indexOfMethod("mayClose()") >= 0)
                QMetaObject::invokeMethod(watched, "mayClose", Qt::DirectConnection, Q_RETURN_ARG(bool, mayClose));
            if (!mayClose) {
                event->ignore();
                return true;
            }
            closeScreen();
        }
    }
    return QObject::eventFilter(watched, event);
}
