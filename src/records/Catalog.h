#pragma once

// Records with an ID and a name, and the ordered, owning lists they live in: database sections,
// the events and pages of a map, the maps of the tree, encounter entries.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "CatalogBase.h"

namespace tarvel {

// The highest ID a paste from the clipboard creates in a list.
constexpr int MaxPasteID = 5000;

// A record with an ID (kept by the owning list, not a chunk) and a name (field 1 of the classes
// that describe it).
class TCatalogItem : public TCatalogBaseItem {
public:
    int32_t ID = 0;
    std::string Name;

    explicit TCatalogItem(int32_t id = 0) : ID(id) {}
    virtual void SetID(int32_t id) { ID = id; }
};

// An ordered list of items kept in ascending ID order; database sections are also dense (the item
// at position p has ID p + 1). The list owns its items.
class TCatalog : public TStreamable {
public:
    // Makes a new item (with its defaults) for an ID: the list's whole item factory.
    using ItemFactory = std::function<std::unique_ptr<TCatalogItem>(int32_t id)>;

    explicit TCatalog(ItemFactory factory) : mFactory(std::move(factory)) {}
    TCatalog(const TCatalog&) = delete;
    TCatalog& operator=(const TCatalog&) = delete;
    ~TCatalog() override = default;

    void Clear() { mItems.clear(); }
    void Reset() override { Clear(); }
    int Count() const { return static_cast<int>(mItems.size()); }
    // The item at a 0-based position, or nullptr past the end.
    TCatalogItem* Items(int index) const;
    TCatalogItem* Find(int32_t id) const;
    TCatalogItem* FindOrCreate(int32_t id);
    // Frees the first item with the ID; the other IDs stay as they are.
    void Delete(int32_t id);
    TCatalogItem* Append();
    // Creates an item at the ID's place and shifts the IDs of all items after it up by one.
    TCatalogItem* Insert(int32_t id);
    // Frees the item with the ID and shifts the IDs of all items after it down by one.
    void Remove(int32_t id);
    // Sorts with the comparison (a before b when it returns true), then numbers 1..Count.
    void SortAndRenumber(const std::function<bool(const TCatalogItem&, const TCatalogItem&)>& before);

    virtual void LoadItem(int index, TMemoryStream& stream);
    virtual void SaveItem(int index, TMemoryStream& stream) const;
    // Copies another list item by item through the encoding (IDs kept, undescribed fields not).
    virtual void Assign(const TCatalog& source);
    // Count, then ID and record per item. Items stored out of order come out sorted; a repeated ID
    // yields one item holding the later record. A read error empties the list and is passed on.
    void LoadFromStream(TMemoryStream& stream) override;
    void SaveToStream(TMemoryStream& stream) const override;
    // Overwrites the records from position firstIndex on (extending the list where needed, never
    // beyond ID 5000) and returns how many were pasted.
    virtual int PasteFromClipboard(int format, int firstIndex);
    // Copies count records from position firstIndex on (without their IDs).
    virtual void CopyToClipboard(int format, int firstIndex, int count) const;

    // Makes an item through the list's factory, without adding it.
    std::unique_ptr<TCatalogItem> CreateItem(int32_t id) const { return mFactory(id); }

    auto begin() const { return mItems.begin(); }
    auto end() const { return mItems.end(); }

private:
    ItemFactory mFactory;
    std::vector<std::unique_ptr<TCatalogItem>> mItems;
};

// A list fixed to its item class, with typed access.
template <typename Item>
class TCatalogOf : public TCatalog {
public:
    TCatalogOf() : TCatalog([](int32_t id) { return std::make_unique<Item>(id); }) {}
    Item* Items(int index) const { return static_cast<Item*>(TCatalog::Items(index)); }
    Item* Find(int32_t id) const { return static_cast<Item*>(TCatalog::Find(id)); }
    Item* FindOrCreate(int32_t id) { return static_cast<Item*>(TCatalog::FindOrCreate(id)); }
    Item* Append() { return static_cast<Item*>(TCatalog::Append()); }
    Item* Insert(int32_t id) { return static_cast<Item*>(TCatalog::Insert(id)); }
};

} // namespace tarvel
