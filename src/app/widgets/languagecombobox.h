#pragma once

#include <QComboBox>

// The languages the program can show, each under its own name; German is always there.
class TLanguageComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TLanguageComboBox(QWidget* parent = nullptr);

    QString language() const;  // "de_DE"
    // An unknown code selects German.
    void setLanguage(const QString& code);
};
