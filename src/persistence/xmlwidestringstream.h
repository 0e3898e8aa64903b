#pragma once

#include <QByteArray>
#include <QString>

// In-memory byte stream of UTF-16LE text. The XML objects write their documents into it and
// subclasses collect the character data of long text elements in it. Errors throw EKwpError.
class TDBXMLWideStringStream {
public:
    enum SeekOrigin { soBeginning, soCurrent, soEnd };

    explicit TDBXMLWideStringStream(qint64 capacity = 0);

    // Raw bytes at the position; the position moves on. Writing grows the capacity to the
    // needed size rounded up to an even number of bytes.
    qint64 read(char* data, qint64 count);
    qint64 write(const char* data, qint64 count);
    // The result is clamped to 0..size.
    qint64 seek(qint64 offset, SeekOrigin origin = soBeginning);

    qint64 size() const { return m_size; }
    qint64 position() const { return m_position; }
    qint64 capacity() const { return m_data.size(); }
    // An even, non-negative size; growing fills with zero bytes.
    void setSize(qint64 size);
    void setCapacity(qint64 capacity);

    // The UTF-16LE code units of text at the position (which must be even).
    void writeWideString(const QString& text);
    // Writes text at the end and leaves the position there.
    void appendWideString(const QString& text);
    // The whole content as text: size / 2 characters.
    QString dataString() const;
    // Empties the stream; the capacity stays.
    void clear();

    const char* data() const { return m_data.constData(); }

private:
    QByteArray m_data;  // its length is the capacity
    qint64 m_size = 0;
    qint64 m_position = 0;
};
