#pragma once

#include "SelBase.h"

namespace tarvel {

// Chooses a face set and one of its 16 faces (4 x 4 faces of 48 x 48 in a 192 x 192 picture).
class TFormSelFace : public TFormSelImage {
public:
    static constexpr int FaceSize = 48;

    explicit TFormSelFace(QWidget* parent = nullptr);
    // The chosen face, 0..15.
    int Index() const { return mIndex; }
    void SetIndex(int index);

protected:
    void ComposePreview(TPrismBoard& board) override;
    void PreviewClick(QPoint at) override;

private:
    int mIndex = 0;
};

} // namespace tarvel
