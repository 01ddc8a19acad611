#include "storage/settings_files.h"

#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/field_text.h"
#include "storage/paths.h"
#include "storage/quoted_text_file.h"

namespace {

QString clientSettingsPath(const AppState& state)
{
    return state.ClientFolder + SettingsFileName::Client;
}

} // namespace

bool ReadSettingsLines(const QStringList& text, SettingsLines& lines)
{
    for (int i = 1; i <= SettingsLineCount; ++i) {
        if (i - 1 >= text.size())
            return false;
        const QStringList values = SplitQuotedLine(text.at(i - 1));
        lines[i] = values.value(0);
    }
    return true;
}

bool ReadSettingsFile(const QString& path, SettingsLines& lines)
{
    const auto text = ReadTextLines(path);
    return text && ReadSettingsLines(*text, lines);
}

IoResult WriteSettingsFile(const QString& path, const SettingsLines& lines)
{
    QStringList text;
    text.reserve(SettingsLineCount);
    for (int i = 1; i <= SettingsLineCount; ++i)
        text.append(JoinQuotedLine({lines[i]}));
    return WriteTextLines(path, text);
}

QString NormaliseFolder(const QString& path)
{
    if (path.size() < 2)
        return path;
    qsizetype end = path.size();
    while (end > 0 && isPathSeparator(path[end - 1]))
        --end;
    return path.left(end) + PathSeparator;
}

bool SharedSettingsInClientFolder(const AppState& state)
{
    return state.ClientSettings[ClientLine::DataFolder] == state.ClientFolder;
}

QString SharedSettingsPath(const AppState& state)
{
    const QString folder = SharedSettingsInClientFolder(state) ? state.ClientFolder : state.DataFolder;
    return folder + SettingsFileName::Shared;
}

bool ReadClientSettings(AppState& state)
{
    return ReadSettingsFile(clientSettingsPath(state), state.ClientSettings);
}

IoResult WriteClientSettings(AppState& state)
{
    for (int i = 1; i <= SettingsLineCount; ++i)
        state.ClientSettings[i] = state.ClientSettings[i].trimmed();
    return WriteSettingsFile(clientSettingsPath(state), state.ClientSettings);
}

bool ReadSharedSettings(AppState& state)
{
    if (ReadSettingsFile(SharedSettingsPath(state), state.SharedSettings))
        return true;
    if (!SharedSettingsInClientFolder(state) && !state.suppressRecovery)
        RecoverDataFolder(state);
    return false;
}

SettingsLines SharedSettingsInFile(const AppState& state)
{
    SettingsLines lines = state.SharedSettings;
    ReadSettingsFile(SharedSettingsPath(state), lines);
    return lines;
}

QString SharedSettingsLineInFile(const AppState& state, int line)
{
    return FieldText(SharedSettingsInFile(state)[size_t(line)]);
}

IoResult WriteSharedSettings(AppState& state)
{
    for (int i = 1; i <= SettingsLineCount; ++i)
        state.SharedSettings[i] = FieldText(state.SharedSettings[i]);
    const IoResult result = WriteSettingsFile(SharedSettingsPath(state), state.SharedSettings);
    if (!result && !SharedSettingsInClientFolder(state))
        RecoverDataFolder(state);
    return result;
}

bool RecoverDataFolder(AppState& state)
{
    const QString text = joinLines({state.DataFolder,
                                    QStringLiteral(" データフォルダー位置がおかしいです。"),
                                    QStringLiteral(" 一旦クライアントフォルダー設定に戻します。")});
    if (state.dialogs.ask(QStringLiteral("登録確認"), text) != Dialogs::Answer::Yes)
        return false;
    state.ClientSettings[ClientLine::TransferPending] = QStringLiteral("0");
    state.ClientSettings[ClientLine::DataFolder] = state.ClientFolder;
    state.ClientSettings[ClientLine::PreviousDataFolder] = state.ClientFolder;
    WriteClientSettings(state);
    state.DataFolder = NormaliseFolder(state.ClientSettings[ClientLine::DataFolder]);
    state.EditPending = false;
    ReadSharedSettings(state); // now from the client folder: cannot recurse into recovery
    state.ItemTableLoaded = false;
    return true;
}
