#include "settings/mail_address_file.h"

#include "settings/settings_value_messages.h"
#include "storage/app_state.h"
#include "storage/moved_folder.h"
#include "storage/quoted_text_file.h"

QString MailAddressPath(const AppState& state)
{
    return state.DataFolder + MailAddressFile::Name;
}

MailAddresses ReadMailAddressFile(const QString& path)
{
    MailAddresses addresses;
    const auto lines = ReadTextLines(path);
    if (!lines)
        return addresses;
    const qsizetype count = std::min<qsizetype>(lines->size(), qsizetype(addresses.size()));
    for (qsizetype i = 0; i < count; ++i)
        addresses[size_t(i)] = SplitQuotedLine(lines->at(i)).value(0).trimmed();
    return addresses;
}

IoResult WriteMailAddressFile(const QString& path, const MailAddresses& addresses)
{
    QStringList lines;
    lines.reserve(qsizetype(addresses.size()));
    for (const QString& address : addresses)
        lines.append(JoinQuotedLine({address.trimmed()}));
    return WriteTextLines(path, lines);
}

void ReadMailAddressTable(AppState& state)
{
    state.MailAddressTable = ReadMailAddressFile(MailAddressPath(state));
}

IoResult WriteMailAddressTable(const AppState& state)
{
    if (const IoResult moved = RefuseWhenMoved(state.DataFolder); !moved)
        return moved;
    return WriteMailAddressFile(MailAddressPath(state), state.MailAddressTable);
}

std::optional<QString> MailAddressProblem(const QString& address)
{
    if (address.contains(u'"'))
        return DoubleQuoteRefusedMessage(QStringLiteral("メールアドレス"));
    return std::nullopt;
}
