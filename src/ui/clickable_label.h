#pragma once
// A label that acts as a command: captions and pictures that react to a click.
#include <QLabel>

class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickableLabel(QWidget* parent = nullptr) : QLabel(parent) {}
    explicit ClickableLabel(const QString& text, QWidget* parent = nullptr) : QLabel(text, parent) {}

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
