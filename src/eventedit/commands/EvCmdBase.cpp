#include "EvCmdBase.h"

#include <QHBoxLayout>
#include <QLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>

#include "EvCmdOptions.h"
#include "EvCmdWidgets.h"
#include "controls/DialogPlacement.h"
#include "controls/HelpContext.h"
#include "data/EventCommandBlocks.h"

namespace tarvel {

namespace {

std::vector<TEvCmdOptionBase*>& options() {
    static std::vector<TEvCmdOptionBase*> list;
    return list;
}

} // namespace

void RegisterEvCmdOption(TEvCmdOptionBase* option) {
    options().push_back(option);
}

void ResetEvCmdOptions() {
    for (TEvCmdOptionBase* option : options())
        option->ResetValue();
}

TEvCmdOption<bool>& SharedWaitFlag() {
    static TEvCmdOption<bool> option{false};
    return option;
}

TEvCmdOption<TPlaceVariables>& SharedPlaceVariables() {
    static TEvCmdOption<TPlaceVariables> option{TPlaceVariables{}};
    return option;
}

TEvCmdOption<int32_t>& SharedMemberIndex() {
    static TEvCmdOption<int32_t> option{0};
    return option;
}

void TBranchBodies::Read(const TQelEventScriptList& lines) {
    mBodies.clear();
    const TQelEventScriptLine* head = lines.Line(0);
    if (!head) return;
    const TCommandBlock* block = BlockOfHead(head->Code);
    if (!block) return;
    std::pair<int32_t, int32_t> branch{head->Code, 0};
    for (int i = 1; i < lines.Count(); ++i) {
        const TQelEventScriptLine& line = *lines.Line(i);
        if (line.Indent > head->Indent) {
            mBodies[branch].push_back(line);
            continue;
        }
        // At the head's level: a label starts the next branch; the end line or another command
        // ends the block.
        if (IsBranchLabelCode(line.Code) && BlockOfCode(line.Code) == block)
            branch = {line.Code, line.Param(0)};
        else if (line.Code == block->EndCode || IsCommandCode(line.Code))
            break;
    }
}

const std::vector<TQelEventScriptLine>& TBranchBodies::Body(int32_t code, int32_t index) const {
    static const std::vector<TQelEventScriptLine> none;
    auto found = mBodies.find({code, index});
    return found == mBodies.end() ? none : found->second;
}

TFormEvCmdBase::TFormEvCmdBase(QWidget* owner, int32_t code, const QString& caption)
    : TFormQelBase(owner), mCode(code) {
    setObjectName(QStringLiteral("FormEvCmd%1").arg(code));
    if (caption.isEmpty()) return;

    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    mBody = new QVBoxLayout;
    layout->addLayout(mBody);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    mButtonOk = new QPushButton("&Ok", this);
    mButtonOk->setObjectName("ButtonOk");
    mButtonOk->setDefault(true);
    mButtonCancel = new QPushButton("Cancel", this);
    mButtonCancel->setObjectName("ButtonCancel");
    mButtonHelp = new QPushButton("&Help", this);
    mButtonHelp->setObjectName("ButtonHelp");
    buttons->addWidget(mButtonOk);
    buttons->addWidget(mButtonCancel);
    buttons->addWidget(mButtonHelp);
    layout->addLayout(buttons);
    // The window keeps the size its controls need.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(mButtonOk, &QPushButton::clicked, this, &TFormEvCmdBase::ButtonOkClick);
    connect(mButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(mButtonHelp, &QPushButton::clicked, this, &TFormEvCmdBase::ButtonHelpClick);
}

TFormEvCmdBase::~TFormEvCmdBase() = default;

void TFormEvCmdBase::Open() {
    if (mOpened) return;
    mOpened = true;
    mBodies.Read(mLines);
    // Every picker box passes a change of the database up, and shows the new names everywhere.
    const auto boxes = findChildren<TPickerBox*>();
    for (TPickerBox* box : boxes)
        connect(box, &TPickerBox::dataBaseChanged, this, [this, boxes] {
            SetDataBaseChanged();
            for (TPickerBox* other : boxes)
                other->Refresh();
        });
    TUpdating updating(*this);
    LoadCommand(mLines.Line(0));
}

bool TFormEvCmdBase::Run() {
    Open();
    if (parentWidget()) {
        adjustSize();
        CenterOnOwner(this);
    }
    return exec() == QDialog::Accepted;
}

void TFormEvCmdBase::ButtonOkClick() {
    Open();
    SaveCommand();
    accept();
}

void TFormEvCmdBase::ButtonHelpClick() {
    ShowHelpContext(this, mCode);
}

void TFormEvCmdBase::WriteLine(const TQelEventScriptLine& head) {
    mLines.Clear();
    TQelEventScriptLine line = head;
    line.Indent = 0;
    mLines.Add(line);
}

void TFormEvCmdBase::WriteBlock(const TQelEventScriptLine& head) {
    WriteLine(head);
    auto addBody = [this](const std::vector<TQelEventScriptLine>& body) {
        if (body.empty()) {
            mLines.Add(TQelEventScriptLine(EmptyLineCode, 1));
            return;
        }
        // The body's first line stands at indent 1; the others keep their depth relative to it.
        int32_t shift = 1 - body.front().Indent;
        for (TQelEventScriptLine line : body) {
            line.Indent += shift;
            mLines.Add(line);
        }
    };
    const TCommandBlock* block = BlockOfHead(head.Code);
    if (block && block->BodyAfterHead) addBody(mBodies.Body(head.Code));
    for (const TBlockPart& part : BlockLayout(head)) {
        std::vector<int32_t> params;
        if (part.HasParam) params.push_back(part.Param);
        mLines.Add(TQelEventScriptLine(part.Code, 0, part.Text, params));
        if (part.HasBody) addBody(mBodies.Body(part.Code, part.Param));
    }
}

bool TEvCmdNoWindow::Run() {
    Lines().Clear();
    Lines().Add(TQelEventScriptLine(Code(), 0));
    return true;
}

bool TEvCmdCycle::Run() {
    Open();
    WriteBlock(TQelEventScriptLine(Code(), 0));
    return true;
}

} // namespace tarvel
