#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QtTest>
#include <csignal>
#include <optional>

#include "app/atomicfile.h"
#include "app/errorreport.h"
#include "testsupport.h"

namespace {
// Makes writes beyond the given size fail (EFBIG), like a disk that fills up.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

// Makes a folder unwritable, for root too (immutable flag).
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& path) : m_path(QFile::encodeName(path)) {
        ::chmod(m_path.constData(), 0500);
        m_immutable = ::geteuid() == 0 && setImmutable(true);
    }
    ~ReadOnlyFolder() {
        if (m_immutable) setImmutable(false);
        ::chmod(m_path.constData(), 0700);
    }
    bool writable() const { return ::access(m_path.constData(), W_OK) == 0; }

private:
    bool setImmutable(bool on) {
        const int fd = ::open(m_path.constData(), O_RDONLY | O_DIRECTORY);
        int flags = 0;
        bool done = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        if (fd >= 0) ::close(fd);
        return done;
    }

    QByteArray m_path;
    bool m_immutable = false;
};
}  // namespace

class TestAtomicFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void failureKeepsTheOldFileAndNamesTheCause_data() {
        QTest::addColumn<QString>("name");  // in the temporary folder, or absolute
        QTest::addColumn<QString>("cause");
        QTest::newRow("disk full") << "/dev/full"
                                   << "Der Datenträger ist voll.";
        QTest::newRow("file too large") << "LIMIT.XML"
                                        << "(Error 27) ";
        QTest::newRow("missing folder") << "FEHLT/NEU.XML"
                                        << "Das Verzeichnis existiert nicht.";
        QTest::newRow("read-only folder") << "NUR/SYSDATA.INI"
                                          << "Keine Berechtigung zum Schreiben.";
    }
    void failureKeepsTheOldFileAndNamesTheCause() {
        QFETCH(QString, name);
        QFETCH(QString, cause);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("NUR"));
        const QString path = QDir::isAbsolutePath(name) ? name : dir.filePath(name);
        const QString folder = QFileInfo(path).path();
        const bool old = QFileInfo(folder).isDir() && folder != QLatin1String("/dev");
        if (old) WriteFileBytes(path, "alt");
        const QStringList before = QDir(folder).entryList(QDir::Files);
        std::optional<ReadOnlyFolder> readOnly;
        if (name.startsWith("NUR") && readOnly.emplace(folder).writable())
            QSKIP("cannot make a folder read-only here");
        try {
            const FileSizeLimit limit(name == QLatin1String("LIMIT.XML") ? 1000 : RLIM_INFINITY);
            WriteFileAtomically(path, QByteArray(200000, 'x'));
            QFAIL("no error");
        } catch (const EKwpError& error) {
            const QString expected = "Kann Datei \"" + path + "\" nicht schreiben: " + cause;
            QVERIFY2(error.message().startsWith(expected), qPrintable(error.message()));
        }
        if (old) QCOMPARE(ReadFileBytes(path), QByteArray("alt"));
        QCOMPARE(QDir(folder).entryList(QDir::Files), before);
    }

    // Through a link the file it names is replaced; its permissions stay.
    void replacesTheFileBehindALinkAndKeepsItsPermissions() {
        QTemporaryDir dir;
        const QString target = dir.filePath("DTAUS0.TXT");
        const QString link = dir.filePath("AKTUELL.TXT");
        WriteFileBytes(target, "alt");
        QCOMPARE(::chmod(QFile::encodeName(target).constData(), 0640), 0);
        QVERIFY(QFile::link(target, link));
        WriteFileAtomically(link, "neu");
        QCOMPARE(ReadFileBytes(target), QByteArray("neu"));
        QVERIFY(QFileInfo(link).isSymLink());
        struct stat written {};
        QCOMPARE(::stat(QFile::encodeName(target).constData(), &written), 0);
        QCOMPARE(written.st_mode & 0777, 0640u);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::System),
                 QStringList({"AKTUELL.TXT", "DTAUS0.TXT"}));
    }
};

KWP_REGISTER_TEST(TestAtomicFile)
#include "tst_atomicfile.moc"
