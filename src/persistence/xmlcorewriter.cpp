#include "persistence/xmlcorewriter.h"

#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QtEndian>

#include "app/atomicfile.h"
#include "app/errorreport.h"
#include "app/format.h"
#include "app/translation.h"

namespace {

QByteArray utf16le(const QString& text) {
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    qToLittleEndian<quint16>(text.utf16(), text.size(), bytes.data());
    return bytes;
}

}  // namespace

TDBXMLCoreWriter::TDBXMLCoreWriter(QIODevice* stream) : m_stream(stream) {}

TDBXMLCoreWriter::TDBXMLCoreWriter(std::unique_ptr<QIODevice> stream)
    : m_stream(stream.get()), m_ownedStream(std::move(stream)) {}

TDBXMLCoreWriter::~TDBXMLCoreWriter() {
    // A failed write was thrown already; the unfinished file just goes away.
    if (const auto* file = dynamic_cast<const TAtomicFile*>(m_ownedStream.get());
        file && !file->errorMessage().isEmpty())
        return;
    try {
        Close();
    } catch (const EKwpError& error) {
        ReportError(sevError, error.message());
    }
}

std::unique_ptr<TDBXMLCoreWriter> TDBXMLCoreWriter::CreateFile(const QString& fileName) {
    const QFileInfo info(fileName);
    const bool existed = info.exists();
    if (existed && info.isDir()) {
        ReportError(sevError, FormatStr(_("Kann Datei \"%s\" nicht loeschen."), {fileName}));
        return nullptr;
    }
    // The old file goes away even when it was write-protected, and the new one (which keeps
    // the old permissions) must not be write-protected either.
    if (existed && !(info.permissions() & QFileDevice::WriteOwner)) {
        QFile::setPermissions(fileName, info.permissions() | QFileDevice::WriteOwner);
    }
    auto file = std::make_unique<TAtomicFile>(fileName);
    try {
        file->Open();
    } catch (const EKwpError& error) {
        ReportError(sevError, error.message());
        return nullptr;
    }
    auto writer = std::make_unique<TDBXMLCoreWriter>(std::move(file));
    writer->WriteHeader();
    return writer;
}

void TDBXMLCoreWriter::WriteHeader() {
    writeBytes("\xFF\xFE", 2);
    const QByteArray declaration =
        utf16le(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n"));
    writeBytes(declaration.constData(), declaration.size());
}

void TDBXMLCoreWriter::WriteLine(const QString& text) {
    Write(text + QStringLiteral("\r\n"));
}

void TDBXMLCoreWriter::Write(const QString& text) {
    const QByteArray bytes = utf16le(text);
    writeBytes(bytes.constData(), bytes.size());
}

void TDBXMLCoreWriter::WriteFormatLine(const QString& format, const QVariantList& args) {
    WriteLine(FormatStr(format, args));
}

void TDBXMLCoreWriter::Close() {
    auto* file = dynamic_cast<TAtomicFile*>(m_ownedStream.get());
    if (file && file->isOpen()) file->Commit();
}

void TDBXMLCoreWriter::writeBytes(const char* data, qint64 size) {
    if (!m_stream || m_stream->write(data, size) != size) {
        if (const auto* file = dynamic_cast<const TAtomicFile*>(m_stream))
            throw EKwpError(file->errorMessage());
        throw EKwpError(_("Fehler beim Schreiben der XML-Daten.") + QStringLiteral("\r\n") +
                        (m_stream ? m_stream->errorString() : QString()));
    }
}
