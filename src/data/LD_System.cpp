#include "LD_System.h"

#include <algorithm>
#include <cstdint>

namespace tarvel {

void TQelTestPlayerItem::SetEquipment(int i, int32_t itemID) {
    if (i >= 0 && i < 5) EquipmentData[i] = itemID & 0xFFFF;
}

void TQelTestPlayerItem::DescribeField(int id, TCatalogVarData& v, bool) {
    if (id == 1) v.SetInteger(&HeroID, 1);
    if (id == 2) v.SetInteger(&Level, 1);
    if (id >= 11 && id <= 15) v.SetInteger(&EquipmentData[id - 11], 0);
}

void TQelTestPlayerItem::Reset() {
    HeroID = 1;
    Level = 1;
    for (int32_t& slot : EquipmentData)
        slot = 0;
}

void TQelTestPlayerItem::LoadFromStream(TMemoryStream& stream) {
    TCatalogItem::LoadFromStream(stream);
    for (int32_t& slot : EquipmentData)
        slot &= 0xFFFF;
}

const std::vector<TFieldName>& TQelTestPlayerItem::FieldNames() const {
    static const std::vector<TFieldName> names = {
        {1, "HeroID"}, {2, "Level"},   {11, "Weapon"},    {12, "Shield"},
        {13, "Armor"}, {14, "Helmet"}, {15, "Accessory"},
    };
    return names;
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
    if (id >= 31 && id <= 38) {
        v.SetField(vkRecord, static_cast<TStreamable*>(&(this->*musics[id - 31])), 0);
        return;
    }
    if (id >= 41 && id < 41 + SystemSoundCount) {
        v.SetField(vkRecord, static_cast<TStreamable*>(&Sounds[id - 41]), 0);
        return;
    }
    if (id >= 61 && id < 61 + SystemTransitionCount) {
        v.SetField(vkBlock, &Transitions[id - 61], 1);
        return;
    }
    switch (id) {
    case 11:
        v.SetString(&BoatName, true);
        break;
    case 12:
        v.SetString(&ShipName, true);
        break;
    case 13:
        v.SetString(&AirshipName, true);
        break;
    case 14:
        v.SetInteger(&BoatIndex, 0);
        break;
    case 15:
        v.SetInteger(&ShipIndex, 0);
        break;
    case 16:
        v.SetInteger(&AirshipIndex, 0);
        break;
    case 17:
        v.SetString(&TitleName, true);
        break;
    case 18:
        v.SetString(&GameOverName, true);
        break;
    case 19:
        v.SetString(&SystemName, true);
        break;
    case 21:
        v.SetInteger(&PartySize, 1);
        break;
    case 22:
        // A party size read from a file may be anything; the size only matters on save, where it
        // has been fitted to the array.
        v.SetField(vkBuffer, &PartyHeroes,
                   static_cast<int32_t>(std::min<int64_t>(2 * int64_t{std::max(PartySize, 0)}, INT32_MAX)));
        break;
    case 71:
        v.SetInteger(&WallpaperMode, 0);
        break;
    case 72:
        v.SetInteger(&GameFont, 0);
        break;
    case 81:
        v.SetInteger(&PreviewMonster, 1);
        break;
    case 82:
        v.SetField(vkBlock, &PreviewGrid, 1);
        break;
    case 84:
        v.SetString(&MonGroupBackdrop, true);
        break;
    case 85:
        v.SetField(vkList, static_cast<TStreamable*>(&TestParty), 0);
        break;
    case 91:
        v.SetInteger(&SaveCount, 0);
        break;
    }
}

void TQelSystem::Reset() {
    BoatName.clear();
    ShipName.clear();
    AirshipName.clear();
    BoatIndex = ShipIndex = AirshipIndex = 0;
    TitleName.clear();
    GameOverName.clear();
    SystemName.clear();
    SetPartySize(1);
    SetPartyHero(0, 1);
    for (TQelMusic* music : {&TitleMusic, &BattleMusic, &BattleEndMusic, &InnMusic, &BoatMusic, &ShipMusic,
                             &AirshipMusic, &GameOverMusic})
        music->Reset();
    for (TQelSound& sound : Sounds)
        sound.Reset();
    for (uint8_t& transition : Transitions)
        transition = 0;
    WallpaperMode = 0;
    GameFont = 0;
    PreviewMonster = 1;
    PreviewGrid = 1;
    MonGroupBackdrop.clear();
    TestParty.Clear();
    SaveCount = 0;
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

const std::vector<TFieldName>& TQelSystem::FieldNames() const {
    static const std::vector<TFieldName> names = {
        {11, "BoatName"},
        {12, "ShipName"},
        {13, "AirshipName"},
        {14, "BoatIndex"},
        {15, "ShipIndex"},
        {16, "AirshipIndex"},
        {17, "TitleName"},
        {18, "GameOverName"},
        {19, "SystemName"},
        {21, "PartySize", TFieldForm::Hidden},
        {22, "PartyHeroes", TFieldForm::UInt16Array, 21},
        {31, "TitleMusic"},
        {32, "BattleMusic"},
        {33, "BattleEndMusic"},
        {34, "InnMusic"},
        {35, "BoatMusic"},
        {36, "ShipMusic"},
        {37, "AirshipMusic"},
        {38, "GameOverMusic"},
        {41, "CursorSound"},
        {42, "DecisionSound"},
        {43, "CancelSound"},
        {44, "BuzzerSound"},
        {45, "BattleStartSound"},
        {46, "EscapeSound"},
        {47, "EnemyAttackSound"},
        {48, "EnemyDamageSound"},
        {49, "AllyDamageSound"},
        {50, "EvasionSound"},
        {51, "EnemyDeathSound"},
        {52, "ItemUseSound"},
        {61, "TeleportErase"},
        {62, "TeleportShow"},
        {63, "BattleStartErase"},
        {64, "BattleStartShow"},
        {65, "BattleEndErase"},
        {66, "BattleEndShow"},
        {71, "WallpaperMode"},
        {72, "GameFont"},
        {81, "PreviewMonster"},
        {82, "PreviewGrid"},
        {84, "MonGroupBackdrop"},
        {85, "TestParty"},
        {91, "SaveCount"},
    };
    return names;
}

} // namespace tarvel
