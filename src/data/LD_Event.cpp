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

void TQelBaseEventPageItem::Reset() {
    TCatalogItem::Reset();
    ResetScript();
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
    // The script is shown as its lines, not as these two chunks.
    if (id == sizeID) v.Integer(&ScriptSize, 0, "ScriptSize").Hidden();
    if (id == dataID) v.Buffer(&ScriptData, ScriptSize, "ScriptData", TFieldForm::Hidden);
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
        v.Block(&Flags, 1, "Flags");
        break;
    case 2:
        v.Integer(&SwitchA, 1, "SwitchA");
        break;
    case 3:
        v.Integer(&SwitchB, 1, "SwitchB");
        break;
    case 4:
        v.Integer(&VariableID, 1, "VariableID");
        break;
    case 5:
        v.Integer(&VariableValue, 0, "VariableValue");
        break;
    case 6:
        v.Integer(&ItemID, 1, "ItemID");
        break;
    case 7:
        // Always written: hero 1 (the reset value) must be, and a hero of 0 compared against a
        // default of 0 would be left out and read back as 1.
        v.Integer(&HeroID, NoDefaultInt, "HeroID").ResetTo(1);
        break;
    case 8:
        v.Integer(&TimerSeconds, 0, "TimerSeconds");
        break;
    }
}

void TQelEventPageItem::DescribeField(int id, TCatalogVarData& v, bool) {
    switch (id) {
    case 2:
        v.Record(&Condition, "Condition");
        break;
    case 21:
        v.String(&CharName, "CharName");
        break;
    case 22:
        v.Integer(&CharIndex, 0, "CharIndex");
        break;
    case 23:
        v.Block(&CharDir, 1, "CharDir").ResetTo(2);
        break;
    case 24:
        v.Integer(&CharPattern, 1, "CharPattern");
        break;
    case 25:
        v.Block(&CharTransparent, 1, "CharTransparent");
        break;
    case 31:
        v.Block(&MoveType, 1, "MoveType");
        break;
    case 32:
        v.Integer(&MoveFrequency, 3, "MoveFrequency");
        break;
    case 33:
        v.Block(&Trigger, 1, "Trigger");
        break;
    case 34:
        v.Block(&Priority, 1, "Priority");
        break;
    case 35:
        v.Block(&OverlapFlag, 1, "OverlapFlag");
        break;
    case 36:
        v.Block(&AnimType, 1, "AnimType");
        break;
    case 37:
        v.Integer(&MoveSpeed, 3, "MoveSpeed");
        break;
    case 41:
        v.Record(&MoveRoute, "MoveRoute");
        break;
    default:
        DescribeScript(id, v, 51, 52);
    }
}

void TQelEventItem::DescribeField(int id, TCatalogVarData& v, bool) {
    switch (id) {
    case 1:
        v.String(&Name, "Name");
        break;
    case 2:
        v.Integer(&X, 0, "X");
        break;
    case 3:
        v.Integer(&Y, 0, "Y");
        break;
    case 5:
        v.List(&Pages, "Pages");
        break;
    }
}

void TQelEventItem::Reset() {
    TCatalogItem::Reset();
    Pages.FindOrCreate(1);
}

} // namespace tarvel
