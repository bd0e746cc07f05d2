#pragma once

// A battle animation record of the database as the animation renderer reads it, live: the editor's
// page, the command dialogs' preview and the game all draw through this one look.

#include <string>

#include "data/LD_Animation.h"
#include "graphics/GR_Animation.h"

namespace tarvel {

class TAnimationRecordLook : public AnimationRecordPort {
public:
    explicit TAnimationRecordLook(const TQelAnimationItem* record = nullptr) : mRecord(record) {}
    void SetRecord(const TQelAnimationItem* record) { mRecord = record; }
    const TQelAnimationItem* Record() const { return mRecord; }
    std::string GraphicName() const override;
    int FrameCount() const override;
    int CellCount(int frame) const override;
    // A frame, cell or timing that is not there reads as the default look.
    TAnimationCellLook Cell(int frame, int index) const override;
    int TimingCount() const override;
    TAnimationTimingLook Timing(int index) const override;

private:
    const TQelAnimationItem* mRecord = nullptr;
};

} // namespace tarvel
