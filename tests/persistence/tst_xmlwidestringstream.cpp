#include <QtTest>

#include "app/errorreport.h"
#include "persistence/xmlwidestringstream.h"
#include "testsupport.h"

// Growth, seeking and reading are exercised through the XML object tests; these are the rules
// they cannot reach.
class TestXmlWideStringStream : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void appendWriteAndClear() {
        TDBXMLWideStringStream stream(10000);
        stream.appendWideString("Aä€");
        stream.appendWideString("😀");
        QCOMPARE(QByteArray(stream.data(), stream.size()),
                 QByteArray::fromHex("4100e400ac203dd800de"));
        // Appending goes to the end whatever the position; writing overwrites.
        stream.seek(0);
        stream.appendWideString("de");
        QCOMPARE(stream.position(), qint64(14));
        stream.seek(2);
        stream.writeWideString("XY");
        QCOMPARE(stream.dataString(), "AXY😀de");
        stream.clear();
        QCOMPARE(stream.size() + stream.position(), qint64(0));
        QCOMPARE(stream.capacity(), qint64(10000));
        // Every code unit comes back, even a lone surrogate or a zero.
        const QString text = QString::fromUtf8("a\0b", 3) + QChar(0xD800) + QChar(0xFFFF);
        stream.appendWideString(text);
        QCOMPARE(stream.dataString(), text);
        stream.write("x", 1);
        try {
            stream.writeWideString("a");
            QFAIL("no exception");
        } catch (const EKwpError& error) {
            QCOMPARE(error.message(), "Cannot Write WideString to odd byte position");
        }
    }
};

KWP_REGISTER_TEST(TestXmlWideStringStream)
#include "tst_xmlwidestringstream.moc"
