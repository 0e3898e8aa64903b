#pragma once

#include <QIODevice>
#include <QString>
#include <memory>

class TCompoundFile;
struct TCompoundNode;

// One stream of a compound file, used like a file: read, write, seek, size, resize. Opened by
// TStorage; unbuffered, so two streams on the same name see each other's writes.
class TStorageStream : public QIODevice {
public:
    ~TStorageStream() override;
    TStorageStream(const TStorageStream&) = delete;
    TStorageStream& operator=(const TStorageStream&) = delete;

    const QString& Name() const { return m_name; }
    bool isSequential() const override { return false; }
    qint64 size() const override;
    bool atEnd() const override;
    // Cuts or extends (with zero bytes); false when the stream is read-only or too large.
    bool resize(qint64 newSize);
    // As resize, but throws ECDStreamError ("stream setsize failed").
    void SetSize(qint64 newSize);

    // The largest stream the file format keeps.
    static constexpr qint64 MaxSize = 0x7FFFFFFF;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    friend class TStorage;
    TStorageStream(std::shared_ptr<TCompoundFile> file, std::shared_ptr<TCompoundNode> node,
                   QString name, bool writable);

    std::shared_ptr<TCompoundFile> m_file;
    std::shared_ptr<TCompoundNode> m_node;
    QString m_name;
};
