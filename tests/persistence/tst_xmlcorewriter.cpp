#include <QtTest>

#include "app/errorreport.h"
#include "persistence/xmlcorewriter.h"
#include "testsupport.h"

namespace {

QByteArray utf16le(const QString& text) {
    return QStringEncoder(QStringConverter::Utf16LE).encode(text);
}

const QByteArray kHeader =
    QByteArray("\xFF\xFE") + utf16le("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n");

}  // namespace

class TestXmlCoreWriter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fileIsReplacedOnlyWhenFinished() {
        ScriptedDialogs dialogs;
        QTemporaryDir dir;
        const QString path = dir.filePath("liste.xml");
        WriteFileBytes(path, "OLD");
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        auto writer = TDBXMLCoreWriter::CreateFile(path);
        QVERIFY(writer);
        writer->WriteLine("<liste name=\"Grüße 😀\">");
        writer->WriteFormatLine("<eintrag nr=\"%d\" text=\"%s\"/>", {42, "a&amp;b"});
        writer->WriteLine("</liste>");
        // A crash now must leave the old file, not half a new one.
        QCOMPARE(ReadFileBytes(path), QByteArray("OLD"));
        writer->Close();
        const QByteArray expected = kHeader + utf16le(
                                                  "<liste name=\"Grüße 😀\">\r\n"
                                                  "<eintrag nr=\"42\" text=\"a&amp;b\"/>\r\n"
                                                  "</liste>\r\n");
        QCOMPARE(ReadFileBytes(path), expected);
        // An outside parser reads what we wrote.
        QProcess lint;
        lint.start(QStandardPaths::findExecutable("xmllint"), {"--noout", path});
        QVERIFY(lint.waitForFinished(30000));
        QVERIFY2(lint.exitCode() == 0, lint.readAllStandardError().constData());
        // Writing after the file was put in place is an error, not a silent loss.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("not open"));
        QVERIFY_THROWS_EXCEPTION(EKwpError, writer->WriteLine("<b/>"));
        writer.reset();
        QCOMPARE(ReadFileBytes(path), expected);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"liste.xml"});
        QVERIFY(QFile::permissions(path) & QFileDevice::WriteOwner);
    }

    void unusableTargetIsReported_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");  // after the file name
        const char* const rows[][3] = {
            {"folder", "ordner.xml", "\" nicht loeschen."},
            {"missing folder", "fehlt/liste.xml",
             "\" nicht schreiben: Das Verzeichnis existiert nicht."},
            {"disk full", "/dev/full", "\" nicht schreiben: Der Datenträger ist voll."}};
        for (const auto& r : rows) QTest::newRow(r[0]) << QString(r[1]) << QString(r[2]);
    }
    void unusableTargetIsReported() {
        QFETCH(QString, name);
        QFETCH(QString, message);
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath("ordner.xml/inhalt")));
        const QString path = QDir::isAbsolutePath(name) ? name : dir.filePath(name);
        {
            auto writer = TDBXMLCoreWriter::CreateFile(path);
            if (writer) writer->WriteLine("<neu/>");
        }
        QCOMPARE(dialogs.shown().size(), 1);
        QVERIFY2(dialogs.texts().at(0).startsWith("Kann Datei \"" + path + message),
                 qPrintable(dialogs.texts().at(0)));
        QCOMPARE(dialogs.shown().at(0).type, mtError);
        QVERIFY(QFileInfo(dir.filePath("ordner.xml/inhalt")).isDir());
        QVERIFY(!QFileInfo::exists(dir.filePath("fehlt")));
    }
};

KWP_REGISTER_TEST(TestXmlCoreWriter)
#include "tst_xmlcorewriter.moc"
