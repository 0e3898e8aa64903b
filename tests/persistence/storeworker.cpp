// Second workstation of the table-store tests: "append DIR PREFIX COUNT" appends PREFIX0001…,
// every fifth under the database lock; "hold DIR USER" locks until a line arrives on stdin;
// "probe FILE" tries a lock file once and prints the holder's text.
#include <QCoreApplication>
#include <QLocale>
#include <cstdio>
#include <iostream>
#include <string>

#include "app/dateischutz.h"
#include "app/errorreport.h"
#include "testdatabase.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    SetConsoleProcess(true);
    const QStringList args = QCoreApplication::arguments();
    try {
        if (args.size() == 3 && args[1] == "probe") {
            TDateischutz lock;
            lock.setOnWait([](const QString& text, std::function<void()> cancel, TDateischutz&) {
                std::printf("%s\n", text.toUtf8().constData());
                cancel();
                return TPollProc();
            });
            return lock.Lock(args[2], "probe") ? 0 : 3;
        }
        if (args.size() < 4) return 2;
        TTestDatabase database;
        database.OpenDirectory(args[2]);
        if (args.size() == 4 && args[1] == "hold") {
            std::unique_ptr<TDatabaseLock> lock = database.LockDB(args[3], database.Items);
            if (!lock) return 4;
            std::printf("locked\n");
            std::fflush(stdout);
            std::string line;
            std::getline(std::cin, line);
            database.Unlock(lock);
            return 0;
        }
        if (args.size() != 5 || args[1] != "append") return 2;
        // The writers take turns many times; the pause after each wait would only slow the test.
        database.SetLockSettleDelay(0);
        const QString& prefix = args[3];
        for (int i = 1; i <= args[4].toInt(); ++i) {
            std::unique_ptr<TDatabaseLock> lock;
            if (i % 5 == 0 && !(lock = database.LockDB(prefix, database.Items))) return 4;
            TStoreTable& items = *database.Items;
            items.Append();
            items.FieldByName("ID").SetAsString(prefix + QString::number(i).rightJustified(4, '0'));
            items.FieldByName("CREATED").SetAsDateTime(45000 + i);
            items.Post();
            database.Unlock(lock);
        }
        std::printf("done\n");
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 5;
    }
}
