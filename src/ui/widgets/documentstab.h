#pragma once

#include <QWidget>

class QFileSystemModel;
class QLineEdit;
class QMenu;
class QModelIndex;
class QPushButton;
class QToolButton;
class QTreeView;
class TCustomerAddress;

// The documents of an address: its customer folder below AdressenDir + "005/", shown as a
// detail list that never leaves that folder, with the commands to open it in the file manager,
// to add documents (as a copy, as a link, by scanning) and to create the folder.
class TDocumentsTab : public QWidget {
    Q_OBJECT
public:
    // Items of the menu "Dokument hinzufuegen", by tag.
    enum AddDocTag { AddAsCopy = 100, AddAsLink = 101, AddByScan = 102 };

    explicit TDocumentsTab(QWidget* parent = nullptr);
    ~TDocumentsTab() override;

    // The record whose folder is shown (not owned; null = none, which disables the tab). While
    // the tab is visible the list follows a new record at once.
    void SetAddress(TCustomerAddress* address);
    TCustomerAddress* Address() const { return m_address; }

    // Shows the record's folder when it exists, otherwise the same as HideDocuments.
    void ShowDocuments();
    // Stops and empties the list; only "Kundenverzeichnis anlegen" stays enabled.
    void HideDocuments();

    // AdressenDir + "005/"; empty without settings.
    static QString CustomerRootDir();
    // The folder a record's folder field names, cleaned so that it stays inside the root;
    // empty when the field names none.
    static QString CustomerDir(const QString& kndVerz);

    // The folder the list shows; empty while it is stopped.
    QString CurrentFolder() const { return m_current; }
    // Start folder of the file dialogs for adding documents; empty means the desktop.
    QString CopyStartFolder() const { return m_copyStartFolder; }
    void SetCopyStartFolder(const QString& folder) { m_copyStartFolder = folder; }

    void CreateCustomerFolder();
    void OpenInFileManager();
    void FolderUp();
    void AddDocument(int tag);
    // What a double click on an entry of the list does.
    void OpenEntry(const QString& path);

Q_SIGNALS:
    // The record's folder field was set; the record is to be marked modified and saved.
    void customerFolderChanged();

private:
    void showFolder(const QString& folder);
    void replaceModel(QFileSystemModel* model);
    void entryActivated(const QModelIndex& index);
    void setCommandsEnabled(bool folderShown);
    bool isInsideCustomerFolder(const QString& path) const;
    QString dialogStartFolder() const;
    void addCopies();
    void addLink();
    void scan();

    TCustomerAddress* m_address = nullptr;
    QString m_root;  // the customer folder while shown
    QString m_current;
    QString m_copyStartFolder;
    QFileSystemModel* m_model = nullptr;

    QTreeView* lvDocuments = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* btOpenKvz = nullptr;
    QToolButton* sbVerzUp = nullptr;
    QPushButton* Button2 = nullptr;
    QMenu* pmAddDoc = nullptr;
    QPushButton* btCreateKndVerz = nullptr;
};
