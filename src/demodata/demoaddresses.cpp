#include "demodata/demoaddresses.h"

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
