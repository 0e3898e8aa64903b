#include <QCoreApplication>
#include <QTextStream>

#include "app/errorreport.h"
#include "main/kwpadmin/admincommands.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kwpadmin"));
    SetConsoleProcess(true);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return RunAdmin(QCoreApplication::arguments().mid(1), out, err);
}
