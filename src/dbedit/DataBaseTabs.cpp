#include "DataBaseTabs.h"

#include "DataBaseList.h"
#include "ED_CommonEvent.h"
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
     &MakeNamesPage<TQelPlayer, &TQelDataBase::Heroes, ClipboardFormat::Heroes>},
    {"Skills", 3,
     &MakeNamesPage<TQelSkill, &TQelDataBase::Skills, ClipboardFormat::Skills>},
    {"Items", 4,
     &MakeNamesPage<TQelItem, &TQelDataBase::Items, ClipboardFormat::Items>},
    {"Monsters", 5,
     &MakeNamesPage<TQelMonster, &TQelDataBase::Monsters, ClipboardFormat::Monsters>},
    {"M.Party", 6,
     &MakeNamesPage<TQelMonGroup, &TQelDataBase::MonGroups, ClipboardFormat::MonsterGroups>},
    {"Attributes", 7,
     &MakeNamesPage<TQelAttrib, &TQelDataBase::Attributes, ClipboardFormat::Attributes>},
    {"Conditions", 8,
     &MakeNamesPage<TQelStatus, &TQelDataBase::Conditions, ClipboardFormat::Conditions>},
    {"Battle", 9,
     &MakeNamesPage<TQelAnimation, &TQelDataBase::Animations, ClipboardFormat::Animations>},
    {"Terrain", 10,
     &MakeNamesPage<TQelGround, &TQelDataBase::Terrain, ClipboardFormat::Terrain>},
    {"ChipSets", 11,
     &MakeNamesPage<TQelChipSet, &TQelDataBase::ChipSets, ClipboardFormat::ChipSets>},
    {"Vocabulary", 12,
     nullptr},
    {"System", 13,
     nullptr},
    {"Common Events", 14,
     &MakeDataBasePage<TFormEDCommonEvent>},
};
// clang-format on

} // namespace

const TDataBaseTab& DataBaseTab(int index) {
    return Tabs[index];
}

} // namespace tarvel
