#include "persistence/compoundfile.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-input.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-output.h>
#include <gsf/gsf-utils.h>

#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "app/atomicfile.h"
#include "app/translation.h"
#include "persistence/storage.h"
#include "persistence/storagestream.h"

namespace {

constexpr qint64 readChunk = 1024 * 1024;

template <typename T>
std::shared_ptr<T> adopt(T* object) {
    return std::shared_ptr<T>(object, [](T* o) {
        if (o) g_object_unref(o);
    });
}

QString gerrorDetail(GError* error, int fallbackCode) {
    QString detail = error ? CompDocErrorDetail(error->code, QString::fromUtf8(error->message))
                           : CompDocErrnoDetail(fallbackCode);
    if (error) g_error_free(error);
    return detail;
}

[[noreturn]] void storageFailure(const char* text, const QString& detail = {}) {
    throw ECDStorageError(detail.isEmpty() ? _(text) : _(text) + QLatin1Char(' ') + detail);
}

void initGsf() {
    static const bool done = [] {
        gsf_init();
        return true;
    }();
    (void)done;
}

// A compound file starts with this signature; anything else is refused before libgsf sees it.
void checkSignature(const QString& fileName) {
    static const unsigned char signature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    const int fd =
        ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) storageFailure(N_("root storage open failed"), CompDocErrnoDetail(errno));
    unsigned char head[sizeof signature] = {};
    const ssize_t got = ::pread(fd, head, sizeof head, 0);
    const int code = errno;
    ::close(fd);
    if (got < 0) storageFailure(N_("root storage open failed"), CompDocErrnoDetail(code));
    if (got != ssize_t(sizeof head) || std::memcmp(head, signature, sizeof head) != 0)
        storageFailure(N_("not a storage file"));
}

QByteArray readInput(GsfInput* input) {
    const gsf_off_t size = gsf_input_size(input);
    if (size < 0 || size > TStorageStream::MaxSize)
        throw ECDStreamError(_("stream open failed") + QLatin1Char(' ') +
                             CompDocErrnoDetail(EFBIG));
    QByteArray bytes(qsizetype(size), Qt::Uninitialized);
    auto* target = reinterpret_cast<guint8*>(bytes.data());
    bool ok = !gsf_input_seek(input, 0, G_SEEK_SET);  // true means failure
    for (qint64 done = 0; ok && done < size; done += readChunk)
        ok = gsf_input_read(input, size_t(std::min(readChunk, size - done)), target + done) !=
             nullptr;
    if (ok) return bytes;
    throw ECDStreamError(_("stream open failed") + QLatin1Char(' ') + CompDocErrnoDetail(EIO));
}

void readStorage(GsfInfile* dir, TCompoundNode& node, const std::shared_ptr<GsfInfile>& file,
                 bool lazy) {
    guint8 classId[16];
    if (gsf_infile_msole_get_class_id(GSF_INFILE_MSOLE(dir), classId) &&
        std::any_of(std::begin(classId), std::end(classId), [](guint8 b) { return b != 0; }))
        node.classId = QByteArray(reinterpret_cast<const char*>(classId), sizeof classId);
    const int count = gsf_infile_num_children(dir);
    for (int i = 0; i < count; ++i) {
        const char* name = gsf_infile_name_by_index(dir, i);
        auto input = adopt(gsf_infile_child_by_index(dir, i));
        if (!input || !name) storageFailure(N_("failed enumeration"), CompDocErrnoDetail(EIO));
        auto child = std::make_shared<TCompoundNode>();
        child->name = QString::fromUtf8(name);
        // libgsf gives a stream -1 children, a storage (even an empty one) zero or more.
        child->isStorage =
            GSF_IS_INFILE(input.get()) && gsf_infile_num_children(GSF_INFILE(input.get())) >= 0;
        if (child->isStorage) {
            readStorage(GSF_INFILE(input.get()), *child, file, lazy);
        } else if (lazy) {
            child->pendingSize = gsf_input_size(input.get());
            child->load = [input, file] { return readInput(input.get()); };
        } else {
            child->data = readInput(input.get());
        }
        node.children.push_back(std::move(child));
    }
}

bool writeStorage(GsfOutfile* dir, const TCompoundNode& node, TCompoundFile& file) {
    if (node.classId.size() == 16)
        gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(dir),
                                       reinterpret_cast<const guint8*>(node.classId.constData()));
    for (const auto& child : node.children) {
        auto out = adopt(gsf_outfile_new_child(dir, child->name.toUtf8().constData(),
                                               child->isStorage ? TRUE : FALSE));
        if (!out) return false;
        bool ok = true;
        if (child->isStorage) {
            ok = writeStorage(GSF_OUTFILE(out.get()), *child, file);
        } else {
            file.loadStream(*child);
            ok = child->data.isEmpty() ||
                 gsf_output_write(out.get(), size_t(child->data.size()),
                                  reinterpret_cast<const guint8*>(child->data.constData()));
        }
        if (!gsf_output_close(out.get()) || !ok) return false;
    }
    return true;
}

}  // namespace

QString CompDocErrorDetail(int code, const QString& text) {
    return _("(Error %1) %2").arg(code).arg(text);
}

QString CompDocErrnoDetail(int code) {
    return CompDocErrorDetail(code, QString::fromLocal8Bit(std::strerror(code)));
}

std::shared_ptr<TCompoundNode> TCompoundNode::child(const QString& childName) const {
    for (const auto& c : children)
        if (c->name.compare(childName, Qt::CaseInsensitive) == 0) return c;
    return nullptr;
}

TCompoundFile::TCompoundFile(QString fileName, bool writable)
    : m_fileName(std::move(fileName)),
      m_writable(writable),
      m_root(std::make_shared<TCompoundNode>()) {
    m_root->isStorage = true;
    m_root->name = m_fileName;
}

TCompoundFile::~TCompoundFile() {
    if (!m_changed) return;
    try {
        commit();
    } catch (const std::exception& error) {
        ReportError(sevError, QStringLiteral("TRootStorage.Commit"), nullptr, &error);
    }
}

std::shared_ptr<TCompoundFile> TCompoundFile::open(const QString& fileName, bool writable) {
    if (fileName.isEmpty()) storageFailure(N_("no storage name given"));
    initGsf();
    checkSignature(fileName);
    GError* error = nullptr;
    auto input = adopt(gsf_input_stdio_new(QFile::encodeName(fileName).constData(), &error));
    if (!input) storageFailure(N_("root storage open failed"), gerrorDetail(error, EIO));
    auto infile = adopt(gsf_infile_msole_new(input.get(), &error));
    if (!infile) storageFailure(N_("root storage open failed"), gerrorDetail(error, EIO));
    std::shared_ptr<TCompoundFile> file(new TCompoundFile(fileName, writable));
    // A writable file is replaced on commit, so all of it is read now.
    readStorage(infile.get(), *file->m_root, infile, !writable);
    return file;
}

std::shared_ptr<TCompoundFile> TCompoundFile::create(const QString& fileName) {
    if (fileName.isEmpty()) storageFailure(N_("no storage name given"));
    initGsf();
    std::shared_ptr<TCompoundFile> file(new TCompoundFile(fileName, true));
    try {
        WriteFileAtomically(fileName, file->serialize());
    } catch (const EKwpError& error) {
        throw ECDStorageError(_("root storage create failed") + QStringLiteral(": ") +
                              error.message());
    }
    return file;
}

void TCompoundFile::loadStream(TCompoundNode& node) {
    if (!node.load) return;
    node.data = node.load();
    node.load = nullptr;
}

QByteArray TCompoundFile::serialize() {
    auto memory = adopt(gsf_output_memory_new());
    auto ole = adopt(gsf_outfile_msole_new(memory.get()));
    const bool written =
        ole && writeStorage(ole.get(), *m_root, *this) && gsf_output_close(GSF_OUTPUT(ole.get()));
    QByteArray bytes;
    if (written) {
        bytes = QByteArray(reinterpret_cast<const char*>(
                               gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(memory.get()))),
                           qsizetype(gsf_output_size(memory.get())));
    }
    const GError* error = ole ? gsf_output_error(GSF_OUTPUT(ole.get())) : nullptr;
    const QString detail = error
                               ? CompDocErrorDetail(error->code, QString::fromUtf8(error->message))
                               : CompDocErrnoDetail(EIO);
    if (!gsf_output_is_closed(memory.get())) gsf_output_close(memory.get());
    if (!written || bytes.isEmpty()) storageFailure(N_("storage failed to commit"), detail);
    return bytes;
}

void TCompoundFile::commit() {
    if (!m_writable) return;
    const QByteArray bytes = serialize();
    try {
        WriteFileAtomically(m_fileName, bytes);
    } catch (const EKwpError& error) {
        throw ECDStorageError(_("storage failed to commit") + QStringLiteral(": ") +
                              error.message());
    }
    m_changed = false;
}
