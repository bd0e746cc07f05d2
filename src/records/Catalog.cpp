#include "Catalog.h"

#include <algorithm>

#include "ClipboardPort.h"

namespace tarvel {

TCatalogItem* TCatalog::Items(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return mItems[static_cast<size_t>(index)].get();
}

TCatalogItem* TCatalog::Find(int32_t id) const {
    if (!mItems.empty() && id > mItems.back()->ID) return nullptr;
    // The dense case costs one look.
    if (id >= 1 && id <= Count() && mItems[static_cast<size_t>(id - 1)]->ID == id)
        return mItems[static_cast<size_t>(id - 1)].get();
    for (const auto& item : mItems)
        if (item->ID == id) return item.get();
    return nullptr;
}

TCatalogItem* TCatalog::FindOrCreate(int32_t id) {
    if (mItems.empty() || id > mItems.back()->ID) {
        mItems.push_back(mFactory(id));
        return mItems.back().get();
    }
    for (auto it = mItems.begin(); it != mItems.end(); ++it) {
        if ((*it)->ID == id) return it->get();
        if ((*it)->ID > id) return mItems.insert(it, mFactory(id))->get();
    }
    return nullptr; // not reached: the last item's ID is at least id
}

void TCatalog::Delete(int32_t id) {
    auto it = std::find_if(mItems.begin(), mItems.end(), [id](const auto& item) { return item->ID == id; });
    if (it != mItems.end()) mItems.erase(it);
}

TCatalogItem* TCatalog::Append() {
    int32_t id = mItems.empty() ? 1 : mItems.back()->ID + 1;
    mItems.push_back(mFactory(id));
    return mItems.back().get();
}

TCatalogItem* TCatalog::Insert(int32_t id) {
    if (mItems.empty() || id > mItems.back()->ID) {
        mItems.push_back(mFactory(id));
        return mItems.back().get();
    }
    auto at = std::find_if(mItems.begin(), mItems.end(), [id](const auto& item) { return item->ID >= id; });
    at = mItems.insert(at, mFactory(id));
    for (auto it = at + 1; it != mItems.end(); ++it)
        (*it)->SetID((*it)->ID + 1);
    return at->get();
}

void TCatalog::Remove(int32_t id) {
    auto it = std::find_if(mItems.begin(), mItems.end(), [id](const auto& item) { return item->ID == id; });
    if (it == mItems.end()) return;
    it = mItems.erase(it);
    for (; it != mItems.end(); ++it)
        (*it)->SetID((*it)->ID - 1);
}

void TCatalog::SortAndRenumber(const std::function<bool(const TCatalogItem&, const TCatalogItem&)>& before) {
    std::sort(mItems.begin(), mItems.end(), [&](const auto& a, const auto& b) { return before(*a, *b); });
    for (size_t p = 0; p < mItems.size(); ++p)
        mItems[p]->SetID(static_cast<int32_t>(p + 1));
}

void TCatalog::LoadItem(int index, TMemoryStream& stream) {
    mItems[static_cast<size_t>(index)]->LoadFromStream(stream);
}

void TCatalog::SaveItem(int index, TMemoryStream& stream) const {
    mItems[static_cast<size_t>(index)]->SaveToStream(stream);
}

void TCatalog::Assign(const TCatalog& source) {
    if (&source == this) return;
    Clear();
    for (const auto& item : source.mItems)
        FindOrCreate(item->ID)->Assign(*item);
}

void TCatalog::LoadFromStream(TMemoryStream& stream) {
    Clear();
    try {
        uint32_t count = ReadVarInt(stream);
        for (uint32_t i = 0; i < count; ++i) {
            // Every record takes at least two bytes (its ID and a terminator), so a count beyond
            // what the stream can hold fails here rather than after creating items for it.
            if (stream.Remaining() < 2) throw EReadError();
            int32_t id = static_cast<int32_t>(ReadVarInt(stream));
            FindOrCreate(id)->LoadFromStream(stream);
        }
    } catch (...) {
        Clear();
        throw;
    }
}

void TCatalog::SaveToStream(TMemoryStream& stream) const {
    WriteVarInt(stream, static_cast<uint32_t>(mItems.size()));
    for (size_t i = 0; i < mItems.size(); ++i) {
        WriteVarInt(stream, static_cast<uint32_t>(mItems[i]->ID));
        SaveItem(static_cast<int>(i), stream);
    }
}

void TCatalog::CopyToClipboard(int format, int firstIndex, int count) const {
    TMemoryStream records;
    int copied = 0;
    for (int i = firstIndex; i < firstIndex + count && i >= 0 && i < Count(); ++i, ++copied)
        SaveItem(i, records);
    Clipboard().set(format, MakeClipboardBlock(records.Bytes(), static_cast<uint32_t>(copied)));
}

int TCatalog::PasteFromClipboard(int format, int firstIndex) {
    auto block = Clipboard().get(format);
    if (!block) return 0;
    uint32_t count = 0;
    TMemoryStream records;
    if (!ParseClipboardBlock(*block, count, records)) return 0;
    int pasted = 0;
    for (uint32_t k = 0; k < count; ++k) {
        int d = firstIndex + static_cast<int>(k);
        if (d + 1 > MaxPasteID || d < 0) break;
        // In a dense list position d holds ID d + 1; in any other list the record still goes into
        // the item with that ID rather than into whatever sits at position d.
        TCatalogItem* target = FindOrCreate(d + 1);
        int position = d;
        if (Items(position) != target)
            position =
                static_cast<int>(std::find_if(mItems.begin(), mItems.end(),
                                              [target](const auto& item) { return item.get() == target; }) -
                                 mItems.begin());
        LoadItem(position, records);
        ++pasted;
    }
    return pasted;
}

} // namespace tarvel
