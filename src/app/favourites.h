#pragma once

#include <QString>

// Categories of the suite-wide favourites list ("FAVORITE.INI" of the user).
enum TFavouriteKind : int {
    fkAngebote = 0,
    fkKleinauftraege = 1,
    fkAP = 2,
    fkAufmasse = 3,
    fkWartung = 4,
    fkBriefe = 5,
    fkAdressen = 6,
    fkAuftraege = 7,
};

enum class TFavouriteResult { Added, AlreadyListed, Failed };

// Adds a shortcut to the user's favourites; the caption gets the tenant appended. An entry with
// the same caption is not added twice. A failure is reported to the user.
TFavouriteResult AddFavourite(int kind, const QString& caption, const QString& programFile,
                              const QString& parameters);

// The same on a given file for a given tenant; throws EKwpError when the file cannot be written
// or the kind is unknown.
TFavouriteResult AddFavouriteTo(const QString& fileName, const QString& tenant, int kind,
                                const QString& caption, const QString& programFile,
                                const QString& parameters);
