#include "persistence/xmlwidestringstream.h"

#include <QSysInfo>
#include <QtEndian>
#include <algorithm>
#include <cstring>

#include "app/errorreport.h"

TDBXMLWideStringStream::TDBXMLWideStringStream(qint64 capacity) {
    setCapacity(capacity);
}

qint64 TDBXMLWideStringStream::read(char* data, qint64 count) {
    const qint64 available = std::min(count, m_size - m_position);
    if (available <= 0) return 0;
    std::memcpy(data, m_data.constData() + m_position, size_t(available));
    m_position += available;
    return available;
}

qint64 TDBXMLWideStringStream::write(const char* data, qint64 count) {
    if (count <= 0) return 0;
    const qint64 needed = m_position + count;
    if (needed > capacity()) {
        // Reserve geometrically so that many small appends stay linear.
        if (needed > m_data.capacity()) m_data.reserve(std::max(needed, 2 * m_data.capacity()));
        setCapacity((needed + 1) & ~qint64(1));
    }
    std::memcpy(m_data.data() + m_position, data, size_t(count));
    m_position = needed;
    m_size = std::max(m_size, m_position);
    return count;
}

qint64 TDBXMLWideStringStream::seek(qint64 offset, SeekOrigin origin) {
    qint64 base = 0;
    if (origin == soCurrent) base = m_position;
    if (origin == soEnd) base = m_size;
    // Saturate instead of overflowing on absurd offsets.
    qint64 target = 0;
    if (__builtin_add_overflow(base, offset, &target)) target = offset < 0 ? 0 : m_size;
    m_position = std::clamp(target, qint64(0), m_size);
    return m_position;
}

void TDBXMLWideStringStream::setSize(qint64 size) {
    if (size < 0) throw EKwpError(QStringLiteral("Negative stream size invalid"));
    if (size % 2 != 0) throw EKwpError(QStringLiteral("Odd size not valid for WideString"));
    if (size > capacity()) setCapacity(size);
    if (size > m_size) std::memset(m_data.data() + m_size, 0, size_t(size - m_size));
    m_size = size;
    m_position = std::min(m_position, m_size);
}

void TDBXMLWideStringStream::setCapacity(qint64 capacity) {
    if (capacity < m_size) throw EKwpError(QStringLiteral("Capacity cannot be less than size"));
    m_data.resize(capacity);
}

void TDBXMLWideStringStream::writeWideString(const QString& text) {
    if (m_position % 2 != 0)
        throw EKwpError(QStringLiteral("Cannot Write WideString to odd byte position"));
    if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        write(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    } else {
        QByteArray little(text.size() * 2, Qt::Uninitialized);
        qToLittleEndian<quint16>(text.utf16(), text.size(), little.data());
        write(little.constData(), little.size());
    }
}

void TDBXMLWideStringStream::appendWideString(const QString& text) {
    m_position = m_size;
    writeWideString(text);
}

QString TDBXMLWideStringStream::dataString() const {
    if (m_size < 2) return {};
    QString text(m_size / 2, Qt::Uninitialized);
    if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        std::memcpy(text.data(), m_data.constData(), size_t(text.size()) * 2);
    } else {
        qFromLittleEndian<quint16>(m_data.constData(), text.size(), text.data());
    }
    return text;
}

void TDBXMLWideStringStream::clear() {
    m_size = 0;
    m_position = 0;
}
