#pragma once

#include <QDialog>
#include <QStringList>

class QLineEdit;
class QListWidget;

// Asks for one line of text: prompt, "(maximal n Zeichen !)", the edit with the proposed text.
// The new-address dialog (TKWP00207Form9) adds the list of address groups.
class TInputBoxForm : public QDialog {
    Q_OBJECT
public:
    TInputBoxForm(const QString& caption, const QString& prompt, const QString& text, int maxLength,
                  bool upperCase, bool checkChars, QWidget* parent = nullptr);

    // The entered text; empty when cancelled.
    static QString Execute(const QString& caption, const QString& prompt, const QString& text,
                           int maxLength, bool upperCase, bool checkChars,
                           QWidget* parent = nullptr);

    // Whether the text, without trailing blanks, holds a character an address number may not
    // have: ! " * / : < > ? \ |
    static bool HasForbiddenChars(const QString& text);

    QString text() const;
    // With the check flag, refuses a text with forbidden characters and stays open.
    void accept() override;

protected:
    // groups: the address groups of the new-address dialog, null for a plain input box.
    TInputBoxForm(const QString& caption, const QString& prompt, const QString& text, int maxLength,
                  bool upperCase, bool checkChars, const QStringList* groups, QWidget* parent);
    void showEvent(QShowEvent* event) override;
    QListWidget* groupList() const { return m_groups; }

private:
    QLineEdit* m_edit = nullptr;
    QListWidget* m_groups = nullptr;
    bool m_checkChars = false;
};
