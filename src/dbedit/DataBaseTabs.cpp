#include "DataBaseTabs.h"

#include "DataBaseList.h"
#include "ED_Animation.h"
#include "ED_Attrib.h"
#include "ED_ChipSet.h"
#include "ED_CommonEvent.h"
#include "ED_Ground.h"
#include "ED_Item.h"
#include "ED_Monster.h"
#include "ED_Player.h"
#include "ED_Skill.h"
#include "ED_Status.h"
#include "ED_System.h"
#include "ED_Vocabulary.h"
#include "data/LD_DataBase.h"
#include "records/ClipboardPort.h"

namespace tarvel {

namespace {

// The record list and the name of a kind whose own editor is not there yet.
template <typename List, List& (TQelDataBase::*Section)() const, int Format>
TDataBasePagePtr MakeNamesPage(QWidget* parent, TQelDataBase& dataBase) {
    return std::make_unique<TFormEDRecordNames>(parent, dataBase, (dataBase.*Section)(), Format);
}

// One entry per tab, the page function on a line of its own: an editor plugs in by changing its
// tab's second line to &MakeDataBasePage<ItsClass>.
// clang-format off
const TDataBaseTab Tabs[DataBaseTabCount] = {
    {"Hero", 2,
     &MakeDataBasePage<TFormEDPlayer>},
    {"Skills", 3,
     &MakeDataBasePage<TFormEDSkill>},
    {"Items", 4,
     &MakeDataBasePage<TFormEDItem>},
    {"Monsters", 5,
     &MakeDataBasePage<TFormEDMonster>},
    {"M.Party", 6,
     &MakeNamesPage<TQelMonGroup, &TQelDataBase::MonGroups, ClipboardFormat::MonsterGroups>},
    {"Attributes", 7,
     &MakeDataBasePage<TFormEDAttrib>},
    {"Conditions", 8,
     &MakeDataBasePage<TFormEDStatus>},
    {"Battle", 9,
     &MakeDataBasePage<TFormEDAnimation>},
    {"Terrain", 10,
     &MakeDataBasePage<TFormEDGround>},
    {"ChipSets", 11,
     &MakeDataBasePage<TFormEDChipSet>},
    {"Vocabulary", 12,
     &MakeDataBasePage<TFormEDVocabulary>},
    {"System", 13,
     &MakeDataBasePage<TFormEDSystem>},
    {"Common Events", 14,
     &MakeDataBasePage<TFormEDCommonEvent>},
};
// clang-format on

} // namespace

const TDataBaseTab& DataBaseTab(int index) {
    return Tabs[index];
}

} // namespace tarvel
