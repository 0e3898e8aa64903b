#pragma once

#include <QDirIterator>
#include <QMap>
#include <QProcess>
#include <QTextStream>
#include <QtTest/QTest>

#include "main/kwpadmin/admincommands.h"
#include "testsupport.h"

// Result of one run of the setup tool.
struct TAdminRun {
    int code = -1;
    QString out;
    QString err;
};

// Runs the tool's commands in this process.
inline TAdminRun runAdmin(const QStringList& args) {
    TAdminRun run;
    QTextStream out(&run.out), err(&run.err);
    run.code = RunAdmin(args, out, err);  // flushes both streams
    return run;
}

// Runs the real program.
inline TAdminRun runAdminProcess(
    const QStringList& args, const QString& workingDir = {},
    const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setWorkingDirectory(workingDir);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(KWPADMIN_PATH), args);
    // A process still running is killed with the QProcess.
    const bool done =
        process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
    return {done ? process.exitCode() : -2, QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// Every file and folder below root with the file contents, to prove that nothing changed.
inline QMap<QString, QByteArray> snapshotTree(const QString& root) {
    QMap<QString, QByteArray> tree;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        tree.insert(QDir(root).relativeFilePath(path),
                    it.fileInfo().isFile() ? ReadFileBytes(path) : QByteArray("<dir>"));
    }
    return tree;
}

// A refused command: the exit code, the message, and nothing changed below root.
inline void expectRefused(const QStringList& args, int code, const QString& message,
                          const QString& root) {
    const auto before = snapshotTree(root);
    const TAdminRun run = runAdmin(args);
    QCOMPARE(run.code, code);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QCOMPARE(snapshotTree(root), before);
}
