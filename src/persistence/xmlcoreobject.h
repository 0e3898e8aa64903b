#pragma once

#include <QString>
#include <QVariantList>
#include <functional>
#include <vector>

#include "app/errorreport.h"
#include "persistence/xmlwidestringstream.h"

class QIODevice;

// What WriteXML writes: the whole object, or for a table row's XML column what the row's own
// columns do not hold already.
enum class TXmlContent { Full, WithoutColumns };

// Raised by a handler to abort a load; the only exception the loaders let through.
class EXMLCancelException : public EKwpError {
public:
    explicit EXMLCancelException(QString message = {}) : EKwpError(std::move(message)) {}
    QString className() const override { return QStringLiteral("EXMLCancelException"); }
};

// The attributes of one start tag in document order. Names are looked up by qualified name.
class TXmlAttributes {
public:
    struct Attribute {
        QString uri;
        QString localName;
        QString qName;
        QString value;
    };

    int count() const { return int(m_items.size()); }
    QString name(int index) const { return m_items.at(size_t(index)).qName; }
    QString localName(int index) const { return m_items.at(size_t(index)).localName; }
    QString uri(int index) const { return m_items.at(size_t(index)).uri; }
    QString value(int index) const { return m_items.at(size_t(index)).value; }
    // Empty when the attribute is absent.
    QString value(const QString& name) const;
    bool has(const QString& name) const { return indexOf(name) >= 0; }
    int indexOf(const QString& name) const;
    void append(Attribute attribute) { m_items.push_back(std::move(attribute)); }

    // Typed reading with the suite's conversions (ToInt, ToFloat, ToBool): an absent attribute
    // gives `absent`, a present one that is no number or boolean gives `invalid`. Readers pass
    // the field itself as `absent` to keep it when the attribute is missing.
    QString readText(const char* name, const QString& absent = {}) const;
    int readInt(const char* name, int absent, int invalid) const;
    int readInt(const char* name, int absent) const { return readInt(name, absent, absent); }
    double readFloat(const char* name, double absent, double invalid) const;
    double readFloat(const char* name, double absent) const {
        return readFloat(name, absent, absent);
    }
    bool readBool(const char* name, bool absent, bool invalid) const;
    bool readBool(const char* name, bool absent) const { return readBool(name, absent, absent); }

private:
    const Attribute* find(const char* name) const;

    std::vector<Attribute> m_items;
};

// Base of every object stored as XML. Loading feeds the document to expat and routes its events
// to the handlers; saving writes BOM and declaration and lets WriteXML add the elements.
// Loading never throws except EXMLCancelException; parser errors are reported and leave
// HasParseError and ErrorText set, the object keeps what the handlers had reached.
class TDBXMLCoreObject {
public:
    TDBXMLCoreObject();
    virtual ~TDBXMLCoreObject();
    TDBXMLCoreObject(const TDBXMLCoreObject&) = delete;
    TDBXMLCoreObject& operator=(const TDBXMLCoreObject&) = delete;

    // Events of the parser. Without namespaces the URI is empty and both names are equal.
    virtual void StartElement(const QString& namespaceUri, const QString& localName,
                              const QString& qName, const TXmlAttributes& attributes) = 0;
    // One element's text may arrive in several chunks; subclasses join them.
    virtual void Characters(const QString& chunk) = 0;
    virtual void EndElement(const QString& namespaceUri, const QString& localName,
                            const QString& qName) = 0;
    // Resets every field of the subclass to its default.
    virtual void Clear() = 0;
    // Writes the subclass's elements into Buffer with the Write functions, indented by
    // indent blanks where the subclass indents.
    virtual void WriteXML(TXmlContent content, int indent) = 0;

    // A missing file leaves the object cleared without a message.
    virtual void LoadFromFile(const QString& fileName);
    // Written to a temporary file beside the target and renamed over it; throws EKwpError.
    virtual void SaveToFile(const QString& fileName);
    // Rewinds a random-access stream; an absent or empty stream leaves the object cleared.
    virtual void LoadFromStream(QIODevice* stream);
    virtual void SaveToStream(QIODevice* stream);

    // Name used in error reports; subclasses return their own.
    virtual QString className() const;

    // False for an empty text, else true (parse errors show in HasParseError).
    bool LoadFromXML(const QString& text);
    // Parses the next count bytes of the stream (from its current position).
    bool LoadFromStreamPart(QIODevice* stream, qint64 count);
    // The whole document including the leading BOM character.
    QString GetXML(TXmlContent content);
    // Only what WriteXML writes.
    QString GetXMLBody(TXmlContent content, int indent = 0);

    void Write(const QString& text);
    void WriteLine(const QString& text);
    void WriteFormat(const QString& format, const QVariantList& args);
    void WriteFormatLine(const QString& format, const QVariantList& args);

    QString CurrentElement;
    TDBXMLWideStringStream TextBuffer{10000};
    QString FileName;
    QString ErrorText;
    bool HasParseError = false;
    // Off for a caller that reports a damaged document itself, with what the reader knows.
    bool ReportParseErrors = true;
    TDBXMLWideStringStream Buffer;

private:
    class ParseRun;

    void prepareLoad();
    void buildDocument(TXmlContent content);
    // Runs a load step; reports and swallows every exception except EXMLCancelException.
    void runGuarded(const std::function<void()>& step);
    // With parseEmpty false a device without any byte is left alone instead of being reported.
    void parseDevice(QIODevice& device, bool parseEmpty);
    void parseBuffer(const char* forcedEncoding);
    void reportParseError(const QString& message, qint64 line, qint64 column);
};
