#include "address/addresslistfile.h"

#include <QIODevice>

#include "address/customeraddress.h"
#include "app/atomicfile.h"
#include "app/format.h"
#include "app/translation.h"
#include "persistence/xmlcoreobject.h"

namespace {

// Records stand one level inside "<adressen>".
constexpr int kListIndent = 2;

// Hands the events of each "kundenadr" element to the record that next() gives and calls
// done() with it once its element ends.
class TAddressListReader : public TDBXMLCoreObject {
public:
    TAddressListReader(std::function<TCustomerAddress*()> next,
                       std::function<void(TCustomerAddress&)> done, std::function<void()> clear)
        : m_next(std::move(next)), m_done(std::move(done)), m_clear(std::move(clear)) {}

    void StartElement(const QString& namespaceUri, const QString& localName, const QString& qName,
                      const TXmlAttributes& attributes) override {
        if (qName == QLatin1String("kundenadr")) {
            // One address inside another would lose the outer one's number; no guessing.
            if (m_current) {
                m_nested = true;
                throw EXMLCancelException();
            }
            m_current = m_next();
            m_depth = 0;
        }
        if (!m_current) return;
        ++m_depth;
        m_current->StartElement(namespaceUri, localName, qName, attributes);
    }
    void Characters(const QString& chunk) override {
        if (m_current) m_current->Characters(chunk);
    }
    void EndElement(const QString& namespaceUri, const QString& localName,
                    const QString& qName) override {
        if (!m_current) return;
        m_current->EndElement(namespaceUri, localName, qName);
        if (--m_depth > 0) return;
        TCustomerAddress& record = *m_current;
        m_current = nullptr;
        try {
            m_done(record);
        } catch (...) {
            // The loader reports what it catches; the caller wants it back instead.
            m_takeError = std::current_exception();
            throw EXMLCancelException();
        }
    }
    void Clear() override {
        if (m_clear) m_clear();
        m_current = nullptr;
        m_depth = 0;
        m_nested = false;
        m_takeError = nullptr;
    }
    void WriteXML(TXmlContent, int) override {}
    QString className() const override { return QStringLiteral("TAddressListReader"); }

    // Parses the file or stream; rethrows what done() threw, false on a damaged document.
    bool run(const std::function<void()>& load, QString* errorText) {
        try {
            load();
        } catch (const EXMLCancelException&) {
            if (m_takeError) std::rethrow_exception(m_takeError);
        }
        if (m_nested) {
            if (errorText)
                *errorText =
                    _("Eine Adresse (\"kundenadr\") steht in einer anderen; verschachtelte "
                      "Adressen werden nicht gelesen.");
            return false;
        }
        if (errorText) *errorText = ErrorText;
        return !HasParseError;
    }

private:
    std::function<TCustomerAddress*()> m_next;
    std::function<void(TCustomerAddress&)> m_done;
    std::function<void()> m_clear;
    TCustomerAddress* m_current = nullptr;
    int m_depth = 0;  // open elements inside the current record, itself included
    bool m_nested = false;
    std::exception_ptr m_takeError;
};

// Builds the records in the list itself, so a damaged document leaves what was read.
TAddressListReader listReader(TCustomerAdressObjectList& list) {
    return TAddressListReader([&list] { return list.Add(); }, [](TCustomerAddress&) {},
                              [&list] { list.Clear(); });
}

void writeAll(TAddressListWriter& writer, const TCustomerAdressObjectList& list) {
    for (const auto& record : list) writer.Add(*record);
    writer.Finish();
}

}  // namespace

TAddressListWriter::TAddressListWriter(const QString& fileName)
    : m_file(std::make_unique<TAtomicFile>(fileName)), m_writer(m_file.get()) {
    m_file->Open();
    begin();
}

TAddressListWriter::TAddressListWriter(QIODevice* stream) : m_writer(stream) {
    begin();
}

TAddressListWriter::~TAddressListWriter() = default;

void TAddressListWriter::begin() {
    m_writer.WriteHeader();
    m_writer.WriteLine(QStringLiteral("<adressen>"));
}

void TAddressListWriter::Add(TCustomerAddress& record) {
    m_writer.Write(record.GetXMLBody(TXmlContent::Full, kListIndent));
    ++m_count;
}

void TAddressListWriter::Finish() {
    m_writer.WriteLine(QStringLiteral("</adressen>"));
    if (m_file) m_file->Commit();
}

void SaveAddressListToFile(const TCustomerAdressObjectList& list, const QString& fileName) {
    TAddressListWriter writer(fileName);
    writeAll(writer, list);
}

void SaveAddressListToStream(const TCustomerAdressObjectList& list, QIODevice* stream) {
    if (!stream) return;
    TAddressListWriter writer(stream);
    writeAll(writer, list);
}

bool LoadAddressListFromFile(const QString& fileName, TCustomerAdressObjectList& list,
                             QString* errorText) {
    TAddressListReader reader = listReader(list);
    return reader.run([&] { reader.LoadFromFile(fileName); }, errorText);
}

bool LoadAddressListFromStream(QIODevice* stream, TCustomerAdressObjectList& list,
                               QString* errorText) {
    TAddressListReader reader = listReader(list);
    return reader.run([&] { reader.LoadFromStream(stream); }, errorText);
}

bool ReadAddressListFromFile(const QString& fileName,
                             const std::function<void(TCustomerAddress&)>& take,
                             QString* errorText) {
    TCustomerAddress scratch;
    TAddressListReader reader(
        [&scratch] {
            scratch.Clear();
            return &scratch;
        },
        take, {});
    return reader.run([&] { reader.LoadFromFile(fileName); }, errorText);
}
