#include "AnimationRecordLook.h"

namespace tarvel {

std::string TAnimationRecordLook::GraphicName() const {
    return mRecord ? mRecord->GraphicName : std::string();
}

int TAnimationRecordLook::FrameCount() const {
    return mRecord ? mRecord->Frames.Count() : 0;
}

int TAnimationRecordLook::CellCount(int frame) const {
    const TQelAnimationPatternItem* f = mRecord ? mRecord->Frames.Items(frame) : nullptr;
    return f ? f->Cells.Count() : 0;
}

TAnimationCellLook TAnimationRecordLook::Cell(int frame, int index) const {
    const TQelAnimationPatternItem* f = mRecord ? mRecord->Frames.Items(frame) : nullptr;
    const TQelAnimationCellItem* c = f ? f->Cells.Items(index) : nullptr;
    if (!c) return {};
    return {c->Visible, c->Pattern, c->X,    c->Y,      c->Zoom,
            c->Red,     c->Green,   c->Blue, c->Chroma, c->Transparency};
}

int TAnimationRecordLook::TimingCount() const {
    return mRecord ? mRecord->Timings.Count() : 0;
}

TAnimationTimingLook TAnimationRecordLook::Timing(int index) const {
    const TQelAnimationTimingItem* t = mRecord ? mRecord->Timings.Items(index) : nullptr;
    if (!t) return {};
    return {t->Frame,      t->Sound.FileName, t->Sound.Volume, t->Sound.Tempo, t->Sound.Balance,
            t->FlashScope, t->FlashRed,       t->FlashGreen,   t->FlashBlue,   t->FlashPower};
}

} // namespace tarvel
