// The scenes over the map: the menu with the party's status and the items, the save and load
// screens, a battle whose outcome the player chooses, and the black screen of a movie.
#include <algorithm>

#include "Game.h"
#include "GameMovie.h"
#include "GameSave.h"
#include "graphics/GraphicsPorts.h"
#include "records/Stream.h"

namespace tarvel::game {

namespace {

enum TMenuPage : int { mpMain = 0, mpItems = 1, mpEndGame = 2 };

} // namespace

void TGame::OpenMenu() {
    const TQelVocabulary& words = DataBase().Vocabulary();
    mScene = TScene::Menu;
    mMenuPage = mpMain;
    mMenuList.SetItems({words.Text(voItems), words.Text(voSave), words.Text(voEndGame)},
                       {true, mState.saveAllowed && mapSetting(2), true});
    mMenuList.SetCursor(0);
    mInput.Clear();
}

void TGame::closeScene() {
    mScene = TScene::Map;
    mInput.Clear();
    if (mSceneWaiter) {
        TGameInterpreter* waiter = mSceneWaiter;
        mSceneWaiter = nullptr;
        waiter->Resume(0);
    }
}

void TGame::stepMenu() {
    TUiSound sound = TUiSound::None;
    if (mMenuPage == mpMain) {
        const TGameList::TResult result = mMenuList.Update(mInput, sound);
        PlayUiSound(sound);
        if (result == TGameList::TResult::Cancelled) {
            closeScene();
        } else if (result == TGameList::TResult::Chosen) {
            if (mMenuList.Cursor() == 0) {
                // The items held, in ID order; using them is for the battle and menu of a full game.
                std::vector<std::string> items;
                std::vector<bool> usable;
                for (const auto& [id, count] : mState.party.Items()) {
                    const TQelItemItem* item = DataBase().Items().Find(id);
                    items.push_back((item ? item->Name : "?") + "\t" + std::to_string(count));
                    usable.push_back(false);
                }
                mSubList.SetItems(items, usable);
                mSubList.SetCursor(0);
                mMenuPage = mpItems;
            } else if (mMenuList.Cursor() == 1) {
                mReturnScene = TScene::Menu;
                openSlots(true);
            } else {
                const TQelVocabulary& words = DataBase().Vocabulary();
                mSubList.SetItems({words.Text(voYes), words.Text(voNo)});
                mSubList.SetCursor(1);
                mMenuPage = mpEndGame;
            }
        }
        return;
    }
    const TGameList::TResult result = mSubList.Update(mInput, sound);
    PlayUiSound(sound);
    if (result == TGameList::TResult::Cancelled) {
        mMenuPage = mpMain;
    } else if (result == TGameList::TResult::Chosen && mMenuPage == mpEndGame) {
        if (mSubList.Cursor() == 0) {
            mSceneWaiter = nullptr;
            openTitle();
        } else {
            mMenuPage = mpMain;
        }
    }
}

void TGame::OpenSaveScreen() {
    mReturnScene = TScene::Map;
    openSlots(true);
}

void TGame::openSlots(bool save) {
    mSlotsForSave = save;
    mScene = save ? TScene::Save : TScene::Load;
    if (!save) mReturnScene = TScene::Title;
    std::vector<std::string> texts;
    std::vector<bool> enabled;
    int newest = 0;
    for (int slot = 1; slot <= TSaveStore::kSlots; ++slot) {
        texts.push_back(SlotText(slot));
        enabled.push_back(save || mSaves.Exists(slot));
        if (mSaves.Exists(slot) && newest == 0) newest = slot;
    }
    mSlotList.SetItems(texts, enabled);
    mSlotList.SetCursor(std::max(0, newest - 1));
    mInput.Clear();
}

std::string TGame::SlotText(int slot) const {
    const std::string file = DataBase().Vocabulary().Text(voFile) + " " + std::to_string(slot);
    std::vector<uint8_t> bytes;
    if (!mSaves.Read(slot, bytes)) return file + "  -";
    TSaveSummary summary;
    if (!ReadSaveSummary(bytes, summary)) return file + "  ?";
    return file + "  " + summary.leaderName + "  " + DataBase().Vocabulary().Text(voLevelShort) + " " +
           std::to_string(summary.leaderLevel);
}

void TGame::stepSlots() {
    TUiSound sound = TUiSound::None;
    const TGameList::TResult result = mSlotList.Update(mInput, sound);
    PlayUiSound(sound);
    if (result == TGameList::TResult::Cancelled) {
        if (mReturnScene == TScene::Title) {
            mScene = TScene::Title;
            mInput.Clear();
        } else if (mReturnScene == TScene::Menu) {
            mScene = TScene::Menu;
            mMenuPage = mpMain;
            mInput.Clear();
        } else {
            closeScene();
        }
        return;
    }
    if (result != TGameList::TResult::Chosen) return;
    const int slot = mSlotList.Cursor() + 1;
    if (mSlotsForSave) {
        if (!SaveGame(slot)) {
            PlayUiSound(TUiSound::Buzzer);
            Notice("The game could not be saved to " + TFolderSaveStore::FileName(slot) + ".");
            return;
        }
        closeScene();
    } else if (!LoadGame(slot)) {
        PlayUiSound(TUiSound::Buzzer);
        Notice(TFolderSaveStore::FileName(slot) + " is no saved game of this project; it was not loaded.");
    }
}

// ---------------------------------------------------------------------------------------------

void TGame::StartBattle(const TBattleRequest& request) {
    mBattle = request;
    mScene = TScene::Battle;
    mMusicBeforeBattle.Assign(mState.music);
    mState.battleCount++;
    PlaySystemSound(ssBattleStart);
    PlayMusic(mState.systemMusic[1]);
    mBattleList.SetItems({"Win", "Escape", "Lose"}, {true, request.escapeAllowed, true});
    mBattleList.SetCursor(0);
    mInput.Clear();
}

void TGame::stepBattle() {
    TUiSound sound = TUiSound::None;
    const TGameList::TResult result = mBattleList.Update(mInput, sound, false);
    PlayUiSound(sound);
    if (result != TGameList::TResult::Chosen) return;
    const int outcome = mBattleList.Cursor();
    if (outcome == 0) mState.victoryCount++;
    if (outcome == 1) mState.escapeCount++;
    if (outcome == 2) mState.defeatCount++;
    mState.Touch();
    if (outcome == 2 && mBattle.defeatCase != 1) {
        // A defeat without a branch of its own ends the game.
        mSceneWaiter = nullptr;
        GameOver();
        return;
    }
    PlayMusic(mMusicBeforeBattle);
    mScene = TScene::Map;
    mInput.Clear();
    if (mSceneWaiter) {
        TGameInterpreter* waiter = mSceneWaiter;
        mSceneWaiter = nullptr;
        waiter->Resume(outcome);
    }
}

// ---------------------------------------------------------------------------------------------

void TGame::StartMovie(const std::string& name, int x, int y, int width, int height) {
    mMovieFrames = 0;
    const std::string path = MaterialLocator().Locate(name, "Movie");
    TMovieInfo info;
    try {
        info = ReadMovieInfo(ReadWholeFile(path));
    } catch (const std::exception&) {
    }
    if (!info.valid) return;
    mMovieFrames = info.frames;
    mMovieX = x;
    mMovieY = y;
    mMovieW = width > 0 ? width : 320;
    mMovieH = height > 0 ? height : 240;
    if (!info.wave.empty()) mSound.PlayWave(info.wave);
}

bool TGame::OpenScriptScene(const TQelEventScriptLine&) {
    return false;
}

} // namespace tarvel::game
