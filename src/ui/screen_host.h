#pragma once
// The one top-level window at a time. The menu is built by its factory whenever it is shown;
// opening a screen destroys the menu, closing the screen builds the menu again, so the menu's
// loading (the start-up) runs on every return. Screens are registered by key. Closing a screen's
// window asks the screen's invokable mayClose(), when it has one, before the menu comes back.
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

struct AppState;
class DesktopHandover;

namespace ScreenKey {
inline const QString Ledger = QStringLiteral("ledger");
inline const QString Import = QStringLiteral("import");
inline const QString Settings = QStringLiteral("settings");
}

class ScreenHost : public QObject {
    Q_OBJECT
public:
    // Builds a top-level window, or returns null when it cannot open.
    using Factory = std::function<QWidget*(ScreenHost&)>;

    ScreenHost(AppState& state, DesktopHandover& desktop);
    ~ScreenHost() override;

    AppState& state() { return m_state; }
    DesktopHandover& desktop() { return m_desktop; }

    void setMenuFactory(Factory factory) { m_menuFactory = std::move(factory); }
    void registerScreen(const QString& key, Factory factory);
    bool hasScreen(const QString& key) const { return m_factories.contains(key); }

    // Builds and shows the menu in place of whatever is shown.
    void showMenu();
    // Builds and shows the screen registered as `key`, then destroys the menu. False (and the
    // menu stays) when no screen is registered or its factory returned null.
    bool openScreen(const QString& key);
    // Destroys the current screen and shows the menu again.
    void closeScreen();

    QWidget* current() const { return m_current; }
    // The key of the screen shown; empty while the menu is shown.
    QString currentKey() const { return m_currentKey; }

signals:
    void currentChanged(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void replaceCurrent(QWidget* window, const QString& key);

    AppState& m_state;
    DesktopHandover& m_desktop;
    Factory m_menuFactory;
    QHash<QString, Factory> m_factories;
    QPointer<QWidget> m_current;
    QString m_currentKey;
};
