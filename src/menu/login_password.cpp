#include "menu/login_password.h"

#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/moved_folder.h"
#include "storage/pbkdf2.h"
#include "storage/safe_file.h"
#include "storage/settings_files.h"

#include <QFile>
#include <QList>
#include <QRandomGenerator>
#include <array>
#include <cerrno>

namespace {

// One line: scheme, rounds, salt and derived key, the last two in base64.
const QByteArray Scheme = QByteArrayLiteral("pbkdf2-sha256");
constexpr int SaltLength = 16;
constexpr int KeyLength = 32;
constexpr qint64 MaxFileSize = 1024;

struct StoredPassword {
    int iterations = 0;
    QByteArray salt;
    QByteArray key;
};

QByteArray passwordBytes(const QString& password)
{
    return password.trimmed().toUtf8();
}

std::optional<StoredPassword> readStoredPassword(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileSize)
        return std::nullopt;
    const QList<QByteArray> parts = file.readAll().trimmed().split('$');
    if (parts.size() != 4 || parts[0] != Scheme)
        return std::nullopt;
    bool number = false;
    StoredPassword stored;
    stored.iterations = parts[1].toInt(&number);
    const auto salt = QByteArray::fromBase64Encoding(parts[2], QByteArray::AbortOnBase64DecodingErrors);
    const auto key = QByteArray::fromBase64Encoding(parts[3], QByteArray::AbortOnBase64DecodingErrors);
    if (!number || stored.iterations < 1 || stored.iterations > LoginPasswordMaxIterations || !salt || !key
        || salt.decoded.isEmpty() || key.decoded.size() != KeyLength)
        return std::nullopt;
    stored.salt = salt.decoded;
    stored.key = key.decoded;
    return stored;
}

void tellWrongPassword(AppState& state)
{
    state.dialogs.inform(QStringLiteral("確認"), QStringLiteral("パスワードが違います。。"));
}

} // namespace

QString LoginPasswordPath(const AppState& state)
{
    const QString folder = SharedSettingsInClientFolder(state) ? state.ClientFolder : state.DataFolder;
    return folder + LoginPasswordFileName;
}

IoResult StoreLoginPassword(const AppState& state, const QString& password, int iterations)
{
    const QByteArray bytes = passwordBytes(password);
    if (bytes.isEmpty() || iterations < 1 || iterations > LoginPasswordMaxIterations)
        return IoResult::failure(LoginPasswordPath(state), EINVAL, QStringLiteral("empty password"));
    if (const IoResult moved = RefuseWhenMoved(state.DataFolder); !moved)
        return moved;
    std::array<quint32, SaltLength / 4> random;
    QRandomGenerator::system()->fillRange(random.data(), random.size());
    const QByteArray salt(reinterpret_cast<const char*>(random.data()), SaltLength);
    const QByteArray key = Pbkdf2HmacSha256(bytes, salt, iterations, KeyLength);
    const QByteArray line = Scheme + '$' + QByteArray::number(iterations) + '$' + salt.toBase64() + '$'
        + key.toBase64() + "\r\n";
    return WriteFileAtomically(LoginPasswordPath(state), line);
}

bool CheckLoginPassword(const AppState& state, const QString& typed)
{
    const QByteArray bytes = passwordBytes(typed);
    if (bytes.isEmpty())
        return false;
    const std::optional<StoredPassword> stored = readStoredPassword(LoginPasswordPath(state));
    if (!stored)
        return false;
    return EqualInConstantTime(Pbkdf2HmacSha256(bytes, stored->salt, stored->iterations, KeyLength), stored->key);
}

void ApplyLoginPasswordCheck(AppState& state, bool accepted)
{
    if (accepted)
        state.PasswordRequired = false;
    else
        tellWrongPassword(state);
}

bool SubmitLoginPassword(AppState& state, const QString& typed)
{
    const bool accepted = CheckLoginPassword(state, typed);
    ApplyLoginPasswordCheck(state, accepted);
    return accepted;
}

PasswordConfirmation ConfirmLoginPassword(AppState& state, const QString& prompt)
{
    for (int attempt = 0; attempt < LoginPasswordAttempts; ++attempt) {
        const std::optional<QString> typed = state.dialogs.askText(QStringLiteral("管理確認"), prompt, true);
        if (!typed)
            return PasswordConfirmation::Cancelled;
        if (CheckLoginPassword(state, *typed))
            return PasswordConfirmation::Accepted;
        tellWrongPassword(state);
    }
    return PasswordConfirmation::Refused;
}

bool RefuseUntilLoggedIn(AppState& state)
{
    if (!state.PasswordRequired)
        return false;
    state.dialogs.inform(QStringLiteral("管理確認"), QStringLiteral(" パスワード認証が必要です。"));
    return true;
}

std::optional<QString> AskNewLoginPassword(AppState& state)
{
    const QString title = QStringLiteral("登録確認");
    const std::optional<QString> first
        = state.dialogs.askText(title, QStringLiteral("新しいログインパスワードを入力してください。"), true);
    if (!first)
        return std::nullopt;
    if (first->trimmed().isEmpty()) {
        state.dialogs.inform(title, joinLines({QStringLiteral("パスワードが入力されていません。"),
                                               QStringLiteral("ログインパスワードは設定されません。")}));
        return std::nullopt;
    }
    const std::optional<QString> second
        = state.dialogs.askText(title, QStringLiteral("確認のため、もう一度入力してください。"), true);
    if (!second)
        return std::nullopt;
    if (second->trimmed() != first->trimmed()) {
        state.dialogs.inform(title, joinLines({QStringLiteral("パスワードが一致しません。"),
                                               QStringLiteral("ログインパスワードは設定されません。")}));
        return std::nullopt;
    }
    return first->trimmed();
}
