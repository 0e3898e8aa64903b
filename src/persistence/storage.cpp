#include "persistence/storage.h"

#include <cerrno>

#include "app/translation.h"
#include "persistence/compoundfile.h"
#include "persistence/storagestream.h"

namespace {

constexpr qsizetype maxNameLength = 31;

template <typename Error>
[[noreturn]] void compDocFail(const char* text, int code = 0) {
    throw Error(code == 0 ? _(text) : _(text) + QLatin1Char(' ') + CompDocErrnoDetail(code));
}

// Names of the format: 1 to 31 characters, none of the four it reserves.
template <typename Error>
void checkName(const QString& name, const char* missing, const char* failed) {
    if (name.isEmpty()) compDocFail<Error>(missing);
    if (name.size() > maxNameLength) throw Error(_("Filename > 31 chars"));
    for (const QChar c : name)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') ||
            c == QLatin1Char('!'))
            compDocFail<Error>(failed, EINVAL);
}

}  // namespace

TStorage::TStorage(std::shared_ptr<TCompoundFile> file, std::shared_ptr<TCompoundNode> node,
                   QString name)
    : m_file(std::move(file)), m_node(std::move(node)), m_name(std::move(name)) {}

TStorage::~TStorage() = default;

bool TStorage::ReadOnly() const {
    return !m_file->writable();
}

QList<TStorageElement> TStorage::Elements() const {
    QList<TStorageElement> elements;
    for (const auto& child : m_node->children)
        elements.append({child->name, child->isStorage, child->isStorage ? 0 : child->size()});
    return elements;
}

bool TStorage::StreamExists(const QString& name) const {
    const auto child = m_node->child(name);
    return child && !child->isStorage;
}

bool TStorage::StorageExists(const QString& name) const {
    const auto child = m_node->child(name);
    return child && child->isStorage;
}

std::unique_ptr<TStorageStream> TStorage::CreateStream(const QString& name) {
    checkName<ECDStreamError>(name, N_("no stream name given"), N_("stream create failed"));
    if (ReadOnly()) compDocFail<ECDStreamError>(N_("stream create failed"), EACCES);
    auto node = m_node->child(name);
    if (node && node->isStorage) compDocFail<ECDStreamError>(N_("stream create failed"), EEXIST);
    if (!node) {
        node = std::make_shared<TCompoundNode>();
        node->name = name;
        m_node->children.push_back(node);
    }
    node->load = nullptr;
    node->data.clear();
    m_file->changed();
    return std::unique_ptr<TStorageStream>(new TStorageStream(m_file, node, node->name, true));
}

std::unique_ptr<TStorageStream> TStorage::OpenStream(const QString& name) {
    checkName<ECDStreamError>(name, N_("no stream name given"), N_("stream open failed"));
    const auto node = m_node->child(name);
    if (!node || node->isStorage) compDocFail<ECDStreamError>(N_("stream open failed"), ENOENT);
    m_file->loadStream(*node);
    return std::unique_ptr<TStorageStream>(
        new TStorageStream(m_file, node, node->name, m_file->writable()));
}

std::unique_ptr<TStorage> TStorage::CreateStorage(const QString& name) {
    checkName<ECDStorageError>(name, N_("no storage name given"), N_("storage create failed"));
    if (ReadOnly()) compDocFail<ECDStorageError>(N_("storage create failed"), EACCES);
    if (m_node->child(name)) compDocFail<ECDStorageError>(N_("storage create failed"), EEXIST);
    auto node = std::make_shared<TCompoundNode>();
    node->name = name;
    node->isStorage = true;
    m_node->children.push_back(node);
    m_file->changed();
    return std::unique_ptr<TStorage>(new TStorage(m_file, node, name));
}

std::unique_ptr<TStorage> TStorage::OpenStorage(const QString& name) {
    checkName<ECDStorageError>(name, N_("no storage name given"), N_("storage open failed"));
    const auto node = m_node->child(name);
    if (!node || !node->isStorage) compDocFail<ECDStorageError>(N_("storage open failed"), ENOENT);
    return std::unique_ptr<TStorage>(new TStorage(m_file, node, node->name));
}

void TStorage::DestroyElement(const QString& name) {
    if (name.isEmpty()) compDocFail<ECDStorageError>(N_("no storage name given"));
    if (ReadOnly()) compDocFail<ECDStorageError>(N_("element destroy failed"), EACCES);
    auto& children = m_node->children;
    const auto node = m_node->child(name);
    if (!node) compDocFail<ECDStorageError>(N_("element destroy failed"), ENOENT);
    std::erase(children, node);
    m_file->changed();
}

void TStorage::Commit() {
    m_file->commit();
}

TRootStorage::TRootStorage(std::shared_ptr<TCompoundFile> file, unsigned mode)
    : TStorage(file, file->root(), file->fileName()), m_mode(mode) {}

TRootStorage::~TRootStorage() = default;

std::unique_ptr<TRootStorage> TRootStorage::Create(const QString& fileName, unsigned mode) {
    return std::unique_ptr<TRootStorage>(
        new TRootStorage(TCompoundFile::create(fileName), mode | smReadWrite));
}

std::unique_ptr<TRootStorage> TRootStorage::Open(const QString& fileName, unsigned mode) {
    const bool writable = (mode & smReadWrite) != 0;
    return std::unique_ptr<TRootStorage>(
        new TRootStorage(TCompoundFile::open(fileName, writable), mode));
}
