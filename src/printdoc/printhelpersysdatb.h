#pragma once

#include <QDateTime>
#include <QString>

class TBenutzerEinstellungen;
class TPrintAreaLayoutsCore;

// Helpers that fill print documents from the suite's settings.
class TPrintHelperSYSDATB {
public:
    // "$NameKurz$", "$NameLang$", "$NameTel$", "$NameFax$", "$NameEmail$", "$NameText$".
    static void FillUserParams(TPrintAreaLayoutsCore& document, const TBenutzerEinstellungen& user);
    // A fresh file name in the user's temporary folder, made from the moment now.
    static QString TempPrintFileName(const QString& userTmpDir, const QDateTime& now);
    // The document type as a PDF file name: characters a file name cannot hold become "_".
    static QString PdfFileName(const QString& doctype);
};
