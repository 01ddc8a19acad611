#include "settings/data_folder_transfer.h"

#include "ledger/column_captions.h"
#include "settings/data_folder_registration.h"
#include "settings/settings_value_messages.h"
#include "settings/transfer_files.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/field_text.h"
#include "storage/file_error.h"
#include "storage/file_lock.h"
#include "storage/ledger_file.h"
#include "storage/ledger_lock.h"
#include "storage/moved_folder.h"
#include "storage/paths.h"
#include "storage/platform_file.h"
#include "storage/settings_files.h"
#include "storage/shared_settings_change.h"
#include "storage/transfer_mark.h"
#include "storage/vocabulary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <memory>

namespace {

int errnoOr(int fallback)
{
    return errno != 0 ? errno : fallback;
}

QString reasonOf(const IoResult& io)
{
    return DescribeFileError(ClassifyFileError(io.errorCode, io.path));
}

// The stop of all clients as the shared settings file of the data folder holds it now.
struct StopState {
    bool on = false;
    QString flag;  // line 1 as it stands
    QString setBy; // line 23
};

StopState readStop(const AppState& state)
{
    const SettingsLines lines = SharedSettingsInFile(state);
    return {ReadFlag(lines[SharedLine::StopAll]), lines[SharedLine::StopAll], lines[SharedLine::StopSetBy]};
}

bool stopIsOurs(const AppState& state, const StopState& stop)
{
    return stop.on && !state.PcName.isEmpty() && stop.setBy == state.PcName;
}

const SharedSettingsChanges StopReleased{{SharedLine::StopAll, QStringLiteral("0")}, {SharedLine::StopSetBy, QString()}};

// Lines 1..3 and 40 of the client settings, written at once. On a failed write memory keeps
// what the file holds.
IoResult placeClient(AppState& state, const QString& dataFolder, const QString& pendingTarget)
{
    const SettingsLines before = state.ClientSettings;
    state.ClientSettings[ClientLine::DataFolder] = dataFolder;
    state.ClientSettings[ClientLine::PreviousDataFolder] = dataFolder;
    if (!SameFolder(dataFolder, state.ClientFolder))
        state.ClientSettings[ClientLine::TransferPending] = QStringLiteral("1");
    state.ClientSettings[ClientLine::TransferTarget] = pendingTarget;
    const IoResult written = WriteClientSettings(state);
    if (!written)
        state.ClientSettings = before;
    return written;
}

// The client works in `folder`, whose shared settings, word lists and captions it reads.
void workIn(AppState& state, const QString& folder)
{
    state.DataFolder = NormaliseFolder(folder);
    state.EditPending = false;
    state.ItemTableLoaded = false;
    ReadSettingsFile(SharedSettingsPath(state), state.SharedSettings);
    ReadVocabularyLists(state);
    RebuildColumnCaptions(state);
}

// Registers the target as it is, copying nothing: lines 1 and 2 the target, line 3 "1". A target
// without shared settings gets them from memory; one that has them is read.
void registerAsItIs(AppState& state, const QString& target)
{
    state.closeAllFiles();
    if (const IoResult written = placeClient(state, target, QString()); !written) {
        state.dialogs.inform(DataFolderText::ErrorTitle, SettingsWriteFailedMessage(written));
        return;
    }
    if (QFileInfo::exists(target + SettingsFileName::Shared)) {
        workIn(state, target);
        return;
    }
    state.DataFolder = target;
    state.EditPending = false;
    state.ItemTableLoaded = false;
    WriteSharedSettings(state);
}

struct FileFailure {
    QString name;
    IoResult io;
    bool differs = false;
};

// One run of the transfer from `source` into `target` once its questions are answered.
class TransferRun {
public:
    // `resuming`: the client settings name a transfer that did not end, so a stop set by this PC
    // is that transfer's; otherwise it is an administrator's and stays.
    TransferRun(AppState& state, const TransferHooks& hooks, TransferResult& result, bool replacing, bool resuming)
        : m_state(state), m_hooks(hooks), m_result(result), m_replacing(replacing), m_resuming(resuming),
          m_source(result.source), m_target(result.target)
    {
    }

    void run()
    {
        m_state.closeAllFiles();
        m_state.EditPending = false;
        m_state.DataFolder = m_source;
        m_result.outcome = TransferOutcome::NotTransferred;
        // Nobody can write to a source folder the system keeps read-only: no stop, lock or mark.
        m_sourceWritable = QFileInfo(m_source).isWritable();

        // The client stays on the source until the end and notes the target, so that a transfer
        // that does not end is found on the next start.
        if (const IoResult placed = placeClient(m_state, m_source, m_target); !placed) {
            m_result.failure = placed;
            return;
        }
        if (m_sourceWritable) {
            if (const IoResult stopped = stopOtherClients(); !stopped) {
                m_result.failure = stopped;
                forgetTarget();
                return;
            }
        }
        const Stage stage = copyUnderLocks();
        if (m_hooks.busy)
            m_hooks.busy(false);

        // The locks are released; the stop goes in either case, in a moved folder too.
        if (m_stopIsOurs) {
            if (stage == Stage::Committed)
                ChangeSharedSettingsAfterMove(m_state, m_stopRelease);
            else
                ChangeSharedSettings(m_state, m_stopRelease);
        }
        if (stage != Stage::Committed) {
            m_result.copiesPending = stage == Stage::CopiesPlaced;
            if (!m_result.copiesPending)
                forgetTarget();
            return;
        }
        RemoveTransferMark(m_target);
        m_switched = placeClient(m_state, m_target, QString());
        workIn(m_state, m_target);
        m_result.outcome = TransferOutcome::Transferred;
    }

    // The messages of the run, shown once everything is released.
    void report()
    {
        for (const FileFailure& file : m_failures)
            m_result.failedFiles.append(file.name);
        if (const IoResult& failure = m_result.failure; !failure.ok) {
            if (failure.errorCode == EBUSY)
                m_state.dialogs.inform(DataFolderText::ConfirmTitle, TransferBusyMessage(m_source));
            else if (failure.errorCode == EREMCHG)
                m_state.dialogs.inform(DataFolderText::ConfirmTitle, MovedFolderMessage(failure.path));
            else
                m_state.dialogs.inform(DataFolderText::ErrorTitle,
                                       TransferNotStartedMessage(m_source, reasonOf(failure), failure.path));
            return;
        }
        for (const FileFailure& file : m_failures)
            m_state.dialogs.inform(DataFolderText::ConfirmTitle,
                                   CopyFailedMessage(file.name, file.differs ? CopyDiffersReason() : reasonOf(file.io)));
        if (m_result.outcome != TransferOutcome::Transferred) {
            m_state.dialogs.inform(DataFolderText::ConfirmTitle, TransferNotDoneMessage(m_source, m_result.copiesPending));
            return;
        }
        if (!m_switched)
            m_state.dialogs.inform(DataFolderText::ErrorTitle, SettingsWriteFailedMessage(m_switched));
        QString done = TransferCompleteMessage();
        if (!m_result.keptCopies.isEmpty())
            done = joinLines({done, ReplacedDataKeptMessage(backupFolder())});
        m_state.dialogs.inform(DataFolderText::ConfirmTitle, done);
    }

private:
    enum class Stage { NotCopied, CopiesPlaced, Committed };

    QString backupFolder() const { return m_target + DataFileName::OutputFolder + PathSeparator; }

    // Sets the stop of all clients in the source unless one is set; a stop this client set for a
    // transfer that did not end is its own.
    IoResult stopOtherClients()
    {
        const StopState stop = readStop(m_state);
        if (stop.on) {
            m_stopIsOurs = m_resuming && stopIsOurs(m_state, stop);
            return IoResult::success();
        }
        // Released, the lines read as they did before.
        m_stopRelease = {{SharedLine::StopAll, stop.flag}, {SharedLine::StopSetBy, stop.setBy}};
        const IoResult set = ChangeSharedSettings(
            m_state, {{SharedLine::StopAll, QStringLiteral("1")}, {SharedLine::StopSetBy, m_state.PcName}});
        m_stopIsOurs = bool(set);
        return set;
    }

    // Line 40 cleared: the client stays on the source as if nothing had begun.
    void forgetTarget()
    {
        RemoveTransferCopies(m_target);
        placeClient(m_state, m_source, QString());
        ReadSettingsFile(SharedSettingsPath(m_state), m_state.SharedSettings);
    }

    Stage copyUnderLocks()
    {
        TransferLockKeeper keeper;
        std::unique_ptr<LedgerLock> ledgerLock;
        std::unique_ptr<SharedSettingsLock> settingsLock;
        if (m_sourceWritable) {
            ledgerLock = std::make_unique<LedgerLock>(m_state);
            if (const IoResult taken = ledgerLock->take(); !taken) {
                m_result.failure = taken;
                return Stage::NotCopied;
            }
            settingsLock = std::make_unique<SharedSettingsLock>(m_state);
            if (const IoResult taken = settingsLock->take(); !taken) {
                m_result.failure = taken;
                return Stage::NotCopied;
            }
            keeper.add([&] { ledgerLock->keepAlive(); });
            keeper.add([&] { settingsLock->keepAlive(); });
        }
        // Clients that already work in the target wait while its files are replaced.
        FileLock targetLedgerLock(m_target + DataFileName::LedgerLock, QStringLiteral("the ledger lock"));
        FileLock targetSettingsLock(m_target + DataFileName::SharedSettingsLock, QStringLiteral("the settings lock"));
        for (FileLock* lock : {&targetLedgerLock, &targetSettingsLock}) {
            if (const IoResult taken = lock->take(); !taken) {
                m_result.failure = taken;
                return Stage::NotCopied;
            }
            keeper.add([lock] { lock->keepAlive(); });
        }
        if (m_hooks.busy)
            m_hooks.busy(true);

        RemoveTransferCopies(m_target); // what an earlier attempt left
        createSubFolders();
        const QStringList copied = copyFiles(keeper);
        if (!m_failures.isEmpty()) {
            RemoveTransferCopies(m_target);
            return Stage::NotCopied;
        }
        // The target's own files are kept before anything of them is replaced, unless the mark
        // says they are this transfer's copies already.
        const bool ownCopies = ReadTransferMark(m_target).has_value();
        if (m_replacing && !ownCopies && !keepTargetFiles(keeper)) {
            RemoveTransferCopies(m_target);
            return Stage::NotCopied;
        }
        if (const IoResult marked = WriteTransferMark(m_target, m_source, m_state.PcName, QDateTime::currentDateTime());
            !marked) {
            m_failures.append({DataFileName::TransferMark, marked});
            RemoveTransferCopies(m_target);
            return Stage::NotCopied;
        }
        if (!placeCopies(copied))
            return Stage::CopiesPlaced;
        if (m_sourceWritable) {
            if (const IoResult moved = WriteMovedMark(m_source, m_target, m_state.PcName, QDateTime::currentDateTime());
                !moved) {
                m_failures.append({DataFileName::MovedMark, moved});
                return Stage::CopiesPlaced;
            }
        }
        return Stage::Committed;
    }

    // "M在庫台帳", "M在庫資料", then "原本Excel" unless the target is the program folder or client
    // settings line 26 says otherwise. A folder that exists already is used as it is.
    void createSubFolders()
    {
        QStringList folders{DataFileName::OutputFolder, DataFileName::DocumentsFolder};
        if (!SameFolder(m_target, m_state.ClientFolder)
            && ReadNumber(m_state.ClientSettings[ClientLine::NoTemplateFolderOnTransfer]) == 0)
            folders.append(DataFileName::TemplateFolder);
        for (const QString& folder : folders) {
            errno = 0;
            if (!QFileInfo(m_target + folder).isDir() && !QDir().mkdir(m_target + folder))
                m_failures.append({folder, IoResult::failure(m_target + folder, errnoOr(EACCES),
                                                             QStringLiteral("cannot create the folder"))});
        }
    }

    // Every carried file the source has, and the source's shared settings, as checked copies
    // beside their places. Returns the names copied.
    QStringList copyFiles(TransferLockKeeper& keeper)
    {
        QList<CarriedFile> present;
        for (const CarriedFile& file : CarriedFiles()) {
            if (IsFileOrLink(m_source + file.name))
                present.append(file);
            else if (file.required)
                m_failures.append({file.name, IoResult::failure(m_source + file.name, ENOENT,
                                                                QStringLiteral("missing in the source"))});
        }
        m_sourceLacks.clear();
        for (const CarriedFile& file : CarriedFiles())
            if (!IsFileOrLink(m_source + file.name))
                m_sourceLacks.append(file.name);

        QStringList copied;
        const auto tick = [&keeper] { keeper.tick(); };
        for (int i = 0; i < present.size(); ++i) {
            const QString& name = present[i].name;
            if (m_hooks.progress)
                m_hooks.progress(i + 1, int(present.size()), name);
            keeper.tick();
            bool differs = false;
            if (const IoResult io = CopyChecked(m_source + name, TransferCopyPath(m_target, name), m_hooks.copyBytes, tick, differs);
                !io)
                m_failures.append({name, io, differs});
            else
                copied.append(name);
        }
        if (const IoResult settings = writeTargetSettings(); !settings)
            m_failures.append({SettingsFileName::Shared, settings});
        else
            copied.append(SettingsFileName::Shared);
        return copied;
    }

    // The source's shared settings as other clients left them, without the stop this transfer
    // set: the target starts as the source was.
    IoResult writeTargetSettings()
    {
        SettingsLines lines = SharedSettingsInFile(m_state);
        if (m_stopIsOurs) {
            for (const auto& [line, value] : m_stopRelease)
                lines[size_t(line)] = value;
        }
        for (int i = 1; i <= SettingsLineCount; ++i)
            lines[size_t(i)] = FieldText(lines[size_t(i)]);
        return WriteSettingsFile(TransferCopyPath(m_target, SettingsFileName::Shared), lines);
    }

    // A dated copy of each of the target's files that the transfer replaces or removes, in its
    // "M在庫台帳" folder: "Ma在庫品_置換前_20260410_093000.dat" and so on.
    bool keepTargetFiles(TransferLockKeeper& keeper)
    {
        const QString folder = backupFolder();
        const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_hhmmss"));
        const auto tick = [&keeper] { keeper.tick(); };
        for (const QString& name : TransferTargetNames()) {
            if (!IsFileOrLink(m_target + name))
                continue;
            const QFileInfo info(name);
            QString kept = folder + info.completeBaseName() + ReplacedFileMark + stamp;
            for (int n = 2; QFileInfo::exists(kept + u'.' + info.suffix()); ++n)
                kept = folder + info.completeBaseName() + ReplacedFileMark + stamp + u'_' + QString::number(n);
            kept += u'.' + info.suffix();
            bool differs = false;
            IoResult io = CopyChecked(m_target + name, kept + DataFileName::TransferCopySuffix, {}, tick, differs);
            if (io)
                io = ReplaceFileByRename(kept + DataFileName::TransferCopySuffix, kept);
            if (!io) {
                QFile::remove(kept + DataFileName::TransferCopySuffix);
                m_failures.append({name, io, differs});
                return false;
            }
            m_result.keptCopies.append(kept);
        }
        return true;
    }

    // The copies take their places; in a replaced target the files the source lacks go (they
    // were kept), and so does a mark saying the target's data had moved away.
    bool placeCopies(const QStringList& copied)
    {
        for (const QString& name : copied) {
            if (const IoResult placed = ReplaceFileByRename(TransferCopyPath(m_target, name), m_target + name); !placed) {
                m_failures.append({name, placed});
                return false;
            }
        }
        if (m_replacing) {
            for (const QString& name : std::as_const(m_sourceLacks))
                QFile::remove(m_target + name);
            QFile::remove(m_target + DataFileName::RolloverMark);
        }
        QFile::remove(m_target + DataFileName::MovedMark);
        return true;
    }

    AppState& m_state;
    const TransferHooks& m_hooks;
    TransferResult& m_result;
    const bool m_replacing;
    const bool m_resuming;
    const QString m_source;
    const QString m_target;
    bool m_sourceWritable = true;
    bool m_stopIsOurs = false;
    SharedSettingsChanges m_stopRelease = StopReleased;
    IoResult m_switched;
    QList<FileFailure> m_failures;
    QStringList m_sourceLacks;
};

TransferResult runTransfer(AppState& state, TransferResult result, bool replacing, const TransferHooks& hooks)
{
    result.copiesAccepted = true;
    const bool resuming = !FieldText(state.ClientSettings[ClientLine::TransferTarget]).isEmpty();
    TransferRun run(state, hooks, result, replacing, resuming);
    run.run();
    run.report();
    state.EditPending = false;
    return result;
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

LedgerFacts ReadLedgerFacts(const QString& folder)
{
    const QFileInfo info(folder + DataFileName::Ledger);
    LedgerFacts facts;
    facts.exists = info.isFile();
    if (facts.exists) {
        facts.items = RecordCountForLength(info.size());
        facts.modified = info.lastModified();
    }
    return facts;
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
    if (state.dialogs.askDefaultNo(DataFolderText::ConfirmTitle, TransferQuestion(result.source, result.target))
        != Dialogs::Answer::Yes)
        return refuse(TransferOutcome::Declined, QString());

    // A target that holds a ledger is in use already (another client transferred into it and
    // works there): it is registered as it is unless replacing it is confirmed on its own. Files
    // that an earlier transfer from this source left there (its mark says so) are its copies.
    const LedgerFacts targetLedger = ReadLedgerFacts(result.target);
    const std::optional<TransferMark> earlier = ReadTransferMark(result.target);
    const bool ownCopies = earlier && SameFolder(earlier->source, result.source);
    const bool replacing = targetLedger.exists && !ownCopies;
    if (replacing) {
        const QString question =
            TargetHoldsDataQuestion(result.source, ReadLedgerFacts(result.source), result.target, targetLedger);
        if (state.dialogs.ask(DataFolderText::ConfirmTitle, question) == Dialogs::Answer::Yes) {
            registerAsItIs(state, result.target);
            state.dialogs.inform(DataFolderText::ConfirmTitle, RegisteredWithoutCopyMessage(result.target));
            result.outcome = TransferOutcome::RegisteredWithoutCopy;
            return result;
        }
        const QString backupFolder = result.target + DataFileName::OutputFolder + PathSeparator;
        if (state.dialogs.askDefaultNo(DataFolderText::ConfirmTitle, ReplaceTargetQuestion(result.target, backupFolder))
            != Dialogs::Answer::Yes)
            return refuse(TransferOutcome::Declined, QString());
    } else if (state.dialogs.ask(DataFolderText::ConfirmTitle, CopyQuestion(result.source, result.target))
               != Dialogs::Answer::Yes) {
        registerAsItIs(state, result.target);
        state.dialogs.inform(DataFolderText::ConfirmTitle, RegisteredWithoutCopyMessage(result.target));
        result.outcome = TransferOutcome::RegisteredWithoutCopy;
        return result;
    }
    return runTransfer(state, result, replacing, hooks);
}

TransferResult FinishTransfer(AppState& state, const QString& source, const QString& target, const TransferHooks& hooks)
{
    TransferResult result;
    result.source = NormaliseFolder(source);
    result.target = NormaliseFolder(target);
    // The target's ledger is its own unless the transfer's mark says the copies reached it.
    const bool replacing = ReadLedgerFacts(result.target).exists && !ReadTransferMark(result.target);
    return runTransfer(state, result, replacing, hooks);
}

IoResult GiveUpTransfer(AppState& state, const QString& source, const QString& target)
{
    state.closeAllFiles();
    // A transfer mark stays: the copies that took their places are then known as this source's
    // when the transfer is made again.
    RemoveTransferCopies(target);
    state.DataFolder = NormaliseFolder(source);
    if (stopIsOurs(state, readStop(state)) && !MovedDataFolder(state.DataFolder))
        ChangeSharedSettings(state, StopReleased);
    const IoResult placed = placeClient(state, state.DataFolder, QString());
    workIn(state, state.DataFolder);
    return placed;
}

IoResult CompleteTransfer(AppState& state, const QString& source, const QString& target)
{
    state.closeAllFiles();
    state.DataFolder = NormaliseFolder(source);
    if (stopIsOurs(state, readStop(state)))
        ChangeSharedSettingsAfterMove(state, StopReleased);
    RemoveTransferMark(target);
    const IoResult placed = placeClient(state, NormaliseFolder(target), QString());
    workIn(state, NormaliseFolder(target));
    return placed;
}
