#pragma once
// A label that acts as a command: captions and pictures that react to a click.
#include <QLabel>

class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickableLabel(QWidget* parent = nullptr) : QLabel(parent) {}
    explicit ClickableLabel(const QString& text, QWidget* parent = nullptr) : QLabel(text, parent) {}

    // Makes the label a Tab stop whose Enter or Space acts as a click, and whose typed
    // characters are passed on through typed() (the item number starts entry with them).
    void takeKeyboard();

signals:
    void clicked();
    void typed(const QString& text);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
