#include "app/widgets/passworddlg.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "app/translation.h"

TPasswordDlg::TPasswordDlg(UserNameRow userNameRow, QWidget* parent) : QDialog(parent) {
    const bool showUserName = userNameRow == UserNameRow::Shown;
    setObjectName(QStringLiteral("TPasswordDlg"));
    setWindowTitle(_("Anmeldung"));
    // Fixed dialog without border icons.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint);

    m_userLabel = new QLabel(_("Benutzername"), this);
    m_userLabel->setObjectName(QStringLiteral("lbUserName"));
    m_userEdit = new QLineEdit(this);
    m_userEdit->setObjectName(QStringLiteral("edUserName"));
    auto* passwordLabel = new QLabel(_("Passwort"), this);
    passwordLabel->setObjectName(QStringLiteral("lbPassword"));
    m_passwordEdit = new QLineEdit(this);
    m_passwordEdit->setObjectName(QStringLiteral("edPassword"));
    m_passwordEdit->setEchoMode(QLineEdit::Password);
    m_ok = new QPushButton(_("OK"), this);
    m_ok->setObjectName(QStringLiteral("btOK"));
    m_cancel = new QPushButton(_("Abbrechen"), this);
    m_cancel->setObjectName(QStringLiteral("btCancel"));
    m_userLabel->setBuddy(m_userEdit);
    passwordLabel->setBuddy(m_passwordEdit);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_userLabel, 0, 0);
    layout->addWidget(m_userEdit, 0, 1, 1, 2);
    layout->addWidget(passwordLabel, 1, 0);
    layout->addWidget(m_passwordEdit, 1, 1, 1, 2);
    layout->addWidget(m_ok, 2, 1);
    layout->addWidget(m_cancel, 2, 2);

    m_userLabel->setVisible(showUserName);
    m_userEdit->setVisible(showUserName);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_userEdit->installEventFilter(this);
    m_passwordEdit->installEventFilter(this);
    m_ok->setAutoDefault(true);
    m_cancel->setAutoDefault(false);

    setFixedSize(sizeHint().width() + 60, showUserName ? sizeHint().height() : 73);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    (showUserName ? m_userEdit : m_passwordEdit)->setFocus();
}

QString TPasswordDlg::userName() const {
    return m_userEdit->text();
}
void TPasswordDlg::setUserName(const QString& name) {
    m_userEdit->setText(name);
}
QString TPasswordDlg::password() const {
    return m_passwordEdit->text();
}

bool TPasswordDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Enter moves on: user name -> password -> OK.
            if (watched == m_userEdit) {
                m_passwordEdit->setFocus();
                return true;
            }
            if (watched == m_passwordEdit) {
                m_ok->setFocus();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

std::optional<QString> TPasswordDlg::Execute(QWidget* parent) {
    TPasswordDlg dialog(UserNameRow::Hidden, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.password();
}
