#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include "payments/vazbasedta.h"

// The writer's 8-bit code page (Latin-1); characters outside it become "?", which the writer
// drops like every other character outside the DTAUS set.
QByteArray ToDTAAnsi(const QString& text);

// Writes one DTAUS run of domestic credit transfers or direct debits: A record, one C record
// per payment, E record with the control sums.
class TVazDTA : public TVazBaseDTA {
public:
    explicit TVazDTA(QObject* parent = nullptr);
    ~TVazDTA() override;

    // true: direct debits; false: credit transfers.
    bool Lastschriften() const { return m_lastschriften; }
    void SetLastschriften(bool lastschriften) { m_lastschriften = lastschriften; }

    // Sum of the amounts of the run, each rounded to cents.
    double SummeBetraege() const { return double(m_summeCent) / 100.0; }
    qint64 SummeKontonummern() const { return m_summeKontonummern; }
    qint64 SummeBankleitzahlen() const { return m_summeBankleitzahlen; }

    void Start();
    // Vwz2 and Vwz3 count only when not empty.
    void AddBuchung(const QByteArray& Name, const QByteArray& Vwz1, const QByteArray& Vwz2,
                    const QByteArray& Vwz3, double Betrag, qint64 BLZ, qint64 Konto);
    void AddBuchung(const QByteArray& Name, const QList<QByteArray>& Vwz, double Betrag, qint64 BLZ,
                    qint64 Konto);
    void Finish();

    // Text of the cover sheet of the last run, lines separated by CR LF.
    QString BegleitzettelText() const;

    // Upper case, only the DIN 66003 characters, umlauts and ß in their German ISO 646 places.
    static QByteArray ConvertText(const QByteArray& text);
    // The amount in whole cents, half a cent rounded away from zero on the amount's shortest
    // decimal form (1.005 gives 101, as a user reads it). Non-finite values give -1.
    static qint64 RoundToCents(double amount);
    // Empty lines removed; a single long line cut into lines of 27 characters.
    static QList<QByteArray> NormalizeVerwendungszweck(const QList<QByteArray>& lines);

private:
    QByteArray recordA() const;
    QByteArray recordC(const QByteArray& name, const QList<QByteArray>& lines, qint64 cents,
                       qint64 blz, qint64 konto) const;
    QByteArray recordE() const;

    bool m_lastschriften = false;
    qint64 m_summeCent = 0;
    qint64 m_summeKontonummern = 0;
    qint64 m_summeBankleitzahlen = 0;
};
