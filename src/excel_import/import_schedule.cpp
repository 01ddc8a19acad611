#include "excel_import/import_schedule.h"

#include "storage/app_state.h"
#include "storage/settings_files.h"

#include <QRegularExpression>

QString ImportClockText(const QTime& time)
{
    return time.isValid() ? time.toString(QStringLiteral("hh:mm")) : QString();
}

QString NormaliseImportTime(const QString& text)
{
    // Typed times often come in full-width digits and colon from a Japanese input method.
    QString plain;
    plain.reserve(text.size());
    for (const QChar c : text) {
        if (c >= QChar(u'０') && c <= QChar(u'９'))
            plain += QChar(char16_t(u'0' + (c.unicode() - u'０')));
        else if (c == QChar(u'：'))
            plain += QChar(u':');
        else if (c == QChar(u'　'))
            plain += QChar(u' ');
        else
            plain += c;
    }
    static const QRegularExpression pattern(QStringLiteral("^\\s*(\\d{1,2})\\s*:\\s*(\\d{1,2})\\s*$"));
    const QRegularExpressionMatch match = pattern.match(plain);
    if (!match.hasMatch())
        return {};
    const QTime time(match.captured(1).toInt(), match.captured(2).toInt());
    return ImportClockText(time);
}

bool TimedImportSchedule::due(const QTime& now)
{
    if (m_importTime.isEmpty() || ImportClockText(now) != m_importTime) {
        m_ranThisMinute = false;
        return false;
    }
    if (m_ranThisMinute)
        return false;
    m_ranThisMinute = true;
    return true;
}

QString StoredImportTime(const AppState& state)
{
    return NormaliseImportTime(state.ClientSettings[ClientLine::ImportTime]);
}

IoResult StoreImportTime(AppState& state, const QString& time)
{
    state.ClientSettings[ClientLine::ImportTime] = time;
    return WriteClientSettings(state);
}
