#pragma once

// The game database: one object owning the fifteen section objects (heroes to common events) that
// every editor window reads and changes, and the database file they are read from and written to
// whole: the counted header "QelDataBase", then each section as chunk ID, length and payload.

#include <cstdint>
#include <memory>
#include <string>

#include "LD_Animation.h"
#include "LD_Attribute.h"
#include "LD_ChipSet.h"
#include "LD_CommonEvent.h"
#include "LD_Condition.h"
#include "LD_Item.h"
#include "LD_MonGroup.h"
#include "LD_Monster.h"
#include "LD_Player.h"
#include "LD_Skill.h"
#include "LD_Switch.h"
#include "LD_System.h"
#include "LD_Terrain.h"
#include "LD_Vocabulary.h"

namespace tarvel {

// Section chunk IDs of the database file, in the order they are written.
enum TDataBaseSection : int {
    dsHeroes = 11,
    dsSkills = 12,
    dsItems = 13,
    dsMonsters = 14,
    dsMonGroups = 15,
    dsTerrain = 16,
    dsAttributes = 17,
    dsConditions = 18,
    dsAnimations = 19,
    dsChipSets = 20,
    dsVocabulary = 21,
    dsSystem = 22,
    dsSwitches = 23,
    dsVariables = 24,
    dsCommonEvents = 25,
};
constexpr int FirstDataBaseSection = dsHeroes;
constexpr int LastDataBaseSection = dsCommonEvents;

extern const char* const DataBaseHeader;   // "QelDataBase"
extern const char* const DataBaseFileName; // "QUORIN.qdb"

// What the editor shows while the database is read or written (the hourglass). Used only while
// the editor runs; the editor installs it.
class TBusyIndicator {
public:
    virtual ~TBusyIndicator() = default;
    virtual void Begin() = 0;
    virtual void End() = 0;
};
void SetBusyIndicator(TBusyIndicator* indicator);

class TQelDataBase {
public:
    // Byte size and time-stamp of the file when it was last read or written; 0 after a reset.
    int32_t LastSize = 0;
    int32_t LastAge = 0;

    // Creates the fifteen sections and resets them. The newest database alive is the process-wide
    // one (Current), which the records ask for the section sizes their tables are capped at.
    TQelDataBase();
    ~TQelDataBase();
    TQelDataBase(const TQelDataBase&) = delete;
    TQelDataBase& operator=(const TQelDataBase&) = delete;

    static TQelDataBase* Current();

    TQelPlayer& Heroes() const { return *mHeroes; }
    TQelSkill& Skills() const { return *mSkills; }
    TQelItem& Items() const { return *mItems; }
    TQelMonster& Monsters() const { return *mMonsters; }
    TQelMonGroup& MonGroups() const { return *mMonGroups; }
    TQelGround& Terrain() const { return *mTerrain; }
    TQelAttrib& Attributes() const { return *mAttributes; }
    TQelStatus& Conditions() const { return *mConditions; }
    TQelAnimation& Animations() const { return *mAnimations; }
    TQelChipSet& ChipSets() const { return *mChipSets; }
    TQelVocabulary& Vocabulary() const { return *mVocabulary; }
    TQelSystem& System() const { return *mSystem; }
    TQelSwitch& Switches() const { return *mSwitches; }
    TQelVariable& Variables() const { return *mVariables; }
    TQelCommonEvent& CommonEvents() const { return *mCommonEvents; }
    // The section of a chunk ID (11..25), or nullptr.
    TStreamable* Section(int chunkID) const;

    // Every list section to one default record, vocabulary and system to their defaults,
    // LastSize and LastAge to 0.
    void Reset();
    // Clears the list and gives it n default records with IDs 1..n.
    static void ResetList(TCatalog& list, int n);

    // Parses the header and the sections; sections absent from the stream keep what they held.
    // A wrong header is a read error before anything changes; a section that fails to read
    // passes its error on (a list section is then empty, the sections before it are loaded).
    void ReadFromStream(TMemoryStream& stream);
    // Writes the header and all fifteen sections (counting a save of the system record).
    void WriteToStream(TMemoryStream& stream);

    // Reads a database file. The sections are reset first unless the file has the size and
    // time-stamp it had when last read or written here. A file that is not a database changes
    // nothing. While the editor runs, an error is not raised: what was read is kept and the error
    // is remembered (LoadFailed, LoadError); outside the editor it is remembered and raised.
    void LoadFromFile(const std::string& fileName);
    // Writes the database file through a temporary file and a rename. The first save over a file
    // that failed to load first keeps that file as fileName + ".bak", so a partly read database
    // never silently replaces the whole one.
    void SaveToFile(const std::string& fileName);
    // LoadFromFile and SaveToFile of "QUORIN.qdb" in a project folder.
    void Load(const std::string& projectFolder);
    void Save(const std::string& projectFolder);

    // Whether the last load failed, and why.
    bool LoadFailed() const { return !mLoadError.empty(); }
    const std::string& LoadError() const { return mLoadError; }

private:
    std::unique_ptr<TQelPlayer> mHeroes;
    std::unique_ptr<TQelSkill> mSkills;
    std::unique_ptr<TQelItem> mItems;
    std::unique_ptr<TQelMonster> mMonsters;
    std::unique_ptr<TQelMonGroup> mMonGroups;
    std::unique_ptr<TQelGround> mTerrain;
    std::unique_ptr<TQelAttrib> mAttributes;
    std::unique_ptr<TQelStatus> mConditions;
    std::unique_ptr<TQelAnimation> mAnimations;
    std::unique_ptr<TQelChipSet> mChipSets;
    std::unique_ptr<TQelVocabulary> mVocabulary;
    std::unique_ptr<TQelSystem> mSystem;
    std::unique_ptr<TQelSwitch> mSwitches;
    std::unique_ptr<TQelVariable> mVariables;
    std::unique_ptr<TQelCommonEvent> mCommonEvents;

    std::string mLoadError;
    // The file that failed to load and has not been saved over since.
    std::string mFailedFile;
};

// The process-wide database (the newest one alive), or nullptr.
inline TQelDataBase* QelDataBase() {
    return TQelDataBase::Current();
}

// A file's modification time folded into 32 bits (the nanosecond time-stamp's two halves
// combined), so that two saves within the same second are still told apart.
int32_t FileAge(const std::string& fileName);

} // namespace tarvel
