#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "app/objectlist.h"

// One header column of a print document.
class TPrintColumnLayoutItem {
public:
    enum Align : quint8 { alLeft = 0, alRight = 1, alCenter = 2, alJustify = 3 };

    QString caption;
    QString captstyle;
    qint32 width = 0;
    quint8 align = alLeft;
    qint32 marginleft = 0;
    qint32 marginright = 0;
    bool utc = false;
};

// A named set of header columns.
class TPrintColumnLayout {
public:
    using Items_t = std::vector<std::unique_ptr<TPrintColumnLayoutItem>>;

    TPrintColumnLayout() = default;
    TPrintColumnLayout(const TPrintColumnLayout&) = delete;
    TPrintColumnLayout& operator=(const TPrintColumnLayout&) = delete;

    QString name;

    int Count() const { return int(m_items.size()); }
    TPrintColumnLayoutItem* Items(int i) const { return m_items.at(size_t(i)).get(); }
    // Appends the column (a new empty one when null) and returns it.
    TPrintColumnLayoutItem* Add(std::unique_ptr<TPrintColumnLayoutItem> item = nullptr);
    void Clear() { m_items.clear(); }

    Items_t::const_iterator begin() const { return m_items.begin(); }
    Items_t::const_iterator end() const { return m_items.end(); }

private:
    Items_t m_items;
};

// Owning, ordered list of header layouts.
class TPrintColumnLayoutObjectList : public TObjectList<TPrintColumnLayout> {
public:
    // The first layout with exactly this name, or null.
    TPrintColumnLayout* FindByName(const QString& name) const;
};
