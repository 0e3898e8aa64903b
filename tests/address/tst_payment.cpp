#include <QLocale>
#include <QTemporaryDir>
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

// Reads "pw" and "pt" elements the way the address record does, through the real parser.
class PaymentReader : public TDBXMLCoreObject {
public:
    TPaymentWayObjectList ways;
    TPaymentTermObjectList terms;

    void StartElement(const QString&, const QString&, const QString& qName,
                      const TXmlAttributes& attributes) override {
        if (qName == QLatin1String("pw")) ways.Add()->ReadAttributes(attributes);
        if (qName == QLatin1String("pt")) terms.Add()->ReadAttributes(attributes);
    }
    void Characters(const QString&) override {}
    void EndElement(const QString&, const QString&, const QString&) override {}
    void Clear() override {
        ways.Clear();
        terms.Clear();
    }
    void WriteXML(bool, int) override {
        WriteLine(QStringLiteral("<zahlung>"));
        WriteLine(QStringLiteral("  <pwl>"));
        for (const auto& way : ways) WriteLine(QStringLiteral("    ") + way->XmlLine());
        WriteLine(QStringLiteral("  </pwl>"));
        Write(terms.WriteXML(QStringLiteral("  ")));
        WriteLine(QStringLiteral("</zahlung>"));
    }
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
        QTest::newRow("days with discount")
            << "de_DE"
            << "de_DE" << 0 << 2.0 << 10 << 5 << "Bis 10 Tage 2 %. (5 Tage die Woche)";
        QTest::newRow("days net") << "de_DE"
                                  << "de_DE" << 0 << 0.0 << 30 << 7
                                  << "Bis 30 Tage netto. (7 Tage die Woche)";
        QTest::newRow("days fractional discount")
            << "de_DE"
            << "de_DE" << 0 << 2.5 << 14 << 7 << "Bis 14 Tage 2,5 %. (7 Tage die Woche)";
        QTest::newRow("half months net")
            << "de_DE"
            << "de_DE" << 1 << 0.0 << 3 << 7 << "Bis Monatsmitte/-ende plus 1,5 Monate netto.";
        QTest::newRow("whole months with discount")
            << "de_DE"
            << "de_DE" << 1 << 3.0 << 4 << 7 << "Bis Monatsmitte/-ende plus 2 Monate 3 %.";
        QTest::newRow("american number format")
            << "en_US"
            << "de_DE" << 1 << 1.5 << 3 << 7 << "Bis Monatsmitte/-ende plus 1.5 Monate 1.5 %.";
        QTest::newRow("english days")
            << "en_US"
            << "en_GB" << 0 << 2.5 << 10 << 5 << "Within 10 days 2.5 %. (5 days a week)";
        QTest::newRow("english half months")
            << "en_US"
            << "en_GB" << 1 << 0.0 << 1 << 7 << "By mid-month/month end plus 0.5 months net.";
    }
    void termText() {
        QFETCH(QString, locale);
        QFETCH(QString, language);
        QFETCH(int, type);
        QFETCH(double, perc);
        QFETCH(int, days);
        QFETCH(int, dpw);
        QFETCH(QString, text);
        LocaleGuard guard(locale);
        QVERIFY(UseLanguage(language));
        QCOMPARE(makeTerm(perc, days, type, dpw)->GetText(), text);
    }

    void newAndClearedTermsCountSevenDaysAWeek() {
        auto term = makeTerm(3, 20, 1, 5);
        term->Clear();
        QCOMPARE(term->PtType, 0);
        QCOMPARE(term->Perc, 0.0);
        QCOMPARE(term->Days, 0);
        QCOMPARE(term->Dpw, 7);
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
        QFETCH(int, percIndex);
        QFETCH(int, percCount);
        QFETCH(int, days);
        QFETCH(int, daysIndex);
        QFETCH(int, daysCount);
        TPaymentTermObjectList list;
        list.Add(makeTerm(2, 10));
        list.Add(makeTerm(2, 14));
        list.Add(makeTerm(0, 30));
        list.Add(makeTerm(3, 14));
        QCOMPARE(list.IndexOfPerc(perc), percIndex);
        QCOMPARE(list.CountPerc(perc), percCount);
        QCOMPARE(list.IndexOfDays(days), daysIndex);
        QCOMPARE(list.CountDays(days), daysCount);
    }

    void termBlockIsWrittenByteExact_data() {
        QTest::addColumn<QString>("locale");
        QTest::newRow("german") << "de_DE";
        QTest::newRow("american locale writes the same") << "en_US";
    }
    void termBlockIsWrittenByteExact() {
        QFETCH(QString, locale);
        const QString block =
            "  <ptl>\r\n"
            "    <pt type=\"0\" perc=\"2,5\" days=\"10\" dpw=\"5\"/>\r\n"
            "    <pt type=\"1\" perc=\"0\" days=\"3\" dpw=\"7\"/>\r\n"
            "  </ptl>\r\n";
        LocaleGuard guard(locale);
        TPaymentTermObjectList list;
        QCOMPARE(list.WriteXML(QStringLiteral("  ")), QString());
        list.Add(makeTerm(2.5, 10, 0, 5));
        list.Add(makeTerm(0, 3, 1));
        QCOMPARE(list.WriteXML(QStringLiteral("  ")), block);
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
        QTest::newRow("decimal point") << Pairs{{"perc", "2.5"}} << 0 << 2.5 << 0 << 7;
        QTest::newRow("garbage keeps defaults")
            << Pairs{{"type", "x"}, {"perc", "viel"}, {"days", ""}, {"dpw", "-"}} << 0 << 0.0 << 0
            << 7;
        QTest::newRow("blanks around numbers")
            << Pairs{{"days", " 14 "}, {"dpw", " 6"}} << 0 << 0.0 << 14 << 6;
    }
    void termAttributesAreReadTolerantly() {
        QFETCH(AttrPairs, attributes);
        QFETCH(int, type);
        QFETCH(double, perc);
        QFETCH(int, days);
        QFETCH(int, dpw);
        TPaymentTerm term;
        term.ReadAttributes(paymentAttributes(attributes));
        QCOMPARE(term.PtType, type);
        QCOMPARE(term.Perc, perc);
        QCOMPARE(term.Days, days);
        QCOMPARE(term.Dpw, dpw);
    }

    void bankDataNeedsAccountOrBankCode_data() {
        QTest::addColumn<QString>("acc");
        QTest::addColumn<QString>("bcode");
        QTest::addColumn<QString>("iban");
        QTest::addColumn<QString>("bic");
        QTest::addColumn<bool>("hasBankData");
        QTest::newRow("only IBAN") << ""
                                   << ""
                                   << "DE89370400440532013000"
                                   << "" << false;
        QTest::newRow("IBAN and BIC") << ""
                                      << ""
                                      << "DE89370400440532013000"
                                      << "COBADEFFXXX" << false;
        QTest::newRow("only account") << "532013000"
                                      << ""
                                      << ""
                                      << "" << true;
        QTest::newRow("only bank code") << ""
                                        << "37040044"
                                        << ""
                                        << "" << true;
        QTest::newRow("nothing") << ""
                                 << ""
                                 << ""
                                 << "" << false;
    }
    void bankDataNeedsAccountOrBankCode() {
        QFETCH(QString, acc);
        QFETCH(QString, bcode);
        QFETCH(QString, iban);
        QFETCH(QString, bic);
        QFETCH(bool, hasBankData);
        TPaymentWay way;
        way.Acc = acc;
        way.BCode = bcode;
        way.Iban = iban;
        way.Bic = bic;
        QCOMPARE(way.HasBankData(), hasBankData);
    }

    void wayLineIsWrittenByteExact_data() {
        QTest::addColumn<int>("payway");
        QTest::addColumn<QString>("comm");
        QTest::addColumn<QString>("inst");
        QTest::addColumn<QString>("line");
        QTest::newRow("empty way")
            << 0 << ""
            << ""
            << "<pw payway=\"0\" comm=\"\" inst=\"\" bcode=\"\" acc=\"\" iban=\"\" bic=\"\"/>";
        QTest::newRow("escaped texts")
            << 5 << "\"Abbuchung\" <monatlich> & 'pünktlich'\r\nzweite Zeile"
            << "Müller & Söhne Bank"
            << "<pw payway=\"5\" comm=\"&quot;Abbuchung&quot; &lt;monatlich&gt; &amp; "
               "&apos;pünktlich&apos;&#13;&#10;zweite Zeile\" inst=\"Müller &amp; Söhne Bank\" "
               "bcode=\"37040044\" acc=\"532013000\" iban=\"DE89 3704\" bic=\"COBADEFFXXX\"/>";
    }
    void wayLineIsWrittenByteExact() {
        QFETCH(int, payway);
        QFETCH(QString, comm);
        QFETCH(QString, inst);
        QFETCH(QString, line);
        TPaymentWay way;
        way.PayWay = quint8(payway);
        way.Comm = comm;
        way.Inst = inst;
        if (payway != 0) {
            way.BCode = QStringLiteral("37040044");
            way.Acc = QStringLiteral("532013000");
            way.Iban = QStringLiteral("DE89 3704");
            way.Bic = QStringLiteral("COBADEFFXXX");
        }
        QCOMPARE(way.XmlLine(), line);
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
        QFETCH(int, payway);
        QFETCH(QString, acc);
        TPaymentWay way;
        way.ReadAttributes(paymentAttributes(attributes));
        QCOMPARE(int(way.PayWay), payway);
        QCOMPARE(way.Acc, acc);
        QCOMPARE(way.Comm, QString());
        QCOMPARE(way.Iban, QString());
    }

    void waysAndTermsSurviveSaveAndLoad() {
        QTemporaryDir dir;
        const QString path = dir.filePath("zahlung.xml");
        PaymentReader written;
        TPaymentWay* way = written.ways.Add();
        way->PayWay = TPaymentWay::pwLastschrift;
        way->Comm = QStringLiteral("Rate \"1\" & <2>\r\nab März");
        way->Inst = QStringLiteral("Sparkasse Köln/Bonn");
        way->BCode = QStringLiteral("37050198");
        way->Acc = QStringLiteral("0001234567");
        way->Iban = QStringLiteral("DE12 3705 0198 0001 2345 67");
        way->Bic = QStringLiteral("COLSDE33");
        written.ways.Add()->PayWay = TPaymentWay::pwBar;
        written.terms.Add(makeTerm(2.25, 10, 0, 5));
        written.terms.Add(makeTerm(0, 3, 1));
        written.SaveToFile(path);

        PaymentReader loaded;
        loaded.LoadFromFile(path);
        QVERIFY2(!loaded.HasParseError, qPrintable(loaded.ErrorText));
        QCOMPARE(loaded.ways.Count(), 2);
        const TPaymentWay* back = loaded.ways.Items(0);
        QCOMPARE(int(back->PayWay), int(TPaymentWay::pwLastschrift));
        QCOMPARE(back->Comm, way->Comm);
        QCOMPARE(back->Inst, way->Inst);
        QCOMPARE(back->BCode, way->BCode);
        QCOMPARE(back->Acc, way->Acc);
        QCOMPARE(back->Iban, way->Iban);
        QCOMPARE(back->Bic, way->Bic);
        QCOMPARE(int(loaded.ways.Items(1)->PayWay), int(TPaymentWay::pwBar));
        QCOMPARE(loaded.terms.Count(), 2);
        QCOMPARE(loaded.terms.Items(0)->Perc, 2.25);
        QCOMPARE(loaded.terms.Items(0)->Dpw, 5);
        QCOMPARE(loaded.terms.Items(1)->PtType, 1);
        QCOMPARE(loaded.terms.Items(1)->Days, 3);
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

    void kindNames_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("name");
        QTest::newRow("not set") << 0 << "";
        QTest::newRow("cash") << 1 << "Bar";
        QTest::newRow("transfer") << 3 << "Ueberweisung";
        QTest::newRow("european transfer") << 4 << "Europaueberweisung";
        QTest::newRow("direct debit") << 5 << "Lastschrift";
        QTest::newRow("cash on delivery") << 7 << "Nachnahme";
        QTest::newRow("unknown") << 8 << "";
        QTest::newRow("negative") << -1 << "";
    }
    void kindNames() {
        QFETCH(int, kind);
        QFETCH(QString, name);
        QCOMPARE(TPaymentWay::KindName(kind), name);
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
