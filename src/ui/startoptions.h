#pragma once

#include <QString>
#include <QStringList>

// What the command line of the address manager asks for: tenant, user and the switches.
struct TStartOptions {
    QString tenant;
    QString user;
    // 0 normal, 1 "-GA" (pick addresses), 2 "-GAN" (pick with postal address and contact).
    quint8 pickMode = 0;
    // "-TEMP": the file that receives the picked addresses.
    QString resultFile;
    // "-ONE": pick the current address without the address store.
    bool one = false;
    // "-SA": the address to start on.
    bool hasStartAddress = false;
    QString startAddress;

    // arguments as the process got them, the program first.
    static TStartOptions FromArguments(const QStringList& arguments);
};
