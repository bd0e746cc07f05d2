#include "LD_MoveRoute.h"

namespace tarvel {

namespace {

// Padded as the route lists show them; the blanks are part of the names.
const char* const kCommandNames[MoveCodeCount] = {
    "Up      ",           "Right   ",         "Down    ",         "Left    ",       "Right-Up  ",
    "Right-Down",         "Left-Down ",       "Left-Up   ",       "RandomDir Step", "Follow Hero   ",
    "Escape from Hero",   "Forward ",         "Face Up ",         "FaceRigh",       "FaceDown",
    "FaceLeft",           "TurnRight 90",     "Turn Left 90",     "Turn 180o    ",  "Right-Left Tr 90",
    "Random Direction  ", "Normal Face Hero", "Reverse Face Hro", "Wait    ",       "Start Jump  ",
    "End Jump    ",       "Fix Dir.",         "CancelFixDir",     "Move Speed Up ", "Move Speed Dwn",
    "Move Freq. Up ",     "Move Freq.Down",   "Switch-ON ",       "Switch-OFF ",    "Change Graphic  ",
    "Play SE     ",       "Strt SlipTro",     "StopSlipTrou",     "Stop Anim.",     "ResumeAnim",
    "Transp. Up  ",       "Transp. Down",
};

int32_t readInt(TMemoryStream& stream) {
    return static_cast<int32_t>(ReadVarInt(stream));
}

} // namespace

const char* CommandName(int32_t code) {
    if (code < 0 || code >= MoveCodeCount) return "";
    return kCommandNames[code];
}

void TQelMoveRouteItem::ReadCommand(TMemoryStream& stream) {
    Reset();
    Code = readInt(stream);
    switch (Code) {
    case mcSwitchOn:
    case mcSwitchOff:
        SwitchID = readInt(stream);
        break;
    case mcChangeGraphic:
        GraphicName = ReadVarString(stream);
        GraphicIndex = readInt(stream);
        break;
    case mcPlaySound:
        SoundName = ReadVarString(stream);
        SoundVolume = readInt(stream);
        SoundTempo = readInt(stream);
        SoundBalance = readInt(stream);
        break;
    default:
        break;
    }
}

void TQelMoveRouteItem::WriteCommand(TMemoryStream& stream) const {
    WriteVarInt(stream, Code);
    switch (Code) {
    case mcSwitchOn:
    case mcSwitchOff:
        WriteVarInt(stream, SwitchID);
        break;
    case mcChangeGraphic:
        WriteVarString(stream, GraphicName);
        WriteVarInt(stream, GraphicIndex);
        break;
    case mcPlaySound:
        WriteVarString(stream, SoundName);
        WriteVarInt(stream, SoundVolume);
        WriteVarInt(stream, SoundTempo);
        WriteVarInt(stream, SoundBalance);
        break;
    default:
        break;
    }
}

TQelMoveRouteItem* TQelMoveRoute::Command(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return mCommands[static_cast<size_t>(index)].get();
}

TQelMoveRouteItem* TQelMoveRoute::Add(std::unique_ptr<TQelMoveRouteItem> item) {
    mCommands.push_back(std::move(item));
    return mCommands.back().get();
}

TQelMoveRouteItem* TQelMoveRoute::InsertCommand(int index, std::unique_ptr<TQelMoveRouteItem> item) {
    if (index < 0) index = 0;
    if (index > Count()) index = Count();
    return mCommands.insert(mCommands.begin() + index, std::move(item))->get();
}

void TQelMoveRoute::DeleteCommand(int index) {
    if (index < 0 || index >= Count()) return;
    mCommands.erase(mCommands.begin() + index);
}

void TQelMoveRoute::ParseRoute() {
    mCommands.clear();
    RouteSize = static_cast<int32_t>(RouteData.size());
    TMemoryStream stream(RouteData);
    while (stream.Position() < stream.Size()) {
        auto item = std::make_unique<TQelMoveRouteItem>();
        item->ReadCommand(stream);
        mCommands.push_back(std::move(item));
    }
}

void TQelMoveRoute::EncodeRoute() {
    TMemoryStream stream;
    for (const auto& item : mCommands)
        item->WriteCommand(stream);
    RouteData = std::move(stream.Bytes());
    RouteSize = static_cast<int32_t>(RouteData.size());
}

void TQelMoveRoute::SetRouteBytes(const uint8_t* data, size_t size) {
    mCommands.clear();
    RouteData.assign(data, data + size);
    RouteSize = static_cast<int32_t>(size);
    ParseRoute();
}

std::vector<uint8_t> TQelMoveRoute::GetRouteBytes() {
    EncodeRoute();
    return RouteData;
}

void TQelMoveRoute::DescribeField(int id, TCatalogVarData& v, bool) {
    switch (id) {
    case 11:
        v.Integer(&RouteSize, 0, "RouteSize").Hidden();
        break;
    case 12:
        v.Buffer(&RouteData, RouteSize, "RouteData", TFieldForm::Hidden);
        break;
    case 21:
        v.Boolean(&Repeat, true, "Repeat");
        break;
    case 22:
        v.Boolean(&Skippable, false, "Skippable");
        break;
    }
}

void TQelMoveRoute::Reset() {
    TCatalogBaseItem::Reset();
    mCommands.clear();
}

void TQelMoveRoute::LoadFromStream(TMemoryStream& stream) {
    TCatalogBaseItem::LoadFromStream(stream);
    ParseRoute();
}

void TQelMoveRoute::SaveToStream(TMemoryStream& stream) const {
    // The stored form follows the commands, which are what editors change.
    const_cast<TQelMoveRoute*>(this)->EncodeRoute();
    TCatalogBaseItem::SaveToStream(stream);
}

} // namespace tarvel
