#pragma once

// A small game to show scripts in: named records in every section the command texts look up, a
// map tree, a map with events, an edited copy of one event under a new name, and a monster group
// whose third member's monster does not exist.

#include <string>

#include "data/EventScriptConverter.h"
#include "data/LD_DataBase.h"
#include "data/LD_Map.h"
#include "data/LD_MapTree.h"

namespace tarvel::test {

struct ScriptFixture {
    TQelDataBase db;
    TQelMapTree tree;
    TQelMap map{1};
    TQelEventItem editedEvent{3};
    TQelMonGroupItem* group = nullptr;

    ScriptFixture() {
        auto names = [](TCatalog& list, std::initializer_list<const char*> values) {
            TQelDataBase::ResetList(list, static_cast<int>(values.size()));
            int id = 1;
            for (const char* value : values)
                list.Find(id++)->Name = value;
        };
        names(db.Heroes(), {"Alex", "Brian"});
        names(db.Items(), {"Potion", "Sword", "Shield"});
        names(db.Skills(), {"Heal"});
        names(db.Conditions(), {"Death", "Poison"});
        names(db.Animations(), {"Slash"});
        names(db.Monsters(), {"Slime", "Bat"});
        names(db.MonGroups(), {"Slime*2"});
        names(db.ChipSets(), {"World"});
        names(db.CommonEvents(), {"Shop keeper"});
        names(db.Switches(), {"Door", ""});
        names(db.Variables(), {"Gold", ""});
        group = db.MonGroups().Find(1);
        group->Members.FindOrCreate(1)->MonsterID = 1;
        group->Members.FindOrCreate(2)->MonsterID = 2;
        group->Members.FindOrCreate(3)->MonsterID = 9;

        tree.AddNode(0, 0)->Name = "Quest";
        tree.AddMapNode(0, 1)->Name = "World";
        tree.AddMapNode(1, 2)->Name = "Town";

        map.Reset();
        map.Events.FindOrCreate(1)->Name = "Guard";
        map.Events.FindOrCreate(3)->Name = "Chest";
        // Ten two-byte characters: 10 characters, 20 bytes.
        std::string accents;
        for (int i = 0; i < 10; ++i)
            accents += "\xC3\xA9";
        map.Events.FindOrCreate(4)->Name = accents;
        editedEvent.Name = "Chest (renamed)";
    }

    // A map or common-event script: map tree, map and the edited event, no group.
    TEventScriptContext mapContext() const {
        TEventScriptContext context;
        context.EventID = 3;
        context.Event = &editedEvent;
        context.MapTree = &tree;
        context.Map = &map;
        context.DataBase = &db;
        return context;
    }
    // A battle script: the group, no map.
    TEventScriptContext battleContext() const {
        TEventScriptContext context;
        context.MapTree = &tree;
        context.MonGroup = group;
        context.DataBase = &db;
        return context;
    }
};

} // namespace tarvel::test
