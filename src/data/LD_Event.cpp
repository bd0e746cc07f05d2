#include "LD_Event.h"

#include "records/QelAssert.h"

namespace tarvel {

void TQelEventScriptLine::Read(TMemoryStream& stream) {
    Code = static_cast<int32_t>(ReadVarInt(stream));
    Indent = static_cast<int32_t>(ReadVarInt(stream));
    Text = ReadVarString(stream);
    uint32_t count = ReadVarInt(stream);
    // Every parameter takes at least one byte.
    if (count > static_cast<uint64_t>(stream.Remaining())) throw EReadError();
    Params.resize(count);
    for (uint32_t i = 0; i < count; ++i)
        Params[i] = static_cast<int32_t>(ReadVarInt(stream));
}

void TQelEventScriptLine::Write(TMemoryStream& stream) const {
    WriteVarInt(stream, Code);
    WriteVarInt(stream, Indent);
    WriteVarString(stream, Text);
    WriteVarInt(stream, static_cast<uint32_t>(Params.size()));
    for (int32_t p : Params)
        WriteVarInt(stream, p);
}

TQelEventScriptLine* TQelEventScriptList::Line(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return mLines[static_cast<size_t>(index)].get();
}

TQelEventScriptLine* TQelEventScriptList::Add(std::unique_ptr<TQelEventScriptLine> line) {
    mLines.push_back(std::move(line));
    return mLines.back().get();
}

TQelEventScriptLine* TQelEventScriptList::Add(const TQelEventScriptLine& line) {
    return Add(std::make_unique<TQelEventScriptLine>(line));
}

TQelEventScriptLine* TQelEventScriptList::Insert(int index, std::unique_ptr<TQelEventScriptLine> line) {
    if (index < 0) index = 0;
    if (index > Count()) index = Count();
    return mLines.insert(mLines.begin() + index, std::move(line))->get();
}

void TQelEventScriptList::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    mLines.erase(mLines.begin() + index);
}

void TQelEventScriptList::Assign(const TQelEventScriptList& source) {
    if (&source == this) return;
    mLines.clear();
    mLines.reserve(source.mLines.size());
    for (const auto& line : source.mLines)
        Add(*line);
}

void TQelEventScriptList::InsertLines(int position, const TQelEventScriptList& source, int32_t indentDelta) {
    QelAssert(position >= 0 && position <= Count() && source.Count() > 0, "LD_Event", __LINE__);
    int32_t base = 0;
    if (position < Count())
        base = Line(position)->Indent;
    else if (Count() > 0)
        base = Line(Count() - 1)->Indent;
    int32_t first = source.Line(0)->Indent;
    // Copies first, so a list can be inserted into itself.
    std::vector<std::unique_ptr<TQelEventScriptLine>> copies;
    copies.reserve(source.mLines.size());
    for (const auto& line : source.mLines) {
        auto copy = std::make_unique<TQelEventScriptLine>(*line);
        copy->Indent = base + indentDelta + (line->Indent - first);
        copies.push_back(std::move(copy));
    }
    mLines.insert(mLines.begin() + position, std::make_move_iterator(copies.begin()),
                  std::make_move_iterator(copies.end()));
}

void TQelEventScriptList::ReadLines(TMemoryStream& stream) {
    mLines.clear();
    while (stream.Position() < stream.Size()) {
        auto line = std::make_unique<TQelEventScriptLine>();
        line->Read(stream);
        mLines.push_back(std::move(line));
    }
}

void TQelEventScriptList::WriteLines(TMemoryStream& stream) const {
    for (const auto& line : mLines)
        line->Write(stream);
}

void TQelBaseEventPageItem::ParseScript() {
    // The buffer's own length counts; a size chunk that disagrees with it is not trusted.
    ScriptSize = static_cast<int32_t>(ScriptData.size());
    TMemoryStream stream(ScriptData);
    Script.ReadLines(stream);
}

void TQelBaseEventPageItem::EncodeScript() {
    TMemoryStream stream;
    Script.WriteLines(stream);
    ScriptData = std::move(stream.Bytes());
    ScriptSize = static_cast<int32_t>(ScriptData.size());
}

void TQelBaseEventPageItem::ResetScript() {
    ScriptSize = 4;
    ScriptData.assign(4, 0);
    ParseScript();
}

void TQelBaseEventPageItem::DescribeScript(int id, TCatalogVarData& v, int sizeID, int dataID) {
    // The size is compared against 0 although a new script has 4 bytes, so it is always written
    // unless the script is empty.
    if (id == sizeID) v.SetInteger(&ScriptSize, 0);
    if (id == dataID) v.SetField(vkBuffer, &ScriptData, ScriptSize);
}

void TQelBaseEventPageItem::LoadFromStream(TMemoryStream& stream) {
    TCatalogItem::LoadFromStream(stream);
    ParseScript();
}

void TQelBaseEventPageItem::SaveToStream(TMemoryStream& stream) const {
    // The stored form follows the parsed script, which is what editors change.
    const_cast<TQelBaseEventPageItem*>(this)->EncodeScript();
    TCatalogItem::SaveToStream(stream);
}

void TQelEventCondition::DescribeField(int id, TCatalogVarData& v, bool) {
    switch (id) {
    case 1:
        v.SetField(vkBlock, &Flags, 1);
        break;
    case 2:
        v.SetInteger(&SwitchA, 1);
        break;
    case 3:
        v.SetInteger(&SwitchB, 1);
        break;
    case 4:
        v.SetInteger(&VariableID, 1);
        break;
    case 5:
        v.SetInteger(&VariableValue, 0);
        break;
    case 6:
        v.SetInteger(&ItemID, 1);
        break;
    case 7:
        // Always written: hero 1 (the reset value) must be, and a hero of 0 compared against a
        // default of 0 would be left out and read back as 1.
        v.SetField(vkInteger, &HeroID, 0);
        break;
    case 8:
        v.SetInteger(&TimerSeconds, 0);
        break;
    }
}

void TQelEventCondition::Reset() {
    Flags = 0;
    SwitchA = 1;
    SwitchB = 1;
    VariableID = 1;
    VariableValue = 0;
    ItemID = 1;
    HeroID = 1;
    TimerSeconds = 0;
}

const std::vector<TFieldName>& TQelEventCondition::FieldNames() const {
    static const std::vector<TFieldName> names = {
        {1, "Flags"},         {2, "SwitchA"}, {3, "SwitchB"}, {4, "VariableID"},
        {5, "VariableValue"}, {6, "ItemID"},  {7, "HeroID"},  {8, "TimerSeconds"},
    };
    return names;
}

void TQelEventPageItem::DescribeField(int id, TCatalogVarData& v, bool) {
    switch (id) {
    case 2:
        v.SetField(vkRecord, static_cast<TStreamable*>(&Condition), 0);
        break;
    case 21:
        v.SetString(&CharName, true);
        break;
    case 22:
        v.SetInteger(&CharIndex, 0);
        break;
    case 23:
        v.SetField(vkBlock, &CharDir, 1);
        break;
    case 24:
        v.SetInteger(&CharPattern, 1);
        break;
    case 25:
        v.SetField(vkBlock, &CharTransparent, 1);
        break;
    case 31:
        v.SetField(vkBlock, &MoveType, 1);
        break;
    case 32:
        v.SetInteger(&MoveFrequency, 3);
        break;
    case 33:
        v.SetField(vkBlock, &Trigger, 1);
        break;
    case 34:
        v.SetField(vkBlock, &Priority, 1);
        break;
    case 35:
        v.SetField(vkBlock, &OverlapFlag, 1);
        break;
    case 36:
        v.SetField(vkBlock, &AnimType, 1);
        break;
    case 37:
        v.SetInteger(&MoveSpeed, 3);
        break;
    case 41:
        v.SetField(vkRecord, static_cast<TStreamable*>(&MoveRoute), 0);
        break;
    default:
        DescribeScript(id, v, 51, 52);
    }
}

void TQelEventPageItem::Reset() {
    Condition.Reset();
    CharName.clear();
    CharIndex = 0;
    CharDir = 2;
    CharPattern = 1;
    CharTransparent = 0;
    MoveType = 0;
    MoveFrequency = 3;
    Trigger = 0;
    Priority = 0;
    OverlapFlag = 0;
    AnimType = 0;
    MoveSpeed = 3;
    MoveRoute.Reset();
    ResetScript();
}

const std::vector<TFieldName>& TQelEventPageItem::FieldNames() const {
    // The script appears as "Script" lines (added by the plain-text form's hooks).
    static const std::vector<TFieldName> names = {
        {2, "Condition"},
        {21, "CharName"},
        {22, "CharIndex"},
        {23, "CharDir"},
        {24, "CharPattern"},
        {25, "CharTransparent"},
        {31, "MoveType"},
        {32, "MoveFrequency"},
        {33, "Trigger"},
        {34, "Priority"},
        {35, "OverlapFlag"},
        {36, "AnimType"},
        {37, "MoveSpeed"},
        {41, "MoveRoute"},
        {51, "ScriptSize", TFieldForm::Hidden},
        {52, "ScriptData", TFieldForm::Hidden},
    };
    return names;
}

void TQelEventItem::DescribeField(int id, TCatalogVarData& v, bool) {
    switch (id) {
    case 1:
        v.SetString(&Name, true);
        break;
    case 2:
        v.SetInteger(&X, 0);
        break;
    case 3:
        v.SetInteger(&Y, 0);
        break;
    case 5:
        v.SetField(vkList, static_cast<TStreamable*>(&Pages), 0);
        break;
    }
}

void TQelEventItem::Reset() {
    Name.clear();
    X = 0;
    Y = 0;
    Pages.Clear();
    Pages.FindOrCreate(1);
}

const std::vector<TFieldName>& TQelEventItem::FieldNames() const {
    static const std::vector<TFieldName> names = {{1, "Name"}, {2, "X"}, {3, "Y"}, {5, "Pages"}};
    return names;
}

} // namespace tarvel
