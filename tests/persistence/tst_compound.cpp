#include <QtTest>
#include <functional>

#include "persistence/storage.h"
#include "persistence/storagestream.h"
#include "persistence/virtualfilesystem.h"
#include "testsupport.h"

namespace {

// Runs a tool; the test is skipped when the tool is not installed.
#define RUN_TOOL(out, program, ...)                                                 \
    do {                                                                            \
        if (!QFileInfo(program).isExecutable()) QSKIP(program " is not installed"); \
        QProcess p;                                                                 \
        p.start(program, __VA_ARGS__);                                              \
        QVERIFY(p.waitForFinished(60000));                                          \
        QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());          \
        out = QString::fromUtf8(p.readAllStandardOutput());                         \
    } while (false)

// Bytes with every value, long enough to leave the format's small-stream area.
QByteArray pattern(int size) {
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i) bytes[i] = char(i * 7 % 256);
    return bytes;
}

const QString kReadOleFile = QStringLiteral(
    "import olefile, sys\n"
    "o = olefile.OleFileIO(sys.argv[1])\n"
    "for p in sorted(o.listdir()):\n"
    "    sys.stdout.buffer.write(('/'.join(p) + ' ' + o.openstream(p).read().hex() + "
    "'\\n').encode())\n");

}  // namespace

class TestCompound : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fileOfAnotherProgramOpens() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("in/Sub"));
        const QByteArray big = pattern(5000);
        WriteFileBytes(dir.filePath("in/Handbuch.PDF"), big);
        WriteFileBytes(dir.filePath("in/x.pdf"), "%PDF");
        WriteFileBytes(dir.filePath("in/readme.txt"), "lies mich");
        WriteFileBytes(dir.filePath("in/Sub/a.bin"), QByteArray("\0\1\2", 3));
        QString out;
        QStringList args{"createole", dir.filePath("f.ole")};
        for (const char* name : {"Handbuch.PDF", "x.pdf", "readme.txt", "Sub"})
            args << dir.filePath(QStringLiteral("in/") + name);
        RUN_TOOL(out, "/usr/bin/gsf", args);
        ScriptedDialogs dialogs;
        RecordingShell shell;
        TVirtualFileSystem vfs(dir.filePath("f.ole"), TDbAccess::ReadOnly);
        QStringList pdfs;
        QVERIFY(vfs.ListFiles(" *.pdf ", pdfs));
        pdfs.sort();
        QCOMPARE(pdfs, QStringList({"Handbuch.PDF", "x.pdf"}));
        QVERIFY(vfs.FileExists("handbuch.pdf"));
        QVERIFY(!vfs.FileExists("Sub"));
        const QString target = dir.filePath("neu/tief/h.pdf");
        QVERIFY(vfs.OpenDocument("HANDBUCH.pdf", target));
        QCOMPARE(ReadFileBytes(target), big);
        QCOMPARE(shell.opened, QList<QUrl>{QUrl::fromLocalFile(target)});
        QVERIFY(!vfs.ExportFileToFilesystem("fehlt.pdf", target));
        QCOMPARE(vfs.Root()->OpenStorage("sub")->OpenStream("A.BIN")->readAll(),
                 QByteArray("\0\1\2", 3));
        // Nothing can be created in a read-only file: reported, not thrown.
        dialogs.answer(mrOk);
        QVERIFY(!vfs.OpenStream("neu.txt"));
        QVERIFY(dialogs.texts().value(0).startsWith("TVirtualFileSystem.OpenStream\n"));
        QVERIFY(dialogs.texts().value(0).contains("stream create failed (Error 13)"));
    }

    void fileWrittenHereOpensElsewhere() {
        QTemporaryDir dir;
        const QString path = dir.filePath("neu.ole");
        const QByteArray big = pattern(70000);
        const QString longest(31, QChar(u'ß'));
        {
            auto root = TRootStorage::Create(path);
            root->CreateStream("Grüße.txt")->write("Hallo Welt");
            root->CreateStorage("Ordner")->CreateStream("groß.bin")->write(big);
            root->CreateStream(longest);
            root->CreateStream("weg")->write("x");
            root->DestroyElement("WEG");
        }
        QString listed;
        RUN_TOOL(listed, "/usr/bin/python3", {"-c", kReadOleFile, path});
        QCOMPARE(listed, "Grüße.txt " + QByteArray("Hallo Welt").toHex() + "\nOrdner/groß.bin " +
                             big.toHex() + '\n' + longest + " \n");
        QString cat;
        RUN_TOOL(cat, "/usr/bin/gsf", {"cat", path, "Grüße.txt"});
        QCOMPARE(cat, "Hallo Welt");
    }

    void changeThroughOpenStreamSurvivesReopen() {
        QTemporaryDir dir;
        const QString path = dir.filePath("akte.ole");
        {
            TVirtualFileSystem vfs(path, TDbAccess::ReadWrite);
            QVERIFY(vfs.IsOpen());
            auto stream = vfs.OpenStream("Notiz.txt");
            QVERIFY(stream && stream->write("Hallo") == 5);
        }
        {
            TVirtualFileSystem vfs(path, TDbAccess::ReadWrite);
            auto stream = vfs.OpenStream("NOTIZ.TXT");
            QCOMPARE(stream->readAll(), QByteArray("Hallo"));
            QVERIFY(stream->seek(1) && stream->write("E") == 1);
            QVERIFY(stream->seek(8) && stream->write("!") == 1);
            stream->SetSize(7);
        }
        TVirtualFileSystem vfs(path, TDbAccess::ReadOnly);
        QCOMPARE(vfs.OpenStream("Notiz.txt")->readAll(), QByteArray("HEllo\0\0", 7));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"akte.ole"});
    }

    void failureCarriesItsText_data() {
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("message");
        QTest::newRow("plain file") << 0 << "not a storage file";
        QTest::newRow("missing file") << 1 << "root storage open failed (Error 2) ";
        QTest::newRow("32 characters") << 2 << "Filename > 31 chars";
        QTest::newRow("no stream name") << 3 << "no stream name given";
        QTest::newRow("missing stream") << 4 << "stream open failed (Error 2) ";
        QTest::newRow("cut-off file") << 5 << "root storage open failed (Error ";
        QTest::newRow("disk full") << 6 << "root storage create failed: Kann Datei \"/dev/full\"";
    }
    void failureCarriesItsText() {
        QFETCH(int, action);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.filePath("f.ole");
        TRootStorage::Create(path)->CreateStream("a")->write(pattern(9000));
        const QByteArray whole = ReadFileBytes(path);
        const QByteArray contents[] = {"Kein Verbundformat", "", "", "", "", whole.left(1536)};
        if (action != 1 && action != 6) WriteFileBytes(path, contents[action]);
        const std::function<void()> actions[] = {
            [&] { TRootStorage::Open(path); },
            [&] { TRootStorage::Open(dir.filePath("fehlt.ole")); },
            [&] { TRootStorage::Create(path)->CreateStream(QString(32, 'x')); },
            [&] { TRootStorage::Create(path)->OpenStream(""); },
            [&] { TRootStorage::Create(path)->OpenStream("b"); },
            [&] { TRootStorage::Open(path)->OpenStream("a")->readAll(); },
            [&] { TRootStorage::Create("/dev/full"); }};
        try {
            actions[action]();
            QFAIL("no exception");
        } catch (const ECompDocError& error) {
            QVERIFY2(error.message().startsWith(message), qPrintable(error.message()));
        }
        // The file is left as it was.
        if (action == 0 || action == 5) QCOMPARE(ReadFileBytes(path), contents[action]);
    }
};

KWP_REGISTER_TEST(TestCompound)
#include "tst_compound.moc"
