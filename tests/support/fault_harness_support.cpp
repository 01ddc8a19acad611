#include "support/fault_harness_support.h"

#include "storage/app_state.h"
#include "storage/ledger_file.h"
#include "storage/paths.h"
#include "storage/ledger_lock.h"
#include "storage/scripted_dialogs.h"
#include "storage/settings_files.h"
#include "storage/settings_lines.h"
#include "storage/vocabulary.h"
#include "support/temp_client_support.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>

FolderSnapshot TakeSnapshot(const QString& folder)
{
    FolderSnapshot snapshot;
    const QDir root(folder);
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        snapshot.insert(root.relativeFilePath(path), TempClient::readBytes(path));
    }
    return snapshot;
}

void CopyFolder(const QString& from, const QString& folder)
{
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    const QDir source(from);
    QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = folder + u'/' + source.relativeFilePath(path);
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::copy(path, target);
    }
}

WorkerRun RunFaultWorker(const QString& folder, const QString& operation, FaultMode mode, long at,
                         const QString& errnoName, const QStringList& extra)
{
    return RunWatchedWorker(QStringLiteral("tev-fault-op-worker"), folder, QStringList{folder, operation} + extra, mode,
                            at, errnoName);
}

WorkerRun RunWatchedWorker(const QString& program, const QString& watched, const QStringList& args, FaultMode mode,
                           long at, const QString& errnoName)
{
    QTemporaryDir countDir;
    const QString countFile = countDir.path() + QStringLiteral("/calls");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("TEV_CLIENT_FOLDER"));
    env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(TEV_FAULT_LIBRARY));
    // A sanitizer build wants its runtime first; the layer only wraps libc calls.
    env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("verify_asan_link_order=0:detect_leaks=0"));
    env.insert(QStringLiteral("TEV_FAULT_DIR"), watched);
    env.insert(QStringLiteral("TEV_FAULT_COUNT_FILE"), countFile);
    if (mode == FaultMode::Kill)
        env.insert(QStringLiteral("TEV_FAULT_KILL_AT"), QString::number(at));
    if (mode == FaultMode::DiskFull)
        env.insert(QStringLiteral("TEV_FAULT_DISK_FULL_AT"), QString::number(at));
    if (mode == FaultMode::Fail) {
        env.insert(QStringLiteral("TEV_FAULT_FAIL_AT"), QString::number(at));
        env.insert(QStringLiteral("TEV_FAULT_ERRNO"), errnoName);
    }
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(TEV_BIN_DIR "/") + program, args);
    WorkerRun run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        run.out = QStringLiteral("(the worker did not finish)");
        return run;
    }
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    if (process.exitStatus() != QProcess::NormalExit) {
        run.killed = true;
        return run;
    }
    run.exitCode = process.exitCode();
    const QByteArray counted = TempClient::readBytes(countFile).trimmed();
    run.calls = counted.isEmpty() ? -1 : counted.toLong();
    return run;
}

QList<long> SampleCalls(long total, int limit)
{
    QList<long> calls;
    if (total <= limit) {
        for (long n = 1; n <= total; ++n)
            calls.append(n);
        return calls;
    }
    for (int k = 0; k < limit; ++k) {
        const long n = 1 + (total - 1) * k / (limit - 1);
        if (calls.isEmpty() || calls.back() != n)
            calls.append(n);
    }
    return calls;
}

bool IsHarmlessLeftover(const QString& relativePath, const FolderSnapshot& before, const FolderSnapshot& after)
{
    static const QRegularExpression lock(QStringLiteral("^Ma在庫品(基礎)?\\.lck(/owner|\\.takeover)?$"));
    if (lock.match(relativePath).hasMatch() || relativePath == QStringLiteral("Ma在庫品仮.dat"))
        return true;
    static const QRegularExpression temporary(QStringLiteral("^(.+)\\.[A-Za-z0-9]{6}$"));
    const QRegularExpressionMatch match = temporary.match(relativePath);
    // The temporary file of a replacement whose removal the disk refused too: of a data file,
    // or of the rollover's working copy, which exists only while the rollover runs.
    return match.hasMatch()
        && (before.contains(match.captured(1)) || after.contains(match.captured(1))
            || match.captured(1) == QStringLiteral("Ma在庫品年度更新中.dat"));
}

QStringList CompareWithStates(const FolderSnapshot& now, const FolderSnapshot& before, const FolderSnapshot& after)
{
    QStringList problems;
    QStringList names = before.keys() + after.keys() + now.keys();
    names.removeDuplicates();
    for (const QString& name : names) {
        const bool inNow = now.contains(name);
        const bool inBefore = before.contains(name);
        const bool inAfter = after.contains(name);
        if (!inBefore && !inAfter) {
            if (!IsHarmlessLeftover(name, before, after))
                problems.append(name + QStringLiteral(": left behind"));
            continue;
        }
        if (!inNow) {
            if (inBefore && inAfter)
                problems.append(name + QStringLiteral(": missing"));
            continue;
        }
        const QByteArray& bytes = now[name];
        if (name == DataFileName::ChangeLog) {
            // The change log only grows, by whole lines that carry the time of their run: the old
            // content, then complete lines or nothing.
            const QByteArray old = inBefore ? before[name] : QByteArray();
            if (!bytes.startsWith(old) || (bytes.size() > old.size() && !bytes.endsWith("\r\n")))
                problems.append(name + QStringLiteral(": not the old log followed by whole lines (%1 bytes)").arg(bytes.size()));
            continue;
        }
        if (!(inBefore && bytes == before[name]) && !(inAfter && bytes == after[name]))
            problems.append(name + QStringLiteral(": neither the old nor the new content (%1 bytes)").arg(bytes.size()));
    }
    return problems;
}

QStringList DifferingFiles(const FolderSnapshot& now, const FolderSnapshot& state, const QStringList& paths)
{
    QStringList differing;
    for (const QString& path : paths)
        if (now.value(path) != state.value(path) || now.contains(path) != state.contains(path))
            differing.append(path);
    return differing;
}

QString SettleAsAStartDoes(AppState& state)
{
    if (const RolloverSettlement settled = SettleHalfDoneRolloverNow(state); !settled.io)
        return QStringLiteral("a half-done rollover cannot be settled: ") + settled.io.path + u' ' + settled.io.detail;
    return QString();
}

QString SettleAsAStartDoes(const QString& folder)
{
    ScriptedDialogs dialogs;
    AppState state(dialogs);
    state.ClientFolder = NormaliseFolder(folder);
    state.suppressRecovery = true;
    ReadClientSettings(state);
    state.DataFolder = NormaliseFolder(state.ClientSettings[ClientLine::DataFolder]);
    ReadSharedSettings(state);
    return SettleAsAStartDoes(state);
}

QString CheckFreshStart(const QString& folder)
{
    ScriptedDialogs dialogs;
    AppState state(dialogs);
    state.ClientFolder = NormaliseFolder(folder);
    state.suppressRecovery = true;
    if (!ReadClientSettings(state))
        return QStringLiteral("the client settings cannot be read");
    state.DataFolder = NormaliseFolder(state.ClientSettings[ClientLine::DataFolder]);
    if (!ReadSharedSettings(state))
        return QStringLiteral("the shared settings cannot be read");
    if (const QString settled = SettleAsAStartDoes(state); !settled.isEmpty())
        return settled;
    if (!ReadVocabularyLists(state))
        return QStringLiteral("the word lists cannot be read");
    {
        LedgerCloser closer(state);
        if (!OpenLedger(state))
            return QStringLiteral("the ledger cannot be opened");
    }
    QProcess verify;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("TEV_CLIENT_FOLDER"));
    verify.setProcessEnvironment(env);
    verify.start(QStringLiteral(TEV_BIN_DIR "/tev-cli"), {QStringLiteral("--client-folder"), folder, QStringLiteral("verify")});
    if (!verify.waitForFinished(60000))
        return QStringLiteral("tev-cli verify did not finish");
    const QString out = QString::fromUtf8(verify.readAllStandardOutput()).trimmed();
    if (verify.exitStatus() != QProcess::NormalExit || verify.exitCode() != 0 || out != QStringLiteral("ok"))
        return QStringLiteral("tev-cli verify: ") + out + u' ' + QString::fromUtf8(verify.readAllStandardError());
    return QString();
}
