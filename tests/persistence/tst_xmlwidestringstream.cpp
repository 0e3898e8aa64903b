#include <QtTest>
#include <functional>
#include <limits>

#include "app/errorreport.h"
#include "persistence/xmlwidestringstream.h"
#include "testsupport.h"

namespace {

QByteArray content(const TDBXMLWideStringStream& stream) {
    return QByteArray(stream.data(), stream.size());
}

}  // namespace

using StreamAction = std::function<void(TDBXMLWideStringStream&)>;
Q_DECLARE_METATYPE(StreamAction)

class TestXmlWideStringStream : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void writeGrowsCapacityToEvenSize_data() {
        QTest::addColumn<qint64>("initialCapacity");
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<qint64>("expectedCapacity");
        QTest::newRow("odd count rounds up") << qint64(0) << qint64(3) << qint64(4);
        QTest::newRow("even count exact") << qint64(0) << qint64(6) << qint64(6);
        QTest::newRow("fits in capacity") << qint64(10000) << qint64(5) << qint64(10000);
        QTest::newRow("beyond capacity") << qint64(10) << qint64(11) << qint64(12);
    }
    void writeGrowsCapacityToEvenSize() {
        QFETCH(qint64, initialCapacity);
        QFETCH(qint64, bytes);
        QFETCH(qint64, expectedCapacity);
        TDBXMLWideStringStream stream(initialCapacity);
        const QByteArray data(bytes, 'x');
        QCOMPARE(stream.write(data.constData(), bytes), bytes);
        QCOMPARE(stream.capacity(), expectedCapacity);
        QCOMPARE(stream.size(), bytes);
        QCOMPARE(stream.position(), bytes);
        QCOMPARE(content(stream), data);
    }

    void seekClamps_data() {
        QTest::addColumn<int>("origin");
        QTest::addColumn<qint64>("offset");
        QTest::addColumn<qint64>("expected");
        using S = TDBXMLWideStringStream;
        QTest::newRow("before start") << int(S::soBeginning) << qint64(-5) << qint64(0);
        QTest::newRow("inside") << int(S::soBeginning) << qint64(6) << qint64(6);
        QTest::newRow("past end") << int(S::soBeginning) << qint64(20) << qint64(10);
        QTest::newRow("from current") << int(S::soCurrent) << qint64(3) << qint64(7);
        QTest::newRow("back from current") << int(S::soCurrent) << qint64(-9) << qint64(0);
        QTest::newRow("from end") << int(S::soEnd) << qint64(-4) << qint64(6);
        QTest::newRow("past end from end") << int(S::soEnd) << qint64(1) << qint64(10);
        QTest::newRow("huge offset")
            << int(S::soEnd) << std::numeric_limits<qint64>::max() << qint64(10);
        QTest::newRow("huge negative")
            << int(S::soCurrent) << std::numeric_limits<qint64>::min() << qint64(0);
    }
    void seekClamps() {
        QFETCH(int, origin);
        QFETCH(qint64, offset);
        QFETCH(qint64, expected);
        TDBXMLWideStringStream stream;
        stream.writeWideString("abcde");  // 10 bytes
        stream.seek(4);
        QCOMPARE(stream.seek(offset, TDBXMLWideStringStream::SeekOrigin(origin)), expected);
        QCOMPARE(stream.position(), expected);
    }

    void errors_data() {
        QTest::addColumn<StreamAction>("action");
        QTest::addColumn<QString>("message");
        QTest::newRow("odd position") << StreamAction([](TDBXMLWideStringStream& s) {
            s.write("x", 1);
            s.writeWideString("a");
        }) << "Cannot Write WideString to odd byte position";
        QTest::newRow("capacity below size") << StreamAction([](TDBXMLWideStringStream& s) {
            s.writeWideString("abc");
            s.setCapacity(4);
        }) << "Capacity cannot be less than size";
        QTest::newRow("odd size") << StreamAction([](TDBXMLWideStringStream& s) { s.setSize(3); })
                                  << "Odd size not valid for WideString";
        QTest::newRow("negative size")
            << StreamAction([](TDBXMLWideStringStream& s) { s.setSize(-2); })
            << "Negative stream size invalid";
    }
    void errors() {
        QFETCH(StreamAction, action);
        QFETCH(QString, message);
        TDBXMLWideStringStream stream;
        try {
            action(stream);
            QFAIL("no exception");
        } catch (const EKwpError& error) {
            QCOMPARE(error.message(), message);
        }
    }

    void appendWritesUtf16LittleEndian() {
        TDBXMLWideStringStream stream(10000);
        stream.appendWideString(QString::fromUtf8("Aä€"));
        stream.appendWideString(QString::fromUtf8("😀"));
        QCOMPARE(content(stream), QByteArray::fromHex("4100e400ac203dd800de"));
        QCOMPARE(stream.dataString(), QString::fromUtf8("Aä€😀"));
    }

    void appendGoesToTheEnd() {
        TDBXMLWideStringStream stream;
        stream.appendWideString("abc");
        stream.seek(0);
        stream.appendWideString("de");
        QCOMPARE(stream.dataString(), QString("abcde"));
        QCOMPARE(stream.position(), qint64(10));
    }

    void writeAtPositionOverwrites() {
        TDBXMLWideStringStream stream;
        stream.writeWideString("abcdef");
        stream.seek(4);
        stream.writeWideString("XY");
        QCOMPARE(stream.dataString(), QString("abXYef"));
        QCOMPARE(stream.size(), qint64(12));
    }

    void dataStringKeepsEveryCodeUnit() {
        const QString text = QString::fromUtf8("a\0b", 3) + QChar(0xD800) + QChar(0xFFFF);
        TDBXMLWideStringStream stream;
        stream.appendWideString(text);
        QCOMPARE(stream.dataString(), text);
        QCOMPARE(TDBXMLWideStringStream().dataString(), QString());
    }

    void readReturnsWhatIsLeft() {
        TDBXMLWideStringStream stream;
        stream.writeWideString("abc");
        stream.seek(2);
        char buffer[16] = {};
        QCOMPARE(stream.read(buffer, sizeof buffer), qint64(4));
        QCOMPARE(QByteArray(buffer, 4), QByteArray("b\0c\0", 4));
        QCOMPARE(stream.position(), qint64(6));
        QCOMPARE(stream.read(buffer, 2), qint64(0));
    }

    void setSizeZeroFillsAndClampsPosition() {
        TDBXMLWideStringStream stream;
        stream.writeWideString("ab");
        stream.setSize(8);
        QCOMPARE(content(stream), QByteArray("a\0b\0\0\0\0\0", 8));
        QCOMPARE(stream.position(), qint64(4));
        stream.seek(8);
        stream.setSize(2);
        QCOMPARE(stream.position(), qint64(2));
        QCOMPARE(stream.dataString(), QString("a"));
        // Growing again must not bring back the old bytes.
        stream.setSize(4);
        QCOMPARE(stream.dataString(), QString("a") + QChar(0));
    }

    void clearKeepsCapacityAndForgetsText() {
        TDBXMLWideStringStream stream(10000);
        stream.appendWideString("first element");
        stream.clear();
        QCOMPARE(stream.size(), qint64(0));
        QCOMPARE(stream.position(), qint64(0));
        QCOMPARE(stream.capacity(), qint64(10000));
        stream.appendWideString("second");
        QCOMPARE(stream.dataString(), QString("second"));
    }
};

KWP_REGISTER_TEST(TestXmlWideStringStream)
#include "tst_xmlwidestringstream.moc"
