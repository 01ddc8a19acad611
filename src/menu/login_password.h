#pragma once
// The login password of a data folder. Only a salted PBKDF2-HMAC-SHA256 key of it is kept, in
// its own small file beside the shared settings, so every client of the folder checks the same
// password and the typed text itself is never written anywhere.
#include "storage/io_result.h"

#include <QString>
#include <optional>

struct AppState;

// Rounds of the key derivation for a newly set password. The file records the rounds it was
// made with, so a later change of this number does not lock out a stored password.
inline constexpr int LoginPasswordIterations = 600000;
// A stored count above this is treated as a damaged file rather than hashed for minutes.
inline constexpr int LoginPasswordMaxIterations = 10000000;

inline const QString LoginPasswordFileName = QStringLiteral("Ma在庫品認証.dat");

// The file beside the shared settings of this client.
QString LoginPasswordPath(const AppState& state);

// Stores `password` (trimmed) with a new random salt, replacing the file in one step. An empty
// password is refused (errorCode EINVAL) and nothing is written.
IoResult StoreLoginPassword(const AppState& state, const QString& password,
                            int iterations = LoginPasswordIterations);

// True when `typed` (trimmed) is the stored password. Without a readable stored password
// nothing is accepted.
bool CheckLoginPassword(const AppState& state, const QString& typed);

// The outcome of a check: an accepted password ends PasswordRequired; anything else is answered
// "パスワードが違います。。".
void ApplyLoginPasswordCheck(AppState& state, bool accepted);
// Enter in the password box: CheckLoginPassword, then ApplyLoginPasswordCheck. Returns true
// when accepted.
bool SubmitLoginPassword(AppState& state, const QString& typed);

// Typing the login password again before a step that needs it, in a box that shows "*":
// up to LoginPasswordAttempts tries, each wrong one answered "パスワードが違います。。" as at the
// start. Checked by CheckLoginPassword.
inline constexpr int LoginPasswordAttempts = 3;
enum class PasswordConfirmation { Accepted, Cancelled, Refused };
PasswordConfirmation ConfirmLoginPassword(AppState& state, const QString& prompt);

// While the login password is still to be typed on this client (PasswordRequired), says
// " パスワード認証が必要です。" (title "管理確認") and returns true: the main buttons and the
// administrator-only controls change nothing before the password is typed.
bool RefuseUntilLoggedIn(AppState& state);

// The administrator types the new password twice. Nothing (after saying why) when a prompt was
// cancelled, the password is empty or the two differ.
std::optional<QString> AskNewLoginPassword(AppState& state);
