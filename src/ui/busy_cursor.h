#pragma once
// The busy mouse pointer for the length of a scope, and its pause while the user is asked.
#include <QCursor>
#include <QGuiApplication>
#include <QList>

class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// Lifts every override pointer for the length of a scope and puts the same stack back at its
// end: a message box shown from inside a busy section waits for the user, so it shows the
// ordinary pointer, and the busy pointer returns when the work goes on.
class OverrideCursorPause {
public:
    OverrideCursorPause()
    {
        while (const QCursor* cursor = QGuiApplication::overrideCursor()) {
            m_saved.prepend(*cursor);
            QGuiApplication::restoreOverrideCursor();
        }
    }
    ~OverrideCursorPause()
    {
        for (const QCursor& cursor : m_saved)
            QGuiApplication::setOverrideCursor(cursor);
    }
    OverrideCursorPause(const OverrideCursorPause&) = delete;
    OverrideCursorPause& operator=(const OverrideCursorPause&) = delete;

private:
    QList<QCursor> m_saved; // bottom of the stack first
};
