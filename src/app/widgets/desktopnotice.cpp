#include "app/widgets/desktopnotice.h"

#include <QApplication>
#include <QHash>
#include <QLabel>
#include <QMainWindow>
#include <QPauseAnimation>
#include <QPropertyAnimation>
#include <QScreen>
#include <QSequentialAnimationGroup>
#include <QVBoxLayout>

namespace {
constexpr int kWidth = 300;
constexpr int kMargin = 8;  // to the edge of the work area and between notices

QList<TDesktopNotice*>& notices() {
    static QList<TDesktopNotice*> list;
    return list;
}

QPropertyAnimation* fade(QObject* target, qreal from, qreal to, int ms) {
    auto* animation = new QPropertyAnimation(target, "windowOpacity");
    animation->setStartValue(from);
    animation->setEndValue(to);
    animation->setDuration(ms);
    return animation;
}
}  // namespace

TDesktopNotice::TDesktopNotice(const QString& header, const QString& text, int fadeMs, int showMs,
                               QScreen* screen)
    // A tool tip window: window systems (and the offscreen platform) never activate those.
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus),
      m_screen(screen) {
    setObjectName(QStringLiteral("TDesktopNotice"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::NoFocus);
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);
    setAutoFillBackground(true);

    auto* headerLabel = new QLabel(header, this);
    headerLabel->setObjectName(QStringLiteral("lbHeader"));
    QFont bold = headerLabel->font();
    bold.setBold(true);
    headerLabel->setFont(bold);
    auto* textLabel = new QLabel(text, this);
    textLabel->setObjectName(QStringLiteral("lbText"));
    textLabel->setWordWrap(true);
    for (QLabel* label : {headerLabel, textLabel}) {
        label->setTextFormat(Qt::PlainText);
        label->setForegroundRole(QPalette::ToolTipText);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(headerLabel);
    layout->addWidget(textLabel);
    setFixedWidth(kWidth);
    setFixedHeight(heightForWidth(kWidth) > 0 ? heightForWidth(kWidth) : sizeHint().height());

    setWindowOpacity(0.0);
    auto* run = new QSequentialAnimationGroup(this);
    run->addAnimation(fade(this, 0.0, 1.0, fadeMs));
    run->addPause(showMs);
    run->addAnimation(fade(this, 1.0, 0.0, fadeMs));
    connect(run, &QAbstractAnimation::finished, this, &QWidget::close);
    run->start();
    notices().append(this);
}

TDesktopNotice::~TDesktopNotice() {
    notices().removeOne(this);
    // The notices above move down into the gap.
    restack();
}

TDesktopNotice* TDesktopNotice::Show(const QString& header, const QString& text, int fadeMs,
                                     int showMs) {
    // With no window of ours active (the user works elsewhere), the main window's screen.
    const QWidget* anchor = QApplication::activeWindow();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!anchor && window->isVisible() && qobject_cast<QMainWindow*>(window)) anchor = window;
    }
    QScreen* screen =
        anchor && anchor->screen() ? anchor->screen() : QGuiApplication::primaryScreen();
    auto* notice = new TDesktopNotice(header, text, fadeMs, showMs, screen);
    restack();
    notice->show();
    return notice;
}

QList<TDesktopNotice*> TDesktopNotice::Notices() {
    return notices();
}

void TDesktopNotice::CloseAll() {
    // Each deletion removes itself from the list.
    while (!notices().isEmpty()) delete notices().constLast();
}

void TDesktopNotice::mousePressEvent(QMouseEvent*) {
    close();
}

void TDesktopNotice::restack() {
    QHash<const QScreen*, int> bottoms;  // free space per screen
    for (TDesktopNotice* notice : std::as_const(notices())) {
        if (!notice->m_screen) continue;
        const QRect workArea = notice->m_screen->availableGeometry();
        auto bottom = bottoms.find(notice->m_screen);
        if (bottom == bottoms.end())
            bottom = bottoms.insert(notice->m_screen, workArea.bottom() - kMargin);
        notice->move(workArea.right() - kMargin - notice->width() + 1,
                     *bottom - notice->height() + 1);
        *bottom -= notice->height() + kMargin;
    }
}
