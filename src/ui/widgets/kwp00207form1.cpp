#include "ui/widgets/kwp00207form1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>

#include "address/addressconfig.h"
#include "app/dialogs.h"
#include "app/errorreport.h"
#include "app/inifile.h"
#include "app/systemeinstellungen.h"
#include "app/translation.h"
#include "app/widgets/loadformstate.h"
#include "ui/widgets/dbadressviewframe1.h"

TKWP00207Form1::TKWP00207Form1(const QString& tenant, QWidget* parent)
    : QMainWindow(parent), m_config(std::make_unique<TAddressConfig>()) {
    setObjectName(QStringLiteral("KWP00207Form1"));
    setWindowTitle(CaptionFor(tenant));
    resize(1024, 700);
    LoadFormState(this, TFormRole::MainWindow);

    const TSystemEinstellungen* sys = SystemEinstellungen();
    if (sys) m_config->LoadFromFile(sys->AdressenDir + QStringLiteral("CONFIG.XML"));
    m_frame = new TDBAdressViewFrame1(*m_config, this);
    setCentralWidget(m_frame);

    const TBenutzerEinstellungen* user = BenutzerEinstellungen();
    if (user && !user->UserTenantEtcDir.isEmpty()) {
        QDir().mkpath(user->UserTenantEtcDir);
        m_layout =
            std::make_unique<TIniFile>(user->UserTenantEtcDir + QStringLiteral("KWP00207.INI"));
        m_frame->LoadLayout(*m_layout);
    }
    if (auto* jump = m_frame->findChild<QLineEdit*>(QStringLiteral("edGoto"))) jump->setFocus();
    m_frame->SelectAddress(QString());
    // The frame's keys come first, wherever the focus is in this window.
    qApp->installEventFilter(this);
}

TKWP00207Form1::~TKWP00207Form1() {
    qApp->removeEventFilter(this);
}

QString TKWP00207Form1::CaptionFor(const QString& tenant) {
    return QStringLiteral("[0207 - 01] - ") + tenant + QStringLiteral(" - ") +
           _("Adressverwaltung");
}

bool TKWP00207Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != this || !isActiveWindow()) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    return m_frame->HandleKey(key->key(), key->modifiers());
}

void TKWP00207Form1::closeEvent(QCloseEvent* event) {
    m_frame->SaveIfModified();
    if (m_layout) {
        m_frame->SaveLayout(*m_layout);
        try {
            m_layout->UpdateFile();
        } catch (const EKwpError& error) {
            ShowMessageDlg(error.message(), mtError, mbOKOnly);
        }
    }
    event->accept();
}
