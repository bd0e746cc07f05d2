#include "RtpCatalog.h"

namespace tarvel::rtp::catalog {

const char* const kTitle = "Title1";
const char* const kGameOver = "GameOver1";
const char* const kSystem = "System1";
const char* const kFieldMusic = "Field1";
const char* const kTownMusic = "Town1";
const char* const kDungeonMusic = "Dungeon1";
const char* const kCastleMusic = "Castle1";
const char* const kBossMusic = "Boss1";

const std::vector<Hero>& Heroes() {
    static const std::vector<Hero> heroes = {
        {"Aren", "Swordsman", "Hero1", 0, "Hero1", 0}, {"Lysa", "Mage", "Hero1", 1, "Hero1", 1},
        {"Brom", "Knight", "Hero1", 2, "Hero1", 2},    {"Kira", "Archer", "Hero1", 3, "Hero1", 3},
        {"Mira", "Priestess", "Hero1", 4, "Hero1", 4}, {"Dax", "Thief", "Hero1", 5, "Hero1", 5},
        {"Tao", "Monk", "Hero1", 6, "Hero1", 6},       {"Gorm", "Axe Warrior", "Hero1", 7, "Hero1", 7},
        {"Ryo", "Samurai", "Hero2", 0, "Hero2", 0},    {"Cedric", "Paladin", "Hero2", 1, "Hero2", 1},
        {"Pell", "Bard", "Hero2", 2, "Hero2", 2},      {"Vessa", "Witch", "Hero2", 3, "Hero2", 3},
        {"Jack", "Pirate", "Hero2", 4, "Hero2", 4},    {"Sela", "Dancer", "Hero2", 5, "Hero2", 5},
        {"Theo", "Scholar", "Hero2", 6, "Hero2", 6},   {"Elwin", "Elf Archer", "Hero2", 7, "Hero2", 7},
    };
    return heroes;
}

const std::vector<SystemSlot>& SystemMusic() {
    static const std::vector<SystemSlot> music = {
        {31, "Title Screen", "Title1"}, {32, "Battle", "Battle1"},
        {33, "Battle End", "Victory1"}, {34, "Inn", "Inn1"},
        {35, "Boat", "Voyage1"},        {36, "Ship", "Voyage1"},
        {37, "Airship", "Airship1"},    {38, "Game Over", "GameOver1"},
    };
    return music;
}

const std::vector<SystemSlot>& SystemSounds() {
    static const std::vector<SystemSlot> sounds = {
        {41, "Cursor Movement", "Cursor1"},
        {42, "Decision", "Decision1"},
        {43, "Cancel", "Cancel1"},
        {44, "Buzzer", "Buzzer1"},
        {45, "Start Battle", "BattleStart1"},
        {46, "Escape", "Escape1"},
        {47, "Enemy Attack", "EnemyAttack1"},
        {48, "Enemys Damage", "EnemyDamage1"},
        {49, "Friends Damage", "AllyDamage1"},
        {50, "Evasion", "Evasion1"},
        {51, "Enemy Die", "EnemyDefeat1"},
        {52, "Item Use", "ItemUse1"},
    };
    return sounds;
}

const std::vector<Vehicle>& Vehicles() {
    static const std::vector<Vehicle> vehicles = {
        {"Boat", "Vehicle1", 0}, {"Ship", "Vehicle1", 1}, {"Airship", "Vehicle1", 2}};
    return vehicles;
}

const std::vector<Terrain>& Terrains() {
    // name, backdrop, damage, encounter %, boat, ship, airship pass, airship land, display
    static const std::vector<Terrain> terrains = {
        {"Grass", "Grassland", 0, 100, false, false, true, true, 0},
        {"Tall Grass", "Grassland", 0, 150, false, false, true, true, 1},
        {"Dirt", "Grassland", 0, 100, false, false, true, true, 0},
        {"Sand", "Beach", 0, 100, false, false, true, true, 0},
        {"Road", "Grassland", 0, 50, false, false, true, true, 0},
        {"Farmland", "Grassland", 0, 50, false, false, true, true, 0},
        {"Forest", "Forest", 0, 150, false, false, true, false, 1},
        {"Hills", "Mountain", 0, 120, false, false, true, true, 0},
        {"Mountain", "Mountain", 0, 100, false, false, true, false, 0},
        {"Snow", "Snowfield", 0, 100, false, false, true, true, 0},
        {"Swamp", "Swamp", 0, 150, false, false, true, false, 2},
        {"Desert", "Desert", 0, 120, false, false, true, true, 0},
        {"Water", "Beach", 0, 100, true, true, true, false, 0},
        {"Deep Water", "Beach", 0, 100, false, true, true, false, 0},
        {"Bridge", "Grassland", 0, 50, false, false, true, false, 0},
        {"Cliff", "Mountain", 0, 100, false, false, true, false, 0},
        {"Wall", "Castle", 0, 100, false, false, true, false, 0},
        {"Roof", "Castle", 0, 100, false, false, true, false, 0},
        {"Floor", "Castle", 0, 100, false, false, true, false, 0},
        {"Carpet", "Castle", 0, 100, false, false, true, false, 0},
        {"Cave Floor", "Cave", 0, 100, false, false, true, false, 0},
        {"Pit", "Cave", 0, 100, false, false, true, false, 0},
        {"Lava", "Dungeon", 30, 100, false, false, true, false, 0},
        {"Poison", "Swamp", 10, 100, false, false, true, false, 0},
        {"Ice", "Cave", 0, 100, false, false, true, false, 0},
    };
    return terrains;
}

const std::vector<Monster>& Monsters() {
    static const std::vector<Monster> monsters = {
        {"Slime", "Slime"},
        {"Bat", "Bat"},
        {"Goblin", "Goblin"},
        {"Wolf", "Wolf"},
        {"Skeleton", "Skeleton"},
        {"Mushroom", "Mushroom"},
        {"Snake", "Snake"},
        {"Ghost", "Ghost"},
        {"Spider", "Spider"},
        {"Golem", "Golem"},
        {"Evil Eye", "Eyeball"},
        {"Dragon", "Dragon"},
        {"Dark Knight", "DarkKnight"},
    };
    return monsters;
}

const std::vector<Animation>& Animations() {
    static const std::vector<Animation> animations = {
        {"Slash", "Slash", 5, "Slash1", 1, 31, 31, 31},
        {"Hit", "Hit", 5, "EnemyDamage1", 1, 31, 24, 16},
        {"Fire", "Fire", 10, "Fire1", 1, 31, 12, 4},
        {"Ice", "Ice", 10, "Ice1", 1, 16, 24, 31},
        {"Thunder", "Thunder", 10, "Thunder1", 2, 31, 31, 24},
        {"Heal", "Heal", 10, "Heal1", 1, 16, 31, 16},
        {"Wind", "Wind", 10, "Wind1", 0, 0, 0, 0},
        {"Darkness", "Darkness", 10, "Darkness1", 2, 12, 0, 16},
        {"Holy", "Holy", 10, "Holy1", 2, 31, 31, 24},
        {"Poison", "Poison", 5, "Poison1", 1, 20, 8, 24},
        {"Claw", "Claw", 5, "Claw1", 1, 31, 8, 8},
    };
    return animations;
}

const std::vector<Chipset>& Chipsets() {
    static const std::vector<Chipset> chipsets = {{"Grassland", MakeGrasslandChipset},
                                                  {"Dungeon", MakeDungeonChipset}};
    return chipsets;
}

uint8_t SuggestedPassByte(Pass pass) {
    switch (pass) {
    case Pass::Open:
        return 0x0F;
    case Pass::Blocked:
        return 0x00;
    case Pass::Above:
        return 0x1F;
    case Pass::Counter:
        return 0x40;
    }
    return 0x0F;
}

} // namespace tarvel::rtp::catalog
