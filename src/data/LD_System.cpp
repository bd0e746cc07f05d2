#include "LD_System.h"

#include <algorithm>
#include <cstdint>

namespace tarvel {

void TQelTestPlayerItem::SetEquipment(int i, int32_t itemID) {
    if (i >= 0 && i < 5) EquipmentData[i] = itemID & 0xFFFF;
}

void TQelTestPlayerItem::DescribeField(int id, TCatalogVarData& v, bool) {
    if (id == 1) v.Integer(&HeroID, 1, "HeroID");
    if (id == 2) v.Integer(&Level, 1, "Level");
    static const char* const slotNames[] = {"Weapon", "Shield", "Armor", "Helmet", "Accessory"};
    if (id >= 11 && id <= 15) v.Integer(&EquipmentData[id - 11], 0, slotNames[id - 11]);
}

void TQelTestPlayerItem::LoadFromStream(TMemoryStream& stream) {
    TCatalogItem::LoadFromStream(stream);
    for (int32_t& slot : EquipmentData)
        slot &= 0xFFFF;
}

void TQelSystem::SetPartySize(int32_t n) {
    if (n < 0) n = 0;
    PartySize = n;
    PartyHeroes.resize(2 * static_cast<size_t>(n), 0);
}

int32_t TQelSystem::PartyHero(int i) const {
    if (i < 0 || i >= PartySize || 2 * static_cast<size_t>(i) + 2 > PartyHeroes.size()) return 0;
    return BlockUInt16(PartyHeroes.data(), i);
}

void TQelSystem::SetPartyHero(int i, int32_t heroID) {
    if (i < 0 || i >= PartySize) return;
    if (heroID == 0) {
        SetPartySize(i);
        return;
    }
    if (2 * static_cast<size_t>(i) + 2 > PartyHeroes.size())
        PartyHeroes.resize(2 * static_cast<size_t>(i) + 2, 0);
    SetBlockUInt16(PartyHeroes.data(), i, static_cast<uint16_t>(heroID));
}

void TQelSystem::DescribeField(int id, TCatalogVarData& v, bool) {
    static TQelMusic TQelSystem::*const musics[8] = {
        &TQelSystem::TitleMusic,   &TQelSystem::BattleMusic,   &TQelSystem::BattleEndMusic,
        &TQelSystem::InnMusic,     &TQelSystem::BoatMusic,     &TQelSystem::ShipMusic,
        &TQelSystem::AirshipMusic, &TQelSystem::GameOverMusic,
    };
    static const char* const musicNames[8] = {"TitleMusic", "BattleMusic", "BattleEndMusic", "InnMusic",
                                              "BoatMusic",  "ShipMusic",   "AirshipMusic",   "GameOverMusic"};
    static const char* const soundNames[SystemSoundCount] = {
        "CursorSound",      "DecisionSound", "CancelSound",      "BuzzerSound",
        "BattleStartSound", "EscapeSound",   "EnemyAttackSound", "EnemyDamageSound",
        "AllyDamageSound",  "EvasionSound",  "EnemyDeathSound",  "ItemUseSound"};
    static const char* const transitionNames[SystemTransitionCount] = {"TeleportErase",    "TeleportShow",
                                                                       "BattleStartErase", "BattleStartShow",
                                                                       "BattleEndErase",   "BattleEndShow"};
    if (id >= 31 && id <= 38) {
        v.Record(&(this->*musics[id - 31]), musicNames[id - 31]);
        return;
    }
    if (id >= 41 && id < 41 + SystemSoundCount) {
        v.Record(&Sounds[id - 41], soundNames[id - 41]);
        return;
    }
    if (id >= 61 && id < 61 + SystemTransitionCount) {
        v.Block(&Transitions[id - 61], 1, transitionNames[id - 61]);
        return;
    }
    switch (id) {
    case 11:
        v.String(&BoatName, "BoatName");
        break;
    case 12:
        v.String(&ShipName, "ShipName");
        break;
    case 13:
        v.String(&AirshipName, "AirshipName");
        break;
    case 14:
        v.Integer(&BoatIndex, 0, "BoatIndex");
        break;
    case 15:
        v.Integer(&ShipIndex, 0, "ShipIndex");
        break;
    case 16:
        v.Integer(&AirshipIndex, 0, "AirshipIndex");
        break;
    case 17:
        v.String(&TitleName, "TitleName");
        break;
    case 18:
        v.String(&GameOverName, "GameOverName");
        break;
    case 19:
        v.String(&SystemName, "SystemName");
        break;
    case 21:
        v.Integer(&PartySize, 1, "PartySize").Hidden();
        break;
    case 22:
        // A party size read from a file may be anything; the size only matters on save, where it
        // has been fitted to the array.
        v.Buffer(&PartyHeroes,
                 static_cast<int32_t>(std::min<int64_t>(2 * int64_t{std::max(PartySize, 0)}, INT32_MAX)),
                 "PartyHeroes", TFieldForm::UInt16Array, 21);
        break;
    case 71:
        v.Integer(&WallpaperMode, 0, "WallpaperMode");
        break;
    case 72:
        v.Integer(&GameFont, 0, "GameFont");
        break;
    case 81:
        v.Integer(&PreviewMonster, 1, "PreviewMonster");
        break;
    case 82:
        v.Block(&PreviewGrid, 1, "PreviewGrid").ResetTo(1);
        break;
    case 84:
        v.String(&MonGroupBackdrop, "MonGroupBackdrop");
        break;
    case 85:
        v.List(&TestParty, "TestParty");
        break;
    case 91:
        v.Integer(&SaveCount, 0, "SaveCount");
        break;
    }
}

void TQelSystem::Reset() {
    TCatalogBaseItem::Reset();
    // A new game's party is hero 1.
    SetPartySize(1);
    SetPartyHero(0, 1);
}

void TQelSystem::LoadFromStream(TMemoryStream& stream) {
    TCatalogBaseItem::LoadFromStream(stream);
    // The party array as read need not match the party size; the size is cut to what was read.
    int32_t entries = static_cast<int32_t>(PartyHeroes.size() / 2);
    if (PartySize < 0 || PartySize > entries) PartySize = PartySize < 0 ? 0 : entries;
    PartyHeroes.resize(2 * static_cast<size_t>(PartySize));
}

void TQelSystem::SaveToStream(TMemoryStream& stream) const {
    auto* self = const_cast<TQelSystem*>(this);
    ++self->SaveCount;
    self->SetPartySize(PartySize);
    TCatalogBaseItem::SaveToStream(stream);
}

} // namespace tarvel
