#include "GameWindows.h"

#include <algorithm>

namespace tarvel::game {

void TGameList::SetItems(std::vector<std::string> items, std::vector<bool> enabled) {
    mItems = std::move(items);
    mEnabled = std::move(enabled);
    mEnabled.resize(mItems.size(), true);
    SetCursor(mCursor);
}

bool TGameList::Enabled(int index) const {
    return index >= 0 && size_t(index) < mEnabled.size() && mEnabled[size_t(index)];
}

void TGameList::SetCursor(int cursor) {
    mCursor = mItems.empty() ? 0 : std::clamp(cursor, 0, int(mItems.size()) - 1);
}

int TGameList::Top(int rows) const {
    if (rows <= 0 || Count() <= rows) return 0;
    return std::clamp(mCursor - rows + 1, 0, Count() - rows);
}

TGameList::TResult TGameList::Update(const TGameInput& input, TUiSound& sound, bool cancellable) {
    const int n = Count();
    if (n > 0 && input.Repeated(TGameKey::Down)) {
        mCursor = (mCursor + 1) % n;
        sound = TUiSound::Cursor;
    } else if (n > 0 && input.Repeated(TGameKey::Up)) {
        mCursor = (mCursor + n - 1) % n;
        sound = TUiSound::Cursor;
    }
    if (input.Pressed(TGameKey::Decide)) {
        if (Enabled(mCursor)) {
            sound = TUiSound::Decide;
            return TResult::Chosen;
        }
        sound = TUiSound::Buzzer;
    } else if (input.Pressed(TGameKey::Cancel) && cancellable) {
        sound = TUiSound::Cancel;
        return TResult::Cancelled;
    }
    return TResult::None;
}

// ---------------------------------------------------------------------------------------------

void TGameMessage::open(const TMessageStyle& style, const TMessageFace& face, int owner) {
    if (!mVisible) {
        mLines.clear();
        mStyle = style;
        mFace = face;
    }
    mVisible = true;
    mOwner = owner;
    mChoices.clear();
    mDigits = 0;
    mChoiceResult = -1;
}

void TGameMessage::Open(const std::vector<std::string>& lines, const TMessageStyle& style,
                        const TMessageFace& face, int owner) {
    mVisible = false;
    open(style, face, owner);
    mLines.assign(lines.begin(), lines.begin() + std::min<size_t>(lines.size(), kLines));
}

void TGameMessage::AddChoices(const std::vector<std::string>& choices, int cancel, const TMessageStyle& style,
                              const TMessageFace& face, int owner) {
    const std::vector<std::string> lines = mVisible ? mLines : std::vector<std::string>();
    open(style, face, owner);
    mLines = lines;
    mChoices = choices;
    mChoiceCancel = cancel;
    mChoiceCursor = 0;
}

void TGameMessage::AddNumber(int digits, const TMessageStyle& style, const TMessageFace& face, int owner) {
    const std::vector<std::string> lines = mVisible ? mLines : std::vector<std::string>();
    open(style, face, owner);
    mLines = lines;
    mDigits = std::clamp(digits, 1, 6);
    mDigitCursor = mDigits - 1;
    mNumber = 0;
}

void TGameMessage::Close() {
    mVisible = false;
    mOwner = 0;
    mLines.clear();
    mChoices.clear();
    mDigits = 0;
}

TGameMessage::TResult TGameMessage::Update(const TGameInput& input, TUiSound& sound) {
    if (!mVisible) return TResult::None;
    if (!mChoices.empty()) {
        const int n = int(mChoices.size());
        if (input.Repeated(TGameKey::Down)) {
            mChoiceCursor = (mChoiceCursor + 1) % n;
            sound = TUiSound::Cursor;
        } else if (input.Repeated(TGameKey::Up)) {
            mChoiceCursor = (mChoiceCursor + n - 1) % n;
            sound = TUiSound::Cursor;
        }
        if (input.Pressed(TGameKey::Decide)) {
            mChoiceResult = mChoiceCursor;
        } else if (input.Pressed(TGameKey::Cancel) && mChoiceCancel > 0) {
            mChoiceResult = mChoiceCancel == 5 ? 4 : std::min(mChoiceCancel - 1, n - 1);
        } else if (input.Pressed(TGameKey::Cancel)) {
            sound = TUiSound::Buzzer;
            return TResult::None;
        } else {
            return TResult::None;
        }
        sound = input.Pressed(TGameKey::Decide) ? TUiSound::Decide : TUiSound::Cancel;
        mResultOwner = mOwner;
        mResultValue = mChoiceResult;
        Close();
        return TResult::Chosen;
    }
    if (mDigits > 0) {
        int power = 1;
        for (int i = mDigits - 1; i > mDigitCursor; --i)
            power *= 10;
        const int digit = (mNumber / power) % 10;
        if (input.Repeated(TGameKey::Up)) {
            mNumber += (digit == 9 ? -9 : 1) * power;
            sound = TUiSound::Cursor;
        } else if (input.Repeated(TGameKey::Down)) {
            mNumber += (digit == 0 ? 9 : -1) * power;
            sound = TUiSound::Cursor;
        } else if (input.Repeated(TGameKey::Left)) {
            mDigitCursor = (mDigitCursor + mDigits - 1) % mDigits;
            sound = TUiSound::Cursor;
        } else if (input.Repeated(TGameKey::Right)) {
            mDigitCursor = (mDigitCursor + 1) % mDigits;
            sound = TUiSound::Cursor;
        }
        if (input.Pressed(TGameKey::Decide)) {
            sound = TUiSound::Decide;
            mResultOwner = mOwner;
            mResultValue = mNumber;
            Close();
            return TResult::Entered;
        }
        return TResult::None;
    }
    if (input.Pressed(TGameKey::Decide)) {
        Close();
        return TResult::Closed;
    }
    return TResult::None;
}

bool TGameMessage::TakeResult(int owner, int& value) {
    if (mResultOwner != owner || owner == 0) return false;
    value = mResultValue;
    mResultOwner = 0;
    return true;
}

std::string TGameMessage::Text() const {
    std::string text;
    for (size_t i = 0; i < mLines.size(); ++i) {
        if (i) text += "\n";
        text += mLines[i];
    }
    return text;
}

} // namespace tarvel::game
