#include "demodata/demotables.h"

#include <QFile>

#include "app/errorreport.h"

namespace {

// A data file that does not fit is a build defect, not a user's mistake: hence no translation.
[[noreturn]] void damaged(const QString& name, int line) {
    throw EKwpError(QStringLiteral("Demodaten \"%1\" beschädigt (Zeile %2).").arg(name).arg(line));
}

TDemoTables loadTables() {
    TDemoTables tables;
    for (const QStringList& row : ReadDemoDataFile(QStringLiteral("towns.csv"), 5)) {
        bool ok = false;
        const int weight = row.at(4).toInt(&ok);
        if (!ok || weight < 1) damaged(QStringLiteral("towns.csv"), int(tables.towns.size()) + 1);
        tables.towns.append({row.at(0), row.at(1), row.at(2), row.at(3), weight});
        tables.townWeight += weight;
    }
    QStringList* const streets[] = {&tables.streetsDe, &tables.streetsAt, &tables.streetsCh};
    const QStringList lands = {QStringLiteral("D"), QStringLiteral("A"), QStringLiteral("CH")};
    for (const QStringList& row : ReadDemoDataFile(QStringLiteral("streets.csv"), 2)) {
        const qsizetype land = lands.indexOf(row.at(0));
        if (land < 0) damaged(QStringLiteral("streets.csv"), 0);
        streets[land]->append(row.at(1));
    }
    for (const QStringList& row : ReadDemoDataFile(QStringLiteral("names.csv"), 2)) {
        if (row.at(0) == QLatin1String("m"))
            tables.maleFirst.append(row.at(1));
        else if (row.at(0) == QLatin1String("f"))
            tables.femaleFirst.append(row.at(1));
        else
            tables.lastNames.append(row.at(1));
    }
    for (const QStringList& row : ReadDemoDataFile(QStringLiteral("companies.csv"), 2))
        tables.companies.append({row.at(0), row.at(1)});
    for (const QStringList& row : ReadDemoDataFile(QStringLiteral("banks.csv"), 3))
        tables.banks.append({row.at(0), row.at(1), row.at(2)});

    const std::pair<const char*, QStringList*> lists[] = {
        {"mark", &tables.marks},
        {"group", &tables.groups},
        {"anschriftart", &tables.anschriftArten},
        {"contactmark", &tables.contactMarks},
        {"specialcontactmark", &tables.specialContactMarks},
        {"position", &tables.positions},
        {"resubmission", &tables.resubmissions},
        {"info", &tables.infos},
    };
    for (const QStringList& row : ReadDemoDataFile(QStringLiteral("choices.csv"), 2)) {
        for (const auto& [list, items] : lists) {
            // A '|' in a text is a line break, as a record keeps it.
            if (row.at(0) == QLatin1String(list))
                items->append(QString(row.at(1)).replace(QLatin1Char('|'), QStringLiteral("\r\n")));
        }
    }
    if (tables.towns.isEmpty() || tables.streetsDe.isEmpty() || tables.streetsAt.isEmpty() ||
        tables.streetsCh.isEmpty() || tables.maleFirst.isEmpty() || tables.femaleFirst.isEmpty() ||
        tables.lastNames.isEmpty() || tables.banks.isEmpty() || tables.positions.isEmpty() ||
        tables.resubmissions.isEmpty() || tables.infos.isEmpty() || tables.marks.size() < 10 ||
        tables.groups.size() < 6 || tables.anschriftArten.size() < 6 ||
        tables.contactMarks.size() < 9 || tables.specialContactMarks.size() < 3)
        damaged(QStringLiteral("choices.csv"), 0);
    return tables;
}

}  // namespace

QList<QStringList> ReadDemoDataFile(const QString& name, qsizetype fields) {
    QFile file(QStringLiteral(":/demodata/") + name);
    if (!file.open(QIODevice::ReadOnly)) damaged(name, 0);
    QList<QStringList> rows;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        QStringList row = line.split(QLatin1Char(';'));
        if (row.size() != fields) damaged(name, int(i + 1));
        rows.append(std::move(row));
    }
    return rows;
}

const TDemoTables& DemoTables() {
    static const TDemoTables tables = loadTables();
    return tables;
}
