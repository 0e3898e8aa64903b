#include "address/widgets/designeditframe.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/design/dsncontrols.h"
#include "app/design/dsnpanel.h"
#include "app/design/dsnregister.h"
#include "app/design/dsnstage.h"
#include "app/design/objectinspector.h"
#include "app/dialogs.h"
#include "app/format.h"
#include "app/translation.h"
#include "app/widgets/loadformstate.h"

namespace {

enum { colName, colType, colValue, colInfo };

// The memo editor of string lists: the lines and a button that hands them over.
class TStringsEditor : public QWidget {
public:
    explicit TStringsEditor(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("edStrings"));
        setAutoFillBackground(true);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(2);
        memo = new QPlainTextEdit(this);
        memo->setObjectName(QStringLiteral("meLines"));
        apply = new QPushButton(_("Uebernehmen"), this);
        apply->setObjectName(QStringLiteral("btApply"));
        layout->addWidget(memo);
        layout->addWidget(apply, 0, Qt::AlignRight);
        setFocusProxy(memo);
    }
    QPlainTextEdit* memo;
    QPushButton* apply;
};

// Edits the value column with the editor the property asks for.
class TInspectorDelegate : public QStyledItemDelegate {
public:
    TInspectorDelegate(TDesignEditFrame* frame, TMObjectInspector* inspector)
        : QStyledItemDelegate(frame), m_frame(frame), m_inspector(inspector) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        const QString name = propertyName(index);
        QStringList choices;
        const QString value = m_inspector->GetPropertyValue(name, choices);
        auto* self = const_cast<TInspectorDelegate*>(this);
        const int row = m_inspector->GetProperty(name);
        if (row >= 0 && m_inspector->Types.at(row) == QLatin1String("TStrings")) {
            auto* editor = new TStringsEditor(parent);
            editor->memo->setPlainText(value);
            connect(editor->apply, &QPushButton::clicked, self, [self, editor] {
                Q_EMIT self->commitData(editor);
                Q_EMIT self->closeEditor(editor);
            });
            return editor;
        }
        if (!choices.isEmpty()) {
            auto* editor = new QComboBox(parent);
            editor->setObjectName(QStringLiteral("cbValue"));
            editor->addItems(choices);
            editor->setCurrentIndex(int(choices.indexOf(value)));
            connect(editor, &QComboBox::activated, self, [self, editor] {
                Q_EMIT self->commitData(editor);
                Q_EMIT self->closeEditor(editor);
            });
            return editor;
        }
        auto* editor = new QLineEdit(parent);
        editor->setObjectName(QStringLiteral("edValue"));
        editor->setText(value);
        return editor;
    }

    void setEditorData(QWidget*, const QModelIndex&) const override {}

    void setModelData(QWidget* editor, QAbstractItemModel*,
                      const QModelIndex& index) const override {
        const QString name = propertyName(index);
        QStringList value;
        if (auto* strings = dynamic_cast<TStringsEditor*>(editor)) {
            const QString text = strings->memo->toPlainText();
            if (!text.isEmpty()) value = text.split(QLatin1Char('\n'));
        } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            // The cursor is handed over as the platform's number of the chosen shape.
            value << (name == QLatin1String("cursor")
                          ? QString::number(TMObjectInspector::CursorNumber(combo->currentText()))
                          : combo->currentText());
        } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
            value << edit->text();
        }
        m_frame->SetPropertyText(name, value);
    }

    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex&) const override {
        QRect rect = option.rect;
        // A list needs room for a few lines and its button.
        if (dynamic_cast<TStringsEditor*>(editor))
            rect.setHeight(std::max(rect.height() * 7, editor->sizeHint().height()));
        editor->setGeometry(rect);
    }

private:
    static QString propertyName(const QModelIndex& index) {
        return index.siblingAtColumn(colName).data().toString();
    }
    TDesignEditFrame* m_frame;
    TMObjectInspector* m_inspector;
};

// Upper-cases the name of the file, not the folders it lies in.
QString upperFileName(const QString& file) {
    const QFileInfo info(file);
    const QString dir = file.left(file.size() - info.fileName().size());
    return dir + info.fileName().toUpper();
}

}  // namespace

TDesignEditFrame::TDesignEditFrame(QWidget* parent)
    : QWidget(parent),
      m_inspector(new TMObjectInspector(this)),
      m_register(new TDsnRegister(this)),
      m_stage(new TDsnStage),
      m_objects(new QComboBox),
      m_tree(new QTreeWidget),
      m_owner(new QLabel) {
    setObjectName(QStringLiteral("DesignEditFrame"));
    auto* split = new QSplitter(Qt::Horizontal, this);
    split->setObjectName(QStringLiteral("spDesign"));
    split->setHandleWidth(3);
    split->setStyleSheet(QStringLiteral("QSplitter::handle { background: black; }"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(split);

    // Left: object box, inspector, owner.
    auto* left = new QWidget;
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->setSpacing(0);
    m_objects->setObjectName(QStringLiteral("cbObjects"));
    m_objects->setCursor(Qt::PointingHandCursor);
    leftLayout->addWidget(m_objects);
    m_tree->setObjectName(QStringLiteral("vstOI"));
    m_tree->setColumnCount(4);
    m_tree->setHeaderLabels({_("Name"), _("Typ"), _("Wert"), _("Weitere Informationen")});
    m_tree->setRootIsDecorated(false);
    m_tree->setUniformRowHeights(true);
    m_tree->setStyleSheet(
        QStringLiteral("QTreeView::item { border-right: 1px solid palette(mid); "
                       "border-bottom: 1px solid palette(mid); }"));
    m_tree->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::SelectedClicked);
    const int widths[] = {140, 80, 160, 70};
    for (int column = 0; column < 4; ++column) m_tree->setColumnWidth(column, widths[column]);
    m_tree->setItemDelegateForColumn(colValue, new TInspectorDelegate(this, m_inspector));
    leftLayout->addWidget(m_tree, 1);
    auto* status = new QStatusBar;
    status->setObjectName(QStringLiteral("sbOwner"));
    status->setSizeGripEnabled(false);
    auto* ownerCaption = new QLabel(_("Besitzer"));
    ownerCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ownerCaption->setMinimumWidth(45);
    m_owner->setObjectName(QStringLiteral("lbOwner"));
    m_owner->setMinimumWidth(100);
    status->addWidget(ownerCaption);
    status->addWidget(m_owner, 1);
    leftLayout->addWidget(status);
    split->addWidget(left);

    // Right: palette, stage in a scroll box, hidden prototypes.
    auto* right = new QWidget;
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(0);
    auto* palette = new QWidget;
    palette->setObjectName(QStringLiteral("pnPalette"));
    auto* paletteLayout = new QHBoxLayout(palette);
    paletteLayout->setContentsMargins(0, 0, 0, 0);
    paletteLayout->setSpacing(0);
    auto* arrow = new TArrowButton;
    auto* panel = new TDsnPanel;
    paletteLayout->addWidget(arrow);
    paletteLayout->addWidget(panel);
    paletteLayout->addStretch();
    rightLayout->addWidget(palette);
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("sbStage"));
    m_stage->setObjectName(QStringLiteral("DsnStage1"));
    m_stage->resize(521, 353);
    scroll->setWidget(m_stage);
    rightLayout->addWidget(scroll, 1);
    auto* prototypes = new QWidget(right);
    prototypes->setObjectName(QStringLiteral("pnPrototypes"));
    prototypes->hide();
    buildPrototypes(prototypes);
    split->addWidget(right);
    split->setStretchFactor(1, 1);
    split->setSizes({353, 600});

    m_inspector->SetFilter(TMObjectInspector::pkAll);
    m_inspector->SetOnExc(
        [](const QString& message) { ShowMessageDlg(message, mtError, mbOKOnly); });
    m_stage->deleteQuery = [this](QWidget* control) { return mayDelete(control); };
    connect(m_stage, &TDsnStage::controlLoaded, this, [this] { rebuildObjectList(); });
    connect(m_stage, &TDsnStage::afterDelete, this, [this] { rebuildObjectList(); });
    connect(m_register, &TDsnRegister::controlCreated, this, [this] { rebuildObjectList(); });
    connect(m_register, &TDsnRegister::elementSelected, this,
            [this](QWidget* control) { elementSelected(control); });
    connect(m_objects, &QComboBox::activated, this, [this](int index) { chooseObject(index); });
    m_register->SetDsnStage(m_stage);
    m_register->SetDsnPanel(panel);
    m_register->SetArrowButton(arrow);
    rebuildObjectList();
}

TDesignEditFrame::~TDesignEditFrame() {
    m_stage->deleteQuery = nullptr;
}

void TDesignEditFrame::buildPrototypes(QWidget* holder) {
    const auto named = [](QWidget* widget, const char* kind) {
        widget->setObjectName(QStringLiteral("Design_") + QLatin1String(kind));
        return widget;
    };
    auto* label = new QLabel(_("Beschriftung"), holder);
    auto* edit = new QLineEdit(holder);
    auto* memo = new QPlainTextEdit(holder);
    auto* check = new QCheckBox(_("Auswahl"), holder);
    auto* radio = new QRadioButton(_("Option"), holder);
    auto* combo = new QComboBox(holder);
    combo->setEditable(true);
    auto* group = new QGroupBox(_("Gruppe"), holder);
    auto* panel = new QFrame(holder);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    auto* radioGroup = new TRadioGroup(holder);
    radioGroup->setTitle(_("Auswahl"));
    auto* picker = new TDateTimePicker(holder);
    picker->setKind(TDateTimePicker::dtkDate);
    const QList<QPair<QWidget*, const char*>> prototypes = {
        {label, "TLabel"},          {edit, "TEdit"},         {memo, "TMemo"},
        {check, "TCheckBox"},       {radio, "TRadioButton"}, {combo, "TComboBox"},
        {group, "TGroupBox"},       {panel, "TPanel"},       {radioGroup, "TRadioGroup"},
        {picker, "TDateTimePicker"}};
    for (const auto& [widget, kind] : prototypes)
        m_register->setPrototype(QLatin1String(kind), named(widget, kind));
}

QDialog* TDesignEditFrame::CreateEditForm(const QString& layoutFile, const QString& title,
                                          QWidget* parent) {
    auto* form = new QDialog(parent);
    form->setObjectName(QStringLiteral("DesignEditForm"));
    form->setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(form);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* frame = new TDesignEditFrame(form);
    layout->addWidget(frame, 1);
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(7, 7, 7, 7);
    bar->addStretch();
    auto* ok = new QPushButton(_("OK"), form);
    ok->setObjectName(QStringLiteral("btOK"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(_("Abbrechen"), form);
    cancel->setObjectName(QStringLiteral("btCancel"));
    cancel->setAutoDefault(false);
    bar->addWidget(ok);
    bar->addWidget(cancel);
    layout->addLayout(bar);
    // A layout that cannot be written keeps the dialog open, so no drawing is lost.
    connect(ok, &QPushButton::clicked, form, [form, frame] {
        if (frame->SaveLayout()) form->accept();
    });
    connect(cancel, &QPushButton::clicked, form, &QDialog::reject);
    form->resize(350, 250);
    LoadFormState(form, TFormRole::Other);
    frame->LoadLayout(layoutFile);
    if (const QScreen* screen = form->screen()) form->setGeometry(screen->availableGeometry());
    form->setWindowTitle(QStringLiteral("[DEF - 01] - ") + title);
    return form;
}

bool TDesignEditFrame::EditLayout(const QString& layoutFile, const QString& title) {
    std::unique_ptr<QDialog> form(CreateEditForm(layoutFile, title));
    auto* frame = form->findChild<TDesignEditFrame*>();
    // Designing starts once the form is up, so loading never runs into the handles.
    QMetaObject::invokeMethod(
        frame, [frame] { frame->SetDesigning(true); }, Qt::QueuedConnection);
    const bool confirmed = form->exec() == QDialog::Accepted;
    frame->SetDesigning(false);
    return confirmed;
}

void TDesignEditFrame::LoadLayout(const QString& layoutFile) {
    m_fileName = upperFileName(layoutFile);
    if (QFileInfo::exists(m_fileName)) m_stage->LoadFromFile(m_fileName);
    rebuildObjectList();
}

bool TDesignEditFrame::SaveLayout() {
    return m_stage->SaveToFile(m_fileName);
}

void TDesignEditFrame::SetDesigning(bool designing) {
    m_register->setDesigning(designing);
}

void TDesignEditFrame::rebuildObjectList() {
    m_rebuilding = true;
    m_objects->clear();
    const auto add = [this](QWidget* control) {
        m_objects->addItem(control->objectName() + QStringLiteral(" :") + DsnClassName(control),
                           QVariant::fromValue(static_cast<QObject*>(control)));
    };
    add(m_stage);
    ForEachDsnControl(m_stage, add);
    m_objects->model()->sort(0);
    m_objects->setCurrentIndex(objectIndex(m_stage));
    m_rebuilding = false;
    m_register->ClearSelect();
    m_register->SelectByInspect(m_stage);
    showInInspector(m_stage);
}

int TDesignEditFrame::objectIndex(QWidget* control) const {
    for (int i = 0; i < m_objects->count(); ++i)
        if (m_objects->itemData(i).value<QObject*>() == control) return i;
    return -1;
}

void TDesignEditFrame::chooseObject(int index) {
    auto* control = qobject_cast<QWidget*>(m_objects->itemData(index).value<QObject*>());
    if (!control) return;
    m_register->SelectByInspect(control);
    showInInspector(control);
}

void TDesignEditFrame::elementSelected(QWidget* control) {
    if (m_rebuilding || !control) return;
    if (objectIndex(control) < 0) {
        rebuildObjectList();
        m_register->ClearSelect();
        m_register->SelectByInspect(control);
    }
    showInInspector(control);
    m_objects->setCurrentIndex(objectIndex(control));
}

void TDesignEditFrame::showInInspector(QWidget* control) {
    m_inspector->SetObject(control);
    m_tree->clear();
    for (int row = 0; row < m_inspector->Names.size(); ++row) {
        auto* item = new QTreeWidgetItem(m_tree);
        item->setText(colName, m_inspector->Names.at(row));
        item->setText(colType, m_inspector->Types.at(row));
        item->setText(colInfo, m_inspector->Infos.at(row));
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
    refreshValues();
    // The owner is the container the control sits in; the stage belongs to the designer.
    QWidget* owner = control == m_stage ? this : control->parentWidget();
    while (owner && owner != this && DsnClassName(owner).isEmpty()) owner = owner->parentWidget();
    m_owner->setText(owner && !owner->objectName().isEmpty() ? owner->objectName() : _("<keiner>"));
}

void TDesignEditFrame::refreshValues() {
    for (int row = 0; row < m_tree->topLevelItemCount(); ++row) {
        const bool strings = m_inspector->Types.value(row) == QLatin1String("TStrings");
        m_tree->topLevelItem(row)->setText(
            colValue, strings ? QStringLiteral("(TStrings)") : m_inspector->Values.value(row));
    }
}

void TDesignEditFrame::SetPropertyText(const QString& name, const QStringList& value) {
    auto* control = qobject_cast<QWidget*>(m_inspector->Object());
    if (!control) return;
    if (m_inspector->SetPropertyValue(name, value)) {
        const int index = objectIndex(control);
        if (index >= 0) {
            m_objects->setItemText(
                index, control->objectName() + QStringLiteral(" :") + DsnClassName(control));
            m_objects->model()->sort(0);
        }
        // The handles follow a moved or sized control.
        if (control != m_stage) {
            // The rows stay while their editor closes: no new selection round.
            m_rebuilding = true;
            m_register->SelectByInspect(control);
            m_rebuilding = false;
        }
    }
    refreshValues();
}

bool TDesignEditFrame::mayDelete(QWidget* control) {
    if (!control || control == m_stage) return false;
    return ShowMessageDlg(FormatStr(_("Soll das Element \"%s\" wirklich geloescht werden?"),
                                    {control->objectName()}),
                          mtConfirmation, mbYesNo) == mrYes;
}
