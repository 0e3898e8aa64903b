#include <QLocale>
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
        struct Row {
            const char *name, *element, *text;
            int type, intValue;
            bool boolValue;
            double floatValue;
            const char* line;  // after <dsnobj name="..." type="..." >
        };
        const Row rows[] = {
            {"text with markup and line break", "Bemerkung", "\"Chef\" & <Co> 'OHG'\r\nZeile 2", 1,
             0, false, 0, "&quot;Chef&quot; &amp; &lt;Co&gt; &apos;OHG&apos;&#13;&#10;Zeile 2"},
            {"negative integer", "RadioGroup1", "", 2, -1, false, 0, "-1"},
            {"true", "CheckBox1", "", 3, 0, true, 0, "-1"},
            {"false", "CheckBox2", "", 3, 0, false, 0, "0"},
            {"date", "Geburtstag", "", 4, 0, false, 45000, "45000"},
            {"time", "Uhrzeit", "", 5, 0, false, 0.75, "0,75"},
            {"float", "Umsatz", "", 6, 0, false, -1234.5, "-1234,5"},
        };
        for (const Row& r : rows)
            QTest::newRow(r.name) << QString::fromUtf8(r.element) << r.type
                                  << QString::fromUtf8(r.text) << r.intValue << r.boolValue
                                  << r.floatValue
                                  << QStringLiteral("<dsnobj name=\"%1\" type=\"%2\" >%3</dsnobj>")
                                         .arg(r.element)
                                         .arg(r.type)
                                         .arg(QString::fromUtf8(r.line));
        QTest::newRow("name escaped") << "A&B \"x\"" << 1 << "" << 0 << false << 0.0
                                      << "<dsnobj name=\"A&amp;B &quot;x&quot;\" type=\"1\" >"
                                         "</dsnobj>";
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
        // Numbers are written the suite's way whatever the process locale.
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
        auto element = makeElement(name, quint8(type));
        element->TextValue = text;
        element->IntValue = intValue;
        element->BoolValue = boolValue;
        element->FloatValue = floatValue;
        QTEST(element->XmlLine(), "line");
    }

    void listJoinsLinesWithoutFinalBreak_data() {
        QTest::addColumn<QList<int>>("types");
        QTest::addColumn<QString>("out");
        const QString a = QStringLiteral("  <dsnobj name=\"F0\" type=\"2\" >7</dsnobj>");
        const QString c = QStringLiteral("  <dsnobj name=\"F2\" type=\"3\" >-1</dsnobj>");
        QTest::newRow("empty list") << QList<int>{} << "";
        QTest::newRow("valueless element between")
            << QList<int>{2, 0, 3} << a + QStringLiteral("\r\n") + c;
        QTest::newRow("only valueless") << QList<int>{0, 0} << "";
        QTest::newRow("valueless last") << QList<int>{2, 0, 3, 0} << a + "\r\n" + c;
    }
    void listJoinsLinesWithoutFinalBreak() {
        QFETCH(QList<int>, types);
        TDsnElementList list;
        for (int i = 0; i < types.size(); ++i) {
            TDsnElement* element =
                list.Add(makeElement(QStringLiteral("F%1").arg(i), quint8(types.at(i))));
            element->IntValue = 7;
            element->BoolValue = true;
        }
        QString written = QStringLiteral("alter Inhalt");
        list.WriteXML(QStringLiteral("  "), written);
        QTEST(written, "out");
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
        TDsnElement element;
        element.ReadAttributes(dsnAttributes(QStringLiteral("Feld 1"), type, withType));
        QCOMPARE(element.Name, QStringLiteral("Feld 1"));
        QTEST(int(element.ElementType), "elementType");
    }

    void valueTextIsConvertedByType_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("textValue");
        QTest::addColumn<int>("intValue");
        QTest::addColumn<bool>("boolValue");
        QTest::addColumn<double>("floatValue");
        struct Row {
            const char* name;
            int type;
            const char *text, *textValue;
            int intValue;
            bool boolValue;
            double floatValue;
        };
        const Row rows[] = {
            {"text kept as is", 1, " a\r\nb ", " a\r\nb ", 0, false, 0},
            {"integer", 2, "-42", "", -42, false, 0},
            {"integer garbage", 2, "viele", "", 0, false, 0},
            {"true", 3, "-1", "", 0, true, 0},
            {"true as word", 3, "True", "", 0, true, 0},
            {"false", 3, "0", "", 0, false, 0},
            {"date with time", 4, "45000,25", "", 0, false, 45000.25},
            {"no type keeps no value", 0, "17", "", 0, false, 0},
            {"unknown type keeps no value", 7, "17", "", 0, false, 0},
        };
        for (const Row& r : rows)
            QTest::newRow(r.name) << r.type << QString::fromUtf8(r.text)
                                  << QString::fromUtf8(r.textValue) << r.intValue << r.boolValue
                                  << r.floatValue;
    }
    void valueTextIsConvertedByType() {
        QFETCH(int, type);
        QFETCH(QString, text);
        auto element = makeElement(QStringLiteral("F"), quint8(type));
        element->SetValueText(text);
        QTEST(element->TextValue, "textValue");
        QTEST(element->IntValue, "intValue");
        QTEST(element->BoolValue, "boolValue");
        QTEST(element->FloatValue, "floatValue");
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
