#include "menu/login_password.h"

#include "storage/pbkdf2.h"
#include "support/temp_client_support.h"

#include <QDir>
#include <gtest/gtest.h>
#include <vector>

namespace {

// Few rounds keep the tests quick; the rounds are recorded in the file and used when checking.
constexpr int QuickRounds = 1000;

QByteArray readAllFiles(const QString& folder)
{
    QByteArray all;
    for (const QString& name : QDir(folder).entryList(QDir::Files))
        all += TempClient::readBytes(folder + name);
    return all;
}

} // namespace

// Published PBKDF2-HMAC-SHA256 vectors (RFC 7914 section 11 and the common SHA-256 set).
TEST(Pbkdf2, MatchesPublishedVectors)
{
    const struct {
        QByteArray password;
        QByteArray salt;
        int iterations;
        int length;
        const char* key;
    } vectors[] = {
        {"password", "salt", 1, 32, "120fb6cffcf8b32c43e7225256c4f837a86548c92ccc35480805987cb70be17b"},
        {"password", "salt", 2, 32, "ae4d0c95af6b46d32d0adff928f06dd02a303f8ef3c251dfd6e2d85a95474c43"},
        {"password", "salt", 4096, 32, "c5e478d59288c841aa530db6845c4c8d962893a001ce4e11a4963873aa98134a"},
        {"passwordPASSWORDpassword", "saltSALTsaltSALTsaltSALTsaltSALTsalt", 4096, 40,
         "348c89dbcbd32b2f32d814b8116e84cf2b17347ebc1800181c4e2a1fb8dd53e1c635518c7dac47e9"},
        {QByteArray("pass\0word", 9), QByteArray("sa\0lt", 5), 4096, 16, "89b69d0516f829893c696226650a8687"},
        {"passwd", "salt", 1, 64,
         "55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc"
         "49ca9cccf179b645991664b39d77ef317c71b845b1e30bd509112041d3a19783"},
        {"Password", "NaCl", 80000, 64,
         "4ddcd8f60b98be21830cee5ef22701f9641a4418d04c0414aeff08876b34ab56"
         "a1d425a1225833549adb841b51c9b3176a272bdebba1d078478f62b397f33c8d"},
        // A key longer than the hash block is hashed first.
        {QByteArray(100, 'k'), "salt", 1, 32, nullptr},
    };
    for (const auto& v : vectors) {
        const QByteArray key = Pbkdf2HmacSha256(v.password, v.salt, v.iterations, v.length);
        ASSERT_EQ(key.size(), v.length);
        if (v.key)
            EXPECT_EQ(key.toHex(), QByteArray(v.key)) << v.password.constData() << " " << v.iterations;
    }
    EXPECT_NE(Pbkdf2HmacSha256(QByteArray(100, 'k'), "salt", 1, 32), Pbkdf2HmacSha256(QByteArray(99, 'k'), "salt", 1, 32));
    EXPECT_TRUE(Pbkdf2HmacSha256("p", "s", 0, 32).isEmpty());
    EXPECT_TRUE(EqualInConstantTime("abc", "abc"));
    EXPECT_FALSE(EqualInConstantTime("abc", "abd"));
    EXPECT_FALSE(EqualInConstantTime("abc", "abcd"));
}

TEST(LoginPassword, OnlyTheStoredPasswordIsAcceptedAndItsTextIsNeverWritten)
{
    TempClient client(true);
    const QString password = QStringLiteral("在庫Pass-2024");
    ASSERT_TRUE(StoreLoginPassword(client.state, QStringLiteral("  ") + password + QStringLiteral(" "), QuickRounds));
    EXPECT_EQ(LoginPasswordPath(client.state), client.dataFolder() + QStringLiteral("Ma在庫品認証.dat"));

    const struct {
        QString typed;
        bool accepted;
    } cases[] = {
        {password, true},
        {QStringLiteral(" ") + password + QStringLiteral("  "), true}, // typed text is trimmed
        {QStringLiteral("在庫pass-2024"), false},
        {password + QStringLiteral("x"), false},
        {QString(), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckLoginPassword(client.state, c.typed), c.accepted) << qPrintable(c.typed);

    // Neither the password nor any of its encodings appears in any file of either folder.
    const QByteArray files = readAllFiles(client.dataFolder()) + readAllFiles(client.clientFolder());
    ASSERT_FALSE(files.isEmpty());
    for (const QByteArray& form : {password.toUtf8(), QByteArrayLiteral("Pass-2024"), password.toUtf8().toBase64(),
                                   password.toUtf8().toHex()})
        EXPECT_FALSE(files.contains(form)) << form.constData();

    // A second store of the same password gets a new salt, so the files differ.
    const QByteArray first = TempClient::readBytes(LoginPasswordPath(client.state));
    ASSERT_TRUE(StoreLoginPassword(client.state, password, QuickRounds));
    EXPECT_NE(TempClient::readBytes(LoginPasswordPath(client.state)), first);
    EXPECT_TRUE(CheckLoginPassword(client.state, password));
}

TEST(LoginPassword, EmptyPasswordIsNotStored)
{
    TempClient client;
    for (const QString& empty : {QString(), QStringLiteral("   "), QStringLiteral("　")}) {
        EXPECT_FALSE(StoreLoginPassword(client.state, empty, QuickRounds)) << qPrintable(empty);
        EXPECT_FALSE(QFile::exists(LoginPasswordPath(client.state)));
    }
}

TEST(LoginPassword, MissingOrDamagedFileAcceptsNothing)
{
    TempClient client;
    EXPECT_FALSE(CheckLoginPassword(client.state, QStringLiteral("anything")));

    ASSERT_TRUE(StoreLoginPassword(client.state, QStringLiteral("secret"), QuickRounds));
    const QByteArray good = TempClient::readBytes(LoginPasswordPath(client.state));
    QList<QByteArray> parts = good.trimmed().split('$');
    ASSERT_EQ(parts.size(), 4);
    const QByteArray damaged[] = {
        QByteArray(),
        "secret",
        "pbkdf2-sha256$1000$$" + parts[3],                          // no salt
        "pbkdf2-sha256$0$" + parts[2] + '$' + parts[3],             // no rounds
        "pbkdf2-sha256$999999999$" + parts[2] + '$' + parts[3],     // rounds beyond the limit
        "pbkdf2-sha1$1000$" + parts[2] + '$' + parts[3],            // unknown scheme
        "pbkdf2-sha256$1000$" + parts[2] + '$' + parts[3].left(20), // short key
    };
    for (const QByteArray& bytes : damaged) {
        TempClient::writeBytes(LoginPasswordPath(client.state), bytes);
        EXPECT_FALSE(CheckLoginPassword(client.state, QStringLiteral("secret"))) << bytes.constData();
    }
}

TEST(LoginPassword, SubmitEndsTheRequirementOrSaysThePasswordIsWrong)
{
    TempClient client;
    ASSERT_TRUE(StoreLoginPassword(client.state, QStringLiteral("abc"), QuickRounds));
    client.state.PasswordRequired = true;

    EXPECT_FALSE(SubmitLoginPassword(client.state, QStringLiteral("abd")));
    EXPECT_TRUE(client.state.PasswordRequired);
    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_EQ(client.dialogs.shown()[0].title, QStringLiteral("確認"));
    EXPECT_EQ(client.dialogs.shown()[0].text, QStringLiteral("パスワードが違います。。"));

    EXPECT_TRUE(SubmitLoginPassword(client.state, QStringLiteral("abc ")));
    EXPECT_FALSE(client.state.PasswordRequired);
    EXPECT_EQ(client.dialogs.shown().size(), 1);
}

TEST(LoginPassword, NewPasswordIsAskedTwiceAndMustBeTheSameAndNotEmpty)
{
    const struct {
        std::optional<QString> first;
        std::optional<QString> second;
        std::optional<QString> result;
        int prompts;
        QString message; // what the refusal says, if anything
    } cases[] = {
        {QStringLiteral("pw1"), QStringLiteral(" pw1"), QStringLiteral("pw1"), 2, {}},
        {std::nullopt, {}, std::nullopt, 1, {}},
        {QStringLiteral("pw1"), std::nullopt, std::nullopt, 2, {}},
        {QStringLiteral("  "), {}, std::nullopt, 1, QStringLiteral("パスワードが入力されていません。\rログインパスワードは設定されません。")},
        {QStringLiteral("pw1"), QStringLiteral("pw2"), std::nullopt, 2,
         QStringLiteral("パスワードが一致しません。\rログインパスワードは設定されません。")},
    };
    for (const auto& c : cases) {
        TempClient client;
        client.dialogs.queueText(c.first);
        client.dialogs.queueText(c.second);
        EXPECT_EQ(AskNewLoginPassword(client.state), c.result);
        int prompts = 0;
        QString message;
        for (const auto& shown : client.dialogs.shown()) {
            if (shown.textPrompt) {
                ++prompts;
                EXPECT_TRUE(shown.secret);
            } else {
                message = shown.text;
            }
        }
        EXPECT_EQ(prompts, c.prompts);
        EXPECT_EQ(message, c.message);
    }
}

// Asking the password again: each wrong answer is told as at the start, Cancel stops at once, and
// after the third wrong answer nothing more is asked.
TEST(LoginPassword, ConfirmationGivesThreeTriesAndStopsAtCancel)
{
    const QString wrong = QStringLiteral("abd");
    const QString right = QStringLiteral(" abc");
    const struct {
        std::vector<std::optional<QString>> typed;
        PasswordConfirmation result;
        int prompts;
        int wrongMessages;
    } cases[] = {
        {{right}, PasswordConfirmation::Accepted, 1, 0},
        {{wrong, wrong, right}, PasswordConfirmation::Accepted, 3, 2},
        {{wrong, wrong, wrong, right}, PasswordConfirmation::Refused, 3, 3},
        {{wrong, std::nullopt, right}, PasswordConfirmation::Cancelled, 2, 1},
        {{QString(), QString(), QString()}, PasswordConfirmation::Refused, 3, 3},
    };
    for (const auto& c : cases) {
        TempClient client;
        ASSERT_TRUE(StoreLoginPassword(client.state, QStringLiteral("abc"), QuickRounds));
        for (const auto& text : c.typed)
            client.dialogs.queueText(text);
        EXPECT_EQ(ConfirmLoginPassword(client.state, QStringLiteral("入力してください。")), c.result);
        int prompts = 0;
        int wrongMessages = 0;
        for (const auto& shown : client.dialogs.shown()) {
            if (shown.textPrompt) {
                ++prompts;
                EXPECT_TRUE(shown.secret);
                EXPECT_EQ(shown.text, QStringLiteral("入力してください。"));
            } else if (shown.title == QStringLiteral("確認") && shown.text == QStringLiteral("パスワードが違います。。")) {
                ++wrongMessages;
            }
        }
        EXPECT_EQ(prompts, c.prompts);
        EXPECT_EQ(wrongMessages, c.wrongMessages);
        EXPECT_EQ(client.dialogs.shown().size(), prompts + wrongMessages);
    }
}
