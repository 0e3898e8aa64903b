#pragma once

#include "ui/widgets/inputboxform.h"

// The new-address dialog: number (input box) and address group.
class TKWP00207Form9 : public TInputBoxForm {
    Q_OBJECT
public:
    TKWP00207Form9(const QString& caption, const QString& prompt, const QStringList& groups,
                   const QString& group, const QString& text, int maxLength, bool upperCase,
                   bool checkChars, QWidget* parent = nullptr);

    // The entered text, empty when cancelled; on OK group becomes the selected group (when one
    // is selected).
    static QString Execute(const QString& caption, const QString& prompt, const QStringList& groups,
                           QString& group, const QString& text, int maxLength, bool upperCase,
                           bool checkChars, QWidget* parent = nullptr);

    // The selected group, empty when none is selected.
    QString group() const;
};
