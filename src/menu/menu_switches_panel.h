#pragma once
// The option switches of the menu: user logo with its position chooser, explanation buttons
// hidden, monthly in/out import, decimals, start-of-use column and common documents, with the
// help buttons beside them.
#include "menu/menu_rules.h"

#include <QHash>
#include <QWidget>

struct AppState;
class QComboBox;
class QPushButton;
class SwitchLabel;

class MenuSwitchesPanel : public QWidget {
    Q_OBJECT
public:
    explicit MenuSwitchesPanel(QWidget* parent = nullptr);

    // Connects the switches, the logo position chooser and the help button to the state.
    void attach(AppState& state);

    // Fills the logo position chooser with 20, 40, … 1600 and selects the stored offset.
    void fillLogoOffsets(const QString& selected);
    // Paints every switch of the panel from its settings line.
    void showSwitches(const AppState& state);

    SwitchLabel* switchLabel(OptionSwitch id) const { return m_switches.value(id); }
    QComboBox* logoOffsetChooser() const { return m_logoOffset; }
    QPushButton* helpButton() const { return m_help; }
    QPushButton* examplesButton() const { return m_examples; }

signals:
    // The logo switch or the logo position changed; the menu shows the logo accordingly.
    void logoSwitched();
    void logoMoved();
    void examplesRequested();

public:
    static constexpr int WidthTwips = 6600;
    static constexpr int HeightTwips = 4300;

private:
    void addSwitch(OptionSwitch id, const QString& name, const QString& caption, int row);

    QHash<OptionSwitch, SwitchLabel*> m_switches;
    QComboBox* m_logoOffset;
    QPushButton* m_help;
    QPushButton* m_examples;
};
