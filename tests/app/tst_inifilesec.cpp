#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include "app/dialogs.h"
#include "app/errorreport.h"
#include "app/inifile.h"
#include "app/inifilesec.h"
#include "app/rc4.h"
#include "testsupport.h"

namespace {

QByteArray randomBytes(QRandomGenerator& random, int count) {
    QByteArray bytes(count, Qt::Uninitialized);
    for (char& b : bytes) b = char(random.bounded(256));
    return bytes;
}

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
    void rc4KnownAnswers() {
        const char* const rows[][3] = {
            {"Key", "Plaintext", "BBF316E8D940AF0AD3"},
            {"Wiki", "pedia", "1021BF0420"},
            {"Secret", "Attack at dawn", "45A01F645FC35B383552544B9BF5"}};
        for (const auto& [key, plainText, cipherHex] : rows) {
            const QByteArray plain(plainText);
            TRC4 cipher(key);
            // The key stream runs on across pieces and starts again after a reset.
            const QByteArray first = cipher.process(plain.left(3));
            QCOMPARE((first + cipher.process(plain.mid(3))).toHex().toUpper(), cipherHex);
            cipher.reset();
            QCOMPARE(cipher.process(plain.left(3)), first);
            QCOMPARE(TRC4(key).process(QByteArray::fromHex(cipherHex)), plain);
        }
        QVERIFY_THROWS_EXCEPTION(EKwpError, (void)TRC4(QByteArray()));
    }

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
        QVERIFY(ini.SectionExists("meier"));
        QVERIFY(ini.ValueExists("System", "Journale"));
        QVERIFY(!ini.ValueExists("System", "Lager"));
        // A protected empty text is no number and no flag.
        QCOMPARE(ini.ReadInteger("System", "Journale", 7), 7);
        QCOMPARE(ini.ReadFloat("System", "Journale", 7.5), 7.5);
        QCOMPARE(ini.ReadBool("System", "Journale", true), true);
    }

    void roundTrip_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("umlauts and backslashes") << "Müller & Söhne – Straße 5 € \\\\SERVER\\";
        QTest::newRow("outside BMP") << "Notiz 😀 Ende";
        QTest::newRow("blanks and equals") << " a = b ";
    }
    void roundTrip() {
        QFETCH(QString, value);
        QTemporaryDir dir;
        const QString path = dir.filePath("SYSDATB.INI");
        TIniFileSecWriter writer(path);
        writer.WriteString("MEIER", "Wert", value);
        writer.UpdateFile();
        QCOMPARE(TIniFileSec(path).ReadString("MEIER", "Wert", "-"), value);
        // Not readable in the file.
        const QString stored = TIniFile(path).ReadString("MEIER", "Wert", QString());
        QVERIFY(!stored.isEmpty() && !stored.contains(value));
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

    void movedValueReadsDefault_data() {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::newRow("other key") << QString("System") << QString("Journale");
        QTest::newRow("other section") << QString("Mandant") << QString("A1");
        QTest::newRow("name spelled otherwise") << QString("SYSTEM") << QString("a1");
    }

    void movedValueReadsDefault() {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QTemporaryDir dir;
        const QString path = dir.filePath("SYSDATA.INI");
        {
            TIniFileSecWriter writer(path);
            writer.WriteString("System", "A1", "D:\\DATEN\\");
            writer.WriteString("System", "Nummer", "");
            writer.UpdateFile();
        }
        {
            TIniFile ini(path);
            if (section != "SYSTEM") {
                ini.WriteString(section, key, ini.ReadString("System", "A1", QString()));
                ini.WriteString(section, "Leer", ini.ReadString("System", "Nummer", QString()));
            }
            ini.UpdateFile();
        }
        const TIniFileSec ini(path);
        QVERIFY(ini.ValueExists(section, key));
        QCOMPARE(ini.ReadString(section, key, "<default>"), QStringLiteral("<default>"));
        QCOMPARE(ini.ReadString(section, "Leer", "<default>"), QStringLiteral("<default>"));
        QCOMPARE(ini.ReadString("System", "A1", "<default>"), QStringLiteral("D:\\DATEN\\"));
    }

    void garbageReadsDefault_data() {
        QTest::addColumn<QString>("stored");
        QRandomGenerator random(1871);
        const QString valid = EncodeProtectedValue("System", "A1", "C:\\SUITE\\");
        QString flipped = valid;
        flipped[10] = flipped[10] == u'A' ? u'B' : u'A';
        QTest::newRow("random Latin-1 text") << QString::fromLatin1(randomBytes(random, 80));
        QTest::newRow("truncated Base64") << valid.left(valid.size() - 8);
        QTest::newRow("Base64 cut inside digest") << valid.left(40);
        QTest::newRow("one character changed") << flipped;
        QTest::newRow("Base64 of random bytes")
            << QString::fromLatin1(randomBytes(random, 90).toBase64());
        QTest::newRow("Base64 of odd byte count")
            << QString::fromLatin1(randomBytes(random, 71).toBase64());
        QTest::newRow("plain number") << "19";
        QTest::newRow("plain empty text") << "";
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
        QCOMPARE(ini.ReadFloat("System", "A1", 3.5), 3.5);
        QCOMPARE(ini.ReadBool("System", "A1", true), true);
    }

    void nonAlphabetCharactersSkipped_data() {
        QTest::addColumn<QString>("inserted");
        QTest::newRow("blanks") << " ";
        QTest::newRow("tab") << "\t";
        QTest::newRow("line break") << "\r\n";
        QTest::newRow("umlaut") << "ä";
        QTest::newRow("outside Latin-1") << "€";
    }

    void nonAlphabetCharactersSkipped() {
        QFETCH(QString, inserted);
        const QString value = QStringLiteral("Hans Müller");
        const QString valid = EncodeProtectedValue("MEIER", "Vollname", value);
        QString stored;
        for (qsizetype n = 0; n < valid.size(); ++n) {
            stored += valid[n];
            if (n % 7 == 3) stored += inserted;
        }
        QCOMPARE(DecodeProtectedValue("MEIER", "Vollname", stored).value_or("<none>"), value);
        // Without padding it still decodes.
        QString unpadded = valid;
        while (unpadded.endsWith(u'=')) unpadded.chop(1);
        QCOMPARE(DecodeProtectedValue("MEIER", "Vollname", unpadded).value_or("<none>"), value);

        // Line breaks cannot stand in an INI line; blanks and other characters can.
        if (inserted.contains(u'\n')) return;
        QTemporaryDir dir;
        const QString path = dir.filePath("SYSDATB.INI");
        writePlain(path, "MEIER", "Vollname", stored);
        QCOMPARE(TIniFileSec(path).ReadString("MEIER", "Vollname", "-"), value);
    }
};

KWP_REGISTER_TEST(TestIniFileSec)
#include "tst_inifilesec.moc"
