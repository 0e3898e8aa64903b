#pragma once

#include <QDialog>

#include "app/dialogs.h"

class QLabel;

// The program's message dialog: icon, text and German buttons, centred on the screen.
// Controls are named "Image", "Message" and after their buttons ("Yes", "OK", ...).
class TMessageDialog : public QDialog {
    Q_OBJECT
public:
    TMessageDialog(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons,
                   QWidget* parent = nullptr);

    // Result for the Escape key: Cancel, else No, else OK.
    int escapeResult() const { return m_escapeResult; }

protected:
    void reject() override;

private:
    int m_escapeResult = mrCancel;
};
