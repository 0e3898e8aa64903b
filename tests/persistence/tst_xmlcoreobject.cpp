#include <QBuffer>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <limits>
#include <stdexcept>

#include "app/conversions.h"
#include "persistence/xmlcoreobject.h"
#include "testsupport.h"

namespace {

// A record as the program's XML objects are written: attributes for short values, element
// text collected in TextBuffer for long ones.
class TSampleRecord : public TDBXMLCoreObject {
public:
    QString name;
    QString note;
    int count = 0;
    double amount = 0.0;
    bool active = false;
    QDateTime changed;

    // What the tests observe.
    QStringList events;
    int noteChunks = 0;
    int lastReserved = -1;
    std::function<void(const QString& qName)> onStart;

    QString className() const override { return QStringLiteral("TSampleRecord"); }

    void StartElement(const QString& uri, const QString& localName, const QString& qName,
                      const TXmlAttributes& attributes) override {
        events << "start " + uri + "|" + localName + "|" + qName;
        for (int i = 0; i < attributes.count(); ++i) {
            events << "attr " + attributes.uri(i) + "|" + attributes.localName(i) + "|" +
                          attributes.name(i) + "=" + attributes.value(i);
        }
        if (onStart) onStart(qName);
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
    }
    void Characters(const QString& chunk) override {
        if (CurrentElement != "note") return;
        TextBuffer.appendWideString(chunk);
        ++noteChunks;
    }
    void EndElement(const QString& uri, const QString& localName, const QString& qName) override {
        events << "end " + uri + "|" + localName + "|" + qName;
        if (qName == "note" && CurrentElement == "note") {
            note = TextBuffer.dataString();
            CurrentElement.clear();
        }
    }
    void Clear() override {
        name.clear();
        note.clear();
        count = 0;
        amount = 0.0;
        active = false;
        changed = QDateTime();
        events.clear();
        noteChunks = 0;
    }
    void WriteXML(bool flag, int reserved) override {
        lastReserved = reserved;
        WriteFormatLine(
            "<sample name=\"%s\" count=\"%d\" amount=\"%s\" active=\"%s\" changed=\"%s\">",
            {XmlEscape(name), count, FloatToStr(amount), BoolToXml(active),
             FloatToStr(DateTimeToDayNumber(changed))});
        Write("<note>");
        Write(XmlEscape(note));
        WriteLine("</note>");
        if (flag) {
            WriteFormat("<memo>%s</memo>", {"voll"});
            WriteLine("");
        }
        WriteLine("</sample>");
    }
};

struct SampleValues {
    QString name;
    QString note;
    int count = 0;
    double amount = 0.0;
    bool active = false;
    QDateTime changed;
};

void fill(TSampleRecord& record, const SampleValues& values) {
    record.name = values.name;
    record.note = values.note;
    record.count = values.count;
    record.amount = values.amount;
    record.active = values.active;
    record.changed = values.changed;
}

void compareFields(const TSampleRecord& record, const SampleValues& values) {
    QCOMPARE(record.name, values.name);
    QCOMPARE(record.note, values.note);
    QCOMPARE(record.count, values.count);
    QCOMPARE(record.amount, values.amount);
    QCOMPARE(record.active, values.active);
    QCOMPARE(record.changed, values.changed);
}

SampleValues goldenValues() {
    SampleValues v;
    v.name = "a&b \"c\"";
    v.note = "x<y\r\nz";
    v.count = 42;
    v.amount = 1234.5;
    v.active = true;
    v.changed = QDateTime(QDate(2023, 3, 15), QTime(6, 0), Qt::LocalTime);
    return v;
}

QByteArray golden() {
    return ReadFileBytes(QStringLiteral(KWP_TEST_DATA_DIR "/sample_golden.xml"));
}

QByteArray encode(const QString& text, QStringConverter::Encoding encoding, bool bom) {
    QStringEncoder encoder(
        encoding, bom ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default);
    return encoder.encode(text);
}

// A long text mixing one-, two- and four-byte characters and markup, so that chunk and buffer
// boundaries fall inside every kind of character.
QString longText(int length, quint32 seed) {
    static const QStringList pieces = {"a",   "Straße ", "ä",  "😀", "\r\n", "&",
                                       "<b>", "\"",      "中", "𝄞", " ",    "\t"};
    QRandomGenerator random(seed);
    QString text;
    while (text.size() < length) text += pieces.at(random.bounded(int(pieces.size())));
    return text;
}

enum class Route { File, Stream, Xml, StreamPart };

// Loads bytes of a document through one of the public entry points.
void loadThrough(TSampleRecord& record, Route route, const QByteArray& bytes, const QString& path) {
    switch (route) {
        case Route::File:
            WriteFileBytes(path, bytes);
            record.LoadFromFile(path);
            break;
        case Route::Stream: {
            QBuffer buffer;
            buffer.setData(bytes);
            QVERIFY(buffer.open(QIODevice::ReadOnly));
            buffer.seek(buffer.size());
            record.LoadFromStream(&buffer);
            break;
        }
        case Route::Xml: {
            // The bytes are UTF-16LE here; the string carries the BOM as a character.
            QString text(bytes.size() / 2, Qt::Uninitialized);
            memcpy(text.data(), bytes.constData(), size_t(text.size()) * 2);
            QVERIFY(record.LoadFromXML(text));
            break;
        }
        case Route::StreamPart: {
            QBuffer buffer;
            buffer.setData("JUNK" + bytes + "TAIL");
            QVERIFY(buffer.open(QIODevice::ReadOnly));
            buffer.seek(4);
            QVERIFY(record.LoadFromStreamPart(&buffer, bytes.size()));
            QCOMPARE(buffer.pos(), qint64(4) + bytes.size());
            break;
        }
    }
}

}  // namespace

Q_DECLARE_METATYPE(Route)

class TestXmlCoreObject : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void saveAndLoadRestoresEveryField_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("note");
        QTest::addColumn<int>("count");
        QTest::addColumn<double>("amount");
        QTest::addColumn<bool>("active");
        QTest::addColumn<QDateTime>("changed");
        const QDateTime stamp(QDate(2023, 3, 15), QTime(6, 7, 8, 123), Qt::LocalTime);
        auto row = [](const char* name, const QString& n, const QString& note, int count,
                      double amount, bool active, const QDateTime& changed) {
            QTest::newRow(name) << n << note << count << amount << active << changed;
        };
        row("plain", "Müller GmbH", "Hallo", 42, 1234.5, true, stamp);
        row("markup characters", "<a href=\"x\">'Tom' & Jerry</a>",
            "if (a < b && c > d) { s = \"x'\"; }", -1, 0.1, false, stamp);
        row("line breaks", "Zeile1\r\nZeile2\rZeile3\nEnde", "a\r\nb\rc\nd\r\n\r\n", 7, -0.5, true,
            stamp);
        row("beyond latin-1", "Grüße 😀 € ✓ 中文 𝄞", "Ölmühle\t😀𝄞 ẞ", 1, 2.0, true, stamp);
        row("percent signs", "100% %s %d", "%%", 0, 0.0, false, stamp);
        row("empty texts", "", "", 0, 0.0, false, stamp);
        row("whitespace kept", "  vorne und hinten  ", "  \t eingerückt\n  ", 3, 3.0, true, stamp);
        row("extremes", "x", "y", std::numeric_limits<int>::min(), -1e-7, true,
            QDateTime(QDate(1899, 12, 29), QTime(6, 0), Qt::LocalTime));
        row("big values", "x", "y", std::numeric_limits<int>::max(), 1e20, false,
            QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59, 999), Qt::LocalTime));
    }
    void saveAndLoadRestoresEveryField() {
        QFETCH(QString, name);
        QFETCH(QString, note);
        QFETCH(int, count);
        QFETCH(double, amount);
        QFETCH(bool, active);
        QFETCH(QDateTime, changed);
        ScriptedDialogs dialogs;
        QTemporaryDir dir;
        const QString path = dir.filePath("sample.xml");
        const SampleValues values{name, note, count, amount, active, changed};
        TSampleRecord saved;
        fill(saved, values);
        saved.SaveToFile(path);

        TSampleRecord loaded;
        loaded.LoadFromFile(path);
        QVERIFY2(!loaded.HasParseError, qPrintable(loaded.ErrorText));
        compareFields(loaded, values);
        QCOMPARE(loaded.FileName, QString());
    }

    void savedFileMatchesGoldenBytes() {
        ScriptedDialogs dialogs;
        QTemporaryDir dir;
        const QString path = dir.filePath("sample.xml");
        WriteFileBytes(path, "OLD CONTENT THAT IS LONGER THAN NOTHING");
        TSampleRecord record;
        fill(record, goldenValues());
        record.SaveToFile(path);
        const QByteArray expected = golden();
        QVERIFY(!expected.isEmpty());
        QCOMPARE(ReadFileBytes(path), expected);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"sample.xml"});

        QBuffer stream;
        QVERIFY(stream.open(QIODevice::WriteOnly));
        record.SaveToStream(&stream);
        QCOMPARE(stream.data(), expected);
    }

    void longTextArrivesInChunks_data() {
        QTest::addColumn<Route>("route");
        QTest::newRow("file") << Route::File;
        QTest::newRow("stream") << Route::Stream;
        QTest::newRow("string") << Route::Xml;
        QTest::newRow("stream part") << Route::StreamPart;
    }
    void longTextArrivesInChunks() {
        QFETCH(Route, route);
        ScriptedDialogs dialogs;
        QTemporaryDir dir;
        SampleValues values = goldenValues();
        values.note = longText(200000, 42);
        TSampleRecord saved;
        fill(saved, values);
        const QString text = saved.GetXML(true);
        QByteArray bytes(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        QVERIFY(bytes.size() > 3 * 64 * 1024);

        TSampleRecord loaded;
        loadThrough(loaded, route, bytes, dir.filePath("long.xml"));
        QVERIFY2(!loaded.HasParseError, qPrintable(loaded.ErrorText));
        QVERIFY(loaded.noteChunks > 1);
        compareFields(loaded, values);
    }

    void otherEncodingsLoad_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");
        const QString name = QString::fromUtf8("Grüße 😀 中");
        const QString note = longText(70000, 3);
        auto document = [&](const QString& declaration, const QString& n, const QString& t) {
            return declaration + "<sample name=\"" + XmlEscape(n) + "\"><note>" + XmlEscape(t) +
                   "</note></sample>";
        };
        const QString utf8Declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
        QTest::newRow("UTF-8 with BOM")
            << encode(document(utf8Declaration, name, note), QStringConverter::Utf8, true) << name;
        QTest::newRow("UTF-8 without declaration")
            << encode(document("", name, note), QStringConverter::Utf8, false) << name;
        QTest::newRow("UTF-16BE") << encode(document("", name, note), QStringConverter::Utf16BE,
                                            true)
                                  << name;
        QTest::newRow("UTF-16LE without declaration")
            << encode(document("", name, note), QStringConverter::Utf16LE, true) << name;
        const QString latin = QString::fromUtf8("Grüße ÄÖÜ ß ©");
        QTest::newRow("ISO-8859-1")
            << encode(document("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>", latin, "x"),
                      QStringConverter::Latin1, false)
            << latin;
        QTest::newRow("Windows-1252") << QByteArray(
                                             "<?xml version=\"1.0\" encoding=\"windows-1252\"?>"
                                             "<sample name=\"\x80 \x84Gr\xFC\xDF"
                                             "e\x93 \x8A\"/>")
                                      << QString::fromUtf8("€ „Grüße“ Š");
    }
    void otherEncodingsLoad() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        ScriptedDialogs dialogs;
        QTemporaryDir dir;
        const QString path = dir.filePath("fremd.xml");
        WriteFileBytes(path, bytes);
        TSampleRecord record;
        record.LoadFromFile(path);
        QVERIFY2(!record.HasParseError, qPrintable(record.ErrorText));
        QCOMPARE(record.name, name);
    }

    void stringIgnoresDeclaredEncoding() {
        ScriptedDialogs dialogs;
        TSampleRecord record;
        const QString text = QString::fromUtf8(
            "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><sample name=\"Grüße 😀\"/>");
        QVERIFY(record.LoadFromXML(text));
        QVERIFY2(!record.HasParseError, qPrintable(record.ErrorText));
        QCOMPARE(record.name, QString::fromUtf8("Grüße 😀"));
    }

    void getXmlVariants() {
        TSampleRecord record;
        fill(record, goldenValues());
        const QString full = record.GetXML(true);
        QCOMPARE(full.at(0), QChar(0xFEFF));
        QCOMPARE(record.lastReserved, 0);
        const QByteArray file = golden();
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(full.utf16()), full.size() * 2), file);
        // The flag reaches WriteXML.
        QVERIFY(!record.GetXML(false).contains("<memo>"));
        const QString body = record.GetXMLBody(true, 7);
        QCOMPARE(record.lastReserved, 7);
        QVERIFY(body.startsWith("<sample name="));
        QVERIFY(full.endsWith(body));
    }

    void malformedFilesAreReported_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("location");
        const QByteArray header = golden().left(2 + 2 * 41);  // BOM + declaration line
        auto utf16 = [](const QString& text) {
            return encode(text, QStringConverter::Utf16LE, false);
        };
        auto row = [](const char* name, const QByteArray& bytes, const QString& message,
                      const QString& location) {
            QTest::newRow(name) << bytes << message << location;
        };
        row("bad entity",
            header + utf16("<sample name=\"x\">\r\n<note>a &bogus; b</note>\r\n</sample>\r\n"),
            "undefined entity", " Line 3 Column 9");
        // expat points at the name of the wrong end tag.
        row("mismatched tag", "<sample>\r\n  <note></memo>\r\n</sample>", "mismatched tag",
            " Line 2 Column 11");
        row("two roots", "<a/><b/>", "junk after document element", " Line 1 Column 5");
        row("unclosed tag", header + utf16("<sample name=\"x\">\r\n<note>abc</note>\r\n"),
            "no element found", " Line 4 Column 1");
        row("empty file", QByteArray(), "no element found", " Line 1 Column 1");
        row("garbage bytes", QByteArray("\x00\x13\x88\xFF garbage \x01\x02<<>>", 19), "", "");
        row("truncated", golden().left(101), "", "");
        row("UTF-8 declared as UTF-16", "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<sample/>",
            "encoding specified in XML declaration is incorrect", " Line 1 Column 31");
        row("unbound prefix", "<k:sample/>", "unbound prefix", "");
        row("entity expansion bomb",
            QByteArray("<?xml version=\"1.0\"?><!DOCTYPE l [<!ENTITY a \"aaaaaaaaaa\">"
                       "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
                       "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
                       "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">"
                       "<!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">"
                       "<!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\">"
                       "<!ENTITY g \"&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;\">"
                       "<!ENTITY h \"&g;&g;&g;&g;&g;&g;&g;&g;&g;&g;\">"
                       "<!ENTITY i \"&h;&h;&h;&h;&h;&h;&h;&h;&h;&h;\">]><l>&i;</l>"),
            "", "");
    }
    void malformedFilesAreReported() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QFETCH(QString, location);
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        QTemporaryDir dir;
        const QString path = dir.filePath("kaputt.xml");
        WriteFileBytes(path, bytes);
        TSampleRecord record;
        record.LoadFromFile(path);
        QVERIFY(record.HasParseError);
        QVERIFY2(record.ErrorText.startsWith(message), qPrintable(record.ErrorText));
        QVERIFY2(record.ErrorText.contains(location.isEmpty() ? " Line " : location),
                 qPrintable(record.ErrorText));
        QVERIFY2(record.ErrorText.endsWith("\nTSampleRecord " + path),
                 qPrintable(record.ErrorText));
        QCOMPARE(record.FileName, QString());
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown().at(0).type, mtError);
        QVERIFY(dialogs.texts().at(0).startsWith(record.ErrorText));
    }

    void parseErrorInStringHasNoFileName() {
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        TSampleRecord record;
        QVERIFY(record.LoadFromXML("<sample>\n<note>"));
        QVERIFY(record.HasParseError);
        QVERIFY2(record.ErrorText.endsWith(" Line 2 Column 7\nTSampleRecord "),
                 qPrintable(record.ErrorText));
    }

    void errorStateIsResetByTheNextLoad() {
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        QTemporaryDir dir;
        TSampleRecord record;
        WriteFileBytes(dir.filePath("kaputt.xml"), "<sample name=\"alt\"><note>");
        record.LoadFromFile(dir.filePath("kaputt.xml"));
        QVERIFY(record.HasParseError);
        // What the handlers reached before the error stays.
        QCOMPARE(record.name, QString("alt"));
        record.LoadFromFile(KWP_TEST_DATA_DIR "/sample_golden.xml");
        QVERIFY(!record.HasParseError);
        QCOMPARE(record.ErrorText, QString());
        compareFields(record, goldenValues());
    }

    void unreadableFileIsReported() {
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        QTemporaryDir dir;
        const QString path = dir.filePath("ordner.xml");
        QVERIFY(QDir().mkdir(path));
        TSampleRecord record;
        record.LoadFromFile(path);
        QVERIFY(dialogs.texts().at(0).startsWith("XML-Analysefehler.\r\nTSampleRecord\r\n" + path));
        QCOMPARE(record.FileName, QString());
    }

    void emptyOrAbsentInputLeavesObjectCleared() {
        ScriptedDialogs dialogs;
        QTemporaryDir dir;
        TSampleRecord record;
        fill(record, goldenValues());
        record.CurrentElement = "note";
        record.LoadFromFile(dir.filePath("gibtesnicht.xml"));
        compareFields(record, SampleValues{});
        QCOMPARE(record.CurrentElement, QString());
        QVERIFY(!record.HasParseError);

        fill(record, goldenValues());
        record.LoadFromStream(nullptr);
        compareFields(record, SampleValues{});

        fill(record, goldenValues());
        QBuffer empty;
        QVERIFY(empty.open(QIODevice::ReadOnly));
        record.LoadFromStream(&empty);
        compareFields(record, SampleValues{});
        QVERIFY(!record.HasParseError);

        fill(record, goldenValues());
        QVERIFY(!record.LoadFromXML(QString()));
        compareFields(record, SampleValues{});

        QVERIFY(!record.LoadFromStreamPart(nullptr, 10));
        QBuffer data;
        data.setData(golden());
        QVERIFY(data.open(QIODevice::ReadOnly));
        QVERIFY(!record.LoadFromStreamPart(&data, 0));
        QCOMPARE(dialogs.shown().size(), 0);
    }

    void namespacesAreSplit() {
        ScriptedDialogs dialogs;
        TSampleRecord record;
        QVERIFY(
            record.LoadFromXML("<k:doc xmlns:k=\"urn:kwp\" xmlns=\"urn:def\">"
                               "<item k:attr=\"1\" plain=\"2\"/></k:doc>"));
        QVERIFY2(!record.HasParseError, qPrintable(record.ErrorText));
        const QStringList expected = {"start urn:kwp|doc|k:doc",    "start urn:def|item|item",
                                      "attr urn:kwp|attr|k:attr=1", "attr |plain|plain=2",
                                      "end urn:def|item|item",      "end urn:kwp|doc|k:doc"};
        QCOMPARE(record.events, expected);
    }

    void attributesAreLookedUpByName() {
        ScriptedDialogs dialogs;
        TSampleRecord record;
        QVERIFY(record.LoadFromXML("<sample count=\"5\" name=\"&lt;&#10;x\" leer=\"\"/>"));
        QCOMPARE(record.events.mid(0, 4),
                 QStringList({"start |sample|sample", "attr |count|count=5", "attr |name|name=<\nx",
                              "attr |leer|leer="}));
        QCOMPARE(record.name, QString("<\nx"));
        QCOMPARE(record.count, 5);
        TXmlAttributes attributes;
        attributes.append({"", "a", "a", "1"});
        QVERIFY(attributes.has("a"));
        QVERIFY(!attributes.has("b"));
        QCOMPARE(attributes.value("b"), QString());
        QCOMPARE(attributes.indexOf("a"), 0);
    }

    void handlerExceptions_data() {
        QTest::addColumn<Route>("route");
        QTest::addColumn<int>("kind");
        const QList<QPair<const char*, Route>> routes = {
            {"file", Route::File}, {"stream", Route::Stream}, {"string", Route::Xml}};
        const char* kinds[] = {"cancel", "runtime error", "own error", "not std"};
        for (const auto& route : routes) {
            for (int kind = 0; kind < 4; ++kind)
                QTest::addRow("%s, %s", route.first, kinds[kind]) << route.second << kind;
        }
    }
    void handlerExceptions() {
        QFETCH(Route, route);
        QFETCH(int, kind);
        ScriptedDialogs dialogs;
        QTemporaryDir dir;
        const QString path = dir.filePath("sample.xml");
        TSampleRecord record;
        record.onStart = [kind](const QString& qName) {
            if (qName != "note") return;
            if (kind == 0) throw EXMLCancelException("abgebrochen");
            if (kind == 1) throw std::runtime_error("kaputt");
            if (kind == 2) throw EKwpError(QString::fromUtf8("Wert ungültig"));
            throw 42;
        };
        if (kind == 0) {
            QVERIFY_THROWS_EXCEPTION(EXMLCancelException,
                                     loadThrough(record, route, golden(), path));
            QCOMPARE(dialogs.shown().size(), 0);
        } else {
            dialogs.answer(mrOk);
            loadThrough(record, route, golden(), path);
            const QString fileName = route == Route::File ? path : QString();
            QVERIFY2(dialogs.texts().at(0).startsWith("XML-Analysefehler.\r\nTSampleRecord\r\n" +
                                                      fileName + "\n"),
                     qPrintable(dialogs.texts().at(0)));
            if (kind == 1) QVERIFY(dialogs.texts().at(0).contains("kaputt"));
            if (kind == 2) QVERIFY(dialogs.texts().at(0).contains(QString::fromUtf8("ungültig")));
        }
        // Parsing stopped at the throwing handler; what came before stays.
        QCOMPARE(record.events.last(), QString("start |note|note"));
        QVERIFY(!record.events.contains("end |sample|sample"));
        QCOMPARE(record.name, goldenValues().name);
        QCOMPARE(record.FileName, QString());
        QVERIFY(!record.HasParseError);
    }

    void saveFailureThrows_data() {
        QTest::addColumn<QString>("relativePath");
        QTest::addColumn<bool>("makeDirectory");
        QTest::newRow("missing folder") << "fehlt/sample.xml" << false;
        QTest::newRow("target is a folder") << "ordner.xml" << true;
    }
    void saveFailureThrows() {
        QFETCH(QString, relativePath);
        QFETCH(bool, makeDirectory);
        ScriptedDialogs dialogs;
        QTemporaryDir dir;
        const QString path = dir.filePath(relativePath);
        if (makeDirectory) QVERIFY(QDir().mkpath(path + "/inhalt"));
        TSampleRecord record;
        fill(record, goldenValues());
        try {
            record.SaveToFile(path);
            QFAIL("no exception");
        } catch (const EKwpError& error) {
            QVERIFY2(error.message().startsWith("Kann Datei \"" + path + "\" nicht schreiben: "),
                     qPrintable(error.message()));
        }
        QVERIFY(!QFileInfo(path).isFile());
    }
};

KWP_REGISTER_TEST(TestXmlCoreObject)
#include "tst_xmlcoreobject.moc"
