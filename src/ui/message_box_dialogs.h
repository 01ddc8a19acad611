#pragma once
// The Dialogs service on screen: each message is a QMessageBox over the active window.
#include "storage/dialogs.h"

#include <QPointer>
#include <QWidget>

class MessageBoxDialogs : public Dialogs {
public:
    // Boxes are shown over `parent`, or over the active window when it is null.
    explicit MessageBoxDialogs(QWidget* parent = nullptr) : m_parent(parent) {}

    void setParentWidget(QWidget* parent) { m_parent = parent; }

    void inform(const QString& title, const QString& text) override;
    void notify(const QString& title, const QString& text) override;
    Answer ask(const QString& title, const QString& text) override;
    Answer askDefaultNo(const QString& title, const QString& text) override;
    std::optional<QString> askText(const QString& title, const QString& prompt, bool secret) override;
    Choice askYesNoCancel(const QString& title, const QString& text) override;

    // Message texts join their lines with CR (sometimes CR LF); on screen both are line breaks.
    static QString displayText(const QString& text);

private:
    QWidget* parentWidget() const;
    Answer askWithDefault(const QString& title, const QString& text, bool defaultYes);

    QPointer<QWidget> m_parent;
};
