#include <QtTest>

#include "app/errorreport.h"
#include "app/inifile.h"
#include "app/inifilesec.h"
#include "testsupport.h"

namespace {

// Writes one stored text as it stands, without protection.
void writePlain(const QString& path, const QString& section, const QString& key,
                const QString& stored) {
    TIniFile ini(path);
    ini.WriteString(section, key, stored);
    ini.UpdateFile();
}

}  // namespace

class TestIniFileSec : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void writerFileMatchesGolden() {
        QTemporaryDir dir;
        const QString path = dir.filePath("SYSDATA.INI");
        {
            TIniFileSecWriter writer(path);
            writer.WriteString("System", "A1", "C:\\SUITE\\DATA\\");
            writer.WriteString("System", "Journale", "");
            writer.WriteInteger("System", "Version", 19);
            writer.WriteString("MEIER", "Vollname", "Hans Müller");
            writer.WriteFloat("MEIER", "Provision", 2.5);
            writer.WriteBool("MEIER", "ZutrittsSperre", true);
        }  // the writer writes the file when it goes
        QCOMPARE(ReadFileBytes(path), ReadFileBytes(KWP_TEST_DATA_DIR "/protected_golden.ini"));
        const TIniFileSec ini(KWP_TEST_DATA_DIR "/protected_golden.ini");
        QCOMPARE(ini.ReadString("System", "A1", "-"), QStringLiteral("C:\\SUITE\\DATA\\"));
        QCOMPARE(ini.ReadString("System", "Journale", "-"), QStringLiteral(""));
        QCOMPARE(ini.ReadInteger("System", "Version", 0), 19);
        QCOMPARE(ini.ReadString("MEIER", "Vollname", "-"), QStringLiteral("Hans Müller"));
        QCOMPARE(ini.ReadFloat("MEIER", "Provision", 0.0), 2.5);
        QCOMPARE(ini.ReadBool("MEIER", "ZutrittsSperre", false), true);
    }

    void writerDestructorReportsFailure() {
        QTemporaryDir dir;
        const QString path = dir.filePath("SYSDATA.INI");
        {
            // Too large to be read, so it must not be replaced either.
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(TIniFile::MaxFileSize + 1));
        }
        ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        {
            TIniFileSecWriter writer(path);
            writer.WriteString("System", "A1", "neu");
        }
        QCOMPARE(dialogs.shown().size(), 1);
        QVERIFY2(
            dialogs.shown().first().text.contains("Kann Datei \"" + path + "\" nicht schreiben."),
            qPrintable(dialogs.shown().first().text));
        QCOMPARE(QFileInfo(path).size(), TIniFile::MaxFileSize + 1);
    }

    // A protected value copied to another key does not read there.
    void movedValueReadsDefault() {
        QTemporaryDir dir;
        const QString path = dir.filePath("SYSDATA.INI");
        {
            TIniFileSecWriter writer(path);
            writer.WriteString("System", "A1", "D:\\DATEN\\");
            writer.UpdateFile();
        }
        writePlain(path, "System", "Journale",
                   TIniFile(path).ReadString("System", "A1", QString()));
        const TIniFileSec ini(path);
        QVERIFY(ini.ValueExists("System", "Journale"));
        QCOMPARE(ini.ReadString("System", "Journale", "<default>"), QStringLiteral("<default>"));
        QCOMPARE(ini.ReadString("SYSTEM", "a1", "<default>"), QStringLiteral("<default>"));
        QCOMPARE(ini.ReadString("System", "A1", "<default>"), QStringLiteral("D:\\DATEN\\"));
    }

    void garbageReadsDefault_data() {
        QTest::addColumn<QString>("stored");
        const QString valid = EncodeProtectedValue("System", "A1", "C:\\SUITE\\");
        QString flipped = valid;
        flipped[10] = flipped[10] == u'A' ? u'B' : u'A';
        QTest::newRow("truncated Base64") << valid.left(valid.size() - 8);
        QTest::newRow("one character changed") << flipped;
        QTest::newRow("plain number") << "19";
        QTest::newRow("digest in plain text") << Md5HexUtf16("SystemA1C:\\") + "C:\\";
    }

    void garbageReadsDefault() {
        QFETCH(QString, stored);
        QTemporaryDir dir;
        const QString path = dir.filePath("SYSDATA.INI");
        writePlain(path, "System", "A1", stored);
        const TIniFileSec ini(path);
        QVERIFY(ini.ValueExists("System", "A1"));
        QCOMPARE(ini.ReadString("System", "A1", "<default>"), QStringLiteral("<default>"));
        QCOMPARE(ini.ReadInteger("System", "A1", 3), 3);
    }
};

KWP_REGISTER_TEST(TestIniFileSec)
#include "tst_inifilesec.moc"
