#include <QApplication>

#include "testsupport.h"

int RunWindowPeer(const QString& root);

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PrepareTestEnvironment();
    // A second workstation for the main window's two-process test.
    if (argc == 3 && qstrcmp(argv[1], "--peer") == 0)
        return RunWindowPeer(QString::fromLocal8Bit(argv[2]));
    return RunRegisteredTests(argc, argv);
}
