#pragma once

// The map's graphics: its chipset renderer and character-set cache, plugged into the data code's
// map through its graphics interface. The chipset record is found by ID in the process-wide
// database and read live, so changed sea animation settings need no reload.

#include <memory>

#include "data/LD_ChipSet.h"
#include "data/LD_Map.h"
#include "graphics/GR_CharSet.h"
#include "graphics/GR_ChipSet.h"

namespace tarvel {

// A chipset record held by the caller (the game's own database) as the chipset renderer reads it.
class ChipSetRecordLook : public ChipSetRecordPort {
public:
    explicit ChipSetRecordLook(const TQelChipSetItem* record = nullptr) : mRecord(record) {}
    void SetRecord(const TQelChipSetItem* record) { mRecord = record; }
    const TQelChipSetItem* Record() const { return mRecord; }
    std::string GraphicName() const override { return mRecord ? mRecord->GraphicName : std::string(); }
    int SeaAnimation() const override { return mRecord ? mRecord->SeaAnimation : 0; }
    int SeaSpeed() const override { return mRecord ? mRecord->SeaSpeed : 0; }

private:
    const TQelChipSetItem* mRecord;
};

// A chipset record of the database as the chipset renderer reads it. The record is looked up by
// its ID in the current database at each use: the database window may read the database again or
// shorten the chipset list while the map is shown, and a kept pointer would then be left dangling.
class ChipSetIDLook : public ChipSetRecordPort {
public:
    void SetID(int32_t id) { mID = id; }
    // The record, or nullptr when the database has none of that ID.
    const TQelChipSetItem* Record() const;
    std::string GraphicName() const override {
        const TQelChipSetItem* record = Record();
        return record ? record->GraphicName : std::string();
    }
    int SeaAnimation() const override {
        const TQelChipSetItem* record = Record();
        return record ? record->SeaAnimation : 0;
    }
    int SeaSpeed() const override {
        const TQelChipSetItem* record = Record();
        return record ? record->SeaSpeed : 0;
    }

private:
    int32_t mID = 0;
};

class TMapGraphics : public TQelMapGraphics {
public:
    // Looks the chipset up in the current database (none: a blank chipset) and loads its picture.
    void ReloadChipSet(int32_t chipSetID) override;
    void CollectCharSet(const std::string& charName) override;

    TQelChipSetGraphic& ChipSet() { return mChipSet; }
    TQelCharSetGraphic& CharSets() { return mCharSets; }
    int32_t ChipSetID() const { return mChipSetID; }

private:
    ChipSetIDLook mRecord;
    TQelChipSetGraphic mChipSet;
    TQelCharSetGraphic mCharSets;
    int32_t mChipSetID = 0;
};

// Gives the map real graphics and returns them (owned by the map).
TMapGraphics& AttachMapGraphics(TQelMap& map);
// The map's graphics when they are real ones, else nullptr.
TMapGraphics* MapGraphicsOf(const TQelMap& map);

} // namespace tarvel
