// The looks of the package's characters. The order of each list is the character index within
// its set, and the face of character i in the face set of the same name is face i (smiling: i + 8).
#include "Characters.h"

namespace tarvel::rtp {

namespace {

const Rgb kFair{240, 200, 160}, kLight{228, 180, 140}, kTan{204, 150, 106}, kDark{150, 100, 70},
    kPale{236, 214, 200};

CharacterLook person(const char* name, Rgb skin, HairStyle style, Rgb hair, Outfit outfit, Rgb main,
                     Rgb second, Rgb legs, Rgb eyes = {50, 70, 140}) {
    CharacterLook l;
    l.name = name;
    l.skin = skin;
    l.hairStyle = style;
    l.hair = hair;
    l.outfit = outfit;
    l.main = main;
    l.second = second;
    l.legs = legs;
    l.eyes = eyes;
    return l;
}

CharacterLook with(CharacterLook l, Held held) {
    l.held = held;
    return l;
}
CharacterLook caped(CharacterLook l, Rgb cape) {
    l.cape = true;
    l.capeColour = cape;
    return l;
}
CharacterLook hat(CharacterLook l, Rgb colour) {
    l.capeColour = colour;
    return l;
}
CharacterLook bearded(CharacterLook l) {
    l.beard = true;
    return l;
}
CharacterLook stout(CharacterLook l) {
    l.stout = true;
    return l;
}
CharacterLook child(CharacterLook l) {
    l.child = true;
    return l;
}
CharacterLook elf(CharacterLook l) {
    l.pointedEars = true;
    return l;
}

CharacterLook creature(const char* name, Body body, Rgb main, Rgb second, Rgb eyes = {220, 60, 60}) {
    CharacterLook l;
    l.name = name;
    l.body = body;
    l.main = main;
    l.second = second;
    l.eyes = eyes;
    l.skin = {230, 214, 180};
    l.hair = {250, 220, 120};
    return l;
}

std::vector<CharacterSetPlan> makePlans() {
    std::vector<CharacterSetPlan> plans;
    plans.push_back(
        {"Hero1",
         {
             with(person("Aren", kFair, HairStyle::Spiky, {132, 78, 40}, Outfit::Tunic, {200, 58, 50},
                         {226, 200, 150}, {70, 76, 110}),
                  Held::Sword),
             with(hat(person("Lysa", kFair, HairStyle::Long, {240, 206, 100}, Outfit::Robe, {64, 96, 196},
                             {230, 196, 92}, {60, 60, 90}, {60, 120, 60}),
                      {88, 70, 160}),
                  Held::Staff),
             with(person("Brom", kTan, HairStyle::Helmet, {40, 36, 40}, Outfit::Armour, {52, 84, 176},
                         {200, 200, 210}, {80, 80, 96}),
                  Held::Spear),
             with(hat(person("Kira", kLight, HairStyle::Hood, {120, 60, 30}, Outfit::Tunic, {90, 144, 72},
                             {200, 180, 120}, {100, 80, 60}, {40, 100, 60}),
                      {70, 120, 62}),
                  Held::Bow),
             with(person("Mira", kPale, HairStyle::Long, {236, 160, 200}, Outfit::Robe, {236, 236, 240},
                         {226, 182, 70}, {160, 160, 180}, {150, 80, 150}),
                  Held::Staff),
             person("Dax", kLight, HairStyle::Bandana, {226, 120, 50}, Outfit::Coat, {72, 72, 96},
                    {136, 62, 156}, {56, 56, 70}, {120, 60, 40}),
             person("Tao", kTan, HairStyle::Bald, {40, 30, 30}, Outfit::Gi, {232, 140, 44}, {110, 70, 40},
                    {232, 140, 44}, {60, 40, 30}),
             with(stout(bearded(person("Gorm", kLight, HairStyle::Bald, {184, 84, 40}, Outfit::Tunic,
                                       {142, 102, 62}, {96, 110, 130}, {90, 70, 56}, {60, 80, 60}))),
                  Held::Axe),
         },
         true});
    plans.push_back({"Hero2",
                     {
                         with(person("Ryo", kLight, HairStyle::Ponytail, {36, 32, 40}, Outfit::Gi,
                                     {60, 66, 140}, {200, 60, 60}, {50, 50, 80}, {40, 30, 30}),
                              Held::Sword),
                         with(caped(person("Cedric", kFair, HairStyle::Short, {246, 214, 110}, Outfit::Armour,
                                           {236, 226, 190}, {210, 170, 60}, {120, 110, 100}),
                                    {190, 40, 50}),
                              Held::Sword),
                         caped(person("Pell", kFair, HairStyle::Bob, {170, 84, 50}, Outfit::Tunic,
                                      {40, 150, 140}, {240, 220, 160}, {90, 70, 50}, {50, 120, 60}),
                               {230, 190, 70}),
                         with(hat(person("Vessa", kPale, HairStyle::Long, {132, 80, 170}, Outfit::Robe,
                                         {70, 40, 90}, {200, 60, 120}, {50, 40, 60}, {160, 40, 60}),
                                  {50, 40, 60}),
                              Held::Staff),
                         with(person("Jack", kTan, HairStyle::Bandana, {40, 30, 30}, Outfit::Coat,
                                     {40, 56, 110}, {210, 50, 50}, {230, 220, 200}, {50, 40, 30}),
                              Held::Sword),
                         person("Sela", kLight, HairStyle::Bun, {210, 70, 50}, Outfit::Dress, {232, 110, 146},
                                {250, 220, 120}, {230, 110, 146}, {40, 110, 80}),
                         person("Theo", kFair, HairStyle::Short, {100, 70, 50}, Outfit::Robe, {76, 130, 90},
                                {220, 200, 140}, {60, 60, 60}, {60, 60, 120}),
                         with(elf(person("Elwin", kPale, HairStyle::Long, {236, 230, 160}, Outfit::Tunic,
                                         {112, 150, 80}, {150, 110, 70}, {90, 110, 70}, {60, 150, 90})),
                              Held::Bow),
                     },
                     true});
    plans.push_back({"People1",
                     {
                         with(bearded(person("Old Man", kLight, HairStyle::Bald, {226, 226, 232},
                                             Outfit::Robe, {140, 110, 80}, {100, 80, 60}, {90, 80, 70})),
                              Held::Staff),
                         person("Old Woman", kLight, HairStyle::Bun, {196, 196, 206}, Outfit::Dress,
                                {136, 100, 160}, {226, 226, 230}, {136, 100, 160}),
                         child(person("Boy", kFair, HairStyle::Short, {120, 76, 40}, Outfit::Tunic,
                                      {96, 160, 80}, {230, 210, 160}, {80, 90, 130})),
                         child(person("Girl", kFair, HairStyle::Ponytail, {226, 126, 56}, Outfit::Dress,
                                      {244, 206, 80}, {250, 250, 250}, {244, 206, 80})),
                         person("Farmer", kTan, HairStyle::StrawHat, {110, 70, 40}, Outfit::Tunic,
                                {130, 170, 210}, {200, 180, 140}, {120, 90, 60}),
                         stout(person("Merchant", kLight, HairStyle::Short, {50, 40, 40}, Outfit::Tunic,
                                      {60, 130, 80}, {240, 230, 200}, {100, 80, 60})),
                         person("Maid", kFair, HairStyle::Bob, {50, 40, 50}, Outfit::Dress, {50, 50, 70},
                                {244, 244, 246}, {50, 50, 70}),
                         person("Townsman", kFair, HairStyle::Short, {236, 200, 100}, Outfit::Coat,
                                {150, 100, 60}, {230, 220, 200}, {80, 70, 60}),
                     },
                     true});
    plans.push_back({"People2",
                     {
                         caped(bearded(person("King", kLight, HairStyle::Crown, {236, 236, 236}, Outfit::Robe,
                                              {190, 40, 50}, {236, 200, 80}, {120, 30, 40})),
                               {110, 50, 150}),
                         person("Queen", kFair, HairStyle::Crown, {246, 214, 110}, Outfit::Dress,
                                {120, 70, 170}, {236, 200, 80}, {120, 70, 170}),
                         caped(person("Prince", kFair, HairStyle::Short, {236, 200, 100}, Outfit::Tunic,
                                      {60, 100, 200}, {240, 240, 240}, {230, 230, 230}),
                               {240, 240, 246}),
                         person("Princess", kFair, HairStyle::Long, {236, 150, 180}, Outfit::Dress,
                                {250, 170, 200}, {250, 250, 250}, {250, 170, 200}),
                         with(person("Soldier", kLight, HairStyle::Helmet, {60, 50, 40}, Outfit::Armour,
                                     {170, 50, 50}, {230, 230, 230}, {80, 80, 90}),
                              Held::Spear),
                         with(caped(person("Captain", kTan, HairStyle::Short, {60, 40, 30}, Outfit::Armour,
                                           {40, 60, 130}, {230, 200, 80}, {70, 70, 80}),
                                    {180, 40, 50}),
                              Held::Sword),
                         bearded(person("Minister", kLight, HairStyle::Bald, {120, 120, 130}, Outfit::Robe,
                                        {50, 70, 120}, {230, 200, 90}, {50, 60, 90})),
                         person("Jester", kFair, HairStyle::Bandana, {226, 80, 60}, Outfit::Tunic,
                                {230, 190, 50}, {180, 40, 160}, {180, 40, 160}),
                     },
                     true});
    plans.push_back(
        {"People3",
         {
             stout(person("Innkeeper", kFair, HairStyle::Short, {140, 90, 50}, Outfit::Tunic, {200, 120, 80},
                          {246, 246, 240}, {90, 70, 60})),
             with(stout(bearded(person("Smith", kTan, HairStyle::Bald, {40, 30, 30}, Outfit::Tunic,
                                       {110, 80, 56}, {60, 60, 70}, {70, 60, 60}))),
                  Held::Axe),
             hat(person("Nun", kFair, HairStyle::Hood, {50, 40, 40}, Outfit::Robe, {40, 40, 56},
                        {240, 240, 246}, {40, 40, 56}),
                 {44, 44, 60}),
             person("Sailor", kTan, HairStyle::Bandana, {60, 40, 30}, Outfit::Tunic, {236, 236, 240},
                    {50, 80, 170}, {50, 80, 170}),
             person("Lady", kPale, HairStyle::Bun, {246, 214, 110}, Outfit::Dress, {50, 150, 150},
                    {240, 230, 200}, {50, 150, 150}),
             with(hat(person("Bandit", kTan, HairStyle::Hood, {40, 30, 30}, Outfit::Coat, {96, 76, 60},
                             {60, 60, 60}, {60, 56, 50}),
                      {80, 60, 44}),
                  Held::Axe),
             person("Shopkeeper", kFair, HairStyle::Bob, {120, 70, 40}, Outfit::Dress, {90, 150, 90},
                    {240, 236, 220}, {90, 150, 90}),
             with(hat(bearded(person("Wizard", kLight, HairStyle::WizardHat, {230, 230, 236}, Outfit::Robe,
                                     {60, 80, 170}, {230, 200, 80}, {60, 80, 170})),
                      {60, 80, 170}),
                  Held::Staff),
         },
         true});
    CharacterLook skeleton = person("Skeleton", {226, 222, 200}, HairStyle::Bald, {0, 0, 0}, Outfit::Tunic,
                                    {84, 76, 96}, {60, 54, 70}, {226, 222, 200}, {210, 40, 40});
    skeleton.held = Held::Sword;
    CharacterLook goblin = elf(person("Goblin", {132, 176, 70}, HairStyle::Short, {60, 50, 36}, Outfit::Tunic,
                                      {150, 96, 56}, {200, 60, 50}, {90, 80, 60}, {230, 200, 40}));
    goblin.held = Held::Axe;
    plans.push_back({"Monster1",
                     {
                         creature("Slime", Body::Slime, {90, 190, 90}, {60, 140, 60}),
                         creature("Bat", Body::Bat, {110, 80, 140}, {80, 60, 100}),
                         creature("Ghost", Body::Ghost, {220, 228, 246}, {180, 190, 230}),
                         skeleton,
                         goblin,
                         creature("Wolf", Body::Wolf, {130, 130, 140}, {70, 70, 80}),
                         creature("Spider", Body::Spider, {90, 70, 110}, {220, 200, 60}),
                         creature("Mushroom", Body::Mushroom, {210, 60, 60}, {140, 100, 70}),
                     },
                     false});
    plans.push_back({"Monster2",
                     {
                         creature("Blue Slime", Body::Slime, {80, 140, 220}, {50, 90, 170}),
                         creature("Red Bat", Body::Bat, {180, 60, 60}, {110, 40, 40}),
                         creature("Wraith", Body::Ghost, {150, 110, 190}, {100, 70, 140}),
                         creature("Black Wolf", Body::Wolf, {70, 66, 80}, {40, 36, 44}),
                         creature("Cave Spider", Body::Spider, {80, 130, 80}, {230, 60, 60}),
                         creature("Toadstool", Body::Mushroom, {90, 110, 200}, {120, 90, 70}),
                         creature("Fairy", Body::Fairy, {120, 210, 160}, {80, 160, 120}, {60, 90, 160}),
                         creature("Bird", Body::Bird, {80, 130, 210}, {50, 80, 150}),
                     },
                     false});
    plans.push_back({"Object1",
                     {
                         creature("Chest", Body::Chest, {150, 100, 60}, {90, 60, 40}),
                         creature("Treasure Chest", Body::Chest, {180, 50, 50}, {110, 30, 30}),
                         creature("Wooden Door", Body::Door, {150, 100, 60}, {110, 110, 120}),
                         creature("Iron Door", Body::Door, {120, 126, 140}, {80, 80, 96}),
                         creature("Save Crystal", Body::Crystal, {90, 170, 240}, {60, 110, 180}),
                         creature("Glowing Orb", Body::Orb, {120, 220, 130}, {110, 100, 110}),
                         creature("Lever", Body::Lever, {200, 50, 50}, {110, 110, 120}),
                         creature("Fire Crystal", Body::Crystal, {240, 90, 70}, {170, 50, 40}),
                     },
                     false});
    plans.push_back({"Vehicle1",
                     {
                         creature("Boat", Body::Boat, {160, 110, 66}, {110, 80, 50}),
                         creature("Ship", Body::Ship, {150, 96, 56}, {100, 70, 44}),
                         creature("Airship", Body::Airship, {200, 70, 60}, {140, 100, 60}),
                         creature("Raft", Body::Raft, {170, 130, 80}, {110, 80, 50}),
                         creature("Horse", Body::Horse, {150, 96, 60}, {70, 50, 40}),
                         creature("Cart", Body::Cart, {170, 120, 70}, {90, 70, 50}),
                         creature("White Horse", Body::Horse, {236, 232, 226}, {180, 170, 160}),
                         creature("Dark Ship", Body::Ship, {70, 60, 70}, {50, 40, 50}),
                     },
                     false});
    return plans;
}

} // namespace

const std::vector<CharacterSetPlan>& CharacterSetPlans() {
    static const std::vector<CharacterSetPlan> plans = makePlans();
    return plans;
}

} // namespace tarvel::rtp
