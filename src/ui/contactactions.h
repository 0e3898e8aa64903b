#pragma once

#include <QString>

// The digits of a phone number in their order; blanks, "+", "/", brackets and the rest go.
QString CleanPhoneNumber(const QString& value);

// Dialling is handed to the telephony program of the desktop as a "tel:" link.
class TDial {
public:
    // A number without digits does nothing. A "tel:" link carries only the number, so the
    // called party and the comment stay with the caller.
    static void Dial(const QString& number, const QString& calledParty, const QString& comment);
};

// The command line of the suite's SMS program: tenant, user and one recipient.
QString SmsParameters(const QString& tenant, const QString& user, const QString& number,
                      const QString& contactName);
// Starts "KWP00009.EXE" of binDir for one recipient; nothing happens when the number has no
// digit or the program is not installed. True when it started.
bool SendSms(const QString& value, const QString& contactName, const QString& tenant,
             const QString& user, const QString& binDir);
// The same with the tenant and user this program was started with.
bool SendSms(const QString& value, const QString& contactName);

void WriteEmail(const QString& address);
void OpenWebAddress(const QString& address);
void CopyToClipboard(const QString& value);
