#pragma once
// The entry pad "マウス電卓": a small window of keys over a readout and a text box, through which
// numbers and item numbers are entered into the edit frame. It closes itself after "決 定" or
// "閉じる"; what a confirmed value does is the edit session's business.
#include "ledger/entry_pad_keys.h"

#include <QWidget>

struct AppState;
class QLabel;
class QLineEdit;
class QPushButton;

class EntryPad : public QWidget {
    Q_OBJECT
public:
    EntryPad(AppState& state, const QString& startValue, QWidget* parent = nullptr);

    QString readoutText() const;
    // A character typed elsewhere that opened the pad: works the key it stands for, if any.
    void typeText(const QString& text);

signals:
    void confirmed(const QString& value);

protected:
    // The keyboard works the keys: digits (also of the number pad), letters, ".", "-", "/", ",",
    // Backspace, Delete (= "取消"), Enter (= "決 定") and Esc (= "閉じる").
    void keyPressEvent(QKeyEvent* event) override;
    // The keyboard goes back to the ledger window.
    void closeEvent(QCloseEvent* event) override;

private:
    void pressKey(const QString& caption);
    void clearEntry();
    void confirm(const QString& value);
    void sync();

    AppState& m_state;
    PadReadout m_readout;
    QLabel* m_display = nullptr;
    QLineEdit* m_box = nullptr;
    QPushButton* m_second = nullptr;
    bool m_decimals = false;
    bool m_confirmed = false;
};
