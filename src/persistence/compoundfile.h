#pragma once

// Inside of the compound storage classes; not for other code.

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

// A storage or stream of a compound file, kept in memory.
struct TCompoundNode {
    QString name;
    bool isStorage = false;
    QByteArray classId;  // of a storage; empty when it has none
    QByteArray data;     // of a stream, once loaded
    // A stream of a read-only file is read on first use.
    std::function<QByteArray()> load;
    qint64 pendingSize = 0;
    std::vector<std::shared_ptr<TCompoundNode>> children;

    qint64 size() const { return load ? pendingSize : data.size(); }
    std::shared_ptr<TCompoundNode> child(const QString& childName) const;
};

// The tree of one compound file, shared by the storages and streams opened on it. libgsf
// reads the format or writes it, never both: a writable file is read whole and written back
// whole on commit, through a temporary file renamed over the old one.
class TCompoundFile {
public:
    // Both throw ECDStorageError.
    static std::shared_ptr<TCompoundFile> open(const QString& fileName, bool writable);
    static std::shared_ptr<TCompoundFile> create(const QString& fileName);
    // Writes changes not yet committed; a failure is reported.
    ~TCompoundFile();

    const QString& fileName() const { return m_fileName; }
    bool writable() const { return m_writable; }
    const std::shared_ptr<TCompoundNode>& root() const { return m_root; }
    void changed() { m_changed = true; }
    void commit();
    // The stream's bytes, read now when they were not yet.
    void loadStream(TCompoundNode& node);

private:
    TCompoundFile(QString fileName, bool writable);
    QByteArray serialize();

    QString m_fileName;
    bool m_writable;
    bool m_changed = false;
    std::shared_ptr<TCompoundNode> m_root;
};

// "(Error code) text" as the platform's failures add it to our messages.
QString CompDocErrorDetail(int code, const QString& text);
QString CompDocErrnoDetail(int code);
