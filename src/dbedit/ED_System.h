#pragma once

#include "DataBaseBase.h"
#include "DataBaseControls.h"
#include "data/LD_System.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace tarvel {

// "System": the vehicles, the title, game-over and system pictures, the party the game starts
// with, the system music and sounds, the screen transitions, the party of battle tests and the
// settings other editors keep here; on sub-pages of their own.
class TFormEDSystem : public TFormDataBaseBase {
    Q_OBJECT
public:
    static constexpr int PartySlots = 4;
    static constexpr int TestPartyMax = 4;

    TFormEDSystem(QWidget* parent, TQelDataBase& dataBase);
    ~TFormEDSystem() override;

    void Start() override;

    QTabWidget* SubPages() const { return mTabs; }
    TRecordComboBox* PartySlot(int slot) const { return mParty[slot]; }
    TMaterialBox* MusicBox(int index) const { return mMusic[index]; }
    TMaterialBox* SoundBox(int index) const { return mSounds[index]; }
    QComboBox* TransitionBox(int index) const { return mTransitions[index]; }
    QButtonGroup* WallpaperGroup() const { return mWallpaper; }
    QListWidget* TestMembers() const { return mTestMembers; }
    TRecordComboBox* TestHero() const { return mTestHero; }
    QSpinBox* TestLevel() const { return mTestLevel; }
    TRecordComboBox* TestEquipment(int slot) const { return mTestEquipment[slot]; }
    QPushButton* TestAdd() const { return mTestAdd; }
    QPushButton* TestRemove() const { return mTestRemove; }

    // A party slot chose a hero ID (0: "(None)", which ends the party there).
    void PartySlotChange(int slot);
    void TestAddClick();
    void TestRemoveClick();

protected:
    void RefreshDerived() override;

private:
    QWidget* buildGeneral();
    QWidget* buildMusic();
    QWidget* buildSounds();
    QWidget* buildTransitions();
    QWidget* buildTesting();
    // Fills every control from the record again.
    void reload();
    void fillParty();
    void fillTestMembers(int select);
    void loadTestMember();
    void storeTestMember();
    TQelTestPlayerItem* currentTestMember() const;
    QString testMemberText(const TQelTestPlayerItem& member) const;

    TQelSystem& mSystem;
    TFieldBinder<TQelSystem> mBinder;
    QTabWidget* mTabs;
    TRecordComboBox* mParty[PartySlots] = {};
    TMaterialBox* mMusic[8] = {};
    TMaterialBox* mSounds[SystemSoundCount] = {};
    QComboBox* mTransitions[SystemTransitionCount] = {};
    QButtonGroup* mWallpaper = nullptr;
    QListWidget* mTestMembers = nullptr;
    QGroupBox* mTestMember = nullptr;
    TRecordComboBox* mTestHero = nullptr;
    QSpinBox* mTestLevel = nullptr;
    QLabel* mTestSecondHand = nullptr;
    TRecordComboBox* mTestEquipment[5] = {};
    QPushButton* mTestAdd = nullptr;
    QPushButton* mTestRemove = nullptr;
    QLabel* mSaveCount = nullptr;
    bool mFillingTest = false;
};

} // namespace tarvel
