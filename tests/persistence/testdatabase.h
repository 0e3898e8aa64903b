#pragma once

// A small database of the tests and their second workstation: a table of items numbered by
// text and an older-style log table that gains a column on upgrade.

#include "persistence/databasewrapper.h"

class TTestDatabase : public TDatabaseWrapper {
public:
    using TDatabaseWrapper::TDatabaseWrapper;
    TStoreTable* Items = nullptr;
    TStoreTable* Log = nullptr;
    int alterCalls = 0;

protected:
    void DefineTable(TStoreTable& table) override {
        if (table.TableName().compare(QLatin1String("ITEMS"), Qt::CaseInsensitive) == 0) {
            table.FieldDefs().Add(QStringLiteral("ID"), sftString, 20, true);
            table.FieldDefs().Add(QStringLiteral("TEXT"), sftString, 60);
            table.FieldDefs().Add(QStringLiteral("CREATED"), sftDateTime, 0, true);
            table.FieldDefs().Add(QStringLiteral("XMLDATA"), sftMemo);
            table.IndexDefs().Add(QStringLiteral("ITEMSID"), QStringLiteral("ID"), ixUnique);
        } else if (table.TableName().compare(QLatin1String("001LOG"), Qt::CaseInsensitive) == 0) {
            table.FieldDefs().Add(QStringLiteral("RecordID"), sftAutoInc, 0, true);
            table.FieldDefs().Add(QStringLiteral("ENTRY"), sftString, 100);
            table.FieldDefs().Add(QStringLiteral("XMLDATA"), sftMemo);
            table.IndexDefs().Add(QStringLiteral("001INDEX"), QStringLiteral("RecordID"),
                                  ixUnique | ixDescending);
        }
    }
    void RegisterTables() override {
        Items = AddTable(QStringLiteral("ITEMS"), QStringLiteral("ITEMSID"));
        Log = AddTable(QStringLiteral("001LOG"), QStringLiteral("001INDEX"));
    }
    void SetDefaultIndexes() override {
        Items->SetIndexName(QStringLiteral("ITEMSID"));
        Log->SetIndexName(QStringLiteral("001INDEX"));
    }
    // Older log tables lack SEVERITY; it goes in front of XMLDATA.
    int AlterTables() override {
        ++alterCalls;
        TFieldDefs& defs = Log->FieldDefs();
        if (defs.IndexOf(QStringLiteral("SEVERITY")) >= 0) return 0;
        defs.Add(QStringLiteral("SEVERITY"), sftSmallInt);
        const int xml = defs.IndexOf(QStringLiteral("XMLDATA"));
        if (xml > 0) defs.Move(defs.Count() - 1, xml);
        Log->AlterTable();
        return 1;
    }
};
