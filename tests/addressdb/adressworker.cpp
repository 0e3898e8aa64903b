// Second workstation of the address-table tests.
//   kwp_adressworker save DIR PREFIX COUNT: saves COUNT addresses PREFIX0001… each under the
//     table lock, with the word "ZWEITPLATZ" in their display text; prints "saved N" after each.
#include <QCoreApplication>
#include <cstdio>

#include "address/customeraddress.h"
#include "addressdb/dbadress.h"
#include "app/errorreport.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SetConsoleProcess(true);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 5 || args[1] != QLatin1String("save")) return 2;
    int failures = 0;
    TDBAdress db([&failures](const std::exception& error, const QString& context) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(context), error.what());
        ++failures;
    });
    db.OpenDirectory(args[2], false, false);
    db.SetLockSettleDelay(0);
    const int count = args[4].toInt();
    for (int i = 1; i <= count; ++i) {
        TCustomerAddress record;
        record.Id = args[3] + QString::number(i).rightJustified(4, QLatin1Char('0'));
        record.DisplayTxt = QStringLiteral("Zweitplatz Müller %1").arg(i);
        record.Info = QStringLiteral("Straße %1").arg(i);
        std::unique_ptr<TDatabaseLock> lock = db.LockAddressTable(QStringLiteral("WORKER"));
        if (!lock || db.SetCustomer(record) != 0) return 4;
        db.Unlock(lock);
        std::printf("saved %d\n", i);
        std::fflush(stdout);
    }
    return failures == 0 ? 0 : 5;
}
