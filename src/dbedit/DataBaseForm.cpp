#include "DataBaseForm.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QStyleFactory>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>

#include "DataBaseTabs.h"
#include "controls/BusyCursor.h"
#include "controls/DialogPlacement.h"
#include "controls/HelpContext.h"
#include "controls/MessageBoxes.h"
#include "pickers/SelMusic.h"
#include "project/ProjectDocument.h"

namespace tarvel {

TProcessOption<int>& RememberedDataBaseTab() {
    static TProcessOption<int> tab(0);
    return tab;
}

namespace {
// The window's preferred size; on a small screen it takes what the screen offers.
constexpr int PreferredWidth = 960;
constexpr int PreferredHeight = 680;
constexpr int MinimumWidth = 760;
constexpr int MinimumHeight = 540;

// Tabs with less room around their captions, so that all thirteen show side by side on an
// 800 x 600 screen; otherwise drawn by the application's style.
class TCompactTabStyle : public QProxyStyle {
public:
    explicit TCompactTabStyle(QObject* owner)
        : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {
        setParent(owner);
    }
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        if (metric == PM_TabBarTabHSpace) return 8;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};
} // namespace

TFormDataBase::TFormDataBase(QWidget* owner, TProjectDocument& document)
    : TFormQelBase(owner), mDocument(document), mTabBar(new QTabBar(this)), mPageArea(new QWidget(this)),
      mButtonOk(new QPushButton("&Ok", this)), mButtonCancel(new QPushButton("Cancel", this)),
      mButtonApply(new QPushButton("&Apply", this)), mButtonHelp(new QPushButton("&Help", this)),
      mButtonMusic(new QPushButton(this)) {
    setObjectName("FormDataBase");
    setWindowTitle("DataBase");
    mTabBar->setObjectName("TabControl");
    mPageArea->setObjectName("PagePanel");
    mButtonOk->setObjectName("ButtonOk");
    mButtonCancel->setObjectName("ButtonCancel");
    mButtonApply->setObjectName("ButtonApply");
    mButtonHelp->setObjectName("ButtonHelp");
    mButtonMusic->setObjectName("ButtonMusic");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    mTabBar->setExpanding(false);
    mTabBar->setUsesScrollButtons(true);
    mTabBar->setDrawBase(true);
    mTabBar->setStyle(new TCompactTabStyle(mTabBar));
    QFont tabFont = mTabBar->font();
    tabFont.setPointSizeF(tabFont.pointSizeF() * 0.9);
    mTabBar->setFont(tabFont);
    for (int i = 0; i < DataBaseTabCount; ++i)
        mTabBar->addTab(DataBaseTab(i).Caption);
    layout->addWidget(mTabBar);
    auto* pageLayout = new QVBoxLayout(mPageArea);
    pageLayout->setContentsMargins(0, 4, 0, 0);
    layout->addWidget(mPageArea, 1);

    auto* buttons = new QHBoxLayout;
    mButtonMusic->setIcon(style()->standardIcon(QStyle::SP_MediaVolume));
    mButtonMusic->setToolTip("Select BGM");
    mButtonMusic->setAutoDefault(false);
    buttons->addWidget(mButtonMusic);
    buttons->addStretch(1);
    for (QPushButton* b : {mButtonOk, mButtonCancel, mButtonApply, mButtonHelp}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(88);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    mButtonApply->setEnabled(false);

    connect(mButtonOk, &QPushButton::clicked, this, &TFormDataBase::ButtonOkClick);
    connect(mButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(mButtonApply, &QPushButton::clicked, this, &TFormDataBase::ButtonApplyClick);
    connect(mButtonHelp, &QPushButton::clicked, this, &TFormDataBase::ButtonHelpClick);
    connect(mButtonMusic, &QPushButton::clicked, this, &TFormDataBase::ButtonMusicClick);
    connect(mTabBar, &QTabBar::currentChanged, this, &TFormDataBase::TabChange);

    auto shortcut = [this](QKeyCombination key, void (TFormDataBase::*slot)()) {
        auto* s = new QShortcut(QKeySequence(key), this);
        connect(s, &QShortcut::activated, this, slot);
    };
    auto pageShortcut = [this](QKeyCombination key, void (TFormDataBaseBase::*operation)()) {
        auto* s = new QShortcut(QKeySequence(key), this);
        connect(s, &QShortcut::activated, this, [this, operation] {
            if (mPage) (mPage.get()->*operation)();
        });
    };
    shortcut(Qt::CTRL | Qt::Key_Tab, &TFormDataBase::NextTab);
    // Shift turns Tab into Backtab; either may arrive depending on the platform.
    shortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, &TFormDataBase::PreviousTab);
    shortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, &TFormDataBase::PreviousTab);
    shortcut(Qt::CTRL | Qt::Key_Backtab, &TFormDataBase::PreviousTab);
    pageShortcut(QKeyCombination(Qt::Key_F4), &TFormDataBaseBase::SelectPreviousRecord);
    pageShortcut(Qt::CTRL | Qt::Key_F4, &TFormDataBaseBase::SelectPreviousRecord);
    pageShortcut(QKeyCombination(Qt::Key_F5), &TFormDataBaseBase::SelectNextRecord);
    pageShortcut(Qt::CTRL | Qt::Key_F5, &TFormDataBaseBase::SelectNextRecord);

    setMinimumSize(MinimumWidth, MinimumHeight);
    QSize size(PreferredWidth, PreferredHeight);
    if (QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen()) {
        // Room for the frame and the title bar of the window manager.
        const QSize room = screen->availableGeometry().size() - QSize(16, 48);
        size = size.boundedTo(room).expandedTo(minimumSize());
    }
    resize(size);

    const int tab = std::clamp(RememberedDataBaseTab().Value(), 0, DataBaseTabCount - 1);
    {
        const QSignalBlocker block(mTabBar);
        mTabBar->setCurrentIndex(tab);
    }
    buildPage(tab);
}

TFormDataBase::~TFormDataBase() {
    mPage.reset();
    RememberedDataBaseTab().Set(TabIndex());
}

int TFormDataBase::TabIndex() const {
    return mTabBar->currentIndex();
}

void TFormDataBase::SetTabIndex(int index) {
    if (index < 0 || index >= DataBaseTabCount) return;
    if (index == TabIndex()) {
        if (mBuiltTab != index) buildPage(index);
        return;
    }
    mTabBar->setCurrentIndex(index);
}

void TFormDataBase::NextTab() {
    SetTabIndex((TabIndex() + 1) % DataBaseTabCount);
}

void TFormDataBase::PreviousTab() {
    SetTabIndex((TabIndex() + DataBaseTabCount - 1) % DataBaseTabCount);
}

void TFormDataBase::TabChange(int index) {
    buildPage(index);
}

void TFormDataBase::buildPage(int index) {
    const TDataBaseTab& tab = DataBaseTab(index);
    std::unique_ptr<TBusyCursor> busy;
    if (tab.CreatePage) busy = std::make_unique<TBusyCursor>();
    mPageArea->hide();
    mTabBar->setFocus();
    mPage.reset();
    mBuiltTab = index;
    if (tab.CreatePage) {
        try {
            mPage = tab.CreatePage(mPageArea, mDocument.DataBase());
            mPageArea->layout()->addWidget(mPage.get());
            mPage->OnModified = [this] { mButtonApply->setEnabled(true); };
            mPage->SetMapTree(&mDocument.MapTree());
            mPage->SetMap(&mDocument.Map());
            layout()->activate();
            mPage->Start();
            mPage->show();
        } catch (const std::exception& e) {
            mPage.reset();
            busy.reset();
            mPageArea->show();
            ShowError(QString::fromLocal8Bit(e.what()), this);
            return;
        }
    }
    mPageArea->show();
}

bool TFormDataBase::saveDataBase() {
    try {
        TBusyCursor busy;
        mDocument.SaveDataBase();
    } catch (const std::exception& e) {
        ShowError(QString("The database could not be saved:\n%1").arg(QString::fromLocal8Bit(e.what())),
                  this);
        return false;
    }
    mButtonApply->setEnabled(false);
    return true;
}

void TFormDataBase::ButtonOkClick() {
    if (!saveDataBase()) return;
    accept();
}

void TFormDataBase::ButtonApplyClick() {
    saveDataBase();
}

void TFormDataBase::ButtonHelpClick() {
    ShowHelpContext(this, DataBaseTab(TabIndex()).HelpContext);
}

void TFormDataBase::ButtonMusicClick() {
    TFormSelMusic picker(this);
    picker.SetListenOnly(true);
    PlaceNearOwner(&picker, 8, 176);
    picker.exec();
}

void TFormDataBase::done(int result) {
    if (!mClosed) {
        mClosed = true;
        mPage.reset();
        mBuiltTab = -1;
        hide();
        if (parentWidget()) parentWidget()->repaint();
        try {
            mDocument.ReloadDataBase();
        } catch (const std::exception& e) {
            ShowError(QString::fromLocal8Bit(e.what()), parentWidget());
        }
    }
    TFormQelBase::done(result);
}

} // namespace tarvel
