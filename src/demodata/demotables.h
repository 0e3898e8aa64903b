#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A town of the generated addresses.
struct TDemoTown {
    QString plz, ort, land;
    // Dialling code without the trunk prefix; with the country code for A and CH.
    QString vorwahl;
    // Large towns appear more often.
    int weight = 1;
};

struct TDemoCompany {
    QString pattern;  // %1 = last name, %2 = second last name, %3 = town
    QString land;     // where the legal form belongs
};

struct TDemoBank {
    QString blz, name, bic;
};

// The tables behind the generated addresses, read from the data files compiled into the
// library. The order of every list is part of the generated data: a record depends on it.
struct TDemoTables {
    QList<TDemoTown> towns;
    int townWeight = 0;  // sum of the weights
    QStringList streetsDe, streetsAt, streetsCh;
    QStringList maleFirst, femaleFirst, lastNames;
    QList<TDemoCompany> companies;
    QList<TDemoBank> banks;
    QStringList marks, groups, anschriftArten, contactMarks, specialContactMarks;
    QStringList positions, resubmissions, infos;
};

// Read once, on first use; throws EKwpError when a data file is damaged.
const TDemoTables& DemoTables();

// The records of the data file ":/demodata/<name>": UTF-8 lines of fields separated by ';',
// '#' starts a comment line. Throws EKwpError for a line with another number of fields.
QList<QStringList> ReadDemoDataFile(const QString& name, qsizetype fields);
