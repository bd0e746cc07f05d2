#pragma once

// Databases for the tests, benchmarks and fuzz seeds of the game data: every described field of
// every record set to a value that differs from its reset value, so that a round trip that drops
// or swaps a field shows.

#include <cstring>
#include <string>

#include "data/LD_DataBase.h"

namespace tarvel::test {

inline int FieldElementSize(TFieldForm form) {
    switch (form) {
    case TFieldForm::Int16Array:
    case TFieldForm::UInt16Array:
        return 2;
    case TFieldForm::Int32Array:
        return 4;
    default:
        return 1;
    }
}

// A script of lines with text and parameters (negative ones too), ending in an end line.
inline void FillScript(TQelEventScriptList& script, int lines, int seed) {
    script.Clear();
    for (int i = 0; i + 1 < lines; ++i) {
        int32_t code = (i % 3 == 0) ? 10110 : (i % 3 == 1) ? 10220 : 12010;
        std::vector<int32_t> params;
        for (int p = 0; p < 1 + (i + seed) % 7; ++p)
            params.push_back((p % 2 ? -1 : 1) * (seed * 31 + i * 7 + p));
        script.Add(TQelEventScriptLine(
            code, i % 4, code == 10110 ? "Line " + std::to_string(i) + " of a message" : "", params));
    }
    script.Add(TQelEventScriptLine(EndOfScriptCode, 0));
}

// Sets every named field of the record, its nested records and two items of each nested list to
// values other than their reset values. counter makes the values differ from field to field.
inline void FillEveryField(TCatalogBaseItem& record, int& counter, int listItems = 2, int scriptLines = 6) {
    if (auto* page = dynamic_cast<TQelBaseEventPageItem*>(&record))
        FillScript(page->Script, scriptLines, counter++);
    if (auto* route = dynamic_cast<TQelMoveRoute*>(&record)) {
        route->ClearCommands();
        for (int32_t code : {mcUp, mcSwitchOn, mcChangeGraphic, mcPlaySound, mcWait}) {
            auto command = std::make_unique<TQelMoveRouteItem>(code);
            command->SwitchID = 5;
            command->GraphicName = "Actor1";
            command->GraphicIndex = 3;
            command->SoundName = "Bell";
            command->SoundVolume = 90;
            command->SoundTempo = 110;
            command->SoundBalance = 40;
            route->Add(std::move(command));
        }
    }
    TCatalogVarData v;
    for (const TFieldName& field : record.FieldNames()) {
        if (field.form == TFieldForm::Hidden) continue;
        v = TCatalogVarData();
        record.DescribeField(field.id, v, true);
        int k = counter++;
        switch (v.Kind) {
        case vkInteger: {
            auto& value = *static_cast<int32_t*>(v.Data);
            value = value + 1 + k % 50;
            break;
        }
        case vkBoolean: {
            auto& value = *static_cast<uint8_t*>(v.Data);
            value = value ? 0 : 1;
            break;
        }
        case vkString:
            *static_cast<std::string*>(v.Data) = std::string(field.name) + " " + std::to_string(k);
            break;
        case vkBlock: {
            auto* bytes = static_cast<uint8_t*>(v.Data);
            for (int i = 0; i < v.Size; ++i)
                bytes[i] = static_cast<uint8_t>(bytes[i] + 1 + (k + i) % 3);
            break;
        }
        case vkBuffer: {
            // Two entries that are not neutral for any table (the neutral values are 0, 1 and 2).
            auto& buffer = *static_cast<std::vector<uint8_t>*>(v.Data);
            int width = FieldElementSize(field.form);
            buffer.assign(2 * static_cast<size_t>(width), 0);
            buffer[0] = 3;
            buffer[static_cast<size_t>(width)] = 4;
            if (field.countId) {
                TCatalogVarData count;
                record.DescribeField(field.countId, count, true);
                *static_cast<int32_t*>(count.Data) = 2;
            }
            break;
        }
        case vkRecord:
            FillEveryField(*static_cast<TCatalogBaseItem*>(static_cast<TStreamable*>(v.Data)), counter,
                           listItems, scriptLines);
            break;
        case vkList: {
            auto& list = *static_cast<TCatalog*>(static_cast<TStreamable*>(v.Data));
            list.Clear();
            for (int id = 1; id <= listItems; ++id)
                FillEveryField(*list.FindOrCreate(id), counter, listItems, scriptLines);
            break;
        }
        default:
            break;
        }
    }
}

// A database whose list sections hold the given number of records, every field of every record
// set; common events carry scripts of scriptLines lines.
inline void FillSampleDataBase(TQelDataBase& db, int records, int scriptLines = 6) {
    int counter = 0;
    for (int id = FirstDataBaseSection; id <= LastDataBaseSection; ++id) {
        TStreamable* section = db.Section(id);
        if (auto* list = dynamic_cast<TCatalog*>(section)) {
            TQelDataBase::ResetList(*list, records);
            for (const auto& item : *list)
                FillEveryField(*item, counter, 2, scriptLines);
        } else {
            FillEveryField(*static_cast<TCatalogBaseItem*>(section), counter);
        }
    }
}

} // namespace tarvel::test
