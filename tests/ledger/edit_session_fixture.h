#pragma once
// An edit session on a temporary client whose ledger holds a few items.
#include "ledger/edit_session.h"
#include "ledger/ledger_view_state.h"
#include "storage/app_state.h"
#include "storage/item_number_file.h"
#include "storage/ledger_file.h"
#include "storage/item_record.h"
#include "support/temp_client_support.h"

#include <QFile>
#include <gtest/gtest.h>

struct TestItem {
    QString number;
    QString previous;
    QString received1;  // received in month 1
};

inline ItemRecord MakeItem(const TestItem& t)
{
    ItemRecord item;
    item.setText(ItemField::Number, t.number);
    item.setText(ItemField::Name, QStringLiteral("ボルト"));
    item.setText(ItemField::UnitPrice, QStringLiteral("100"));
    item.setText(ItemField::Unit, QStringLiteral("個"));
    item.setText(ItemField::PreviousStock, t.previous);
    item.setQty(QtyRow::Received, 1, t.received1);
    item.setText(ItemField::StartOfUse, QStringLiteral("2024/01"));
    return item;
}

inline void WriteItems(const QString& path, const QList<ItemRecord>& items)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    for (const ItemRecord& item : items)
        file.write(item.data(), ItemRecord::Length);
}

inline ItemRecord ReadItem(const QString& path, int n)
{
    QFile file(path);
    ItemRecord item;
    if (file.open(QIODevice::ReadOnly) && file.seek((n - 1) * qint64(ItemRecord::Length)))
        file.read(item.data(), ItemRecord::Length);
    return item;
}

inline int RecordsIn(const QString& path)
{
    return int(QFile(path).size() / ItemRecord::Length);
}

class EditSessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        state().SharedSettings[SharedLine::StartMonth] = QStringLiteral("2026/04");
        WriteItems(client.ledgerPath(), {MakeItem({QStringLiteral("A1"), QStringLiteral("10"), QStringLiteral("5")}),
                                         MakeItem({QStringLiteral("A2"), QStringLiteral("3"), QString()}),
                                         MakeItem({QStringLiteral("A3"), QString(), QString()})});
        RebuildItemNumberTable(state());
    }
    AppState& state() { return client.state; }
    ScriptedDialogs& dialogs() { return client.dialogs; }
    // Opens the pad on a month cell and confirms `value`.
    bool enterMonth(int row, int month, const QString& value)
    {
        EXPECT_TRUE(session.selectMonthCell(row, month));
        return session.commitEntry(value);
    }
    bool enterItemRow(int column, const QString& value)
    {
        EXPECT_EQ(session.selectItemCell(column), CellAction::EntryPad);
        return session.commitEntry(value);
    }
    bool enterItemNumber(const QString& value)
    {
        session.selectItemNumber();
        return session.commitEntry(value);
    }

    TempClient client;
    LedgerViewState view;
    EditSession session{client.state, view};
};
