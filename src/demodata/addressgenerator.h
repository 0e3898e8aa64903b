#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

class TCustomerAddress;
class TDBAdress;

// Realistic German (and some Austrian and Swiss) address records for the demo tenant and the
// benchmarks. A record depends only on the seed, its index and today's date.
class TAddressGenerator {
public:
    explicit TAddressGenerator(quint32 seed = 20261206);

    // Clears the record and fills it completely; its number is AddressNumber(index).
    void Fill(int index, TCustomerAddress& record) const;
    // Saves the records first .. first + count - 1 into an open table under one lock, all or
    // nothing; throws EKwpError.
    void FillTable(TDBAdress& db, int first, int count) const;
    // Writes the same records as an "<adressen>" list; throws EKwpError.
    void FillFile(const QString& fileName, int first, int count) const;

    // "K000001" for index 0.
    static QString AddressNumber(int index);

    // The choice lists the generated records use, for the address configuration.
    static QStringList AddressGroups();
    static QStringList AddressMarks();
    static QStringList AnschriftArten();
    static QStringList ContactMarks();
    static QStringList SpecialContactMarks();

private:
    quint32 m_seed;
};
