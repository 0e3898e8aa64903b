#include "app/widgets/waitform.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "app/dateischutz.h"
#include "app/translation.h"

TWaitForm::TWaitForm(const QString& text, std::function<void()> cancel, QWidget* parent)
    : QDialog(parent), m_cancelAction(std::move(cancel)) {
    setObjectName(QStringLiteral("TWaitForm"));
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint);
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::StyledPanel);
    const QString pad(text.size() < 11 ? 8 : 1, QLatin1Char(' '));
    m_label = new QLabel(pad + text + pad, panel);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_label->setAlignment(Qt::AlignCenter);
    m_cancel = new QPushButton(_("Abbrechen"), panel);
    m_cancel->setObjectName(QStringLiteral("btAbbrechen"));
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->addWidget(m_label);
    panelLayout->addWidget(m_cancel, 0, Qt::AlignHCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panel);
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        if (m_cancelAction) m_cancelAction();
    });

    const int textWidth = m_label->fontMetrics().horizontalAdvance(m_label->text());
    resize(textWidth >= 284 ? textWidth + 16 : 300, 75);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

QString TWaitForm::text() const {
    return m_label->text().trimmed();
}

namespace {
class WaitWindow : public IWaitWindow {
public:
    WaitWindow(const QString& text, std::function<void()> cancel, bool waitCursor)
        : m_form(std::make_unique<TWaitForm>(text, std::move(cancel))), m_waitCursor(waitCursor) {
        if (m_waitCursor) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        m_form->show();
        QCoreApplication::processEvents();
    }
    ~WaitWindow() override {
        if (m_waitCursor) QGuiApplication::restoreOverrideCursor();
    }
    void poll() override { QCoreApplication::processEvents(); }

private:
    std::unique_ptr<TWaitForm> m_form;
    bool m_waitCursor;
};
}  // namespace

void InstallWaitForm() {
    SetWaitWindowFactory([](const QString& text, std::function<void()> cancel, bool waitCursor) {
        return std::unique_ptr<IWaitWindow>(
            std::make_unique<WaitWindow>(text, std::move(cancel), waitCursor));
    });
}
