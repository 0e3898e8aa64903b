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
        TBenutzerEinstellungen user;
        user.User = QStringLiteral("MM");
        user.Vollname = QStringLiteral("Max Mustermann");
        user.KontaktTel = QStringLiteral("07131 12345");
        user.KontaktFax = QStringLiteral("07131 12346   ");
        user.KontaktEmail = QStringLiteral("mm@example.de");
        user.KontaktTxt = QStringLiteral("Büro & Verwaltung <Nord>\r\n");
        user.UserTmpDir = dir.filePath("TMP") + QLatin1Char('/');

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

    // Attributes are written only when set, in this order; escaping is XmlEscape's.
    void bodyLines() {
        QTemporaryDir dir;
        const QString fileName = dir.filePath("p.xml");
        // A longer old file is replaced, not overwritten in place.
        WriteFileBytes(fileName, QByteArray(10000, 'x'));
        TPrintAreaLayoutsCore doc;
        QVERIFY(doc.OpenFile(fileName));
        doc.BeginParagraph({.topMargin = -3, .bottomMargin = 4, .newPage = true});
        doc.BeginColumn(120, 3, 4);
        doc.WriteRow("x", {.fontSize = 11, .withFormat = true});
        doc.WriteRow("x", {.wordWrap = true,
                           .alignment = 2,
                           .fontColor = 255,
                           .fontSize = 9,
                           .fontStyle = "B",
                           .fontName = " Arial ",
                           .withFormat = true});
        doc.WriteRow("x");
        doc.WriteRow("", {.fontName = "  ", .withFormat = true});
        doc.WriteEmptyRow();
        doc.EndColumn();
        doc.EndParagraph();
        doc.BeginParagraph();
        doc.BeginColumn(0, 0, 0);
        doc.EndColumn();
        doc.EndParagraph();
        doc.WriteLine();
        QVERIFY(doc.CloseFile());
        QCOMPARE(
            printFileLines(ReadFileBytes(fileName)),
            QStringList(
                {R"(<?xml version="1.0" encoding="UTF-16"?>)", R"(  <parow mt="-3" mb="4" np="1">)",
                 R"(   <col w="120" ml="3" mr="4">)",
                 R"(     <row ffl="-1" rplf="-1" fs="11">x</row>)",
                 R"(     <row ffl="-1" rplf="-1" f="Arial" fc="255" fst="B" fs="9" ww="-1" al="2">x</row>)",
                 R"(     <row ffl="-1">x</row>)", R"(     <row ffl="-1" rplf="-1"></row>)",
                 R"(     <row ffl="-1" />)", "   </col>", "  </parow>", "  <parow>",
                 R"(   <col w="0" ml="0" mr="0">)", "   </col>", "  </parow>", "  <line />",
                 "</printpreview>"}));
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

    void printProgramParameters() {
        QTemporaryDir dir;
        WriteFileBytes(dir.filePath("KWP00002.EXE"), "x");
        for (const auto& [file, mode, parameters] :
             {std::tuple{"/u/TMP/$1.$$$", 1, "FIRMA1 MM /u/TMP/$1.$$$ 1"},
              {"/u/MY DOCS/x", 1, "FIRMA1 MM \"/u/MY DOCS/x\" 1"},
              {"/u/DOC.CONTAINER/x.$$$", 1, "FIRMA1 MM /u/DOC.CONTAINER/x.$$$ 1 -CONTAINER"}}) {
            TPrintAreaLayoutsCore doc;
            doc.User = QStringLiteral("MM");
            doc.FileName = QString::fromUtf8(file);
            RecordingShell shell;
            QVERIFY(doc.StartPrintProgram(dir.filePath("KWP00002.EXE"), "FIRMA1", quint8(mode)));
            QCOMPARE(shell.started.size(), 1);
            QCOMPARE(shell.started.first().program, dir.filePath("KWP00002.EXE"));
            QCOMPARE(shell.started.first().parameters, QString::fromUtf8(parameters));
        }
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
        shell.result = TShellResult::NotStarted;
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
