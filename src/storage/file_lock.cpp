#include "storage/file_lock.h"

#include "storage/platform_file.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <QSysInfo>
#include <QThread>

#include <cerrno>
#include <condition_variable>
#include <mutex>
#include <thread>

#ifndef Q_OS_WIN
#include <csignal>
#include <sys/types.h>
#include <unistd.h>
#endif

namespace {

constexpr int LockWaitMs = 20000;
constexpr int PollMs = 100;
// A client writes its lock file's contents right after creating it; a lock file that stays
// empty this long belongs to a client that ended in between (or one that could only empty it on
// release, where the server refused the removal).
constexpr int AbandonedLockMs = 2000;
// A file server refuses to remove a file that another client has open for a moment (a waiter
// reading it): the removal is tried again for this long.
constexpr int RemoveRetryMs = 3000;

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// Removes a closed file or an empty folder, trying again while a file server refuses because
// another client has it open for a moment (EBUSY); any other refusal is final at once. ENOTEMPTY
// when a folder holds something.
IoResult removeWithRetry(const QString& path)
{
    QElapsedTimer tried;
    tried.start();
    for (;;) {
        const QFileInfo info(path);
        if (!info.exists() && !info.isSymLink())
            return IoResult::success();
        IoResult removed = IoResult::success();
        if (info.isDir() && !info.isSymLink()) {
            removed = RemoveEmptyFolder(path);
        } else {
#ifdef Q_OS_WIN
            if (!QFile::remove(path) && QFileInfo::exists(path))
                removed = IoResult::failure(path, EBUSY, QStringLiteral("cannot remove the file"));
#else
            if (::unlink(QFile::encodeName(path).constData()) != 0 && errno != ENOENT)
                removed = IoResult::failure(path, errno, QStringLiteral("cannot remove the file"));
#endif
        }
        if (removed || removed.errorCode == ENOENT)
            return IoResult::success();
        if (removed.errorCode != EBUSY || tried.elapsed() >= RemoveRetryMs)
            return removed;
        QThread::msleep(20);
    }
}

// The lock files this process holds now, by their contents. A file that names this process but
// is none of them was left by a release the file system refused: it is this process's own
// leftover, not a lock of another thread.
class HeldLocks {
public:
    static void add(const QByteArray& contents)
    {
        std::lock_guard<std::mutex> guard(mutex());
        set().insert(contents);
    }
    static void remove(const QByteArray& contents)
    {
        std::lock_guard<std::mutex> guard(mutex());
        set().remove(contents);
    }
    static bool contains(const QByteArray& contents)
    {
        std::lock_guard<std::mutex> guard(mutex());
        return set().contains(contents);
    }

private:
    static std::mutex& mutex()
    {
        static std::mutex held;
        return held;
    }
    static QSet<QByteArray>& set()
    {
        static QSet<QByteArray> held;
        return held;
    }
};

struct Owner {
    qint64 pid = 0;
    QString host;
};

Owner ownerOf(const QByteArray& contents)
{
    const QList<QByteArray> lines = contents.split('\n');
    Owner owner;
    if (lines.size() >= 3) {
        owner.pid = lines[0].toLongLong();
        owner.host = QString::fromUtf8(lines[2]);
    }
    return owner;
}

bool processIsGone(qint64 pid)
{
#ifdef Q_OS_WIN
    Q_UNUSED(pid);
    return false; // decided by the stale time
#else
    return pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
#endif
}

// What a waiter watches of a lock file: a holder that lives changes it every few seconds.
struct Seen {
    bool exists = false;
    qint64 size = -1;
    QDateTime modified;
    bool operator==(const Seen&) const = default;
};

Seen look(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    return {true, info.size(), info.lastModified()};
}

// Where the owner of the lock at `path` is written: the file inside the lock folder; a plain file
// in the lock's place is the lock of an earlier version of this program, which wrote the same
// lines into the lock file itself.
QString ownerPathOf(const QString& path)
{
    const QFileInfo place(path);
    return place.isDir() && !place.isSymLink() ? FileLock::ownerFileOf(path) : path;
}

// True when the folder holds something that no lock puts there (a folder somebody made).
bool holdsMoreThanAnOwner(const QString& path)
{
    const QStringList names = QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    return names.size() > 1 || (names.size() == 1 && names.first() != FileLock::OwnerFileName);
}

// Removes a lock: its owner file, then the folder (or the plain file of an earlier version).
IoResult removeLock(const QString& path)
{
    const QFileInfo place(path);
    if (place.isDir() && !place.isSymLink()) {
        if (const IoResult owner = removeWithRetry(FileLock::ownerFileOf(path)); !owner)
            return owner;
    }
    return removeWithRetry(path);
}

bool tellingError(int code)
{
    return code == ENOSPC || code == EDQUOT || code == EACCES || code == EPERM || code == EROFS || code == EIO;
}

// Watches one file on this process's own clock: how long it has stayed as it was.
class Watch {
public:
    void see(const Seen& now)
    {
        if (!m_timer.isValid() || !(now == m_last)) {
            m_last = now;
            m_timer.start();
        }
    }
    qint64 unchangedMs() const { return m_timer.isValid() ? m_timer.elapsed() : 0; }
    void forget() { m_timer.invalidate(); }

private:
    Seen m_last;
    QElapsedTimer m_timer;
};

} // namespace

// Touches the lock's owner file every RefreshMs while the lock is held.
struct FileLock::Refresher {
    explicit Refresher(const QString& path)
        : thread([this, path] {
              std::unique_lock<std::mutex> held(mutex);
              while (!stop.wait_for(held, std::chrono::milliseconds(RefreshMs), [this] { return stopping; })) {
                  QFile file(path);
                  if (file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
                      file.setFileTime(QDateTime::currentDateTimeUtc(), QFileDevice::FileModificationTime);
              }
          })
    {
    }
    ~Refresher()
    {
        {
            std::lock_guard<std::mutex> held(mutex);
            stopping = true;
        }
        stop.notify_all();
        thread.join();
    }
    std::mutex mutex;
    std::condition_variable stop;
    bool stopping = false;
    std::thread thread;
};

FileLock::FileLock(const QString& path, const QString& what) : m_path(path), m_what(what) {}

FileLock::~FileLock()
{
    release();
}

bool FileLock::isLocked() const
{
    return !m_contents.isEmpty();
}

IoResult FileLock::take()
{
    if (isLocked())
        return IoResult::success();
    m_takenOverFrom.clear();
    // A link in the lock's place is never another client's lock: it would keep every writer
    // waiting for good. Say what is there instead.
    if (QFileInfo(m_path).isSymLink())
        return IoResult::failure(m_path, ELOOP, m_what + QStringLiteral(" is a symbolic link"));

    const QString host = QSysInfo::machineHostName();
    const QByteArray contents = QByteArray::number(QCoreApplication::applicationPid()) + '\n'
        + QCoreApplication::applicationName().toUtf8() + '\n' + host.toUtf8() + '\n'
        + QByteArray::number(QRandomGenerator::system()->generate64(), 16) + '\n';
    const QString takeoverPath = m_path + QStringLiteral(".takeover");
    const QString ownerPath = ownerFileOf(m_path);

    QElapsedTimer waited;
    waited.start();
    Watch lockWatch;
    Watch takeoverWatch;
    QByteArray ownerSeen;      // the owner's lines as last read
    Seen ownerSeenAt;          // and the state of the owner file when they were read
    QString takingOverFrom;
    int vanished = 0;
    for (;;) {
        const IoResult made = MakeFolderExclusively(m_path);
        if (made) {
            QFile owner(ownerPath);
            errno = 0;
            const bool written = owner.open(QIODevice::WriteOnly | QIODevice::Truncate)
                && owner.write(contents) == contents.size() && owner.flush();
            const int code = errno;
            owner.close();
            if (!written || owner.error() != QFileDevice::NoError) {
                removeLock(m_path);
                return IoResult::failure(m_path, tellingError(code) ? code : EIO, m_what + QStringLiteral(" cannot be created"));
            }
            m_contents = contents;
            HeldLocks::add(contents);
            m_takenOverFrom = takingOverFrom;
            m_refresher = std::make_unique<Refresher>(ownerPath);
            return IoResult::success();
        }
        const QFileInfo place(m_path);
        if (!place.exists()) {
            if (place.isSymLink())
                return IoResult::failure(m_path, ELOOP, m_what + QStringLiteral(" is a symbolic link"));
            // Another client's lock that went in between is tried again at once, a few times;
            // otherwise the lock cannot be made here (a missing folder, a full disk, a folder
            // without write permission).
            if (made.errorCode == EEXIST && ++vanished < 100)
                continue;
            const int code = made.errorCode;
            // A file server refuses for a moment while another client's lock folder is being
            // removed (its delete is pending): tried again within the wait.
            if ((code == EBUSY || code == EIO || code == EINVAL) && waited.elapsed() < LockWaitMs) {
                QThread::msleep(PollMs);
                continue;
            }
            return IoResult::failure(m_path, tellingError(code) || code == ENOENT ? code : EIO,
                                     m_what + QStringLiteral(" cannot be created"));
        }
        if (place.isSymLink())
            return IoResult::failure(m_path, ELOOP, m_what + QStringLiteral(" is a symbolic link"));
        if (!place.isDir() && !place.isFile()) {
            // Looked at while its holder removed it: try again; a device or a pipe stays.
            const QFileInfo again(m_path);
            if (!again.exists() && ++vanished < 100)
                continue;
            if (!again.isDir() && !again.isFile())
                return IoResult::failure(m_path, EINVAL, m_what + QStringLiteral(" is not a file"));
        }

        const QString seenOwnerPath = ownerPathOf(m_path);
        const Seen now = look(seenOwnerPath);
        // Read only when the owner is missing: every look costs a round trip on a file server.
        if (!now.exists && place.isDir() && holdsMoreThanAnOwner(m_path))
            return IoResult::failure(m_path, EISDIR, m_what + QStringLiteral(" is a folder that is not a lock"));
        lockWatch.see(now);
        if (!(now == ownerSeenAt)) {
            ownerSeen = readAll(seenOwnerPath);
            ownerSeenAt = now;
        }
        const Owner owner = ownerOf(ownerSeen);
        // A lock folder without its owner's lines (a client that ended between the two steps, or
        // a release the server refused) is abandoned after a short while.
        const bool abandoned = now.size <= 0 && lockWatch.unchangedMs() >= AbandonedLockMs;
        const bool thisHost = !ownerSeen.isEmpty() && owner.host == host;
        const bool endedHere = thisHost
            && (owner.pid == QCoreApplication::applicationPid() ? !HeldLocks::contains(ownerSeen)
                                                                : processIsGone(owner.pid));
        const bool stale = lockWatch.unchangedMs() >= StaleMs;
        if (abandoned || endedHere || stale) {
            // One waiter at a time takes a dead lock over, under a second lock (a folder too),
            // and only the very lock it judged: a fresh lock that another waiter made meanwhile
            // stays.
            const IoResult guarded = MakeFolderExclusively(takeoverPath);
            if (guarded) {
                if (look(ownerPathOf(m_path)) == now && readAll(ownerPathOf(m_path)) == ownerSeen) {
                    const IoResult removed = removeLock(m_path);
                    if (!removed && removed.errorCode == ENOTEMPTY) {
                        removeWithRetry(takeoverPath);
                        return IoResult::failure(m_path, EISDIR, m_what + QStringLiteral(" is a folder that is not a lock"));
                    }
                    if (removed) {
                        takingOverFrom = owner.host.isEmpty()
                            ? QString()
                            : QStringLiteral("%1 (%2)").arg(owner.host).arg(owner.pid);
                        lockWatch.forget();
                    }
                }
                removeWithRetry(takeoverPath);
                continue;
            }
            const int code = guarded.errorCode;
            if (!QFileInfo::exists(takeoverPath) && code != EEXIST) {
                // The folder refuses new entries: the lock could not be made here either.
                return IoResult::failure(m_path, tellingError(code) ? code : EIO, m_what + QStringLiteral(" cannot be created"));
            }
            // A waiter that ended while taking over leaves its guard behind.
            takeoverWatch.see(look(takeoverPath));
            if (takeoverWatch.unchangedMs() >= AbandonedLockMs) {
                removeWithRetry(takeoverPath);
                takeoverWatch.forget();
            }
        }
        if (waited.elapsed() >= LockWaitMs)
            return IoResult::failure(m_path, EBUSY, m_what + QStringLiteral(" is held by another client"));
        QThread::msleep(PollMs);
    }
}

void FileLock::release()
{
    if (!isLocked())
        return;
    m_refresher.reset();
    const QString ownerPath = ownerFileOf(m_path);
    // Only this holder's own lock goes: after a long stall another client may have taken the
    // lock over.
    if (readAll(ownerPath) == m_contents && !removeLock(m_path)) {
        // The server keeps refusing the removal: an owner file emptied (or gone, with the folder
        // left) is taken over by the next client after a short while, instead of the stale time.
        QFile file(ownerPath);
        if (file.exists() && file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.close();
    }
    HeldLocks::remove(m_contents);
    m_contents.clear();
}

void FileLock::keepAlive()
{
    if (!isLocked())
        return;
    // Opened without truncating: the owner's details in the file stay as they are.
    QFile file(ownerFileOf(m_path));
    if (file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        file.setFileTime(QDateTime::currentDateTimeUtc(), QFileDevice::FileModificationTime);
}

QString FileLock::ownerFileOf(const QString& path)
{
    return path + u'/' + OwnerFileName;
}

QString LockTakenOverNotice(const QString& what, const QString& owner)
{
    return QStringLiteral("　%1のロックを引き継ぎました。").arg(what) + u'\r'
        + QStringLiteral("　端末 %1 のロックが、終了したか応答のなくなった処理のまま残っていました。").arg(owner) + u'\r'
        + QStringLiteral("　その端末の作業が途中で止まっていないか確認して下さい。");
}
