#include <QtTest>

#include "address/paymentterm.h"
#include "address/paymentway.h"
#include "app/translation.h"
#include "testsupport.h"

namespace {

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

    // Half months count up from mid-month or month end; numbers follow the process locale.
    void termText() {
        const struct {
            const char *locale, *language;
            int type;
            double perc;
            int days, dpw;
            const char* text;
        } rows[] = {
            {"de_DE", "de_DE", 0, 2, 10, 5, "Bis 10 Tage 2 %. (5 Tage die Woche)"},
            {"de_DE", "de_DE", 0, 0, 30, 7, "Bis 30 Tage netto. (7 Tage die Woche)"},
            {"de_DE", "de_DE", 1, 0, 3, 7, "Bis Monatsmitte/-ende plus 1,5 Monate netto."},
            {"de_DE", "de_DE", 1, 3, 4, 7, "Bis Monatsmitte/-ende plus 2 Monate 3 %."},
            {"en_US", "de_DE", 1, 1.5, 3, 7, "Bis Monatsmitte/-ende plus 1.5 Monate 1.5 %."},
        };
        for (const auto& r : rows) {
            QLocale::setDefault(QLocale(QString(r.locale)));
            QVERIFY(UseLanguage(r.language));
            QCOMPARE(makeTerm(r.perc, r.days, r.type, r.dpw)->GetText(), QString(r.text));
        }
    }

    // A new term goes after the terms with the same or a lower percentage, days travel with it.
    void addSortedOrdersByPercentage() {
        TPaymentTermObjectList list;
        QCOMPARE(list.AddSorted(makeTerm(3, 10)), 0);
        QCOMPARE(list.AddSorted(makeTerm(0, 30)), 0);
        QCOMPARE(list.AddSorted(makeTerm(2, 14)), 1);
        QCOMPARE(list.AddSorted(makeTerm(2, 21)), 2);
        QList<QPair<double, int>> terms;
        for (const auto& term : list) terms.append({term->Perc, term->Days});
        QCOMPARE(terms, (QList<QPair<double, int>>{{0, 30}, {2, 14}, {2, 21}, {3, 10}}));
    }

    void searchesByPercentageAndDays() {
        TPaymentTermObjectList list;
        list.Add(makeTerm(2, 10));
        list.Add(makeTerm(2, 14));
        list.Add(makeTerm(0, 30));
        list.Add(makeTerm(3, 14));
        QCOMPARE((QList<int>{list.IndexOfPerc(2), list.CountPerc(2), list.IndexOfDays(14),
                             list.CountDays(14), list.IndexOfPerc(5)}),
                 (QList<int>{0, 2, 1, 2, -1}));
    }

    // An IBAN alone is no bank data for the old transfer formats: they need account or bank code.
    void bankDataNeedsAccountOrBankCode() {
        const struct {
            const char *acc, *bcode, *iban, *bic;
            bool hasBankData;
        } rows[] = {{"", "", "DE89370400440532013000", "", false},
                    {"532013000", "", "", "", true},
                    {"", "37040044", "", "", true}};
        for (const auto& r : rows) {
            TPaymentWay way;
            way.Acc = r.acc;
            way.BCode = r.bcode;
            way.Iban = r.iban;
            way.Bic = r.bic;
            QCOMPARE(way.HasBankData(), r.hasBankData);
        }
    }

    void findByKindReturnsTheFirstWayOfThatKind() {
        TPaymentWayObjectList list;
        list.Add()->PayWay = TPaymentWay::pwBar;
        TPaymentWay* first = list.Add();
        first->PayWay = TPaymentWay::pwLastschrift;
        list.Add()->PayWay = TPaymentWay::pwLastschrift;
        QCOMPARE(list.FindByKind(TPaymentWay::pwLastschrift), first);
        QCOMPARE(list.FindByKind(TPaymentWay::pwScheck), nullptr);
    }

    // Examples built from the published IBAN rules (country, length, mod 97-10).
    void ibanCheck_data() {
        QTest::addColumn<QString>("iban");
        QTest::addColumn<QString>("reason");
        const QString digits =
            QStringLiteral("Die Prüfziffern der IBAN stimmen nicht; bitte auf Tippfehler prüfen.");
        const QString noCountry = QStringLiteral(
            "\"%1\" ist kein Ländercode eines SEPA-Landes; eine IBAN beginnt mit dem Ländercode, "
            "z. B. DE.");
        const QString sign = QStringLiteral("Die IBAN enthält das unzulässige Zeichen \"%1\".");
        const QList<QPair<const char*, QString>> rows{
            {"DE89370400440532013000", {}},
            {" de89 3704 0044 0532 0130 00 ", {}},    // typed in groups, lower case
            {"FR1420041010050500013M02606", {}},      // letter in the account
            {"MT84MALT011000012345MTLCAST001S", {}},  // longest
            {"DE89370400440532031000", digits},       // two digits swapped
            {"AT61190430023457320100", "Eine IBAN aus AT hat 20 Zeichen, diese hat 22."},
            {"US12345678901234567890", noCountry.arg("US")},
            {"DEXX370400440532013000", "Auf den Ländercode der IBAN folgen zwei Prüfziffern."},
            {"DE89-3704-0044-0532-0130-00", sign.arg("-")},
            {"DE89370400440532013Ö00", sign.arg("Ö")},
            {"  ", "Die IBAN fehlt."}};
        for (const auto& [iban, reason] : rows)
            QTest::newRow(iban) << QString::fromUtf8(iban) << reason;
    }
    void ibanCheck() {
        QFETCH(QString, iban);
        QTEST(IbanError(iban), "reason");
    }

    void germanIban() {
        // Check digits below 10 keep their leading zero; short accounts are padded.
        const char* rows[][3] = {{"37040044", "0532013000", "DE89370400440532013000"},
                                 {"37040044", "6", "DE03370400440000000006"},
                                 {"3704004", "532013000", ""},
                                 {"37040044", "53201300X", ""},
                                 {"37040044", "12345678901", ""}};
        for (const auto& [bankCode, account, iban] : rows) {
            QCOMPARE(GermanIban(bankCode, account), QString(iban));
            if (*iban) QCOMPARE(IbanError(iban), QString());
        }
    }
};

KWP_REGISTER_TEST(TestPayment)
#include "tst_payment.moc"
