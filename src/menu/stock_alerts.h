#pragma once
// The stock alert of the menu: one pass over every registered item that tells whether any item
// has no stock left and whether any has less than its proper stock.
struct AppState;

struct StockAlerts {
    bool zeroStock = false;   // an item whose stock is 0 (or, in damaged data, below 0)
    bool belowProper = false; // an item whose stock is below its proper stock
    int items = 0;            // registered items looked at
};

// Reads the ledger once, in blocks, looking only at the item number, the stock and the proper
// stock of each record (no text is decoded). Records without an item number are not items and
// are skipped. The ledger is opened for reading only: a missing ledger is not created and a
// full one does not show the capacity message. Without a readable ledger nothing lights; a read
// that fails part-way keeps what the records read so far showed.
StockAlerts ScanStockAlerts(AppState& state);
