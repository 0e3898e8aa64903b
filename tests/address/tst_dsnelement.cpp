#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>

#include "address/dsnelement.h"
#include "persistence/xmlcoreobject.h"
#include "testsupport.h"

namespace {

TXmlAttributes dsnAttributes(const QString& name, const QString& type, bool withType = true) {
    TXmlAttributes attributes;
    attributes.append({QString(), QStringLiteral("name"), QStringLiteral("name"), name});
    if (withType)
        attributes.append({QString(), QStringLiteral("type"), QStringLiteral("type"), type});
    return attributes;
}

std::unique_ptr<TDsnElement> makeElement(const QString& name, quint8 type) {
    auto element = std::make_unique<TDsnElement>();
    element->Name = name;
    element->ElementType = type;
    return element;
}

// Reads "dsnobj" elements the way the address record does, through the real parser.
class ExtraFieldReader : public TDBXMLCoreObject {
public:
    TDsnElementList fields;

    void StartElement(const QString&, const QString&, const QString& qName,
                      const TXmlAttributes& attributes) override {
        CurrentElement = qName;
        if (qName != QLatin1String("dsnobj")) return;
        m_current = fields.Add();
        m_current->ReadAttributes(attributes);
        TextBuffer.clear();
    }
    void Characters(const QString& chunk) override {
        if (m_current) TextBuffer.appendWideString(chunk);
    }
    void EndElement(const QString&, const QString&, const QString& qName) override {
        CurrentElement.clear();
        if (qName == QLatin1String("dsnobj") && m_current) {
            m_current->SetValueText(TextBuffer.dataString());
            m_current = nullptr;
        }
    }
    void Clear() override {
        fields.Clear();
        m_current = nullptr;
    }
    void WriteXML(bool, int) override {
        WriteLine(QStringLiteral("<kundenadr>"));
        QString lines;
        fields.WriteXML(QStringLiteral("  "), lines);
        if (!lines.isEmpty()) WriteLine(lines);
        WriteLine(QStringLiteral("</kundenadr>"));
    }

private:
    TDsnElement* m_current = nullptr;
};

}  // namespace

class TestDsnElement : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale(QStringLiteral("de_DE"))); }

    void lineIsWrittenByteExact_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("intValue");
        QTest::addColumn<bool>("boolValue");
        QTest::addColumn<double>("floatValue");
        QTest::addColumn<QString>("line");
        QTest::newRow("text with markup and line break")
            << "Bemerkung" << 1 << "\"Chef\" & <Co> 'OHG'\r\nZeile 2" << 0 << false << 0.0
            << "<dsnobj name=\"Bemerkung\" type=\"1\" >&quot;Chef&quot; &amp; &lt;Co&gt; "
               "&apos;OHG&apos;&#13;&#10;Zeile 2</dsnobj>";
        QTest::newRow("name escaped") << "A&B \"x\"" << 1 << "" << 0 << false << 0.0
                                      << "<dsnobj name=\"A&amp;B &quot;x&quot;\" type=\"1\" >"
                                         "</dsnobj>";
        QTest::newRow("negative integer") << "RadioGroup1" << 2 << "" << -1 << false << 0.0
                                          << "<dsnobj name=\"RadioGroup1\" type=\"2\" >-1</dsnobj>";
        QTest::newRow("true") << "CheckBox1" << 3 << "" << 0 << true << 0.0
                              << "<dsnobj name=\"CheckBox1\" type=\"3\" >-1</dsnobj>";
        QTest::newRow("false") << "CheckBox2" << 3 << "" << 0 << false << 0.0
                               << "<dsnobj name=\"CheckBox2\" type=\"3\" >0</dsnobj>";
        QTest::newRow("date") << "Geburtstag" << 4 << "" << 0 << false << 45000.0
                              << "<dsnobj name=\"Geburtstag\" type=\"4\" >45000</dsnobj>";
        QTest::newRow("time") << "Uhrzeit" << 5 << "" << 0 << false << 0.75
                              << "<dsnobj name=\"Uhrzeit\" type=\"5\" >0,75</dsnobj>";
        QTest::newRow("float") << "Umsatz" << 6 << "" << 0 << false << -1234.5
                               << "<dsnobj name=\"Umsatz\" type=\"6\" >-1234,5</dsnobj>";
        QTest::newRow("no value yet") << "Edit1" << 0 << "x" << 1 << true << 1.0 << "";
        QTest::newRow("unknown type") << "Edit1" << 9 << "x" << 1 << true << 1.0 << "";
    }
    void lineIsWrittenByteExact() {
        QFETCH(QString, name);
        QFETCH(int, type);
        QFETCH(QString, text);
        QFETCH(int, intValue);
        QFETCH(bool, boolValue);
        QFETCH(double, floatValue);
        QFETCH(QString, line);
        auto element = makeElement(name, quint8(type));
        element->TextValue = text;
        element->IntValue = intValue;
        element->BoolValue = boolValue;
        element->FloatValue = floatValue;
        QCOMPARE(element->XmlLine(), line);
    }

    void floatsIgnoreTheLocale() {
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
        auto element = makeElement(QStringLiteral("Umsatz"), TDsnElement::etFloat);
        element->FloatValue = 1234.5;
        QCOMPARE(element->XmlLine(),
                 QStringLiteral("<dsnobj name=\"Umsatz\" type=\"6\" >1234,5</dsnobj>"));
    }

    void listJoinsLinesWithoutFinalBreak_data() {
        QTest::addColumn<QList<int>>("types");
        QTest::addColumn<QString>("out");
        const QString a = QStringLiteral("  <dsnobj name=\"F0\" type=\"2\" >7</dsnobj>");
        const QString c = QStringLiteral("  <dsnobj name=\"F2\" type=\"3\" >-1</dsnobj>");
        QTest::newRow("empty list") << QList<int>{} << "";
        QTest::newRow("one line") << QList<int>{2} << a;
        QTest::newRow("valueless element between")
            << QList<int>{2, 0, 3} << a + QStringLiteral("\r\n") + c;
        QTest::newRow("only valueless") << QList<int>{0, 0} << "";
        QTest::newRow("valueless last") << QList<int>{2, 0, 3, 0} << a + "\r\n" + c;
    }
    void listJoinsLinesWithoutFinalBreak() {
        QFETCH(QList<int>, types);
        QFETCH(QString, out);
        TDsnElementList list;
        for (int i = 0; i < types.size(); ++i) {
            TDsnElement* element =
                list.Add(makeElement(QStringLiteral("F%1").arg(i), quint8(types.at(i))));
            element->IntValue = 7;
            element->BoolValue = true;
        }
        QString written = QStringLiteral("alter Inhalt");
        list.WriteXML(QStringLiteral("  "), written);
        QCOMPARE(written, out);
    }

    void findComparesNamesExactly() {
        TDsnElementList list;
        TDsnElement* first = list.Add(makeElement(QStringLiteral("Kunde"), 1));
        list.Add(makeElement(QStringLiteral("Kunde"), 2));
        QCOMPARE(list.Find(QStringLiteral("Kunde")), first);
        QCOMPARE(list.Find(QStringLiteral("kunde")), nullptr);
        QCOMPARE(list.Count(), 2);

        TDsnElement* created = list.Find(QStringLiteral("kunde"), true);
        QVERIFY(created);
        QCOMPARE(list.Count(), 3);
        QCOMPARE(list.Items(2), created);
        QCOMPARE(created->Name, QStringLiteral("kunde"));
        QCOMPARE(int(created->ElementType), 0);
        // Found again, not created twice.
        QCOMPARE(list.Find(QStringLiteral("kunde"), true), created);
        QCOMPARE(list.Count(), 3);

        const TDsnElementList& constList = list;
        QCOMPARE(constList.Find(QStringLiteral("Kunde")), first);
        QCOMPARE(constList.Find(QStringLiteral("Lieferant")), nullptr);
    }

    void attributesAreReadTolerantly_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("withType");
        QTest::addColumn<int>("elementType");
        QTest::newRow("text") << "1" << true << 1;
        QTest::newRow("float") << "6" << true << 6;
        QTest::newRow("type missing") << "" << false << 0;
        QTest::newRow("type unreadable") << "Text" << true << 0;
        QTest::newRow("unknown type kept") << "12" << true << 12;
        QTest::newRow("beyond a byte") << "300" << true << 0;
    }
    void attributesAreReadTolerantly() {
        QFETCH(QString, type);
        QFETCH(bool, withType);
        QFETCH(int, elementType);
        TDsnElement element;
        element.ReadAttributes(dsnAttributes(QStringLiteral("Feld 1"), type, withType));
        QCOMPARE(element.Name, QStringLiteral("Feld 1"));
        QCOMPARE(int(element.ElementType), elementType);
    }

    void valueTextIsConvertedByType_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("textValue");
        QTest::addColumn<int>("intValue");
        QTest::addColumn<bool>("boolValue");
        QTest::addColumn<double>("floatValue");
        QTest::newRow("text kept as is") << 1 << " a\r\nb "
                                         << " a\r\nb " << 0 << false << 0.0;
        QTest::newRow("integer") << 2 << "-42"
                                 << "" << -42 << false << 0.0;
        QTest::newRow("integer garbage") << 2 << "viele"
                                         << "" << 0 << false << 0.0;
        QTest::newRow("true") << 3 << "-1"
                              << "" << 0 << true << 0.0;
        QTest::newRow("true as word") << 3 << "True"
                                      << "" << 0 << true << 0.0;
        QTest::newRow("false") << 3 << "0"
                               << "" << 0 << false << 0.0;
        QTest::newRow("date with time") << 4 << "45000,25"
                                        << "" << 0 << false << 45000.25;
        QTest::newRow("no type keeps no value") << 0 << "17"
                                                << "" << 0 << false << 0.0;
        QTest::newRow("unknown type keeps no value") << 7 << "17"
                                                     << "" << 0 << false << 0.0;
    }
    void valueTextIsConvertedByType() {
        QFETCH(int, type);
        QFETCH(QString, text);
        QFETCH(QString, textValue);
        QFETCH(int, intValue);
        QFETCH(bool, boolValue);
        QFETCH(double, floatValue);
        auto element = makeElement(QStringLiteral("F"), quint8(type));
        element->SetValueText(text);
        QCOMPARE(element->TextValue, textValue);
        QCOMPARE(element->IntValue, intValue);
        QCOMPARE(element->BoolValue, boolValue);
        QCOMPARE(element->FloatValue, floatValue);
    }

    void valuesSurviveSaveAndLoad() {
        QTemporaryDir dir;
        const QString path = dir.filePath("extra.xml");
        ExtraFieldReader written;
        TDsnElementList& fields = written.fields;
        fields.Add(makeElement(QStringLiteral("Memo1"), 1))->TextValue =
            QStringLiteral("Zeile 1 & \"2\"\r\n<Zeile 3> €\r\n");
        fields.Add(makeElement(QStringLiteral("RadioGroup1"), 2))->IntValue = 2147483647;
        fields.Add(makeElement(QStringLiteral("CheckBox1"), 3))->BoolValue = true;
        fields.Add(makeElement(QStringLiteral("Datum"), 4))->FloatValue = 45291;
        fields.Add(makeElement(QStringLiteral("Zeit"), 5))->FloatValue = 0.5;
        fields.Add(makeElement(QStringLiteral("Betrag"), 6))->FloatValue = 0.1;
        fields.Add(makeElement(QStringLiteral("Leer"), 0));
        written.SaveToFile(path);

        ExtraFieldReader loaded;
        loaded.LoadFromFile(path);
        QVERIFY2(!loaded.HasParseError, qPrintable(loaded.ErrorText));
        // The element without a value is not stored.
        QCOMPARE(loaded.fields.Count(), 6);
        for (int i = 0; i < 6; ++i) {
            const TDsnElement* a = fields.Items(i);
            const TDsnElement* b = loaded.fields.Items(i);
            QCOMPARE(b->Name, a->Name);
            QCOMPARE(b->ElementType, a->ElementType);
            QCOMPARE(b->TextValue, a->TextValue);
            QCOMPARE(b->IntValue, a->IntValue);
            QCOMPARE(b->BoolValue, a->BoolValue);
            QCOMPARE(b->FloatValue, a->FloatValue);
        }
    }

    void assignCopiesTheElements() {
        TDsnElementList list;
        list.Add(makeElement(QStringLiteral("A"), 1))->TextValue = QStringLiteral("eins");
        list.Add(makeElement(QStringLiteral("B"), 2))->IntValue = 2;
        TDsnElementList copy;
        copy.Add(makeElement(QStringLiteral("alt"), 1));
        copy.Assign(list);
        QCOMPARE(copy.Count(), 2);
        copy.Items(0)->TextValue = QStringLiteral("geändert");
        QCOMPARE(list.Items(0)->TextValue, QStringLiteral("eins"));
        QCOMPARE(copy.Items(1)->IntValue, 2);
        copy.Delete(0);
        QCOMPARE(copy.Items(0)->Name, QStringLiteral("B"));
        copy.Clear();
        QCOMPARE(copy.Count(), 0);
        QCOMPARE(list.Count(), 2);
    }
};

KWP_REGISTER_TEST(TestDsnElement)
#include "tst_dsnelement.moc"
