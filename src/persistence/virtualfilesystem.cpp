#include "persistence/virtualfilesystem.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "app/atomicfile.h"
#include "app/errorreport.h"
#include "app/shell.h"
#include "persistence/storage.h"
#include "persistence/storagestream.h"

namespace {

void reportVfs(const char* operation, const std::exception& error) {
    ReportError(sevError, QStringLiteral("TVirtualFileSystem.") + QLatin1String(operation), nullptr,
                &error);
}

// "*.PDF" gives ".PDF"; a mask without extension gives "" and so matches every name.
QString maskExtension(const QString& mask) {
    const QString trimmed = mask.trimmed();
    const qsizetype dot = trimmed.lastIndexOf(QLatin1Char('.'));
    const qsizetype folder =
        std::max(trimmed.lastIndexOf(QLatin1Char('/')), trimmed.lastIndexOf(QLatin1Char('\\')));
    return dot > folder ? trimmed.mid(dot) : QString();
}

}  // namespace

TVirtualFileSystem::TVirtualFileSystem(const QString& fileName, TDbAccess access)
    : m_fileName(fileName) {
    try {
        if (access == TDbAccess::ReadOnly)
            m_root = TRootStorage::Open(fileName, smRead | smShareDenyNone);
        else if (QFileInfo::exists(fileName))
            m_root = TRootStorage::Open(fileName, smReadWrite | smShareDenyNone);
        else
            m_root = TRootStorage::Create(fileName, smReadWrite | smShareDenyNone);
    } catch (const std::exception& error) {
        reportVfs("Create", error);
    }
}

TVirtualFileSystem::~TVirtualFileSystem() = default;

bool TVirtualFileSystem::FileExists(const QString& name) const {
    try {
        return m_root && m_root->StreamExists(name);
    } catch (const std::exception& error) {
        reportVfs("FileExists", error);
        return false;
    }
}

std::unique_ptr<TStorageStream> TVirtualFileSystem::OpenStream(const QString& name) {
    if (!m_root) return nullptr;
    try {
        return m_root->StreamExists(name) ? m_root->OpenStream(name) : m_root->CreateStream(name);
    } catch (const std::exception& error) {
        reportVfs("OpenStream", error);
        return nullptr;
    }
}

bool TVirtualFileSystem::ExportFileToFilesystem(const QString& name, const QString& targetFile) {
    try {
        if (!m_root || !m_root->StreamExists(name)) return false;
        if (!QDir().mkpath(QFileInfo(targetFile).absolutePath())) return false;
        WriteFileAtomically(targetFile, m_root->OpenStream(name)->readAll());
        return true;
    } catch (const std::exception& error) {
        reportVfs("ExportFileToFilesystem", error);
        return false;
    }
}

bool TVirtualFileSystem::OpenDocument(const QString& name, const QString& targetFile) {
    if (!ExportFileToFilesystem(name, targetFile)) return false;
    try {
        return ShellService().openUrl(QUrl::fromLocalFile(
                   QFileInfo(targetFile).absoluteFilePath())) == TShellResult::Ok;
    } catch (const std::exception& error) {
        reportVfs("OpenDocument", error);
        return false;
    }
}

bool TVirtualFileSystem::ListFiles(const QString& mask, QStringList& result) const {
    try {
        if (!m_root) return false;
        const QString extension = maskExtension(mask);
        for (const TStorageElement& element : m_root->Elements()) {
            if (!element.IsStorage && element.Name.endsWith(extension, Qt::CaseInsensitive))
                result.append(element.Name);
        }
        return true;
    } catch (const std::exception& error) {
        reportVfs("ListFiles", error);
        return false;
    }
}
