#pragma once

#include <QStringList>

class QTextStream;

// Exit codes of the setup tool.
enum TAdminExitCode : int {
    AdminExitOk = 0,
    AdminExitCheckFailed = 1,  // ini get: value missing or not verified
    AdminExitUsage = 2,        // wrong command line or argument value
    AdminExitFailed = 3,       // the operation failed (I/O, existing tenant, ...)
};

// Runs one command of the setup tool; args are the arguments after the program name.
// Results go to out, messages and warnings to err. Never throws.
int RunAdmin(const QStringList& args, QTextStream& out, QTextStream& err);
