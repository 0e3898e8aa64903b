#pragma once

class QDialog;
class QHBoxLayout;

// The row of "OK" (btOK, default button) and "Abbrechen" (btCancel) at the bottom right of the
// program's dialogs, wired to accept and reject.
QHBoxLayout* OkCancelRow(QDialog* dialog);
