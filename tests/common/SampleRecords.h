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
        case 1: v.SetInteger(&Value, 0); break;
        case 2: v.SetString(&Text, true); break;
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
        case 1: v.SetString(&Name, true); break;
        case 2: v.SetInteger(&Number, 0); break;
        case 3: v.SetBoolean(&Flag, false); break;
        case 4: v.SetString(&Always, false); break;
        case 5: v.SetField(vkBlock, Block, sizeof Block); break;
        case 6: v.SetField(vkBuffer, &Buffer, static_cast<int32_t>(Buffer.size())); break;
        case 7: v.SetField(vkRecord, &Nested, 0); break;
        case 8:
            v.SetField(vkReal, &Real, 8);
            v.DefaultReal = 0;
            break;
        case 9: v.SetField(vkInteger, &Counter, 0); break;
        case 10: v.SetBoolean(&OnByDefault, true); break;
        case 20:
            if (forLoad || Table[0] || Table[1] || Table[2]) v.SetField(vkBlock, Table, sizeof Table);
            break;
        }
    }
};

} // namespace tarvel::test
