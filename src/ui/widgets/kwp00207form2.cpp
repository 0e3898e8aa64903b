#include "ui/widgets/kwp00207form2.h"

#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStringConverter>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include "address/contacttypes.h"
#include "address/customeranschrift.h"
#include "address/customercontact.h"
#include "app/atomicfile.h"
#include "app/dialogs.h"
#include "app/errorreport.h"
#include "app/inifile.h"
#include "app/systemeinstellungen.h"
#include "app/translation.h"
#include "app/widgets/loadformstate.h"
#include "ui/widgets/dialogparts.h"
#include "ui/widgets/editstringlist.h"

namespace {
// The kinds the grid offers, in the order of its drop-down list.
constexpr int kGridKinds[] = {cdtTelefon, cdtFax, cdtEmail, cdtInternet, cdtDatum, cdtSonstiges};
constexpr int kKindRole = Qt::UserRole;

int kindOfName(const QString& name) {
    for (const int kind : kGridKinds)
        if (ContactTypeName(kind) == name) return kind;
    return cdtSonstiges;
}

// "Typ" is chosen from a list; the other cells take the trimmed text.
class TChannelDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        if (index.column() != 0) return QStyledItemDelegate::createEditor(parent, option, index);
        auto* combo = new QComboBox(parent);
        combo->setObjectName(QStringLiteral("cbType"));
        for (const int kind : kGridKinds) combo->addItem(ContactTypeName(kind));
        combo->view()->setMinimumWidth(150);
        return combo;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (auto* combo = qobject_cast<QComboBox*>(editor))
            combo->setCurrentText(index.data().toString());
        else
            QStyledItemDelegate::setEditorData(editor, index);
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            model->setData(index, combo->currentText());
            model->setData(index, kindOfName(combo->currentText()), kKindRole);
        } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
            model->setData(index, edit->text().trimmed());
        }
    }
};

QString anschriftEntry(const TCustomerAnschrift& a) {
    QStringList parts;
    for (const QString& part :
         {a.Name1, a.Name2, a.Strasse, QString(a.Plz + QLatin1Char(' ') + a.Ort)})
        if (!part.trimmed().isEmpty()) parts.append(part.trimmed());
    return a.Id + QLatin1Char(' ') + parts.join(QStringLiteral(", "));
}

QComboBox* combo(bool editable, const char* name, QWidget* parent) {
    auto* c = new QComboBox(parent);
    c->setObjectName(QLatin1String(name));
    c->setEditable(editable);
    if (editable) c->setInsertPolicy(QComboBox::NoInsert);
    return c;
}

QLineEdit* edit(const char* name, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    return e;
}

QPushButton* button(const QString& text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}
}  // namespace

TKWP00207Form2::TKWP00207Form2(const TCustomerAnschriftObjectList& anschriften,
                               const QStringList& contactFlags, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("KWP00207Form2"));
    m_contact = combo(true, "cbKontakt", this);
    m_name = edit("edName", this);
    m_salutation = combo(true, "cbBriefanrede", this);
    auto* templates = button(_("Vorgaben bearbeiten"), "btVorgaben", this);
    m_extension = edit("edAnschrifterweiterung", this);
    m_anschrift = combo(false, "cbAnschrift", this);
    m_company = edit("edFirma", this);
    m_position = edit("edPosition", this);

    auto* fields = new QGridLayout;
    const std::pair<QString, QWidget*> rows[] = {
        {_("Kontakt"), m_contact},
        {_("Name"), m_name},
        {_("Briefanrede"), m_salutation},
        {_("Anschrifterweiterung"), m_extension},
        {_("Zugehoerige Anschrift"), m_anschrift},
        {_("Firma"), m_company},
        {_("Position"), m_position},
    };
    for (int row = 0; row < int(std::size(rows)); ++row) {
        auto* label = new QLabel(rows[row].first, this);
        label->setBuddy(rows[row].second);
        fields->addWidget(label, row, 0);
        fields->addWidget(rows[row].second, row, 1);
        m_enterOrder.append(rows[row].second);
        rows[row].second->installEventFilter(this);
        // An editable combo gets its keys through its line edit.
        if (auto* c = qobject_cast<QComboBox*>(rows[row].second); c && c->lineEdit())
            c->lineEdit()->installEventFilter(this);
    }
    fields->addWidget(templates, 2, 2);
    fields->setColumnStretch(1, 1);
    connect(templates, &QPushButton::clicked, this, &TKWP00207Form2::editSalutations);

    auto* box = new QGroupBox(_("Weitere Daten - Telefon, FAX, E-Mail..."), this);
    box->setObjectName(QStringLiteral("gbData"));
    m_grid = new QTableWidget(0, 4, box);
    m_grid->setObjectName(QStringLiteral("sgData"));
    m_grid->setHorizontalHeaderLabels({_("Typ"), _("Bezeichnung"), _("Wert"), _("Kennzeichen")});
    int column = 0;
    for (const int width : {90, 115, 120, 105}) m_grid->setColumnWidth(column++, width);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->verticalHeader()->hide();
    m_grid->setWordWrap(false);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setItemDelegate(new TChannelDelegate(m_grid));
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    auto* add = button(_("Hinzufuegen"), "btAdd", box);
    auto* remove = button(_("Loeschen"), "btDelete", box);
    auto* up = button(_("Nach oben"), "btUp", box);
    auto* down = button(_("Nach unten"), "btDown", box);
    connect(add, &QPushButton::clicked, this, &TKWP00207Form2::addChannel);
    connect(remove, &QPushButton::clicked, this, &TKWP00207Form2::deleteChannel);
    connect(up, &QPushButton::clicked, this, [this] { moveChannel(-1); });
    connect(down, &QPushButton::clicked, this, [this] { moveChannel(1); });
    auto* side = new QVBoxLayout;
    for (QPushButton* b : {add, remove, up, down}) side->addWidget(b);
    side->addStretch();
    auto* boxLayout = new QHBoxLayout(box);
    boxLayout->addWidget(m_grid, 1);
    boxLayout->addLayout(side);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(box, 1);
    layout->addLayout(OkCancelRow(this));
    m_ok = findChild<QPushButton*>(QStringLiteral("btOK"));
    resize(720, 520);
    LoadFormState(this, TFormRole::Other);

    // Choice lists are data and come after window translation.
    m_contact->addItems(contactFlags);
    m_salutation->addItems(LoadSalutations(SalutationsFile()));
    m_anschrift->addItem(QString());
    for (const auto& a : anschriften) m_anschrift->addItem(anschriftEntry(*a));
    m_contact->setFocus();
}

bool TKWP00207Form2::Execute(TCustomerContact& contact,
                             const TCustomerAnschriftObjectList& anschriften,
                             const QStringList& contactFlags, QWidget* parent) {
    TKWP00207Form2 dialog(anschriften, contactFlags, parent);
    dialog.load(contact);
    if (dialog.exec() != QDialog::Accepted) return false;
    dialog.store(contact);
    return true;
}

void TKWP00207Form2::load(const TCustomerContact& contact) {
    setWindowTitle(QStringLiteral("[0207 - 02] - ") + _("Kontakt bearbeiten") +
                   QStringLiteral(" - ") + contact.Name);
    m_contact->setCurrentText(contact.Name);
    for (QLineEdit* e : {m_name, m_extension, m_company, m_position}) e->clear();
    m_salutation->setCurrentText(QString());
    m_anschrift->setCurrentIndex(0);
    m_grid->setRowCount(0);
    // Kinds 6 to 11 have fields of their own; the first of each kind is shown.
    QList<int> taken;
    for (const auto& data : contact.Data) {
        const int kind = data->CdType;
        if (kind >= cdtBriefanrede && kind <= cdtZugehoerigeAnschrift) {
            if (taken.contains(kind)) continue;
            taken.append(kind);
            switch (kind) {
                case cdtBriefanrede:
                    m_salutation->setCurrentText(data->CdValue);
                    break;
                case cdtFirma:
                    m_company->setText(data->CdValue);
                    break;
                case cdtPosition:
                    m_position->setText(data->CdValue);
                    break;
                case cdtName:
                    m_name->setText(data->CdValue);
                    break;
                case cdtAnschriftErweiterung:
                    m_extension->setText(data->CdValue);
                    break;
                default:
                    for (int i = 1; i < m_anschrift->count(); ++i) {
                        if (!data->CdValue.isEmpty() &&
                            m_anschrift->itemText(i).startsWith(data->CdValue)) {
                            m_anschrift->setCurrentIndex(i);
                            break;
                        }
                    }
            }
            continue;
        }
        const int row = m_grid->rowCount();
        m_grid->insertRow(row);
        auto* type = new QTableWidgetItem(ContactTypeName(kind));
        type->setData(kKindRole, kind);
        m_grid->setItem(row, 0, type);
        m_grid->setItem(row, 1, new QTableWidgetItem(data->CdName));
        m_grid->setItem(row, 2, new QTableWidgetItem(data->CdValue));
        m_grid->setItem(row, 3, new QTableWidgetItem(data->CdCaract));
    }
    if (m_grid->rowCount() > 0) m_grid->setCurrentCell(0, 0);
    // The kind names of other languages and fonts may need more than the usual width.
    m_grid->resizeColumnToContents(0);
    m_grid->setColumnWidth(0, qMax(90, m_grid->columnWidth(0)));
}

void TKWP00207Form2::store(TCustomerContact& contact) const {
    contact.Name = m_contact->currentText().trimmed();
    TCustomerContactDataObjectList data;
    const auto cell = [this](int row, int column) {
        const QTableWidgetItem* item = m_grid->item(row, column);
        return item ? item->text().trimmed() : QString();
    };
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        TCustomerContactData* channel = data.Add();
        const QTableWidgetItem* type = m_grid->item(row, 0);
        channel->CdType = quint8(type ? type->data(kKindRole).toInt() : cdtSonstiges);
        channel->CdName = cell(row, 1);
        channel->CdValue = cell(row, 2);
        channel->CdCaract = cell(row, 3);
    }
    const QString anschrift = m_anschrift->currentText();
    const std::pair<int, QString> front[] = {
        {cdtPosition, m_position->text().trimmed()},
        {cdtFirma, m_company->text().trimmed()},
        {cdtBriefanrede, m_salutation->currentText().trimmed()},
        {cdtName, m_name->text().trimmed()},
        {cdtAnschriftErweiterung, m_extension->text().trimmed()},
        {cdtZugehoerigeAnschrift, anschrift.size() >= 2 ? anschrift.left(2) : QString()},
    };
    for (const auto& [kind, value] : front) {
        if (value.isEmpty()) continue;
        TCustomerContactData* channel = data.Insert(0);
        channel->CdType = quint8(kind);
        channel->CdValue = value;
    }
    contact.Data.Assign(data);
}

QString TKWP00207Form2::SalutationsFile() {
    const TSystemEinstellungen* sys = SystemEinstellungen();
    return sys && !sys->EtcDir.isEmpty() ? sys->EtcDir + QStringLiteral("LETTERADDRESS.TEMPLATE")
                                         : QString();
}

QStringList TKWP00207Form2::LoadSalutations(const QString& fileName) {
    QFile file(fileName);
    if (fileName.isEmpty() || !file.open(QIODevice::ReadOnly)) return {};
    TIniEncoding encoding;
    const QString text = DecodeSuiteText(file.readAll(), encoding);
    QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
    return lines;
}

void TKWP00207Form2::SaveSalutations(const QString& fileName, const QStringList& salutations) {
    QString text;
    for (const QString& line : salutations) text += line + QStringLiteral("\r\n");
    QStringEncoder utf16(QStringConverter::Utf16LE, QStringEncoder::Flag::WriteBom);
    WriteFileAtomically(fileName, utf16(text));
}

bool TKWP00207Form2::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && qobject_cast<QComboBox*>(widget->parentWidget()))
            widget = widget->parentWidget();
        const int at = m_enterOrder.indexOf(widget);
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && at >= 0) {
            QWidget* next = at + 1 < m_enterOrder.size() ? m_enterOrder.at(at + 1) : m_ok;
            next->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TKWP00207Form2::addChannel() {
    const int row = m_grid->rowCount();
    m_grid->insertRow(row);
    auto* type = new QTableWidgetItem(ContactTypeName(cdtSonstiges));
    type->setData(kKindRole, int(cdtSonstiges));
    m_grid->setItem(row, 0, type);
    for (int column = 1; column < 4; ++column) m_grid->setItem(row, column, new QTableWidgetItem);
    m_grid->setCurrentCell(row, 0);
    m_grid->setFocus();
}

void TKWP00207Form2::deleteChannel() {
    const int row = m_grid->currentRow();
    if (row >= 0) m_grid->removeRow(row);
}

void TKWP00207Form2::moveChannel(int delta) {
    const int row = m_grid->currentRow();
    const int other = row + delta;
    if (row < 0 || other < 0 || other >= m_grid->rowCount()) return;
    for (int column = 0; column < m_grid->columnCount(); ++column) {
        QTableWidgetItem* a = m_grid->takeItem(row, column);
        QTableWidgetItem* b = m_grid->takeItem(other, column);
        m_grid->setItem(row, column, b);
        m_grid->setItem(other, column, a);
    }
    m_grid->setCurrentCell(other, m_grid->currentColumn());
}

void TKWP00207Form2::editSalutations() {
    QStringList list;
    for (int i = 0; i < m_salutation->count(); ++i) list.append(m_salutation->itemText(i));
    if (!TEditStringList::Execute(list, this)) return;
    try {
        SaveSalutations(SalutationsFile(), list);
    } catch (const EKwpError& e) {
        ShowMessageDlg(e.message(), mtError, mbOKOnly);
        return;
    }
    const QString current = m_salutation->currentText();
    m_salutation->clear();
    m_salutation->addItems(list);
    m_salutation->setCurrentText(current);
}
