#include "EventCommandBlocks.h"

#include <algorithm>

namespace tarvel {

namespace {

constexpr int32_t kMessage = 10110;
constexpr int32_t kChoice = 10140;
constexpr int32_t kCombat = 10710;
constexpr int32_t kShop = 10720;
constexpr int32_t kInn = 10730;
constexpr int32_t kFork = 12010;
constexpr int32_t kCycle = 12210;
constexpr int32_t kComment = 12410;
constexpr int32_t kBattleFork = 13310;

// The cancel setting of Show Choice that gives the cancel key a branch of its own, and the label
// index of that branch.
constexpr int32_t kCancelOwnBranch = 5;
constexpr int32_t kCancelLabelIndex = 4;
constexpr size_t kMaxChoices = 4;

} // namespace

const std::vector<TCommandBlock>& CommandBlocks() {
    static const std::vector<TCommandBlock> blocks = {
        {kMessage, 20110, false, {}, 0},
        {kComment, 22410, false, {}, 0},
        {kChoice, 0, false, {20140}, 20141},
        {kCombat, 0, false, {20710, 20711, 20712}, 20713},
        {kShop, 0, false, {20720, 20721}, 20722},
        {kInn, 0, false, {20730, 20731}, 20732},
        {kFork, 0, true, {22010}, 22011},
        {kBattleFork, 0, true, {23310}, 23311},
        {kCycle, 0, true, {}, 22210},
    };
    return blocks;
}

const TCommandBlock* BlockOfHead(int32_t code) {
    for (const TCommandBlock& block : CommandBlocks())
        if (block.HeadCode == code) return &block;
    return nullptr;
}

int32_t HeadCodeOf(int32_t code) {
    if (code < FirstFollowCode) return code;
    return (code - 10000) / 10 * 10;
}

const TCommandBlock* BlockOfCode(int32_t code) {
    const TCommandBlock* block = BlockOfHead(HeadCodeOf(code));
    if (!block || code == block->HeadCode) return block;
    // A code in the head's range that the head never writes belongs to nothing.
    bool known =
        code == block->ContinuationCode || code == block->EndCode ||
        std::find(block->LabelCodes.begin(), block->LabelCodes.end(), code) != block->LabelCodes.end();
    return known ? block : nullptr;
}

bool IsContinuationCode(int32_t code) {
    const TCommandBlock* block = code >= FirstFollowCode ? BlockOfCode(code) : nullptr;
    return block && block->ContinuationCode == code;
}

bool IsBranchLabelCode(int32_t code) {
    const TCommandBlock* block = code >= FirstFollowCode ? BlockOfCode(code) : nullptr;
    return block &&
           std::find(block->LabelCodes.begin(), block->LabelCodes.end(), code) != block->LabelCodes.end();
}

bool IsBlockEndCode(int32_t code) {
    const TCommandBlock* block = code >= FirstFollowCode ? BlockOfCode(code) : nullptr;
    return block && block->EndCode == code;
}

std::vector<std::string> ChoiceTexts(const std::string& text) {
    std::vector<std::string> choices;
    size_t start = 0;
    while (choices.size() < kMaxChoices) {
        size_t slash = text.find('/', start);
        if (slash == std::string::npos) {
            choices.push_back(text.substr(start));
            break;
        }
        choices.push_back(text.substr(start, slash - start));
        start = slash + 1;
    }
    return choices;
}

std::vector<TBlockPart> BlockLayout(const TQelEventScriptLine& head) {
    std::vector<TBlockPart> parts;
    auto label = [&](int32_t code) { parts.push_back({code, false, 0, {}, true}); };
    auto end = [&](int32_t code) { parts.push_back({code, false, 0, {}, false}); };
    switch (head.Code) {
    case kChoice: {
        std::vector<std::string> choices = ChoiceTexts(head.Text);
        for (size_t j = 0; j < choices.size(); ++j)
            parts.push_back({20140, true, static_cast<int32_t>(j), choices[j], true});
        if (head.Param(0) == kCancelOwnBranch) parts.push_back({20140, true, kCancelLabelIndex, {}, true});
        end(20141);
        break;
    }
    case kCombat: {
        bool escapeBranch = head.Param(3) == 2;
        bool defeatBranch = head.Param(4) == 1;
        if (!escapeBranch && !defeatBranch) break;
        label(20710);
        if (escapeBranch) label(20711);
        if (defeatBranch) label(20712);
        end(20713);
        break;
    }
    case kShop:
    case kInn: {
        if (head.Param(2) != 1) break;
        const TCommandBlock& block = *BlockOfHead(head.Code);
        for (int32_t code : block.LabelCodes)
            label(code);
        end(block.EndCode);
        break;
    }
    case kFork:
    case kBattleFork: {
        const TCommandBlock& block = *BlockOfHead(head.Code);
        if (head.Param(5) == 1) label(block.LabelCodes.front());
        end(block.EndCode);
        break;
    }
    case kCycle:
        end(BlockOfHead(kCycle)->EndCode);
        break;
    default:
        break;
    }
    return parts;
}

std::vector<TQelEventScriptLine> BlockSkeleton(const TQelEventScriptLine& head) {
    std::vector<TQelEventScriptLine> lines;
    lines.emplace_back(head.Code, 0, head.Text, head.Params);
    const TCommandBlock* block = BlockOfHead(head.Code);
    if (block && block->BodyAfterHead) lines.emplace_back(EmptyLineCode, 1);
    for (const TBlockPart& part : BlockLayout(head)) {
        std::vector<int32_t> params;
        if (part.HasParam) params.push_back(part.Param);
        lines.emplace_back(part.Code, 0, part.Text, params);
        if (part.HasBody) lines.emplace_back(EmptyLineCode, 1);
    }
    return lines;
}

int CommandExtent(const TQelEventScriptList& script, int index) {
    const TQelEventScriptLine* first = script.Line(index);
    if (!first) return std::clamp(index, 0, script.Count());
    int next = index + 1;
    for (; next < script.Count(); ++next) {
        const TQelEventScriptLine& line = *script.Line(next);
        if (line.Indent == first->Indent && IsCommandCode(line.Code)) break;
    }
    return next;
}

} // namespace tarvel
