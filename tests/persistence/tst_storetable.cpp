#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>

#include "persistence/storedatabase.h"
#include "persistence/storesqlite.h"
#include "persistence/storetable.h"
#include "testsupport.h"

namespace {

// A directory database in a temporary folder with a table "ARTIKEL" of every column type.
class ArticleStore {
public:
    ArticleStore() {
        database.SetDatabaseType(TStoreDatabase::dtDirectory);
        database.SetLocation(dir.path());
        define(table);
        table.CreateTable();
        table.SetIndexName(QStringLiteral("NR"));
        table.Open();
    }

    static void define(TStoreTable& t) {
        t.SetTableName(QStringLiteral("ARTIKEL"));
        TFieldDefs& f = t.FieldDefs();
        f.Clear();
        f.Add(QStringLiteral("NR"), sftString, 20, true);
        f.Add(QStringLiteral("MENGE"), sftInteger);
        f.Add(QStringLiteral("PREIS"), sftFloat).precision = 4;
        f.Add(QStringLiteral("STATUS"), sftSmallInt);
        f.Add(QStringLiteral("AKTIV"), sftBoolean);
        f.Add(QStringLiteral("LFD"), sftAutoInc, 0, true);
        f.Add(QStringLiteral("CREATED"), sftDateTime);
        f.Add(QStringLiteral("XMLDATA"), sftMemo);
        t.IndexDefs().Clear();
        t.IndexDefs().Add(QStringLiteral("NR"), QStringLiteral("NR"), ixUnique);
        t.IndexDefs().Add(QStringLiteral("PREISDESC"), QStringLiteral("PREIS"), ixDescending);
        t.IndexDefs().Add(QStringLiteral("STATUSNR"), QStringLiteral("STATUS;NR"));
    }

    void add(const QString& nr, double preis = 0, int status = 0) {
        table.Append();
        table.FieldByName(QStringLiteral("NR")).SetAsString(nr);
        table.FieldByName(QStringLiteral("PREIS")).SetAsFloat(preis);
        table.FieldByName(QStringLiteral("STATUS")).SetAsInteger(status);
        table.Post();
    }

    // The NR column from the first to the last record in the current order and filter.
    QStringList numbers() {
        QStringList result;
        for (table.First(); !table.Eof(); table.Next())
            result.append(table.FieldByName(QStringLiteral("NR")).AsString());
        return result;
    }

    QTemporaryDir dir;
    TStoreDatabase database;
    TStoreTable table{&database};
};

}  // namespace

class TestStoreTable : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { kwpstore::SetBusyTimeout(20000); }

    void structureSurvivesReopen() {
        ArticleStore store;
        TStoreTable other(&store.database);
        ArticleStore::define(other);
        const TFieldDefs defined = other.FieldDefs();
        const TIndexDefs indexes = other.IndexDefs();
        other.FieldDefs().Clear();
        other.IndexDefs().Clear();
        other.ReadStructure();
        QCOMPARE(other.FieldDefs(), defined);
        QCOMPARE(other.IndexDefs(), indexes);
        QVERIFY(store.database.HasTable(QStringLiteral("artikel")));
        QCOMPARE(store.database.TableNames(), QStringList{QStringLiteral("ARTIKEL")});
        QVERIFY(QFile::exists(store.dir.filePath(QStringLiteral("ARTIKEL.DAT"))));
    }

    void existingTableIsNeverCreatedAgain() {
        ArticleStore store;
        store.add(QStringLiteral("A1"));
        TStoreTable again(&store.database);
        ArticleStore::define(again);
        QVERIFY_THROWS_EXCEPTION(EStoreError, again.CreateTable());
        store.table.Refresh();
        QCOMPARE(store.table.RecordCount(), 1);
    }

    void textKeepsUnicode_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::newRow("umlauts") << "NR" << QStringLiteral("Müller-ßÄÖÜ");
        QTest::newRow("astral") << "NR" << QStringLiteral("日本😀€");
        QTest::newRow("memo xml") << "XMLDATA"
                                  << (QStringLiteral("<kundenadr name=\"Größe &amp; Co\">\n") +
                                      QString(100000, QChar(0x00e9)) +
                                      QStringLiteral("</kundenadr>"));
        QTest::newRow("memo empty") << "XMLDATA" << QString();
    }
    void textKeepsUnicode() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        ArticleStore store;
        store.table.Append();
        store.table.FieldByName(QStringLiteral("NR")).SetAsString(QStringLiteral("X"));
        store.table.FieldByName(field).SetAsString(text);
        store.table.Post();
        store.table.Close();
        store.table.Open();
        QCOMPARE(store.table.FieldByName(field).AsString(), text);
    }

    void numbersAndDatesRoundTrip() {
        ArticleStore store;
        store.table.Append();
        TStoreTable& t = store.table;
        t.FieldByName(QStringLiteral("NR")).SetAsString(QStringLiteral("A"));
        t.FieldByName(QStringLiteral("MENGE")).SetAsInteger(Q_INT64_C(4006381333931));
        t.FieldByName(QStringLiteral("PREIS")).SetAsString(QStringLiteral("1.234,5678"));
        t.FieldByName(QStringLiteral("AKTIV")).SetAsBoolean(true);
        t.FieldByName(QStringLiteral("CREATED")).SetAsDateTime(45633.75);
        t.Post();
        t.Close();
        t.Open();
        QCOMPARE(t.FieldByName(QStringLiteral("MENGE")).AsInteger(), Q_INT64_C(4006381333931));
        QCOMPARE(t.FieldByName(QStringLiteral("PREIS")).AsFloat(), 1234.5678);
        QVERIFY(t.FieldByName(QStringLiteral("AKTIV")).AsBoolean());
        QCOMPARE(t.FieldByName(QStringLiteral("CREATED")).AsDateTime(), 45633.75);
        QVERIFY(t.FieldByName(QStringLiteral("STATUS")).IsNull());
        QCOMPARE(t.FieldByName(QStringLiteral("LFD")).AsInteger(), 1);
    }

    void badValuesAreRefused_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        QTest::newRow("text too long")
            << "NR" << QString(21, QLatin1Char('x')) << QString("länger als 20 Zeichen");
        QTest::newRow("letters in number")
            << "MENGE" << QString("zwölf") << QString("kein gültiger Wert");
        QTest::newRow("letters in float")
            << "PREIS" << QString("1,2,3x") << QString("kein gültiger Wert");
    }
    void badValuesAreRefused() {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, message);
        ArticleStore store;
        store.table.Append();
        try {
            store.table.FieldByName(field).SetAsString(value);
            QFAIL("value accepted");
        } catch (const EStoreError& e) {
            QVERIFY2(e.message().contains(message), qPrintable(e.message()));
            QVERIFY(e.message().contains(field));
        }
        QVERIFY(store.table.FieldByName(field).IsNull());
    }

    void requiredFieldAndUniqueKeyRefusePost() {
        ArticleStore store;
        store.add(QStringLiteral("A1"));
        store.table.Append();
        QVERIFY_THROWS_EXCEPTION(EStoreError, store.table.Post());
        store.table.FieldByName(QStringLiteral("NR")).SetAsString(QStringLiteral("A1"));
        try {
            store.table.Post();
            QFAIL("duplicate key stored");
        } catch (const EStoreError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("Schlüsselverletzung")),
                     qPrintable(e.message()));
        }
        QCOMPARE(store.table.State(), TStoreState::Insert);
        store.table.FieldByName(QStringLiteral("NR")).SetAsString(QStringLiteral("A2"));
        store.table.Post();
        QCOMPARE(store.numbers(), (QStringList{QStringLiteral("A1"), QStringLiteral("A2")}));
    }

    void fieldsNeedEditState() {
        ArticleStore store;
        store.add(QStringLiteral("A"));
        QVERIFY_THROWS_EXCEPTION(EStoreError,
                                 store.table.FieldByName(QStringLiteral("NR")).SetAsString("B"));
        QVERIFY_THROWS_EXCEPTION(EStoreError,
                                 store.table.FieldByName(QStringLiteral("GIBTESNICHT")));
    }

    void emptyTableNavigation() {
        ArticleStore store;
        TStoreTable& t = store.table;
        QVERIFY(t.Bof() && t.Eof() && t.IsEmpty());
        QCOMPARE(t.RecNo(), 0);
        t.Last();
        t.Next();
        t.Prior();
        t.SetRecNo(5);
        QVERIFY(t.Bof() && t.Eof());
        QVERIFY(!t.Locate(QStringLiteral("NR"), QStringLiteral("A")));
        QVERIFY_THROWS_EXCEPTION(EStoreError, t.Edit());
        QVERIFY_THROWS_EXCEPTION(EStoreError, t.Delete());
    }

    void cursorFlagsAtTheEnds() {
        ArticleStore store;
        for (const char* nr : {"C", "A", "B"}) store.add(QString::fromLatin1(nr));
        TStoreTable& t = store.table;
        t.First();
        QVERIFY(t.Bof() && !t.Eof());
        t.Prior();
        QCOMPARE(t.RecNo(), 1);
        t.Last();
        QVERIFY(t.Eof());
        QCOMPARE(t.FieldByName(QStringLiteral("NR")).AsString(), QStringLiteral("C"));
        t.Next();
        QCOMPARE(t.RecNo(), 3);
        t.SetRecNo(2);
        QVERIFY(!t.Bof() && !t.Eof());
        QCOMPARE(t.FieldByName(QStringLiteral("NR")).AsString(), QStringLiteral("B"));
        t.SetRecNo(99);
        QCOMPARE(t.RecNo(), 3);
        t.SetRecNo(-4);
        QCOMPARE(t.RecNo(), 1);
    }

    void ordersFollowTheIndex_data() {
        QTest::addColumn<QString>("index");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("unique ascending, case folded")
            << "NR" << QStringList{"a2", "B1", "b1", "C", "ä"};
        QTest::newRow("descending") << "PREISDESC" << QStringList{"B1", "a2", "ä", "b1", "C"};
        QTest::newRow("two fields") << "STATUSNR" << QStringList{"b1", "C", "a2", "B1", "ä"};
        QTest::newRow("insertion order") << "" << QStringList{"C", "a2", "B1", "b1", "ä"};
        QTest::newRow("table name is insertion order")
            << "ARTIKEL" << QStringList{"C", "a2", "B1", "b1", "ä"};
    }
    void ordersFollowTheIndex() {
        QFETCH(QString, index);
        QFETCH(QStringList, expected);
        ArticleStore store;
        store.add(QStringLiteral("C"), 1.0, 0);
        store.add(QStringLiteral("a2"), 5.5, 1);
        store.add(QStringLiteral("B1"), 7.25, 1);
        store.add(QStringLiteral("b1"), 2.0, 0);
        store.add(QStringLiteral("ä"), 5.5, 1);
        store.table.SetIndexName(index);
        QCOMPARE(store.numbers(), expected);
        // Record numbers are the positions in that order.
        for (int i = 0; i < expected.size(); ++i) {
            store.table.SetRecNo(i + 1);
            QCOMPARE(store.table.FieldByName(QStringLiteral("NR")).AsString(), expected[i]);
        }
    }

    void unknownIndexIsRefusedAndOrderKept() {
        ArticleStore store;
        store.add(QStringLiteral("B"));
        store.add(QStringLiteral("A"));
        QVERIFY_THROWS_EXCEPTION(EStoreError, store.table.SetIndexName(QStringLiteral("FEHLT")));
        QCOMPARE(store.table.IndexName(), QStringLiteral("NR"));
        QCOMPARE(store.numbers(), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
    }

    // Own writes update the kept order in place; it must equal a freshly read order.
    void ownWritesKeepTheOrderRight() {
        ArticleStore store;
        TStoreTable& t = store.table;
        QRandomGenerator random(20261206);
        QStringList present;
        for (int step = 0; step < 400; ++step) {
            const int action = random.bounded(10);
            if (action < 6 || present.isEmpty()) {
                const QString nr =
                    QStringLiteral("K%1").arg(random.bounded(100000), 5, 10, QLatin1Char('0'));
                if (present.contains(nr)) continue;
                store.add(nr, random.bounded(50), int(random.bounded(3)));
                QCOMPARE(t.FieldByName(QStringLiteral("NR")).AsString(), nr);
                present.append(nr);
            } else if (action < 8) {
                const QString nr = present[random.bounded(int(present.size()))];
                QVERIFY(t.Locate(QStringLiteral("NR"), nr));
                t.Edit();
                const QString renamed = QStringLiteral("L") + nr.mid(1);
                if (present.contains(renamed)) {
                    t.Cancel();
                    continue;
                }
                t.FieldByName(QStringLiteral("NR")).SetAsString(renamed);
                t.Post();
                QCOMPARE(t.FieldByName(QStringLiteral("NR")).AsString(), renamed);
                present.replace(present.indexOf(nr), renamed);
            } else {
                const QString nr = present[random.bounded(int(present.size()))];
                QVERIFY(t.Locate(QStringLiteral("NR"), nr));
                t.Delete();
                present.removeAll(nr);
            }
        }
        for (const QString& index : {QStringLiteral("STATUSNR"), QStringLiteral("PREISDESC")}) {
            t.SetIndexName(index);
            for (int i = 0; i < 30; ++i) {
                t.SetRecNo(int(random.bounded(t.RecordCount())) + 1);
                t.Edit();
                t.FieldByName(QStringLiteral("PREIS")).SetAsFloat(random.bounded(50));
                t.Post();
            }
            const QStringList kept = store.numbers();
            TStoreTable fresh(&store.database);
            fresh.SetTableName(QStringLiteral("ARTIKEL"));
            fresh.SetIndexName(index);
            fresh.Open();
            QStringList reread;
            for (fresh.First(); !fresh.Eof(); fresh.Next())
                reread.append(fresh.FieldByName(QStringLiteral("NR")).AsString());
            QCOMPARE(kept, reread);
        }
        std::sort(present.begin(), present.end());
        t.SetIndexName(QStringLiteral("NR"));
        QCOMPARE(store.numbers(), present);
    }

    void deleteMovesToTheNextRecord() {
        ArticleStore store;
        for (const char* nr : {"A", "B", "C"}) store.add(QString::fromLatin1(nr));
        TStoreTable& t = store.table;
        QVERIFY(t.Locate(QStringLiteral("NR"), QStringLiteral("B")));
        t.Delete();
        QCOMPARE(t.FieldByName(QStringLiteral("NR")).AsString(), QStringLiteral("C"));
        t.Delete();
        QCOMPARE(t.FieldByName(QStringLiteral("NR")).AsString(), QStringLiteral("A"));
        t.Delete();
        QVERIFY(t.IsEmpty() && t.Eof() && t.Bof());
    }

    void autoIncrementNumbersAreNeverReused() {
        ArticleStore store;
        for (const char* nr : {"A", "B", "C"}) store.add(QString::fromLatin1(nr));
        QCOMPARE(store.table.FieldByName(QStringLiteral("LFD")).AsInteger(), 3);
        store.table.Delete();
        store.add(QStringLiteral("D"));
        QCOMPARE(store.table.FieldByName(QStringLiteral("LFD")).AsInteger(), 4);
        store.table.Edit();
        QVERIFY_THROWS_EXCEPTION(EStoreError,
                                 store.table.FieldByName(QStringLiteral("LFD")).SetAsInteger(9));
        store.table.Cancel();
    }

    void locateAndFindNearest_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("nearest");  // empty: after the last record
        const char* const rows[][3] = {{"exact", "K00013", "K00013"},
                                       {"between", "K00012A", "K00013"},
                                       {"lower case typed", "k0001", "K00012"},
                                       {"lower case sorts after upper", "k00013", "KX01"},
                                       {"before all", "", "A7"},
                                       {"after all", "ZZ", ""}};
        for (const auto& row : rows) QTest::newRow(row[0]) << QString(row[1]) << QString(row[2]);
    }
    void locateAndFindNearest() {
        QFETCH(QString, key);
        QFETCH(QString, nearest);
        ArticleStore store;
        for (const char* nr : {"K00013", "A7", "K00012", "KX01"})
            store.add(QString::fromLatin1(nr));
        store.table.FindNearest({key});
        if (nearest.isEmpty()) {
            QVERIFY(store.table.Eof());
        } else {
            QCOMPARE(store.table.FieldByName(QStringLiteral("NR")).AsString(), nearest);
        }
        // Locate wants the exact text and leaves the position alone when it finds nothing.
        const int recNo = store.table.RecNo();
        QCOMPARE(store.table.Locate(QStringLiteral("NR"), key), key == nearest);
        if (key != nearest) QCOMPARE(store.table.RecNo(), recNo);
        // Of several matching rows, the first in the current order.
        QVERIFY(store.table.Locate(QStringLiteral("PREIS"), 0.0));
        QCOMPARE(store.table.RecNo(), 1);
    }

    void filtersSelectExactlyTheirRows_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("prefix") << "NR like 'K*'"
                                << QStringList{"K", "K%1", "K00012", "K00013", "KX01"};
        QTest::newRow("percent is literal") << "NR like 'K%*'" << QStringList{"K%1"};
        QTest::newRow("single character") << "NR like 'K0001?'" << QStringList{"K00012", "K00013"};
        QTest::newRow("quoted quote") << "NR like 'O''*'" << QStringList{"O'Neil"};
        QTest::newRow("and or") << "(NR like 'K0*' and STATUS = 1) or NR = 'AK1'"
                                << QStringList{"AK1", "K00013"};
        QTest::newRow("not and compare")
            << "not NR like 'K*' and PREIS >= 2" << QStringList{"O'Neil"};
        QTest::newRow("upper case keywords") << "NR LIKE 'kx*'" << QStringList{"KX01"};
    }
    void filtersSelectExactlyTheirRows() {
        QFETCH(QString, filter);
        QFETCH(QStringList, expected);
        ArticleStore store;
        store.add(QStringLiteral("K00012"), 1, 0);
        store.add(QStringLiteral("K00013"), 1, 1);
        store.add(QStringLiteral("KX01"));
        store.add(QStringLiteral("K"));
        store.add(QStringLiteral("AK1"));
        store.add(QStringLiteral("K%1"));
        store.add(QStringLiteral("O'Neil"), 3);
        store.table.SetFilter(filter);
        store.table.SetFiltered(true);
        QCOMPARE(store.numbers(), expected);
        QCOMPARE(store.table.RecordCount(), expected.size());
        store.table.SetFiltered(false);
        QCOMPARE(store.table.RecordCount(), 7);
    }

    void badFiltersAreRefused_data() {
        QTest::addColumn<QString>("filter");
        QTest::newRow("unknown field") << "NAME like 'A*'";
        QTest::newRow("open quote") << "NR like 'A*";
        QTest::newRow("missing value") << "NR = ";
        QTest::newRow("missing paren") << "(NR = 'A'";
        QTest::newRow("no operator") << "NR 'A'";
        QTest::newRow("trailing words") << "NR = 'A' NR";
    }
    void badFiltersAreRefused() {
        QFETCH(QString, filter);
        ArticleStore store;
        store.add(QStringLiteral("A"));
        store.table.SetFiltered(true);
        try {
            store.table.SetFilter(filter);
            QFAIL("filter accepted");
        } catch (const EStoreError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("Filter")), qPrintable(e.message()));
        }
        QCOMPARE(store.table.RecordCount(), 1);
    }

    void postedRowOutsideTheFilterIsStoredButNotListed() {
        ArticleStore store;
        store.add(QStringLiteral("K1"));
        store.table.SetFilter(QStringLiteral("NR like 'K*'"));
        store.table.SetFiltered(true);
        store.add(QStringLiteral("L1"));
        QCOMPARE(store.numbers(), QStringList{QStringLiteral("K1")});
        store.table.SetFiltered(false);
        QCOMPARE(store.table.RecordCount(), 2);
    }

    void alterKeepsEveryRow() {
        ArticleStore store;
        for (int i = 0; i < 50; ++i)
            store.add(QStringLiteral("N%1").arg(i, 3, 10, QLatin1Char('0')), i, i % 3);
        TStoreTable& t = store.table;
        QVERIFY(t.Locate(QStringLiteral("NR"), QStringLiteral("N042")));
        t.Edit();
        t.FieldByName(QStringLiteral("MENGE")).SetAsInteger(Q_INT64_C(4006381333931));
        t.Post();
        t.SetRecNo(10);
        TFieldDefs& defs = t.FieldDefs();
        defs.Add(QStringLiteral("WVTXT"), sftString, 40);
        defs.Move(defs.Count() - 1, defs.IndexOf(QStringLiteral("XMLDATA")));
        defs.Add(QStringLiteral("PFLICHT"), sftString, 5, true);
        defs.Find(QStringLiteral("MENGE"))->type = sftString;
        defs.Find(QStringLiteral("MENGE"))->size = 20;
        t.AlterTable();
        QCOMPARE(t.RecordCount(), 50);
        QCOMPARE(t.RecNo(), 10);
        QCOMPARE(t.FieldDefs().IndexOf(QStringLiteral("WVTXT")),
                 t.FieldDefs().IndexOf(QStringLiteral("XMLDATA")) - 1);
        QCOMPARE(t.FieldDefs().Find(QStringLiteral("MENGE"))->type, int(sftString));
        QVERIFY(t.Locate(QStringLiteral("NR"), QStringLiteral("N042")));
        QCOMPARE(t.FieldByName(QStringLiteral("PREIS")).AsFloat(), 42.0);
        QCOMPARE(t.FieldByName(QStringLiteral("MENGE")).Value(),
                 QVariant(QStringLiteral("4006381333931")));
        QCOMPARE(t.FieldByName(QStringLiteral("LFD")).AsInteger(), 43);
        QCOMPARE(t.FieldByName(QStringLiteral("PFLICHT")).AsString(), QString());
        QVERIFY(!t.FieldByName(QStringLiteral("PFLICHT")).IsNull());
        t.SetIndexName(QStringLiteral("STATUSNR"));
        QCOMPARE(t.FieldByName(QStringLiteral("NR")).AsString(), QStringLiteral("N042"));
        t.Append();
        t.FieldByName(QStringLiteral("NR")).SetAsString(QStringLiteral("N050"));
        QVERIFY_THROWS_EXCEPTION(EStoreError, t.Post());
        t.FieldByName(QStringLiteral("PFLICHT")).SetAsString(QStringLiteral("ja"));
        t.Post();
        QCOMPARE(t.FieldByName(QStringLiteral("LFD")).AsInteger(), 51);
    }

    void otherConnectionsChangesAreSeen() {
        ArticleStore store;
        store.add(QStringLiteral("B"));
        TStoreTable other(&store.database);
        other.SetTableName(QStringLiteral("ARTIKEL"));
        other.Open();
        other.Append();
        other.FieldByName(QStringLiteral("NR")).SetAsString(QStringLiteral("A"));
        other.Post();
        QCOMPARE(store.table.RecordCount(), 1);
        QVERIFY(store.table.Locate(QStringLiteral("NR"), QStringLiteral("A")));
        QCOMPARE(store.table.RecNo(), 1);
        QCOMPARE(store.numbers(), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
        // A row the other one deletes is gone when it would be read.
        QVERIFY(other.Locate(QStringLiteral("NR"), QStringLiteral("B")));
        other.Delete();
        store.table.Refresh();
        QCOMPARE(store.numbers(), QStringList{QStringLiteral("A")});
        // A row the other one changes is read again under a lock, and an edit of other columns
        // keeps the change.
        other.First();
        other.Edit();
        other.FieldByName(QStringLiteral("PREIS")).SetAsFloat(2);
        other.Post();
        store.table.LockTable();
        QCOMPARE(store.table.FieldByName(QStringLiteral("PREIS")).AsFloat(), 2.0);
        store.table.UnlockTable();
        other.Edit();
        other.FieldByName(QStringLiteral("MENGE")).SetAsInteger(7);
        other.Post();
        store.table.Edit();
        store.table.FieldByName(QStringLiteral("PREIS")).SetAsFloat(4);
        store.table.Post();
        other.Refresh();
        QCOMPARE(other.FieldByName(QStringLiteral("MENGE")).AsInteger(), 7);
        QCOMPARE(other.FieldByName(QStringLiteral("PREIS")).AsFloat(), 4.0);
        // Editing a row that is gone is reported, not silently lost.
        store.table.First();
        store.table.Edit();
        QVERIFY(other.Locate(QStringLiteral("NR"), QStringLiteral("A")));
        other.Delete();
        store.table.FieldByName(QStringLiteral("PREIS")).SetAsFloat(3);
        QVERIFY_THROWS_EXCEPTION(EStoreError, store.table.Post());
    }

    void tableLockHoldsOtherWritersOff() {
        ArticleStore store;
        kwpstore::SetBusyTimeout(100);
        TStoreTable other(&store.database);
        other.SetTableName(QStringLiteral("ARTIKEL"));
        other.Open();
        store.table.LockTable();
        store.add(QStringLiteral("A"));
        other.Append();
        other.FieldByName(QStringLiteral("NR")).SetAsString(QStringLiteral("B"));
        try {
            other.Post();
            QFAIL("written through a table lock");
        } catch (const EStoreError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("gesperrt")), qPrintable(e.message()));
        }
        // A failed write inside the lock does not undo the earlier ones.
        store.table.Append();
        store.table.FieldByName(QStringLiteral("NR")).SetAsString(QStringLiteral("A"));
        QVERIFY_THROWS_EXCEPTION(EStoreError, store.table.Post());
        store.table.Cancel();
        store.table.UnlockTable();
        other.Post();
        other.Refresh();
        QCOMPARE(other.RecordCount(), 2);
    }

    void readOnlyTableRefusesWrites() {
        ArticleStore store;
        store.add(QStringLiteral("A"));
        TStoreTable reader(&store.database);
        reader.SetTableName(QStringLiteral("ARTIKEL"));
        reader.SetReadOnly(true);
        reader.Open();
        QVERIFY_THROWS_EXCEPTION(EStoreError, reader.Append());
        QVERIFY_THROWS_EXCEPTION(EStoreError, reader.Edit());
        QVERIFY_THROWS_EXCEPTION(EStoreError, reader.LockTable());
        QCOMPARE(reader.FieldByName(QStringLiteral("NR")).AsString(), QStringLiteral("A"));
    }

    void brokenTableFileIsReported() {
        QTemporaryDir dir;
        WriteFileBytes(dir.filePath(QStringLiteral("KAPUTT.DAT")), QByteArray(4096, 'x'));
        TStoreDatabase database;
        database.SetLocation(dir.path());
        TStoreTable table(&database);
        table.SetTableName(QStringLiteral("KAPUTT"));
        try {
            table.Open();
            QFAIL("broken file opened");
        } catch (const EStoreError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("KAPUTT.DAT")), qPrintable(e.message()));
        }
        QVERIFY(!table.Active());
        table.SetTableName(QStringLiteral("FEHLT"));
        QVERIFY_THROWS_EXCEPTION(EStoreError, table.Open());
    }

    void singleFileDatabaseHoldsSeveralTables() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("AUFTRAG.TDBD"));
        TStoreDatabase database;
        database.SetDatabaseType(TStoreDatabase::dtFile);
        database.SetLocation(file);
        database.SetAutoCreate(true);
        QVERIFY(database.TableNames().isEmpty());
        TStoreTable first(&database);
        ArticleStore::define(first);
        first.CreateTable();
        TStoreTable second(&database);
        second.SetTableName(QStringLiteral("201KLAGERAUFTR"));
        second.FieldDefs().Add(QStringLiteral("ID"), sftAutoInc, 0, true);
        second.IndexDefs().Add(QStringLiteral("NR"), QStringLiteral("ID"), ixUnique | ixDescending);
        second.CreateTable();
        QCOMPARE(database.TableNames(),
                 (QStringList{QStringLiteral("201KLAGERAUFTR"), QStringLiteral("ARTIKEL")}));
        second.SetIndexName(QStringLiteral("NR"));
        second.Open();
        for (int i = 0; i < 3; ++i) {
            second.Append();
            second.Post();
        }
        second.First();
        QCOMPARE(second.FieldByName(QStringLiteral("ID")).AsInteger(), 3);
    }
};

KWP_REGISTER_TEST(TestStoreTable)
#include "tst_storetable.moc"
