#include "demodata/demoaddresses.h"

#include <QFile>
#include <cmath>

#include "address/addressconfig.h"
#include "address/customeraddress.h"
#include "demodata/addressgenerator.h"

void FillDemoConfig(TAddressConfig& config) {
    config.Clear();
    config.Lkz = QStringLiteral("D");
    config.SearchPlz = true;
    config.AdressKz = TAddressGenerator::AddressMarks();
    config.AnschriftArten = TAddressGenerator::AnschriftArten();
    config.AdressGrp = TAddressGenerator::AddressGroups();
    // The generated numbers are "K" + six digits; suppliers and prospects may get their own.
    config.Nk = {QStringLiteral("K"), QStringLiteral("L"), QStringLiteral("I")};
    config.KontaktKz = TAddressGenerator::ContactMarks();
    config.SpezielleKontaktKz = TAddressGenerator::SpecialContactMarks();
    config.StdMwSt = TCustomerAddress::mwstZuzueglich;
    config.StdMahnTyp = TCustomerAddress::mahnAutomatisch;
    config.StdMailHeader = QStringLiteral("Sehr geehrte Damen und Herren,");
}

QByteArray DemoViewLayout() {
    QFile file(QStringLiteral(":/demodata/view.ui"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void FillDemoExtraFields(int index, TCustomerAddress& record) {
    static const QStringList industries = {
        QStringLiteral("Bauunternehmen"), QStringLiteral("Einzelhandel"),
        QStringLiteral("Gastronomie"),    QStringLiteral("Handwerk"),
        QStringLiteral("Industrie"),      QStringLiteral("Öffentliche Hand")};
    TDsnElementList& fields = record.ExtraFields;
    fields.Clear();
    TDsnElement* since = fields.Add();
    since->Name = QStringLiteral("dtKundeSeit");
    since->ElementType = TDsnElement::etDate;
    since->FloatValue = std::trunc(record.Created);
    TDsnElement* industry = fields.Add();
    industry->Name = QStringLiteral("cbBranche");
    industry->ElementType = TDsnElement::etText;
    if (record.AddrGrp == QLatin1String("Privatkunden"))
        industry->TextValue = QStringLiteral("Privatkunde");
    else if (record.AddrGrp == QLatin1String("Hausverwaltungen"))
        industry->TextValue = QStringLiteral("Hausverwaltung");
    else
        industry->TextValue = industries.at(index % industries.size());
    // Half-hourly from 8:00 to 16:30.
    TDsnElement* time = fields.Add();
    time->Name = QStringLiteral("tmKontaktzeit");
    time->ElementType = TDsnElement::etTime;
    time->FloatValue = (8 * 60 + (index % 18) * 30) / 1440.0;
    TDsnElement* newsletter = fields.Add();
    newsletter->Name = QStringLiteral("cbNewsletter");
    newsletter->ElementType = TDsnElement::etBoolean;
    newsletter->BoolValue = index % 3 != 1;
    // Most pay on time, some late now and then, a few only after a reminder.
    TDsnElement* payment = fields.Add();
    payment->Name = QStringLiteral("rgZahlverhalten");
    payment->ElementType = TDsnElement::etInteger;
    payment->IntValue = index % 7 == 3 ? 2 : index % 3 == 2 ? 1 : 0;
}
