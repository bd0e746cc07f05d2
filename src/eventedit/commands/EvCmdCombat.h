#pragma once

// Battles, shops, inns and names: "Combat", "Call Shop", "Call Inn" (the three with optional
// branches) and "Input Name".

#include <vector>

#include "EvCmdBase.h"

class QCheckBox;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace tarvel {

class TIdOrVariableEdit;
class TMaterialBox;
class TRadioGroup;
class TRecordCombo;

// "Combat": the group, the background, what escape and defeat do (each may be a branch of its
// own) and the first strike.
class TFormEvCmd10710 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd10710(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    void enableBackground();
    TIdOrVariableEdit* mGroup;
    QRadioButton* mTerrain;
    QRadioButton* mDesign;
    TMaterialBox* mBackdrop;
    TRadioGroup* mEscape;
    TRadioGroup* mDefeat;
    QCheckBox* mHeadstart;
};

// "Call Shop": what the shop does, its messages, whether it branches on a trade, and the goods
// (at most 100, repeats allowed) copied from the database's items.
class TFormEvCmd10720 : public TFormEvCmdBase {
    Q_OBJECT
public:
    static constexpr int MaxGoods = 100;
    // Shop types: buy and sell, buy only, sell only (no goods).
    static constexpr int32_t SellOnly = 2;
    explicit TFormEvCmd10720(QWidget* owner);

    const std::vector<int32_t>& Goods() const { return mGoods; }
    // "Add": the items selected in the database list go to the end of the goods, as far as there
    // is room.
    void ButtonAddClick();
    // "Delete >": the selected goods go.
    void ButtonDeleteClick();
    // "%-20s%6d" of an item's name and price.
    static QString GoodsText(int32_t itemID);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    void fillGoods();
    void enableGoods();
    TRadioGroup* mType;
    TRadioGroup* mMessages;
    QCheckBox* mBranch;
    QListWidget* mGoodsList;
    QListWidget* mItems;
    QPushButton* mAdd;
    QPushButton* mDelete;
    std::vector<int32_t> mGoods;
};

// "Call Inn": its messages, the price, and whether it branches on a stay.
class TFormEvCmd10730 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd10730(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    TRadioGroup* mMessages;
    QSpinBox* mPrice;
    QCheckBox* mBranch;
};

// "Input Name".
class TFormEvCmd10740 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd10740(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    TRecordCombo* mHero;
    TRadioGroup* mTable;
    QCheckBox* mShowName;
};

} // namespace tarvel
