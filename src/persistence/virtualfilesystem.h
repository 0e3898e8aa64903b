#pragma once

#include <QString>
#include <QStringList>
#include <memory>

#include "persistence/storetypes.h"

class TRootStorage;
class TStorageStream;

// File-like access to the streams of a compound file. Every operation reports its failures
// (as "TVirtualFileSystem.<operation>") and returns false or null instead of throwing.
class TVirtualFileSystem {
public:
    // Opens the compound file; a missing file is created unless ReadOnly. When that fails,
    // the failure is reported and every operation returns false.
    TVirtualFileSystem(const QString& fileName, TDbAccess access);
    ~TVirtualFileSystem();
    TVirtualFileSystem(const TVirtualFileSystem&) = delete;
    TVirtualFileSystem& operator=(const TVirtualFileSystem&) = delete;

    const QString& FileName() const { return m_fileName; }
    bool IsOpen() const { return m_root != nullptr; }
    TRootStorage* Root() const { return m_root.get(); }

    // A stream of that name exists in the root storage (any case).
    bool FileExists(const QString& name) const;
    // The stream at position 0, created when missing.
    std::unique_ptr<TStorageStream> OpenStream(const QString& name);
    // Copies the stream into a file, creating its folder; false when the stream is missing.
    bool ExportFileToFilesystem(const QString& name, const QString& targetFile);
    // Exports the stream and lets the desktop open the file.
    bool OpenDocument(const QString& name, const QString& targetFile);
    // Appends the root's stream names ending in the mask's extension ("*.pdf": ".pdf").
    bool ListFiles(const QString& mask, QStringList& result) const;

private:
    QString m_fileName;
    std::unique_ptr<TRootStorage> m_root;
};
