#pragma once

// A small database of the tests and their second workstation: a table of items numbered by
// text and a log table numbered downwards.

#include "persistence/databasewrapper.h"

class TTestDatabase : public TDatabaseWrapper {
public:
    using TDatabaseWrapper::TDatabaseWrapper;
    TStoreTable* Items = nullptr;
    TStoreTable* Log = nullptr;

protected:
    void DefineTable(TStoreTable& table) override {
        if (table.TableName().compare("ITEMS", Qt::CaseInsensitive) == 0) {
            table.FieldDefs().Add("ID", sftString, 20, true);
            table.FieldDefs().Add("TEXT", sftString, 60);
            table.FieldDefs().Add("CREATED", sftDateTime, 0, true);
            table.FieldDefs().Add("XMLDATA", sftMemo);
            table.IndexDefs().Add("ITEMSID", "ID", ixUnique);
        } else if (table.TableName().compare("001LOG", Qt::CaseInsensitive) == 0) {
            table.FieldDefs().Add("RecordID", sftAutoInc, 0, true);
            table.FieldDefs().Add("ENTRY", sftString, 100);
            table.FieldDefs().Add("XMLDATA", sftMemo);
            table.IndexDefs().Add("001INDEX", "RecordID", ixUnique | ixDescending);
        }
    }
    void RegisterTables() override {
        Items = AddTable("ITEMS", "ITEMSID");
        Log = AddTable("001LOG", "001INDEX");
    }
    void SetDefaultIndexes() override {
        Items->SetIndexName("ITEMSID");
        Log->SetIndexName("001INDEX");
    }
    int AlterTables() override { return 0; }
};
