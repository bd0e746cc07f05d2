#pragma once

// Battle animations shown by a command: "Show Battle Animation" on a map character and the battle
// version on a member of the group or the whole group, each with a preview that plays the chosen
// animation.

#include <QWidget>
#include <memory>

#include "EvCmdBase.h"
#include "graphics/PrismSheet.h"

class QPushButton;
class QRadioButton;
class QTimer;
class QCheckBox;

namespace tarvel {

class BoardView;
class TAnimationRecordLook;
class TCharacterCombo;
class TQelAnimationGraphic;
class TQelAnimationItem;
class TRecordCombo;
class TWaitCheckBox;

// A 320 x 160 picture of the screen with an animation drawn around its middle: still at its first
// frame, or played once from the first frame to the last by "Play" (one frame every 33 ms, with the
// frame's sounds and the screen's flashes).
class TAnimationPreview : public QWidget {
    Q_OBJECT
public:
    static constexpr int Width = 320;
    static constexpr int Height = 160;
    static constexpr int FrameMilliseconds = 33;

    explicit TAnimationPreview(QWidget* parent = nullptr);
    ~TAnimationPreview() override;

    // The animation of this ID in the database (none: an empty screen); shows its first frame.
    void SetAnimation(int32_t id);
    // Plays from the first frame; Step shows the next frame and stops after the last.
    void Play();
    void Step();
    bool Playing() const;
    int Frame() const { return mFrame; }
    const TPrismBoard& Board() const { return mBoard; }
    QTimer* Timer() const { return mTimer; }

private:
    void draw();

    std::unique_ptr<TAnimationRecordLook> mLook;
    std::unique_ptr<TQelAnimationGraphic> mGraphic;
    TPrismBoard mBoard;
    BoardView* mView;
    QPushButton* mPlay;
    QTimer* mTimer;
    int mFrame = 0;
};

// "Show Battle Animation" of map scripts: the animation, the character it plays on, wait, and
// whether it spreads over the whole map.
class TFormEvCmd11210 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd11210(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    TRecordCombo* mAnimation;
    TAnimationPreview* mPreview;
    TCharacterCombo* mTarget;
    TWaitCheckBox* mWait;
    QCheckBox* mWholeMap;
};

// "Show Battle Animation" of battle scripts: the animation on the whole group ("All Group") or on
// one member, and wait.
class TFormEvCmd13260 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd13260(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    TRecordCombo* mAnimation;
    TAnimationPreview* mPreview;
    QRadioButton* mAllGroup;
    QRadioButton* mOneMember;
    TCharacterCombo* mMember;
    TWaitCheckBox* mWait;
};

} // namespace tarvel
