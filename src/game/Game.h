#pragma once

// The game as it plays, one frame at a time, with no clock and no window: the title, the map with
// the hero, the vehicles and the events, the scripts that run, the message window, the menu, the
// save and load screens, battles (their outcome chosen by the player) and the game over. A window
// shell steps it sixty times a second and draws it; the headless mode steps it as fast as it can.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "GameCharacter.h"
#include "GameData.h"
#include "GameInterpreter.h"
#include "GameKeys.h"
#include "GameMap.h"
#include "GameRandom.h"
#include "GameScreen.h"
#include "GameState.h"
#include "GameWindows.h"

namespace tarvel::game {

// Where music and sounds go. The window shell plays them through the sound library; the headless
// mode and the tests only listen.
class TGameSoundPort {
public:
    virtual ~TGameSoundPort() = default;
    // Plays music from its start ("(OFF)" stops the music).
    virtual void PlayMusic(const TQelMusic& music) = 0;
    virtual void FadeOutMusic(int milliseconds) = 0;
    virtual void PlaySound(const TQelSound& sound) = 0;
    virtual void StopSounds() = 0;
    // Plays the sound of a movie, given as a WAVE file in memory.
    virtual void PlayWave(const std::vector<uint8_t>& wave) {}
    // Whether the music has played through once, and where MIDI music is (in ticks).
    virtual bool MusicPlayedOnce() const { return false; }
    virtual int32_t MusicTicks() const { return 0; }
};

// A sound port that only remembers what it was asked to play.
class TSilentSound : public TGameSoundPort {
public:
    void PlayMusic(const TQelMusic& music) override { lastMusic = music.FileName; }
    void FadeOutMusic(int) override { lastMusic = "(OFF)"; }
    void PlaySound(const TQelSound& sound) override { sounds.push_back(sound.FileName); }
    void StopSounds() override {}
    std::string lastMusic = "(OFF)";
    std::vector<std::string> sounds;
};

// Where saved games are kept: slots 1..15.
class TSaveStore {
public:
    static constexpr int kSlots = 15;
    virtual ~TSaveStore() = default;
    virtual bool Exists(int slot) const = 0;
    virtual bool Read(int slot, std::vector<uint8_t>& bytes) const = 0;
    virtual bool Write(int slot, const std::vector<uint8_t>& bytes) = 0;
};

// Saves as the files "Save01" .. "Save15" of a folder (the project's).
class TFolderSaveStore : public TSaveStore {
public:
    explicit TFolderSaveStore(std::string folder) : mFolder(std::move(folder)) {}
    static std::string FileName(int slot);
    bool Exists(int slot) const override;
    bool Read(int slot, std::vector<uint8_t>& bytes) const override;
    bool Write(int slot, const std::vector<uint8_t>& bytes) override;

private:
    std::string mFolder;
};

// Saves held in memory (tests).
class TMemorySaveStore : public TSaveStore {
public:
    bool Exists(int slot) const override {
        return slot >= 1 && slot <= kSlots && !mSlots[size_t(slot - 1)].empty();
    }
    bool Read(int slot, std::vector<uint8_t>& bytes) const override {
        if (!Exists(slot)) return false;
        bytes = mSlots[size_t(slot - 1)];
        return true;
    }
    bool Write(int slot, const std::vector<uint8_t>& bytes) override {
        if (slot < 1 || slot > kSlots) return false;
        mSlots[size_t(slot - 1)] = bytes;
        return true;
    }

private:
    std::vector<uint8_t> mSlots[kSlots];
};

enum class TScene : int { Title, Map, Menu, Save, Load, Battle, GameOver, Shop, Inn, NameEntry, Ended };

// Character designators of commands.
enum TDesignator : int32_t {
    desHero = 10001,
    desBoat = 10002,
    desShip = 10003,
    desAirship = 10004,
    desThisEvent = 10005,
};

// The hero on the map.
class TGameHeroCharacter : public TGameCharacter {};

// What a battle asks of the player: the group, and which endings there are.
struct TBattleRequest {
    int32_t groupID = 0;
    bool escapeAllowed = true;
    int escapeCase = 0; // 0 free escape, 1 the script stops, 2 its own branch
    int defeatCase = 0; // 0 game over, 1 its own branch
    bool fromScript = false;
};

class TGame : public TCharacterWorld {
public:
    TGame(TGameData& data, TGameSoundPort& sound, TSaveStore& saves);
    ~TGame() override;
    TGame(const TGame&) = delete;
    TGame& operator=(const TGame&) = delete;

    // Starts at the title screen, or (without it) with a new game.
    void Start(bool showTitle);
    // A new game: the state reset, the party at its start position.
    void NewGame();
    // One frame of 1/60 s with these keys held.
    void Step(const TKeyState& keys);

    int64_t Frame() const { return mFrame; }
    TScene Scene() const { return mScene; }
    bool Ended() const { return mScene == TScene::Ended; }

    TGameData& Data() { return mData; }
    const TQelDataBase& DataBase() const { return mData.DataBase(); }
    TGameState& State() { return mState; }
    const TGameState& State() const { return mState; }
    TGameMap* Map() { return mMap.get(); }
    const TGameMap* Map() const { return mMap.get(); }
    TGameCharacter& Hero() { return mHero; }
    const TGameCharacter& Hero() const { return mHero; }
    TGameScreen& Screen() { return mScreen; }
    const TGameScreen& Screen() const { return mScreen; }
    TGameMessage& Message() { return mMessage; }
    const TGameMessage& Message() const { return mMessage; }
    TGameInput& Input() { return mInput; }
    TGameSoundPort& Sound() { return mSound; }
    TGameInterpreter& Foreground() { return *mForeground; }
    std::vector<std::unique_ptr<TGameInterpreter>>& CommonParallels() { return mCommonParallels; }

    // The vehicle the party rides (-1 none), and each vehicle's character on this map.
    int Riding() const { return mRiding; }
    TGameCharacter& VehicleCharacter(int vehicle) { return mVehicles[size_t(vehicle)]; }
    const TGameCharacter& VehicleCharacter(int vehicle) const { return mVehicles[size_t(vehicle)]; }
    bool VehicleHere(int vehicle) const;

    // The message style and face that the next message takes.
    TMessageStyle& MessageStyle() { return mMessageStyle; }
    TMessageFace& MessageFace() { return mMessageFace; }

    // The pixel of the map at the screen's top-left corner.
    int CameraX() const;
    int CameraY() const;

    // Notices: a script asked for something the game does not have (a label, a common event, a
    // map). Each is written to standard error by the shell and shown for a while on the screen.
    void Notice(const std::string& text);
    const std::vector<std::string>& Notices() const { return mNotices; }
    // The notice on screen now, or empty.
    std::string NoticeOnScreen() const;

    // The character a designator names (the hero, a vehicle, this event, an event of the map), or
    // nullptr.
    TGameCharacter* Character(int32_t designator, int32_t thisEvent);

    // Teleports the party (and its vehicle) with the transitions of the system record; false (with
    // a notice from the caller) when there is no such map.
    bool MapExists(int32_t mapID, std::string& error) const;
    void RequestTeleport(int32_t mapID, int x, int y, int direction = -1);
    bool TeleportPending() const { return mTeleport.has_value(); }
    // Places a vehicle (on another map it is only remembered).
    void SetVehiclePlace(int vehicle, int32_t mapID, int x, int y);
    // Boards the vehicle in front of (or under) the hero, or leaves the one ridden.
    void RideOrLeave();

    // Music and sounds, remembered for the menu and the save.
    void PlayMusic(const TQelMusic& music);
    void FadeOutMusic(int milliseconds);
    void PlaySound(const TQelSound& sound);
    void PlaySystemSound(int which);
    void PlayUiSound(TUiSound sound);

    // Scenes scripts open; the script waits until they close.
    void OpenMenu();
    void OpenSaveScreen();
    void StartBattle(const TBattleRequest& request);
    // Opens the shop, inn or name entry of a command line; false when it opens nothing.
    bool OpenScriptScene(const TQelEventScriptLine& line);

    // A shop: what it sells, its texts, the page shown (0 the choice of business, 1 buying, 2
    // selling) and whether anything changed hands.
    struct TShop {
        int type = 0; // 0 buys and sells, 1 only sells to the party, 2 only buys from it
        std::vector<std::string> texts;
        std::vector<int32_t> goods;
        int page = 0;
        bool traded = false;
    };
    const TShop& Shop() const { return mShop; }
    // An inn: its texts (the question with the price) and the price.
    struct TInn {
        std::vector<std::string> lines;
        int32_t price = 0;
    };
    const TInn& Inn() const { return mInn; }
    // Entering a hero's name: the letters offered, the name so far.
    struct TNameEntry {
        int32_t heroID = 0;
        std::string name;
        std::vector<std::string> letters; // the grid row by row; the last three are space, back and done
        int cursor = 0;
        static constexpr int kColumns = 10;
        static constexpr int kMaxBytes = 12;
    };
    const TNameEntry& NameEntry() const { return mName; }
    // The script that waits for the scene being opened (it is resumed with the outcome).
    void SetSceneWaiter(TGameInterpreter* waiter) { mSceneWaiter = waiter; }
    const TBattleRequest& Battle() const { return mBattle; }
    void GameOver();
    void ToTitle();
    // Starts a battle animation on the map (animation ID, the target's designator, over the screen).
    void StartAnimation(int32_t animationID, int32_t target, bool global, int32_t thisEvent);

    // Lists of the scenes, for drawing.
    const TGameList& TitleList() const { return mTitleList; }
    const TGameList& MenuList() const { return mMenuList; }
    const TGameList& SubList() const { return mSubList; }
    // The heroes to choose from for medicine that treats one of them.
    const TGameList& TargetList() const { return mTargetList; }
    // 0 the commands, 1 the items, 2 ending the game, 3 the hero an item is for.
    int MenuPage() const { return mMenuPage; }
    const TGameList& SlotList() const { return mSlotList; }
    const TGameList& BattleList() const { return mBattleList; }
    const TGameList& ShopList() const { return mShopList; }
    // The text of each save slot ("File 1 Aren Lv 5"), as the save and load screens show them.
    std::string SlotText(int slot) const;

    // The hero's walk graphic and transparency from the party's first hero.
    void RefreshHeroGraphic();
    bool HeroVisible() const { return mHeroVisible; }
    void SetHeroVisible(bool visible) { mHeroVisible = visible; }

    // The events' pages looked at again now (after a change that scripts made).
    void RefreshPages();
    // Starts the event's page script in the foreground (a push of the key, a touch).
    bool StartEvent(TGameEvent& event, bool turnToHero);

    // Saves into a slot and loads from one; false when it could not.
    bool SaveGame(int slot);
    bool LoadGame(int slot);
    std::vector<uint8_t> SaveBytes() const;
    bool LoadBytes(const std::vector<uint8_t>& bytes);

    // TCharacterWorld
    bool CanStep(const TGameCharacter& c, int x, int y, int dir) const override;
    bool CanLand(const TGameCharacter& c, int x, int y) const override;
    bool WrapCell(int& x, int& y) const override;
    int MapWidth() const override { return mMap ? mMap->Width() : 0; }
    int MapHeight() const override { return mMap ? mMap->Height() : 0; }
    bool LoopsX() const override { return mMap && mMap->LoopsX(); }
    bool LoopsY() const override { return mMap && mMap->LoopsY(); }
    const TGameCharacter& HeroCharacter() const override { return mHero; }
    TGameRandom& Random() override { return mRandom; }
    void RouteSwitch(int32_t switchID, bool on) override;
    void RouteSound(const TQelMoveRouteItem& command) override;
    void CharacterMoved(TGameCharacter& c, int oldX, int oldY) override;
    void CharacterBlocked(TGameCharacter& c, int x, int y) override;

    // Chip replacements made on this map (layer, from, to), kept for a save.
    const std::vector<std::array<int, 3>>& ChipReplacements() const { return mChipReplacements; }
    void ReplaceChip(int layer, int from, int to);
    // The panorama as scripts set it, and its scroll.
    struct TPanorama {
        bool use = false;
        std::string name;
        bool horzLoop = false, vertLoop = false, horzAuto = false, vertAuto = false;
        int horzSpeed = 0, vertSpeed = 0;
        int scrollX = 0, scrollY = 0; // sixteenths of a pixel moved by the automatic scroll
    };
    const TPanorama& Panorama() const { return mPanorama; }
    TPanorama& Panorama() { return mPanorama; }
    int32_t EncounterSteps() const { return mEncounterSteps; }
    void SetEncounterSteps(int32_t steps) { mEncounterSteps = steps; }
    // The key code a password input last saw (1..4 arrows, 5 decide, 6 cancel; 0 none).
    int KeyCode() const;
    // The movie playing: its frames left and its area, for the black screen.
    int MovieFrames() const { return mMovieFrames; }
    void StartMovie(const std::string& name, int x, int y, int width, int height);

private:
    friend class TGameSaver;
    void stepTitle();
    void stepMap();
    void stepMenu();
    void fillMenuItems();
    void fillMenuTargets();
    // Uses the medicine on the heroes given; false (and nothing used) when it does nothing.
    bool useMedicine(int32_t itemID, const std::vector<int32_t>& heroes);
    void stepSlots();
    void stepBattle();
    void stepGameOver();
    void stepShop();
    void stepInn();
    void stepNameEntry();
    void endScriptScene(int result);
    void fillShopList();
    void enterMap(int32_t mapID, int x, int y, int direction);
    void placeVehicles();
    void finishTeleport();
    void updateInterpreters();
    void startAutoEvents();
    void heroControl();
    void heroStepped();
    bool checkDecide();
    void startTouched(int x, int y, bool sameLayer, bool byHero);
    void updateCharacters();
    void updateAnimation();
    void updateTimer();
    void refreshPagesIfNeeded();
    bool pageConditionsHold(const TQelEventPageItem& page) const;
    void refreshCommonParallels();
    void openTitle();
    void openSlots(bool save);
    void closeScene();
    void startMapMusic();
    bool mapSetting(int which) const; // 0 teleport, 1 escape, 2 save allowed by the map tree
    bool eventBlocks(const TGameCharacter& mover, int x, int y) const;
    void checkEncounter();
    void updateCamera();

    TGameData& mData;
    TGameSoundPort& mSound;
    TSaveStore& mSaves;
    TGameState mState;
    std::unique_ptr<TGameMap> mMap;
    TGameHeroCharacter mHero;
    std::array<TGameCharacter, kVehicleCount> mVehicles;
    int mRiding = -1;
    bool mHeroVisible = true;
    TGameScreen mScreen;
    TGameMessage mMessage;
    TMessageStyle mMessageStyle;
    TMessageFace mMessageFace;
    TGameInput mInput;
    TGameRandom mRandom;
    std::unique_ptr<TGameInterpreter> mForeground;
    std::vector<std::unique_ptr<TGameInterpreter>> mCommonParallels; // by common event position
    int64_t mFrame = 0;
    TScene mScene = TScene::Title;
    std::vector<std::string> mNotices;
    int64_t mNoticeFrame = -1000000;
    uint64_t mSeenVersion = ~0ull;
    uint64_t mSeenPartyVersion = ~0ull;
    int32_t mSeenTimer = -1;

    struct TTeleport {
        int32_t mapID = 0;
        int x = 0, y = 0, direction = -1;
        bool erased = false; // the erase part is done
    };
    std::optional<TTeleport> mTeleport;
    bool mTeleportShow = false;
    int mCameraX = 0, mCameraY = 0, mCameraBaseX = 0, mCameraBaseY = 0;

    TGameList mTitleList;
    TGameList mMenuList;
    TGameList mSubList;
    TGameList mTargetList;
    int mMenuPage = 0;
    int32_t mMenuItem = 0; // the item of page 3
    TGameList mSlotList;
    bool mSlotsForSave = false;
    TGameList mBattleList;
    TBattleRequest mBattle;
    TQelMusic mMusicBeforeBattle;
    TShop mShop;
    TInn mInn;
    TNameEntry mName;
    TGameList mShopList;
    TScene mReturnScene = TScene::Map;
    TGameInterpreter* mSceneWaiter = nullptr;
    bool mTitlePending = false;

    std::vector<std::array<int, 3>> mChipReplacements;
    TPanorama mPanorama;
    int32_t mEncounterSteps = 25;
    int32_t mStepsToEncounter = 0;
    int mMovieFrames = 0;
    int mMovieX = 0, mMovieY = 0, mMovieW = 320, mMovieH = 240;

public:
    int MovieX() const { return mMovieX; }
    int MovieY() const { return mMovieY; }
    int MovieW() const { return mMovieW; }
    int MovieH() const { return mMovieH; }
};

} // namespace tarvel::game
