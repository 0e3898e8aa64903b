#include "persistence/xmlcoreobject.h"

#include <expat.h>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QScopeGuard>
#include <cstring>
#include <exception>
#include <memory>

#include "app/atomicfile.h"
#include "app/conversions.h"
#include "app/format.h"
#include "app/translation.h"

static_assert(sizeof(XML_Char) == 1, "the handlers expect UTF-8 from expat");

namespace {

// Between namespace URI, local name and prefix; cannot occur in well-formed XML 1.0.
constexpr XML_Char kNamespaceSeparator = '\x01';
constexpr int kChunkSize = 64 * 1024;

const QString& declarationLine() {
    static const QString line = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n");
    return line;
}

QString fromExpat(const XML_Char* text) {
    return QString::fromUtf8(text);
}

struct ExpandedName {
    QString uri;
    QString localName;
    QString qName;
};

// expat hands out "uri<sep>local<sep>prefix" (prefix and uri only when present).
ExpandedName splitName(const XML_Char* raw) {
    ExpandedName name;
    // Most documents use no namespaces: one string, shared by both names.
    if (!std::strchr(raw, kNamespaceSeparator)) {
        name.localName = fromExpat(raw);
        name.qName = name.localName;
        return name;
    }
    const QStringList parts = fromExpat(raw).split(QChar(kNamespaceSeparator));
    name.uri = parts.at(0);
    name.localName = parts.at(1);
    name.qName = parts.size() > 2 && !parts.at(2).isEmpty() ? parts.at(2) + u':' + name.localName
                                                            : name.localName;
    return name;
}

// expat knows UTF-8, UTF-16, ISO-8859-1 and US-ASCII; files of older suite programs may also
// be declared in the Windows code page.
int XMLCALL onUnknownEncoding(void*, const XML_Char* name, XML_Encoding* info) {
    const QByteArray encoding = QByteArray(name).toLower();
    if (encoding != "windows-1252" && encoding != "cp1252") return XML_STATUS_ERROR;
    // 0x80..0x9F; the five unassigned bytes map to the C1 controls, as Windows does.
    static constexpr int kHigh[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    for (int i = 0; i < 256; ++i) info->map[i] = (i >= 0x80 && i < 0xA0) ? kHigh[i - 0x80] : i;
    info->data = nullptr;
    info->convert = nullptr;
    info->release = nullptr;
    return XML_STATUS_OK;
}

}  // namespace

QString TXmlAttributes::value(const QString& name) const {
    const int index = indexOf(name);
    return index >= 0 ? m_items.at(size_t(index)).value : QString();
}

int TXmlAttributes::indexOf(const QString& name) const {
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].qName == name) return int(i);
    }
    return -1;
}

const TXmlAttributes::Attribute* TXmlAttributes::find(const char* name) const {
    const QLatin1String key(name);
    for (const Attribute& item : m_items) {
        if (item.qName == key) return &item;
    }
    return nullptr;
}

QString TXmlAttributes::readText(const char* name, const QString& absent) const {
    const Attribute* item = find(name);
    return item ? item->value : absent;
}

int TXmlAttributes::readInt(const char* name, int absent, int invalid) const {
    const Attribute* item = find(name);
    return item ? ToInt(item->value, invalid) : absent;
}

double TXmlAttributes::readFloat(const char* name, double absent, double invalid) const {
    const Attribute* item = find(name);
    return item ? ToFloat(item->value, invalid) : absent;
}

bool TXmlAttributes::readBool(const char* name, bool absent, bool invalid) const {
    const Attribute* item = find(name);
    return item ? ToBool(item->value, invalid) : absent;
}

// One pass of expat over one document. Exceptions of the handlers are parked here and
// rethrown after expat has returned, never thrown through its C frames.
class TDBXMLCoreObject::ParseRun {
public:
    ParseRun(TDBXMLCoreObject& owner, const char* forcedEncoding)
        : m_owner(owner), m_parser(XML_ParserCreateNS(forcedEncoding, kNamespaceSeparator)) {
        if (!m_parser) throw std::bad_alloc();
        XML_SetUserData(m_parser.get(), this);
        XML_SetReturnNSTriplet(m_parser.get(), XML_TRUE);
        XML_SetElementHandler(m_parser.get(), &ParseRun::onStart, &ParseRun::onEnd);
        XML_SetCharacterDataHandler(m_parser.get(), &ParseRun::onCharacters);
        XML_SetUnknownEncodingHandler(m_parser.get(), &onUnknownEncoding, nullptr);
    }

    // False once the document failed or a handler aborted; nothing more must be fed then.
    bool feed(const char* data, int length, bool isFinal) {
        if (XML_Parse(m_parser.get(), data, length, isFinal ? XML_TRUE : XML_FALSE) ==
                XML_STATUS_OK &&
            !m_handlerError) {
            return true;
        }
        finish();
        return false;
    }

private:
    void finish() {
        if (m_handlerError) std::rethrow_exception(m_handlerError);
        const XML_Error code = XML_GetErrorCode(m_parser.get());
        // expat counts columns from 0, readers of the message from 1.
        m_owner.reportParseError(QString::fromLatin1(XML_ErrorString(code)),
                                 qint64(XML_GetCurrentLineNumber(m_parser.get())),
                                 qint64(XML_GetCurrentColumnNumber(m_parser.get())) + 1);
    }

    template <typename Step>
    static void guarded(void* userData, Step step) {
        auto* run = static_cast<ParseRun*>(userData);
        // expat may still deliver an event or two after it was stopped.
        if (run->m_handlerError) return;
        try {
            step(run->m_owner);
        } catch (...) {
            run->m_handlerError = std::current_exception();
            XML_StopParser(run->m_parser.get(), XML_FALSE);
        }
    }

    static void XMLCALL onStart(void* userData, const XML_Char* name, const XML_Char** atts) {
        guarded(userData, [&](TDBXMLCoreObject& owner) {
            const ExpandedName element = splitName(name);
            TXmlAttributes attributes;
            for (int i = 0; atts[i]; i += 2) {
                ExpandedName attribute = splitName(atts[i]);
                attributes.append({std::move(attribute.uri), std::move(attribute.localName),
                                   std::move(attribute.qName), fromExpat(atts[i + 1])});
            }
            owner.StartElement(element.uri, element.localName, element.qName, attributes);
        });
    }

    static void XMLCALL onEnd(void* userData, const XML_Char* name) {
        guarded(userData, [&](TDBXMLCoreObject& owner) {
            const ExpandedName element = splitName(name);
            owner.EndElement(element.uri, element.localName, element.qName);
        });
    }

    static void XMLCALL onCharacters(void* userData, const XML_Char* text, int length) {
        guarded(userData, [&](TDBXMLCoreObject& owner) {
            owner.Characters(QString::fromUtf8(text, length));
        });
    }

    TDBXMLCoreObject& m_owner;
    struct ParserDeleter {
        void operator()(XML_ParserStruct* parser) const { XML_ParserFree(parser); }
    };
    std::unique_ptr<XML_ParserStruct, ParserDeleter> m_parser;
    std::exception_ptr m_handlerError;
};

TDBXMLCoreObject::TDBXMLCoreObject() = default;
TDBXMLCoreObject::~TDBXMLCoreObject() = default;

QString TDBXMLCoreObject::className() const {
    return QStringLiteral("TDBXMLCoreObject");
}

void TDBXMLCoreObject::prepareLoad() {
    CurrentElement.clear();
    TextBuffer.clear();
    HasParseError = false;
    ErrorText.clear();
    Buffer.clear();
    Clear();
}

void TDBXMLCoreObject::runGuarded(const std::function<void()>& step) {
    try {
        step();
    } catch (const EXMLCancelException&) {
        throw;
    } catch (const std::exception& error) {
        ReportError(sevError,
                    _("XML-Analysefehler.") + QStringLiteral("\r\n") + className() +
                        QStringLiteral("\r\n") + FileName,
                    nullptr, &error);
    } catch (...) {
        ReportError(sevError, _("XML-Analysefehler.") + QStringLiteral("\r\n") + className() +
                                  QStringLiteral("\r\n") + FileName);
    }
}

void TDBXMLCoreObject::reportParseError(const QString& message, qint64 line, qint64 column) {
    // expat only knows fatal errors, so there is no warning path.
    ErrorText = message + QStringLiteral(" Line ") + QString::number(line) +
                QStringLiteral(" Column ") + QString::number(column) + u'\n' + className() + u' ' +
                FileName;
    HasParseError = true;
    if (ReportParseErrors) ReportError(sevFatal, ErrorText);
}

void TDBXMLCoreObject::parseDevice(QIODevice& device, bool parseEmpty) {
    ParseRun run(*this, nullptr);
    QByteArray chunk(kChunkSize, Qt::Uninitialized);
    bool anyData = false;
    // Chunk by chunk: a large file is never held in memory as a whole.
    for (;;) {
        const qint64 count = device.read(chunk.data(), kChunkSize);
        if (count < 0) {
            throw EKwpError(_("Fehler beim Lesen der XML-Daten.") + QStringLiteral("\r\n") +
                            device.errorString());
        }
        if (count == 0) break;
        anyData = true;
        if (!run.feed(chunk.constData(), int(count), false)) return;
    }
    if (anyData || parseEmpty) run.feed(chunk.constData(), 0, true);
}

void TDBXMLCoreObject::parseBuffer(const char* forcedEncoding) {
    ParseRun run(*this, forcedEncoding);
    const char* data = Buffer.data();
    qint64 remaining = Buffer.size();
    while (remaining > 0) {
        const int count = int(std::min<qint64>(remaining, kChunkSize));
        if (!run.feed(data, count, false)) return;
        data += count;
        remaining -= count;
    }
    run.feed(data, 0, true);
}

void TDBXMLCoreObject::LoadFromFile(const QString& fileName) {
    prepareLoad();
    if (fileName.isEmpty() || !QFileInfo::exists(fileName)) return;
    FileName = fileName;
    const auto forgetName = qScopeGuard([this] { FileName.clear(); });
    runGuarded([&] {
        QFile file(fileName);
        if (!file.open(QIODevice::ReadOnly)) {
            throw EKwpError(FormatStr(_("Kann Datei \"%s\" nicht oeffnen."), {fileName}) +
                            QStringLiteral("\r\n") + file.errorString());
        }
        parseDevice(file, true);
    });
}

void TDBXMLCoreObject::LoadFromStream(QIODevice* stream) {
    prepareLoad();
    if (!stream || !stream->isReadable()) return;
    runGuarded([&] {
        if (!stream->isSequential()) {
            if (stream->size() == 0) return;
            stream->seek(0);
        }
        parseDevice(*stream, false);
    });
}

bool TDBXMLCoreObject::LoadFromXML(const QString& text) {
    prepareLoad();
    if (text.isEmpty()) return false;
    runGuarded([&] {
        // The text is already decoded: whatever its declaration claims, the bytes are UTF-16LE.
        Buffer.writeWideString(text);
        parseBuffer("UTF-16LE");
    });
    return true;
}

bool TDBXMLCoreObject::LoadFromStreamPart(QIODevice* stream, qint64 count) {
    prepareLoad();
    if (!stream || !stream->isReadable() || count <= 0) return false;
    runGuarded([&] {
        QByteArray chunk(kChunkSize, Qt::Uninitialized);
        qint64 remaining = count;
        while (remaining > 0) {
            const qint64 read = stream->read(chunk.data(), std::min<qint64>(remaining, kChunkSize));
            if (read <= 0) break;
            Buffer.write(chunk.constData(), read);
            remaining -= read;
        }
        parseBuffer(nullptr);
    });
    return true;
}

void TDBXMLCoreObject::buildDocument(TXmlContent content) {
    Buffer.clear();
    Buffer.write("\xFF\xFE", 2);
    Write(declarationLine());
    WriteXML(content, 0);
}

void TDBXMLCoreObject::SaveToFile(const QString& fileName) {
    buildDocument(TXmlContent::Full);
    WriteFileAtomically(fileName, QByteArray::fromRawData(Buffer.data(), Buffer.size()));
}

void TDBXMLCoreObject::SaveToStream(QIODevice* stream) {
    buildDocument(TXmlContent::Full);
    if (!stream) return;
    if (stream->write(Buffer.data(), Buffer.size()) != Buffer.size()) {
        throw EKwpError(_("Fehler beim Schreiben der XML-Daten.") + QStringLiteral("\r\n") +
                        stream->errorString());
    }
}

QString TDBXMLCoreObject::GetXML(TXmlContent content) {
    buildDocument(content);
    return Buffer.dataString();
}

QString TDBXMLCoreObject::GetXMLBody(TXmlContent content, int indent) {
    Buffer.clear();
    WriteXML(content, indent);
    return Buffer.dataString();
}

void TDBXMLCoreObject::Write(const QString& text) {
    Buffer.appendWideString(text);
}

void TDBXMLCoreObject::WriteLine(const QString& text) {
    Buffer.appendWideString(text);
    Buffer.appendWideString(QStringLiteral("\r\n"));
}

void TDBXMLCoreObject::WriteFormat(const QString& format, const QVariantList& args) {
    Write(FormatStr(format, args));
}

void TDBXMLCoreObject::WriteFormatLine(const QString& format, const QVariantList& args) {
    WriteLine(FormatStr(format, args));
}
