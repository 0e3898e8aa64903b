#include "persistence/storagestream.h"

#include <cerrno>
#include <cstring>

#include "app/translation.h"
#include "persistence/compoundfile.h"
#include "persistence/storage.h"

TStorageStream::TStorageStream(std::shared_ptr<TCompoundFile> file,
                               std::shared_ptr<TCompoundNode> node, QString name, bool writable)
    : m_file(std::move(file)), m_node(std::move(node)), m_name(std::move(name)) {
    // Unbuffered: the bytes live in the shared tree, a read buffer would go stale.
    QIODevice::open((writable ? QIODevice::ReadWrite : QIODevice::ReadOnly) |
                    QIODevice::Unbuffered);
}

TStorageStream::~TStorageStream() = default;

qint64 TStorageStream::size() const {
    return m_node->data.size();
}

bool TStorageStream::atEnd() const {
    return pos() >= size();
}

bool TStorageStream::resize(qint64 newSize) {
    if (!isWritable() || newSize < 0 || newSize > MaxSize) return false;
    QByteArray& data = m_node->data;
    if (newSize < data.size())
        data.truncate(qsizetype(newSize));
    else
        data.append(QByteArray(qsizetype(newSize - data.size()), '\0'));
    m_file->changed();
    if (pos() > newSize) seek(newSize);
    return true;
}

void TStorageStream::SetSize(qint64 newSize) {
    if (resize(newSize)) return;
    const int code = !isWritable() ? EACCES : newSize < 0 ? EINVAL : EFBIG;
    throw ECDStreamError(_("stream setsize failed") + QLatin1Char(' ') + CompDocErrnoDetail(code));
}

qint64 TStorageStream::readData(char* data, qint64 maxSize) {
    const QByteArray& bytes = m_node->data;
    const qint64 from = pos();
    if (from >= bytes.size()) return 0;
    const qint64 count = std::min(maxSize, bytes.size() - from);
    std::memcpy(data, bytes.constData() + from, size_t(count));
    return count;
}

qint64 TStorageStream::writeData(const char* data, qint64 size) {
    const qint64 from = pos();
    if (from + size > MaxSize) {
        setErrorString(CompDocErrnoDetail(EFBIG));
        return -1;
    }
    QByteArray& bytes = m_node->data;
    // Writing past the end fills the gap with zero bytes, as a file does.
    if (from > bytes.size()) bytes.append(QByteArray(qsizetype(from - bytes.size()), '\0'));
    const qint64 overlap = std::min(size, bytes.size() - from);
    if (overlap > 0) std::memcpy(bytes.data() + from, data, size_t(overlap));
    bytes.append(data + overlap, qsizetype(size - overlap));
    m_file->changed();
    return size;
}
