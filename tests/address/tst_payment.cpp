#include <QtTest>

#include "address/paymentterm.h"
#include "address/paymentway.h"
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
    void cleanup() { QLocale::setDefault(QLocale(QStringLiteral("de_DE"))); }

    // Half months count up from mid-month or month end; numbers follow the process locale.
    void termText() {
        const struct {
            const char* locale;
            int type;
            double perc;
            int days, dpw;
            const char* text;
        } rows[] = {
            {"de_DE", 0, 2, 10, 5, "Bis 10 Tage 2 %. (5 Tage die Woche)"},
            {"de_DE", 1, 0, 3, 7, "Bis Monatsmitte/-ende plus 1,5 Monate netto."},
            {"en_US", 1, 1.5, 3, 7, "Bis Monatsmitte/-ende plus 1.5 Monate 1.5 %."},
        };
        for (const auto& r : rows) {
            QLocale::setDefault(QLocale(QString(r.locale)));
            QCOMPARE(makeTerm(r.perc, r.days, r.type, r.dpw)->GetText(), QString(r.text));
        }
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
