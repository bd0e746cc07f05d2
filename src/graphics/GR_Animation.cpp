#include "GR_Animation.h"

#include <algorithm>

#include "GraphicsPorts.h"

namespace tarvel {

TRect AnimationPictureCell(int n) {
    return Bounds((n % 5) * kAnimationCellSize, (n / 5) * kAnimationCellSize, kAnimationCellSize,
                  kAnimationCellSize);
}

TQelAnimationGraphic::TQelAnimationGraphic() : mSheet(std::make_unique<TPrismSheet>()) {
    mSheet->SetAutoSize(true);
    mSheet->SetTransparent(true);
    BuildFlashes(true);
}

void TQelAnimationGraphic::SetAnimation(const AnimationRecordPort* record, bool noFlash) {
    mAnimation = record;
    SetImage(record ? record->GraphicName() : std::string());
    BuildFlashes(noFlash);
}

void TQelAnimationGraphic::SetImage(const std::string& name) {
    if (name == mImageName) return;
    mImageName = name;
    mSheet->Clear();
    mSheet->LoadFromFile(name.empty() ? std::string() : MaterialLocator().Locate(name, "Battle"), false);
}

void TQelAnimationGraphic::BuildFlashes(bool noFlash) {
    const int frames = mAnimation ? mAnimation->FrameCount() : 0;
    const int length = frames + 10;
    mTargetFlash.assign(size_t(length), TFlash{});
    mScreenFlash.assign(size_t(length), TFlash{});
    if (noFlash || !mAnimation) return;
    for (int i = 0; i < mAnimation->TimingCount(); ++i) {
        const TAnimationTimingLook t = mAnimation->Timing(i);
        std::vector<TFlash>* table = t.FlashScope == 1   ? &mTargetFlash
                                     : t.FlashScope == 2 ? &mScreenFlash
                                                         : nullptr;
        if (!table) continue;
        const int f = t.Frame;
        // A frame number below 1 would reach before the table; those entries are simply not shown.
        for (int j = std::max(f - 1, 0); j <= f + 4 && j < length; ++j)
            (*table)[size_t(j)] = {t.FlashRed, t.FlashGreen, t.FlashBlue,
                                   std::min(31, t.FlashPower * (f + 6 - j) / 6)};
    }
}

TRGB TQelAnimationGraphic::BackgroundColor() const {
    const TPaletteEntry& e = mSheet->Palette()[0];
    return {e.red, e.green, e.blue};
}

void TQelAnimationGraphic::ResetColors() {
    mSheet->SetOpacity(255);
    mSheet->ColorControl1().SetNeutral(false);
    mSheet->ColorControl2().SetNeutral(false);
    mSheet->UpdateColorTable();
}

void TQelAnimationGraphic::DrawPictureCell(TPrismBoard& board, int x, int n, int y) {
    if (n < 0) return;
    board.DrawSheet(x, y, AnimationPictureCell(n), *mSheet);
}

namespace {
void applyFlash(TPrismColorControl& control, const std::vector<TFlash>& table, int frame) {
    if (frame < 0 || frame >= int(table.size())) {
        control.SetNeutral(true);
        return;
    }
    const TFlash& f = table[size_t(frame)];
    control.SetTone(f.red, f.green, f.blue, f.strength, true);
}
} // namespace

void TQelAnimationGraphic::ApplyTargetFlash(TPrismSheet& sheet, int frame) const {
    applyFlash(sheet.ColorControl1(), mTargetFlash, frame);
}

void TQelAnimationGraphic::ApplyScreenFlash(TPrismSheet& sheet, int frame) const {
    applyFlash(sheet.ColorControl2(), mScreenFlash, frame);
}

void TQelAnimationGraphic::DrawCell(TPrismBoard& board, int x, bool withScreenFlash, int cellIndex, int frame,
                                    int y) {
    if (!mAnimation || frame < 0 || frame >= mAnimation->FrameCount()) return;
    if (cellIndex < 0 || cellIndex >= mAnimation->CellCount(frame)) return;
    const TAnimationCellLook cell = mAnimation->Cell(frame, cellIndex);
    if (withScreenFlash)
        ApplyScreenFlash(*mSheet, frame);
    else
        mSheet->ColorControl2().SetNeutral(true);
    mSheet->ColorControl1().SetColor(cell.Red, cell.Green, cell.Blue, cell.Chroma, true);
    mSheet->SetOpacity((100 - cell.Transparency) * 255 / 100);
    if (cell.Pattern < 0) return;
    board.DrawSheetZoomed(x + cell.X, y + cell.Y, cell.Zoom / 100.0, kAnimationCellSize / 2,
                          kAnimationCellSize / 2, AnimationPictureCell(cell.Pattern), *mSheet);
}

void TQelAnimationGraphic::DrawFrame(TPrismBoard& board, int x, int frame, int y) {
    if (!mAnimation || frame < 0 || frame >= mAnimation->FrameCount()) return;
    for (int k = 0; k < mAnimation->CellCount(frame); ++k)
        if (mAnimation->Cell(frame, k).Visible) DrawCell(board, x, true, k, frame, y);
}

void TQelAnimationGraphic::PlayFrameSounds(int frame) const {
    if (!mAnimation) return;
    for (int i = 0; i < mAnimation->TimingCount(); ++i) {
        const TAnimationTimingLook t = mAnimation->Timing(i);
        if (t.Frame != frame + 1 || t.SoundName == "(OFF)" || t.SoundName.empty()) continue;
        SoundPlayer().PlaySound(MaterialLocator().Locate(t.SoundName, "Sound"), t.Volume, t.Tempo, t.Balance);
    }
}

} // namespace tarvel
