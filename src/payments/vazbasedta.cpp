#include "payments/vazbasedta.h"

#include <cmath>

#include "app/atomicfile.h"
#include "app/clock.h"
#include "app/conversions.h"
#include "app/format.h"
#include "app/systemeinstellungen.h"
#include "app/translation.h"

TVazBaseDTA::TVazBaseDTA(QObject* parent) : QObject(parent) {}

TVazBaseDTA::~TVazBaseDTA() = default;

void TVazBaseDTA::SetPath(const QString& path) {
    if (path.isEmpty()) return;
    m_path = NormalizeDir(path);
}

QString TVazBaseDTA::FileName() {
    return QStringLiteral("DTAUS0.TXT");
}

void TVazBaseDTA::Start() {
    if (m_state != Idle) throw EDTAError(_("Die Methode Start() wurde bereits aufgerufen."));

    // Banks take execution dates up to 15 days ahead; anything else means "at once".
    const double today = DateTimeToDayNumber(Today().startOfDay());
    if (m_ausfuehrungsdatum != 0 &&
        (!std::isfinite(m_ausfuehrungsdatum) || m_ausfuehrungsdatum < today ||
         today + 15 < m_ausfuehrungsdatum)) {
        m_ausfuehrungsdatum = today;
    }

    CheckBLZ(m_auftraggeberBLZ);
    CheckKontoNr(m_auftraggeberKontoNr);
    CheckName(m_auftraggeberName);

    m_anzahlDatensaetzeC = 0;
    m_buffer = QByteArray();
    m_state = Started;
}

void TVazBaseDTA::Finish() {
    if (m_state == Idle) RaiseNotStarted();
    // The run is over even when the file cannot be written, so the next Start is accepted.
    m_state = Idle;
    const QString fileName = FullFileName();
    WriteFileAtomically(fileName, m_buffer);
}

void TVazBaseDTA::BeginBuchung() {
    if (m_state == Idle)
        throw EDTAError(_("Es muss zunaechst die Methode Start() aufgerufen werden."));
    m_state = Writing;
}

void TVazBaseDTA::CheckBLZ(qint64 blz) const {
    if (blz < 10000000 || blz > 99999999)
        throw EDTAError(_("Die Bankleitzahl muss genau 8 Zeichen besitzen."));
}

void TVazBaseDTA::CheckKontoNr(qint64 kontoNr) const {
    if (kontoNr < 10 || kontoNr > Q_INT64_C(9999999999))
        throw EDTAError(_("Die Kontonummer muss zwischen 10 und 9999999999 liegen."));
}

void TVazBaseDTA::CheckName(const QByteArray& name) const {
    if (name.isEmpty()) throw EDTAError(_("Der Buchungsempfaenger muss angegeben werden."));
}

void TVazBaseDTA::RaiseNotStarted() {
    throw EDTAError(
        _("Die Methode Start() wurde noch nicht aufgerufen oder Finish() wurde bereits "
          "aufgerufen."));
}
