#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include "main/kwpadmin/admincommands.h"

// Result of one run of the setup tool.
struct TAdminRun {
    int code = -1;
    QString out;
    QString err;
};

// Runs the tool's commands in this process.
inline TAdminRun runAdmin(const QStringList& args) {
    TAdminRun run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.code = RunAdmin(args, out, err);
    out.flush();
    err.flush();
    return run;
}

// Runs the real program.
inline TAdminRun runAdminProcess(const QStringList& args, const QString& workingDir = {}) {
    QProcess process;
    if (!workingDir.isEmpty()) process.setWorkingDirectory(workingDir);
    process.start(QStringLiteral(KWPADMIN_PATH), args);
    TAdminRun run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        run.err = QStringLiteral("kwpadmin did not finish");
        return run;
    }
    run.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// Every file and folder below root with the file contents, to prove that nothing changed.
inline QMap<QString, QByteArray> snapshotTree(const QString& root) {
    QMap<QString, QByteArray> tree;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QByteArray content = "<dir>";
        if (it.fileInfo().isFile()) {
            QFile file(path);
            content = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
        }
        tree.insert(QDir(root).relativeFilePath(path), content);
    }
    return tree;
}
