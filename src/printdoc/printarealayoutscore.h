#pragma once

#include <QDate>
#include <QString>
#include <QTime>
#include <memory>
#include <vector>

#include "persistence/xmlcoreobject.h"
#include "printdoc/printcolumnlayout.h"

class TDBXMLCoreWriter;

// Spacing of a paragraph; newPage starts it on a new page.
struct TParagraphFormat {
    int topMargin = 0;
    int bottomMargin = 0;
    bool newPage = false;
};

// How a row is set. The font fields are written only withFormat; zero and empty values are left
// to the print program.
struct TRowFormat {
    bool wordWrap = false;
    quint8 alignment = 0;
    int fontColor = 0;
    int fontSize = 0;
    QString fontStyle{};
    QString fontName{};
    bool withFormat = false;
};

// A key/value pair, used for the page parameters.
struct TDoubleString {
    QString key;
    QString value;
};

// Owning, ordered list of key/value pairs; keys may repeat.
class TDoubleStringListObjectList {
public:
    int Count() const { return int(m_items.size()); }
    const TDoubleString& Items(int i) const { return m_items.at(size_t(i)); }
    void Add(const QString& key, const QString& value) { m_items.push_back({key, value}); }
    void Clear() { m_items.clear(); }

    std::vector<TDoubleString>::const_iterator begin() const { return m_items.begin(); }
    std::vector<TDoubleString>::const_iterator end() const { return m_items.end(); }

private:
    std::vector<TDoubleString> m_items;
};

// Writes a print document for the suite's print program "KWP00002.EXE": a UTF-16LE XML file
// of paragraphs, columns and rows, written line by line, then hands it over.
// Order: set the fields, FillUserParams, OpenFile, WriteHeader, SelectHeaderLayout,
// WritePageSet, WritePageParams, paragraphs and lines, CloseFile, StartPrintProgram.
class TPrintAreaLayoutsCore : public TDBXMLCoreObject {
public:
    TPrintAreaLayoutsCore();
    ~TPrintAreaLayoutsCore() override;

    // Documents are only written here; reading layouts is left to the print program.
    void StartElement(const QString& namespaceUri, const QString& localName, const QString& qName,
                      const TXmlAttributes& attributes) override;
    void Characters(const QString& chunk) override;
    void EndElement(const QString& namespaceUri, const QString& localName,
                    const QString& qName) override;
    // Empties lists and document settings; form1, form2 and the file name stay.
    void Clear() override;
    void WriteXML(TXmlContent content, int indent) override;
    QString className() const override { return QStringLiteral("TPrintAreaLayoutsCore"); }

    // Creates the file (an old one is replaced); a failure is shown and gives false.
    bool OpenFile(const QString& fileName);
    void WriteHeader();
    // Selects the header layout of exactly this name; none found clears the selection.
    bool SelectHeaderLayout(const QString& name);
    void WritePageSet();
    void SetPageParam(const QString& key, const QString& value);
    // Adds "$Datum$" and "$Uhrzeit$" and writes all page parameters.
    void WritePageParams();
    void BeginParagraph(const TParagraphFormat& format = {});
    void EndParagraph();
    void BeginColumn(int width, int leftMargin, int rightMargin);
    void EndColumn();
    void WriteRow(const QString& text, const TRowFormat& format = {});
    void WriteEmptyRow();
    void WriteLine();
    // Ends the document and puts the file in place; a failure is shown and gives false.
    bool CloseFile();
    // Hands the written file to the print program; the program owns it from then on.
    bool StartPrintProgram(const QString& programFile, const QString& tenant, quint8 mode);
    // The parameter string StartPrintProgram passes.
    QString PrintProgramParameters(const QString& tenant, quint8 mode) const;

    bool IsOpen() const { return m_writer != nullptr; }
    bool HeaderWritten() const { return m_headerWritten; }
    const TPrintColumnLayout* SelectedHeaderLayout() const { return m_selectedHeaderLayout; }

    TPrintColumnLayoutObjectList HeaderLayouts;
    TDoubleStringListObjectList PageParams;
    QString doctype;
    QString titel;
    quint8 usedformfile = 0;
    QString pdffd;
    QString pdffi;
    QDate Date;
    QTime Time;
    QString User;
    QString UserFullName;
    QString form1;
    QString form2;

private:
    void writeDocLine(const QString& line);

    std::unique_ptr<TDBXMLCoreWriter> m_writer;
    TPrintColumnLayout* m_selectedHeaderLayout = nullptr;
    bool m_headerWritten = false;
};
