#pragma once

#include <QString>
#include <QVariantList>
#include <memory>

class QIODevice;

// Writes a large XML document line by line straight to a file (UTF-16LE), without building it
// in memory first.
class TDBXMLCoreWriter {
public:
    // Writes into a stream the caller keeps.
    explicit TDBXMLCoreWriter(QIODevice* stream);
    // Writes into a stream that goes with the writer.
    explicit TDBXMLCoreWriter(std::unique_ptr<QIODevice> stream);
    // Finishes the file (see Close); a failure then is reported, not thrown.
    ~TDBXMLCoreWriter();
    TDBXMLCoreWriter(const TDBXMLCoreWriter&) = delete;
    TDBXMLCoreWriter& operator=(const TDBXMLCoreWriter&) = delete;

    // A new document with BOM and declaration. The lines go to a temporary file beside the
    // target that replaces an old file only when the writer is closed, so a crash never leaves
    // half a file. Null after an error report when the old file cannot be replaced or the new
    // one cannot be created.
    static std::unique_ptr<TDBXMLCoreWriter> CreateFile(const QString& fileName);

    // BOM and "<?xml ...?>" line, as CreateFile writes them.
    void WriteHeader();
    // Appends the UTF-16LE text and CR LF; throws EKwpError when the stream refuses.
    void WriteLine(const QString& text);
    // Appends the text as it is (for a piece that brings its own line breaks).
    void Write(const QString& text);
    void WriteFormatLine(const QString& format, const QVariantList& args);
    // Puts a file created by CreateFile in place; throws EKwpError when that fails.
    void Close();

private:
    void writeBytes(const char* data, qint64 size);

    QIODevice* m_stream = nullptr;
    std::unique_ptr<QIODevice> m_ownedStream;
};
