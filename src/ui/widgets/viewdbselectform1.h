#pragma once

#include <QDialog>
#include <memory>

class QTableView;
class TIniFile;
class TStoreDatabase;
class TStoreTable;

// Modal picker of one record of the address table or of a journal of the suite. Each class
// operation takes the tenant folder (the one holding "SYSDATA.INI"), answers whether a key was
// chosen and keeps the column widths in the INI section named after the dialog.
class TViewDBSelectForm1 : public QDialog {
    Q_OBJECT
public:
    static bool SelectAdresse(const QString& tenantDir, QString& key, TIniFile* ini);
    static bool SelectAngebot(const QString& tenantDir, QString& key, TIniFile* ini);
    static bool SelectAuftrag(const QString& tenantDir, QString& key, TIniFile* ini);
    static bool SelectKommAuftrag(const QString& tenantDir, QString& key, TIniFile* ini);
    static bool SelectBestellung(const QString& tenantDir, QString& key, TIniFile* ini);
    static bool SelectARechnung(const QString& tenantDir, QString& key, TIniFile* ini);
    static bool SelectERechnung(const QString& tenantDir, QString& key, TIniFile* ini);

    // The columns the picker shows and the index it opens, for a table it knows by name (the
    // journals belong to other programs of the suite); false for another table.
    static bool DefineTable(TStoreTable& table);

    // The dialog of a variant by its name ("ViewDBSelectFormAdr", ...) with its table open on
    // the last record; null after the error message when the table cannot be opened.
    static std::unique_ptr<TViewDBSelectForm1> Create(const QString& dialogName,
                                                      const QString& tenantDir, TIniFile* ini);

    ~TViewDBSelectForm1() override;
    // The trimmed key field of the selected row.
    QString currentKey() const;
    void done(int result) override;

    // One picker: dialog name, file, table, index, columns, key field.
    struct Variant;

private:
    class Model;
    TViewDBSelectForm1(const Variant& variant, std::unique_ptr<TStoreDatabase> database,
                       std::unique_ptr<TStoreTable> table, TIniFile* ini);
    static bool select(const char* dialogName, const QString& tenantDir, QString& key,
                       TIniFile* ini);

    const Variant& m_variant;
    std::unique_ptr<TStoreDatabase> m_database;
    std::unique_ptr<TStoreTable> m_table;
    TIniFile* m_ini;
    std::unique_ptr<Model> m_model;
    QTableView* m_grid = nullptr;
};
