#pragma once

#include <memory>
#include <type_traits>
#include <vector>

// Base of the program's owning lists: the items in their order, each owned by the list.
template <typename T>
class TObjectList {
public:
    using Items_t = std::vector<std::unique_ptr<T>>;

    TObjectList() = default;
    TObjectList(TObjectList&&) noexcept = default;
    TObjectList& operator=(TObjectList&&) noexcept = default;
    TObjectList(const TObjectList&) = delete;
    TObjectList& operator=(const TObjectList&) = delete;

    int Count() const { return int(m_items.size()); }
    T* Items(int i) const { return m_items.at(size_t(i)).get(); }
    // Appends the item (a new default one when null) and returns it.
    T* Add(std::unique_ptr<T> item = nullptr) {
        if (!item) {
            if constexpr (std::is_default_constructible_v<T>) item = std::make_unique<T>();
        }
        if (!item) return nullptr;
        m_items.push_back(std::move(item));
        return m_items.back().get();
    }
    // A bad index throws instead of corrupting the list.
    void Delete(int i) {
        (void)m_items.at(size_t(i));
        m_items.erase(m_items.begin() + i);
    }
    // Removes the item from the list and hands it over.
    std::unique_ptr<T> Extract(int i) {
        std::unique_ptr<T> item = std::move(m_items.at(size_t(i)));
        m_items.erase(m_items.begin() + i);
        return item;
    }
    void Clear() { m_items.clear(); }

    typename Items_t::const_iterator begin() const { return m_items.begin(); }
    typename Items_t::const_iterator end() const { return m_items.end(); }

protected:
    Items_t m_items;
};
