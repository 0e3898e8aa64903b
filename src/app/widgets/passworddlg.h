#pragma once

#include <QDialog>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

// The login password prompt ("Anmeldung"). In the login use the user-name row is hidden.
class TPasswordDlg : public QDialog {
    Q_OBJECT
public:
    enum class UserNameRow { Hidden, Shown };
    explicit TPasswordDlg(UserNameRow userNameRow = UserNameRow::Hidden, QWidget* parent = nullptr);

    QString userName() const;
    void setUserName(const QString& name);
    QString password() const;

    // Shows the dialog modally; the entered password on OK, nothing on cancel.
    static std::optional<QString> Execute(QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* m_userLabel;
    QLineEdit* m_userEdit;
    QLineEdit* m_passwordEdit;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};
