#include "storage/folder_check.h"

#include "storage/app_state.h"
#include "storage/cp932_codec.h"
#include "storage/paths.h"
#include "storage/settings_files.h"
#include "storage/vocabulary.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The first character of `text` that cp932 cannot hold, or nothing.
QString firstUnencodable(const QString& text)
{
    for (qsizetype k = 0; k < text.size(); ++k) {
        const qsizetype length = text[k].isHighSurrogate() && k + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(k, length);
        if (Cp932::decode(Cp932::encode(character)) != character)
            return character;
        k += length - 1;
    }
    return QString();
}

} // namespace

QString FolderCheck::reason() const
{
    switch (problem) {
    case Problem::None:
        return QString();
    case Problem::NotSet:
        return QStringLiteral("フォルダーが設定されていません。");
    case Problem::NotAbsolute:
        return QStringLiteral("フォルダーがドライブやルートからの位置で設定されていません。");
    case Problem::Missing:
        return QStringLiteral("フォルダーが見つかりません。");
    case Problem::NotAFolder:
        return QStringLiteral("フォルダーではありません。");
    case Problem::NotReadable:
        return QStringLiteral("フォルダーを読み取る権限がありません。");
    case Problem::NotWritable:
        return QStringLiteral("フォルダーに書き込む権限がありません。");
    case Problem::NotCp932:
        return QStringLiteral("フォルダー名に使えない文字「%1」があります。").arg(character);
    }
    return QString();
}

FolderCheck CheckFolder(const QString& folder, bool forWriting)
{
    FolderCheck check;
    check.folder = folder;
    const QFileInfo info(folder);
    if (folder.trimmed().isEmpty())
        check.problem = FolderCheck::Problem::NotSet;
    else if (QDir::isRelativePath(folder))
        check.problem = FolderCheck::Problem::NotAbsolute;
    else if (!(check.character = firstUnencodable(folder)).isEmpty())
        check.problem = FolderCheck::Problem::NotCp932;
    else if (!info.exists())
        check.problem = FolderCheck::Problem::Missing;
    else if (!info.isDir())
        check.problem = FolderCheck::Problem::NotAFolder;
    else if (!info.isReadable() || !info.isExecutable())
        check.problem = FolderCheck::Problem::NotReadable;
    else if (forWriting && !info.isWritable())
        check.problem = FolderCheck::Problem::NotWritable;
    return check;
}

QStringList LinkedDataFiles(const AppState& state)
{
    QStringList paths = {state.DataFolder + DataFileName::Ledger, state.DataFolder + DataFileName::ItemNumbers,
                         state.DataFolder + DataFileName::ChangeLog, state.DataFolder + DataFileName::LedgerLock,
                         SharedSettingsPath(state)};
    for (int list = VocabularyTable::FirstUsedList; list <= VocabularyTable::LastUsedList; ++list)
        paths.append(VocabularyPath(state, list));
    QStringList linked;
    for (const QString& path : std::as_const(paths))
        if (QFileInfo(path).isSymLink())
            linked.append(path);
    return linked;
}

QString DataFolderProblemMessage(const AppState& state, bool forWriting)
{
    const FolderCheck check = CheckFolder(state.DataFolder, forWriting);
    if (!check.ok()) {
        return QStringLiteral("　データフォルダーが使用できません。") + u'\r' + QStringLiteral("　") + check.reason() + u'\r'
            + QStringLiteral("　") + (state.DataFolder.isEmpty() ? QStringLiteral("（未設定）") : state.DataFolder) + u'\r'
            + QStringLiteral("　初期設定でデータフォルダーを設定してください。");
    }
    const QStringList linked = LinkedDataFiles(state);
    if (linked.isEmpty())
        return QString();
    QString text = QStringLiteral("　データフォルダーのファイルがシンボリックリンクのため使用できません。");
    for (const QString& path : linked)
        text += u'\r' + QStringLiteral("　") + path;
    return text + u'\r' + QStringLiteral("　リンクを実際のファイルに置き換えてください。");
}

QString ClientFolderProblemMessage(const QString& clientFolder)
{
    const FolderCheck check = CheckFolder(clientFolder, false);
    if (check.ok())
        return QString();
    return QStringLiteral("　クライアントフォルダーが使用できません。") + u'\r' + QStringLiteral("　") + check.reason() + u'\r'
        + QStringLiteral("　") + clientFolder;
}
