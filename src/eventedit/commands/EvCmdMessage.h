#pragma once

// The message commands: Show Message and Comment with their fixed text box, the message options,
// the face graphic, Show Choice and Input Number.

#include <QPlainTextEdit>
#include <QStringList>
#include <array>

#include "EvCmdBase.h"

class QCheckBox;
class QLineEdit;
class QSpinBox;

namespace tarvel {

class TByteLimitEdit;
class TMaterialBox;
class TRadioGroup;
class TSwitchVariableBox;

// The text box of a message: it never scrolls, so text can only be typed while it fits, in lines
// and in width. The number of lines that fit is (height - 6) div the height of "A" in its font. A
// paste is tried on the text first and taken whole or not at all (a result that exactly fills the
// box and ends with a line break loses that line break). Two one-pixel guides, 230 and 302
// pixels from the left edge, show where a message line ends beside a face and without one; they
// are painted under the text, so they show only on the background. Ctrl+Enter asks for OK.
class TFixedMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    static constexpr int GuideWithFace = 230;
    static constexpr int GuideWithoutFace = 302;

    // Sized so that the given number of lines fit.
    TFixedMemo(int lines, QWidget* parent = nullptr);

    int LinesThatFit() const;
    // The box's lines (one entry for an empty box).
    QStringList Lines() const;
    // Shows the lines, at most as many as fit.
    void SetLines(const QStringList& lines);
    // Whether a text fits the box.
    bool Fits(const QString& text) const;

signals:
    void ctrlEnter();

protected:
    void insertFromMimeData(const QMimeData* source) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    struct TOverflow {
        int lines = 0;
        int width = 0;
    };
    TOverflow overflow(const QString& text) const;
    // Takes back an edit that made the text overflow the box (or overflow it more).
    void textEdited();

    QString mAccepted;
    int mAcceptedCursor = 0;
    bool mReverting = false;
};

// "Show Message": the first box line is the head's string, every further line a continuation line.
class TFormEvCmd10110 : public TFormEvCmdBase {
    Q_OBJECT
public:
    static constexpr int MessageLines = 4;
    explicit TFormEvCmd10110(QWidget* owner);
    TFixedMemo* Memo() const { return mMemo; }

protected:
    // Comment shares the dialog with its own codes.
    TFormEvCmd10110(QWidget* owner, int32_t code, const QString& caption);
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    TFixedMemo* mMemo;
};

// "Comment": the same dialog with codes 12410 and 22410.
class TFormEvCmd12410 : public TFormEvCmd10110 {
    Q_OBJECT
public:
    explicit TFormEvCmd12410(QWidget* owner);
};

// "Change Message Options".
class TFormEvCmd10120 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd10120(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    TRadioGroup* mWindow;
    TRadioGroup* mPosition;
    QCheckBox* mAutoScroll;
    QCheckBox* mEventsWait;
};

// "Create Face Graphic".
class TFormEvCmd10130 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd10130(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    TMaterialBox* mFace;
    TRadioGroup* mSide;
    QCheckBox* mFlip;
};

// "Show Choice If Then": up to four choices and what the cancel key does. A new command always
// starts with "Yes" and "No", cancel acting as the second choice.
class TFormEvCmd10140 : public TFormEvCmdBase {
    Q_OBJECT
public:
    static constexpr int ChoiceCount = 4;
    static constexpr int ChoiceBytes = 32;
    // The cancel settings: 0 ignored, 1..4 acts as that choice, 5 a branch of its own.
    static constexpr int CancelOwnBranch = 5;
    static constexpr int DefaultCancel = 2;
    static const std::array<const char*, ChoiceCount> DefaultChoices;

    explicit TFormEvCmd10140(QWidget* owner);
    // The number of choices the texts make: 4 less the empty ones at the end, at least 1.
    int CountChoices() const;

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    void enableCancelChoices();
    std::array<TByteLimitEdit*, ChoiceCount> mChoices{};
    TRadioGroup* mCancel;
};

// "Input Number".
class TFormEvCmd10150 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd10150(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    QSpinBox* mDigits;
    TSwitchVariableBox* mVariable;
};

} // namespace tarvel
