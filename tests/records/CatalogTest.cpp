#include <gtest/gtest.h>

#include "records/Catalog.h"
#include "records/ClipboardPort.h"

using namespace tarvel;
using Bytes = std::vector<uint8_t>;

namespace {

// An item with a name (field 1) and a value (field 2).
class Entry : public TCatalogItem {
public:
    int32_t Value = 0;
    explicit Entry(int32_t id = 0) : TCatalogItem(id) { Reset(); }
    void Reset() override {
        Name.clear();
        Value = 0;
    }
    void DescribeField(int id, TCatalogVarData& v, bool) override {
        if (id == 1) v.String(&Name, "Name");
        if (id == 2) v.Integer(&Value, 0, "Value");
    }
};

using EntryList = TCatalogOf<Entry>;

std::vector<int> ids(const TCatalog& list) {
    std::vector<int> out;
    for (const auto& item : list)
        out.push_back(item->ID);
    return out;
}

// A list with the given IDs; each item's name is "n<original ID>" so moves can be followed.
void fill(EntryList& list, std::vector<int> idList) {
    list.Clear();
    for (int id : idList)
        list.FindOrCreate(id)->Name = "n" + std::to_string(id);
}

std::vector<std::string> names(const TCatalog& list) {
    std::vector<std::string> out;
    for (const auto& item : list)
        out.push_back(item->Name);
    return out;
}

} // namespace

TEST(Catalog, Operations) {
    EntryList list;
    fill(list, {1, 2, 3});
    list.FindOrCreate(5);
    EXPECT_EQ(ids(list), (std::vector<int>{1, 2, 3, 5}));
    list.FindOrCreate(4);
    EXPECT_EQ(ids(list), (std::vector<int>{1, 2, 3, 4, 5}));

    fill(list, {1, 2, 3});
    list.Insert(2)->Name = "new";
    EXPECT_EQ(ids(list), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(names(list), (std::vector<std::string>{"n1", "new", "n2", "n3"}));

    fill(list, {1, 2, 3, 4});
    list.Remove(2);
    EXPECT_EQ(ids(list), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(names(list), (std::vector<std::string>{"n1", "n3", "n4"}));
    fill(list, {1, 2, 3, 4});
    list.Delete(2);
    EXPECT_EQ(ids(list), (std::vector<int>{1, 3, 4}));
    list.Delete(9);
    list.Remove(9);
    EXPECT_EQ(ids(list), (std::vector<int>{1, 3, 4}));

    list.Clear();
    EXPECT_EQ(list.Append()->ID, 1);
    fill(list, {1, 2, 7});
    EXPECT_EQ(list.Append()->ID, 8);

    fill(list, {1, 2, 7});
    EXPECT_EQ(list.Find(3), nullptr);
    EXPECT_EQ(list.Find(9), nullptr);
    ASSERT_NE(list.Find(7), nullptr);
    EXPECT_EQ(list.Find(7)->Name, "n7");
    EXPECT_EQ(list.Items(3), nullptr);

    fill(list, {1, 2, 3});
    list.SortAndRenumber([](const TCatalogItem& a, const TCatalogItem& b) { return a.Name > b.Name; });
    EXPECT_EQ(ids(list), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(names(list), (std::vector<std::string>{"n3", "n2", "n1"}));
}

TEST(Catalog, SerialisedForm) {
    EntryList list;
    TMemoryStream empty;
    list.SaveToStream(empty);
    EXPECT_EQ(empty.Bytes(), Bytes{0x00});

    list.FindOrCreate(1);
    list.FindOrCreate(2);
    TMemoryStream two;
    list.SaveToStream(two);
    EXPECT_EQ(two.Bytes(), (Bytes{0x02, 0x01, 0x00, 0x02, 0x00}));

    // IDs 3, 1, 2 load sorted; a repeated ID keeps the later record.
    TMemoryStream unordered(
        Bytes{0x04, 0x03, 0x00, 0x01, 0x02, 0x01, 0x05, 0x00, 0x02, 0x00, 0x01, 0x02, 0x01, 0x06, 0x00});
    list.LoadFromStream(unordered);
    EXPECT_EQ(ids(list), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(list.Find(1)->Value, 6);
}

TEST(Catalog, ReadErrorsLeaveTheListEmpty) {
    struct Case {
        const char* name;
        Bytes bytes;
    } cases[] = {
        {"stream ends in the third record", {0x03, 0x01, 0x00, 0x02, 0x00, 0x03, 0x02, 0x01}},
        {"huge count in a short stream", {0x8F, 0xFF, 0xFF, 0xFF, 0x7F, 0x01, 0x00}},
        {"no count", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EntryList list;
        fill(list, {1, 2});
        TMemoryStream stream(c.bytes);
        EXPECT_THROW(list.LoadFromStream(stream), EReadError);
        EXPECT_EQ(list.Count(), 0);
    }
}

TEST(Catalog, AssignCopiesItemsWithTheirIDs) {
    EntryList source, target;
    fill(source, {2, 5});
    source.Find(5)->Value = 9;
    fill(target, {1});
    target.Assign(source);
    EXPECT_EQ(ids(target), (std::vector<int>{2, 5}));
    EXPECT_EQ(target.Find(5)->Value, 9);
    EXPECT_EQ(target.Find(2)->Name, "n2");
}

TEST(Catalog, ClipboardCopyAndPasteWithTheFiveThousandLimit) {
    MemoryClipboard clipboard;
    SetClipboardPort(&clipboard);
    EntryList source;
    fill(source, {1, 2, 3, 4, 5});
    source.CopyToClipboard(ClipboardFormat::Items, 1, 4);
    Bytes block = *clipboard.get(ClipboardFormat::Items);
    ASSERT_GE(block.size(), 8u);
    EXPECT_EQ(block[4], 4); // record count
    EXPECT_EQ(block[0], block.size() - 8);

    EntryList dense;
    for (int id = 1; id <= 4998; ++id)
        dense.FindOrCreate(id);
    EXPECT_EQ(dense.PasteFromClipboard(ClipboardFormat::Items, 4997), 3);
    EXPECT_EQ(dense.Count(), 5000);
    EXPECT_EQ(dense.Find(4998)->Name, "n2");
    EXPECT_EQ(dense.Find(5000)->Name, "n4");

    EntryList nearEnd;
    for (int id = 1; id <= 4998; ++id)
        nearEnd.FindOrCreate(id);
    EXPECT_EQ(nearEnd.PasteFromClipboard(ClipboardFormat::Items, 4998), 2); // IDs 4999..5002
    EXPECT_EQ(nearEnd.Count(), 5000);

    // A list with gaps gets each record in the item of its ID.
    EntryList sparse;
    fill(sparse, {1, 5});
    EXPECT_EQ(sparse.PasteFromClipboard(ClipboardFormat::Items, 2), 4);
    EXPECT_EQ(ids(sparse), (std::vector<int>{1, 3, 4, 5, 6}));
    EXPECT_EQ(sparse.Find(3)->Name, "n2");
    EXPECT_EQ(sparse.Find(6)->Name, "n5");

    EXPECT_EQ(sparse.PasteFromClipboard(ClipboardFormat::Skills, 0), 0);
    SetClipboardPort(nullptr);
}
