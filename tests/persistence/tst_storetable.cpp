#include <QtTest>

#include "persistence/storedatabase.h"
#include "persistence/storesqlite.h"
#include "persistence/storetable.h"
#include "testsupport.h"

namespace {

// The NR column from the first to the last record in the current order and filter.
QStringList numbers(TStoreTable& t) {
    QStringList result;
    for (t.First(); !t.Eof(); t.Next()) result.append(t.FieldByName("NR").AsString());
    return result;
}

// Appends or edits the current record and posts it; the values follow their field names, and
// texts are typed in.
void write(TStoreTable& t, bool append, const QVariantList& namesAndValues) {
    append ? t.Append() : t.Edit();
    for (qsizetype i = 0; i + 1 < namesAndValues.size(); i += 2) {
        TStoreField& field = t.FieldByName(namesAndValues[i].toString());
        const QVariant& value = namesAndValues[i + 1];
        value.typeId() == QMetaType::QString ? field.SetAsString(value.toString())
                                             : field.SetValue(value);
    }
    t.Post();
}

// A directory database in a temporary folder with a table "ARTIKEL" of every column type.
class ArticleStore {
public:
    ArticleStore() {
        database.SetDatabaseType(TStoreDatabase::dtDirectory);
        database.SetLocation(dir.path());
        define(table);
        table.CreateTable();
        table.SetIndexName("NR");
        table.Open();
    }

    static void define(TStoreTable& t) {
        t.SetTableName("ARTIKEL");
        TFieldDefs& f = t.FieldDefs();
        f.Clear();
        f.Add("NR", sftString, 20, true);
        f.Add("MENGE", sftInteger);
        f.Add("PREIS", sftFloat).precision = 4;
        f.Add("STATUS", sftSmallInt);
        f.Add("AKTIV", sftBoolean);
        f.Add("LFD", sftAutoInc, 0, true);
        f.Add("CREATED", sftDateTime);
        f.Add("XMLDATA", sftMemo);
        t.IndexDefs().Clear();
        t.IndexDefs().Add("NR", "NR", ixUnique);
        t.IndexDefs().Add("PREISDESC", "PREIS", ixDescending);
        t.IndexDefs().Add("STATUSNR", "STATUS;NR");
    }

    void add(const QString& nr, double preis = 0, int status = 0) {
        write(table, true, {"NR", nr, "PREIS", preis, "STATUS", status});
    }
    // A second connection to the same table.
    std::unique_ptr<TStoreTable> other(bool readOnly = false) {
        auto t = std::make_unique<TStoreTable>(&database);
        t->SetTableName("ARTIKEL");
        t->SetReadOnly(readOnly);
        t->Open();
        return t;
    }
    TStoreField& f(const QString& name) { return table.FieldByName(name); }
    QString nr() { return f("NR").AsString(); }

    QTemporaryDir dir;
    TStoreDatabase database;
    TStoreTable table{&database};
};

// Runs an action that must be refused with a message containing every part.
template <class F>
void expectError(F&& action, std::initializer_list<QString> parts) {
    try {
        action();
        QFAIL("no error");
    } catch (const EStoreError& e) {
        for (const QString& part : parts)
            QVERIFY2(e.message().contains(part), qPrintable(e.message()));
    }
}

}  // namespace

class TestStoreTable : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { kwpstore::SetBusyTimeout(20000); }

    void structureSurvivesAndIsNeverCreatedAgain() {
        ArticleStore s;
        s.add("A1");
        TStoreTable other(&s.database);
        ArticleStore::define(other);
        QVERIFY_THROWS_EXCEPTION(EStoreError, other.CreateTable());
        const TFieldDefs fields = other.FieldDefs();
        const TIndexDefs indexes = other.IndexDefs();
        other.FieldDefs().Clear();
        other.IndexDefs().Clear();
        other.ReadStructure();
        QCOMPARE(other.FieldDefs(), fields);
        QCOMPARE(other.IndexDefs(), indexes);
        s.table.Refresh();
        QCOMPARE(s.table.RecordCount(), 1);
    }

    void valuesSurviveReopen() {
        ArticleStore s;
        const QString memo =
            "<kundenadr name=\"Größe &amp; Co\">\n" + QString(100000, QChar(0xe9)) + "</kundenadr>";
        write(s.table, true,
              {"NR", "Müller-ßÄ日本😀€", "MENGE", Q_INT64_C(4006381333931), "PREIS", "1.234,5678",
               "AKTIV", true, "CREATED", 45633.75, "XMLDATA", memo});
        s.table.Close();
        s.table.Open();
        QCOMPARE(s.nr(), "Müller-ßÄ日本😀€");
        QCOMPARE(s.f("MENGE").AsInteger(), Q_INT64_C(4006381333931));
        QCOMPARE(s.f("PREIS").AsFloat(), 1234.5678);
        QVERIFY(s.f("AKTIV").AsBoolean());
        QCOMPARE(s.f("CREATED").AsDateTime(), 45633.75);
        QCOMPARE(s.f("XMLDATA").AsString(), memo);
        QVERIFY(s.f("STATUS").IsNull());
        QCOMPARE(s.f("LFD").AsInteger(), 1);
    }

    void refusedPostKeepsTheInsert() {
        ArticleStore s;
        s.add("A1");
        s.table.Append();
        for (const auto& [field, value, message] :
             {std::tuple{"NR", "xxxxxxxxxxxxxxxxxxxxx", "länger als 20 Zeichen"},
              {"MENGE", "zwölf", "kein gültiger Wert"}}) {
            expectError([&] { s.f(field).SetAsString(value); }, {message, field});
            QVERIFY(s.f(field).IsNull());
        }
        QVERIFY_THROWS_EXCEPTION(EStoreError, s.table.Post());  // required NR missing
        s.f("NR").SetAsString("A1");
        expectError([&] { s.table.Post(); }, {"Schlüsselverletzung"});
        QCOMPARE(s.table.State(), TStoreState::Insert);
        s.f("NR").SetAsString("A2");
        s.table.Post();
        QCOMPARE(numbers(s.table), (QStringList{"A1", "A2"}));
    }

    void deleteMovesOnAndNumbersAreNeverReused() {
        ArticleStore s;
        TStoreTable& t = s.table;
        for (const char* nr : {"A", "B", "C"}) s.add(nr);
        QCOMPARE(s.f("LFD").AsInteger(), 3);
        QVERIFY(t.Locate("NR", "B"));
        t.Delete();
        QCOMPARE(s.nr(), "C");
        t.Delete();  // the last: the new last one
        QCOMPARE(s.nr(), "A");
        s.add("D");  // the deleted C had the highest number
        QCOMPARE(s.f("LFD").AsInteger(), 4);
    }

    void ordersFollowTheIndex_data() {
        QTest::addColumn<QString>("index");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("unique ascending, case folded")
            << "NR" << QStringList{"a2", "B1", "b1", "C", "ä"};
        QTest::newRow("descending") << "PREISDESC" << QStringList{"B1", "a2", "ä", "b1", "C"};
        QTest::newRow("two fields") << "STATUSNR" << QStringList{"b1", "C", "a2", "B1", "ä"};
        QTest::newRow("insertion order") << "" << QStringList{"C", "a2", "B1", "b1", "ä"};
    }
    void ordersFollowTheIndex() {
        QFETCH(QString, index);
        QFETCH(QStringList, expected);
        ArticleStore s;
        s.add("C", 1.0, 0);
        s.add("a2", 5.5, 1);
        s.add("B1", 7.25, 1);
        s.add("b1", 2.0, 0);
        s.add("ä", 5.5, 1);
        s.table.SetIndexName(index);
        QCOMPARE(numbers(s.table), expected);
        // Own writes update the kept order in place, equal keys included; it must equal the
        // order another connection reads.
        QVERIFY(s.table.Locate("NR", "C"));
        write(s.table, false, {"NR", "b0", "PREIS", 5.5, "STATUS", 1});
        QVERIFY(s.table.Locate("NR", "a2"));
        write(s.table, false, {"PREIS", 1.0, "STATUS", 0});
        QVERIFY(s.table.Locate("NR", "b1"));
        s.table.Delete();
        s.add("A0", 5.5, 1);
        auto fresh = s.other();
        fresh->SetIndexName(index);
        QCOMPARE(numbers(s.table), numbers(*fresh));
    }

    void alterKeepsEveryRow() {
        ArticleStore s;
        for (int i = 0; i < 50; ++i) s.add(QString("N%1").arg(i, 3, 10, QChar('0')), i, i % 3);
        TStoreTable& t = s.table;
        QVERIFY(t.Locate("NR", "N042"));
        write(t, false, {"MENGE", Q_INT64_C(4006381333931)});
        TFieldDefs& defs = t.FieldDefs();
        defs.Add("WVTXT", sftString, 40);
        defs.Move(defs.Count() - 1, defs.IndexOf("XMLDATA"));
        defs.Add("PFLICHT", sftString, 5, true);
        defs.Find("MENGE")->type = sftString;
        defs.Find("MENGE")->size = 20;
        t.AlterTable();
        QCOMPARE(t.RecordCount(), 50);
        QCOMPARE(t.FieldDefs().IndexOf("WVTXT"), t.FieldDefs().IndexOf("XMLDATA") - 1);
        QVERIFY(t.Locate("NR", "N042"));
        QCOMPARE(s.f("PREIS").AsFloat(), 42.0);
        QCOMPARE(s.f("MENGE").Value(), QVariant(QString("4006381333931")));
        QCOMPARE(s.f("LFD").AsInteger(), 43);
        QVERIFY(!s.f("PFLICHT").IsNull());
        t.Append();
        s.f("NR").SetAsString("N050");
        QVERIFY_THROWS_EXCEPTION(EStoreError, t.Post());
        s.f("PFLICHT").SetAsString("ja");
        t.Post();
        QCOMPARE(s.f("LFD").AsInteger(), 51);
    }

    void otherConnectionsChangesAreSeen() {
        ArticleStore s;
        s.add("B");
        auto other = s.other();
        write(*other, true, {"NR", "A"});
        QCOMPARE(s.table.RecordCount(), 1);
        QVERIFY(s.table.Locate("NR", "A"));
        QCOMPARE(s.table.RecNo(), 1);
        QCOMPARE(numbers(s.table), (QStringList{"A", "B"}));
        // A row the other one deletes is gone when it would be read.
        QVERIFY(other->Locate("NR", "B"));
        other->Delete();
        s.table.Refresh();
        QCOMPARE(numbers(s.table), QStringList{"A"});
        // A row the other one changes is read again under a lock, and an edit of other columns
        // keeps the change.
        other->First();
        write(*other, false, {"PREIS", 2.0});
        s.table.LockTable();
        QCOMPARE(s.f("PREIS").AsFloat(), 2.0);
        s.table.UnlockTable();
        write(*other, false, {"MENGE", 7});
        write(s.table, false, {"PREIS", 4.0});
        other->Refresh();
        QCOMPARE(other->FieldByName("MENGE").AsInteger(), 7);
        QCOMPARE(other->FieldByName("PREIS").AsFloat(), 4.0);
        // Editing a row that is gone is reported, not silently lost.
        s.table.First();
        s.table.Edit();
        QVERIFY(other->Locate("NR", "A"));
        other->Delete();
        s.f("PREIS").SetAsFloat(3);
        QVERIFY_THROWS_EXCEPTION(EStoreError, s.table.Post());
    }

    void locksAndReadOnlyHoldWritersOff() {
        ArticleStore s;
        kwpstore::SetBusyTimeout(100);
        auto other = s.other();
        s.table.LockTable();
        s.add("A");
        other->Append();
        other->FieldByName("NR").SetAsString("B");
        expectError([&] { other->Post(); }, {"gesperrt"});
        // A failed write inside the lock does not undo the earlier ones.
        s.table.Append();
        s.f("NR").SetAsString("A");
        QVERIFY_THROWS_EXCEPTION(EStoreError, s.table.Post());
        s.table.Cancel();
        s.table.UnlockTable();
        other->Post();
        other->Refresh();
        QCOMPARE(other->RecordCount(), 2);
        auto reader = s.other(true);
        QVERIFY_THROWS_EXCEPTION(EStoreError, reader->Append());
        QVERIFY_THROWS_EXCEPTION(EStoreError, reader->LockTable());
        QCOMPARE(reader->FieldByName("NR").AsString(), "A");
    }
};

KWP_REGISTER_TEST(TestStoreTable)
#include "tst_storetable.moc"
