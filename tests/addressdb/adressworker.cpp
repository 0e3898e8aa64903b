// Second workstation of the address-table tests.
//   kwp_adressworker save DIR PREFIX COUNT: saves COUNT addresses PREFIX0001… each under the
//     table lock, with the word "ZWEITPLATZ" in their display text; prints "saved N" after each.
//   kwp_adressworker count DIR CYCLES: CYCLES times under the lock: reads address "ZAEHLER",
//     adds one to the number that is its display text, saves it.
//   kwp_adressworker import DIR PREFIX COUNT: saves COUNT addresses under one lock with a page
//     cache far smaller than the changes, prints "written", commits after a line on stdin.
//   kwp_adressworker crash DIR PREFIX COUNT: as import, but lets the changes spill into the
//     file and waits to be killed.
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "address/customeraddress.h"
#include "addressdb/dbadress.h"
#include "app/errorreport.h"
#include "persistence/storesqlite.h"

namespace {

QString workerId(const QString& prefix, int i) {
    return prefix + QString::number(i).rightJustified(4, QLatin1Char('0'));
}

void say(const char* text) {
    std::printf("%s\n", text);
    std::fflush(stdout);
}

int countUp(TDBAdress& db, int cycles) {
    for (int i = 0; i < cycles; ++i) {
        std::unique_ptr<TDatabaseLock> lock = db.LockAddressTable(QStringLiteral("WORKER"));
        TCustomerAddress record;
        if (!lock || !db.GetCustomer(QStringLiteral("ZAEHLER"), record)) return 4;
        record.DisplayTxt = QString::number(record.DisplayTxt.toInt() + 1);
        if (db.SetCustomer(record) != 0) return 4;
        db.Unlock(lock);
    }
    return 0;
}

int importMany(TDBAdress& db, const QString& prefix, int count, bool crash) {
    // Few pages in memory: a writer that spilled them would shut the readers out.
    kwpstore::Connection& connection = db.AddressTable()->connection();
    connection.exec(QStringLiteral("PRAGMA cache_size=20"));
    if (crash) connection.exec(QStringLiteral("PRAGMA cache_spill=ON"));
    std::unique_ptr<TDatabaseLock> lock = db.LockAddressTable(QStringLiteral("IMPORT"));
    if (!lock) return 4;
    for (int i = 1; i <= count; ++i) {
        TCustomerAddress record;
        record.Id = workerId(prefix, i);
        record.DisplayTxt = QStringLiteral("Import Müller %1").arg(i);
        record.Info = QStringLiteral("Lieferung über das Hintertor, Straße %1").arg(i).repeated(8);
        if (db.ExistsCustomer(record.Id) || db.SetCustomer(record) != 0) return 4;
    }
    say("written");
    std::string line;
    std::getline(std::cin, line);
    // Dies like a crashed workstation: nothing committed, nothing cleaned up.
    if (crash) std::_Exit(6);
    db.Unlock(lock);
    say("done");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SetConsoleProcess(true);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) return 2;
    const QString& mode = args[1];
    int failures = 0;
    TDBAdress db([&failures](const std::exception& error, const QString& context) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(context), error.what());
        ++failures;
    });
    db.OpenDirectory(args[2], false, false);
    db.SetLockSettleDelay(0);
    int result = 2;
    if (mode == QLatin1String("count") && args.size() == 4) {
        result = countUp(db, args[3].toInt());
    } else if ((mode == QLatin1String("import") || mode == QLatin1String("crash")) &&
               args.size() == 5) {
        result = importMany(db, args[3], args[4].toInt(), mode == QLatin1String("crash"));
    } else if (mode == QLatin1String("save") && args.size() == 5) {
        for (int i = 1; i <= args[4].toInt(); ++i) {
            TCustomerAddress record;
            record.Id = workerId(args[3], i);
            record.DisplayTxt = QStringLiteral("Zweitplatz Müller %1").arg(i);
            record.Info = QStringLiteral("Straße %1").arg(i);
            std::unique_ptr<TDatabaseLock> lock = db.LockAddressTable(QStringLiteral("WORKER"));
            if (!lock || db.SetCustomer(record) != 0) return 4;
            db.Unlock(lock);
            std::printf("saved %d\n", i);
            std::fflush(stdout);
        }
        result = 0;
    }
    return result == 0 && failures > 0 ? 5 : result;
}
