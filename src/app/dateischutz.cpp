#include "app/dateischutz.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QThread>
#include <cerrno>
#include <cstring>
#include <mutex>

#include "app/clock.h"
#include "app/errorreport.h"
#include "app/format.h"
#include "app/translation.h"

namespace {
constexpr int lockFileChars = 500;

// Classic fcntl locks belong to the process: a second object of the same process would get
// the lock too, and closing any descriptor of the file would drop it. Held files are therefore
// listed here (with their text for waiters) and not opened a second time by our lock objects.
std::mutex registryMutex;
QHash<QString, QString>& heldFiles() {
    static QHash<QString, QString> files;
    return files;
}

// One name per file, also when it is reached through a different relative path or link.
QString registryKeyOf(const QString& fileName) {
    const QFileInfo info(fileName);
    const QString dir = info.absoluteDir().canonicalPath();
    return (dir.isEmpty() ? info.absolutePath() : dir) + QLatin1Char('/') + info.fileName();
}

[[noreturn]] void throwSystemError(int code) {
    throw EKwpError(_("(Error %1) %2").arg(code).arg(QString::fromLocal8Bit(std::strerror(code))));
}

QString holderTextOf(const QString& holderText) {
    QString text = holderText + QStringLiteral(" (") + DateTimeToStr(Now()) + QLatin1Char(')');
    if (text.size() > lockFileChars) text.truncate(lockFileChars);
    return text.leftJustified(lockFileChars, QLatin1Char(' '));
}

QByteArray toUtf16Le(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size() * 2);
    for (const QChar c : text) {
        bytes.append(char(c.unicode() & 0xff));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

// Open-file-description locks, where the kernel has them: unlike classic fcntl locks they are
// not dropped when this process closes some other descriptor of the file (any reader of it).
// Both kinds reach NFS servers through the lock manager.
bool lockWholeFile(int fd) {
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    if (fcntl(fd, F_OFD_SETLK, &fl) == 0) return true;
    if (errno != EINVAL) return false;
    fl = {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    return fcntl(fd, F_SETLK, &fl) == 0;
}

// Whether some process holds a lock on the file; it needs to be readable only.
bool lockedByAnyone(const QByteArray& path) {
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    int result = fcntl(fd, F_OFD_GETLK, &fl);
    if (result != 0 && errno == EINVAL) {
        fl = {};
        fl.l_type = F_WRLCK;
        fl.l_whence = SEEK_SET;
        result = fcntl(fd, F_GETLK, &fl);
    }
    ::close(fd);
    return result == 0 && fl.l_type != F_UNLCK;
}

[[noreturn]] void throwForeignLockFile(const QString& fileName) {
    const QFileInfo info(fileName);
    const QString owner = info.owner().isEmpty() ? QString::number(info.ownerId()) : info.owner();
    throw EKwpError(FormatStr(_("Die Sperrdatei \"%s\" gehört dem Benutzer \"%s\" und darf von "
                                "Ihnen nicht überschrieben werden."),
                              {fileName, owner}));
}

bool sameFile(int fd, const QByteArray& path) {
    struct stat held {};
    struct stat named {};
    if (fstat(fd, &held) != 0 || stat(path.constData(), &named) != 0) return false;
    return held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}
}  // namespace

TDateischutz::TDateischutz() = default;

TDateischutz::~TDateischutz() {
    Unlock();
}

QByteArray TDateischutz::LockFileContent(const QString& holderText) {
    return toUtf16Le(holderTextOf(holderText));
}

TDateischutz::TryResult TDateischutz::tryCreate(const QString& holderText) {
    const std::lock_guard guard(registryMutex);
    if (heldFiles().contains(m_registryKey)) return TryResult::Busy;
    const QByteArray path = QFile::encodeName(m_lockName);
    int foreignChecks = 0;
    for (;;) {
        const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0) {
            const int code = errno;
            if ((code != EACCES && code != EPERM) || ::access(path.constData(), F_OK) != 0)
                throwSystemError(code);
            // A file of another user that we may not write: busy while its holder keeps it
            // locked, but left behind it would block us for ever. A holder that just created
            // it makes it writable for everybody a moment later.
            if (lockedByAnyone(path)) return TryResult::Busy;
            if (++foreignChecks < 10) {
                QThread::msleep(10);
                continue;
            }
            throwForeignLockFile(m_lockName);
        }
        if (!lockWholeFile(fd)) {
            const int code = errno;
            ::close(fd);
            if (code == EAGAIN || code == EACCES) return TryResult::Busy;
            throwSystemError(code);
        }
        // The previous holder deletes the file before it lets go; a lock on a deleted file
        // protects nothing, so start over with the file the name now stands for.
        if (!sameFile(fd, path)) {
            ::close(fd);
            continue;
        }
        // Other users' programs must be able to take the file over once it is released.
        fchmod(fd, 0666);
        const QString text = holderTextOf(holderText);
        const QByteArray content = toUtf16Le(text);
        if (ftruncate(fd, 0) != 0 ||
            pwrite(fd, content.constData(), size_t(content.size()), 0) != content.size() ||
            fdatasync(fd) != 0) {
            const int code = errno;
            ::unlink(path.constData());
            ::close(fd);
            throwSystemError(code);
        }
        m_handle = fd;
        heldFiles().insert(m_registryKey, text);
        return TryResult::Locked;
    }
}

QString TDateischutz::readHolderText() const {
    const std::lock_guard guard(registryMutex);
    const auto held = heldFiles().constFind(m_registryKey);
    if (held != heldFiles().constEnd()) return held->trimmed();
    const int fd = ::open(QFile::encodeName(m_lockName).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        // Released in the meantime: nothing to show.
        if (errno == ENOENT) return {};
        throwSystemError(errno);
    }
    QByteArray bytes(lockFileChars * 2, '\0');
    const ssize_t n = ::read(fd, bytes.data(), size_t(bytes.size()));
    ::close(fd);
    if (n < 0) return {};
    bytes.truncate(n & ~ssize_t(1));
    QString text;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        text.append(QChar(char16_t(uchar(bytes[i]) | (uchar(bytes[i + 1]) << 8))));
    return text.trimmed();
}

bool TDateischutz::Lock(const QString& fileName, const QString& holderText,
                        TLockWaitText waitText) {
    Unlock();
    m_cancelled = false;
    // Linux file names are case sensitive: the name is used as it is.
    m_lockName = fileName;
    m_registryKey = registryKeyOf(fileName);
    if (tryCreate(holderText) == TryResult::Locked) return true;

    const QString shown = waitText == TLockWaitText::Own ? holderText : readHolderText();
    m_onPoll = nullptr;
    if (m_onWait)
        m_onPoll = m_onWait(
            shown, [this] { Cancel(); }, *this);
    for (;;) {
        if (tryCreate(holderText) == TryResult::Locked) break;
        if (m_cancelled) {
            m_onPoll = nullptr;
            return false;
        }
        QThread::msleep(10);
        if (m_onPoll) m_onPoll();
    }
    m_onPoll = nullptr;
    if (m_settleDelay > 0) QThread::msleep(ulong(m_settleDelay));
    return true;
}

void TDateischutz::Unlock() {
    if (m_handle < 0) return;
    const std::lock_guard guard(registryMutex);
    const QByteArray path = QFile::encodeName(m_lockName);
    // Delete first, then let go: a waiter's next create then makes a fresh file. Only our own
    // file is deleted, never one someone else made under the same name.
    if (sameFile(m_handle, path)) ::unlink(path.constData());
    ::close(m_handle);
    m_handle = -1;
    heldFiles().remove(m_registryKey);
}

IWaitWindow::~IWaitWindow() = default;

namespace {
TWaitWindowFactory& waitWindowFactory() {
    static TWaitWindowFactory factory;
    return factory;
}
}  // namespace

void SetWaitWindowFactory(TWaitWindowFactory factory) {
    waitWindowFactory() = std::move(factory);
}

TDateischutzWF::TDateischutzWF() {
    m_lock.setOnWait([this](const QString& text, std::function<void()> cancel, TDateischutz&) {
        TPollProc poll;
        if (waitWindowFactory()) {
            m_window = waitWindowFactory()(text, std::move(cancel), m_waitCursor);
            if (m_window) poll = [window = m_window.get()] { window->poll(); };
        }
        return poll;
    });
}

TDateischutzWF::~TDateischutzWF() = default;

bool TDateischutzWF::Lock(const QString& fileName, const QString& holderText,
                          TLockWaitText waitText, TWaitCursor waitCursor) {
    m_waitCursor = waitCursor == TWaitCursor::Show;
    struct WindowRelease {
        std::unique_ptr<IWaitWindow>& window;
        ~WindowRelease() { window.reset(); }
    } release{m_window};
    return m_lock.Lock(fileName, holderText, waitText);
}
