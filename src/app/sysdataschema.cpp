#include "app/sysdataschema.h"

#include "app/systemeinstellungen.h"
#include "app/translation.h"

namespace {
using S = TSystemEinstellungen;
using T = TSysdataType;

const TSysdataKey kSchema[] = {
    {"System", "A1", T::Directory, "", &S::A1, "ALLGEMEIN", "ADRESSEN", N_("Allgemeine Daten"),
     true},
    {"System", "Journale", T::Directory, "", &S::Journale, "JOURNALE", "RECHNUNGEN/DATA",
     N_("Journale"), true},
    {"System", "Kleinrechnungen", T::Directory, "", &S::Kleinrechnungen, "KLEINAUFTRAEGE", "",
     N_("Kleinauftraege"), true},
    {"System", "Angebote", T::Directory, "", &S::Angebote, "ANGEBOTE", "", N_("Angebote"), true},
    {"System", "Wartung", T::Directory, "", &S::Wartung, "WARTUNG", "", N_("Wartung"), true},
    {"System", "Lager", T::Directory, "", &S::Lager, "LAGER", "IMAGES", N_("Lager"), true},
    {"System", "Bestellwesen", T::Directory, "", &S::Bestellwesen, "BESTELLWESEN", "",
     N_("Bestellwesen"), true},
    {"System", "Leistungsdatei", T::Directory, "", &S::Leistungsdatei, "LEISTUNGEN", "",
     N_("Leistungskataloge"), true},
    {"System", "Kataloge", T::Directory, "", &S::Kataloge, "KATALOGE", "", N_("Materialkataloge"),
     true},
    {"System", "Auftraege", T::Directory, "", &S::Auftraege, "AUFTRAEGE", "", N_("Auftraege"),
     true},
    {"System", "Briefe", T::Directory, "", &S::Briefe, "BRIEFE", "", N_("Briefe"), true},
    {"System", "Kommission", T::Directory, "", &S::Kommission, "KOMMISSION", "", N_("Kommission")},
    {"System", "Hauswaehrung", T::Text, "EURO", &S::Hauswaehrung},
    {"System", "HKurz", T::Text, "EUR", &S::HKurz},
    {"System", "Waehrung1", T::Text, "EURO", &S::Waehrung1},
    {"System", "W1Kurz", T::Text, "EUR", &S::W1Kurz},
    {"System", "WaehrFaktor1In", T::Decimal, "1", &S::WaehrFaktor1In},
    {"System", "WaehrFaktor1Out", T::Decimal, "1", &S::WaehrFaktor1Out},
    {"System", "HausX1In", T::Integer, "1", &S::HausX1In},
    {"System", "HausX1Out", T::Integer, "1", &S::HausX1Out},
    {"System", "Waehrung2", T::Text, "", &S::Waehrung2},
    {"System", "W2Kurz", T::Text, "", &S::W2Kurz},
    {"System", "WaehrFaktor2In", T::Decimal, "1", &S::WaehrFaktor2In},
    {"System", "WaehrFaktor2Out", T::Decimal, "1", &S::WaehrFaktor2Out},
    {"System", "HausX2In", T::Integer, "1", &S::HausX2In},
    {"System", "HausX2Out", T::Integer, "1", &S::HausX2Out},
    {"System", "Waehrung3", T::Text, "", &S::Waehrung3},
    {"System", "W3Kurz", T::Text, "", &S::W3Kurz},
    {"System", "WaehrFaktor3In", T::Decimal, "1", &S::WaehrFaktor3In},
    {"System", "WaehrFaktor3Out", T::Decimal, "1", &S::WaehrFaktor3Out},
    {"System", "HausX3In", T::Integer, "1", &S::HausX3In},
    {"System", "HausX3Out", T::Integer, "1", &S::HausX3Out},
    {"System", "StdSprache", T::Text, "de_DE", &S::StdSprache},
    // A new tenant starts with the German rates.
    {"System", "MwStRed", T::Decimal, "0", &S::MwStRed, "7"},
    {"System", "MwStNorm", T::Decimal, "0", &S::MwStNorm, "19"},
    {"System", "MwStErh", T::Decimal, "0", &S::MwStErh},
    {"System", "MwStMultiDisabled", T::Boolean, "false", &S::MwStMultiDisabled},
    {"System", "MwStDefault", T::Byte, "1", &S::MwStDefault},
    {"StdTxt", "TextWidthMM", T::Integer, "80", &S::StdTxtWidthMM},
    {"StdTxt", "StdFont", T::Text, "Arial", &S::StdTxtFont},
    {"StdTxt", "StdFontSize", T::Integer, "8", &S::StdTxtFontSize},
    {"EtTxt", "TextWidthMM", T::Integer, "80", &S::EtTxtWidthMM},
    {"EtTxt", "StdFont", T::Text, "Arial", &S::EtTxtFont},
    {"EtTxt", "StdFontSize", T::Integer, "8", &S::EtTxtFontSize},
    {"VTNTTxt", "TextWidthMM", T::Integer, "175", &S::VTNTTxtWidthMM},
    {"VTNTTxt", "StdFont", T::Text, "Arial", &S::VTNTTxtFont},
    {"VTNTTxt", "StdFontSize", T::Integer, "8", &S::VTNTTxtFontSize},
    {"System", "FullCurrency", T::Boolean, "false", &S::FullCurrency},
    {"System", "RoundCurrencyEnabled", T::Boolean, "false", &S::RoundCurrencyEnabled},
    {"System", "ArtikelVKPreisIsBrutto", T::Boolean, "false", &S::ArtikelVKPreisIsBrutto},
};
}  // namespace

std::span<const TSysdataKey> SysdataSchema() {
    return kSchema;
}
