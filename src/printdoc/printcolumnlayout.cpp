#include "printdoc/printcolumnlayout.h"

TPrintColumnLayoutItem* TPrintColumnLayout::Add(std::unique_ptr<TPrintColumnLayoutItem> item) {
    if (!item) item = std::make_unique<TPrintColumnLayoutItem>();
    m_items.push_back(std::move(item));
    return m_items.back().get();
}

TPrintColumnLayout* TPrintColumnLayoutObjectList::FindByName(const QString& name) const {
    for (const auto& layout : m_items)
        if (layout->name == name) return layout.get();
    return nullptr;
}
