#include "ui/widgets/documentstab.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QStandardPaths>
#include <QStyle>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "address/customeraddress.h"
#include "addressdb/dbadress.h"
#include "app/atomicfile.h"
#include "app/dialogs.h"
#include "app/errorreport.h"
#include "app/filedialogs.h"
#include "app/format.h"
#include "app/shell.h"
#include "app/systemeinstellungen.h"
#include "app/translation.h"

namespace {
// The folder's entries with German column titles and the file kinds as Explorer names them.
class TDocumentsModel : public QFileSystemModel {
public:
    using QFileSystemModel::QFileSystemModel;

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return QFileSystemModel::headerData(section, orientation, role);
        switch (section) {
            case 0:
                return _("Name");
            case 1:
                return _("Groesse");
            case 2:
                return _("Typ");
            default:
                return _("Geaendert am");
        }
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || index.column() == 0)
            return QFileSystemModel::data(index, role);
        const QFileInfo info = fileInfo(index);
        switch (index.column()) {
            case 1:
                if (info.isDir()) return QString();
                return QLocale().toString((info.size() + 1023) / 1024) + QStringLiteral(" KB");
            case 2:
                if (info.isSymLink()) return _("Verknuepfung");
                if (info.isDir()) return _("Dateiordner");
                if (info.suffix().isEmpty()) return _("Datei");
                return FormatStr(_("%s-Datei"), {info.suffix().toUpper()});
            default: {
                const QDateTime changed = info.lastModified();
                return DateToStr(changed.date()) + QLatin1Char(' ') +
                       QLocale().toString(changed.time(), QLocale::ShortFormat);
            }
        }
    }
};

QString withoutTrailingSlash(const QString& path) {
    return path.size() > 1 && path.endsWith(QLatin1Char('/')) ? path.chopped(1) : path;
}

// Copies through a temporary file beside the target, so a failure keeps the old target.
bool copyOverwriting(const QString& source, const QString& target) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) return false;
    try {
        TAtomicFile out(target);
        out.Open();
        QByteArray chunk;
        while (!(chunk = in.read(1 << 20)).isEmpty()) {
            if (out.write(chunk) != chunk.size()) return false;
        }
        if (in.error() != QFileDevice::NoError) return false;
        out.Commit();
    } catch (const EKwpError&) {
        return false;
    }
    // The copy keeps the date of its document, as the Windows copy does.
    QFile copied(target);
    if (copied.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        copied.setFileTime(QFileInfo(source).lastModified(), QFileDevice::FileModificationTime);
    return true;
}

// A link of that name is replaced; any other entry of that name stays and the link fails.
bool createLink(const QString& target, const QString& link) {
    const QFileInfo existing(link);
    if (existing.isSymLink()) {
        if (!QFile::remove(link)) return false;
    } else if (existing.exists()) {
        return false;
    }
    return QFile::link(target, link);
}
}  // namespace

TDocumentsTab::TDocumentsTab(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("DocumentsTab"));
    lvDocuments = new QTreeView(this);
    lvDocuments->setObjectName(QStringLiteral("lvDocuments"));
    // A flat detail list: folders are entered by a double click, not unfolded.
    lvDocuments->setRootIsDecorated(false);
    lvDocuments->setItemsExpandable(false);
    lvDocuments->setExpandsOnDoubleClick(false);
    lvDocuments->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvDocuments->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lvDocuments->setSortingEnabled(true);
    lvDocuments->sortByColumn(0, Qt::AscendingOrder);
    connect(lvDocuments, &QTreeView::activated, this, &TDocumentsTab::entryActivated);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setReadOnly(true);

    btOpenKvz = new QPushButton(this);
    btOpenKvz->setObjectName(QStringLiteral("btOpenKvz"));
    btOpenKvz->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    btOpenKvz->setToolTip(_("Verzeichnis im Windows-Explorer oeffnen"));
    connect(btOpenKvz, &QPushButton::clicked, this, &TDocumentsTab::OpenInFileManager);

    sbVerzUp = new QToolButton(this);
    sbVerzUp->setObjectName(QStringLiteral("sbVerzUp"));
    sbVerzUp->setIcon(style()->standardIcon(QStyle::SP_FileDialogToParent));
    sbVerzUp->setToolTip(_("zum obersten Verzeichnis wechseln"));
    connect(sbVerzUp, &QToolButton::clicked, this, &TDocumentsTab::FolderUp);

    pmAddDoc = new QMenu(this);
    pmAddDoc->setObjectName(QStringLiteral("pmAddDoc"));
    const std::pair<const char*, int> items[] = {{N_("Einscannen"), AddByScan},
                                                 {N_("Als Kopie"), AddAsCopy},
                                                 {N_("Als Verknuepfung"), AddAsLink}};
    const char* const names[] = {"miEinscannen", "miAlsKopie", "miAlsVerknuepfung"};
    for (int i = 0; i < 3; ++i) {
        QAction* action = pmAddDoc->addAction(_(items[i].first));
        action->setObjectName(QLatin1String(names[i]));
        action->setData(items[i].second);
        connect(action, &QAction::triggered, this,
                [this, tag = items[i].second] { AddDocument(tag); });
    }
    Button2 = new QPushButton(_("Dokument hinzufuegen"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    connect(Button2, &QPushButton::clicked, this,
            [this] { pmAddDoc->popup(Button2->mapToGlobal(QPoint(0, Button2->height()))); });

    btCreateKndVerz = new QPushButton(_("Kundenverzeichnis anlegen"), this);
    btCreateKndVerz->setObjectName(QStringLiteral("btCreateKndVerz"));
    connect(btCreateKndVerz, &QPushButton::clicked, this, &TDocumentsTab::CreateCustomerFolder);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Edit1, 1);
    bottom->addWidget(btOpenKvz);
    bottom->addWidget(sbVerzUp);
    bottom->addWidget(Button2);
    bottom->addWidget(btCreateKndVerz);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lvDocuments, 1);
    layout->addLayout(bottom);
    SetAddress(nullptr);
}

TDocumentsTab::~TDocumentsTab() = default;

void TDocumentsTab::SetAddress(TCustomerAddress* address) {
    m_address = address;
    setEnabled(address != nullptr);
    if (address && isVisible())
        ShowDocuments();
    else
        HideDocuments();
}

QString TDocumentsTab::CustomerRootDir() {
    const TSystemEinstellungen* settings = SystemEinstellungen();
    if (!settings || settings->AdressenDir.isEmpty()) return {};
    return NormalizeDir(settings->AdressenDir) + QStringLiteral("005/");
}

QString TDocumentsTab::CustomerDir(const QString& kndVerz) {
    const QString root = CustomerRootDir();
    const QString name = TDBAdress::SafeCustomerDirName(kndVerz);
    if (root.isEmpty() || name.isEmpty() || name == QLatin1String(".") ||
        name == QLatin1String(".."))
        return {};
    return root + name;
}

void TDocumentsTab::ShowDocuments() {
    const QString folder = m_address ? CustomerDir(m_address->KndVerz) : QString();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        HideDocuments();
        return;
    }
    m_root = folder;
    showFolder(folder);
}

void TDocumentsTab::HideDocuments() {
    replaceModel(nullptr);
    m_root.clear();
    m_current.clear();
    Edit1->clear();
    Edit1->setToolTip({});
    setCommandsEnabled(false);
}

// The old model may still be in use by the event that led here (a double click).
void TDocumentsTab::replaceModel(QFileSystemModel* model) {
    QItemSelectionModel* selection = lvDocuments->selectionModel();
    lvDocuments->setModel(model);
    if (selection) selection->deleteLater();
    if (m_model) m_model->deleteLater();
    m_model = model;
}

// A fresh model reads the folder anew, so this also refreshes the list.
void TDocumentsTab::showFolder(const QString& folder) {
    auto* model = new TDocumentsModel(this);
    model->setFilter(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::AllDirs | QDir::System);
    model->setReadOnly(true);
    model->setRootPath(folder);
    replaceModel(model);
    lvDocuments->setRootIndex(model->index(folder));
    lvDocuments->header()->resizeSection(0, qMax(240, lvDocuments->header()->sectionSize(0)));
    m_current = withoutTrailingSlash(folder);
    Edit1->setText(QDir::toNativeSeparators(m_current));
    Edit1->setToolTip(Edit1->text());  // a long path does not fit
    setCommandsEnabled(true);
}

void TDocumentsTab::setCommandsEnabled(bool folderShown) {
    lvDocuments->setEnabled(folderShown);
    btOpenKvz->setEnabled(folderShown);
    sbVerzUp->setEnabled(folderShown);
    Button2->setEnabled(folderShown);
    btCreateKndVerz->setEnabled(!folderShown && m_address);
}

bool TDocumentsTab::isInsideCustomerFolder(const QString& path) const {
    const QString root = QFileInfo(m_root).canonicalFilePath();
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return !root.isEmpty() && !canonical.isEmpty() &&
           (canonical == root || canonical.startsWith(root + QLatin1Char('/')));
}

void TDocumentsTab::CreateCustomerFolder() {
    if (!m_address || m_address->Id.trimmed().isEmpty()) return;
    const QString root = CustomerRootDir();
    const QString name =
        root.isEmpty() ? QString() : TDBAdress::CreateCustomerDir(root, m_address->Id);
    if (name.isEmpty()) {
        ShowMessageDlg(_("Kann Kundenverzeichnis nicht anlegen."), mtError, mbOKOnly);
        return;
    }
    m_address->KndVerz = name;
    Q_EMIT customerFolderChanged();
    ShowDocuments();
}

void TDocumentsTab::OpenInFileManager() {
    if (!m_address || m_address->KndVerz.isEmpty() || !QFileInfo(m_current).isDir()) return;
    ShellOpen(m_current);
}

void TDocumentsTab::FolderUp() {
    if (m_current.isEmpty() || m_current == withoutTrailingSlash(m_root)) return;
    showFolder(QFileInfo(m_current).path());
}

void TDocumentsTab::entryActivated(const QModelIndex& index) {
    if (m_model) OpenEntry(m_model->filePath(index));
}

void TDocumentsTab::OpenEntry(const QString& path) {
    const QFileInfo entry(path);
    if (entry.isDir()) {
        // A link to a folder elsewhere opens in the file manager: the list stays in its folder.
        if (isInsideCustomerFolder(path))
            showFolder(entry.absoluteFilePath());
        else
            ShellOpen(entry.absoluteFilePath());
        return;
    }
    if (entry.suffix().compare(QLatin1String("mssf"), Qt::CaseInsensitive) == 0) {
        const TSystemEinstellungen* settings = SystemEinstellungen();
        const QString binDir = settings ? settings->BinDir : QString();
        QString program = ResolveProgramFile(binDir, QStringLiteral("KWP00250.EXE"));
        if (program.isEmpty()) program = binDir + QStringLiteral("KWP00250.EXE");
        const QStringList args = QCoreApplication::arguments();
        StartProgram(program, QLatin1Char('"') + entry.absoluteFilePath() +
                                  QStringLiteral("\" -OPEN ") + args.value(1) + QLatin1Char(' ') +
                                  args.value(2));
        return;
    }
    ShellOpen(entry.absoluteFilePath());
}

QString TDocumentsTab::dialogStartFolder() const {
    if (!m_copyStartFolder.isEmpty()) return m_copyStartFolder;
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

void TDocumentsTab::AddDocument(int tag) {
    if (!m_address || m_current.isEmpty()) return;
    switch (tag) {
        case AddAsCopy:
            addCopies();
            break;
        case AddAsLink:
            addLink();
            break;
        case AddByScan:
            scan();
            break;
        default:
            break;
    }
}

void TDocumentsTab::addCopies() {
    const QStringList files = FileDialogService().openFiles(
        {_("Dokument hinzufuegen"), dialogStartFolder(), {}, {}}, true);
    if (files.isEmpty()) return;
    m_copyStartFolder = QFileInfo(files.first()).absolutePath();
    for (const QString& file : files) {
        const QString name = QFileInfo(file).fileName();
        const QString target = m_current + QLatin1Char('/') + name;
        const QFileInfo existing(target);
        if (existing.exists() || existing.isSymLink()) {
            const QString question = FormatStr(_("Die Datei \"%s\" existiert bereits."), {name}) +
                                     QLatin1Char('\n') + _("Ueberschreiben?");
            if (ShowMessageDlg(question, mtConfirmation, mbYesNo) != mrYes) break;
        }
        if (!copyOverwriting(file, target))
            ShowMessageDlg(_("Das Kopieren der Datei ist fehlgeschlagen."), mtError, mbOKOnly);
    }
    showFolder(m_current);
}

void TDocumentsTab::addLink() {
    const QString file =
        FileDialogService()
            .openFiles({_("Dokument hinzufuegen"), dialogStartFolder(), {}, {}}, false)
            .value(0);
    if (file.isEmpty()) return;
    const QFileInfo chosen(file);
    m_copyStartFolder = chosen.absolutePath();
    const QString link =
        m_current + QLatin1Char('/') + _("Verknuepfung mit") + QLatin1Char(' ') + chosen.fileName();
    if (!createLink(chosen.absoluteFilePath(), link)) {
        ReportError(sevError,
                    FormatStr(_("Fehler beim Erstellen einer Verknuepfung zu \"%s\"."),
                              {chosen.fileName()}),
                    this);
    }
    showFolder(m_current);
}

void TDocumentsTab::scan() {
    QString name = FileDialogService().saveFile(
        {_("Einscannen"), m_current, _("PDF-Dateien") + QStringLiteral(" (*.PDF *.pdf)"),
         QStringLiteral("PDF")});
    if (name.isEmpty()) return;
    // The document program is handed a name with this extension; ask about that file.
    if (!name.endsWith(QLatin1String(".PDF"), Qt::CaseInsensitive)) name += QStringLiteral(".PDF");
    if (QFileInfo(name).exists() &&
        ShowMessageDlg(_("Eine Datei mit diesem Namen existiert bereits.\nMoechten Sie sie "
                         "ueberschreiben?"),
                       mtConfirmation, mbYesNo) != mrYes)
        return;
    if (const TSystemEinstellungen* settings = SystemEinstellungen())
        settings->OpenPdfDocument(name);
}
