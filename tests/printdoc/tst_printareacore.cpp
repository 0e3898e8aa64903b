#include <QDir>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QtTest>

#include "app/conversions.h"
#include "app/systemeinstellungen.h"
#include "payments/vazdta.h"
#include "printdoc/printarealayoutscore.h"
#include "printdoc/printhelpersysdatb.h"
#include "testsupport.h"

namespace {

const QDateTime kNow(QDate(2026, 3, 10), QTime(10, 15, 30));

// The lines of a UTF-16LE print file with BOM; every line must end in CR LF.
QStringList printFileLines(const QByteArray& bytes) {
    if (!bytes.startsWith("\xFF\xFE")) return {QStringLiteral("<no byte-order mark>")};
    const QByteArray body = bytes.mid(2);
    const QString text =
        QString::fromUtf16(reinterpret_cast<const char16_t*>(body.constData()), body.size() / 2);
    if (!text.endsWith(QStringLiteral("\r\n"))) return {QStringLiteral("<no final CR LF>")};
    QStringList lines = text.split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
}

TBenutzerEinstellungen testUser(const QString& tmpDir) {
    TBenutzerEinstellungen user;
    user.User = QStringLiteral("MM");
    user.Vollname = QStringLiteral("Max Mustermann");
    user.KontaktTel = QStringLiteral("07131 12345");
    user.KontaktFax = QStringLiteral("07131 12346   ");
    user.KontaktEmail = QStringLiteral("mm@example.de");
    user.KontaktTxt = QStringLiteral("Büro & Verwaltung <Nord>\r\n");
    user.UserTmpDir = tmpDir;
    return user;
}

// Writes the document body between page parameters and CloseFile (one paragraph).
QStringList writeOneRowDocument(const QString& fileName,
                                const std::function<void(TPrintAreaLayoutsCore&)>& body) {
    TPrintAreaLayoutsCore doc;
    if (!doc.OpenFile(fileName)) return {};
    body(doc);
    doc.CloseFile();
    return printFileLines(ReadFileBytes(fileName));
}

// Escaping is XmlEscape's, checked in tst_conversions and by tst_xmlwriters.
struct RowCase {
    const char *name, *text;
    bool wordWrap;
    int alignment, color, size;
    const char *style, *font;
    bool withFormat;
    const char* line;  // after <row ffl="-1"
};
const RowCase kRowCases[] = {
    {"size only", "x", false, 0, 0, 11, "", "", true, R"( rplf="-1" fs="11">x</row>)"},
    {"everything, in order", "x", true, 2, 255, 9, "B", " Arial ", true,
     R"( rplf="-1" f="Arial" fc="255" fst="B" fs="9" ww="-1" al="2">x</row>)"},
    {"format ignored", "x", true, 1, 255, 9, "B", "Arial", false, R"( ww="-1" al="1">x</row>)"},
    {"plain", "x", false, 0, 0, 0, "", "", false, R"(>x</row>)"},
    {"format without values", "", false, 0, 0, 0, "", "  ", true, R"( rplf="-1"></row>)"},
    {"negative colour", "x", false, 3, -1, 0, "", "", true, R"( rplf="-1" fc="-1" al="3">x</row>)"},
};

}  // namespace

class TestPrintAreaCore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { m_clock = std::make_unique<PinnedClock>(kNow); }
    void cleanup() { m_clock.reset(); }

    // The cover sheet of a DTAUS file, composed the way the export wizard hands it over.
    void dtausCoverSheet() {
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath("TMP")) && QDir().mkpath(dir.filePath("BIN")));
        WriteFileBytes(dir.filePath("BIN/kwp00002"), "#!/bin/sh\n");
        const TBenutzerEinstellungen user = testUser(dir.filePath("TMP") + QLatin1Char('/'));

        TVazDTA dta;
        dta.SetAuftraggeberName(ToDTAAnsi(QStringLiteral("Bäckerei Müller & Söhne")));
        dta.SetAuftraggeberBLZ(37040044);
        dta.SetAuftraggeberKontoNr(532013000);
        dta.SetPath(dir.path());
        dta.Start();
        dta.AddBuchung("A", "Rechnung 1", "", "", 12.5, 10020030, 1234567890);
        dta.AddBuchung("B", "Rechnung 2", "", "", 1250.0, 50010517, 3234);
        dta.Finish();

        TPrintAreaLayoutsCore doc;
        doc.doctype = QStringLiteral("DTAUS Begleitzettel");
        doc.titel = doc.doctype, doc.pdffd = TPrintHelperSYSDATB::PdfFileName(doc.doctype);
        doc.usedformfile = 1, doc.form1 = doc.form2 = QStringLiteral("100000");
        doc.User = user.User, doc.UserFullName = user.Vollname;
        TPrintHelperSYSDATB::FillUserParams(doc, user);
        const QString fileName = TPrintHelperSYSDATB::TempPrintFileName(user.UserTmpDir, kNow);
        QCOMPARE(fileName, user.UserTmpDir + QStringLiteral("$4X60914274305556XX04.$$$"));
        QVERIFY(doc.OpenFile(fileName));
        doc.WriteHeader();
        QVERIFY(!doc.SelectHeaderLayout(QString()));
        doc.WritePageSet();
        doc.WritePageParams();
        auto rows = [&doc](const QStringList& texts) {
            doc.BeginParagraph({.topMargin = 5, .bottomMargin = 5});
            doc.BeginColumn(0, 10, 0);
            for (const QString& text : texts)
                doc.WriteRow(text, {.fontSize = 11, .withFormat = true});
            doc.EndColumn();
            doc.EndParagraph();
        };
        rows({QStringLiteral("Diskettenbegleitzettel vom 10.03.2026"),
              QStringLiteral("Datei DTAUS0.TXT für Gutschriften (Überweisungen)")});
        doc.WriteLine();
        rows({QString()});
        rows(dta.BegleitzettelText().split(QStringLiteral("\r\n")) + QStringList(5, QString()) +
             QStringList{QStringLiteral("Unterschrift")});
        doc.WriteLine();
        QVERIFY(doc.CloseFile());
        QVERIFY(!doc.HeaderWritten());

        QString golden = QString::fromUtf16(reinterpret_cast<const char16_t*>(
            ReadFileBytes(QStringLiteral(KWP_TEST_DATA_DIR "/begleitzettel.xml"))
                .mid(2)
                .constData()));
        golden.replace(QStringLiteral("{LABEL}"), XmlEscape(QStorageInfo(dir.path()).name()));
        QByteArray goldenBytes("\xFF\xFE");
        goldenBytes.append(reinterpret_cast<const char*>(golden.utf16()), golden.size() * 2);
        QCOMPARE(ReadFileBytes(fileName), goldenBytes);

        RecordingShell shell;
        QVERIFY(doc.StartPrintProgram(dir.filePath("BIN/KWP00002.EXE"), "FIRMA1", 1));
        QCOMPARE(shell.started.size(), 1);
        QCOMPARE(shell.started.first().program, dir.filePath("BIN/kwp00002"));
        QCOMPARE(shell.started.first().workingDir, dir.filePath("BIN"));
        // The print program owns the file now: it is still there for it.
        QVERIFY(QFileInfo::exists(fileName));
    }

    void rowAttributes_data() {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(std::size(kRowCases)); ++i) QTest::newRow(kRowCases[i].name) << i;
    }
    void rowAttributes() {
        QFETCH(int, row);
        const RowCase& r = kRowCases[row];
        QTemporaryDir dir;
        const QStringList lines = writeOneRowDocument(dir.filePath("p.xml"), [&](auto& doc) {
            doc.WriteRow(QString::fromUtf8(r.text), {.wordWrap = r.wordWrap,
                                                     .alignment = quint8(r.alignment),
                                                     .fontColor = r.color,
                                                     .fontSize = r.size,
                                                     .fontStyle = QString::fromUtf8(r.style),
                                                     .fontName = QString::fromUtf8(r.font),
                                                     .withFormat = r.withFormat});
        });
        QCOMPARE(lines, QStringList({R"(<?xml version="1.0" encoding="UTF-16"?>)",
                                     R"(     <row ffl="-1")" + QString::fromUtf8(r.line),
                                     "</printpreview>"}));
    }

    void structureLines_data() {
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("bottom");
        QTest::addColumn<bool>("newPage");
        QTest::addColumn<QString>("start");
        QTest::newRow("no attributes") << 0 << 0 << false << "  <parow>";
        QTest::newRow("bottom and new page") << 0 << 7 << true << R"(  <parow mb="7" np="1">)";
        QTest::newRow("all") << -3 << 4 << true << R"(  <parow mt="-3" mb="4" np="1">)";
    }
    void structureLines() {
        QFETCH(int, top);
        QFETCH(int, bottom);
        QFETCH(bool, newPage);
        QTemporaryDir dir;
        // A longer old file is replaced, not overwritten in place.
        WriteFileBytes(dir.filePath("p.xml"), QByteArray(10000, 'x'));
        const QStringList lines = writeOneRowDocument(dir.filePath("p.xml"), [&](auto& doc) {
            doc.BeginParagraph({.topMargin = top, .bottomMargin = bottom, .newPage = newPage});
            doc.BeginColumn(120, 3, 4);
            doc.WriteEmptyRow();
            doc.EndColumn();
            doc.BeginColumn(0, 0, 0);
            doc.EndColumn();
            doc.EndParagraph();
            doc.WriteLine();
        });
        QFETCH(QString, start);
        QCOMPARE(lines,
                 QStringList({R"(<?xml version="1.0" encoding="UTF-16"?>)", start,
                              R"(   <col w="120" ml="3" mr="4">)", R"(     <row ffl="-1" />)",
                              "   </col>", R"(   <col w="0" ml="0" mr="0">)", "   </col>",
                              "  </parow>", "  <line />", "</printpreview>"}));
    }

    void headerAndPageSet() {
        QTemporaryDir dir;
        TPrintAreaLayoutsCore doc;
        doc.doctype = QStringLiteral("Liste <A>");
        doc.titel = QStringLiteral("Titel & Co");
        doc.pdffd = QStringLiteral("Liste _A_.PDF");
        doc.pdffi = QStringLiteral("/archiv/liste.pdf");
        doc.form1 = QStringLiteral("100001"), doc.form2 = QStringLiteral("100002");
        for (const char* name : {"Kurz", "Lang"}) {
            TPrintColumnLayout* layout = doc.HeaderLayouts.Add();
            layout->name = QString::fromLatin1(name);
            TPrintColumnLayoutItem* first = layout->Add();
            first->caption = QStringLiteral("Nr. \"%1\"").arg(QString::fromLatin1(name));
            first->captstyle = QStringLiteral(" B ");
            first->width = 30, first->marginleft = 1, first->marginright = 2;
            first->align = TPrintColumnLayoutItem::alRight, first->utc = true;
            layout->Add()->caption = QStringLiteral("Name");
        }
        QVERIFY(!doc.SelectHeaderLayout(QStringLiteral("lang")));  // exact names only
        QVERIFY(doc.SelectHeaderLayout(QStringLiteral("Lang")));
        QCOMPARE(doc.SelectedHeaderLayout()->name, QStringLiteral("Lang"));
        QVERIFY(doc.OpenFile(dir.filePath("h.xml")));
        doc.WriteHeader();
        doc.WritePageSet();
        QVERIFY(doc.HeaderWritten());
        doc.SetPageParam(QStringLiteral("$A$"), QStringLiteral("  eins  "));
        doc.SetPageParam(QStringLiteral("$A$"), QStringLiteral("zwei"));
        doc.WritePageParams();
        QVERIFY(doc.CloseFile());
        QCOMPARE(
            printFileLines(ReadFileBytes(dir.filePath("h.xml"))),
            QStringList(
                {R"(<?xml version="1.0" encoding="UTF-16"?>)", "<printpreview>",
                 R"(  <docset doctype="Liste &lt;A&gt;" titel="Titel &amp; Co" pdffd="Liste _A_.PDF" usedformfile="0"/>)",
                 R"(    <pdffi fd="/archiv/liste.pdf" />)",
                 R"(  <pageset form1="100001" form2="100002" />)",
                 R"(  <headercol w="30" ml="1" mr="2" al="1" cap="Nr. &quot;Lang&quot;" fs="B" utc="-1" />)",
                 R"(  <headercol w="0" ml="0" mr="0" al="0" cap="Name" fs="" utc="0" />)",
                 "  <pageparams>", R"(    <pageparam key="$A$">  eins</pageparam>)",
                 R"(    <pageparam key="$A$">zwei</pageparam>)",
                 R"(    <pageparam key="$Datum$">10.03.2026</pageparam>)",
                 R"(    <pageparam key="$Uhrzeit$">10:15:30</pageparam>)", "  </pageparams>",
                 "</printpreview>"}));
    }

    void clearKeepsFormsAndFile() {
        QTemporaryDir dir;
        TPrintAreaLayoutsCore doc;
        doc.form1 = QStringLiteral("1"), doc.form2 = QStringLiteral("2");
        doc.doctype = doc.titel = doc.pdffd = doc.pdffi = doc.User = QStringLiteral("x");
        doc.usedformfile = 1;
        doc.HeaderLayouts.Add()->name = QStringLiteral("L");
        QVERIFY(doc.SelectHeaderLayout(QStringLiteral("L")));
        doc.SetPageParam(QStringLiteral("k"), QStringLiteral("v"));
        QVERIFY(doc.OpenFile(dir.filePath("c.xml")));
        doc.WritePageSet();
        doc.Date = QDate(2000, 1, 1);
        doc.Clear();
        QCOMPARE(doc.form1 + doc.form2 + doc.FileName, "12" + dir.filePath("c.xml"));
        QCOMPARE(doc.doctype + doc.titel + doc.pdffd + doc.pdffi + doc.User, QString());
        QCOMPARE(doc.usedformfile, quint8(0));
        QCOMPARE(doc.HeaderLayouts.Count() + doc.PageParams.Count(), 0);
        QVERIFY(!doc.SelectedHeaderLayout() && !doc.HeaderWritten());
        QCOMPARE(doc.Date, kNow.date());
        QVERIFY(doc.CloseFile());
    }

    void fillUserParams() {
        TPrintAreaLayoutsCore doc;
        TPrintHelperSYSDATB::FillUserParams(doc, testUser(QString()));
        QStringList pairs;
        for (const TDoubleString& pair : doc.PageParams) pairs << pair.key + "=" + pair.value;
        QCOMPARE(pairs,
                 QStringList({"$NameKurz$=MM", "$NameLang$=Max Mustermann", "$NameTel$=07131 12345",
                              "$NameFax$=07131 12346", "$NameEmail$=mm@example.de",
                              "$NameText$=Büro & Verwaltung <Nord>"}));
    }

    void pdfFileName_data() {
        QTest::addColumn<QString>("doctype");
        QTest::addColumn<QString>("pdf");
        QTest::newRow("slash and colon") << "  Liste 1/2: A  "
                                         << "Liste 1_2_ A.PDF";
        QTest::newRow("every forbidden character") << "!\"*/:<>?\\|"
                                                   << "__________.PDF";
        QTest::newRow("others stay") << "Äpfel & Birnen (2026).v1"
                                     << "Äpfel & Birnen (2026).v1.PDF";
        QTest::newRow("empty") << ""
                               << ".PDF";
    }
    void pdfFileName() {
        QFETCH(QString, doctype);
        QTEST(TPrintHelperSYSDATB::PdfFileName(doctype), "pdf");
    }

    // The name for kNow is pinned in dtausCoverSheet.
    void tempFileNameChangesWithTime() {
        QVERIFY(TPrintHelperSYSDATB::TempPrintFileName("/t/", kNow) !=
                TPrintHelperSYSDATB::TempPrintFileName("/t/", kNow.addSecs(1)));
    }

    void printProgramParameters_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("parameters");
        QTest::newRow("mode 1") << "/u/TMP/$1.$$$" << 1 << "FIRMA1 MM /u/TMP/$1.$$$ 1";
        QTest::newRow("mode 2") << "/u/x" << 2 << "FIRMA1 MM /u/x 2";
        QTest::newRow("mode 0") << "/u/x" << 0 << "FIRMA1 MM /u/x 0";
        QTest::newRow("other mode") << "/u/x" << 7 << "FIRMA1 MM /u/x 0";
        QTest::newRow("blank quoted") << "/u/MY DOCS/x" << 1 << "FIRMA1 MM \"/u/MY DOCS/x\" 1";
        QTest::newRow("already quoted") << "\"/u/A B/x\"" << 1 << "FIRMA1 MM \"/u/A B/x\" 1";
        QTest::newRow("ends with quote") << "/u/A B/x\"" << 1 << "FIRMA1 MM /u/A B/x\" 1";
        QTest::newRow("container")
            << "/u/DOC.CONTAINER/x.$$$" << 1 << "FIRMA1 MM /u/DOC.CONTAINER/x.$$$ 1 -CONTAINER";
        QTest::newRow("container, blank")
            << "/u/MY DOC.CONTAINER/x" << 0 << "FIRMA1 MM \"/u/MY DOC.CONTAINER/x\" 0 -CONTAINER";
        QTest::newRow("container is the file")
            << "/u/DOC.CONTAINER" << 2 << "FIRMA1 MM /u/DOC.CONTAINER 2";
    }
    void printProgramParameters() {
        QFETCH(QString, file);
        QFETCH(int, mode);
        QTemporaryDir dir;
        WriteFileBytes(dir.filePath("KWP00002.EXE"), "x");
        TPrintAreaLayoutsCore doc;
        doc.User = QStringLiteral("MM");
        doc.FileName = file;
        RecordingShell shell;
        QVERIFY(doc.StartPrintProgram(dir.filePath("KWP00002.EXE"), "FIRMA1", quint8(mode)));
        QCOMPARE(shell.started.size(), 1);
        QCOMPARE(shell.started.first().program, dir.filePath("KWP00002.EXE"));
        QTEST(shell.started.first().parameters, "parameters");
    }

    void printProgramFails_data() {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QString>("message");  // after the directory
        QTest::newRow("missing") << false
                                 << "Kann die angegebene Datei nicht finden: %1KWP00002.EXE";
        QTest::newRow("refuses to start")
            << true << "Das Programm \"%1kwp00002\" konnte nicht gestartet werden.";
    }
    void printProgramFails() {
        QFETCH(bool, exists);
        QFETCH(QString, message);
        QTemporaryDir dir;
        if (exists) WriteFileBytes(dir.filePath("kwp00002"), "x");
        TPrintAreaLayoutsCore doc;
        doc.FileName = dir.filePath("p.xml");
        RecordingShell shell;
        shell.result = false;
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        QVERIFY(!doc.StartPrintProgram(dir.filePath("KWP00002.EXE"), "FIRMA1", 1));
        QCOMPARE(shell.started.size(), exists ? 1 : 0);
        QCOMPARE(dialogs.shown().size(), 1);
        QVERIFY2(dialogs.texts().first().contains(message.arg(dir.path() + u'/')),
                 qPrintable(dialogs.texts().first()));
    }

    // A failed open or write is reported once, as an error; the caller goes on unharmed.
    void unwritableFile_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QString>("reason");  // empty: any
        QTest::newRow("missing folder") << "missing/p.xml" << false << "";
        QTest::newRow("full disk")
            << "/dev/full" << true
            << "Kann Datei \"/dev/full\" nicht schreiben: Der Datenträger ist voll.";
    }
    void unwritableFile() {
        QFETCH(QString, path);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString fileName = QDir(dir.path()).filePath(path);
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        TPrintAreaLayoutsCore doc;
        QTEST(doc.OpenFile(fileName), "opens");
        doc.WriteHeader();
        doc.WriteRow("x", {.fontSize = 11, .withFormat = true});
        QVERIFY(!doc.CloseFile());
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown().first().type, mtError);
        const QString text = dialogs.texts().first();
        QVERIFY2(
            text.startsWith("Druckdatei kann nicht geschrieben werden !\n") && text.size() > 43,
            qPrintable(text));
        if (!reason.isEmpty()) QCOMPARE(text.mid(43), reason);
        if (!path.startsWith(u'/')) QVERIFY(!QFileInfo::exists(fileName));
    }

private:
    std::unique_ptr<PinnedClock> m_clock;
};

KWP_REGISTER_TEST(TestPrintAreaCore)
#include "tst_printareacore.moc"
