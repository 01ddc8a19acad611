#pragma once
// The stock alert panel: the lamps "適正数量未満" and "在庫数ゼロ" with the "説明" button. The
// "適正数量未満" caption is also the template-placement switch.
#include <QWidget>

struct AppState;
struct StockAlerts;
class ClickableLabel;
class QFrame;
class QPushButton;

class MenuAlertPanel : public QWidget {
    Q_OBJECT
public:
    explicit MenuAlertPanel(QWidget* parent = nullptr);

    // Connects the help button and the template-placement switch to the state.
    void attach(AppState& state);
    // Lights each lamp whose condition the scan found.
    void showAlerts(const StockAlerts& alerts);

    ClickableLabel* belowProperLabel() const { return m_belowProperLabel; }
    ClickableLabel* zeroStockLabel() const { return m_zeroStockLabel; }
    QFrame* belowProperLamp() const { return m_belowProperLamp; }
    QFrame* zeroStockLamp() const { return m_zeroStockLamp; }
    QPushButton* helpButton() const { return m_help; }

    // Frame colours of a lamp (Windows colour values): red when lit.
    static constexpr quint32 LampLit = 255;
    static quint32 lampColour(const QFrame* lamp);
    // The colour the template-placement switch gave its caption; 0 until it was clicked (the
    // caption keeps its look when the menu loads).
    quint32 placementColour() const { return m_placementColour; }

    static constexpr int WidthTwips = 6600;
    static constexpr int HeightTwips = 900;

private:
    void setLampLit(QFrame* lamp, bool lit);
    void togglePlacement(AppState& state);

    QFrame* m_belowProperLamp;
    ClickableLabel* m_belowProperLabel;
    QFrame* m_zeroStockLamp;
    ClickableLabel* m_zeroStockLabel;
    QPushButton* m_help;
    quint32 m_placementColour = 0;
};
