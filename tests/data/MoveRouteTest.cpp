#include <gtest/gtest.h>

#include "BytesHelper.h"
#include "data/LD_MoveRoute.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

std::unique_ptr<TQelMoveRouteItem> command(int32_t code) {
    return std::make_unique<TQelMoveRouteItem>(code);
}

std::unique_ptr<TQelMoveRouteItem> switchCommand(int32_t code, int32_t id) {
    auto c = command(code);
    c->SwitchID = id;
    return c;
}

std::unique_ptr<TQelMoveRouteItem> graphic(const std::string& name, int32_t index) {
    auto c = command(mcChangeGraphic);
    c->GraphicName = name;
    c->GraphicIndex = index;
    return c;
}

std::unique_ptr<TQelMoveRouteItem> sound(const std::string& name, int32_t volume, int32_t tempo,
                                         int32_t balance) {
    auto c = command(mcPlaySound);
    c->SoundName = name;
    c->SoundVolume = volume;
    c->SoundTempo = tempo;
    c->SoundBalance = balance;
    return c;
}

} // namespace

TEST(MoveRoute, CommandEncodings) {
    struct Case {
        const char* name;
        std::vector<std::unique_ptr<TQelMoveRouteItem>> (*commands)();
        const char* hex;
    } cases[] = {
        {"step up, switch 5 on, graphic Actor1 index 2",
         [] {
             std::vector<std::unique_ptr<TQelMoveRouteItem>> v;
             v.push_back(command(mcUp));
             v.push_back(switchCommand(mcSwitchOn, 5));
             v.push_back(graphic("Actor1", 2));
             return v;
         },
         "00 20 05 22 06 41 63 74 6F 72 31 02"},
        {"play Bell",
         [] {
             std::vector<std::unique_ptr<TQelMoveRouteItem>> v;
             v.push_back(sound("Bell", 100, 100, 50));
             return v;
         },
         "23 04 42 65 6C 6C 64 64 32"},
        {"switch off with a large ID and a wait",
         [] {
             std::vector<std::unique_ptr<TQelMoveRouteItem>> v;
             v.push_back(switchCommand(mcSwitchOff, 5000));
             v.push_back(command(mcWait));
             return v;
         },
         "21 A7 08 17"},
        {"no commands", [] { return std::vector<std::unique_ptr<TQelMoveRouteItem>>(); }, ""},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        TQelMoveRoute route;
        for (auto& item : c.commands())
            route.Add(std::move(item));
        Bytes bytes = route.GetRouteBytes();
        EXPECT_EQ(ToHex(bytes), ToHex(Hex(c.hex)));
        EXPECT_EQ(route.RouteSize, static_cast<int32_t>(bytes.size()));

        // Reading the bytes back gives the same commands, parsed up to exactly the end.
        TQelMoveRoute parsed;
        parsed.SetRouteBytes(bytes.data(), bytes.size());
        ASSERT_EQ(parsed.Count(), route.Count());
        EXPECT_EQ(parsed.GetRouteBytes(), bytes);
    }
}

TEST(MoveRoute, RecordChunks) {
    struct Case {
        const char* name;
        void (*change)(TQelMoveRoute&);
        const char* hex;
    } cases[] = {
        {"empty route", [](TQelMoveRoute&) {}, "0C 00 00"},
        {"no repeat", [](TQelMoveRoute& r) { r.Repeat = false; }, "0C 00 15 01 00 00"},
        {"skippable", [](TQelMoveRoute& r) { r.Skippable = true; }, "0C 00 16 01 01 00"},
        {"one step", [](TQelMoveRoute& r) { r.Add(command(mcLeft)); }, "0B 01 01 0C 01 03 00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TQelMoveRoute route;
        c.change(route);
        EXPECT_EQ(RecordHex(route), ToHex(Hex(c.hex)));

        TQelMoveRoute loaded;
        loaded.Add(command(mcWait)); // replaced by the load
        loaded.LoadFromBytes(Hex(c.hex));
        EXPECT_EQ(RecordHex(loaded), ToHex(Hex(c.hex)));
        EXPECT_EQ(loaded.Repeat, route.Repeat);
        EXPECT_EQ(loaded.Count(), route.Count());
    }
}

TEST(MoveRoute, BrokenBufferKeepsTheCommandsBeforeIt) {
    // Step right, then a graphic change whose name says 6 bytes but only 2 follow.
    Bytes bytes = Hex("01 22 06 41 63");
    TQelMoveRoute route;
    EXPECT_THROW(route.SetRouteBytes(bytes.data(), bytes.size()), EReadError);
    ASSERT_EQ(route.Count(), 1);
    EXPECT_EQ(route.Command(0)->Code, mcRight);

    // The same bytes inside a route record make the record's load fail.
    TQelMoveRoute record;
    EXPECT_THROW(record.LoadFromBytes(Hex("0C 05 01 22 06 41 63 00")), EReadError);
}

TEST(MoveRoute, EditingOperations) {
    TQelMoveRoute route;
    route.Add(command(mcUp));
    route.Add(command(mcDown));
    route.InsertCommand(1, command(mcRight));
    route.InsertCommand(99, command(mcLeft));
    std::vector<int32_t> codes;
    for (int i = 0; i < route.Count(); ++i)
        codes.push_back(route.Command(i)->Code);
    EXPECT_EQ(codes, (std::vector<int32_t>{mcUp, mcRight, mcDown, mcLeft}));
    route.DeleteCommand(0);
    route.DeleteCommand(7);
    EXPECT_EQ(route.Count(), 3);
    EXPECT_EQ(route.Command(0)->Code, mcRight);
    EXPECT_EQ(route.Command(3), nullptr);

    // Assign copies the commands through the encoding.
    TQelMoveRoute copy;
    copy.Assign(route);
    EXPECT_EQ(copy.GetRouteBytes(), route.GetRouteBytes());
}

TEST(MoveRoute, CommandNamesArePadded) {
    struct Case {
        int32_t code;
        const char* name;
    } cases[] = {
        {0, "Up      "},
        {7, "Left-Up   "},
        {10, "Escape from Hero"},
        {18, "Turn 180o    "},
        {20, "Random Direction  "},
        {22, "Reverse Face Hro"},
        {33, "Switch-OFF "},
        {35, "Play SE     "},
        {41, "Transp. Down"},
        {42, ""},
        {-1, ""},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(CommandName(c.code), c.name) << c.code;
}
