#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace tarvel {

// The clipboard as the data code sees it: private blocks keyed by their format number
// (562..584). The editor plugs in the system clipboard; tests plug in a map in memory.
class ClipboardPort {
public:
    virtual ~ClipboardPort() = default;
    // Replaces the clipboard's contents with one block of the format.
    virtual void set(int format, const std::vector<uint8_t>& bytes) = 0;
    virtual std::optional<std::vector<uint8_t>> get(int format) = 0;
    virtual bool has(int format) = 0;
};

// The port that CopyToClipboard and PasteFromClipboard use. Until one is installed, an in-memory
// clipboard private to the process serves, so headless tools never fail on a copy.
ClipboardPort& Clipboard();
// Installs a port (not owned) and returns the previous one; nullptr restores the in-memory one.
ClipboardPort* SetClipboardPort(ClipboardPort* port);

// A clipboard held in memory, for tests and headless runs.
class MemoryClipboard : public ClipboardPort {
public:
    void set(int format, const std::vector<uint8_t>& bytes) override;
    std::optional<std::vector<uint8_t>> get(int format) override;
    bool has(int format) override;
    void clear() { mHasBlock = false; }

private:
    bool mHasBlock = false;
    int mFormat = 0;
    std::vector<uint8_t> mBytes;
};

// Private clipboard format numbers shared by every part of the editor.
namespace ClipboardFormat {
constexpr int MapChips = 562;
constexpr int MapEvent = 563;
constexpr int EventPage = 564;
constexpr int BattleEventPage = 565;
constexpr int EventCommands = 566;
constexpr int MoveCommands = 567;
constexpr int Map = 568;
constexpr int EncounterEntries = 569;
// Monster action entries share the encounter entries' format.
constexpr int MonsterActions = 569;
constexpr int AnimationTimings = 570;
constexpr int AnimationFrames = 572;
constexpr int AnimationCells = 573;
constexpr int Heroes = 574;
constexpr int Skills = 575;
constexpr int Items = 576;
constexpr int Monsters = 577;
constexpr int MonsterGroups = 578;
constexpr int Terrain = 579;
constexpr int Attributes = 580;
constexpr int Conditions = 581;
constexpr int Animations = 582;
constexpr int ChipSets = 583;
constexpr int CommonEvents = 584;
} // namespace ClipboardFormat

} // namespace tarvel
