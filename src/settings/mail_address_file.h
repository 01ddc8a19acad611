#pragma once
// The mail address file "Mb在庫品メール.dat" in the data folder: 16 lines in the settings-file
// format, line i + 1 holding MailAddressTable entry i. Entries 1..3 are the information
// addresses (the purchase-mail recipients), 4..11 the ordering addresses.
#include "storage/io_result.h"

#include <QString>
#include <array>
#include <optional>

struct AppState;

using MailAddresses = std::array<QString, 16>;

namespace MailAddressFile {
inline const QString Name = QStringLiteral("Mb在庫品メール.dat");
inline constexpr int FirstInformation = 1;
inline constexpr int InformationCount = 3;
inline constexpr int FirstOrdering = 4;
inline constexpr int OrderingCount = 8;
}

QString MailAddressPath(const AppState& state);

// Entries 0..15 of the file, each trimmed; a missing file or missing lines give empty entries.
MailAddresses ReadMailAddressFile(const QString& path);
IoResult WriteMailAddressFile(const QString& path, const MailAddresses& addresses);

// MailAddressTable from / to the file of the current data folder.
void ReadMailAddressTable(AppState& state);
IoResult WriteMailAddressTable(const AppState& state);

// Why a typed address cannot be stored, or nothing when it can.
std::optional<QString> MailAddressProblem(const QString& address);
