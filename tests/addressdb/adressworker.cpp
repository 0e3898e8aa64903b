// Second workstation of the address-table tests; DIR is the address folder.
//   save DIR PREFIX COUNT: saves PREFIX0001… one by one under the lock ("Zweitplatz Müller N"),
//     printing "saved N" after each.
//   count DIR CYCLES: CYCLES times under the lock adds one to the display text of "ZAEHLER".
//   import|crash DIR PREFIX COUNT: saves COUNT addresses under one lock with a page cache far
//     smaller than the changes, prints "written", waits for a line on stdin; then import commits
//     and prints "done", crash (whose changes went into the file) dies.
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "address/customeraddress.h"
#include "addressdb/dbadress.h"
#include "app/errorreport.h"
#include "storetableaccess.h"

using namespace Qt::StringLiterals;

static void say(const QByteArray& text) {
    std::printf("%s\n", text.constData());
    std::fflush(stdout);
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SetConsoleProcess(true);
    const QStringList args = QCoreApplication::arguments();
    const QString mode = args.value(1);
    const bool counting = mode == "count"_L1;
    const bool oneLock = mode == "import"_L1 || mode == "crash"_L1;
    if ((!counting && !oneLock && mode != "save"_L1) || args.size() != (counting ? 4 : 5)) return 2;
    int failures = 0;
    TDBAdress db([&failures](const std::exception& error, const QString& context) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(context), error.what());
        ++failures;
    });
    db.OpenDirectory(args[2]);
    db.SetLockSettleDelay(0);
    if (oneLock) {
        // A writer that spilled these few pages into the file would shut the readers out.
        kwpstore::Connection& connection = TStoreTableTestAccess::connection(*db.AddressTable());
        connection.exec(QStringLiteral("PRAGMA cache_size=20"));
        if (mode == QLatin1String("crash"))
            connection.exec(QStringLiteral("PRAGMA cache_spill=ON"));
    }
    std::unique_ptr<TDatabaseLock> lock;
    for (int i = 1; i <= args.last().toInt(); ++i) {
        if (!lock) lock = db.LockAddressTable(QStringLiteral("WORKER"));
        TCustomerAddress record;
        if (!lock || (counting && !db.GetCustomer(QStringLiteral("ZAEHLER"), record))) return 4;
        if (counting) {
            record.DisplayTxt = QString::number(record.DisplayTxt.toInt() + 1);
        } else {
            record.Id = args[3] + QString::number(i).rightJustified(4, QLatin1Char('0'));
            record.DisplayTxt =
                (oneLock ? u"Import Müller %1"_s : u"Zweitplatz Müller %1"_s).arg(i);
            record.Info = oneLock ? u"Lieferung über das Hintertor, Straße %1"_s.arg(i).repeated(8)
                                  : u"Straße %1"_s.arg(i);
            // As the import of the setup tool does it.
            if (oneLock && db.ExistsCustomer(record.Id)) return 4;
        }
        if (db.SetCustomer(record) != 0) return 4;
        if (oneLock) continue;
        db.Unlock(lock);
        if (!counting) say("saved " + QByteArray::number(i));
    }
    if (oneLock) {
        say("written");
        std::string line;
        std::getline(std::cin, line);
        // Dies like a crashed workstation: nothing committed, nothing cleaned up.
        if (mode == "crash"_L1) std::_Exit(6);
        db.Unlock(lock);
        say("done");
    }
    return failures == 0 ? 0 : 5;
}
