#include <QLocale>
#include <QtTest>

#include "address/paymentterm.h"
#include "address/paymentway.h"
#include "app/translation.h"
#include "persistence/xmlcoreobject.h"
#include "testsupport.h"

namespace {

using AttrPairs = QList<QPair<QString, QString>>;

TXmlAttributes paymentAttributes(const AttrPairs& pairs) {
    TXmlAttributes attributes;
    for (const auto& [name, value] : pairs) attributes.append({QString(), name, name, value});
    return attributes;
}

// Restores the de_DE number format the tests run with.
class LocaleGuard {
public:
    explicit LocaleGuard(const QString& name) { QLocale::setDefault(QLocale(name)); }
    ~LocaleGuard() { QLocale::setDefault(QLocale(QStringLiteral("de_DE"))); }
    LocaleGuard(const LocaleGuard&) = delete;
    LocaleGuard& operator=(const LocaleGuard&) = delete;
};

std::unique_ptr<TPaymentTerm> makeTerm(double perc, int days = 0, int type = 0, int dpw = 7) {
    auto term = std::make_unique<TPaymentTerm>();
    term->PtType = type;
    term->Perc = perc;
    term->Days = days;
    term->Dpw = dpw;
    return term;
}

}  // namespace

class TestPayment : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() {
        QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
        UseLanguage(QStringLiteral("de_DE"));
    }

    void termText_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("type");
        QTest::addColumn<double>("perc");
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("dpw");
        QTest::addColumn<QString>("text");
        struct Row {
            const char *name, *locale, *language;
            int type;
            double perc;
            int days, dpw;
            const char* text;
        };
        const Row rows[] = {
            {"days with discount", "de_DE", "de_DE", 0, 2, 10, 5,
             "Bis 10 Tage 2 %. (5 Tage die Woche)"},
            {"days net", "de_DE", "de_DE", 0, 0, 30, 7, "Bis 30 Tage netto. (7 Tage die Woche)"},
            {"days fractional discount", "de_DE", "de_DE", 0, 2.5, 14, 7,
             "Bis 14 Tage 2,5 %. (7 Tage die Woche)"},
            {"half months net", "de_DE", "de_DE", 1, 0, 3, 7,
             "Bis Monatsmitte/-ende plus 1,5 Monate netto."},
            {"whole months with discount", "de_DE", "de_DE", 1, 3, 4, 7,
             "Bis Monatsmitte/-ende plus 2 Monate 3 %."},
            {"american number format", "en_US", "de_DE", 1, 1.5, 3, 7,
             "Bis Monatsmitte/-ende plus 1.5 Monate 1.5 %."},
            {"english days", "en_US", "en_GB", 0, 2.5, 10, 5,
             "Within 10 days 2.5 %. (5 days a week)"},
            {"english half months", "en_US", "en_GB", 1, 0, 1, 7,
             "By mid-month/month end plus 0.5 months net."},
        };
        for (const Row& r : rows)
            QTest::newRow(r.name) << QString::fromLatin1(r.locale)
                                  << QString::fromLatin1(r.language) << r.type << r.perc << r.days
                                  << r.dpw << QString::fromUtf8(r.text);
    }
    void termText() {
        QFETCH(QString, locale);
        QFETCH(QString, language);
        QFETCH(int, type);
        QFETCH(double, perc);
        QFETCH(int, days);
        QFETCH(int, dpw);
        LocaleGuard guard(locale);
        QVERIFY(UseLanguage(language));
        QTEST(makeTerm(perc, days, type, dpw)->GetText(), "text");
    }

    void addSortedOrdersByPercentage() {
        TPaymentTermObjectList list;
        QCOMPARE(list.AddSorted(makeTerm(3, 10)), 0);
        QCOMPARE(list.AddSorted(makeTerm(0, 30)), 0);
        QCOMPARE(list.AddSorted(makeTerm(2, 14)), 1);
        QCOMPARE(list.Count(), 3);
        QCOMPARE(list.Items(0)->Perc, 0.0);
        QCOMPARE(list.Items(1)->Perc, 2.0);
        QCOMPARE(list.Items(2)->Perc, 3.0);
        // The days travel with their percentage.
        QCOMPARE(list.Items(0)->Days, 30);
        QCOMPARE(list.Items(2)->Days, 10);
        // A second term with an existing percentage goes after the first one.
        QCOMPARE(list.AddSorted(makeTerm(2, 21)), 2);
        QCOMPARE(list.Items(1)->Days, 14);
        QCOMPARE(list.Items(2)->Days, 21);
    }

    void searchesByPercentageAndDays_data() {
        QTest::addColumn<double>("perc");
        QTest::addColumn<int>("percIndex");
        QTest::addColumn<int>("percCount");
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("daysIndex");
        QTest::addColumn<int>("daysCount");
        QTest::newRow("several matches") << 2.0 << 0 << 2 << 14 << 1 << 2;
        QTest::newRow("one match later") << 0.0 << 2 << 1 << 30 << 2 << 1;
        QTest::newRow("no match") << 5.0 << -1 << 0 << 60 << -1 << 0;
    }
    void searchesByPercentageAndDays() {
        QFETCH(double, perc);
        QFETCH(int, days);
        TPaymentTermObjectList list;
        list.Add(makeTerm(2, 10));
        list.Add(makeTerm(2, 14));
        list.Add(makeTerm(0, 30));
        list.Add(makeTerm(3, 14));
        QTEST(list.IndexOfPerc(perc), "percIndex");
        QTEST(list.CountPerc(perc), "percCount");
        QTEST(list.IndexOfDays(days), "daysIndex");
        QTEST(list.CountDays(days), "daysCount");
    }

    void termAttributesAreReadTolerantly_data() {
        QTest::addColumn<AttrPairs>("attributes");
        QTest::addColumn<int>("type");
        QTest::addColumn<double>("perc");
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("dpw");
        using Pairs = AttrPairs;
        QTest::newRow("complete") << Pairs{{"type", "1"},
                                           {"perc", "2,5"},
                                           {"days", "4"},
                                           {"dpw", "5"}}
                                  << 1 << 2.5 << 4 << 5;
        QTest::newRow("dpw missing")
            << Pairs{{"type", "0"}, {"perc", "3"}, {"days", "10"}} << 0 << 3.0 << 10 << 7;
        QTest::newRow("nothing") << Pairs{} << 0 << 0.0 << 0 << 7;
        QTest::newRow("garbage keeps defaults")
            << Pairs{{"type", "x"}, {"perc", "viel"}, {"days", ""}, {"dpw", "-"}} << 0 << 0.0 << 0
            << 7;
    }
    void termAttributesAreReadTolerantly() {
        QFETCH(AttrPairs, attributes);
        TPaymentTerm term;
        term.ReadAttributes(paymentAttributes(attributes));
        QTEST(term.PtType, "type");
        QTEST(term.Perc, "perc");
        QTEST(term.Days, "days");
        QTEST(term.Dpw, "dpw");
    }

    void bankDataNeedsAccountOrBankCode_data() {
        QTest::addColumn<QString>("acc");
        QTest::addColumn<QString>("bcode");
        QTest::addColumn<QString>("iban");
        QTest::addColumn<QString>("bic");
        QTest::addColumn<bool>("hasBankData");
        const QString iban = QStringLiteral("DE89370400440532013000");
        QTest::newRow("only IBAN") << QString() << QString() << iban << QString() << false;
        QTest::newRow("IBAN and BIC") << QString() << QString() << iban << "COBADEFFXXX" << false;
        QTest::newRow("only account") << "532013000" << QString() << QString() << QString() << true;
        QTest::newRow("only bank code")
            << QString() << "37040044" << QString() << QString() << true;
        QTest::newRow("nothing") << QString() << QString() << QString() << QString() << false;
    }
    void bankDataNeedsAccountOrBankCode() {
        QFETCH(QString, acc);
        QFETCH(QString, bcode);
        QFETCH(QString, iban);
        QFETCH(QString, bic);
        TPaymentWay way;
        way.Acc = acc;
        way.BCode = bcode;
        way.Iban = iban;
        way.Bic = bic;
        QTEST(way.HasBankData(), "hasBankData");
    }

    void wayAttributesAreReadTolerantly_data() {
        QTest::addColumn<AttrPairs>("attributes");
        QTest::addColumn<int>("payway");
        QTest::addColumn<QString>("acc");
        using Pairs = AttrPairs;
        QTest::newRow("complete") << Pairs{{"payway", "5"}, {"acc", "123"}} << 5 << "123";
        QTest::newRow("no kind") << Pairs{{"acc", "123"}} << 0 << "123";
        QTest::newRow("unreadable kind") << Pairs{{"payway", "Bar"}} << 0 << "";
        QTest::newRow("kind out of byte range") << Pairs{{"payway", "261"}} << 0 << "";
        QTest::newRow("unknown kind is kept") << Pairs{{"payway", "9"}} << 9 << "";
    }
    void wayAttributesAreReadTolerantly() {
        QFETCH(AttrPairs, attributes);
        TPaymentWay way;
        way.ReadAttributes(paymentAttributes(attributes));
        QTEST(int(way.PayWay), "payway");
        QTEST(way.Acc, "acc");
        QCOMPARE(way.Comm, QString());
        QCOMPARE(way.Iban, QString());
    }

    void findByKindReturnsTheFirstWayOfThatKind() {
        TPaymentWayObjectList list;
        list.Add()->PayWay = TPaymentWay::pwBar;
        TPaymentWay* first = list.Add();
        first->PayWay = TPaymentWay::pwLastschrift;
        list.Add()->PayWay = TPaymentWay::pwLastschrift;
        QCOMPARE(list.FindByKind(TPaymentWay::pwLastschrift), first);
        QCOMPARE(list.FindByKind(TPaymentWay::pwScheck), nullptr);
        list.Delete(1);
        QCOMPARE(list.FindByKind(TPaymentWay::pwLastschrift), list.Items(1));
        QCOMPARE(list.Count(), 2);
        // Kinds of newer programs have no name, and no table overrun.
        QCOMPARE(TPaymentWay::KindName(8), QString());
        QCOMPARE(TPaymentWay::KindName(-1), QString());
    }

    void assignCopiesWaysAndTerms() {
        TPaymentWayObjectList ways;
        ways.Add()->Acc = QStringLiteral("111");
        TPaymentWayObjectList wayCopy;
        wayCopy.Add()->Acc = QStringLiteral("alt");
        wayCopy.Add();
        wayCopy.Assign(ways);
        QCOMPARE(wayCopy.Count(), 1);
        wayCopy.Items(0)->Acc = QStringLiteral("222");
        QCOMPARE(ways.Items(0)->Acc, QStringLiteral("111"));

        TPaymentTermObjectList terms;
        terms.Add(makeTerm(2, 10, 0, 5));
        TPaymentTermObjectList termCopy;
        termCopy.Assign(terms);
        termCopy.Items(0)->Perc = 3;
        QCOMPARE(terms.Items(0)->Perc, 2.0);
        QCOMPARE(termCopy.Items(0)->Dpw, 5);
        termCopy.Assign(termCopy);
        QCOMPARE(termCopy.Count(), 1);
    }

    // Examples built from the published IBAN rules (country, length, mod 97-10).
    void ibanCheck_data() {
        QTest::addColumn<QString>("iban");
        QTest::addColumn<QString>("reason");
        const QString digits =
            QStringLiteral("Die Prüfziffern der IBAN stimmen nicht; bitte auf Tippfehler prüfen.");
        QTest::newRow("DE") << "DE89370400440532013000"
                            << "";
        QTest::newRow("DE typed in groups, lower case") << " de89 3704 0044 0532 0130 00 "
                                                        << "";
        QTest::newRow("AT") << "AT611904300234573201"
                            << "";
        QTest::newRow("CH") << "CH9300762011623852957"
                            << "";
        QTest::newRow("GB letters in the bank part") << "GB82WEST12345698765432"
                                                     << "";
        QTest::newRow("FR letter in the account") << "FR1420041010050500013M02606"
                                                  << "";
        QTest::newRow("NO shortest") << "NO9386011117947"
                                     << "";
        QTest::newRow("MT longest") << "MT84MALT011000012345MTLCAST001S"
                                    << "";
        QTest::newRow("last digit mistyped") << "DE89370400440532013001" << digits;
        QTest::newRow("two digits swapped") << "DE89370400440532031000" << digits;
        QTest::newRow("check digits swapped") << "DE98370400440532013000" << digits;
        QTest::newRow("digit missing") << "DE8937040044053201300"
                                       << "Eine IBAN aus DE hat 22 Zeichen, diese hat 21.";
        QTest::newRow("Austrian account with German length")
            << "AT61190430023457320100"
            << "Eine IBAN aus AT hat 20 Zeichen, diese hat 22.";
        QTest::newRow("not SEPA") << "US12345678901234567890"
                                  << "\"US\" ist kein Ländercode eines SEPA-Landes; eine "
                                     "IBAN beginnt mit dem Ländercode, z. B. DE.";
        QTest::newRow("account number only")
            << "0532013000"
            << "\"05\" ist kein Ländercode eines SEPA-Landes; eine IBAN beginnt "
               "mit dem Ländercode, z. B. DE.";
        QTest::newRow("no check digits") << "DEXX370400440532013000"
                                         << "Auf den Ländercode der IBAN folgen zwei Prüfziffern.";
        QTest::newRow("hyphens") << "DE89-3704-0044-0532-0130-00"
                                 << "Die IBAN enthält das unzulässige Zeichen \"-\".";
        QTest::newRow("umlaut") << "DE89370400440532013Ö00"
                                << "Die IBAN enthält das unzulässige Zeichen \"Ö\".";
        QTest::newRow("empty") << "  "
                               << "Die IBAN fehlt.";
    }
    void ibanCheck() {
        QFETCH(QString, iban);
        QFETCH(QString, reason);
        QCOMPARE(IbanError(iban), reason);
    }

    void germanIban_data() {
        QTest::addColumn<QString>("bankCode");
        QTest::addColumn<QString>("account");
        QTest::addColumn<QString>("iban");
        // Check digits below 10 keep their leading zero.
        QTest::newRow("published example") << "37040044"
                                           << "0532013000"
                                           << "DE89370400440532013000";
        QTest::newRow("short account padded") << "37040044"
                                              << "532013000"
                                              << "DE89370400440532013000";
        QTest::newRow("check digits 03") << "37040044"
                                         << "6"
                                         << "DE03370400440000000006";
        QTest::newRow("bank code too short") << "3704004"
                                             << "532013000"
                                             << "";
        QTest::newRow("letters in account") << "37040044"
                                            << "53201300X"
                                            << "";
        QTest::newRow("account too long") << "37040044"
                                          << "12345678901"
                                          << "";
    }
    void germanIban() {
        QFETCH(QString, bankCode);
        QFETCH(QString, account);
        QFETCH(QString, iban);
        QCOMPARE(GermanIban(bankCode, account), iban);
        if (!iban.isEmpty()) QCOMPARE(IbanError(iban), QString());
    }
};

KWP_REGISTER_TEST(TestPayment)
#include "tst_payment.moc"
