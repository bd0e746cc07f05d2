#include "MapGraphics.h"

#include "data/LD_DataBase.h"

namespace tarvel {

const TQelChipSetItem* ChipSetIDLook::Record() const {
    TQelDataBase* db = TQelDataBase::Current();
    return db ? db->ChipSets().Find(mID) : nullptr;
}

void TMapGraphics::ReloadChipSet(int32_t chipSetID) {
    mChipSetID = chipSetID;
    mRecord.SetID(chipSetID);
    if (mRecord.Record()) {
        mChipSet.SetChipSet(&mRecord);
    } else {
        // An ID the database does not have draws a blank chipset rather than a stale one.
        mChipSet.Reset();
    }
}

void TMapGraphics::CollectCharSet(const std::string& charName) {
    mCharSets.Acquire(charName);
}

TMapGraphics& AttachMapGraphics(TQelMap& map) {
    auto graphics = std::make_unique<TMapGraphics>();
    TMapGraphics& result = *graphics;
    map.SetGraphics(std::move(graphics));
    return result;
}

TMapGraphics* MapGraphicsOf(const TQelMap& map) {
    return dynamic_cast<TMapGraphics*>(&map.Graphics());
}

} // namespace tarvel
