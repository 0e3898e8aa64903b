#pragma once

#include <QRect>

class QWidget;

enum class TFormRole { MainWindow, Other };

// Prepares a window from the user's "APPLICATION.INI": controls whose int property "tag" is 1 to
// 5 get Color1 to Color5 of the tenant's colour scheme; the window is translated, gets the
// desktop's standard font and is placed ("Forms"/"Screenresolution" for the main window, other
// windows centred). Also remembers the bounds for later dialogs.
void LoadFormState(QWidget* form, TFormRole role);

// The bounds LoadFormState chose for later dialogs; empty before it ran or when dialogs keep
// their own.
QRect DefaultDialogBounds();
