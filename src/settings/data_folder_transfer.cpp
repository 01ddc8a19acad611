#include "settings/data_folder_transfer.h"

#include "excel_import/import_workbook_path.h"
#include "menu/login_password.h"
#include "settings/data_folder_registration.h"
#include "settings/data_folder_texts.h"
#include "settings/settings_value_messages.h"
#include "settings/mail_address_file.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/field_text.h"
#include "storage/ledger_lock.h"
#include "storage/paths.h"
#include "storage/settings_files.h"
#include "storage/vocabulary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

constexpr qint64 CopyBlock = 1 << 20;

bool copyAllBytes(QFile& source, QIODevice& target)
{
    QByteArray block;
    while (!source.atEnd()) {
        block = source.read(CopyBlock);
        if (block.isEmpty() && source.error() != QFileDevice::NoError)
            return false;
        if (target.write(block) != block.size())
            return false;
    }
    return source.error() == QFileDevice::NoError;
}

// "M在庫台帳", "M在庫資料", then "原本Excel" unless client settings line 26 says otherwise. The
// first folder that cannot be made (normally one that exists) ends the step with a message.
void createSubFolders(AppState& state, const QString& target)
{
    QStringList folders{DataFileName::OutputFolder, DataFileName::DocumentsFolder};
    if (!SameFolder(target, state.ClientFolder) && ReadNumber(state.ClientSettings[ClientLine::NoTemplateFolderOnTransfer]) == 0)
        folders.append(DataFileName::TemplateFolder);
    for (const QString& folder : folders) {
        if (!QDir().mkdir(target + folder)) {
            state.dialogs.inform(AppState::ProductName, SubFolderExistsMessage());
            return;
        }
    }
}

class Copier {
public:
    Copier(AppState& state, const TransferHooks& hooks, TransferResult& result)
        : m_state(state), m_hooks(hooks), m_result(result)
    {
    }

    // One file of the same name in both folders; a failure is reported and the next file follows.
    void copy(const QString& name, int step, int steps)
    {
        if (m_hooks.progress)
            m_hooks.progress(step, steps, name);
        if (!copyNamed(name))
            fail(name, CopyFailedMessage(name));
    }

    // "M在庫資料/Mb入出庫月報": the workbook may be .xlsx or .xls; each that exists is copied.
    void copyDailyWorkbook(int step, int steps)
    {
        const QString folder = DataFileName::DocumentsFolder + PathSeparator;
        const QString xls = folder + ImportWorkbookName::DailyInOut;
        if (m_hooks.progress)
            m_hooks.progress(step, steps, xls);
        bool found = false;
        bool ok = true;
        for (const QString& name : {xls + u'x', xls}) {
            if (!QFileInfo(m_result.source + name).isFile())
                continue;
            found = true;
            ok = copyNamed(name) && ok;
        }
        if (!found || !ok)
            fail(xls, DailyWorkbookCopyFailedMessage());
    }

private:
    bool copyNamed(const QString& name)
    {
        m_state.closeAllFiles();
        if (name == DataFileName::Ledger && QFileInfo(m_result.source).isWritable()) {
            // No other client appends while the ledger is copied (m_state.DataFolder is the
            // source). A source folder nobody can write to needs no lock.
            LedgerLock lock(m_state);
            if (!lock.take())
                return false;
            return CopyFileVerified(m_result.source + name, m_result.target + name, m_hooks.copyBytes);
        }
        return CopyFileVerified(m_result.source + name, m_result.target + name, m_hooks.copyBytes);
    }

    void fail(const QString& name, const QString& message)
    {
        m_result.failedFiles.append(name);
        if (m_hooks.busy)
            m_hooks.busy(false);
        m_state.dialogs.inform(DataFolderText::ConfirmTitle, message);
        if (m_hooks.busy)
            m_hooks.busy(true);
    }

    AppState& m_state;
    const TransferHooks& m_hooks;
    TransferResult& m_result;
};

// The copy question, then the word lists, the ledger and the daily in/out workbook.
void copyFiles(AppState& state, const TransferHooks& hooks, TransferResult& result)
{
    ReadVocabularyLists(state);
    if (state.dialogs.ask(DataFolderText::ConfirmTitle, CopyQuestion(result.source, result.target))
        != Dialogs::Answer::Yes)
        return;
    result.copiesAccepted = true;
    if (!QFileInfo(result.target).isDir()) {
        result.copyStepFailed = true;
        state.dialogs.inform(DataFolderText::ConfirmTitle, TransferIncompleteMessage());
        return;
    }
    if (hooks.busy)
        hooks.busy(true);
    Copier copier(state, hooks, result);
    const QStringList names = TransferredFileNames();
    const int steps = int(names.size()) + 1;
    for (int i = 0; i < names.size(); ++i)
        copier.copy(names[i], i + 1, steps);
    copier.copyDailyWorkbook(steps, steps);
    // The recipients of the mailed report, the login password and the change log of the ledger belong
    // to the data folder as well: without the password file a switched-on login would refuse every
    // password in the new folder.
    for (const QString& name : {MailAddressFile::Name, LoginPasswordFileName, DataFileName::ChangeLog})
        if (QFileInfo::exists(result.source + name))
            copier.copy(name, steps, steps);
    state.EditPending = false;
    if (hooks.busy)
        hooks.busy(false);
}

// Lines 1 and 2 the target, line 3 "1"; the shared settings in memory become the target's file.
void registerTarget(AppState& state, const QString& target)
{
    ReadClientSettings(state);
    state.ClientSettings[ClientLine::DataFolder] = target;
    state.ClientSettings[ClientLine::PreviousDataFolder] = target;
    state.ClientSettings[ClientLine::TransferPending] = QStringLiteral("1");
    const IoResult written = WriteClientSettings(state);
    if (!written)
        state.dialogs.inform(DataFolderText::ErrorTitle, SettingsWriteFailedMessage(written));
    state.DataFolder = NormaliseFolder(state.ClientSettings[ClientLine::DataFolder]);
    state.EditPending = false;
    state.ItemTableLoaded = false;
    WriteSharedSettings(state);
}

} // namespace

QStringList TransferredFileNames()
{
    QStringList names;
    for (int list = VocabularyTable::FirstUsedList; list <= VocabularyTable::LastUsedList; ++list)
        names.append(QStringLiteral("Mb在庫品0") + QString::number(list) + QStringLiteral(".dat"));
    names.append(DataFileName::Ledger);
    return names;
}

bool CopyFileVerified(const QString& from, const QString& to,
                      const std::function<bool(QFile& source, QIODevice& target)>& copyBytes)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    QSaveFile target(to);
    target.setDirectWriteFallback(false);
    if (!target.open(QIODevice::WriteOnly))
        return false;
    const bool copied = copyBytes ? copyBytes(source, target) : copyAllBytes(source, target);
    if (!copied || !target.flush() || target.size() != source.size()) {
        target.cancelWriting();
        return false;
    }
    return target.commit();
}

TransferResult TransferDataFolder(AppState& state, const QString& pathLabel, const TransferHooks& hooks)
{
    TransferResult result;
    ReadClientSettings(state);
    if (state.ClientSettings[ClientLine::PreviousDataFolder].isEmpty())
        state.ClientSettings[ClientLine::PreviousDataFolder] = state.ClientFolder;
    result.source = NormaliseFolder(state.ClientSettings[ClientLine::PreviousDataFolder]);
    result.target = NormaliseCandidate(FieldText(pathLabel));
    const QString inUse = state.DataFolder;
    state.DataFolder = result.source;
    state.EditPending = false;

    // A refused or declined transfer leaves this client in the folder it was using.
    auto refuse = [&](TransferOutcome outcome, const QString& message) {
        if (!message.isEmpty())
            state.dialogs.inform(DataFolderText::ConfirmTitle, message);
        state.DataFolder = inUse;
        result.outcome = outcome;
        return result;
    };
    if (result.target.isEmpty())
        return refuse(TransferOutcome::RefusedEmptyTarget, EmptyPathMessage());
    if (!CanStoreFolder(result.target))
        return refuse(TransferOutcome::RefusedUnstorableTarget, UnstorablePathMessage(result.target));
    if (SameFolder(result.target, state.ClientFolder))
        return refuse(TransferOutcome::RefusedProgramFolder, TargetIsProgramFolderMessage(result.target));
    if (SameFolder(result.target, result.source))
        return refuse(TransferOutcome::RefusedSameAsSource, TargetIsSourceMessage(result.source, result.target));
    if (!QFileInfo(result.target).isDir())
        return refuse(TransferOutcome::RefusedMissingTarget, TargetMissingMessage(result.target));
    if (state.dialogs.ask(DataFolderText::ConfirmTitle, TransferQuestion(result.source, result.target))
        != Dialogs::Answer::Yes)
        return refuse(TransferOutcome::Declined, QString());

    createSubFolders(state, result.target);
    copyFiles(state, hooks, result);
    registerTarget(state, result.target);
    result.outcome = TransferOutcome::Transferred;

    // Failed copies were reported one by one; the closing message then says the transfer is
    // incomplete instead of claiming it complete.
    if (!result.copyStepFailed) {
        if (result.failedFiles.isEmpty())
            state.dialogs.inform(DataFolderText::ConfirmTitle, TransferCompleteMessage());
        else
            state.dialogs.inform(DataFolderText::ConfirmTitle, TransferIncompleteMessage());
    }
    state.EditPending = false;
    return result;
}
