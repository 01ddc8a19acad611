#pragma once
// A ledger screen on a temporary client: settings written as files and read as the menu's
// start-up reads them, items written as records, the screen opened through the screen host.
#include "ledger/ledger_colours.h"
#include "ledger/ledger_screen.h"
#include "storage/desktop_handover.h"
#include "storage/item_record.h"
#include "storage/settings_files.h"
#include "support/temp_client_support.h"
#include "ui/colours.h"
#include "ui/flex_grid.h"
#include "ui/screen_host.h"
#include "ui/twips.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <gtest/gtest.h>
#include <map>

using Lines = std::map<int, QString>;

inline const QString On = QStringLiteral("1");

class LedgerScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host.registerScreen(ScreenKey::Ledger, [](ScreenHost& h) { return new LedgerScreen(h); });
        writeSettings({}, {});
    }

    // Both settings files (the client folder is the data folder), then read as at start-up.
    void writeSettings(const Lines& clientLines, const Lines& sharedLines)
    {
        QStringList client(SettingsLineCount);
        client[ClientLine::DataFolder - 1] = this->client.clientFolder();
        client[ClientLine::PreviousDataFolder - 1] = this->client.clientFolder();
        for (const auto& [line, value] : clientLines)
            client[line - 1] = value;
        QStringList shared(SettingsLineCount);
        shared[SharedLine::StartMonth - 1] = QStringLiteral("2026/04");
        shared[SharedLine::FirstCaption - 1] = QStringLiteral("在庫品No");
        shared[SharedLine::FirstCaption] = QStringLiteral("品　名");
        shared[SharedLine::UnitCaption - 1] = QStringLiteral("単位");
        for (const auto& [line, value] : sharedLines)
            shared[line - 1] = value;
        TempClient::writeSettings(this->client.clientFolder() + SettingsFileName::Client, client);
        TempClient::writeSettings(this->client.dataFolder() + SettingsFileName::Shared, shared);
        state().ClientSettings = SettingsLines{};
        state().SharedSettings = SettingsLines{};
        ReadClientSettings(state());
        ReadSharedSettings(state());
    }

    void writeItems(const QList<ItemRecord>& items)
    {
        QFile file(client.ledgerPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        for (const ItemRecord& item : items)
            file.write(item.data(), ItemRecord::Length);
    }

    LedgerScreen* openLedger()
    {
        EXPECT_TRUE(host.openScreen(ScreenKey::Ledger));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return qobject_cast<LedgerScreen*>(host.current());
    }

    template <class T = QWidget>
    T* control(const char* name)
    {
        T* found = host.current()->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    FlexGrid* list() { return control<FlexGrid>("f1Grid1"); }
    QString labelText(const char* name) { return control<QLabel>(name)->text(); }

    // The Windows colour value a cell shows; the window background stands for itself.
    static quint32 cellColour(FlexGrid* grid, int row, int col)
    {
        const QColor shown = grid->cellBackground(row, col);
        return shown == colourFromWindows(LedgerColour::WindowBackground, grid->palette())
            ? LedgerColour::WindowBackground
            : windowsColourValue(shown);
    }
    static QPoint pixels(int left, int top) { return QPoint(twipsToPixels(left), twipsToPixels(top)); }

    AppState& state() { return client.state; }

    TempClient client;
    RecordingDesktopHandover desktop;
    ScreenHost host{client.state, desktop};
};
