#include "Game.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "records/Stream.h"

namespace tarvel::game {

namespace {

// Frames a notice stays on the screen.
constexpr int kNoticeFrames = 300;
// The hero stands in this column and row of the screen while the view follows it.
constexpr int kHeroScreenX = 144;
constexpr int kHeroScreenY = 112;
constexpr int kScreenWidth = 320;
constexpr int kScreenHeight = 240;
// Walking speeds of the hero and of the vehicles it rides.
constexpr int kHeroSpeed = 4;
const int kVehicleSpeed[kVehicleCount] = {4, 5, 5};

} // namespace

// ---------------------------------------------------------------------------------------------

std::string TFolderSaveStore::FileName(int slot) {
    char name[16];
    std::snprintf(name, sizeof name, "Save%02d", slot);
    return name;
}

bool TFolderSaveStore::Exists(int slot) const {
    std::error_code error;
    return slot >= 1 && slot <= kSlots && std::filesystem::is_regular_file(mFolder + FileName(slot), error);
}

bool TFolderSaveStore::Read(int slot, std::vector<uint8_t>& bytes) const {
    if (!Exists(slot)) return false;
    try {
        bytes = ReadWholeFile(mFolder + FileName(slot));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool TFolderSaveStore::Write(int slot, const std::vector<uint8_t>& bytes) {
    if (slot < 1 || slot > kSlots) return false;
    try {
        WriteFileAtomically(mFolder + FileName(slot), bytes.data(), bytes.size());
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

// ---------------------------------------------------------------------------------------------

TGame::TGame(TGameData& data, TGameSoundPort& sound, TSaveStore& saves)
    : mData(data), mSound(sound), mSaves(saves), mState(data.DataBase()) {
    mHero.SetWorld(this);
    for (auto& v : mVehicles)
        v.SetWorld(this);
    mForeground = std::make_unique<TGameInterpreter>(*this, true);
}

TGame::~TGame() = default;

void TGame::Start(bool showTitle) {
    if (showTitle)
        openTitle();
    else
        NewGame();
}

void TGame::openTitle() {
    mScene = TScene::Title;
    mMap.reset();
    mForeground->Clear();
    mCommonParallels.clear();
    mMessage.Close();
    mScreen.Reset();
    const TQelVocabulary& words = DataBase().Vocabulary();
    bool anySave = false;
    for (int slot = 1; slot <= TSaveStore::kSlots; ++slot)
        anySave = anySave || mSaves.Exists(slot);
    mTitleList.SetItems({words.Text(voNewGame), words.Text(voContinue), words.Text(voShutdown)},
                        {true, anySave, true});
    mTitleList.SetCursor(anySave ? 1 : 0);
    PlayMusic(mData.DataBase().System().TitleMusic);
    mInput.Clear();
}

void TGame::NewGame() {
    const TQelDataBase& db = DataBase();
    mState.NewGame(db);
    mRandom.Seed(TGameRandom::kNewGameSeed);
    mScreen.Reset();
    mMessage.Close();
    mMessageStyle = TMessageStyle();
    mMessageFace = TMessageFace();
    mForeground->Clear();
    mTeleport.reset();
    mRiding = -1;
    mMovieFrames = 0;
    refreshCommonParallels();
    const TQelMapStartPosition& start = mData.Tree().StartPositions;
    for (int v = 0; v < kVehicleCount; ++v) {
        mState.vehicles[size_t(v)].mapID = start.StartMap(v + 1);
        mState.vehicles[size_t(v)].x = start.StartX(v + 1);
        mState.vehicles[size_t(v)].y = start.StartY(v + 1);
    }
    mHero = TGameHeroCharacter();
    mHero.SetWorld(this);
    mHero.SetSpeed(kHeroSpeed);
    mHero.ForceDirection(dirDown);
    mHeroVisible = true;
    RefreshHeroGraphic();
    mScene = TScene::Map;
    mInput.Clear();
    if (start.StartMap(0) == 0) {
        mMap.reset();
        Notice("The party has no start position: place it on a map in the editor.");
        return;
    }
    std::string error;
    if (!MapExists(start.StartMap(0), error)) {
        mMap.reset();
        Notice("The party's start map cannot be played: " + error + ".");
        return;
    }
    enterMap(start.StartMap(0), start.StartX(0), start.StartY(0), dirDown);
}

bool TGame::MapExists(int32_t mapID, std::string& error) const {
    return mData.LoadMap(mapID, error) != nullptr;
}

void TGame::refreshCommonParallels() {
    mCommonParallels.clear();
    for (int i = 0; i < DataBase().CommonEvents().Count(); ++i)
        mCommonParallels.push_back(std::make_unique<TGameInterpreter>(*this, false));
}

void TGame::enterMap(int32_t mapID, int x, int y, int direction) {
    std::string error;
    std::unique_ptr<TQelMap> data = mData.LoadMap(mapID, error);
    if (!data) {
        Notice("Map " + std::to_string(mapID) + " cannot be played: " + error + ".");
        return;
    }
    mMap = std::make_unique<TGameMap>(std::move(data), DataBase());
    for (auto& event : mMap->Events())
        event->SetWorld(this);
    mChipReplacements.clear();
    const TQelMap& m = mMap->Data();
    mPanorama = TPanorama();
    mPanorama.use = m.UsePanorama;
    mPanorama.name = m.PanoramaName;
    mPanorama.horzLoop = m.PanoramaHorzPan;
    mPanorama.vertLoop = m.PanoramaVertPan;
    mPanorama.horzAuto = m.PanoramaHorzAuto;
    mPanorama.vertAuto = m.PanoramaVertAuto;
    mPanorama.horzSpeed = m.PanoramaHorzSpeed;
    mPanorama.vertSpeed = m.PanoramaVertSpeed;
    const TQelMapTreeItem* node = mData.Tree().Find(mapID);
    mEncounterSteps = node ? node->EncounterSteps : 25;
    mStepsToEncounter = mEncounterSteps * 100;
    mHero.MoveTo(x, y);
    if (direction >= 0) mHero.ForceDirection(direction);
    mScreen.ReturnPan(6);
    while (mScreen.Panning())
        mScreen.Update();
    placeVehicles();
    mSeenVersion = ~0ull;
    refreshPagesIfNeeded();
    updateCamera();
    if (mRiding < 0) startMapMusic();
}

void TGame::placeVehicles() {
    for (int v = 0; v < kVehicleCount; ++v) {
        TVehicleState& s = mState.vehicles[size_t(v)];
        TGameCharacter& c = mVehicles[size_t(v)];
        c.SetGraphic(s.charName, s.charIndex);
        c.SetLayer(v == vhAirship ? layerAbove : layerSame);
        c.SetSpeed(kVehicleSpeed[v]);
        c.SetAnimType(animStepAlways);
        if (mRiding == v) {
            s.mapID = mMap ? mMap->ID() : 0;
            s.x = mHero.X();
            s.y = mHero.Y();
        }
        c.MoveTo(s.x, s.y);
        c.ForceDirection(s.direction);
    }
}

bool TGame::VehicleHere(int vehicle) const {
    return mMap && vehicle >= 0 && vehicle < kVehicleCount &&
           mState.vehicles[size_t(vehicle)].mapID == mMap->ID() &&
           !mState.vehicles[size_t(vehicle)].charName.empty();
}

void TGame::startMapMusic() {
    if (!mMap) return;
    // The music of the map, or of the nearest parent that sets one; "entrust to event" plays on.
    int32_t id = mMap->ID();
    for (int guard = 0; guard < 100; ++guard) {
        const TQelMapTreeItem* node = mData.Tree().Find(id);
        if (!node) return;
        if (node->MusicMode == 2) {
            if (node->Music.FileName != mState.music.FileName) PlayMusic(node->Music);
            return;
        }
        if (node->MusicMode == 1 || node->ID == 0 || node->ParentID == node->ID) return;
        id = node->ParentID;
    }
}

bool TGame::mapSetting(int which) const {
    if (!mMap) return true;
    int32_t id = mMap->ID();
    for (int guard = 0; guard < 100; ++guard) {
        const TQelMapTreeItem* node = mData.Tree().Find(id);
        if (!node) return true;
        const uint8_t mode = which == 0 ? node->TeleportMode : which == 1 ? node->EscapeMode : node->SaveMode;
        if (mode == 1) return false;
        if (mode == 2 || node->ID == 0 || node->ParentID == node->ID) return true;
        id = node->ParentID;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------

void TGame::Notice(const std::string& text) {
    mNotices.push_back(text);
    mNoticeFrame = mFrame;
}

std::string TGame::NoticeOnScreen() const {
    if (mNotices.empty() || mFrame - mNoticeFrame > kNoticeFrames) return {};
    return mNotices.back();
}

void TGame::PlayMusic(const TQelMusic& music) {
    mState.music.Assign(music);
    mSound.PlayMusic(music);
}

void TGame::FadeOutMusic(int milliseconds) {
    mState.music.Reset();
    mSound.FadeOutMusic(milliseconds);
}

void TGame::PlaySound(const TQelSound& sound) {
    if (sound.FileName.empty() || sound.FileName == MusicOff) return;
    mSound.PlaySound(sound);
}

void TGame::PlaySystemSound(int which) {
    if (which >= 0 && which < SystemSoundCount) PlaySound(mState.systemSounds[size_t(which)]);
}

void TGame::PlayUiSound(TUiSound sound) {
    switch (sound) {
    case TUiSound::Cursor:
        PlaySystemSound(ssCursor);
        break;
    case TUiSound::Decide:
        PlaySystemSound(ssDecision);
        break;
    case TUiSound::Cancel:
        PlaySystemSound(ssCancel);
        break;
    case TUiSound::Buzzer:
        PlaySystemSound(ssBuzzer);
        break;
    case TUiSound::None:
        break;
    }
}

// ---------------------------------------------------------------------------------------------

void TGame::Step(const TKeyState& keys) {
    mInput.Update(keys);
    switch (mScene) {
    case TScene::Title:
        stepTitle();
        break;
    case TScene::Map:
        stepMap();
        break;
    case TScene::Menu:
        stepMenu();
        break;
    case TScene::Save:
    case TScene::Load:
        stepSlots();
        break;
    case TScene::Battle:
        stepBattle();
        break;
    case TScene::GameOver:
        stepGameOver();
        break;
    case TScene::Shop:
        stepShop();
        break;
    case TScene::Inn:
        stepInn();
        break;
    case TScene::NameEntry:
        stepNameEntry();
        break;
    default:
        break;
    }
    if (mTitlePending) {
        mTitlePending = false;
        openTitle();
    }
    ++mFrame;
}

void TGame::stepTitle() {
    TUiSound sound = TUiSound::None;
    const TGameList::TResult result = mTitleList.Update(mInput, sound, false);
    PlayUiSound(sound);
    if (result != TGameList::TResult::Chosen) return;
    switch (mTitleList.Cursor()) {
    case 0:
        NewGame();
        break;
    case 1:
        openSlots(false);
        break;
    default:
        mScene = TScene::Ended;
        break;
    }
}

void TGame::stepGameOver() {
    if (mInput.Pressed(TGameKey::Decide)) openTitle();
}

void TGame::GameOver() {
    mScene = TScene::GameOver;
    mForeground->Clear();
    mMessage.Close();
    PlayMusic(mState.systemMusic[7]);
    mInput.Clear();
}

void TGame::ToTitle() {
    // The script asking may belong to the map that the title closes: the title comes at the end of
    // the frame.
    mTitlePending = true;
}

void TGame::stepMap() {
    if (!mMap) return;
    if (mTeleport) {
        mScreen.Update();
        if (mScreen.InTransition()) return;
        if (!mTeleport->erased) {
            finishTeleport();
            if (mTeleport && mScreen.InTransition()) return;
        }
        mTeleport.reset();
    }
    if (mMovieFrames > 0) {
        // The game stands while a movie plays.
        --mMovieFrames;
        return;
    }
    if (mMessage.Visible()) {
        TUiSound sound = TUiSound::None;
        const TGameMessage::TResult result = mMessage.Update(mInput, sound);
        PlayUiSound(sound);
        // The key that closed the window does nothing more in this frame.
        if (result != TGameMessage::TResult::None) mInput.Clear();
    }
    updateTimer();
    refreshPagesIfNeeded();
    updateInterpreters();
    if (mScene != TScene::Map || !mMap) return;
    refreshPagesIfNeeded();
    if (mTeleport) return;
    heroControl();
    if (mScene != TScene::Map) return;
    updateCharacters();
    mScreen.Update();
    updateAnimation();
    if (mPanorama.horzAuto) mPanorama.scrollX += mPanorama.horzSpeed * 2;
    if (mPanorama.vertAuto) mPanorama.scrollY += mPanorama.vertSpeed * 2;
    updateCamera();
}

void TGame::updateTimer() {
    TGameTimer& t = mState.timer;
    if (t.running && t.frames > 0) {
        --t.frames;
        if (t.frames % kFramesPerSecond == 0) mState.Touch();
    }
}

void TGame::updateInterpreters() {
    // The foreground script: an auto start event takes it when it is free.
    if (!mForeground->Running()) startAutoEvents();
    mForeground->Update();
    if (!mForeground->Running() && mMap)
        for (auto& event : mMap->Events())
            event->SetRunning(false);
    if (!mMap || mTeleport) return;
    // Parallel scripts of the map's events run over and over while their page is active.
    for (size_t i = 0; i < mMap->Events().size() && mMap; ++i) {
        TGameEvent& event = *mMap->Events()[i];
        TGameInterpreter* parallel = event.Parallel();
        if (!parallel || !event.Active()) continue;
        if (!parallel->Running()) {
            TScriptOwner owner{TScriptOwner::MapEvent, mMap->ID(), event.ID(), event.Page(), 0, event.Name()};
            parallel->StartLoop(event.PageScript(), owner, event.ID());
        }
        parallel->Update();
        if (mTeleport || mScene != TScene::Map) return;
    }
    // Parallel common events run while their switch is on (or always without one).
    for (size_t i = 0; i < mCommonParallels.size(); ++i) {
        const TQelCommonEventItem* common = DataBase().CommonEvents().Items(int(i));
        if (!common || common->Trigger != trParallel) continue;
        if (common->UseSwitch && !mState.Switch(common->SwitchID)) continue;
        TGameInterpreter& parallel = *mCommonParallels[i];
        if (!parallel.Running()) {
            TScriptOwner owner{TScriptOwner::CommonEvent, 0, 0, 0, common->ID, common->Name};
            parallel.StartLoop(mData.CommonEventScript(common->ID), owner, 0);
        }
        parallel.Update();
        if (mTeleport || mScene != TScene::Map) return;
    }
}

void TGame::startAutoEvents() {
    if (!mMap || mTeleport) return;
    for (auto& event : mMap->Events())
        if (event->Active() && event->Trigger() == trAutoStart) {
            StartEvent(*event, false);
            return;
        }
    for (const auto& item : DataBase().CommonEvents()) {
        const auto& common = static_cast<const TQelCommonEventItem&>(*item);
        if (common.Trigger != trAutoStart || (common.UseSwitch && !mState.Switch(common.SwitchID))) continue;
        TScriptOwner owner{TScriptOwner::CommonEvent, 0, 0, 0, common.ID, common.Name};
        mForeground->Start(mData.CommonEventScript(common.ID), owner, 0);
        return;
    }
}

bool TGame::StartEvent(TGameEvent& event, bool turnToHero) {
    if (mForeground->Running() || !event.Active() || !mMap) return false;
    if (turnToHero && !event.DirectionFixed()) event.TurnTowardHero();
    TScriptOwner owner{TScriptOwner::MapEvent, mMap->ID(), event.ID(), event.Page(), 0, event.Name()};
    mForeground->Start(event.PageScript(), owner, event.ID());
    event.SetRunning(true);
    return true;
}

void TGame::RefreshPages() {
    mSeenVersion = ~0ull;
    refreshPagesIfNeeded();
}

bool TGame::pageConditionsHold(const TQelEventPageItem& page) const {
    const TQelEventCondition& c = page.Condition;
    if ((c.Flags & TQelEventCondition::cfSwitchA) && !mState.Switch(c.SwitchA)) return false;
    if ((c.Flags & TQelEventCondition::cfSwitchB) && !mState.Switch(c.SwitchB)) return false;
    if ((c.Flags & TQelEventCondition::cfVariable) && mState.Variable(c.VariableID) < c.VariableValue)
        return false;
    if ((c.Flags & TQelEventCondition::cfItem) && mState.party.ItemCount(c.ItemID) <= 0) return false;
    if ((c.Flags & TQelEventCondition::cfHero) && !mState.party.InParty(c.HeroID)) return false;
    if ((c.Flags & TQelEventCondition::cfTimer) &&
        !(mState.timer.running && mState.timer.Seconds() <= c.TimerSeconds))
        return false;
    return true;
}

void TGame::refreshPagesIfNeeded() {
    if (!mMap) return;
    const int32_t timer = mState.timer.running ? mState.timer.Seconds() : -1;
    if (mSeenVersion == mState.version && mSeenPartyVersion == mState.party.Version() && mSeenTimer == timer)
        return;
    mSeenVersion = mState.version;
    mSeenPartyVersion = mState.party.Version();
    mSeenTimer = timer;
    for (auto& event : mMap->Events()) {
        if (event->Erased()) continue;
        const TQelEventPage& pages = event->Record().Pages;
        // The page that plays is the last whose conditions hold.
        int page = 0;
        for (int p = pages.Count() - 1; p >= 0; --p)
            if (pageConditionsHold(*pages.Items(p))) {
                page = p + 1;
                break;
            }
        if (page == event->Page() && event->Trigger() != -1) continue;
        event->SetPage(page);
        if (page > 0 && event->Trigger() == trParallel)
            event->SetParallel(std::make_unique<TGameInterpreter>(*this, false));
    }
}

// ---------------------------------------------------------------------------------------------

void TGame::heroControl() {
    if (mForeground->Running() || mMessage.Visible() || mTeleport || mScreen.InTransition()) return;
    if (mHero.Moving() || mHero.Jumping() || mHero.Forced()) return;
    if (mInput.Pressed(TGameKey::Cancel) && mState.menuAllowed) {
        OpenMenu();
        return;
    }
    if (mInput.Pressed(TGameKey::Decide) && checkDecide()) return;
    const int dir = mInput.Direction();
    if (dir >= 0) {
        const int speed = mRiding >= 0 ? kVehicleSpeed[mRiding] : kHeroSpeed;
        if (mHero.Speed() != speed && !mHero.Forced()) mHero.SetSpeed(speed);
        mHero.Step(dir);
    }
}

bool TGame::checkDecide() {
    if (mRiding >= 0) {
        RideOrLeave();
        return true;
    }
    const int hx = mHero.X(), hy = mHero.Y();
    // Events the hero stands on (below or above it).
    bool started = mMap->ForEventsAt(hx, hy, [&](TGameEvent& e) {
        return e.Active() && e.Layer() != layerSame && e.Trigger() >= trPushKey &&
               e.Trigger() <= trEventTouch && StartEvent(e, false);
    });
    if (started) return true;
    const int dir = mHero.Direction();
    int fx = hx + DirectionDX(dir), fy = hy + DirectionDY(dir);
    if (!WrapCell(fx, fy)) return false;
    auto talk = [&](int x, int y) {
        return mMap->ForEventsAt(x, y, [&](TGameEvent& e) {
            return e.Active() && e.Layer() == layerSame && e.Trigger() >= trPushKey &&
                   e.Trigger() <= trEventTouch && StartEvent(e, true);
        });
    };
    if (talk(fx, fy)) return true;
    // Across a counter.
    if (mMap->IsCounter(fx, fy)) {
        int bx = fx + DirectionDX(dir), by = fy + DirectionDY(dir);
        if (WrapCell(bx, by) && talk(bx, by)) return true;
    }
    // A vehicle in front (boat, ship) or underfoot (airship).
    for (int v = 0; v < kVehicleCount; ++v) {
        if (!VehicleHere(v)) continue;
        const TGameCharacter& c = mVehicles[size_t(v)];
        if ((v == vhAirship && c.X() == hx && c.Y() == hy) ||
            (v != vhAirship && c.X() == fx && c.Y() == fy)) {
            RideOrLeave();
            return true;
        }
    }
    return false;
}

void TGame::startTouched(int x, int y, bool sameLayer, bool) {
    if (mForeground->Running()) return;
    mMap->ForEventsAt(x, y, [&](TGameEvent& e) {
        if (!e.Active() || (e.Layer() == layerSame) != sameLayer) return false;
        if (e.Trigger() != trHeroTouch && e.Trigger() != trEventTouch) return false;
        return StartEvent(e, sameLayer);
    });
}

void TGame::heroStepped() {
    if (mRiding >= 0) return;
    // Harmful ground hurts every hero on each step, down to 1 HP at most, with a red flash.
    const TQelGroundItem* terrain = DataBase().Terrain().Find(mMap->TerrainID(mHero.X(), mHero.Y()));
    if (terrain && terrain->Damage > 0) {
        for (int32_t id : mState.party.Members())
            if (TGameHero* hero = mState.party.Hero(id))
                if (hero->hp > 0) mState.party.SetHP(*hero, int64_t(hero->hp) - terrain->Damage, false);
        mScreen.StartFlash(31, 0, 0, 16, 8);
    }
    startTouched(mHero.X(), mHero.Y(), false, true);
    checkEncounter();
}

void TGame::checkEncounter() {
    if (mForeground->Running() || mRiding >= 0 || mEncounterSteps <= 0) return;
    const TQelMapTreeItem* node = mData.Tree().Find(mMap->ID());
    // An area the hero stands in has encounters of its own.
    for (const auto& item : mData.Tree()) {
        const auto& area = static_cast<const TQelMapTreeItem&>(*item);
        if (area.NodeKind == nkArea && area.ParentID == mMap->ID() && mHero.X() >= area.AreaRect.Left &&
            mHero.X() < area.AreaRect.Right && mHero.Y() >= area.AreaRect.Top &&
            mHero.Y() < area.AreaRect.Bottom && area.Encounters.Count() > 0) {
            node = &area;
            break;
        }
    }
    if (!node || node->Encounters.Count() == 0) return;
    const TQelGroundItem* terrain = DataBase().Terrain().Find(mMap->TerrainID(mHero.X(), mHero.Y()));
    mStepsToEncounter -= terrain ? terrain->EncounterRate : 100;
    if (mStepsToEncounter > 0) return;
    mStepsToEncounter = mRandom.Range(mEncounterSteps * 50, mEncounterSteps * 150);
    const TQelEncountItem* entry = node->Encounters.Items(mRandom.Range(0, node->Encounters.Count() - 1));
    TBattleRequest request;
    request.groupID = entry->MonGroupID;
    request.escapeAllowed = mState.escapeAllowed;
    StartBattle(request);
}

void TGame::updateCharacters() {
    const bool heroWasMoving = mHero.Moving() || mHero.Jumping();
    mHero.Update();
    if (heroWasMoving && !mHero.Moving() && !mHero.Jumping()) heroStepped();
    if (mRiding >= 0) {
        TGameCharacter& v = mVehicles[size_t(mRiding)];
        TVehicleState& s = mState.vehicles[size_t(mRiding)];
        s.mapID = mMap->ID();
        s.x = mHero.X();
        s.y = mHero.Y();
        s.direction = mHero.Direction();
        v.MoveTo(mHero.X(), mHero.Y());
        v.ForceDirection(mHero.Direction());
    }
    for (int v = 0; v < kVehicleCount; ++v)
        if (v != mRiding) mVehicles[size_t(v)].Update();
    // Events stand while a message that asks them to is shown.
    const bool frozen = mMessage.Visible() && mMessage.Style().eventsWait;
    for (auto& event : mMap->Events()) {
        event->SetFrozen(frozen);
        if (!event->Erased()) event->Update();
    }
}

void TGame::updateAnimation() {
    TMapAnimation& a = mScreen.Animation();
    if (!a.active) return;
    const TQelAnimationItem* animation = DataBase().Animations().Find(a.animationID);
    if (!animation) {
        a.active = false;
        return;
    }
    if (a.tick == 0) {
        // The sounds and flashes of the animation's timing entries at this frame.
        for (const auto& item : animation->Timings) {
            const auto& timing = static_cast<const TQelAnimationTimingItem&>(*item);
            if (timing.Frame != a.frame + 1) continue;
            PlaySound(timing.Sound);
            if (timing.FlashScope == 2)
                mScreen.StartFlash(timing.FlashRed, timing.FlashGreen, timing.FlashBlue, timing.FlashPower,
                                   12);
            else if (timing.FlashScope == 1 && !a.global)
                if (TGameCharacter* c = Character(a.target, 0))
                    c->Flash(timing.FlashRed, timing.FlashGreen, timing.FlashBlue, timing.FlashPower, 12);
            if (timing.Shake > 0) mScreen.StartShake(timing.Shake, 5, 12);
        }
    }
    if (++a.tick >= TGameScreen::kFramesPerAnimationFrame) {
        a.tick = 0;
        if (++a.frame >= animation->Frames.Count()) a.active = false;
    }
}

void TGame::StartAnimation(int32_t animationID, int32_t target, bool global, int32_t thisEvent) {
    TMapAnimation& a = mScreen.Animation();
    a = TMapAnimation();
    if (!DataBase().Animations().Find(animationID)) return;
    a.active = true;
    a.animationID = animationID;
    // "This event" is fixed to the event it meant when the animation started.
    a.target = target == desThisEvent ? thisEvent : target;
    a.global = global;
}

void TGame::updateCamera() {
    if (!mMap) return;
    if (!mScreen.PanLocked()) {
        mCameraBaseX = mHero.RealX() * kCellPixels / kCellUnits - kHeroScreenX;
        mCameraBaseY = mHero.RealY() * kCellPixels / kCellUnits - kHeroScreenY;
    }
    int x = mCameraBaseX + mScreen.PanX(), y = mCameraBaseY + mScreen.PanY();
    const int maxX = mMap->Width() * kCellPixels - kScreenWidth;
    const int maxY = mMap->Height() * kCellPixels - kScreenHeight;
    if (!mMap->LoopsX()) x = std::clamp(x, 0, std::max(0, maxX));
    if (!mMap->LoopsY()) y = std::clamp(y, 0, std::max(0, maxY));
    mCameraX = x;
    mCameraY = y;
}

int TGame::CameraX() const {
    return mCameraX;
}

int TGame::CameraY() const {
    return mCameraY;
}

// ---------------------------------------------------------------------------------------------

void TGame::RefreshHeroGraphic() {
    const std::vector<int32_t>& members = mState.party.Members();
    const TGameHero* leader = members.empty() ? nullptr : mState.party.Hero(members.front());
    mHero.SetGraphic(leader ? leader->charName : std::string(), leader ? leader->charIndex : 0);
    mHero.SetTransparency(leader && leader->charTransparent ? 3 : 0);
}

TGameCharacter* TGame::Character(int32_t designator, int32_t thisEvent) {
    switch (designator) {
    case desHero:
        return &mHero;
    case desBoat:
        return &mVehicles[vhBoat];
    case desShip:
        return &mVehicles[vhShip];
    case desAirship:
        return &mVehicles[vhAirship];
    case desThisEvent:
        designator = thisEvent;
        break;
    default:
        break;
    }
    if (!mMap) return nullptr;
    return mMap->EventByID(designator);
}

void TGame::RequestTeleport(int32_t mapID, int x, int y, int direction) {
    TTeleport t;
    t.mapID = mapID;
    t.x = x;
    t.y = y;
    t.direction = direction;
    mTeleportShow = false;
    if (!mScreen.Erased()) {
        const int type = mState.transitions[stTeleportErase];
        mScreen.StartTransition(true, type);
        // The screen comes back after the move only when this teleport erased it.
        mTeleportShow = type != erNone;
    }
    mTeleport = t;
}

void TGame::finishTeleport() {
    TTeleport t = *mTeleport;
    mTeleport->erased = true;
    mMessage.Close();
    const int32_t fromMap = mMap ? mMap->ID() : 0;
    enterMap(t.mapID, t.x, t.y, t.direction);
    if (mRiding >= 0 && fromMap != t.mapID) placeVehicles();
    if (mTeleportShow) mScreen.StartTransition(false, mState.transitions[stTeleportShow]);
}

void TGame::SetVehiclePlace(int vehicle, int32_t mapID, int x, int y) {
    if (vehicle < 0 || vehicle >= kVehicleCount) return;
    TVehicleState& s = mState.vehicles[size_t(vehicle)];
    s.mapID = mapID;
    s.x = x;
    s.y = y;
    if (mMap && mapID == mMap->ID()) mVehicles[size_t(vehicle)].MoveTo(x, y);
}

void TGame::RideOrLeave() {
    if (!mMap || mHero.Moving()) return;
    if (mRiding >= 0) {
        const int v = mRiding;
        if (v == vhAirship) {
            // An airship lands where the terrain allows it and no one stands.
            const TQelGroundItem* terrain = DataBase().Terrain().Find(mMap->TerrainID(mHero.X(), mHero.Y()));
            if (terrain && !terrain->AirshipLand) return;
            if (mMap->ForEventsAt(mHero.X(), mHero.Y(),
                                  [](TGameEvent& e) { return e.Active() && e.Layer() == layerSame; }))
                return;
            mRiding = -1;
        } else {
            // The hero steps off a boat or ship onto walkable land in front.
            const int dir = mHero.Direction();
            int fx = mHero.X() + DirectionDX(dir), fy = mHero.Y() + DirectionDY(dir);
            if (!WrapCell(fx, fy) || !mMap->Passable(fx, fy, ReverseDirection(dir)) ||
                eventBlocks(mHero, fx, fy))
                return;
            mRiding = -1;
            mHero.SetThrough(true);
            mHero.Step(dir);
            mHero.SetThrough(false);
        }
        mHero.SetSpeed(kHeroSpeed);
        startMapMusic();
        // The map's music may be left to events: then the music before boarding comes back.
        return;
    }
    for (int v = 0; v < kVehicleCount; ++v) {
        if (!VehicleHere(v)) continue;
        const TGameCharacter& c = mVehicles[size_t(v)];
        const int dir = mHero.Direction();
        int fx = mHero.X() + DirectionDX(dir), fy = mHero.Y() + DirectionDY(dir);
        WrapCell(fx, fy);
        if (v == vhAirship ? (c.X() == mHero.X() && c.Y() == mHero.Y()) : (c.X() == fx && c.Y() == fy)) {
            if (v != vhAirship) {
                mHero.SetThrough(true);
                mHero.Step(dir);
                mHero.SetThrough(false);
            }
            mRiding = v;
            mHero.SetSpeed(kVehicleSpeed[v]);
            PlayMusic(mState.systemMusic[size_t(4 + v)]);
            return;
        }
    }
}

// ---------------------------------------------------------------------------------------------

bool TGame::WrapCell(int& x, int& y) const {
    return mMap && mMap->WrapCell(x, y);
}

bool TGame::eventBlocks(const TGameCharacter& mover, int x, int y) const {
    const TGameEvent* me = const_cast<TGameCharacter&>(mover).AsEvent();
    const int layer = me ? me->Layer() : layerSame;
    const bool overlap = me && me->Overlap();
    const bool blocked = mMap->ForEventsAt(x, y, [&](TGameEvent& e) {
        if (&e == me || !e.Active() || e.Through() || e.Layer() != layer) return false;
        // Events that may overlap share cells with other events (never with the hero).
        return !(me && (overlap || e.Overlap()));
    });
    if (blocked) return true;
    if (layer != layerSame) return false;
    if (me && !mHero.Through() && mHero.X() == x && mHero.Y() == y && mRiding != vhAirship) return true;
    for (int v = 0; v < kVehicleCount; ++v)
        if (v != mRiding && v != vhAirship && VehicleHere(v) && &mover != &mVehicles[size_t(v)] &&
            mVehicles[size_t(v)].X() == x && mVehicles[size_t(v)].Y() == y)
            return true;
    return false;
}

bool TGame::CanStep(const TGameCharacter& c, int x, int y, int dir) const {
    if (!mMap) return false;
    int nx = x + DirectionDX(dir), ny = y + DirectionDY(dir);
    if (!mMap->WrapCell(nx, ny)) return false;
    if (c.Through()) return true;
    if (&c == &mHero && mRiding >= 0) {
        // A vehicle goes where the terrain lets it; boats and ships are stopped by what stands on
        // the upper layer, an airship by nothing.
        const TQelGroundItem* terrain = DataBase().Terrain().Find(mMap->TerrainID(nx, ny));
        if (mRiding == vhAirship) return !terrain || terrain->AirshipPass;
        const bool pass = terrain && (mRiding == vhBoat ? terrain->BoatPass : terrain->ShipPass);
        if (!pass || eventBlocks(c, nx, ny)) return false;
        const int upper = mMap->Data().UpperLayer.GetChip(nx, ny);
        if (upper > 10000 && upper < 20000 && !mMap->UpperAbove(nx, ny) &&
            !mMap->Passable(nx, ny, ReverseDirection(dir)))
            return false;
        return true;
    }
    if (!mMap->Passable(x, y, dir) || !mMap->Passable(nx, ny, ReverseDirection(dir))) return false;
    return !eventBlocks(c, nx, ny);
}

bool TGame::CanLand(const TGameCharacter& c, int x, int y) const {
    if (!mMap || !mMap->WrapCell(x, y)) return false;
    if (c.Through()) return true;
    bool open = false;
    for (int d = 0; d < 4; ++d)
        open = open || mMap->Passable(x, y, d);
    return open && !eventBlocks(c, x, y);
}

void TGame::RouteSwitch(int32_t switchID, bool on) {
    mState.SetSwitch(switchID, on);
}

void TGame::RouteSound(const TQelMoveRouteItem& command) {
    TQelSound sound;
    sound.FileName = command.SoundName;
    sound.Volume = command.SoundVolume;
    sound.Tempo = command.SoundTempo;
    sound.Balance = command.SoundBalance;
    PlaySound(sound);
}

void TGame::CharacterMoved(TGameCharacter& c, int oldX, int oldY) {
    TGameEvent* event = c.AsEvent();
    if (!event || !mMap) return;
    mMap->EventMoved(*event, oldX, oldY);
    // An event that starts on touching the hero walked onto it.
    if (event->Trigger() == trEventTouch && event->Layer() != layerSame && event->X() == mHero.X() &&
        event->Y() == mHero.Y())
        StartEvent(*event, false);
}

void TGame::CharacterBlocked(TGameCharacter& c, int x, int y) {
    if (!mMap) return;
    if (&c == &mHero) {
        if (mRiding < 0 && !mForeground->Running()) startTouched(x, y, true, true);
        return;
    }
    TGameEvent* event = c.AsEvent();
    if (event && event->Trigger() == trEventTouch && event->Layer() == layerSame && x == mHero.X() &&
        y == mHero.Y())
        StartEvent(*event, false);
}

void TGame::ReplaceChip(int layer, int from, int to) {
    if (!mMap) return;
    mMap->ReplaceChip(layer, from, to);
    mChipReplacements.push_back({layer, from, to});
}

int TGame::KeyCode() const {
    if (mInput.Pressed(TGameKey::Down)) return 1;
    if (mInput.Pressed(TGameKey::Left)) return 2;
    if (mInput.Pressed(TGameKey::Right)) return 3;
    if (mInput.Pressed(TGameKey::Up)) return 4;
    if (mInput.Pressed(TGameKey::Decide)) return 5;
    if (mInput.Pressed(TGameKey::Cancel)) return 6;
    return 0;
}

} // namespace tarvel::game
