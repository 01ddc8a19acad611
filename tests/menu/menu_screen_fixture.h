#pragma once
// A menu on a temporary client for screen tests: the settings files are written as a site would
// have them, the menu is loaded through the screen host, controls are found by object name, and
// the ledger, import and settings keys open plain stand-in screens.
#include "menu/menu_screen.h"
#include "storage/desktop_handover.h"
#include "storage/settings_files.h"
#include "support/temp_client_support.h"
#include "ui/screen_host.h"
#include "ui/switch_label.h"

#include <QCoreApplication>
#include <QFile>
#include <QTest>
#include <gtest/gtest.h>
#include <map>

class MenuClient {
public:
    using Lines = std::map<int, QString>;

    // A client with its own data folder, or on the data folder of `dataFolder` when given.
    explicit MenuClient(const QString& pcName, const QString& dataFolder = QString()) : m_pcName(pcName)
    {
        if (!dataFolder.isEmpty()) {
            client.state.DataFolder = dataFolder;
            client.state.ClientSettings[ClientLine::DataFolder] = dataFolder;
            client.state.ClientSettings[ClientLine::PreviousDataFolder] = dataFolder;
        }
        // A prepared data folder: the vocabulary files exist (empty lists).
        for (int list = 2; list <= 6; ++list) {
            const QString path = client.state.DataFolder + QStringLiteral("Mb在庫品0%1.dat").arg(list);
            if (!QFile::exists(path))
                TempClient::writeBytes(path, QByteArray());
        }
        host.setMenuFactory([this](ScreenHost& h) {
            qputenv("COMPUTERNAME", m_pcName.toUtf8()); // each menu load reads the computer name
            return new MenuScreen(h);
        });
        for (const QString& key : {ScreenKey::Ledger, ScreenKey::Import, ScreenKey::Settings})
            host.registerScreen(key, [key](ScreenHost&) {
                auto* screen = new QWidget;
                screen->setObjectName(key);
                return screen;
            });
    }

    ~MenuClient() { qunsetenv("COMPUTERNAME"); }

    // Client settings pointing at this client's data folder, plus `lines`.
    void writeClientSettings(const Lines& lines)
    {
        SettingsLines values;
        values[ClientLine::DataFolder] = client.state.DataFolder;
        values[ClientLine::PreviousDataFolder] = client.state.DataFolder;
        for (const auto& [line, value] : lines)
            values[line] = value;
        WriteSettingsFile(client.clientFolder() + SettingsFileName::Client, values);
    }
    void writeSharedSettings(const Lines& lines)
    {
        SettingsLines values;
        for (const auto& [line, value] : lines)
            values[line] = value;
        WriteSettingsFile(client.state.DataFolder + SettingsFileName::Shared, values);
    }
    SettingsLines clientFile() const { return readFile(client.clientFolder() + SettingsFileName::Client); }
    SettingsLines sharedFile() const { return readFile(client.state.DataFolder + SettingsFileName::Shared); }

    MenuScreen* loadMenu()
    {
        host.showMenu();
        settle();
        return menu();
    }
    MenuScreen* menu() const { return qobject_cast<MenuScreen*>(host.current()); }
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    template <class T = QWidget>
    T* control(const char* name) const
    {
        T* found = host.current() ? host.current()->findChild<T*>(QString::fromLatin1(name)) : nullptr;
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    quint32 colourOf(const char* name) const { return control<SwitchLabel>(name)->colourValue(); }
    void click(const char* name)
    {
        QTest::mouseClick(control(name), Qt::LeftButton);
        settle();
    }
    // The text of the last message, or empty when none was shown since the last clear.
    QString lastText() const { return client.dialogs.shown().isEmpty() ? QString() : client.dialogs.shown().last().text; }

    TempClient client{true};
    RecordingDesktopHandover desktop;
    ScreenHost host{client.state, desktop};

private:
    static SettingsLines readFile(const QString& path)
    {
        SettingsLines lines;
        ReadSettingsFile(path, lines);
        return lines;
    }
    QString m_pcName;
};
