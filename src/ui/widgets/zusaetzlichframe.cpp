#include "ui/widgets/zusaetzlichframe.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "address/addressconfig.h"
#include "address/customeraddress.h"
#include "app/dialogs.h"
#include "app/systemeinstellungen.h"
#include "app/translation.h"
#include "ui/widgets/kwp00207form4.h"
#include "ui/widgets/kwp00207form5.h"
#include "ui/widgets/panesupport.h"

namespace {
// Payment term rows: selection colours or window colours, the text 4 pixels from the left.
class TTermDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& palette = option.palette;
        painter->fillRect(option.rect, selected ? palette.highlight() : palette.base());
        painter->setPen(selected ? palette.highlightedText().color() : palette.text().color());
        painter->drawText(option.rect.adjusted(4, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                          index.data().toString());
    }
};

// Enter in the flag combo adds the flag instead of only taking the text.
class TEnterFilter : public QObject {
public:
    TEnterFilter(QObject* parent, std::function<void()> onEnter)
        : QObject(parent), m_onEnter(std::move(onEnter)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                m_onEnter();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_onEnter;
};

QString RemoveTrailingBlanks(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace()) --end;
    return text.left(end);
}
}  // namespace

TZusaetzlichFrame::TZusaetzlichFrame(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ZusaetzlichFrame"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(buildFlags(), 0, 0, 2, 1);
    grid->addWidget(buildPaymentWays(), 0, 1);
    grid->addWidget(buildTerms(), 1, 1);
    grid->addWidget(buildFields(), 0, 2, 2, 1);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(2, 3);
    setReadOnly(!MayEditAddresses());
}

QWidget* TZusaetzlichFrame::buildFlags() {
    auto* box = new QGroupBox(_("Kennzeichen"), this);
    auto* layout = new QGridLayout(box);
    lbCharact = new QListWidget(box);
    lbCharact->setObjectName(QStringLiteral("lbCharact"));
    layout->addWidget(lbCharact, 0, 0, 1, 4);
    auto* label = new QLabel(_("Kennzeichenauswahl"), box);
    layout->addWidget(label, 1, 0, 1, 4);
    cbKennzeichen = new QComboBox(box);
    cbKennzeichen->setObjectName(QStringLiteral("cbKennzeichen"));
    cbKennzeichen->setEditable(true);
    cbKennzeichen->setInsertPolicy(QComboBox::NoInsert);
    label->setBuddy(cbKennzeichen);
    layout->addWidget(cbKennzeichen, 2, 0, 1, 4);
    cbKennzeichen->lineEdit()->installEventFilter(new TEnterFilter(this, [this] { AddFlag(); }));
    const auto button = [&](QPushButton*& target, const char* name, const QString& caption,
                            int column) {
        target = new QPushButton(caption, box);
        target->setObjectName(QString::fromLatin1(name));
        layout->addWidget(target, 3, column);
    };
    button(btKzAdd, "btKzAdd", _("Hinzufuegen"), 0);
    button(btKzDelete, "btKzDelete", _("Loeschen"), 1);
    button(btKzUp, "btKzUp", _("Nach oben"), 2);
    button(btKzDown, "btKzDown", _("Nach unten"), 3);
    connect(btKzAdd, &QPushButton::clicked, this, &TZusaetzlichFrame::AddFlag);
    connect(btKzDelete, &QPushButton::clicked, this, &TZusaetzlichFrame::DeleteFlag);
    connect(btKzUp, &QPushButton::clicked, this, [this] { MoveFlag(-1); });
    connect(btKzDown, &QPushButton::clicked, this, [this] { MoveFlag(1); });
    return box;
}

QWidget* TZusaetzlichFrame::buildPaymentWays() {
    auto* box = new QGroupBox(_("Zahlungswege und Bankverbindungen"), this);
    auto* layout = new QVBoxLayout(box);
    vstPaymentWays = new QTreeWidget(box);
    vstPaymentWays->setObjectName(QStringLiteral("vstPaymentWays"));
    vstPaymentWays->setHeaderHidden(true);
    // Long bank lines scroll instead of being cut off.
    vstPaymentWays->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    vstPaymentWays->header()->setStretchLastSection(false);
    vstPaymentWays->setExpandsOnDoubleClick(false);
    vstPaymentWays->viewport()->setCursor(Qt::PointingHandCursor);
    layout->addWidget(vstPaymentWays);

    pmPaymentWays = new QMenu(this);
    pmPaymentWays->setObjectName(QStringLiteral("pmPaymentWays"));
    QMenu* add = pmPaymentWays->addMenu(_("Zahlungsweg hinzufuegen"));
    add->setObjectName(QStringLiteral("miPwAdd"));
    AddTaggedAction(add, "miPwAddBar", _("Bar"), pwcAddBar);
    AddTaggedAction(add, "miPwAddScheck", _("Scheck"), pwcAddScheck);
    AddTaggedAction(add, "miPwAddUeberweisung", _("Ueberweisung"), pwcAddUeberweisung);
    AddTaggedAction(add, "miPwAddEuropaueberweisung", _("Europaueberweisung"), pwcAddEuropa);
    AddTaggedAction(add, "miPwAddLastschrift", _("Lastschrift"), pwcAddLastschrift);
    AddTaggedAction(add, "miPwAddVorkasse", _("Vorkasse"), pwcAddVorkasse);
    AddTaggedAction(add, "miPwAddNachnahme", _("Nachnahme"), pwcAddNachnahme);
    m_changeMenu = pmPaymentWays->addMenu(_("Zahlungsweg aendern"));
    m_changeMenu->setObjectName(QStringLiteral("miPwChange"));
    AddTaggedAction(m_changeMenu, "miPwToUeberweisung", _("Ueberweisung"), pwcToUeberweisung);
    AddTaggedAction(m_changeMenu, "miPwToEuropaueberweisung", _("Europaueberweisung"), pwcToEuropa);
    AddTaggedAction(m_changeMenu, "miPwToLastschrift", _("Lastschrift"), pwcToLastschrift);
    m_editWay = AddTaggedAction(pmPaymentWays, "miPwEdit", _("Bearbeiten"), pwcEdit);
    AddTaggedAction(pmPaymentWays, "miPwDelete", _("Loeschen"), pwcDelete);
    pmPaymentWays->addSeparator();
    AddTaggedAction(pmPaymentWays, "miPwUp", _("Nach oben"), pwcUp);
    AddTaggedAction(pmPaymentWays, "miPwDown", _("Nach unten"), pwcDown);
    AttachPaneMenu(
        vstPaymentWays, pmPaymentWays, this, [this](int tag) { PaymentWayCommand(tag); }, pwcEdit);
    connect(pmPaymentWays, &QMenu::aboutToShow, this, &TZusaetzlichFrame::preparePaymentWayMenu);
    return box;
}

QWidget* TZusaetzlichFrame::buildTerms() {
    auto* box = new QGroupBox(_("Zahlungsbedingungen"), this);
    auto* layout = new QVBoxLayout(box);
    lbZahlbed = new QListWidget(box);
    lbZahlbed->setObjectName(QStringLiteral("lbZahlbed"));
    lbZahlbed->setItemDelegate(new TTermDelegate(lbZahlbed));
    lbZahlbed->viewport()->setCursor(Qt::PointingHandCursor);
    layout->addWidget(lbZahlbed);
    pmZahlbed = new QMenu(this);
    pmZahlbed->setObjectName(QStringLiteral("pmZahlbed"));
    AddTaggedAction(pmZahlbed, "miZbAdd", _("Hinzufuegen"), ptcAdd);
    AddTaggedAction(pmZahlbed, "miZbEdit", _("Bearbeiten"), ptcEdit);
    AddTaggedAction(pmZahlbed, "miZbDelete", _("Loeschen"), ptcDelete);
    AttachPaneMenu(
        lbZahlbed, pmZahlbed, this, [this](int tag) { TermCommand(tag); }, ptcEdit);
    connect(pmZahlbed, &QMenu::aboutToShow, this, [this] {
        for (QAction* action : pmZahlbed->actions()) action->setEnabled(editable());
    });
    return box;
}

QWidget* TZusaetzlichFrame::buildFields() {
    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    cbAlarm = new QCheckBox(_("Alarm"), panel);
    cbAlarm->setObjectName(QStringLiteral("cbAlarm"));
    layout->addWidget(cbAlarm);
    mAlarmInfo = new QPlainTextEdit(panel);
    mAlarmInfo->setObjectName(QStringLiteral("mAlarmInfo"));
    layout->addWidget(mAlarmInfo);
    auto* zahlLabel = new QLabel(_("Spezielle Zahlungsinformationen"), panel);
    layout->addWidget(zahlLabel);
    mmZahlInfo = new QPlainTextEdit(panel);
    mmZahlInfo->setObjectName(QStringLiteral("mmZahlInfo"));
    mmZahlInfo->setLineWrapMode(QPlainTextEdit::NoWrap);
    zahlLabel->setBuddy(mmZahlInfo);
    layout->addWidget(mmZahlInfo);

    auto* form = new QFormLayout();
    const auto edit = [&](const char* name, const QString& caption) {
        auto* field = new QLineEdit(panel);
        field->setObjectName(QString::fromLatin1(name));
        form->addRow(caption, field);
        connect(field, &QLineEdit::textChanged, this, &TZusaetzlichFrame::writeFields);
        return field;
    };
    const auto combo = [&](const char* name, const QString& caption, const QStringList& items) {
        auto* field = new QComboBox(panel);
        field->setObjectName(QString::fromLatin1(name));
        field->addItems(items);
        form->addRow(caption, field);
        connect(field, &QComboBox::currentIndexChanged, this, &TZusaetzlichFrame::writeFields);
        return field;
    };
    edAdrWeiterl = edit("edAdrWeiterl", _("Adress-Weiterleitung"));
    edUStIDNr = edit("edUStIDNr", _("Umsatzsteuer-ID"));
    connect(edUStIDNr, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (text == text.toUpper()) return;
        const int cursor = edUStIDNr->cursorPosition();
        edUStIDNr->setText(text.toUpper());
        edUStIDNr->setCursorPosition(cursor);
    });
    cbmwsta = combo("cbmwsta", _("MwSt-Ausweisung"),
                    {_("zuzuegl. MwSt."), _("incl. MwSt."), _("Steuerfrei")});
    cbSprache = combo("cbSprache", _("Sprache"), {});
    cbSprache->setMaxVisibleItems(20);
    QStringList languages;
    FillLanguageList(languages);
    for (const QString& language : languages)
        cbSprache->addItem(language.section(QLatin1Char('='), 1),
                           language.section(QLatin1Char('='), 0, 0));
    cbMahn = combo("cbMahn", _("Mahntyp"), {_("Automatisch"), _("Manuell"), _("Nicht mahnen")});
    edSteuerNr = edit("edSteuerNr", _("Steuer-Nr."));
    layout->addLayout(form);

    connect(cbAlarm, &QCheckBox::clicked, this, &TZusaetzlichFrame::writeFields);
    connect(mAlarmInfo, &QPlainTextEdit::textChanged, this, &TZusaetzlichFrame::writeFields);
    connect(mmZahlInfo, &QPlainTextEdit::textChanged, this, &TZusaetzlichFrame::writeFields);
    return panel;
}

void TZusaetzlichFrame::setConfig(const TAddressConfig* config) {
    const QString text = cbKennzeichen->currentText();
    cbKennzeichen->clear();
    if (config) cbKennzeichen->addItems(config->AdressKz);
    cbKennzeichen->setEditText(text);
}

void TZusaetzlichFrame::setReadOnly(bool readOnly) {
    m_readOnly = readOnly;
    for (QWidget* widget :
         std::initializer_list<QWidget*>{btKzAdd, btKzDelete, btKzUp, btKzDown, cbKennzeichen,
                                         cbAlarm, cbmwsta, cbSprache, cbMahn})
        widget->setEnabled(!readOnly);
    for (QLineEdit* field : {edAdrWeiterl, edUStIDNr, edSteuerNr}) field->setReadOnly(readOnly);
    for (QPlainTextEdit* memo : {mAlarmInfo, mmZahlInfo}) memo->setReadOnly(readOnly);
}

bool TZusaetzlichFrame::editable() const {
    return m_record && !m_record->Id.isEmpty() && !m_readOnly;
}

void TZusaetzlichFrame::changed() {
    Q_EMIT modified();
}

void TZusaetzlichFrame::setRecord(TCustomerAddress* record) {
    m_loading = true;
    m_record = record;
    const TCustomerAddress empty;
    const TCustomerAddress& shown = record ? *record : empty;
    cbAlarm->setChecked(shown.Alarm);
    mAlarmInfo->setPlainText(shown.AlarmText);
    mmZahlInfo->setPlainText(shown.ZInfo);
    edAdrWeiterl->setText(shown.IdWeiterl);
    edUStIDNr->setText(shown.UstIdNr);
    edSteuerNr->setText(shown.StNr);
    cbmwsta->setCurrentIndex(record ? shown.MwStAusw : -1);
    cbMahn->setCurrentIndex(record ? shown.MahnTyp : -1);
    cbSprache->setCurrentIndex(record ? cbSprache->findData(shown.Sprache) : -1);
    showFlags(-1);
    showPaymentWays(-1);
    showTerms(-1);
    m_loading = false;
}

void TZusaetzlichFrame::writeFields() {
    if (m_loading || !m_record) return;
    m_record->Alarm = cbAlarm->isChecked();
    m_record->AlarmText = mAlarmInfo->toPlainText();
    m_record->ZInfo = RemoveTrailingBlanks(mmZahlInfo->toPlainText());
    m_record->IdWeiterl = edAdrWeiterl->text().trimmed();
    m_record->UstIdNr = edUStIDNr->text().trimmed();
    m_record->StNr = edSteuerNr->text().trimmed();
    // An index of -1 is nothing the user chose: the value stays.
    if (cbmwsta->currentIndex() >= 0) m_record->MwStAusw = cbmwsta->currentIndex();
    if (cbMahn->currentIndex() >= 0) m_record->MahnTyp = cbMahn->currentIndex();
    if (cbSprache->currentIndex() >= 0) m_record->Sprache = cbSprache->currentData().toString();
    changed();
}

// Flags

void TZusaetzlichFrame::showFlags(int selected) {
    lbCharact->clear();
    if (m_record) lbCharact->addItems(m_record->Kennzeichen);
    if (selected >= 0) lbCharact->setCurrentRow(selected);
}

void TZusaetzlichFrame::AddFlag() {
    const QString text = cbKennzeichen->currentText().trimmed();
    cbKennzeichen->setEditText(text);
    if (!editable()) return;
    int index = int(m_record->Kennzeichen.indexOf(text));
    if (!text.isEmpty() && index < 0) {
        m_record->Kennzeichen.append(text);
        index = int(m_record->Kennzeichen.size()) - 1;
        showFlags(index);
        changed();
    }
    lbCharact->setCurrentRow(index);
}

void TZusaetzlichFrame::DeleteFlag() {
    const int index = lbCharact->currentRow();
    if (!editable() || index < 0 || index >= m_record->Kennzeichen.size()) return;
    m_record->Kennzeichen.removeAt(index);
    showFlags(-1);
    changed();
}

void TZusaetzlichFrame::MoveFlag(int delta) {
    const int index = lbCharact->currentRow();
    const int other = index + delta;
    if (!editable() || index < 0 || other < 0 || other >= m_record->Kennzeichen.size()) return;
    m_record->Kennzeichen.swapItemsAt(index, other);
    showFlags(other);
    changed();
}

// Payment ways

QString TZusaetzlichFrame::PaymentWayText(const TPaymentWay& way) {
    QString text = TPaymentWay::KindName(way.PayWay);
    if (!way.Comm.isEmpty()) text += QStringLiteral(" - ") + way.Comm;
    return text;
}

QString TZusaetzlichFrame::BankText(const TPaymentWay& way) {
    QString text = _("BLZ") + QStringLiteral(": ") + way.BCode;
    text += way.Inst.isEmpty() ? QStringLiteral(" ") : QStringLiteral(" (") + way.Inst + ") ";
    text += _("Konto") + QStringLiteral(": ") + way.Acc;
    if (!way.Iban.isEmpty()) text += QLatin1Char(' ') + _("IBAN") + QStringLiteral(": ") + way.Iban;
    if (!way.Bic.isEmpty()) text += QLatin1Char(' ') + _("BIC") + QStringLiteral(": ") + way.Bic;
    return text;
}

void TZusaetzlichFrame::initPaymentWayNode(QTreeWidgetItem* item, const TPaymentWay& way) {
    const QString text = PaymentWayText(way);
    item->setText(0, text);
    item->setToolTip(0, text);
    qDeleteAll(item->takeChildren());
    if (way.HasBankData()) {
        auto* bank = new QTreeWidgetItem(item);
        bank->setText(0, BankText(way));
        bank->setToolTip(0, bank->text(0));
        item->setExpanded(true);
    }
}

void TZusaetzlichFrame::showPaymentWays(int selected) {
    vstPaymentWays->clear();
    if (!m_record) return;
    for (const auto& way : m_record->PaymentWays)
        initPaymentWayNode(new QTreeWidgetItem(vstPaymentWays), *way);
    if (selected >= 0) vstPaymentWays->setCurrentItem(vstPaymentWays->topLevelItem(selected));
}

int TZusaetzlichFrame::selectedPaymentWay() const {
    QTreeWidgetItem* item = vstPaymentWays->currentItem();
    if (!m_record || !item) return -1;
    while (item->parent()) item = item->parent();
    const int index = vstPaymentWays->indexOfTopLevelItem(item);
    return index < m_record->PaymentWays.Count() ? index : -1;
}

void TZusaetzlichFrame::preparePaymentWayMenu() {
    const int index = selectedPaymentWay();
    const int kind = index < 0 ? 0 : m_record->PaymentWays.Items(index)->PayWay;
    const bool bank = kind >= TPaymentWay::pwUeberweisung && kind <= TPaymentWay::pwLastschrift;
    for (QAction* action : pmPaymentWays->actions()) action->setEnabled(editable());
    m_changeMenu->menuAction()->setEnabled(editable() && bank);
    m_editWay->setEnabled(editable() && bank);
}

void TZusaetzlichFrame::PaymentWayCommand(int tag) {
    if (!editable()) return;
    TPaymentWayObjectList& list = m_record->PaymentWays;
    const int index = selectedPaymentWay();
    int selected = index;
    switch (tag) {
        case pwcAddBar:
        case pwcAddScheck:
        case pwcAddVorkasse:
        case pwcAddNachnahme: {
            static const QHash<int, int> kinds{{pwcAddBar, TPaymentWay::pwBar},
                                               {pwcAddScheck, TPaymentWay::pwScheck},
                                               {pwcAddVorkasse, TPaymentWay::pwVorkasse},
                                               {pwcAddNachnahme, TPaymentWay::pwNachnahme}};
            list.Add()->PayWay = quint8(kinds.value(tag));
            selected = list.Count() - 1;
            break;
        }
        case pwcAddUeberweisung:
        case pwcAddEuropa:
        case pwcAddLastschrift: {
            auto way = std::make_unique<TPaymentWay>();
            way->PayWay = quint8(TPaymentWay::pwUeberweisung + tag - pwcAddUeberweisung);
            if (!TKWP00207Form4::Execute(*way, this)) return;
            list.Add(std::move(way));
            selected = list.Count() - 1;
            break;
        }
        case pwcToUeberweisung:
        case pwcToEuropa:
        case pwcToLastschrift: {
            if (index < 0) return;
            TPaymentWay* way = list.Items(index);
            if (way->PayWay < TPaymentWay::pwUeberweisung ||
                way->PayWay > TPaymentWay::pwLastschrift)
                return;
            way->PayWay = quint8(TPaymentWay::pwUeberweisung + tag - pwcToUeberweisung);
            initPaymentWayNode(vstPaymentWays->topLevelItem(index), *way);
            changed();
            return;
        }
        case pwcEdit: {
            if (index < 0) return;
            TPaymentWay* way = list.Items(index);
            if (way->PayWay < TPaymentWay::pwUeberweisung ||
                way->PayWay > TPaymentWay::pwLastschrift || !TKWP00207Form4::Execute(*way, this))
                return;
            initPaymentWayNode(vstPaymentWays->topLevelItem(index), *way);
            changed();
            return;
        }
        case pwcDelete:
            if (index < 0) return;
            list.Delete(index);
            selected = qMin(index, list.Count() - 1);
            break;
        case pwcUp:
        case pwcDown:
            selected = MoveItem(list, index, tag == pwcUp);
            if (selected < 0) return;
            break;
        default:
            return;
    }
    showPaymentWays(selected);
    changed();
}

// Payment terms

void TZusaetzlichFrame::showTerms(int selected) {
    lbZahlbed->clear();
    if (!m_record) return;
    for (const auto& term : m_record->PaymentTerms) lbZahlbed->addItem(term->GetText());
    if (selected >= 0) lbZahlbed->setCurrentRow(selected);
}

void TZusaetzlichFrame::TermCommand(int tag) {
    if (!editable()) return;
    TPaymentTermObjectList& list = m_record->PaymentTerms;
    const int index = lbZahlbed->currentRow() < list.Count() ? lbZahlbed->currentRow() : -1;
    const QString exists = _("Die Zahlungsbedingung existiert bereits.");
    switch (tag) {
        case ptcAdd: {
            auto term = std::make_unique<TPaymentTerm>();
            if (!TKWP00207Form5::Execute(*term, this)) return;
            if (list.CountDays(term->Days) > 0 || list.CountPerc(term->Perc) > 0) {
                ShowMessageDlg(exists, mtError, mbOKOnly);
                return;
            }
            showTerms(list.AddSorted(std::move(term)));
            break;
        }
        case ptcEdit: {
            if (index < 0) return;
            TPaymentTerm* term = list.Items(index);
            const double perc = term->Perc;
            const int days = term->Days;
            if (!TKWP00207Form5::Execute(*term, this)) return;
            if (list.CountDays(term->Days) > 1 || list.CountPerc(term->Perc) > 1) {
                term->Perc = perc;
                term->Days = days;
                ShowMessageDlg(exists, mtError, mbOKOnly);
            }
            // A changed percentage moves the term to its place.
            showTerms(list.AddSorted(list.Extract(index)));
            break;
        }
        case ptcDelete:
            if (index < 0) return;
            list.Delete(index);
            showTerms(-1);
            break;
        default:
            return;
    }
    changed();
}
