#pragma once

#include <QString>
#include <functional>

#include <memory>

#include "app/atomicfile.h"
#include "persistence/xmlcorewriter.h"

class QIODevice;
class TCustomerAddress;
class TCustomerAdressObjectList;

// An "<adressen>" document: the full "kundenadr" element of every record, as UTF-16LE with
// byte-order mark. Serves the pick-mode result file and the import and export of the setup
// tool.

// Writes a list of any length record by record, in the memory of one record; throws
// EKwpError. A file is put in place by Finish() only (temporary file beside the target,
// renamed); a stream stays the caller's.
class TAddressListWriter {
public:
    explicit TAddressListWriter(const QString& fileName);
    explicit TAddressListWriter(QIODevice* stream);
    ~TAddressListWriter();
    TAddressListWriter(const TAddressListWriter&) = delete;
    TAddressListWriter& operator=(const TAddressListWriter&) = delete;

    void Add(TCustomerAddress& record);
    void Finish();
    int Count() const { return m_count; }

private:
    void begin();

    std::unique_ptr<TAtomicFile> m_file;  // none for a caller's stream
    TDBXMLCoreWriter m_writer;
    int m_count = 0;
};

// Written through TAddressListWriter; throws EKwpError.
void SaveAddressListToFile(const TCustomerAdressObjectList& list, const QString& fileName);
// Throws EKwpError when the stream does not take every byte.
void SaveAddressListToStream(const TCustomerAdressObjectList& list, QIODevice* stream);

// Replace the content of list with the records of the document. A missing file gives an
// empty list. On a damaged document the parser error has been reported, the list keeps the
// records read before the damage, errorText describes it and the result is false.
bool LoadAddressListFromFile(const QString& fileName, TCustomerAdressObjectList& list,
                             QString* errorText = nullptr);
bool LoadAddressListFromStream(QIODevice* stream, TCustomerAdressObjectList& list,
                               QString* errorText = nullptr);
// Hands each record to take as soon as its element ends, so a list of any length is read in
// the memory of one record (which is reused afterwards). What take throws stops the reading
// and comes out here. False with errorText on a damaged document, as above.
bool ReadAddressListFromFile(const QString& fileName,
                             const std::function<void(TCustomerAddress&)>& take,
                             QString* errorText = nullptr);
