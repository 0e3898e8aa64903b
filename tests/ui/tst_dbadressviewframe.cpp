#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QTableView>
#include <QtTest>

#include "addressdb/dbadress.h"
#include "app/clock.h"
#include "app/conversions.h"
#include "app/format.h"
#include "testsupport.h"
#include "ui/widgets/adresslistdelegate.h"
#include "ui/widgets/adresslistmodel.h"

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
        reads = 0;
        QCOMPARE(model.index(999999, 3).data(adresslist::WvRole).toInt(), 999999);
        QCOMPARE(model.index(999999, 0).data().toString(), "1");  // cached, not read again
        for (int row = 0; row <= int(TAdressListModel::CacheLimit); ++row) model.Row(row);
        const int before = reads;  // the first row read has left the cache
        QCOMPARE(model.index(999999, 0).data().toString(), QString::number(before + 1));
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
        QTest::addColumn<bool>("selected");
        QTest::addColumn<QColor>("colour");  // invalid: the normal text colour
        QTest::newRow("yesterday") << -1.0 << false << QColor(Qt::red);
        QTest::newRow("today") << 0.0 << false << QColor(0x00, 0x80, 0x00);
        QTest::newRow("today 16:30") << 0.6875 << false << QColor(0x00, 0x80, 0x00);
        QTest::newRow("tomorrow") << 1.0 << false << QColor();
        QTest::newRow("yesterday selected") << -1.0 << true << QColor();
    }
    void resubmissionColours() {
        QFETCH(double, days);
        QFETCH(bool, selected);
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
        option.state = selected ? QStyle::State_Selected : QStyle::State_None;
        delegate.initStyleOption(&option, model.index(0, adresslist::ColWv));
        QCOMPARE(option.font.bold(), colour.isValid());
        QCOMPARE(option.palette.color(QPalette::Text),
                 colour.isValid() ? colour : view.palette().color(QPalette::Text));
        QCOMPARE(option.text,
                 days == 0.6875 ? "10.03.2026 16:30" : DateToStr(Today().addDays(int(days))));
    }
};

KWP_REGISTER_TEST(TestDBAdressViewFrame)
#include "tst_dbadressviewframe.moc"
