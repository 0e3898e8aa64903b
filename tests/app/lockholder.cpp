// Second workstation for the lock tests.
//   kwp_lockholder hold <file> <text>: takes the lock, prints "locked", waits for a line on
//     stdin, releases and prints "released <ms since epoch>".
//   kwp_lockholder try <file> [uid]: exit 0 when the lock was free, 3 when busy (prints the
//     text), 5 on an error (printed); with a uid it runs as that user.
#include <grp.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>
#include <cstdio>
#include <iostream>
#include <string>

#include "app/dateischutz.h"
#include "app/errorreport.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3 || (args[1] != "hold" && args[1] != "try")) return 2;
    const bool hold = args[1] == "hold";
    if (!hold && args.size() > 3) {
        const auto id = args[3].toUInt();
        if (setgroups(0, nullptr) != 0 || setgid(id) != 0 || setuid(id) != 0) return 6;
    }
    try {
        TDateischutz lock;
        if (!hold) {
            lock.setOnWait([](const QString& text, std::function<void()> cancel, TDateischutz&) {
                std::printf("%s\n", text.toUtf8().constData());
                cancel();
                return TPollProc();
            });
            return lock.Lock(args[2], "try") ? 0 : 3;
        }
        if (!lock.Lock(args[2], args.value(3))) return 4;
        std::printf("locked\n");
        std::fflush(stdout);
        std::string line;
        std::getline(std::cin, line);
        lock.Unlock();
        std::printf("released %lld\n", QDateTime::currentMSecsSinceEpoch());
        return 0;
    } catch (const EKwpError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 5;
    }
}
