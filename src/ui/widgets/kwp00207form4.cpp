#include "ui/widgets/kwp00207form4.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>

#include "address/paymentway.h"
#include "addressdb/blzcodes.h"
#include "app/dialogs.h"
#include "app/translation.h"
#include "app/widgets/loadformstate.h"
#include "persistence/storequery.h"
#include "ui/widgets/dialogparts.h"
#include "ui/widgets/hourglass.h"

namespace {
constexpr int form4WideWidth = 650;

// The query's columns in the order of the grid; the last grid column has no data of its own.
const char* const form4BankColumns[] = {"INSTITUTSHORT", "CITY", "ZIP", "BIC", "INSTITUT"};
constexpr int form4BankShortColumn = 0;
constexpr int form4BankBicColumn = 3;
}  // namespace

TKWP00207Form4::TKWP00207Form4(QWidget* parent, const QString& etcDir)
    : QDialog(parent), m_blzCodes(std::make_unique<TDBBLZCodes>(TDatabaseErrorCallback{}, etcDir)) {
    setObjectName(QStringLiteral("KWP00207Form4"));
    setWindowTitle(QStringLiteral("[0207 - 04] - ") + _("Bankverbindung bearbeiten"));

    auto* fields = new QWidget(this);
    auto* grid = new QGridLayout;
    const auto addField = [&](const QString& caption, const char* objectName) {
        auto* edit = new QLineEdit(fields);
        edit->setObjectName(QLatin1String(objectName));
        auto* label = new QLabel(caption, fields);
        label->setBuddy(edit);
        const int row = grid->rowCount();
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        edit->installEventFilter(this);
        return edit;
    };
    m_comm = addField(_("Name"), "edName");
    m_comm->setMaxLength(30);
    m_bankCode = addField(_("Bankleitzahl"), "edBLZ");
    m_inst = addField(_("Kreditinstitut"), "edInst");
    m_account = addField(_("Kontonummer"), "edAcc");
    m_iban = addField(_("IBAN"), "edIban");
    m_ibanState = new QLabel(fields);
    m_ibanState->setObjectName(QStringLiteral("lbIbanState"));
    m_ibanState->setWordWrap(true);
    m_ibanState->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_ibanState->hide();
    // Room for a German IBAN in groups of four.
    m_iban->setMinimumWidth(
        m_iban->fontMetrics().horizontalAdvance(QStringLiteral("DE00 0000 0000 0000 0000 00")) +
        16);
    grid->addWidget(m_ibanState, grid->rowCount(), 1);
    m_bic = addField(_("BIC"), "edBic");

    QHBoxLayout* buttons = OkCancelRow(this);
    auto* left = new QVBoxLayout(fields);
    left->setContentsMargins(0, 0, 0, 0);
    left->addLayout(grid);
    left->addStretch();
    left->addLayout(buttons);

    m_bankPanel = new QWidget(this);
    m_banks = new QTableWidget(0, 6, m_bankPanel);
    m_banks->setObjectName(QStringLiteral("sgBanks"));
    m_banks->setHorizontalHeaderLabels({_("Kurzbezeichnung"), _("Ort"), _("PLZ"), _("BIC"),
                                        _("Bezeichnung"), _("Bezeichnung Btx und EZUE")});
    m_banks->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_banks->setSelectionMode(QAbstractItemView::SingleSelection);
    m_banks->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_banks->verticalHeader()->hide();
    auto* take = new QPushButton(_("Uebernehmen"), m_bankPanel);
    take->setObjectName(QStringLiteral("btTakeBank"));
    auto* right = new QVBoxLayout(m_bankPanel);
    right->setContentsMargins(0, 0, 0, 0);
    right->addWidget(m_banks);
    right->addWidget(take, 0, Qt::AlignRight);
    m_bankPanel->hide();

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(fields);
    layout->addWidget(m_bankPanel, 1);

    connect(take, &QPushButton::clicked, this, &TKWP00207Form4::TakeBank);
    connect(m_banks, &QTableWidget::cellDoubleClicked, this, &TKWP00207Form4::TakeBank);
    connect(m_iban, &QLineEdit::textChanged, this, &TKWP00207Form4::showIbanState);
    connect(m_iban, &QLineEdit::textEdited, this, &TKWP00207Form4::ibanEdited);

    resize(sizeHint());
    LoadFormState(this, TFormRole::Other);
}

TKWP00207Form4::~TKWP00207Form4() = default;

void TKWP00207Form4::LoadPaymentWay(const TPaymentWay& way) {
    m_comm->setText(way.Comm);
    m_bankCode->setText(way.BCode);
    m_inst->setText(way.Inst);
    m_account->setText(way.Acc);
    m_iban->setText(way.Iban);
    m_bic->setText(way.Bic);
}

void TKWP00207Form4::StorePaymentWay(TPaymentWay& way) const {
    way.Comm = m_comm->text().trimmed();
    way.BCode = m_bankCode->text().trimmed();
    way.Inst = m_inst->text().trimmed();
    way.Acc = m_account->text().trimmed();
    way.Iban = m_iban->text().trimmed();
    way.Bic = m_bic->text().trimmed();
}

bool TKWP00207Form4::Execute(TPaymentWay& way, QWidget* parent) {
    TKWP00207Form4 dialog(parent);
    dialog.LoadPaymentWay(way);
    if (dialog.exec() != QDialog::Accepted) return false;
    dialog.StorePaymentWay(way);
    return true;
}

void TKWP00207Form4::LookupBankCode() {
    QList<QStringList> banks;
    {
        const THourglass hourglass;
        std::unique_ptr<TStoreQuery> query = m_blzCodes->Lookup(m_bankCode->text());
        if (!query) return;
        for (query->First(); !query->Eof(); query->Next()) {
            QStringList bank;
            for (const char* column : form4BankColumns)
                bank.append(query->FieldByName(QLatin1String(column)).AsString().trimmed());
            banks.append(bank);
        }
    }
    if (banks.size() == 1) {
        m_bic->setText(banks.constFirst().at(form4BankBicColumn));
        m_inst->setText(banks.constFirst().at(form4BankShortColumn));
        return;
    }
    if (banks.isEmpty()) return;
    m_banks->setRowCount(int(banks.size()));
    for (int row = 0; row < banks.size(); ++row)
        for (int column = 0; column < banks.at(row).size(); ++column)
            m_banks->setItem(row, column, new QTableWidgetItem(banks.at(row).at(column)));
    m_banks->resizeColumnsToContents();
    m_banks->selectRow(0);
    m_bankPanel->show();
    layout()->activate();
    resize(qMax(form4WideWidth, minimumSizeHint().width()), height());
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        move(area.left() + (area.width() - 700) / 2, y());
    }
}

void TKWP00207Form4::TakeBank() {
    const int row = m_banks->currentRow();
    if (row < 0) return;
    m_bic->setText(m_banks->item(row, form4BankBicColumn)->text());
    m_inst->setText(m_banks->item(row, form4BankShortColumn)->text());
}

void TKWP00207Form4::showIbanState() {
    const QString iban = m_iban->text().trimmed();
    const QString error = iban.isEmpty() ? QString() : IbanError(iban);
    m_ibanState->setText(error);
    m_ibanState->setStyleSheet(QStringLiteral("color: #C00000;"));
    m_ibanState->setVisible(!error.isEmpty());
    // A reason of several lines needs more height than the dialog had; the grid does not ask
    // the label for it by itself.
    layout()->activate();
    m_ibanState->setMinimumHeight(
        m_ibanState->heightForWidth(qMax(m_ibanState->width(), m_iban->minimumWidth())));
    layout()->activate();
    if (minimumSizeHint().height() > height()) resize(width(), minimumSizeHint().height());
}

void TKWP00207Form4::ibanEdited() {
    const QString iban = NormalizedIban(m_iban->text());
    if (!iban.startsWith(QLatin1String("DE")) || !IbanError(iban).isEmpty()) return;
    m_bankCode->setText(iban.mid(4, 8));
    QString account = iban.mid(12);
    while (account.size() > 1 && account.startsWith(QLatin1Char('0'))) account.remove(0, 1);
    m_account->setText(account);
    LookupBankCode();
}

void TKWP00207Form4::accept() {
    const QString iban = m_iban->text().trimmed();
    const QString error = iban.isEmpty() ? QString() : IbanError(iban);
    if (!error.isEmpty() &&
        ShowMessageDlgFmt(_("Die IBAN \"%s\" ist ungueltig.\n%s\nMoechten Sie sie trotzdem "
                            "speichern?"),
                          {iban, error}, mtConfirmation, mbYesNo) != mrYes) {
        m_iban->setFocus();
        return;
    }
    QDialog::accept();
}

bool TKWP00207Form4::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && watched == m_bankCode) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            LookupBankCode();
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
