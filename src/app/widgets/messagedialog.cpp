#include "app/widgets/messagedialog.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace {
const struct {
    TMsgDlgBtn button;
    const char* name;
} kButtons[] = {
    {mbYes, "Yes"},           {mbNo, "No"},       {mbOK, "OK"},
    {mbCancel, "Cancel"},     {mbAbort, "Abort"}, {mbRetry, "Retry"},
    {mbIgnore, "Ignore"},     {mbAll, "All"},     {mbNoToAll, "NoToAll"},
    {mbYesToAll, "YesToAll"}, {mbHelp, "Help"},
};

QStyle::StandardPixmap iconFor(TMsgDlgType type) {
    switch (type) {
        case mtWarning:
            return QStyle::SP_MessageBoxWarning;
        case mtError:
            return QStyle::SP_MessageBoxCritical;
        case mtInformation:
            return QStyle::SP_MessageBoxInformation;
        case mtConfirmation:
            return QStyle::SP_MessageBoxQuestion;
    }
    return QStyle::SP_MessageBoxInformation;
}
}  // namespace

TMessageDialog::TMessageDialog(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons,
                               QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(MsgDlgTitle(type));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    if (buttons == 0) buttons = mbOK;

    // Width like the platform's message box: measured from the average letter width.
    const QFontMetrics metrics(font());
    const int averageChar = metrics.horizontalAdvance(QStringLiteral(
                                "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                            52;

    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image"));
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    image->setPixmap(
        style()->standardIcon(iconFor(type), nullptr, this).pixmap(iconSize, iconSize));
    image->setAlignment(Qt::AlignTop);

    auto* message = new QLabel(text, this);
    message->setObjectName(QStringLiteral("Message"));
    message->setWordWrap(true);
    message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    message->setMaximumWidth(averageChar * 80);
    // A wrapped label would shrink to its narrowest layout; short texts stay on one line.
    int longestLine = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        longestLine = std::max(longestLine, metrics.horizontalAdvance(line));
    message->setMinimumWidth(std::min(longestLine + averageChar, averageChar * 50));

    auto* top = new QHBoxLayout;
    top->addWidget(image);
    top->addWidget(message, 1);

    auto* row = new QHBoxLayout;
    row->addStretch();
    QPushButton* defaultButton = nullptr;
    for (const auto& b : kButtons) {
        if (!(buttons & b.button)) continue;
        auto* button = new QPushButton(MsgDlgButtonCaption(b.button), this);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setMinimumWidth(averageChar * 12);
        const int result = MsgDlgButtonResult(b.button);
        connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
        row->addWidget(button);
        if (!defaultButton && (b.button == mbOK || b.button == mbYes)) defaultButton = button;
    }
    if (defaultButton) defaultButton->setDefault(true);
    m_escapeResult = (buttons & mbCancel) ? mrCancel
                     : (buttons & mbNo)   ? mrNo
                     : (buttons & mbOK)   ? mrOk
                                          : mrCancel;
    row->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(row);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        adjustSize();
        move(screen->availableGeometry().center() - rect().center());
    }
}

void TMessageDialog::reject() {
    done(m_escapeResult);
}
