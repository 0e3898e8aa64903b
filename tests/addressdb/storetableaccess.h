#pragma once

#include "persistence/storesqlite.h"
#include "persistence/storetable.h"

// The table's own connection, for tests that tune its cache or change its file behind it.
struct TStoreTableTestAccess {
    static kwpstore::Connection& connection(const TStoreTable& table) { return table.connection(); }
};
