#include "Describe.h"

#include <sstream>

#include "Characters.h"
#include "RtpCatalog.h"

namespace tarvel::rtp {

namespace {
const char* passName(Pass p) {
    switch (p) {
    case Pass::Open:
        return "open";
    case Pass::Blocked:
        return "blocked";
    case Pass::Above:
        return "above";
    case Pass::Counter:
        return "counter";
    }
    return "?";
}
} // namespace

std::string DescribePackage() {
    using namespace catalog;
    std::ostringstream out;
    for (const Chipset& c : Chipsets()) {
        ChipsetInfo info = c.make();
        out << "ChipSet " << info.name << "\n";
        for (int k = 0; k < 162; ++k) {
            int number = k <= 2    ? k * 1000 + 49
                         : k <= 5  ? 3000 + 50 * (k - 3)
                         : k <= 17 ? 4049 + 50 * (k - 6)
                                   : 5000 + k - 18;
            const char* what = k <= 2 ? "water" : k <= 5 ? "animated" : k <= 17 ? "autotile" : "lower";
            out << "  " << what << " " << number << " " << info.lowerNames[k] << " | terrain "
                << info.lowerTerrain[k] << " | " << passName(info.lowerPass[k]) << "\n";
        }
        for (int i = 0; i < 144; ++i)
            if (!info.upperNames[i].empty())
                out << "  upper " << 10000 + i << " " << info.upperNames[i] << " | "
                    << passName(info.upperPass[i]) << "\n";
    }
    for (const CharacterSetPlan& plan : CharacterSetPlans()) {
        out << "CharSet " << plan.name
            << (plan.hasFaces ? " (FaceSet " + plan.name + ": face i, smiling i + 8)" : "") << "\n";
        for (size_t i = 0; i < plan.looks.size(); ++i)
            out << "  " << i << " " << plan.looks[i].name << "\n";
    }
    out << "Heroes\n";
    for (const Hero& h : Heroes())
        out << "  " << h.name << " (" << h.role << "): CharSet " << h.charSet << " " << h.charIndex
            << ", FaceSet " << h.faceSet << " " << h.faceIndex << "\n";
    out << "Vehicles\n";
    for (const Vehicle& v : Vehicles())
        out << "  " << v.slot << ": CharSet " << v.charSet << " " << v.charIndex << "\n";
    out << "System music\n";
    for (const SystemSlot& s : SystemMusic())
        out << "  " << s.chunk << " " << s.slot << ": " << s.name << "\n";
    out << "System sounds\n";
    for (const SystemSlot& s : SystemSounds())
        out << "  " << s.chunk << " " << s.slot << ": " << s.name << "\n";
    out << "Title " << kTitle << ", GameOver " << kGameOver << ", System " << kSystem << "\n";
    out << "Map music: field " << kFieldMusic << ", town " << kTownMusic << ", dungeon " << kDungeonMusic
        << ", castle " << kCastleMusic << ", boss " << kBossMusic << "\n";
    out << "Terrain (backdrop, damage, encounter %, boat/ship/airship pass, airship land, display)\n";
    for (const Terrain& t : Terrains())
        out << "  " << t.name << ": " << t.backdrop << ", " << t.damage << ", " << t.encounterRate << ", "
            << t.boatPass << "/" << t.shipPass << "/" << t.airshipPass << ", " << t.airshipLand << ", "
            << t.charDisplay << "\n";
    out << "Monsters\n";
    for (const Monster& m : Monsters())
        out << "  " << m.name << ": Monster " << m.graphic << "\n";
    out << "Battle animations (sheet, cells, sound, flash scope and colour)\n";
    for (const Animation& a : Animations())
        out << "  " << a.name << ": " << a.sheet << ", " << a.cells << ", " << a.sound << ", " << a.flashScope
            << " (" << a.flashRed << "," << a.flashGreen << "," << a.flashBlue << ")\n";
    return out.str();
}

} // namespace tarvel::rtp
