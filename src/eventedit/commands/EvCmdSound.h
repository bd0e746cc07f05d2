#pragma once

// Music, sound, movies and the battle background: "Play BGM" and "Play Sound Effect" (their
// pickers alone), "Fade BGM Out", "Play Movie" and "Change Battle Background" (the battle
// background picker alone).

#include "EvCmdBase.h"

class QSpinBox;

namespace tarvel {

class TMaterialBox;
class TPositionEdit;
class TValueSlider;

// Play BGM: the music picker "Select BGM" opens on the edited command's music with its fade-in,
// volume, tempo and balance (a new command on the music last previewed); its OK writes the command.
class TFormEvCmd11510 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd11510(QWidget* owner) : TFormEvCmdBase(owner, 11510) {}
    bool Run() override;
};

// "Fade BGM Out": 0..20 seconds, stored in milliseconds.
class TFormEvCmd11520 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd11520(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    TValueSlider* mSeconds;
};

// Play Sound Effect: the sound picker opens on the edited command's sound (a new command on the
// sound of the last one); its OK writes the command.
class TFormEvCmd11550 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd11550(QWidget* owner) : TFormEvCmdBase(owner, 11550) {}
    bool Run() override;
};

// "Play Movie": the movie (required: "&Ok" stays disabled until one is chosen), where its
// upper-left corner stands, directly or by two variables, and its size.
class TFormEvCmd11560 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd11560(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    void enableOk();
    TMaterialBox* mMovie;
    TPositionEdit* mPosition;
    QSpinBox* mWidth;
    QSpinBox* mHeight;
};

// Change Battle Background: the battle background picker opens on the edited command's picture;
// its OK writes the command.
class TFormEvCmd13210 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd13210(QWidget* owner) : TFormEvCmdBase(owner, 13210) {}
    bool Run() override;
};

} // namespace tarvel
