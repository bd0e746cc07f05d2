#pragma once

// Small records that use every field kind of the chunk encoding, for the encoding's tests,
// benchmarks and fuzz target.

#include <cstring>

#include "records/CatalogBase.h"

namespace tarvel::test {

class SampleNested : public TCatalogBaseItem {
public:
    int32_t Value = 0;
    std::string Text;
    SampleNested() { Reset(); }
    void Reset() override {
        Value = 0;
        Text.clear();
    }
    void DescribeField(int id, TCatalogVarData& v, bool) override {
        switch (id) {
        // No plain-text names: the nested record has no plain-text form.
        case 1:
            v.Integer(&Value, 0, nullptr);
            break;
        case 2:
            v.String(&Text, nullptr);
            break;
        }
    }
};

// Field IDs: 1 name (skipped when empty), 2 integer (default 0), 3 boolean (default false),
// 4 string always written, 5 block of 4 bytes, 6 buffer, 7 nested record, 8 real,
// 9 integer with no default, 10 boolean default true, 20 a block that is read but declined on save
// while it holds zeros.
class SampleRecord : public TCatalogBaseItem {
public:
    std::string Name;
    int32_t Number = 0;
    bool Flag = false;
    std::string Always;
    uint8_t Block[4] = {};
    std::vector<uint8_t> Buffer;
    SampleNested Nested;
    double Real = 0;
    int32_t Counter = 0;
    bool OnByDefault = true;
    uint8_t Table[3] = {};

    SampleRecord() { Reset(); }
    void Reset() override {
        Name.clear();
        Number = 0;
        Flag = false;
        Always.clear();
        std::memset(Block, 0, sizeof Block);
        Buffer.clear();
        Nested.Reset();
        Real = 0;
        Counter = 0;
        OnByDefault = true;
        std::memset(Table, 0, sizeof Table);
    }
    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override {
        switch (id) {
        case 1:
            v.String(&Name, "Name");
            break;
        case 2:
            v.Integer(&Number, 0, "Number");
            break;
        case 3:
            v.Boolean(&Flag, false, "Flag");
            break;
        case 4:
            v.String(&Always, "Always", false);
            break;
        case 5:
            v.Block(Block, sizeof Block, "Block");
            break;
        case 6:
            v.Buffer(&Buffer, static_cast<int32_t>(Buffer.size()), "Buffer");
            break;
        case 7:
            v.Record(&Nested, "Nested");
            break;
        case 8:
            v.Real(&Real, 0, "Real");
            break;
        case 9:
            v.Integer(&Counter, NoDefaultInt, "Counter");
            break;
        case 10:
            v.Boolean(&OnByDefault, true, "OnByDefault");
            break;
        case 20:
            if (forLoad || Table[0] || Table[1] || Table[2]) v.Block(Table, sizeof Table, "Table");
            break;
        }
    }
};

} // namespace tarvel::test
