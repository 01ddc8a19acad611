#pragma once
// The ledger screen (Form11, "在庫台帳登録"): the paged item list, the item edit frame and the
// panels of the filter, the sort/delete functions and the monthly in/out import. It builds its
// regions, runs the opening sequence and pages the list; the core computes every page.
#include "ledger/ledger_view_state.h"
#include "ledger/list_page.h"
#include "ledger/filter_conditions.h"
#include "storage/io_result.h"

#include <QWidget>

struct AppState;
class EditFrameController;
class EditFramePanel;
class FilterPanel;
class LedgerListPanel;
class MainButtonsPanel;
class MonthlyImportPanel;
class PageButtonsPanel;
class QLabel;
class QLineEdit;
class QPushButton;
class ScreenHost;
class SortDeletePanel;
class VocabularyPanel;

class LedgerScreen : public QWidget {
    Q_OBJECT
public:
    explicit LedgerScreen(ScreenHost& host, QWidget* parent = nullptr);

    // 1253 × 687 logical pixels: with its title bar the window fits a 1366 × 768 desktop above a
    // task bar of up to 48 pixels.
    static constexpr int WidthTwips = 18800;
    static constexpr int HeightTwips = 10300;
    static constexpr int RaiseTwips = 200;

    LedgerViewState& view() { return m_view; }
    LedgerListPanel* listPanel() const { return m_list; }
    EditFramePanel* editFrame() const { return m_editFrame; }
    FilterPanel* filterPanel() const { return m_filter; }
    SortDeletePanel* sortDeletePanel() const { return m_sortDelete; }
    MainButtonsPanel* mainButtons() const { return m_mainButtons; }
    EditFrameController* editing() const { return m_editing; }
    QLineEdit* jumpBox() const { return m_jumpBox; }

    // Every list page reads its records through `reader` from now on.
    void setRecordReader(RecordReader reader) { m_read = std::move(reader); }

    // Clears the screen's transient panels before its content changes, then runs the stop-all check.
    void fom11gamencler();
    // Captions, shading and month headings of the list; empties CurrentRecord.
    void resetListGrid();
    // The page of the whole ledger or of the HitList that starts after view().page.DisplayCursor.
    void showFullListPage();
    void showHitListPage();
    void setPageLabel(int pageNumber);
    void setCountLabel(int count);

    // Asks whether to repair the damaged ledger (after a write it refused) and does it on Yes:
    // the report is shown and the list shows the repaired ledger from page 1.
    void offerLedgerRepair(const QString& why = QString());

    // "次 項" / "前 項" of the whole ledger and "次　項" / "前項" of a filter result.
    void nextPage();
    void previousPage();
    void nextHitPage();
    void previousHitPage();
    // "次　項" of the edit frame: the next item of the page into the frame.
    void nextItemOfPage();
    // The item-number jump box: the item with the typed (or scanned) number into the frame.
    void jumpToItemNumber();
    // Esc: closes the panel on top (the word list, the year-month chooser, the edit frame, the
    // filter, the sort/delete panel, the monthly panel).
    void closeTopPanel();
    // "終 了": back to the menu, after asking about entries not stored.
    void exitToMenu();
    // Asked by the screen host before the window closes: false keeps the screen open.
    Q_INVOKABLE bool mayClose();

private:
    void buildRegions();
    void connectControls();
    void connectKeyboard();
    void open();
    // Once per opening: a ledger that cannot be opened, one at or past its capacity, a damaged end.
    void tellLedgerStateOnOpening(const IoResult& opened);
    void setUpGrids();
    void applyClientOptions();
    void showItemTableOptions();
    void listCellClicked(int row, int col);
    void explainCalculation();

    // The filter (ledger_filter_screen.cpp).
    void connectFilter();
    void openFilter();
    void filterListCellClicked(int row, int col);
    void storeFilterWord(const QString& text);
    bool normaliseFilter(const QString& incompleteMessage);
    void startFilter();
    void refilter();
    void showFirstHitPage();
    void giveUpFilterResult(const QString& emptyMessage);
    void leaveFilter();
    void showFirstFullPage();
    // Sort and deletion (ledger_sort_delete_screen.cpp).
    void connectSortDelete();
    void openSortDeletePanel(bool sortMode);
    void openSort();
    void openDeletion();
    void runSort();
    void removeSortDeleteRow();
    void registerSortDelete();
    void closeSortDelete();
public:
    // The ledger workbook (ledger_excel_screen.cpp): "在庫品Excel" asks and writes the whole
    // ledger; the filter bar's "Excel出力" writes the items of the HitList without asking. Both
    // then offer the purchase mail of the written workbook.
    void exportLedgerWorkbook();
    void exportHitListWorkbook();
    // "個別仕様Excel" of the edit frame: the specification workbook of the item shown.
    void exportItemSpecWorkbook();
private:
    void writeLedgerWorkbook(const QList<int>* records);
    // The monthly in/out import (ledger_monthly_screen.cpp).
    void connectMonthly();
    void openMonthlyPanel();
    bool confirmMonthlyClick(bool& asked, const QString& question);
    void editDailyWorkbook();
    void importDailyWorkbook();

    ScreenHost& m_host;
    AppState& m_state;
    LedgerViewState m_view;
    RecordReader m_read;

    QWidget* m_background = nullptr;
    LedgerListPanel* m_list = nullptr;
    MainButtonsPanel* m_mainButtons = nullptr;
    PageButtonsPanel* m_pageButtons = nullptr;
    PageButtonsPanel* m_hitPageButtons = nullptr;
    EditFramePanel* m_editFrame = nullptr;
    VocabularyPanel* m_vocabulary = nullptr;
    FilterPanel* m_filter = nullptr;
    SortDeletePanel* m_sortDelete = nullptr;
    QWidget* m_sortStatus = nullptr;
    MonthlyImportPanel* m_monthly = nullptr;
    QLabel* m_excelBusy = nullptr;
    QLineEdit* m_jumpBox = nullptr;
    FilterConditions m_filterConditions;
    EditFrameController* m_editing = nullptr;
    // "入出庫記載" and "入出庫転記" ask at their first click after the screen opened.
    bool m_monthlyEditAsked = false;
    bool m_monthlyImportAsked = false;
};
