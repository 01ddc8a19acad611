#pragma once
// The item being edited in the ledger screen's edit frame, without widgets: the edit mode and
// its caption, where the next entry goes, the record as edited and as it was loaded, and what the
// frame shows. The screen forwards clicks and keys here and draws cells(); the entry pad commits
// through commitEntry(); "登　録" stores through store().
#include "ledger/edit_frame_cells.h"
#include "storage/item_record.h"
#include "storage/platform_file.h"

#include <QString>
#include <optional>

struct AppState;
struct LedgerViewState;

namespace EntryTargetCode {
enum : int { Nothing = 14, FirstText = 17, LastText = 21, ItemRow = 101, Received = 102, Issued = 103,
             PlannedReceived = 104, PlannedIssued = 105, ItemNumber = 106 };
}

namespace ModeCaption {
inline const QString New = QStringLiteral("新 規");
inline const QString Correct = QStringLiteral("訂 正");
inline const QString Copy = QStringLiteral("複 写");
}

// The entry pad's question when the typed item number belongs to record `recordNo`.
QString DuplicateNumberQuestion(int recordNo);

// Where an entry goes: the item as loaded or started (its record number and a count of the
// loads and clears of the frame), the mode and the cell. The entry pad is bound to the place it
// was opened for and confirms nowhere else.
struct EntryPlace {
    int recordNo = 0;
    int itemSerial = 0;
    QString mode;
    int target = 0;
    int entryColumn = -1;
    int monthRow = 0;
    int monthColumn = 0;
    bool operator==(const EntryPlace&) const = default;
};

// What a click on an item-row cell asks the screen to open.
enum class CellAction { None, TextEntry, EntryPad, YearMonthChooser };

struct StoreOutcome {
    enum class Status { Stored, Refused, Declined, Failed };
    Status status = Status::Failed;
    int recordNo = 0;       // the record the item was stored as
    bool appended = false;  // a new record (new or copied item)
    bool backedUp = false;  // the ledger was copied into "原本Excel" afterwards
    bool ledgerDamaged = false; // refused because the ledger file is damaged (the screen offers the repair)
    bool stored() const { return status == Status::Stored; }
};

class EditSession {
public:
    EditSession(AppState& state, LedgerViewState& view);

    // "新 規": new mode on an empty frame, record number RecordCount + 1.
    void startNew();
    // "訂 正" with record n selected (0: none, which starts a new item instead).
    void startCorrect(int recordNo);
    // CurrentRecord was read as CurrentRecordNo (the edit frame's "次　項"): correct mode on it.
    void takeLoadedRecord();
    // "複 写" (the question included). False when refused or answered No.
    bool copy();
    void clearInOut();
    void clearAll();

    // Clicks. Item row: sets EntryColumn, EntryTarget, the vocabulary list and EntryText.
    CellAction selectItemCell(int column);
    // Month table: false (after the message) for the totals, the rates and the headings.
    bool selectMonthCell(int row, int column);
    void selectItemNumber();
    // The value the entry pad starts with.
    QString padStartValue() const;

    // Enter in the text box: stores the text and returns the next text column (-1: ignored).
    int enterText(const QString& text);
    // A word picked from the vocabulary panel by its list entry's number; false when refused.
    bool pickWord(int wordNumber);
    void pickStartOfUse(const QString& yearMonth);
    // "追記": the last entered text into the list shown.
    void addWordToList();

    EntryPlace entryPlace() const;

    // The entry pad's confirmation: writes the value into the target and recalculates. False
    // when the entry was refused (too long, a shortage, a total that does not fit).
    bool commitEntry(const QString& typed);

    // "登　録".
    StoreOutcome store();

    int mode() const;
    const QString& modeCaption() const { return m_caption; }
    const FrameCells& cells() const { return m_cells; }
    const ItemRecord& item() const { return m_item; }
    int entryColumn() const { return m_entryColumn; }
    int monthColumn() const { return m_monthColumn; }
    int monthRow() const { return m_monthRow; }
    const QString& entryText() const { return m_entryText; }
    bool decimals() const;

private:
    void setMode(int mode, const QString& caption);
    void showItem(const ItemRecord& item);
    void publish();
    void refuse(const QString& text, const ItemRecord& before, const FrameCells& beforeCells, bool reload);
    void commitItemNumber(const QString& value);
    bool reloadFromLedger();
    bool recalculate(int monthLimit, const ItemRecord& before, const FrameCells& beforeCells);
    bool duplicateAccepted(const QString& number, bool asking);
    StoreOutcome storeNew();
    StoreOutcome storeCorrection();
    void afterStore(StoreOutcome& outcome, double oldValue);

    AppState& m_state;
    LedgerViewState& m_view;
    QString m_caption;
    ItemRecord m_item;                       // the item as edited
    std::optional<ItemRecord> m_loaded;      // the record as read from the ledger (correct mode)
    // The ledger file and the ledger year the record was read from: a whole-ledger commit or a
    // year rollover since then makes the loaded record stale as a whole.
    struct LedgerStamp {
        std::optional<FileIdentity> ledger;
        QString startMonth;
    };
    std::optional<LedgerStamp> m_loadedStamp;
    LedgerStamp currentStamp() const;
    // Taken before the record is read where possible: a rewrite between the two then makes the
    // store refuse rather than overwrite.
    void rememberLoaded(const ItemRecord& record, std::optional<LedgerStamp> stampBeforeRead = std::nullopt);
    FrameCells m_cells;
    int m_entryColumn = -1;
    int m_monthColumn = 0;
    int m_monthRow = 0;
    QString m_entryText;
    QString m_acceptedDuplicate;             // a duplicate number the user has accepted
    int m_itemSerial = 0;                    // counts the items loaded, started and cleared
};
