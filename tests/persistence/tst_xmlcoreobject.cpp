#include <QtTest>
#include <functional>

#include "app/conversions.h"
#include "persistence/xmlcoreobject.h"
#include "testsupport.h"

namespace {

struct SampleValues {
    QString name;
    QString note;
    int count = 0;
    double amount = 0.0;
    bool active = false;
    QDateTime changed;
};

// A record as the program's XML objects are written: attributes for short values, element
// text collected in TextBuffer for long ones.
class TSampleRecord : public TDBXMLCoreObject, public SampleValues {
public:
    int noteChunks = 0;
    std::function<void(const QString& qName)> onStart;

    QString className() const override { return "TSampleRecord"; }

    void StartElement(const QString&, const QString&, const QString& qName,
                      const TXmlAttributes& attributes) override {
        if (qName == "sample") {
            name = attributes.value("name");
            count = ToInt(attributes.value("count"), 0);
            amount = ToFloat(attributes.value("amount"), 0.0);
            active = ToBool(attributes.value("active"), false);
            if (attributes.has("changed"))
                changed = DayNumberToDateTime(ToFloat(attributes.value("changed"), 0.0));
        } else if (qName == "note") {
            CurrentElement = qName;
            TextBuffer.clear();
        }
        if (onStart) onStart(qName);
    }
    void Characters(const QString& chunk) override {
        if (CurrentElement != "note") return;
        TextBuffer.appendWideString(chunk);
        ++noteChunks;
    }
    void EndElement(const QString&, const QString&, const QString& qName) override {
        if (qName == "note" && CurrentElement == "note") {
            note = TextBuffer.dataString();
            CurrentElement.clear();
        }
    }
    void Clear() override {
        static_cast<SampleValues&>(*this) = {};
        noteChunks = 0;
    }
    void WriteXML(TXmlContent content, int) override {
        WriteFormatLine(
            "<sample name=\"%s\" count=\"%d\" amount=\"%s\" active=\"%s\" changed=\"%s\">",
            {XmlEscape(name), count, FloatToStr(amount), BoolToXml(active),
             FloatToStr(DateTimeToDayNumber(changed))});
        Write("<note>");
        Write(XmlEscape(note));
        WriteLine("</note>");
        if (content == TXmlContent::Full) {
            WriteFormat("<memo>%s</memo>", {"voll"});
            WriteLine("");
        }
        WriteLine("</sample>");
    }
    void fill(const SampleValues& values) { static_cast<SampleValues&>(*this) = values; }
};

QVariantList fields(const SampleValues& v) {
    return {v.name, v.note, v.count, v.amount, v.active, v.changed};
}

// The values written in data/sample_golden.xml.
const SampleValues kGolden{"a&b \"c\"", "x<y\r\nz", 42,
                           1234.5,      true,       QDateTime(QDate(2023, 3, 15), QTime(6, 0))};
const QString kGoldenPath = KWP_TEST_DATA_DIR "/sample_golden.xml";

QByteArray utf16Bytes(const QString& text) {
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

}  // namespace

Q_DECLARE_METATYPE(SampleValues)

class TestXmlCoreObject : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void saveAndLoadRestoresEveryField_data() {
        QTest::addColumn<SampleValues>("values");
        // Markup, line breaks in attributes, format characters, text beyond Latin-1 and
        // whitespace at the ends must all come back as they were.
        QTest::newRow("texts") << SampleValues{
            "  <a href=\"x\">'Tom' & Jerry</a>\r\nZeile2\rZeile3\n100% %s %d Grüße 😀 € ✓ 中文 𝄞  ",
            "  \t if (a < b && c > d) { s = \"x'\"; }\r\nb\rc\nd %% Ölmühle\t😀𝄞 ẞ\r\n\r\n  ",
            7,
            -0.5,
            true,
            QDateTime(QDate(2023, 3, 15), QTime(6, 7, 8, 123))};
        // Beyond the parser's buffer: the text arrives in chunks.
        SampleValues longNote = kGolden;
        // Mixed one-, two- and four-byte characters and markup, so that chunk and buffer
        // boundaries fall inside every kind of character.
        const QStringList pieces = {"a", "Straße ", "ä", "😀", "\r\n", "&", "<b>", "\"", "中", "𝄞"};
        QRandomGenerator random(42);
        while (longNote.note.size() < 200000) longNote.note += pieces.at(random.bounded(10));
        QTest::newRow("long text") << longNote;
    }
    void saveAndLoadRestoresEveryField() {
        QFETCH(SampleValues, values);
        ScriptedDialogs dialogs;
        QTemporaryDir dir;
        const QString path = dir.filePath("sample.xml");
        TSampleRecord saved;
        saved.fill(values);
        saved.SaveToFile(path);
        TSampleRecord loaded;
        loaded.LoadFromFile(path);
        QVERIFY2(!loaded.HasParseError, qPrintable(loaded.ErrorText));
        QCOMPARE(fields(loaded), fields(values));
        if (values.note.size() > 100000) QVERIFY(loaded.noteChunks > 1);
    }

    void writtenBytesMatchGolden() {
        ScriptedDialogs dialogs;
        QTemporaryDir dir;
        const QString path = dir.filePath("sample.xml");
        WriteFileBytes(path, "OLD CONTENT THAT IS LONGER THAN NOTHING");
        TSampleRecord record;
        record.fill(kGolden);
        record.SaveToFile(path);
        QCOMPARE(ReadFileBytes(path), ReadFileBytes(kGoldenPath));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"sample.xml"});
    }

    // The plain encodings every reader loads are in tests/address/tst_xmlreaders.cpp; files in
    // the Windows code page hold characters Latin-1 lacks.
    void windowsCodePageLoads() {
        ScriptedDialogs dialogs;
        QTemporaryDir dir;
        WriteFileBytes(dir.filePath("fremd.xml"),
                       "<?xml version=\"1.0\" encoding=\"windows-1252\"?>"
                       "<sample name=\"\x80 \x84Gr\xFC\xDF"
                       "e\x93 \x8A\"/>");
        TSampleRecord record;
        record.LoadFromFile(dir.filePath("fremd.xml"));
        QVERIFY2(!record.HasParseError, qPrintable(record.ErrorText));
        QCOMPARE(record.name, "€ „Grüße“ Š");
    }

    // Damaged files in general are in tests/address/tst_xmlreaders.cpp; these rows pin the
    // message with its position.
    void malformedFilesAreReported_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("start");  // message and position
        const QByteArray header = ReadFileBytes(kGoldenPath).left(2 + 2 * 41);  // BOM, declaration
        const QString entity = "<sample name=\"x\">\r\n<note>a &bogus; b</note>\r\n</sample>\r\n";
        QTest::newRow("bad entity")
            << header + utf16Bytes(entity) << "undefined entity Line 3 Column 9";
        // A hostile file must be refused, not expanded until the memory is gone.
        QByteArray bomb = "<?xml version=\"1.0\"?><!DOCTYPE l [<!ENTITY a \"aaaaaaaaaa\">";
        for (char c = 'b'; c <= 'i'; ++c)
            bomb += "<!ENTITY " + QByteArray(1, c) + " \"" +
                    ("&" + QByteArray(1, char(c - 1)) + ";").repeated(10) + "\">";
        QTest::newRow("entity expansion bomb") << bomb + "]><l>&i;</l>" << QString();
    }
    void malformedFilesAreReported() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, start);
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        QTemporaryDir dir;
        const QString path = dir.filePath("kaputt.xml");
        WriteFileBytes(path, bytes);
        TSampleRecord record;
        record.LoadFromFile(path);
        QVERIFY(record.HasParseError);
        const QString& error = record.ErrorText;
        QVERIFY2(error.startsWith(start) && error.contains(" Line "), qPrintable(error));
        QVERIFY2(error.endsWith("\nTSampleRecord " + path), qPrintable(error));
        QCOMPARE(dialogs.shown().size(), 1);
        QVERIFY(dialogs.texts().at(0).startsWith(error));
    }

    void errorStateIsResetByTheNextLoad() {
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        QTemporaryDir dir;
        WriteFileBytes(dir.filePath("kaputt.xml"), "<sample name=\"alt\"><note>");
        TSampleRecord record;
        record.LoadFromFile(dir.filePath("kaputt.xml"));
        QVERIFY(record.HasParseError);
        QCOMPARE(record.name, "alt");  // what the handlers reached before the error stays
        record.LoadFromFile(kGoldenPath);
        QVERIFY(!record.HasParseError);
        QCOMPARE(record.ErrorText, QString());
        QCOMPARE(fields(record), fields(kGolden));
        // An absent file leaves the object cleared, silently.
        record.LoadFromFile(dir.filePath("gibtesnicht.xml"));
        QCOMPARE(fields(record), fields({}));
        QVERIFY(!record.HasParseError);
        QCOMPARE(dialogs.shown().size(), 1);
    }

    // A handler's own error ends the reading with a report naming the object and the file.
    void handlerErrorIsReported() {
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        TSampleRecord record;
        record.onStart = [](const QString& qName) {
            if (qName == "note") throw EKwpError("Wert ungültig");
        };
        record.LoadFromFile(kGoldenPath);
        const QString text = dialogs.texts().value(0);
        QVERIFY2(text.startsWith("XML-Analysefehler.\r\nTSampleRecord\r\n" + kGoldenPath + "\n") &&
                     text.contains("ungültig"),
                 qPrintable(text));
        // Parsing stopped at the throwing handler: the note was begun, never ended.
        QCOMPARE(record.note, QString());
        QCOMPARE(record.name, kGolden.name);
        QVERIFY(!record.HasParseError);
    }
};

KWP_REGISTER_TEST(TestXmlCoreObject)
#include "tst_xmlcoreobject.moc"
