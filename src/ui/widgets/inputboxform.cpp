#include "ui/widgets/inputboxform.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>
#include <QValidator>

#include "app/dialogs.h"
#include "app/format.h"
#include "app/translation.h"
#include "app/widgets/loadformstate.h"
#include "ui/widgets/dialogparts.h"

namespace {
// Forces typed text to upper case.
class TUpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toUpper();
        return Acceptable;
    }
};
}  // namespace

TInputBoxForm::TInputBoxForm(const QString& caption, const QString& prompt, const QString& text,
                             int maxLength, bool upperCase, bool checkChars, QWidget* parent)
    : TInputBoxForm(caption, prompt, text, maxLength, upperCase, checkChars, nullptr, parent) {}

TInputBoxForm::TInputBoxForm(const QString& caption, const QString& prompt, const QString& text,
                             int maxLength, bool upperCase, bool checkChars,
                             const QStringList* groups, QWidget* parent)
    : QDialog(parent), m_checkChars(checkChars) {
    setObjectName(groups ? QStringLiteral("KWP00207Form9") : QStringLiteral("InputBoxForm"));
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    auto* promptLabel = new QLabel(prompt, this);
    promptLabel->setObjectName(QStringLiteral("lbPrompt"));
    layout->addWidget(promptLabel);
    auto* maxLabel = new QLabel(FormatStr(_("(maximal %d Zeichen !)"), {maxLength}), this);
    maxLabel->setObjectName(QStringLiteral("lbMaxLength"));
    layout->addWidget(maxLabel);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("edInput"));
    if (maxLength > 0) m_edit->setMaxLength(maxLength);
    if (upperCase) m_edit->setValidator(new TUpperCaseValidator(m_edit));
    m_edit->setText(upperCase ? text.toUpper() : text);
    promptLabel->setBuddy(m_edit);
    layout->addWidget(m_edit);
    if (groups) {
        auto* groupLabel = new QLabel(_("Adressgruppe"), this);
        groupLabel->setObjectName(QStringLiteral("lbAdrGrp"));
        layout->addWidget(groupLabel);
        m_groups = new QListWidget(this);
        m_groups->setObjectName(QStringLiteral("lbAdressgruppe"));
        m_groups->addItems(*groups);
        groupLabel->setBuddy(m_groups);
        layout->addWidget(m_groups);
    }
    layout->addLayout(OkCancelRow(this));
    // Wide enough for the prompt.
    setMinimumWidth(qMax(300, promptLabel->sizeHint().width() + 16));
    adjustSize();
    LoadFormState(this, TFormRole::Other);
    m_edit->setFocus();
}

QString TInputBoxForm::Execute(const QString& caption, const QString& prompt, const QString& text,
                               int maxLength, bool upperCase, bool checkChars, QWidget* parent) {
    TInputBoxForm dialog(caption, prompt, text, maxLength, upperCase, checkChars, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.text() : QString();
}

bool TInputBoxForm::HasForbiddenChars(const QString& text) {
    static const QString forbidden = QStringLiteral("!\"*/:<>?\\|");
    QString trimmed = text;
    while (!trimmed.isEmpty() && trimmed.back() == QLatin1Char(' ')) trimmed.chop(1);
    for (const QChar c : trimmed)
        if (forbidden.contains(c)) return true;
    return false;
}

QString TInputBoxForm::text() const {
    return m_edit->text();
}

void TInputBoxForm::accept() {
    if (m_checkChars && HasForbiddenChars(m_edit->text())) {
        ShowMessageDlg(_("Unerlaubte Zeichen in der Eingabe."), mtError, mbOKOnly);
        m_edit->setFocus();
        return;
    }
    QDialog::accept();
}

void TInputBoxForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_edit->selectAll();
}
