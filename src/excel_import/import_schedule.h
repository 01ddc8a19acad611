#pragma once
// The clock of the timed item import: the time of day it runs ("hh:mm", kept per client in the
// client settings) and the rule that it runs once in that minute.
#include "storage/io_result.h"

#include <QString>
#include <QTime>

struct AppState;

// "hh:mm" with a two-digit hour: 09:05, 00:00.
QString ImportClockText(const QTime& time);

// "9:05", "09:05", " 9:5 " … as "09:05"; empty when the text is not a time of day.
QString NormaliseImportTime(const QString& text);

class TimedImportSchedule {
public:
    explicit TimedImportSchedule(const QString& importTime) : m_importTime(NormaliseImportTime(importTime)) {}
    QString importTime() const { return m_importTime; }
    // True once when `now` is in the import minute; false again until the minute has passed.
    bool due(const QTime& now);

private:
    QString m_importTime;
    bool m_ranThisMinute = false;
};

// The import time of this client (client settings line 39), normalised; empty when none is set.
QString StoredImportTime(const AppState& state);
// Keeps `time` ("hh:mm", or empty for none) in the client settings and writes them.
IoResult StoreImportTime(AppState& state, const QString& time);
