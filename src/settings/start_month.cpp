#include "settings/start_month.h"

#include "storage/field_text.h"

#include <algorithm>

namespace {

QString yearMonthText(int year, int month)
{
    return QStringLiteral("%1/%2").arg(year, 4, 10, QChar(u'0')).arg(month, 2, 10, QChar(u'0'));
}

} // namespace

QStringList StartMonthChoices(const QDate& today)
{
    QStringList choices;
    choices.reserve(36);
    for (int year = today.year() - 1; year <= today.year() + 1; ++year)
        for (int month = 1; month <= 12; ++month)
            choices.append(yearMonthText(year, month));
    return choices;
}

std::optional<int> MonthNumber(const QString& yearMonth)
{
    const QString text = FieldText(yearMonth);
    const qsizetype slash = text.indexOf(u'/');
    if (slash < 1 || slash != text.lastIndexOf(u'/'))
        return std::nullopt;
    const QString yearText = text.left(slash);
    const QString monthText = text.mid(slash + 1);
    const auto allDigits = [](const QString& part) {
        return !part.isEmpty() && std::all_of(part.begin(), part.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    };
    if (!allDigits(yearText) || !allDigits(monthText) || yearText.size() > 4 || monthText.size() > 2)
        return std::nullopt;
    const int year = yearText.toInt();
    const int month = monthText.toInt();
    if (month < 1 || month > 12)
        return std::nullopt;
    return year * 12 + (month - 1);
}

QString MonthAfter(const QString& yearMonth, int months)
{
    const auto from = MonthNumber(yearMonth);
    if (!from || *from + months < 0)
        return QString();
    const int number = *from + months;
    return yearMonthText(number / 12, number % 12 + 1);
}

bool IsNextLedgerYear(const QString& current, const QString& chosen)
{
    const auto from = MonthNumber(current);
    const auto to = MonthNumber(chosen);
    return from && to && *to - *from == 12;
}
