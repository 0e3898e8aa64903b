#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

// A file written under a temporary name beside its target and renamed over it only when every
// byte is on the disk, so a failure or a crash leaves the old file as it was. A target that is
// a device (/dev/null, a terminal) is written directly. Every failure throws EKwpError with
// the file name and the cause ("Kann Datei ... nicht schreiben: Der Datenträger ist voll.").
class TAtomicFile : public QIODevice {
public:
    explicit TAtomicFile(const QString& fileName);
    // Discards a file that was not committed.
    ~TAtomicFile() override;
    TAtomicFile(const TAtomicFile&) = delete;
    TAtomicFile& operator=(const TAtomicFile&) = delete;

    // Creates the temporary file and opens the device for writing.
    void Open();
    // Writes what is buffered, syncs, closes and puts the file in place.
    void Commit();
    const QString& fileName() const { return m_fileName; }
    // The message for the first failure, empty while there was none.
    QString errorMessage() const;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    bool flushBuffer();
    [[noreturn]] void fail(int code);
    void discard();

    QString m_fileName;
    QByteArray m_target;
    QByteArray m_temporary;  // empty when the target is written directly
    QByteArray m_buffer;
    int m_fd = -1;
    int m_error = 0;
};

// Writes content as a whole through TAtomicFile; throws EKwpError.
void WriteFileAtomically(const QString& fileName, const QByteArray& content);
// "Kann Datei ... nicht schreiben: " and the cause of the system error code.
QString FileWriteErrorText(const QString& fileName, int code);
