#include "printdoc/printarealayoutscore.h"

#include <QFileInfo>

#include "app/atomicfile.h"
#include "app/clock.h"
#include "app/conversions.h"
#include "app/dialogs.h"
#include "app/errorreport.h"
#include "app/format.h"
#include "app/shell.h"
#include "app/translation.h"
#include "persistence/xmlcorewriter.h"

namespace {

QString printdocQuoted(const QString& value) {
    return QLatin1Char('"') + XmlEscape(value) + QLatin1Char('"');
}

}  // namespace

TPrintAreaLayoutsCore::TPrintAreaLayoutsCore() {
    Clear();
}

TPrintAreaLayoutsCore::~TPrintAreaLayoutsCore() = default;

void TPrintAreaLayoutsCore::StartElement(const QString&, const QString&, const QString&,
                                         const TXmlAttributes&) {}

void TPrintAreaLayoutsCore::Characters(const QString&) {}

void TPrintAreaLayoutsCore::EndElement(const QString&, const QString&, const QString&) {}

void TPrintAreaLayoutsCore::Clear() {
    m_selectedHeaderLayout = nullptr;
    HeaderLayouts.Clear();
    PageParams.Clear();
    doctype.clear();
    titel.clear();
    pdffd.clear();
    pdffi.clear();
    User.clear();
    UserFullName.clear();
    usedformfile = 0;
    const QDateTime now = Now();
    Date = now.date();
    Time = now.time();
    m_headerWritten = false;
}

void TPrintAreaLayoutsCore::WriteXML(TXmlContent, int) {}

bool TPrintAreaLayoutsCore::OpenFile(const QString& fileName) {
    m_writer.reset();
    FileName = fileName;
    try {
        auto file = std::make_unique<TAtomicFile>(fileName);
        file->Open();
        auto writer = std::make_unique<TDBXMLCoreWriter>(std::move(file));
        writer->WriteHeader();
        m_writer = std::move(writer);
        return true;
    } catch (const std::exception& error) {
        const auto* own = dynamic_cast<const EKwpError*>(&error);
        const QString reason = own ? own->message() : QString::fromLocal8Bit(error.what());
        ShowMessageDlg(_("Druckdatei kann nicht geschrieben werden !") + QLatin1Char('\n') + reason,
                       mtError, mbOK);
        return false;
    }
}

void TPrintAreaLayoutsCore::writeDocLine(const QString& line) {
    // Without an open file (OpenFile failed) there is nothing to write to.
    if (m_writer) m_writer->WriteLine(line);
}

void TPrintAreaLayoutsCore::WriteHeader() {
    writeDocLine(QStringLiteral("<printpreview>"));
    writeDocLine(QStringLiteral("  <docset doctype=") + printdocQuoted(doctype) +
                 QStringLiteral(" titel=") + printdocQuoted(titel) + QStringLiteral(" pdffd=") +
                 printdocQuoted(pdffd) + QStringLiteral(" usedformfile=\"") +
                 QString::number(usedformfile) + QStringLiteral("\"/>"));
    if (!pdffi.isEmpty())
        writeDocLine(QStringLiteral("    <pdffi fd=") + printdocQuoted(pdffi) +
                     QStringLiteral(" />"));
}

bool TPrintAreaLayoutsCore::SelectHeaderLayout(const QString& name) {
    m_selectedHeaderLayout = HeaderLayouts.FindByName(name);
    return m_selectedHeaderLayout != nullptr;
}

void TPrintAreaLayoutsCore::WritePageSet() {
    writeDocLine(QStringLiteral("  <pageset form1=") + printdocQuoted(form1) +
                 QStringLiteral(" form2=") + printdocQuoted(form2) + QStringLiteral(" />"));
    if (!m_selectedHeaderLayout) return;
    for (const auto& column : *m_selectedHeaderLayout) {
        writeDocLine(QStringLiteral("  <headercol w=\"%1\" ml=\"%2\" mr=\"%3\" al=\"%4\" cap=")
                         .arg(column->width)
                         .arg(column->marginleft)
                         .arg(column->marginright)
                         .arg(column->align) +
                     printdocQuoted(column->caption) + QStringLiteral(" fs=") +
                     printdocQuoted(column->captstyle.trimmed()) + QStringLiteral(" utc=") +
                     printdocQuoted(BoolToXml(column->utc)) + QStringLiteral(" />"));
    }
    m_headerWritten = true;
}

void TPrintAreaLayoutsCore::SetPageParam(const QString& key, const QString& value) {
    qsizetype end = value.size();
    // Like the suite's right trim: blanks and control characters (a contact text may end
    // with a line break).
    while (end > 0 && value.at(end - 1).unicode() <= 0x20) --end;
    PageParams.Add(key, value.left(end));
}

void TPrintAreaLayoutsCore::WritePageParams() {
    SetPageParam(QStringLiteral("$Datum$"), DateToStr(Date));
    SetPageParam(QStringLiteral("$Uhrzeit$"), TimeToStr(Time));
    writeDocLine(QStringLiteral("  <pageparams>"));
    for (const TDoubleString& pair : PageParams)
        writeDocLine(QStringLiteral("    <pageparam key=") + printdocQuoted(pair.key) +
                     QLatin1Char('>') + XmlEscape(pair.value) + QStringLiteral("</pageparam>"));
    writeDocLine(QStringLiteral("  </pageparams>"));
}

void TPrintAreaLayoutsCore::BeginParagraph(const TParagraphFormat& format) {
    QString line = QStringLiteral("  <parow");
    if (format.topMargin != 0) line += QStringLiteral(" mt=\"%1\"").arg(format.topMargin);
    if (format.bottomMargin != 0) line += QStringLiteral(" mb=\"%1\"").arg(format.bottomMargin);
    if (format.newPage) line += QStringLiteral(" np=\"1\"");
    writeDocLine(line + QLatin1Char('>'));
}

void TPrintAreaLayoutsCore::EndParagraph() {
    writeDocLine(QStringLiteral("  </parow>"));
}

void TPrintAreaLayoutsCore::BeginColumn(int width, int leftMargin, int rightMargin) {
    writeDocLine(QStringLiteral("   <col w=\"%1\" ml=\"%2\" mr=\"%3\">")
                     .arg(width)
                     .arg(leftMargin)
                     .arg(rightMargin));
}

void TPrintAreaLayoutsCore::EndColumn() {
    writeDocLine(QStringLiteral("   </col>"));
}

void TPrintAreaLayoutsCore::WriteRow(const QString& text, const TRowFormat& format) {
    QString line = QStringLiteral("     <row ffl=\"-1\"");
    if (format.withFormat) {
        line += QStringLiteral(" rplf=") + printdocQuoted(BoolToXml(true));
        if (!format.fontName.trimmed().isEmpty())
            line += QStringLiteral(" f=") + printdocQuoted(format.fontName.trimmed());
        if (format.fontColor != 0) line += QStringLiteral(" fc=\"%1\"").arg(format.fontColor);
        if (!format.fontStyle.isEmpty())
            line += QStringLiteral(" fst=") + printdocQuoted(format.fontStyle);
        if (format.fontSize != 0) line += QStringLiteral(" fs=\"%1\"").arg(format.fontSize);
    }
    if (format.wordWrap) line += QStringLiteral(" ww=") + printdocQuoted(BoolToXml(true));
    if (format.alignment != 0) line += QStringLiteral(" al=\"%1\"").arg(format.alignment);
    writeDocLine(line + QLatin1Char('>') + XmlEscape(text) + QStringLiteral("</row>"));
}

void TPrintAreaLayoutsCore::WriteEmptyRow() {
    writeDocLine(QStringLiteral("     <row ffl=\"-1\" />"));
}

void TPrintAreaLayoutsCore::WriteLine() {
    writeDocLine(QStringLiteral("  <line />"));
}

bool TPrintAreaLayoutsCore::CloseFile() {
    if (!m_writer) return false;
    try {
        m_writer->WriteLine(QStringLiteral("</printpreview>"));
        m_writer->Close();
        m_writer.reset();
        return true;
    } catch (const EKwpError& error) {
        ShowMessageDlg(
            _("Druckdatei kann nicht geschrieben werden !") + QLatin1Char('\n') + error.message(),
            mtError, mbOK);
        m_writer.reset();
        return false;
    }
}

QString TPrintAreaLayoutsCore::PrintProgramParameters(const QString& tenant, quint8 mode) const {
    QString modeText = mode == 1   ? QStringLiteral("1")
                       : mode == 2 ? QStringLiteral("2")
                                   : QStringLiteral("0");
    // A file inside a document container tells the print program to file the result there.
    if (FileName.contains(QLatin1String(".CONTAINER/"), Qt::CaseInsensitive) ||
        FileName.contains(QLatin1String(".CONTAINER\\"), Qt::CaseInsensitive))
        modeText += QStringLiteral(" -CONTAINER");
    QString file = FileName;
    if (file.contains(QLatin1Char(' ')) && !file.startsWith(QLatin1Char('"')) &&
        !file.endsWith(QLatin1Char('"')))
        file = QLatin1Char('"') + file + QLatin1Char('"');
    return tenant + QLatin1Char(' ') + User + QLatin1Char(' ') + file + QLatin1Char(' ') + modeText;
}

bool TPrintAreaLayoutsCore::StartPrintProgram(const QString& programFile, const QString& tenant,
                                              quint8 mode) {
    const QFileInfo info(programFile);
    const QString program = ResolveProgramFile(info.path(), info.fileName());
    if (program.isEmpty()) {
        ReportError(sevError,
                    FormatStr(_("Kann die angegebene Datei nicht finden: %s"), {programFile}));
        return false;
    }
    if (ShellService().startProgram(program, PrintProgramParameters(tenant, mode),
                                    QFileInfo(program).absolutePath()) != TShellResult::Ok) {
        ReportError(sevError,
                    FormatStr(_("Das Programm \"%s\" konnte nicht gestartet werden."), {program}));
        return false;
    }
    return true;
}
