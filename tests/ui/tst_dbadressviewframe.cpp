#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

#include "address/addressconfig.h"
#include "address/customeraddress.h"
#include "addressdb/dbadress.h"
#include "app/clock.h"
#include "app/conversions.h"
#include "app/format.h"
#include "app/systemeinstellungen.h"
#include "testsupport.h"
#include "ui/widgets/adresslistdelegate.h"
#include "ui/widgets/adresslistmodel.h"
#include "ui/widgets/dbadressviewframe1.h"

namespace {
// A tenant whose table holds K01, K02, ... with the given flags (K01, K04, ... are suppliers),
// and the frame over it.
struct FrameSetup {
    QTemporaryDir dir;
    TAddressConfig config;
    std::unique_ptr<TDBAdressViewFrame1> frame;
    int loads = 0, chosen = 0;

    explicit FrameSetup(const QStringList& flags) {
        InitApplicationFor(TProgramDir::Bin, dir.filePath("BIN/kwp00207"));
        SystemEinstellungen()->AdressenDir = dir.filePath("ADRESSEN/");
        BenutzerEinstellungen()->Vollname = "Tester";
        {
            TDBAdress db;
            db.OpenDirectory(SystemEinstellungen()->AdressenDir);
            for (int i = 0; i < flags.size(); ++i) {
                TCustomerAddress record;
                record.Id = QString("K%1").arg(i + 1, 2, 10, QChar('0'));
                record.DisplayTxt = "Firma " + record.Id;
                record.Kennzeichen = flags[i].split(' ', Qt::SkipEmptyParts);
                if (i % 3 == 0) record.AddrGrp = "Lieferanten";
                db.SetCustomer(record);
            }
        }
        frame = std::make_unique<TDBAdressViewFrame1>(config);
        frame->OnAddressChanged = [this] { ++loads; };
        frame->OnAddressChosen = [this] { ++chosen; };
        frame->show();
    }
    ~FrameSetup() {
        frame.reset();
        FinalizeApplication();
    }
    template <typename T>
    T* find(const char* name) const {
        return frame->findChild<T*>(name);
    }
    void ticks(int count) {
        for (int i = 0; i < count; ++i) frame->TickSelectionDelay();
    }
    QTableView* activeList() const {
        return find<QTabWidget>("pcAdress")->currentWidget()->findChild<QTableView*>();
    }
};
}  // namespace

class TestDBAdressViewFrame : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listReadsOnlyTheRowsAskedFor() {
        int reads = 0;
        TAdressListModel model([&](int row) {
            return TAdressListRow{QString::number(++reads), {}, {}, double(row)};
        });
        model.Reset(300);
        {
            QAbstractItemModelTester tester(&model,
                                            QAbstractItemModelTester::FailureReportingMode::QtTest);
            model.Reset(200);
            model.Reread();
        }
        model.Reset(1000000);
        QTableView view;
        view.setModel(&model);
        view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        view.show();
        view.scrollToBottom();
        reads = 0;
        view.grab();
        QVERIFY2(reads > 0 && reads < 100, qPrintable(QString::number(reads)));
    }

    void resubmissionColours_data() {
        QTest::addColumn<double>("days");
        QTest::addColumn<QColor>("colour");  // invalid: the normal text colour
        QTest::newRow("yesterday") << -1.0 << QColor(Qt::red);
        QTest::newRow("today 16:30") << 0.6875 << QColor(0x00, 0x80, 0x00);
        QTest::newRow("tomorrow") << 1.0 << QColor();
    }
    void resubmissionColours() {
        QFETCH(double, days);
        QFETCH(QColor, colour);
        const PinnedClock clock(QDateTime(QDate(2026, 3, 10), QTime(9, 0)));
        auto hits = std::make_unique<TDBAdressSearchResultObjectList>();
        hits->Add()->Wv = DateTimeToDayNumber(QDateTime(Today(), QTime(0, 0))) + days;
        TAdressResultModel model(std::move(hits));
        QTableView view;
        view.setModel(&model);
        TAdressListDelegate delegate;
        QStyleOptionViewItem option;
        option.widget = &view;
        delegate.initStyleOption(&option, model.index(0, adresslist::ColWv));
        QCOMPARE(option.font.bold(), colour.isValid());
        QCOMPARE(option.palette.color(QPalette::Text),
                 colour.isValid() ? colour : view.palette().color(QPalette::Text));
        QCOMPARE(option.text,
                 days == 0.6875 ? "10.03.2026 16:30" : DateToStr(Today().addDays(int(days))));
    }

    void holdingDownLoadsOnlyWhereItStops() {
        FrameSetup setup(QStringList(30, QString()));
        setup.frame->SelectAddress(QString());
        setup.ticks(3);
        QCOMPARE(setup.loads, 1);
        auto* list = setup.find<QTableView>("VDBGrid");
        for (int i = 0; i < 20; ++i) {
            QTest::keyClick(list, Qt::Key_Down);
            setup.ticks(2);  // key repeat is faster than the delay
        }
        QCOMPARE(setup.loads, 1);
        setup.ticks(3);
        QCOMPARE(setup.loads, 2);
        QCOMPARE(setup.frame->CustomerAddress().Id, "K21");
        QVERIFY(!setup.frame->SelectionDelayRunning());
    }

    void doubleClickLoadsAndChoosesOnce() {
        FrameSetup setup(QStringList(5, QString()));
        auto* list = setup.find<QTableView>("VDBGrid");
        const QPoint row3 = list->visualRect(list->model()->index(2, 1)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row3);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row3);
        setup.ticks(3);
        QCOMPARE(setup.frame->CustomerAddress().Id, "K03");
        QCOMPARE(setup.loads, 1);
        QCOMPARE(setup.chosen, 1);
        QTest::keyClick(list, Qt::Key_Down);
        setup.ticks(3);
        QCOMPARE(setup.loads, 2);
        QCOMPARE(setup.chosen, 1);
    }

    void specialSearchByTypedFlags() {
        FrameSetup setup({"a", "", "C", "b x", "ab"});
        RecordingNotices notices;
        setup.find<QLineEdit>("edAK")->setText("  A, B ");
        QTest::mouseClick(setup.find<QPushButton>("btSpecialSearch"), Qt::LeftButton);
        QCOMPARE(setup.find<QLineEdit>("edAK")->text(), "A, B");
        QCOMPARE(notices.shown, QStringList{"Adressverwaltung: 2 Treffer"});
        QCOMPARE(setup.find<QTabWidget>("pcAdress")->tabText(1), "Spezialsuche");
        QAbstractItemModel* hits = setup.activeList()->model();
        QCOMPARE(hits->rowCount(), 2);
        QCOMPARE(hits->index(0, 0).data().toString(), "K01");
        QCOMPARE(hits->index(1, 0).data().toString(), "K04");
    }

    void savingRereadsTheList() {
        FrameSetup setup(QStringList(3, QString()));
        const ScriptedDialogs noDialogs;
        setup.frame->SelectAddress("K02");
        setup.ticks(3);
        setup.frame->CustomerAddress().Info = "Rückruf";
        setup.frame->SetModified(true);
        QTest::keyClick(setup.find<QTableView>("VDBGrid"), Qt::Key_Down);
        setup.ticks(3);  // saved before K03 is loaded
        QCOMPARE(setup.frame->CustomerAddress().Id, "K03");
        TCustomerAddress stored;
        QVERIFY(setup.frame->DBAdress().GetCustomer("K02", stored));
        QCOMPARE(stored.Info, "Rückruf");
        QCOMPARE(setup.find<QTableView>("VDBGrid")->model()->index(1, 1).data().toString(),
                 ". . . . .");
    }

    void jumpAndGroupFilter() {
        FrameSetup setup(QStringList(12, QString()));
        RecordingNotices notices;
        QTest::keyClicks(setup.find<QLineEdit>("edGoto"), "k05");
        QCOMPARE(setup.find<QTableView>("VDBGrid")->currentIndex().row(), 4);
        setup.frame->GroupSearch("Behörden");
        QCOMPARE(notices.shown, QStringList{"Adressverwaltung: Nichts gefunden."});
        auto* pages = setup.find<QTabWidget>("pcAdress");
        QCOMPARE(pages->count(), 1);
        setup.frame->GroupSearch("Lieferanten");
        QCOMPARE(notices.shown.value(1), "Adressverwaltung: 4 Treffer");
        QCOMPARE(pages->tabText(pages->currentIndex()), "Adressgruppe: Lieferanten");
        QCOMPARE(setup.activeList()->model()->index(3, 0).data().toString(), "K10");
    }

    void closingResultPageReturnsToItsRow() {
        FrameSetup setup(QStringList(12, QString()));
        RecordingNotices notices;
        auto* search = setup.find<QLineEdit>("edSearchText");
        QTest::keyClicks(search, " K1 ");
        QVERIFY(!setup.frame->HandleKey(Qt::Key_Return, {}));  // Enter elsewhere is the window's
        setup.frame->activateWindow();
        search->setFocus();
        QTRY_VERIFY(search->hasFocus());
        QVERIFY(setup.frame->HandleKey(Qt::Key_Return, {}));
        auto* pages = setup.find<QTabWidget>("pcAdress");
        QCOMPARE(pages->tabText(pages->currentIndex()), "K1");
        QCOMPARE(setup.activeList()->model()->rowCount(), 3);  // K10, K11, K12
        QVERIFY(setup.frame->HandleKey(Qt::Key_Down, {}));
        QTest::mouseClick(setup.find<QPushButton>("btCloseResult"), Qt::LeftButton);
        QCOMPARE(pages->count(), 1);
        QCOMPARE(pages->currentIndex(), 0);
        QCOMPARE(setup.find<QTableView>("VDBGrid")->currentIndex().row(), 10);
        setup.ticks(3);
        QCOMPARE(setup.frame->CustomerAddress().Id, "K11");
    }
};

KWP_REGISTER_TEST(TestDBAdressViewFrame)
#include "tst_dbadressviewframe.moc"
