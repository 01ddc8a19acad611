#include "menu/startup.h"

#include "settings/data_folder_settle.h"
#include "settings/mail_address_file.h"
#include "storage/app_state.h"
#include "storage/field_text.h"
#include "storage/ledger_lock.h"
#include "storage/settings_files.h"
#include "storage/vocabulary.h"

#include <QDir>
#include <QSysInfo>

QString ReadPcName()
{
    const QString name = qEnvironmentVariable("COMPUTERNAME");
    return name.isEmpty() ? QSysInfo::machineHostName() : name;
}

namespace {

// A year rollover that another start (or another PC) left half done is finished or undone before
// anything else reads the start month.
void settleHalfDoneRollover(AppState& state)
{
    const RolloverSettlement settled = SettleHalfDoneRolloverNow(state);
    if (const QString text = RolloverSettlementMessage(settled); !text.isEmpty())
        state.dialogs.inform(settled.io ? QStringLiteral("登録確認") : QStringLiteral("異常確認"), text);
}

} // namespace

void RunStartupSequence(AppState& state)
{
    state.VersionText = QStringLiteral("Ver20231023");
    state.PcName = ReadPcName();
    state.MonthsPerYear = 12;
    ReadClientSettings(state);
    state.DataFolder = NormaliseFolder(state.ClientSettings[ClientLine::DataFolder]);
    ReadClientSettings(state);
    SettleDataFolder(state);
    ReadSharedSettings(state);
    settleHalfDoneRollover(state);
    ReadMailAddressTable(state);
    if (state.DataFolder != state.ClientFolder && !state.DataFolder.isEmpty() && QDir(state.DataFolder).exists())
        PrepareDataEnvironment(state);
    state.EntryPadMode = 0;
    ApplyLoginPasswordRule(state);
}

bool ApplyLoginPasswordRule(AppState& state)
{
    if (state.SharedSettings[SharedLine::LoginPassword] == QStringLiteral("1")) {
        if (!state.MenuShownBefore) {
            state.PasswordRequired = true;
            return true;
        }
        return false;
    }
    state.PasswordRequired = false;
    return false;
}
