#pragma once
// The stock alert panel: the lamps "適正数量未満" and "在庫数ゼロ" with the "説明" button. The
// "適正数量未満" caption is also the template-placement switch.
#include <QWidget>

class ClickableLabel;
class QFrame;
class QPushButton;

class MenuAlertPanel : public QWidget {
    Q_OBJECT
public:
    explicit MenuAlertPanel(QWidget* parent = nullptr);

    ClickableLabel* belowProperLabel() const { return m_belowProperLabel; }
    ClickableLabel* zeroStockLabel() const { return m_zeroStockLabel; }
    QFrame* belowProperLamp() const { return m_belowProperLamp; }
    QFrame* zeroStockLamp() const { return m_zeroStockLamp; }
    QPushButton* helpButton() const { return m_help; }

    static constexpr int WidthTwips = 6600;
    static constexpr int HeightTwips = 900;

private:
    QFrame* m_belowProperLamp;
    ClickableLabel* m_belowProperLabel;
    QFrame* m_zeroStockLamp;
    ClickableLabel* m_zeroStockLabel;
    QPushButton* m_help;
};
