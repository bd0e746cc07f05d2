#include "LD_DataBase.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <system_error>
#include <vector>

namespace tarvel {

const char* const DataBaseHeader = "QelDataBase";
const char* const DataBaseFileName = "QUORIN.qdb";

namespace fs = std::filesystem;

namespace {

std::vector<TQelDataBase*>& alive() {
    static std::vector<TQelDataBase*> databases;
    return databases;
}

// The database being written, whose sections the records' tables are capped at even when it is
// not the process-wide one.
const TQelDataBase* gWriting = nullptr;

const TQelDataBase* sizingDataBase() {
    return gWriting ? gWriting : TQelDataBase::Current();
}

TBusyIndicator* gBusy = nullptr;

// Shows the busy indicator for a scope while the editor runs, also when an error passes.
class BusyScope {
public:
    BusyScope() : mActive(gBusy && EditorRunning()) {
        if (mActive) gBusy->Begin();
    }
    ~BusyScope() {
        if (mActive) gBusy->End();
    }

private:
    bool mActive;
};

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code ec1, ec2;
    fs::path pa = fs::weakly_canonical(a, ec1), pb = fs::weakly_canonical(b, ec2);
    if (ec1 || ec2) return a == b;
    return pa == pb;
}

} // namespace

void SetBusyIndicator(TBusyIndicator* indicator) {
    gBusy = indicator;
}

int32_t DataBaseConditionCount() {
    const TQelDataBase* db = sizingDataBase();
    return db ? db->Conditions().Count() : -1;
}

int32_t DataBaseAttributeCount() {
    const TQelDataBase* db = sizingDataBase();
    return db ? db->Attributes().Count() : -1;
}

int32_t FileAge(const std::string& fileName) {
    auto stamp = fs::last_write_time(fileName).time_since_epoch();
    auto ns = static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(stamp).count());
    return static_cast<int32_t>(static_cast<uint32_t>(ns ^ (ns >> 32)));
}

TQelDataBase::TQelDataBase()
    : mHeroes(std::make_unique<TQelPlayer>()), mSkills(std::make_unique<TQelSkill>()),
      mItems(std::make_unique<TQelItem>()), mMonsters(std::make_unique<TQelMonster>()),
      mMonGroups(std::make_unique<TQelMonGroup>()), mTerrain(std::make_unique<TQelGround>()),
      mAttributes(std::make_unique<TQelAttrib>()), mConditions(std::make_unique<TQelStatus>()),
      mAnimations(std::make_unique<TQelAnimation>()), mChipSets(std::make_unique<TQelChipSet>()),
      mVocabulary(std::make_unique<TQelVocabulary>()), mSystem(std::make_unique<TQelSystem>()),
      mSwitches(std::make_unique<TQelSwitch>()), mVariables(std::make_unique<TQelVariable>()),
      mCommonEvents(std::make_unique<TQelCommonEvent>()) {
    Reset();
    alive().push_back(this);
}

TQelDataBase::~TQelDataBase() {
    auto& list = alive();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    if (gWriting == this) gWriting = nullptr;
    // Freed in the order they were created.
    mHeroes.reset();
    mSkills.reset();
    mItems.reset();
    mMonsters.reset();
    mMonGroups.reset();
    mTerrain.reset();
    mAttributes.reset();
    mConditions.reset();
    mAnimations.reset();
    mChipSets.reset();
    mVocabulary.reset();
    mSystem.reset();
    mSwitches.reset();
    mVariables.reset();
    mCommonEvents.reset();
}

TQelDataBase* TQelDataBase::Current() {
    auto& list = alive();
    return list.empty() ? nullptr : list.back();
}

TStreamable* TQelDataBase::Section(int chunkID) const {
    switch (chunkID) {
    case dsHeroes:
        return mHeroes.get();
    case dsSkills:
        return mSkills.get();
    case dsItems:
        return mItems.get();
    case dsMonsters:
        return mMonsters.get();
    case dsMonGroups:
        return mMonGroups.get();
    case dsTerrain:
        return mTerrain.get();
    case dsAttributes:
        return mAttributes.get();
    case dsConditions:
        return mConditions.get();
    case dsAnimations:
        return mAnimations.get();
    case dsChipSets:
        return mChipSets.get();
    case dsVocabulary:
        return mVocabulary.get();
    case dsSystem:
        return mSystem.get();
    case dsSwitches:
        return mSwitches.get();
    case dsVariables:
        return mVariables.get();
    case dsCommonEvents:
        return mCommonEvents.get();
    default:
        return nullptr;
    }
}

void TQelDataBase::ResetList(TCatalog& list, int n) {
    list.Clear();
    for (int id = 1; id <= n; ++id)
        list.FindOrCreate(id);
}

void TQelDataBase::Reset() {
    for (TCatalog* list : std::initializer_list<TCatalog*>{
             mHeroes.get(), mSkills.get(), mItems.get(), mMonsters.get(), mMonGroups.get(), mTerrain.get(),
             mAttributes.get(), mConditions.get(), mAnimations.get(), mChipSets.get()})
        ResetList(*list, 1);
    mVocabulary->Reset();
    mSystem->Reset();
    for (TCatalog* list :
         std::initializer_list<TCatalog*>{mSwitches.get(), mVariables.get(), mCommonEvents.get()})
        ResetList(*list, 1);
    LastSize = 0;
    LastAge = 0;
}

void TQelDataBase::ReadFromStream(TMemoryStream& stream) {
    if (ReadVarString(stream) != DataBaseHeader) throw EReadError();
    while (stream.Position() < stream.Size()) {
        int chunkID = static_cast<int>(ReadVarInt(stream));
        uint32_t length = ReadVarInt(stream);
        int64_t start = stream.Position();
        bool cutShort = length > static_cast<uint64_t>(stream.Remaining());
        if (TStreamable* section = Section(chunkID)) section->LoadFromStream(stream);
        // A section whose length runs past the end of the file means the file was cut short, even
        // when what the section itself needed happened to be there.
        if (cutShort) throw EReadError();
        stream.SetPosition(start + static_cast<int64_t>(length));
    }
}

void TQelDataBase::WriteToStream(TMemoryStream& stream) {
    const TQelDataBase* previous = gWriting;
    gWriting = this;
    try {
        WriteVarString(stream, DataBaseHeader);
        TMemoryStream payload;
        for (int id = FirstDataBaseSection; id <= LastDataBaseSection; ++id) {
            payload.Clear();
            Section(id)->SaveToStream(payload);
            WriteVarInt(stream, static_cast<uint32_t>(id));
            WriteVarInt(stream, static_cast<uint32_t>(payload.Size()));
            stream.Write(payload.Data(), static_cast<size_t>(payload.Size()));
        }
    } catch (...) {
        gWriting = previous;
        throw;
    }
    gWriting = previous;
}

void TQelDataBase::LoadFromFile(const std::string& fileName) {
    mLoadError.clear();
    try {
        TMemoryStream stream(ReadWholeFile(fileName));
        // A file that is not a database (or no longer starts like one) changes nothing at all.
        if (ReadVarString(stream) != DataBaseHeader) throw EReadError("Not a database file");
        stream.SetPosition(0);
        int32_t size = static_cast<int32_t>(stream.Size());
        int32_t age = FileAge(fileName);
        if (size != LastSize || age != LastAge) {
            Reset();
            LastSize = size;
            LastAge = age;
        }
        ReadFromStream(stream);
        mFailedFile.clear();
    } catch (const std::exception& e) {
        mLoadError = e.what();
        mFailedFile = fileName;
        if (!EditorRunning()) throw;
    }
}

void TQelDataBase::SaveToFile(const std::string& fileName) {
    TMemoryStream stream;
    WriteToStream(stream);
    std::error_code ec;
    if (!mFailedFile.empty() && sameFile(fileName, mFailedFile) && fs::exists(fileName, ec)) {
        fs::copy_file(fileName, fileName + ".bak", fs::copy_options::overwrite_existing, ec);
        if (ec)
            throw EFileError("Cannot keep \"" + fileName + "\" as \"" + fileName + ".bak\": " + ec.message());
    }
    stream.SaveToFile(fileName);
    mFailedFile.clear();
    mLoadError.clear();
    LastSize = static_cast<int32_t>(stream.Size());
    LastAge = FileAge(fileName);
}

void TQelDataBase::Load(const std::string& projectFolder) {
    BusyScope busy;
    LoadFromFile((fs::path(projectFolder) / DataBaseFileName).string());
}

void TQelDataBase::Save(const std::string& projectFolder) {
    BusyScope busy;
    SaveToFile((fs::path(projectFolder) / DataBaseFileName).string());
}

} // namespace tarvel
