#pragma once

#include <memory>

#include "DataBaseBase.h"
#include "controls/FormQelBase.h"

class QPushButton;
class QTabBar;

namespace tarvel {

class TProjectDocument;

// The tab selected when the database window closed last (0, "Hero", at the start of a run).
TProcessOption<int>& RememberedDataBaseTab();

// "DataBase": the modal window in which the whole database is edited, one tab per kind of
// record. Only the page of the selected tab exists. Pages change the live database sections;
// "&Ok" and "&Apply" save the database file, and closing in any way reads the file again, so
// whatever was not saved is dropped. A save that fails is told with its reason and leaves the
// window open with every edit still in it.
class TFormDataBase : public TFormQelBase {
    Q_OBJECT
public:
    TFormDataBase(QWidget* owner, TProjectDocument& document);
    // Remembers the selected tab.
    ~TFormDataBase() override;

    QTabBar* TabBar() const { return mTabBar; }
    int TabIndex() const;
    // Builds the page of another tab (the old page is released first).
    void SetTabIndex(int index);
    void NextTab();
    void PreviousTab();
    // The page of the selected tab (none for a tab whose page failed to build).
    TFormDataBaseBase* Page() const { return mPage.get(); }
    QWidget* PageArea() const { return mPageArea; }

    QPushButton* ButtonOk() const { return mButtonOk; }
    QPushButton* ButtonCancel() const { return mButtonCancel; }
    QPushButton* ButtonApply() const { return mButtonApply; }
    QPushButton* ButtonHelp() const { return mButtonHelp; }
    QPushButton* ButtonMusic() const { return mButtonMusic; }

    void ButtonOkClick();
    void ButtonApplyClick();
    void ButtonHelpClick();
    // The music picker "Select BGM", only to listen.
    void ButtonMusicClick();

    // Releases the page, hides, and reads the database file again.
    void done(int result) override;

private:
    void TabChange(int index);
    void buildPage(int index);
    // Saves the database file; false (the user told why) when it could not be written.
    bool saveDataBase();

    TProjectDocument& mDocument;
    QTabBar* mTabBar;
    QWidget* mPageArea;
    std::unique_ptr<TFormDataBaseBase> mPage;
    int mBuiltTab = -1;
    QPushButton* mButtonOk;
    QPushButton* mButtonCancel;
    QPushButton* mButtonApply;
    QPushButton* mButtonHelp;
    QPushButton* mButtonMusic;
    bool mClosed = false;
};

} // namespace tarvel
