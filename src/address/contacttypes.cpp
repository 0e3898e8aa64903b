#include "address/contacttypes.h"

#include "app/translation.h"

const char* ContactTypeKey(int cdType) {
    switch (cdType) {
        case cdtDatum:
            return N_("Datum");
        case cdtTelefon:
            return N_("Telefonnummer");
        case cdtFax:
            return N_("Faxnummer");
        case cdtEmail:
            return N_("E-Mail-Adresse");
        case cdtInternet:
            return N_("Internet-Adresse");
        case cdtBriefanrede:
            return N_("Briefanrede");
        case cdtFirma:
            return N_("Firma");
        case cdtPosition:
            return N_("Position");
        case cdtName:
            return N_("Name");
        case cdtAnschriftErweiterung:
            return N_("Anschrifterweiterung");
        case cdtZugehoerigeAnschrift:
            return N_("Zugehoerige Anschrift");
        default:
            return N_("Sonstiges");
    }
}

QString ContactTypeName(int cdType) {
    return _(ContactTypeKey(cdType));
}
