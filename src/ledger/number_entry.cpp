#include "ledger/number_entry.h"

#include "storage/field_text.h"

#include <QRegularExpression>

std::optional<QString> NumberEntryText(const QString& typed)
{
    QString text = FieldText(typed.normalized(QString::NormalizationForm_KC));
    if (text.isEmpty())
        return text;
    static const QRegularExpression grouped(QStringLiteral("^[-+]?\\d{1,3}(,\\d{3})+(\\.\\d*)?$"));
    if (text.contains(u',')) {
        if (!grouped.match(text).hasMatch())
            return std::nullopt;
        text.remove(u',');
    }
    if (!ParseNumber(text))
        return std::nullopt;
    return text;
}
