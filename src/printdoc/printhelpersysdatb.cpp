#include "printdoc/printhelpersysdatb.h"

#include "app/conversions.h"
#include "app/systemeinstellungen.h"
#include "printdoc/printarealayoutscore.h"

void TPrintHelperSYSDATB::FillUserParams(TPrintAreaLayoutsCore& document,
                                         const TBenutzerEinstellungen& user) {
    document.SetPageParam(QStringLiteral("$NameKurz$"), user.User);
    document.SetPageParam(QStringLiteral("$NameLang$"), user.Vollname);
    document.SetPageParam(QStringLiteral("$NameTel$"), user.KontaktTel);
    document.SetPageParam(QStringLiteral("$NameFax$"), user.KontaktFax);
    document.SetPageParam(QStringLiteral("$NameEmail$"), user.KontaktEmail);
    document.SetPageParam(QStringLiteral("$NameText$"), user.KontaktTxt);
}

QString TPrintHelperSYSDATB::TempPrintFileName(const QString& userTmpDir, const QDateTime& now) {
    // The moment as a day number with 15 significant digits: unique enough for one user.
    QString stamp = QString::number(DateTimeToDayNumber(now), 'E', 14);
    for (QChar& c : stamp)
        if (!c.isDigit()) c = QLatin1Char('X');
    return userTmpDir + QLatin1Char('$') + stamp + QStringLiteral(".$$$");
}

QString TPrintHelperSYSDATB::PdfFileName(const QString& doctype) {
    QString name = doctype.trimmed();
    for (QChar& c : name) {
        if (QStringLiteral("!\"*/:<>?\\|").contains(c)) c = QLatin1Char('_');
    }
    return name + QStringLiteral(".PDF");
}
