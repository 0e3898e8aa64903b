#include "app/atomicfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/errorreport.h"
#include "app/format.h"
#include "app/translation.h"

namespace {
constexpr qsizetype atomicFileChunk = 64 * 1024;

QString causeOf(int code) {
    switch (code) {
        case ENOSPC:
        case EDQUOT:
            return _("Der Datenträger ist voll.");
        case EACCES:
        case EPERM:
            return _("Keine Berechtigung zum Schreiben.");
        case EROFS:
            return _("Der Datenträger ist schreibgeschützt.");
        case ENOENT:
        case ENOTDIR:
            return _("Das Verzeichnis existiert nicht.");
        default:
            return _("(Error %1) %2").arg(code).arg(QString::fromLocal8Bit(std::strerror(code)));
    }
}

// The file a symbolic link stands for is replaced, not the link.
QString resolvedTarget(const QString& fileName) {
    const QFileInfo info(fileName);
    if (info.isSymLink()) {
        const QString target = info.canonicalFilePath();
        if (!target.isEmpty()) return target;
    }
    return info.absoluteFilePath();
}
}  // namespace

QString FileWriteErrorText(const QString& fileName, int code) {
    return FormatStr(_("Kann Datei \"%s\" nicht schreiben: %s"), {fileName, causeOf(code)});
}

TAtomicFile::TAtomicFile(const QString& fileName) : m_fileName(fileName) {}

TAtomicFile::~TAtomicFile() {
    discard();
}

QString TAtomicFile::errorMessage() const {
    return m_error == 0 ? QString() : FileWriteErrorText(m_fileName, m_error);
}

void TAtomicFile::fail(int code) {
    m_error = code;
    discard();
    throw EKwpError(errorMessage());
}

void TAtomicFile::discard() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    if (!m_temporary.isEmpty()) ::unlink(m_temporary.constData());
    m_temporary.clear();
    m_buffer.clear();
    if (isOpen()) QIODevice::close();
}

void TAtomicFile::Open() {
    discard();
    m_error = 0;
    m_target = QFile::encodeName(resolvedTarget(m_fileName));
    struct stat old {};
    const bool existed = ::stat(m_target.constData(), &old) == 0;
    if (existed && !S_ISREG(old.st_mode)) {
        m_fd = ::open(m_target.constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        if (m_fd < 0) fail(errno);
    } else {
        for (int attempt = 0; m_fd < 0; ++attempt) {
            m_temporary =
                m_target + ".~" + QByteArray::number(QRandomGenerator::global()->generate(), 36);
            m_fd = ::open(m_temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (m_fd < 0) {
                const int code = errno;
                m_temporary.clear();
                if (code != EEXIST || attempt > 100) fail(code);
            }
        }
        if (existed) {
            // The new file keeps the old one's permissions and, where we may, its owner.
            ::fchmod(m_fd, old.st_mode & 07777);
            if (::fchown(m_fd, old.st_uid, old.st_gid) != 0) {
                // Only root may give a file away; the file then belongs to us.
            }
        }
    }
    QIODevice::open(QIODevice::WriteOnly);
}

qint64 TAtomicFile::readData(char*, qint64) {
    return -1;
}

qint64 TAtomicFile::writeData(const char* data, qint64 size) {
    if (m_error != 0 || m_fd < 0) return -1;
    m_buffer.append(data, size);
    if (m_buffer.size() >= atomicFileChunk && !flushBuffer()) return -1;
    return size;
}

bool TAtomicFile::flushBuffer() {
    const char* data = m_buffer.constData();
    qsizetype left = m_buffer.size();
    while (left > 0) {
        const ssize_t written = ::write(m_fd, data, size_t(left));
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            m_error = written < 0 ? errno : ENOSPC;
            setErrorString(causeOf(m_error));
            return false;
        }
        data += written;
        left -= written;
    }
    m_buffer.clear();
    return true;
}

void TAtomicFile::Commit() {
    if (m_fd < 0) fail(m_error != 0 ? m_error : EBADF);
    if (m_error != 0 || !flushBuffer()) fail(m_error);
    // Devices cannot be synced; a regular file must be on the disk before it replaces the old.
    if (!m_temporary.isEmpty() && ::fsync(m_fd) != 0) fail(errno);
    const int fd = m_fd;
    m_fd = -1;
    // Network file systems may report a failed write only here.
    if (::close(fd) != 0) fail(errno);
    if (!m_temporary.isEmpty()) {
        if (std::rename(m_temporary.constData(), m_target.constData()) != 0) fail(errno);
        m_temporary.clear();
        // The new name must survive a crash too.
        const QByteArray dir = QFile::encodeName(QFileInfo(QFile::decodeName(m_target)).path());
        const int dirFd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dirFd >= 0) {
            ::fsync(dirFd);
            ::close(dirFd);
        }
    }
    QIODevice::close();
}

void WriteFileAtomically(const QString& fileName, const QByteArray& content) {
    TAtomicFile file(fileName);
    file.Open();
    if (file.write(content) != content.size()) throw EKwpError(file.errorMessage());
    file.Commit();
}
