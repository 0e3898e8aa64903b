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
        const qint64 rows[][3] = {{0, 3, 4}, {0, 6, 6}, {10000, 5, 10000}, {10, 11, 12}};
        for (const auto& r : rows)
            QTest::addRow("%lld in %lld", r[1], r[0]) << r[0] << r[1] << r[2];
    }
    void writeGrowsCapacityToEvenSize() {
        QFETCH(qint64, initialCapacity);
        QFETCH(qint64, bytes);
        TDBXMLWideStringStream stream(initialCapacity);
        const QByteArray data(bytes, 'x');
        QCOMPARE(stream.write(data.constData(), bytes), bytes);
        QTEST(stream.capacity(), "expectedCapacity");
        QCOMPARE(stream.size(), bytes);
        QCOMPARE(stream.position(), bytes);
        QCOMPARE(content(stream), data);
    }

    void seekClamps_data() {
        QTest::addColumn<int>("origin");
        QTest::addColumn<qint64>("offset");
        QTest::addColumn<qint64>("expected");
        using S = TDBXMLWideStringStream;
        const qint64 max = std::numeric_limits<qint64>::max();
        const qint64 min = std::numeric_limits<qint64>::min();
        const qint64 rows[][3] = {
            {S::soBeginning, -5, 0}, {S::soBeginning, 6, 6}, {S::soBeginning, 20, 10},
            {S::soCurrent, 3, 7},    {S::soCurrent, -9, 0},  {S::soEnd, -4, 6},
            {S::soEnd, 1, 10},       {S::soEnd, max, 10},    {S::soCurrent, min, 0}};
        for (const auto& r : rows)
            QTest::addRow("origin %d offset %lld", int(r[0]), r[1]) << int(r[0]) << r[1] << r[2];
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
        using S = TDBXMLWideStringStream;
        QTest::newRow("odd position") << StreamAction([](S& s) {
            s.write("x", 1);
            s.writeWideString("a");
        }) << "Cannot Write WideString to odd byte position";
        QTest::newRow("capacity below size") << StreamAction([](S& s) {
            s.writeWideString("abc");
            s.setCapacity(4);
        }) << "Capacity cannot be less than size";
        QTest::newRow("odd size") << StreamAction([](S& s) { s.setSize(3); })
                                  << "Odd size not valid for WideString";
        QTest::newRow("negative size")
            << StreamAction([](S& s) { s.setSize(-2); }) << "Negative stream size invalid";
    }
    void errors() {
        QFETCH(StreamAction, action);
        TDBXMLWideStringStream stream;
        try {
            action(stream);
            QFAIL("no exception");
        } catch (const EKwpError& error) {
            QTEST(error.message(), "message");
        }
    }

    void appendWriteAndClear() {
        TDBXMLWideStringStream stream(10000);
        stream.appendWideString("Aä€");
        stream.appendWideString("😀");
        QCOMPARE(content(stream), QByteArray::fromHex("4100e400ac203dd800de"));
        // Appending goes to the end whatever the position; writing overwrites.
        stream.seek(0);
        stream.appendWideString("de");
        QCOMPARE(stream.position(), qint64(14));
        stream.seek(2);
        stream.writeWideString("XY");
        QCOMPARE(stream.dataString(), "AXY😀de");
        QCOMPARE(stream.size(), qint64(14));
        stream.clear();
        QCOMPARE(stream.size(), qint64(0));
        QCOMPARE(stream.position(), qint64(0));
        QCOMPARE(stream.capacity(), qint64(10000));
        QCOMPARE(stream.dataString(), QString());
        // Every code unit comes back, even a lone surrogate or a zero.
        const QString text = QString::fromUtf8("a\0b", 3) + QChar(0xD800) + QChar(0xFFFF);
        stream.appendWideString(text);
        QCOMPARE(stream.dataString(), text);
    }

    void readAndResize() {
        TDBXMLWideStringStream stream;
        stream.writeWideString("abc");
        stream.seek(2);
        char buffer[16] = {};
        QCOMPARE(stream.read(buffer, sizeof buffer), qint64(4));
        QCOMPARE(QByteArray(buffer, 4), QByteArray("b\0c\0", 4));
        QCOMPARE(stream.position(), qint64(6));
        QCOMPARE(stream.read(buffer, 2), qint64(0));
        stream.setSize(8);
        QCOMPARE(content(stream), QByteArray("a\0b\0c\0\0\0", 8));
        QCOMPARE(stream.position(), qint64(6));
        stream.seek(8);
        stream.setSize(2);
        QCOMPARE(stream.position(), qint64(2));
        QCOMPARE(stream.dataString(), "a");
        // Growing again must not bring back the old bytes.
        stream.setSize(4);
        QCOMPARE(stream.dataString(), QString("a") + QChar(0));
    }
};

KWP_REGISTER_TEST(TestXmlWideStringStream)
#include "tst_xmlwidestringstream.moc"
