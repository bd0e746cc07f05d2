#pragma once

// The windows a player answers: lists with a cursor (the title's commands, the menu, items, save
// files, a battle's outcome) and the message window with its choices and number input.

#include <cstdint>
#include <string>
#include <vector>

#include "GameKeys.h"

namespace tarvel::game {

// The system sound a window asks for.
enum class TUiSound { None, Cursor, Decide, Cancel, Buzzer };

// A list of entries with a cursor. Up and down move (and wrap), decide picks an enabled entry,
// cancel leaves when the list may be left.
class TGameList {
public:
    enum class TResult { None, Chosen, Cancelled };

    void SetItems(std::vector<std::string> items, std::vector<bool> enabled = {});
    const std::vector<std::string>& Items() const { return mItems; }
    bool Enabled(int index) const;
    int Cursor() const { return mCursor; }
    void SetCursor(int cursor);
    // The first entry shown when only rows entries fit.
    int Top(int rows) const;
    int Count() const { return int(mItems.size()); }

    TResult Update(const TGameInput& input, TUiSound& sound, bool cancellable = true);

private:
    std::vector<std::string> mItems;
    std::vector<bool> mEnabled;
    int mCursor = 0;
};

struct TMessageStyle {
    bool transparent = false;
    int position = 2;          // 0 top, 1 middle, 2 bottom
    bool autoPosition = false; // moves away from the hero
    bool eventsWait = false;   // other events stand while it shows
};

struct TMessageFace {
    std::string name; // empty: no face
    int index = 0;
    bool right = false;
    bool mirrored = false;
};

// The message window: up to four lines of text, then the choices or the number to enter.
class TGameMessage {
public:
    static constexpr int kLines = 4;
    enum class TResult { None, Closed, Chosen, Entered };

    bool Visible() const { return mVisible; }
    // Which interpreter shows it (so another waits), 0 when none.
    int Owner() const { return mOwner; }

    // Opens with text lines (more than four are cut).
    void Open(const std::vector<std::string>& lines, const TMessageStyle& style, const TMessageFace& face,
              int owner);
    // Choices under the text (opening the window when it is not open). cancel: 0 cancel does
    // nothing, 1..4 means choice 1..4, 5 its own branch (result 4).
    void AddChoices(const std::vector<std::string>& choices, int cancel, const TMessageStyle& style,
                    const TMessageFace& face, int owner);
    // A number of 1..6 digits under the text.
    void AddNumber(int digits, const TMessageStyle& style, const TMessageFace& face, int owner);
    void Close();

    TResult Update(const TGameInput& input, TUiSound& sound);
    // The answer the window got for an owner once it closed (a choice's index, 4 for the cancel
    // branch, or the number entered); false while there is none. Taking it forgets it.
    bool TakeResult(int owner, int& value);

    const std::vector<std::string>& Lines() const { return mLines; }
    const std::vector<std::string>& Choices() const { return mChoices; }
    bool Choosing() const { return !mChoices.empty(); }
    int ChoiceCursor() const { return mChoiceCursor; }
    bool EnteringNumber() const { return mDigits > 0; }
    int Digits() const { return mDigits; }
    int DigitCursor() const { return mDigitCursor; }
    int Number() const { return mNumber; }
    // Digit d of the number being entered, counted from the left.
    int DigitAt(int d) const {
        int n = mNumber;
        for (int i = mDigits - 1; i > d; --i)
            n /= 10;
        return n % 10;
    }
    const TMessageStyle& Style() const { return mStyle; }
    const TMessageFace& Face() const { return mFace; }
    // The text on the window: lines joined by line breaks.
    std::string Text() const;
    // Whether text lines and more lines would fit together.
    static bool Fits(int textLines, int moreLines) { return textLines + moreLines <= kLines; }

private:
    void open(const TMessageStyle& style, const TMessageFace& face, int owner);

    bool mVisible = false;
    int mOwner = 0;
    std::vector<std::string> mLines;
    TMessageStyle mStyle;
    TMessageFace mFace;
    std::vector<std::string> mChoices;
    int mChoiceCancel = 0;
    int mChoiceCursor = 0;
    int mChoiceResult = -1;
    int mDigits = 0;
    int mDigitCursor = 0;
    int mNumber = 0;
    int mResultOwner = 0;
    int mResultValue = 0;
};

} // namespace tarvel::game
