#include "ui/widgets/kwp00207form3.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>

#include "address/addressconfig.h"
#include "address/customeranschrift.h"
#include "addressdb/zipcodes.h"
#include "app/dialogs.h"
#include "app/format.h"
#include "app/translation.h"
#include "app/widgets/loadformstate.h"
#include "ui/widgets/dialogparts.h"
#include "ui/widgets/hourglass.h"

namespace {
constexpr int form3NarrowWidth = 320;
constexpr int form3WideWidth = 700;

QLineEdit* form3AddField(QGridLayout* grid, QWidget* parent, const QString& caption,
                         const char* objectName, int maxLength) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(objectName));
    edit->setMaxLength(maxLength);
    auto* label = new QLabel(caption, parent);
    label->setBuddy(edit);
    const int row = grid->rowCount();
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    return edit;
}

// A hit is "postcode;town".
QString form3HitZip(const QString& hit) {
    return hit.section(QLatin1Char(';'), 0, 0).trimmed();
}
QString form3HitTown(const QString& hit) {
    return hit.section(QLatin1Char(';'), 1).trimmed();
}
}  // namespace

TKWP00207Form3::TKWP00207Form3(const QString& kinds, const TAddressConfig* config, QWidget* parent,
                               const QString& etcDir)
    : QDialog(parent),
      m_lookup(config && config->SearchPlz),
      m_zipCodes(std::make_unique<TDBZIPCodes>(etcDir)) {
    setObjectName(QStringLiteral("KWP00207Form3"));
    setWindowTitle(QStringLiteral("[0207 - 03] - ") + _("Anschrift bearbeiten"));

    auto* fields = new QWidget(this);
    auto* grid = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        const QByteArray name = "edName" + QByteArray::number(i + 1);
        m_name[i] =
            form3AddField(grid, fields, FormatStr(_("Name %d"), {i + 1}), name.constData(), 255);
    }
    m_strasse = form3AddField(grid, fields, _("Strasse"), "edStrasse", 255);
    m_land = form3AddField(grid, fields, _("Land"), "edLand", 255);
    m_plz = form3AddField(grid, fields, _("PLZ"), "edPlz", 40);
    m_ort = form3AddField(grid, fields, _("Ort"), "edOrt", 255);
    m_kind = new QComboBox(fields);
    m_kind->setObjectName(QStringLiteral("cbAArt"));
    auto* kindLabel = new QLabel(_("Anschriftart"), fields);
    kindLabel->setBuddy(m_kind);
    grid->addWidget(kindLabel, grid->rowCount(), 0);
    grid->addWidget(m_kind, grid->rowCount() - 1, 1);

    m_hint = new QLabel(_("Geben Sie das Laenderkuerzel ein, um automatisch nach Ort und "
                          "Postleitzahl suchen zu lassen."),
                        fields);
    m_hint->setObjectName(QStringLiteral("pnHint"));
    m_hint->setWordWrap(true);
    m_hint->setFrameShape(QFrame::StyledPanel);
    m_hint->hide();

    m_save = new QPushButton(_("Merken"), fields);
    m_save->setObjectName(QStringLiteral("btSaveZip"));
    m_save->setToolTip(_("PLZ und Ort fuer die Zukunft speichern"));
    m_save->setVisible(m_lookup);
    QHBoxLayout* buttons = OkCancelRow(this);
    buttons->insertWidget(0, m_save);
    m_ok = findChild<QPushButton*>(QStringLiteral("btOK"));
    auto* cancel = findChild<QPushButton*>(QStringLiteral("btCancel"));
    // Enter on the last field moves to "OK".
    setTabOrder(m_kind, m_ok);
    setTabOrder(m_ok, cancel);

    auto* left = new QVBoxLayout(fields);
    left->setContentsMargins(0, 0, 0, 0);
    left->addLayout(grid);
    left->addWidget(m_hint);
    left->addStretch();
    left->addLayout(buttons);

    m_hitPanel = new QWidget(this);
    m_hits = new QTreeWidget(m_hitPanel);
    m_hits->setObjectName(QStringLiteral("lvZip"));
    m_hits->setRootIsDecorated(false);
    m_hits->setHeaderLabels({_("Postleitzahl"), _("Ort")});
    // The header's text is not cut, whatever the language.
    m_hits->setColumnWidth(0, qMax(70, m_hits->header()->sectionSizeHint(0)));
    m_hits->setColumnWidth(1, 240);
    m_take = new QPushButton(_("Uebernehmen"), m_hitPanel);
    m_take->setObjectName(QStringLiteral("btTakeZip"));
    auto* right = new QVBoxLayout(m_hitPanel);
    right->setContentsMargins(0, 0, 0, 0);
    right->addWidget(m_hits);
    right->addWidget(m_take, 0, Qt::AlignRight);
    m_hitPanel->hide();

    auto* layout = new QHBoxLayout(this);
    // Widened, the fields keep about their width and the list takes the rest.
    layout->addWidget(fields, 1);
    layout->addWidget(m_hitPanel, 1);

    connect(m_take, &QPushButton::clicked, this, &TKWP00207Form3::TakeHit);
    connect(m_hits, &QTreeWidget::itemDoubleClicked, this, &TKWP00207Form3::TakeHit);
    connect(m_save, &QPushButton::clicked, this, &TKWP00207Form3::SaveForFuture);
    connect(m_land, &QLineEdit::textEdited, this, [this](const QString& text) {
        const int cursor = m_land->cursorPosition();
        m_land->setText(text.toUpper());
        m_land->setCursorPosition(cursor);
    });
    for (QWidget* control : {static_cast<QWidget*>(m_name[0]), static_cast<QWidget*>(m_name[1]),
                             static_cast<QWidget*>(m_name[2]), static_cast<QWidget*>(m_name[3]),
                             static_cast<QWidget*>(m_strasse), static_cast<QWidget*>(m_land),
                             static_cast<QWidget*>(m_plz), static_cast<QWidget*>(m_ort),
                             static_cast<QWidget*>(m_kind), static_cast<QWidget*>(m_hits)})
        control->installEventFilter(this);

    resize(qMax(form3NarrowWidth, minimumSizeHint().width()), sizeHint().height());
    LoadFormState(this, TFormRole::Other);
    // Filled after the translation: the kinds are the user's own words.
    m_kind->addItem(QString());
    for (const QString& kind : kinds.split(QLatin1Char(','), Qt::SkipEmptyParts))
        if (!kind.trimmed().isEmpty()) m_kind->addItem(kind.trimmed());
}

TKWP00207Form3::~TKWP00207Form3() = default;

void TKWP00207Form3::LoadAnschrift(const TCustomerAnschrift& anschrift) {
    const QString names[4] = {anschrift.Name1, anschrift.Name2, anschrift.Name3, anschrift.Name4};
    for (int i = 0; i < 4; ++i) m_name[i]->setText(names[i]);
    m_strasse->setText(anschrift.Strasse);
    m_land->setText(anschrift.Land.toUpper());
    m_plz->setText(anschrift.Plz);
    m_ort->setText(anschrift.Ort);
    int index = m_kind->findText(anschrift.AArt);
    // A kind no longer configured stays offered, so confirming does not drop it.
    if (index < 0 && !anschrift.AArt.isEmpty()) {
        m_kind->addItem(anschrift.AArt);
        index = m_kind->count() - 1;
    }
    m_kind->setCurrentIndex(qMax(index, 0));
}

void TKWP00207Form3::StoreAnschrift(TCustomerAnschrift& anschrift) const {
    anschrift.Name1 = m_name[0]->text().trimmed();
    anschrift.Name2 = m_name[1]->text().trimmed();
    anschrift.Name3 = m_name[2]->text().trimmed();
    anschrift.Name4 = m_name[3]->text().trimmed();
    anschrift.Strasse = m_strasse->text().trimmed();
    anschrift.Land = m_land->text().trimmed();
    anschrift.Plz = m_plz->text().trimmed();
    anschrift.Ort = m_ort->text().trimmed();
    anschrift.AArt = m_kind->currentText();
}

bool TKWP00207Form3::Execute(TCustomerAnschrift& anschrift, const QString& kinds,
                             const TAddressConfig* config, QWidget* parent) {
    TKWP00207Form3 dialog(kinds, config, parent);
    dialog.LoadAnschrift(anschrift);
    if (dialog.exec() != QDialog::Accepted) return false;
    dialog.StoreAnschrift(anschrift);
    return true;
}

void TKWP00207Form3::fitHeight() {
    layout()->activate();
    resize(width(), qMax(sizeHint().height(), minimumSizeHint().height()));
}

void TKWP00207Form3::showHint(bool shown) {
    if (m_hint->isVisible() == shown) return;
    m_hint->setVisible(shown);
    fitHeight();
}

void TKWP00207Form3::hideHits() {
    m_hits->clear();
    if (m_hitPanel->isHidden()) return;
    m_hitPanel->hide();
    layout()->activate();
    resize(qMax(form3NarrowWidth, minimumSizeHint().width()), height());
}

void TKWP00207Form3::showHits(const QStringList& hits) {
    m_hits->clear();
    for (const QString& hit : hits) {
        auto* item = new QTreeWidgetItem(m_hits, {form3HitZip(hit), form3HitTown(hit)});
        item->setData(0, Qt::UserRole, hit);
    }
    m_hits->setCurrentItem(m_hits->topLevelItem(0));
    m_hitPanel->show();
    layout()->activate();
    resize(qMax(form3WideWidth, minimumSizeHint().width()), height());
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        move(area.left() + (area.width() - width()) / 2, y());
    }
    // Focus moves once the field that is being left has let go of it.
    QTimer::singleShot(0, m_hits, [this] { m_hits->setFocus(Qt::OtherFocusReason); });
}

void TKWP00207Form3::LandExit() {
    if (!m_lookup) return;
    m_land->setText(m_land->text().trimmed());
    hideHits();
    showHint(m_land->text().isEmpty());
}

void TKWP00207Form3::PlzExit() {
    if (!m_lookup || m_plz->text().trimmed().isEmpty()) return;
    if (m_land->text().trimmed().isEmpty()) {
        showHint(true);
        return;
    }
    QStringList hits;
    {
        const THourglass hourglass;
        m_zipCodes->FindByZip(m_plz->text(), m_land->text(), hits);
    }
    if (hits.size() == 1) {
        m_ort->setText(form3HitTown(hits.constFirst()));
        hideHits();
    } else if (hits.size() > 1) {
        showHits(hits);
    }
}

void TKWP00207Form3::OrtExit() {
    if (!m_lookup || m_ort->text().trimmed().isEmpty() || !m_plz->text().trimmed().isEmpty())
        return;
    if (m_land->text().trimmed().isEmpty()) {
        showHint(true);
        return;
    }
    QStringList hits;
    {
        const THourglass hourglass;
        m_zipCodes->FindByCity(m_ort->text(), m_land->text(), hits);
    }
    if (!hits.isEmpty()) showHits(hits);
}

void TKWP00207Form3::TakeHit() {
    const QTreeWidgetItem* item = m_hits->currentItem();
    if (!item) return;
    const QString hit = item->data(0, Qt::UserRole).toString();
    m_plz->setText(form3HitZip(hit));
    m_ort->setText(form3HitTown(hit));
}

bool TKWP00207Form3::refuse(const QString& text, QLineEdit* field) {
    ShowMessageDlg(text, mtError, mbOK);
    field->setFocus();
    return false;
}

void TKWP00207Form3::SaveForFuture() {
    const QString land = m_land->text().trimmed();
    const QString plz = m_plz->text().trimmed();
    const QString ort = m_ort->text().trimmed();
    if (ort.isEmpty()) {
        refuse(_("Sie muessen einen Ort eingeben!"), m_ort);
        return;
    }
    if (land.isEmpty()) {
        refuse(_("Sie muessen ein Land eingeben!"), m_land);
        return;
    }
    const QString upper = land.toUpper();
    if (upper != QLatin1String("D") && upper != QLatin1String("A") &&
        upper != QLatin1String("CH")) {
        refuse(_("Dieses Laenderkuerzel wird nicht unterstuetzt!"), m_land);
        return;
    }
    if (plz.isEmpty()) {
        refuse(_("Sie muessen eine Postleitzahl eingeben!"), m_plz);
        return;
    }
    if (ShowMessageDlgFmt(_("Moechten Sie \"%s\" fuer die Zukunft speichern?"),
                          {land + QStringLiteral(" - ") + plz + QLatin1Char(' ') + ort},
                          mtConfirmation, mbYesNo) == mrYes)
        m_zipCodes->AddUserEntry(land, ort, plz);
}

bool TKWP00207Form3::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        // Only a move to another control of the dialog counts as leaving the field.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (watched == m_land)
                LandExit();
            else if (watched == m_plz)
                PlzExit();
            else if (watched == m_ort)
                OrtExit();
        }
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == m_hits)
                TakeHit();
            else
                focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
