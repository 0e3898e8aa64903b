// Second workstation of the address-table tests.
//   kwp_adressworker save DIR PREFIX COUNT: saves COUNT addresses PREFIX0001… each under the
//     table lock, with the word "ZWEITPLATZ" in their display text; prints "saved N" after each.
//   kwp_adressworker count DIR CYCLES: CYCLES times under the lock: reads address "ZAEHLER",
//     adds one to the number that is its display text, saves it.
#include <QCoreApplication>
#include <cstdio>

#include "address/customeraddress.h"
#include "addressdb/dbadress.h"
#include "app/errorreport.h"

namespace {

QString workerId(const QString& prefix, int i) {
    return prefix + QString::number(i).rightJustified(4, QLatin1Char('0'));
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
