#include <QtTest>
#include <QtWidgets>

#include "address/customeraddress.h"
#include "app/filedialogs.h"
#include "app/systemeinstellungen.h"
#include "testsupport.h"
#include "ui/widgets/documentstab.h"

namespace {
// The tab over a tenant folder with a record of the given number and folder field; each file
// dialog answers with the next list of files.
struct TabSetup {
    QTemporaryDir dir;
    TCustomerAddress record;
    TDocumentsTab tab;
    ScriptedFileDialogs files{{}};
    ScriptedDialogs dialogs;
    RecordingShell shell;
    QSignalSpy changed{&tab, &TDocumentsTab::customerFolderChanged};

    TabSetup(const QString& id, const QString& folder) {
        QDir().mkpath(dir.filePath("BIN"));
        InitApplicationFor(TProgramDir::Bin, dir.filePath("BIN/kwp00207"));
        SystemEinstellungen()->AdressenDir = dir.filePath("ADRESSEN/");
        if (!folder.isEmpty()) QDir().mkpath(TDocumentsTab::CustomerRootDir() + folder);
        record.Id = id;
        record.KndVerz = folder;
        tab.show();
        tab.SetAddress(&record);
    }
    ~TabSetup() { FinalizeApplication(); }
    QWidget* w(const char* name) { return tab.findChild<QWidget*>(name); }
    QString path(const QString& name) { return tab.CurrentFolder() + '/' + name; }
    void menu(const char* item, const QStringList& chosen) {
        files.answers.append(chosen);
        QTest::mouseClick(w("Button2"), Qt::LeftButton);
        tab.findChild<QAction*>(item)->trigger();
    }
    void doubleClick(const QString& name) {
        auto* view = tab.findChild<QTreeView*>("lvDocuments");
        const QPersistentModelIndex entry =
            qobject_cast<QFileSystemModel*>(view->model())->index(path(name));
        QTRY_VERIFY(!view->visualRect(entry).isEmpty());
        const QPoint at = view->visualRect(entry).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    }
};

void row(const char* name, const QString& id, const QString& existing, const QString& created) {
    QTest::newRow(name) << id << existing << created;
}
}  // namespace

class TestDocumentsTab : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void createFolder_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("blocker");  // a file below ADRESSEN
        QTest::addColumn<QString>("created");
        row("forbidden characters", "K/1:2", "", "K_1_2");
        row("taken", "K/1", "005/K_1", "K_100001");
        row("umlauts and blanks", " Müller & Söhne ", "", "Müller & Söhne");
        row("no write access", "K1", "005", "");
    }
    void createFolder() {
        QFETCH(QString, id);
        QFETCH(QString, blocker);
        QFETCH(QString, created);
        TabSetup s(id, {});
        QDir().mkpath(s.dir.filePath("ADRESSEN/" + blocker.section('/', 0, -2)));
        if (!blocker.isEmpty()) WriteFileBytes(s.dir.filePath("ADRESSEN/" + blocker), "x");
        if (created.isEmpty()) s.dialogs.answer(mrOk);
        QTest::mouseClick(s.w("btCreateKndVerz"), Qt::LeftButton);
        QCOMPARE(s.record.KndVerz, created);
        QCOMPARE(s.changed.size(), created.isEmpty() ? 0 : 1);
        QCOMPARE(s.dialogs.texts().join(""),
                 created.isEmpty() ? "Kann Kundenverzeichnis nicht anlegen." : "");
        QCOMPARE(s.w("Edit1")->property("text").toString(),
                 created.isEmpty() ? "" : s.dir.filePath("ADRESSEN/005/" + created));
    }

    void listNeverLeavesTheFolder() {
        TabSetup s("K1", "K1");
        const QString root = s.tab.CurrentFolder();
        QCOMPARE(TDocumentsTab::CustomerDir("../K1"), root.chopped(2) + ".._K1");
        QDir().mkpath(s.path("Pläne"));
        QFile::link(s.dir.path(), s.path("aussen"));
        s.tab.ShowDocuments();
        s.doubleClick("Pläne");
        QCOMPARE(s.tab.CurrentFolder(), root + "/Pläne");
        for (int i = 0; i < 2; ++i) QTest::mouseClick(s.w("sbVerzUp"), Qt::LeftButton);
        QCOMPARE(s.tab.CurrentFolder(), root);  // up twice, but never above the customer folder
        s.doubleClick("aussen");
        QCOMPARE(s.tab.CurrentFolder(), root);
        QCOMPARE(s.shell.opened, QList<QUrl>{QUrl::fromLocalFile(root + "/aussen")});
    }

    void addDocuments() {
        TabSetup s("K1", "K1");
        const QStringList names{"a.txt", "b Aufmaß.txt", "c.txt"};
        QStringList chosen;
        for (const QString& name : names)
            WriteFileBytes(chosen.emplace_back(s.dir.filePath(name)), name.left(1).toUtf8());
        WriteFileBytes(s.path(names[1]), "alt");
        s.dialogs.answer(mrNo);  // for the second of three: keeps it and stops
        s.menu("miAlsKopie", chosen);
        QCOMPARE(ReadFileBytes(s.path(names[1])) + ReadFileBytes(s.path(names[2])), "alt");
        s.dialogs.answer(mrYes);
        s.menu("miAlsKopie", chosen.mid(1));
        QCOMPARE(ReadFileBytes(s.path(names[0])) + ReadFileBytes(s.path(names[1])) +
                     ReadFileBytes(s.path(names[2])),
                 "abc");
        const QString offer = chosen[0], program = s.dir.filePath("BIN/KWP00250.EXE");
        for (const QString& file : {s.path("Aufmaß Küche.MSSF"), program}) WriteFileBytes(file, "");
        for (int i = 0; i < 2; ++i) s.menu("miAlsVerknuepfung", {offer});  // replaces its link
        QCOMPARE(QFileInfo(s.path("Verknuepfung mit a.txt")).symLinkTarget(), offer);
        s.menu("miEinscannen", {s.path("Scan 1")});
        QCOMPARE(s.dialogs.texts(),
                 QStringList(2, "Die Datei \"b Aufmaß.txt\" existiert bereits.\nUeberschreiben?"));
        s.doubleClick("Aufmaß Küche.MSSF");
        const QString tenantUser = qApp->arguments().value(1) + ' ' + qApp->arguments().value(2);
        QCOMPARE(s.shell.started.value(0).parameters,
                 tenantUser + " -FD \"" + s.path("Scan 1.PDF") + '"');
        QCOMPARE(s.shell.started.value(1).program, program);
        QCOMPARE(s.shell.started.value(1).parameters,
                 '"' + s.path("Aufmaß Küche.MSSF") + "\" -OPEN " + tenantUser);
    }
};

KWP_REGISTER_TEST(TestDocumentsTab)
#include "tst_documentstab.moc"
