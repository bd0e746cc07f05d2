// The scenes over the map: the menu with the party's status and the items, the save and load
// screens, a battle whose outcome the player chooses, and the black screen of a movie.
#include <algorithm>
#include <iterator>

#include "Game.h"
#include "GameMovie.h"
#include "GameSave.h"
#include "graphics/GraphicsPorts.h"
#include "records/Stream.h"

namespace tarvel::game {

namespace {

enum TMenuPage : int { mpMain = 0, mpItems = 1, mpEndGame = 2, mpItemTarget = 3 };

bool IsMedicine(const TQelItemItem* item) {
    return item && item->ItemType == itMedicine;
}

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
                mSubList.SetCursor(0);
                fillMenuItems();
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
    if (mMenuPage == mpItemTarget) {
        const TGameList::TResult result = mTargetList.Update(mInput, sound);
        if (result == TGameList::TResult::Chosen) {
            const int32_t hero = mState.party.Members()[size_t(mTargetList.Cursor())];
            if (useMedicine(mMenuItem, {hero})) {
                fillMenuTargets();
                fillMenuItems();
                // The last one used: back to the items.
                if (mState.party.ItemCount(mMenuItem) == 0) mMenuPage = mpItems;
            } else {
                sound = TUiSound::Buzzer;
            }
        } else if (result == TGameList::TResult::Cancelled) {
            mMenuPage = mpItems;
        }
        PlayUiSound(sound);
        return;
    }
    const TGameList::TResult result = mSubList.Update(mInput, sound);
    if (result == TGameList::TResult::Chosen && mMenuPage == mpItems) {
        // Medicine: on the whole party at once, or on the hero chosen next.
        auto it = mState.party.Items().begin();
        std::advance(it, mSubList.Cursor());
        const int32_t id = it->first;
        const TQelItemItem* item = DataBase().Items().Find(id);
        if (item && item->EntireParty) {
            if (useMedicine(id, mState.party.Members()))
                fillMenuItems();
            else
                sound = TUiSound::Buzzer;
        } else {
            mMenuItem = id;
            mTargetList.SetCursor(0);
            fillMenuTargets();
            mMenuPage = mpItemTarget;
        }
    }
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

void TGame::fillMenuItems() {
    // The items held, in ID order; medicine is used here, the rest in a battle or not at all.
    std::vector<std::string> items;
    std::vector<bool> usable;
    for (const auto& [id, count] : mState.party.Items()) {
        const TQelItemItem* item = DataBase().Items().Find(id);
        items.push_back((item ? item->Name : "?") + "\t" + std::to_string(count));
        usable.push_back(IsMedicine(item));
    }
    const int cursor = mSubList.Cursor();
    mSubList.SetItems(items, usable);
    mSubList.SetCursor(cursor);
}

void TGame::fillMenuTargets() {
    const TQelVocabulary& words = DataBase().Vocabulary();
    std::vector<std::string> heroes;
    for (const int32_t id : mState.party.Members()) {
        const TGameHero* hero = mState.party.Hero(id);
        heroes.push_back(hero ? hero->name + "\t" + words.Text(voHPShort) + " " + std::to_string(hero->hp) +
                                    "  " + words.Text(voMPShort) + " " + std::to_string(hero->mp)
                              : "?");
    }
    const int cursor = mTargetList.Cursor();
    mTargetList.SetItems(heroes);
    mTargetList.SetCursor(cursor);
}

bool TGame::useMedicine(int32_t itemID, const std::vector<int32_t>& heroes) {
    const TQelItemItem* item = DataBase().Items().Find(itemID);
    if (!IsMedicine(item) || mState.party.ItemCount(itemID) <= 0) return false;
    bool used = false;
    for (const int32_t id : heroes)
        if (TGameHero* hero = mState.party.Hero(id)) used = mState.party.ApplyMedicine(*hero, *item) || used;
    if (!used) return false;
    // An item of limitless use stays; any other is used up.
    if (item->Uses != 0) mState.party.SetItemCount(itemID, int64_t(mState.party.ItemCount(itemID)) - 1);
    return true;
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

// ---------------------------------------------------------------------------------------------
// Shops, inns and the entry of a hero's name, opened by scripts, which wait for them.

void TGame::endScriptScene(int result) {
    mScene = TScene::Map;
    mInput.Clear();
    if (mSceneWaiter) {
        TGameInterpreter* waiter = mSceneWaiter;
        mSceneWaiter = nullptr;
        waiter->Resume(result);
    }
}

bool TGame::OpenScriptScene(const TQelEventScriptLine& line) {
    const TQelVocabulary& words = DataBase().Vocabulary();
    switch (line.Code) {
    case 10720: {
        mShop = TShop();
        mShop.type = std::clamp(line.Param(0), 0, 2);
        mShop.texts = words.ShopStyle(std::clamp(line.Param(1), 0, 2));
        if (mShop.type != 2)
            for (int i = 4; i < line.ParamCount(); ++i)
                if (DataBase().Items().Find(line.Param(i))) mShop.goods.push_back(line.Param(i));
        mScene = TScene::Shop;
        fillShopList();
        mShopList.SetCursor(0);
        mInput.Clear();
        return true;
    }
    case 10730: {
        mInn = TInn();
        const std::vector<std::string> texts = words.InnStyle(std::clamp(line.Param(0), 0, 1));
        mInn.price = std::max(0, line.Param(1));
        mInn.lines = {texts[inBeforePrice] + " " + std::to_string(mInn.price) + words.Text(voCurrency) + " " +
                          texts[inAfterPrice],
                      texts[inQuestionTail]};
        mShopList.SetItems({texts[inLodge], texts[inStay]});
        mShopList.SetCursor(0);
        mScene = TScene::Inn;
        mInput.Clear();
        return true;
    }
    case 10740: {
        TGameHero* hero = mState.party.Hero(line.Param(0));
        if (!hero) return false;
        mName = TNameEntry();
        mName.heroID = hero->id;
        if (line.Param(2) == 1) mName.name = hero->name;
        const char* table = line.Param(1) == 1 ? "abcdefghijklmnopqrstuvwxyz0123456789.,!?-'&:"
                                               : "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,!?-'&:";
        for (const char* c = table; *c; ++c)
            mName.letters.push_back(std::string(1, *c));
        mName.letters.insert(mName.letters.end(), {"Space", "Back", "Done"});
        mScene = TScene::NameEntry;
        mInput.Clear();
        return true;
    }
    default:
        return false;
    }
}

void TGame::fillShopList() {
    const TQelVocabulary& words = DataBase().Vocabulary();
    std::vector<std::string> items;
    std::vector<bool> enabled;
    if (mShop.page == 0) {
        if (mShop.type != 2) items.push_back(mShop.texts[shPurchase]);
        if (mShop.type != 1) items.push_back(mShop.texts[shSale]);
        items.push_back(mShop.texts[shLeave]);
    } else if (mShop.page == 1) {
        for (int32_t id : mShop.goods) {
            const TQelItemItem* item = DataBase().Items().Find(id);
            items.push_back(item->Name + "\t" + std::to_string(item->Price) + words.Text(voCurrency));
            enabled.push_back(item->Price <= mState.party.Money() &&
                              mState.party.ItemCount(id) < kMaxItemCount);
        }
    } else {
        for (const auto& [id, count] : mState.party.Items()) {
            const TQelItemItem* item = DataBase().Items().Find(id);
            items.push_back((item ? item->Name : "?") + "\t" + std::to_string(count));
            enabled.push_back(item && item->Price > 0);
        }
    }
    mShopList.SetItems(items, enabled);
}

void TGame::stepShop() {
    TUiSound sound = TUiSound::None;
    const TGameList::TResult result = mShopList.Update(mInput, sound);
    PlayUiSound(sound);
    if (result == TGameList::TResult::Cancelled) {
        if (mShop.page == 0) {
            endScriptScene(mShop.traded ? 0 : 1);
            return;
        }
        mShop.page = 0;
        fillShopList();
        mShopList.SetCursor(0);
        return;
    }
    if (result != TGameList::TResult::Chosen) return;
    const int cursor = mShopList.Cursor();
    if (mShop.page == 0) {
        const std::vector<int> pages = mShop.type == 0   ? std::vector<int>{1, 2, 3}
                                       : mShop.type == 1 ? std::vector<int>{1, 3}
                                                         : std::vector<int>{2, 3};
        const int page = pages[size_t(cursor)];
        if (page == 3) {
            endScriptScene(mShop.traded ? 0 : 1);
            return;
        }
        mShop.page = page;
        fillShopList();
        mShopList.SetCursor(0);
        return;
    }
    // One at a time: a purchase for the price, a sale for half of it.
    if (mShop.page == 1) {
        const int32_t id = mShop.goods[size_t(cursor)];
        mState.party.SetMoney(int64_t(mState.party.Money()) - DataBase().Items().Find(id)->Price);
        mState.party.SetItemCount(id, mState.party.ItemCount(id) + 1);
    } else {
        auto it = mState.party.Items().begin();
        std::advance(it, cursor);
        const int32_t id = it->first;
        mState.party.SetMoney(int64_t(mState.party.Money()) + DataBase().Items().Find(id)->Price / 2);
        mState.party.SetItemCount(id, it->second - 1);
    }
    mShop.traded = true;
    mState.Touch();
    fillShopList();
}

void TGame::stepInn() {
    TUiSound sound = TUiSound::None;
    const TGameList::TResult result = mShopList.Update(mInput, sound);
    if (result == TGameList::TResult::Chosen && mShopList.Cursor() == 0) {
        if (mState.party.Money() < mInn.price) {
            PlayUiSound(TUiSound::Buzzer);
            return;
        }
        PlayUiSound(sound);
        mState.party.SetMoney(int64_t(mState.party.Money()) - mInn.price);
        for (int32_t id : mState.party.Members())
            if (TGameHero* hero = mState.party.Hero(id)) mState.party.FullRecovery(*hero);
        mState.Touch();
        endScriptScene(0);
        return;
    }
    PlayUiSound(sound);
    if (result != TGameList::TResult::None) endScriptScene(1);
}

void TGame::stepNameEntry() {
    TNameEntry& n = mName;
    const int count = int(n.letters.size()), columns = TNameEntry::kColumns;
    const int rows = (count + columns - 1) / columns;
    auto move = [&](int dx, int dy) {
        int row = n.cursor / columns, column = n.cursor % columns;
        row = (row + dy + rows) % rows;
        column = (column + dx + columns) % columns;
        n.cursor = std::min(row * columns + column, count - 1);
        PlayUiSound(TUiSound::Cursor);
    };
    if (mInput.Repeated(TGameKey::Right)) move(1, 0);
    if (mInput.Repeated(TGameKey::Left)) move(-1, 0);
    if (mInput.Repeated(TGameKey::Down)) move(0, 1);
    if (mInput.Repeated(TGameKey::Up)) move(0, -1);
    auto backspace = [&] {
        // Whole characters go, also those of more than one byte.
        if (n.name.empty()) return;
        size_t cut = n.name.size() - 1;
        while (cut > 0 && (static_cast<unsigned char>(n.name[cut]) & 0xC0) == 0x80)
            --cut;
        n.name.erase(cut);
    };
    if (mInput.Pressed(TGameKey::Cancel)) {
        backspace();
        PlayUiSound(TUiSound::Cancel);
        return;
    }
    if (!mInput.Pressed(TGameKey::Decide)) return;
    const std::string& letter = n.letters[size_t(n.cursor)];
    if (n.cursor == count - 1) {
        if (TGameHero* hero = mState.party.Hero(n.heroID)) hero->name = n.name;
        PlayUiSound(TUiSound::Decide);
        endScriptScene(0);
    } else if (n.cursor == count - 2) {
        backspace();
        PlayUiSound(TUiSound::Cancel);
    } else {
        const std::string add = n.cursor == count - 3 ? std::string(" ") : letter;
        if (n.name.size() + add.size() > size_t(TNameEntry::kMaxBytes)) {
            PlayUiSound(TUiSound::Buzzer);
            return;
        }
        n.name += add;
        PlayUiSound(TUiSound::Decide);
    }
}

} // namespace tarvel::game
