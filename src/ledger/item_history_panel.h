#pragma once
// "履　歴" of the edit frame: the change log's lines of one item in a small read-only window over
// the ledger screen, oldest first, the newest in view.
#include "storage/change_log.h"

#include <QWidget>

struct AppState;
class QLabel;
class QTableWidget;

class ItemHistoryPanel : public QWidget {
    Q_OBJECT
public:
    ItemHistoryPanel(const QString& itemNumber, const QList<ChangeLogEntry>& lines, QWidget* parent);

    QTableWidget* list() const { return m_list; }

private:
    QLabel* m_caption = nullptr;
    QTableWidget* m_list = nullptr;
};

// Reads the history of `itemNumber` under the busy pointer and shows it over `screen`, in place
// of a history window shown before. An empty item number or a log that cannot be read is told
// instead (null returned).
ItemHistoryPanel* ShowItemHistory(QWidget* screen, AppState& state, const QString& itemNumber);
