#include "EvCmdBase.h"

#include <algorithm>
#include <iterator>

#include "data/EventCommandBlocks.h"

namespace tarvel {

namespace {

// The commands that write their one line without asking anything.
constexpr int32_t NoWindowCodes[] = {10840, 11340, 11350, 11530, 11540, 11910, 11950,
                                     12220, 12310, 12320, 12420, 12510, 13410};

bool isNoWindowCode(int32_t code) {
    return std::find(std::begin(NoWindowCodes), std::end(NoWindowCodes), code) != std::end(NoWindowCodes);
}

constexpr int32_t CycleCode = 12210;

} // namespace

TFormEvCmdBase::TFormEvCmdBase(QWidget* owner, int32_t code) : TFormQelBase(owner), mCode(code) {
    setObjectName(QStringLiteral("FormEvCmd%1").arg(code));
}

bool TFormEvCmdBase::Run() {
    return exec() == QDialog::Accepted;
}

bool TEvCmdNoWindow::Run() {
    Lines().Clear();
    Lines().Add(TQelEventScriptLine(Code(), 0));
    return true;
}

bool TEvCmdCycle::Run() {
    TQelEventScriptList body;
    if (const TQelEventScriptLine* head = Lines().Line(0)) {
        for (int i = 1; i < Lines().Count(); ++i) {
            const TQelEventScriptLine& line = *Lines().Line(i);
            if (line.Indent > head->Indent) body.Add(line);
        }
        // The body keeps its depth relative to the head, which is written at 0.
        for (auto& line : body)
            line->Indent -= head->Indent;
    }
    Lines().Clear();
    Lines().Add(TQelEventScriptLine(CycleCode, 0));
    if (body.Count() == 0)
        Lines().Add(TQelEventScriptLine(EmptyLineCode, 1));
    else
        for (const auto& line : body)
            Lines().Add(*line);
    Lines().Add(TQelEventScriptLine(BlockOfHead(CycleCode)->EndCode, 0));
    return true;
}

std::unique_ptr<TFormEvCmdBase> CreateEvCmdDialog(int32_t code, QWidget* owner) {
    if (isNoWindowCode(code)) return std::make_unique<TEvCmdNoWindow>(owner, code);
    if (code == CycleCode) return std::make_unique<TEvCmdCycle>(owner);
    return nullptr;
}

bool HasEvCmdDialog(int32_t code) {
    return isNoWindowCode(code) || code == CycleCode;
}

} // namespace tarvel
