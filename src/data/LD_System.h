#pragma once

// The system record (database section 22): vehicles, title and game-over pictures, the initial
// party, system music and sounds, screen transitions and a few editor settings, with the party
// used for battle tests.

#include <cstdint>
#include <string>
#include <vector>

#include "LD_Common.h"
#include "LD_Music.h"

namespace tarvel {

// One member of the battle-test party; ID is the position in the party.
class TQelTestPlayerItem : public TCatalogItem {
public:
    int32_t HeroID;
    int32_t Level;
    // Item IDs of weapon, shield, armour, helmet and accessory. Each slot is a 16-bit value
    // written as its own integer chunk; a reader keeps the low 16 bits.
    int32_t EquipmentData[5];

    explicit TQelTestPlayerItem(int32_t id = 0) : TCatalogItem(id) { Reset(); }
    // Slot i (0..4), 0 outside.
    int32_t Equipment(int i) const { return i >= 0 && i < 5 ? EquipmentData[i] : 0; }
    // Ignored outside 0..4.
    void SetEquipment(int i, int32_t itemID);

    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
    void LoadFromStream(TMemoryStream& stream) override;
};

// The battle-test party; accessed by position only, without an error.
class TQelTestPlayer : public TCatalogOf<TQelTestPlayerItem> {};

// Indexes of the twelve system sounds (chunks 41..52).
enum TSystemSound {
    ssCursor,
    ssDecision,
    ssCancel,
    ssBuzzer,
    ssBattleStart,
    ssEscape,
    ssEnemyAttack,
    ssEnemyDamage,
    ssAllyDamage,
    ssEvasion,
    ssEnemyDeath,
    ssItemUse,
    SystemSoundCount
};

// Indexes of the six screen transitions (chunks 61..66). Erase effects are numbered 0 "Fade-out"
// .. 20 "Do Not Erase", show effects 0 "Fade-In" .. 19 "Instant Display".
enum TSystemTransition {
    stTeleportErase,
    stTeleportShow,
    stBattleStartErase,
    stBattleStartShow,
    stBattleEndErase,
    stBattleEndShow,
    SystemTransitionCount
};

class TQelSystem : public TCatalogBaseItem {
public:
    std::string BoatName; // character sets (folder "CharSet")
    std::string ShipName;
    std::string AirshipName;
    int32_t BoatIndex;
    int32_t ShipIndex;
    int32_t AirshipIndex;
    std::string TitleName;    // folder "Title"
    std::string GameOverName; // folder "GameOver"
    std::string SystemName;   // folder "System"
    int32_t PartySize;
    std::vector<uint8_t> PartyHeroes; // PartySize 16-bit little-endian hero IDs
    TQelMusic TitleMusic;
    TQelMusic BattleMusic;
    TQelMusic BattleEndMusic;
    TQelMusic InnMusic;
    TQelMusic BoatMusic;
    TQelMusic ShipMusic;
    TQelMusic AirshipMusic;
    TQelMusic GameOverMusic;
    TQelSound Sounds[SystemSoundCount];
    uint8_t Transitions[SystemTransitionCount];
    int32_t WallpaperMode; // 0 "Enlarge to Display", 1 "Tile Display"
    int32_t GameFont;
    int32_t PreviewMonster;       // the animation editor's "Target Victim"
    uint8_t PreviewGrid;          // the animation editor's "Use Grid"
    std::string MonGroupBackdrop; // folder "Backdrop"
    TQelTestPlayer TestParty;
    int32_t SaveCount; // counts the saves of the record

    TQelSystem() { Reset(); }

    // Sets the party size and re-sizes the hero array (new entries 0).
    void SetPartySize(int32_t n);
    // Entry i, 0 outside 0..PartySize - 1.
    int32_t PartyHero(int i) const;
    // Stores entry i (ignored outside the party); hero 0 cuts the party to i entries.
    void SetPartyHero(int i, int32_t heroID);

    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
    void Reset() override;
    void LoadFromStream(TMemoryStream& stream) override;
    // Counts the save, then writes the chunks (so each database save counts once).
    void SaveToStream(TMemoryStream& stream) const override;
};

} // namespace tarvel
