#include "settings/column_name_settings.h"

#include "storage/shared_settings_change.h"
#include "ledger/column_captions.h"
#include "settings/settings_value_messages.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/field_text.h"
#include "storage/settings_files.h"

#include <algorithm>

int ColumnNameLine(int row)
{
    return SharedLine::FirstCaption + row;
}

int ListSizeLine(int row)
{
    return SharedLine::FirstListCount - 1 + row;
}

QString ColumnName(const AppState& state, int row)
{
    return state.SharedSettings[ColumnNameLine(row)];
}

QString ListSize(const AppState& state, int row)
{
    return state.SharedSettings[ListSizeLine(row)].trimmed();
}

int ListSizeLimit(const AppState& state)
{
    const double limit = ReadNumber(state.SharedSettings[SharedLine::ListSizeLimit]);
    return int(std::clamp(limit, 0.0, double(ColumnNames::LimitMax)));
}

QStringList ListSizeChoices(int limit)
{
    QStringList choices;
    choices.reserve(std::max(limit, 0));
    for (int size = 1; size <= limit; ++size)
        choices.append(QString::number(size));
    return choices;
}

QStringList ListSizeLimitChoices()
{
    QStringList choices;
    for (int limit = 0; limit <= ColumnNames::LimitMax; limit += ColumnNames::LimitStep)
        choices.append(QString::number(limit));
    return choices;
}

std::optional<QString> ColumnNameProblem(const QString& name)
{
    if (name.contains(u'"'))
        return DoubleQuoteRefusedMessage(QStringLiteral("名称"));
    return std::nullopt;
}

QString ColumnNamesRegisteredMessage()
{
    return joinLines({QStringLiteral(" 在庫品項目名称・数量Max値を登録しました。"),
                      QStringLiteral(" ソフト内の全ての名称が変更されます。")});
}

QString ColumnNameEdits::setName(AppState& state, int row, const QString& text)
{
    const int line = ColumnNameLine(row);
    state.SharedSettings[line] = FieldText(text);
    m_lines[line] = state.SharedSettings[line];
    state.EditPending = true;
    return state.SharedSettings[line];
}

QString ColumnNameEdits::setSize(AppState& state, int row, const QString& size)
{
    const int line = ListSizeLine(row);
    state.SharedSettings[line] = size.trimmed();
    m_lines[line] = state.SharedSettings[line];
    state.EditPending = true;
    return state.SharedSettings[line];
}

void ColumnNameEdits::reapply(AppState& state) const
{
    for (const auto& [line, value] : m_lines)
        state.SharedSettings[line] = value;
}

IoResult ColumnNameEdits::setLimit(AppState& state, const QString& limit)
{
    state.SharedSettings[SharedLine::ListSizeLimit] = limit.trimmed();
    m_lines[SharedLine::ListSizeLimit] = state.SharedSettings[SharedLine::ListSizeLimit];
    return write(state);
}

IoResult ColumnNameEdits::registerNames(AppState& state)
{
    const IoResult result = write(state);
    if (result)
        RebuildColumnCaptions(state);
    return result;
}

// A failed write keeps the edits pending, so a later write can still store them.
IoResult ColumnNameEdits::write(AppState& state)
{
    SharedSettingsChanges changes;
    for (const auto& [line, value] : m_lines)
        changes.append({line, value});
    const IoResult result = ChangeSharedSettings(state, changes);
    if (result)
        m_lines.clear();
    else
        reapply(state);
    return result;
}
