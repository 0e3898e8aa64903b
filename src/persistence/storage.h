#pragma once

#include <QList>
#include <QString>
#include <memory>

#include "app/errorreport.h"

class TCompoundFile;
struct TCompoundNode;
class TStorageStream;

// Failure of a compound file (an OLE2 structured-storage file).
class ECompDocError : public EKwpError {
public:
    using EKwpError::EKwpError;
    QString className() const override { return QStringLiteral("ECompDocError"); }
};

class ECDStorageError : public ECompDocError {
public:
    using ECompDocError::ECompDocError;
    QString className() const override { return QStringLiteral("ECDStorageError"); }
};

class ECDStreamError : public ECompDocError {
public:
    using ECompDocError::ECompDocError;
    QString className() const override { return QStringLiteral("ECDStreamError"); }
};

// Open modes: one access flag combined with one sharing flag. Linux knows no share modes; the
// sharing flag is kept for the callers, writers of one file are kept apart by the lock files.
enum TStorageMode : unsigned {
    smRead = 0x00,
    smReadWrite = 0x02,
    smShareExclusive = 0x10,
    smShareDenyWrite = 0x20,
    smShareDenyRead = 0x30,
    smShareDenyNone = 0x40,
};

struct TStorageElement {
    QString Name;
    bool IsStorage = false;
    qint64 Size = 0;
};

// A storage (folder) of a compound file: named streams and sub-storages. Names have at most
// 31 characters and are compared without regard to case. Every failure throws a
// ECompDocError descendant.
class TStorage {
public:
    virtual ~TStorage();
    TStorage(const TStorage&) = delete;
    TStorage& operator=(const TStorage&) = delete;

    const QString& Name() const { return m_name; }
    bool ReadOnly() const;
    // The elements in the storage's enumeration order.
    QList<TStorageElement> Elements() const;
    bool StreamExists(const QString& name) const;
    bool StorageExists(const QString& name) const;

    // A new empty stream; an existing stream of that name is emptied.
    std::unique_ptr<TStorageStream> CreateStream(const QString& name);
    std::unique_ptr<TStorageStream> OpenStream(const QString& name);
    // A new empty sub-storage; fails when an element of that name exists.
    std::unique_ptr<TStorage> CreateStorage(const QString& name);
    std::unique_ptr<TStorage> OpenStorage(const QString& name);
    void DestroyElement(const QString& name);

    // Writes the whole compound file (all storages) now.
    void Commit();

protected:
    TStorage(std::shared_ptr<TCompoundFile> file, std::shared_ptr<TCompoundNode> node,
             QString name);

    std::shared_ptr<TCompoundFile> m_file;
    std::shared_ptr<TCompoundNode> m_node;
    QString m_name;
};

// The root storage of a compound file. Changes are written on Commit and when the last
// storage or stream of the file is released (a failure then is reported, not thrown).
class TRootStorage : public TStorage {
public:
    // A new empty compound file, written at once; replaces a file of that name.
    static std::unique_ptr<TRootStorage> Create(const QString& fileName,
                                                unsigned mode = smReadWrite | smShareExclusive);
    static std::unique_ptr<TRootStorage> Open(const QString& fileName,
                                              unsigned mode = smRead | smShareDenyNone);
    ~TRootStorage() override;
    unsigned Mode() const { return m_mode; }

private:
    TRootStorage(std::shared_ptr<TCompoundFile> file, unsigned mode);
    unsigned m_mode;
};
