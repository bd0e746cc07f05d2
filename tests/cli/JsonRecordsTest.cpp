#include <gtest/gtest.h>

#include "JsonRecords.h"
#include "SampleRecords.h"
#include "records/Catalog.h"

using namespace tarvel;
using namespace tarvel::cli;

namespace {

class NamedSample : public test::SampleRecord {
public:
    const std::vector<TFieldName>& FieldNames() const override {
        static const std::vector<TFieldName> names = {
            {1, "Name"},
            {2, "Number"},
            {3, "Flag"},
            {4, "Always"},
            {5, "Block", TFieldForm::Int16Array},
            {6, "Buffer", TFieldForm::Bytes},
            {7, "Nested"},
            {8, "Real"},
            {9, "Counter"},
            {10, "OnByDefault"},
            {20, "Table", TFieldForm::Bytes},
        };
        return names;
    }
};

class Item : public TCatalogItem {
public:
    int32_t Level = 1;
    explicit Item(int32_t id = 0) : TCatalogItem(id) { Reset(); }
    void Reset() override {
        Name.clear();
        Level = 1;
    }
    void DescribeField(int id, TCatalogVarData& v, bool) override {
        if (id == 1) v.String(&Name, "Name");
        if (id == 2) v.Integer(&Level, 1, "Level");
    }
    const std::vector<TFieldName>& FieldNames() const override {
        static const std::vector<TFieldName> names = {{1, "Name"}, {2, "Level"}};
        return names;
    }
};

} // namespace

TEST(JsonRecords, RoundTripIsByteExact) {
    NamedSample record;
    record.Name = "Hero";
    record.Number = -300;
    record.Flag = true;
    record.Always = std::string("\xff\xfe raw", 6); // not UTF-8
    record.Block[0] = 0x34;
    record.Block[1] = 0x12;
    record.Block[2] = 0xFF;
    record.Block[3] = 0xFF;
    record.Buffer = {1, 2, 3};
    record.Real = 2.5;
    record.Counter = 7;
    record.OnByDefault = false;
    record.Table[2] = 4;

    Json json = RecordToJson(record);
    EXPECT_EQ(json["Block"], Json::parse("[4660, -1]"));
    EXPECT_EQ(json["Always"], Json::parse(R"({"hex": "fffe20726177"})"));
    EXPECT_EQ(json["Name"], "Hero");

    NamedSample rebuilt;
    RecordFromJson(rebuilt, Json::parse(json.dump()), "");
    EXPECT_EQ(rebuilt.SaveToBytes(), record.SaveToBytes());
}

TEST(JsonRecords, AbsentFieldsTakeTheirResetValues) {
    NamedSample rebuilt;
    rebuilt.Number = 99;
    RecordFromJson(rebuilt, Json::parse(R"({"Flag": true})"), "");
    NamedSample expected;
    expected.Flag = true;
    EXPECT_EQ(rebuilt.SaveToBytes(), expected.SaveToBytes());
}

TEST(JsonRecords, ListsCarryIDs) {
    TCatalogOf<Item> list;
    list.FindOrCreate(1)->Name = "A";
    list.FindOrCreate(4)->Level = 9;
    Json json = ListToJson(list);
    EXPECT_EQ(json.dump(), R"([{"ID":1,"Name":"A","Level":1},{"ID":4,"Name":"","Level":9}])");

    TCatalogOf<Item> rebuilt;
    ListFromJson(rebuilt, Json::parse(R"([{"ID":1,"Name":"A"},{"ID":4,"Level":9},{"Name":"after"}])"), "x");
    ASSERT_EQ(rebuilt.Count(), 3);
    EXPECT_EQ(rebuilt.Find(4)->Level, 9);
    EXPECT_EQ(rebuilt.Find(5)->Name, "after");
}

TEST(JsonRecords, BadJsonNamesThePlace) {
    struct Case {
        const char* json;
        const char* message;
    } cases[] = {
        {R"({"Nmae": "x"})", "Nmae: unknown key"},
        {R"({"Number": "x"})", "Number: expected a whole number"},
        {R"({"Number": 4294967296})", "Number: number 4294967296 is out of range"},
        {R"({"Block": [1, 2, 3]})", "Block: more than 2 entries"},
        {R"({"Block": [40000]})", "Block[0]: number 40000 is out of range"},
        {R"({"Buffer": [256]})", "Buffer[0]: number 256 is out of range"},
        {R"({"Name": {"hex": "f"}})", "Name: hex text of odd length"},
        {R"({"Nested": {"Value": 1}})", "Nested.Value: unknown key"},
        {R"({"Flag": 1})", "Flag: expected true or false"},
        {R"([1])", "(top): expected an object"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.json);
        NamedSample record;
        try {
            RecordFromJson(record, Json::parse(c.json), "");
            ADD_FAILURE() << "accepted";
        } catch (const JsonFormatError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
    TCatalogOf<Item> list;
    EXPECT_THROW(ListFromJson(list, Json::parse(R"([{"ID":2},{"ID":2}])"), "l"), JsonFormatError);
}

TEST(JsonRecords, Utf8Validation) {
    struct Case {
        std::string text;
        bool valid;
    } cases[] = {
        {"plain", true},
        {"\xc3\xa9t\xc3\xa9", true},
        {"\xe2\x82\xac", true},
        {"\xf0\x9f\x98\x80", true},
        {"\xc3", false},
        {"\xe2\x82", false},
        {"\xc0\xaf", false},
        {"\xed\xa0\x80", false},
        {"\xf4\x90\x80\x80", false},
        {"\x80", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(TextToJson(c.text).dump());
        EXPECT_EQ(IsValidUtf8(c.text), c.valid);
        EXPECT_EQ(TextFromJson(TextToJson(c.text), "t"), c.text);
    }
}
