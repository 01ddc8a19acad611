#pragma once
// The ledger screen's editing: "新 規", "訂 正", the edit frame's buttons, cell clicks, the text
// box, the vocabulary panel, the year-month chooser, the entry pad and "再計算". It translates
// clicks into EditSession calls and draws what the session shows.
#include "ledger/edit_session.h"
#include "ledger/entry_pad.h"

#include <QObject>
#include <QPointer>

class LedgerScreen;
class VocabularyPanel;

class EditFrameController : public QObject {
    Q_OBJECT
public:
    EditFrameController(LedgerScreen& screen, AppState& state);

    EditSession& session() { return m_session; }
    EntryPad* entryPad() const { return m_pad; }

    void newItem();
    // "訂 正": its explanation, then the item of the selected list row.
    void correctItem();
    // The item of the selected list row into the frame for correction (Enter on a list row).
    void openSelectedItem();
    // The item of record `recordNo` into the frame for correction (the item-number jump box).
    void openRecord(int recordNo);
    void copyItem();
    // "登　録": true when the item was stored.
    bool storeItem();
    // Before the frame leaves its item (another item, paging, the other panels, "閉じる", leaving
    // the screen) with entries not stored by "登　録": asks whether to store them. True when the
    // caller may go on (nothing pending, stored, or given up on No); false on Cancel or when
    // storing did not happen.
    bool settleUnsavedEntries();
    void recalculateTotal();
    // Closes the entry pad: the frame's item, mode or cell is about to change, or the screen is
    // used otherwise.
    void closePad();

private:
    void showSelectedItem();
    void openFrame();
    void draw();
    void openPad();
    void itemCellClicked(int column);
    void monthCellClicked(int row, int column);
    void textEntered(const QString& text);
    // A character typed on a cell of the frame's tables: entry starts on the cell with it.
    void itemCellTyped(int column, const QString& text);
    void monthCellTyped(int row, int column, const QString& text);
    void showVocabulary();
    void refreshAfterStore();

    LedgerScreen& m_screen;
    AppState& m_state;
    EditSession m_session;
    VocabularyPanel* m_vocabulary = nullptr;
    QPointer<EntryPad> m_pad;
};
