#include <QtTest>

#include "address/dsnelement.h"
#include "persistence/xmlcoreobject.h"
#include "testsupport.h"

namespace {

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
    // Fields without a known type are left out and no break follows the last line (escaping
    // and numbers: the customer address goldens).
    void listWritesOneLinePerValue() {
        TDsnElementList list;
        QString written = QStringLiteral("alter Inhalt");
        list.WriteXML(QStringLiteral("  "), written);
        QCOMPARE(written, QString());
        list.Add(makeElement("Edit1", 0))->IntValue = 1;
        list.Add(makeElement("RadioGroup1", 2))->IntValue = -1;
        list.Add(makeElement("CheckBox2", 3))->BoolValue = false;
        list.Add(makeElement("Edit2", 9))->TextValue = "x";
        list.WriteXML(QStringLiteral("  "), written);
        QCOMPARE(written,
                 QStringLiteral("  <dsnobj name=\"RadioGroup1\" type=\"2\" >-1</dsnobj>\r\n"
                                "  <dsnobj name=\"CheckBox2\" type=\"3\" >0</dsnobj>"));
    }

    // The type attribute is a byte (0 when missing or unreadable); the text is converted by it.
    void attributesAndValueText() {
        // type attribute (none when null), text, then type|text|integer|boolean|float read
        const char* rows[][3] = {{"1", " a\r\nb ", "1| a\r\nb |0|0|0"},
                                 {"2", "viele", "2||0|0|0"},
                                 {"3", "True", "3||0|1|0"},
                                 {"6", "x", "6||0|0|0"},
                                 {nullptr, "17", "0||0|0|0"},
                                 {"300", "17", "0||0|0|0"}};
        for (const auto& [type, text, expected] : rows) {
            TXmlAttributes attributes;
            attributes.append({QString(), "name", "name", "Feld 1"});
            if (type) attributes.append({QString(), "type", "type", type});
            TDsnElement e;
            e.ReadAttributes(attributes);
            e.SetValueText(text);
            QCOMPARE(e.Name, QStringLiteral("Feld 1"));
            QCOMPARE(QStringList({QString::number(e.ElementType), e.TextValue,
                                  QString::number(e.IntValue), QString::number(e.BoolValue),
                                  QString::number(e.FloatValue, 'g', 15)})
                         .join(u'|'),
                     QString(expected));
        }
    }
};

KWP_REGISTER_TEST(TestDsnElement)
#include "tst_dsnelement.moc"
