#pragma once

// Move routes: the list of movement commands an event (or, through an event command, the hero or
// a vehicle) performs step by step, stored inside an event page and, in the same byte encoding,
// inside the parameters of the "move event" command line.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "records/CatalogBase.h"

namespace tarvel {

// Move command codes. 0..7 step in a direction (4..7 diagonally), 12..15 face one; the direction
// numbering 0 up, 1 right, 2 down, 3 left is that of an event page's CharDir.
enum TMoveCode : int32_t {
    mcUp = 0,
    mcRight = 1,
    mcDown = 2,
    mcLeft = 3,
    mcRightUp = 4,
    mcRightDown = 5,
    mcLeftDown = 6,
    mcLeftUp = 7,
    mcRandomStep = 8,
    mcTowardHero = 9,
    mcAwayFromHero = 10,
    mcForward = 11,
    mcFaceUp = 12,
    mcFaceRight = 13,
    mcFaceDown = 14,
    mcFaceLeft = 15,
    mcTurnRight = 16,
    mcTurnLeft = 17,
    mcTurnAround = 18,
    mcTurnRightOrLeft = 19,
    mcTurnRandom = 20,
    mcFaceHero = 21,
    mcFaceAwayFromHero = 22,
    mcWait = 23,
    mcStartJump = 24,
    mcEndJump = 25,
    mcFixDirection = 26,
    mcReleaseDirection = 27,
    mcSpeedUp = 28,
    mcSpeedDown = 29,
    mcFrequencyUp = 30,
    mcFrequencyDown = 31,
    mcSwitchOn = 32,
    mcSwitchOff = 33,
    mcChangeGraphic = 34, // the quotation mark as a character code
    mcPlaySound = 35,     // the number sign
    mcStartSlipThrough = 36,
    mcStopSlipThrough = 37,
    mcStopAnimation = 38,
    mcResumeAnimation = 39,
    mcTransparencyUp = 40,
    mcTransparencyDown = 41,
};
constexpr int32_t MoveCodeCount = 42;

// The name a route command is listed with, trailing blanks included ("Up      "); empty for a
// code outside the table.
const char* CommandName(int32_t code);

// One route command: a plain object with its own byte encoding (the varint code, then the extra
// data of switch, graphic and sound commands).
class TQelMoveRouteItem {
public:
    int32_t Code = 0;
    int32_t SwitchID = 0;     // codes 32, 33
    std::string GraphicName;  // code 34
    int32_t GraphicIndex = 0; // code 34
    std::string SoundName;    // code 35
    int32_t SoundVolume = 0;
    int32_t SoundTempo = 0;
    int32_t SoundBalance = 0;

    TQelMoveRouteItem() = default;
    explicit TQelMoveRouteItem(int32_t code) : Code(code) {}

    void Reset() { *this = TQelMoveRouteItem(); }
    // Resets, then reads one command; raises EReadError when the bytes end inside it.
    void ReadCommand(TMemoryStream& stream);
    void WriteCommand(TMemoryStream& stream) const;
};

// A move route record: the commands in their byte encoding (chunks 11 and 12) and the two options.
// The parsed Commands are the working form; the buffer is brought in step after a load and before
// a save.
class TQelMoveRoute : public TCatalogBaseItem {
public:
    int32_t RouteSize;
    std::vector<uint8_t> RouteData;
    bool Repeat;    // "Repeat Action"
    bool Skippable; // "Ignored if cant be moved"

    TQelMoveRoute() { Reset(); }

    int Count() const { return static_cast<int>(mCommands.size()); }
    // The command at a position, or nullptr outside the route.
    TQelMoveRouteItem* Command(int index) const;
    // Takes the command and returns it.
    TQelMoveRouteItem* Add(std::unique_ptr<TQelMoveRouteItem> item);
    // Inserts before the command at index (at the end when index is Count or beyond).
    TQelMoveRouteItem* InsertCommand(int index, std::unique_ptr<TQelMoveRouteItem> item);
    void DeleteCommand(int index);
    void ClearCommands() { mCommands.clear(); }

    // Buffer to commands: reads commands until the buffer is exhausted. A buffer that ends inside
    // a command raises EReadError; the commands read before it stay.
    void ParseRoute();
    // Commands to buffer; RouteSize follows.
    void EncodeRoute();
    // Frees all commands, copies the bytes into the buffer and parses them.
    void SetRouteBytes(const uint8_t* data, size_t size);
    // Encodes and returns the route's bytes.
    std::vector<uint8_t> GetRouteBytes();

    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
    // Also drops the parsed commands.
    void Reset() override;
    void LoadFromStream(TMemoryStream& stream) override;
    void SaveToStream(TMemoryStream& stream) const override;

private:
    std::vector<std::unique_ptr<TQelMoveRouteItem>> mCommands;
};

} // namespace tarvel
