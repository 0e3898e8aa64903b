#pragma once

#include <QColor>
#include <QPalette>
#include <QRect>
#include <QString>

class TIniFile;

// The user's colour scheme, section "Colors-" + tenant of the user's "APPLICATION.INI".
// Colours are Windows colour values: 0x00BBGGRR, or a system colour index with the high bit set.
struct TColorScheme {
    static constexpr quint32 BtnFace = 0x8000000F;
    QString Name;
    // Color1 .. Color6; controls tagged 1 to 5 get the first five.
    quint32 Colors[6] = {BtnFace, BtnFace, BtnFace, 0xF7DFD6, 0x848284, BtnFace};
};

// A missing section or key gives the default; values may be decimal (also negative, as
// signed 32-bit), "$" hex or "0x" hex.
TColorScheme LoadColorScheme(const TIniFile& ini, const QString& tenant);

// A Windows colour value as it looks on this desktop: system colour indexes 0..30 are taken
// from the palette (the button face is its Button colour, ...).
QColor WinColorToQColor(quint32 value, const QPalette& palette);

// "Forms"/"Screenresolution" of the user's "APPLICATION.INI".
int LoadScreenResolution(const TIniFile& ini);

// Where the main window goes on a screen with the given work area: 0 gives 1024 x 690 centred,
// 1 the whole work area, other values keep the designed geometry. A window that does not fit
// starts at the top-left corner of the work area.
QRect MainWindowBounds(int screenResolution, const QRect& workArea, const QRect& designed);
// The bounds later dialogs take: as the main window on screens at least 1024 pixels wide
// (other values: an empty rectangle, the dialogs keep their own), else the work area's top-left
// corner with 1024 x 690.
QRect DialogBounds(int screenResolution, const QRect& workArea);
