#include "MainUnit.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "ActionIcons.h"
#include "HelpBrowser.h"
#include "MaterialForm.h"
#include "ProcessWait.h"
#include "ProjDialogs.h"
#include "ProjPackForm.h"
#include "SplashForm.h"
#include "controls/BusyCursor.h"
#include "controls/DialogPlacement.h"
#include "controls/HelpContext.h"
#include "controls/MessageBoxes.h"
#include "controls/SoundNotice.h"
#include "data/LD_Common.h"
#include "dbedit/DataBaseForm.h"
#include "eventedit/EventEditing.h"
#include "mapedit/ChipSelector.h"
#include "mapedit/ED_Map.h"
#include "mapedit/MapEditor.h"
#include "mapedit/MapSetArea.h"
#include "mapedit/MapShift.h"
#include "mapedit/MapTreeView.h"
#include "pickers/SelMusic.h"
#include "platform/OutsideLibraries.h"
#include "platform/Paths.h"
#include "platform/Settings.h"
#include "project/TestPlay.h"

namespace tarvel {

TFormQelMain::TFormQelMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName("FormQelMain");
    setWindowTitle("Tarvel");
    setMinimumSize(720, 573);
    resize(800, 600);

    // From here on the data code is tolerant: a database that fails to load keeps what was read,
    // and a missing record is none instead of an error.
    SetEditorRunning(true);
    SetHelpOpener([](QWidget* owner, int context) { HelpBrowser::ShowContext(owner, context); });

    // The temporary folder holds the working copies of maps; whatever an earlier run left there
    // is gone before this run parks anything in it.
    RecreateFolder(TempWorkFolder());

    createActions();
    createMenus();
    createToolBars();
    createLayout();
    createStatusBar();

    mMapTreePane = new TFormMapTree(mapTree(), map(), mMapTreePlace);
    mMapTreePlace->layout()->addWidget(mMapTreePane);
    mMapTreePane->onMapChanged = [this](bool keepScroll) { mapChanged(keepScroll); };
    mMapTreePane->runMapProperties = [this](MapPropertiesRequest& request) {
        TFormEDMap dialog(this, request);
        CenterOnOwner(&dialog);
        return dialog.exec() == QDialog::Accepted;
    };
    mMapTreePane->runAreaProperties = [this](AreaPropertiesRequest& request) {
        TFormEDArea dialog(this, request);
        // The rectangle is marked on the parent map, around the area node's remembered scroll
        // (the parent's for a new area).
        dialog.chooseArea = [this, &request, &dialog](TMapAreaRect& rect) {
            TQelMapTreeItem* node = mapTree().Find(request.id);
            TQelMapTreeItem* scrollItem = node && node->NodeKind == nkArea ? node : request.parentItem;
            TFormMapSetArea picker(&dialog, &mapTree(), map(), scrollItem, rect);
            CenterOnOwner(&picker);
            if (picker.exec() != QDialog::Accepted) return false;
            rect = picker.AreaRect();
            return true;
        };
        CenterOnOwner(&dialog);
        return dialog.exec() == QDialog::Accepted;
    };
    mMapTreePane->runShift = [this](int width, int height, int& dx, int& dy) {
        TFormMapShift dialog(this, width, height);
        CenterOnOwner(&dialog);
        if (dialog.exec() != QDialog::Accepted) return false;
        dialog.Offset(dx, dy);
        return true;
    };

    connectPanes();

    connect(&mDocument, &TProjectDocument::projectOpened, this, &TFormQelMain::projectOpened);
    connect(&mDocument, &TProjectDocument::projectClosed, this, &TFormQelMain::projectClosed);
    connect(&mDocument, &TProjectDocument::dataBaseLoadFailed, this, [this](const QString& reason) {
        ShowError(QString("The database could not be read completely (%1). What could be read is shown; "
                          "the first save keeps the original file as QUORIN.qdb.bak.")
                      .arg(reason),
                  this);
    });

    Action_GameFullScreen->setChecked(UserSettings::FullScreenFlag());
    Action_GameShowTitle->setChecked(UserSettings::ShowTitleFlag());
    UserSettings::SetApplicationPath(ApplicationFolder());

    QByteArray placement = UserSettings::FormPlacement(objectName());
    if (!placement.isEmpty()) restoreGeometry(placement);

    SoundLibrary().Create();
    SoundLibrary().InitWave();

    qApp->installEventFilter(this);
    // A missing or stale entry simply leaves no project open.
    mDocument.ReopenLastProject();
    UpdateActions();
}

TFormQelMain::~TFormQelMain() {
    SetSoundNoticeListener(nullptr);
    qApp->removeEventFilter(this);
    saveSettingsAtExit();
}

QAction* TFormQelMain::makeAction(const char* name, const QString& caption, const QKeySequence& shortcut) {
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    action->setIcon(ActionIcon(name));
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    QString hint = QString(caption).section('\t', 0, 0).remove('&').remove("...");
    action->setToolTip(hint);
    action->setStatusTip(hint);
    return action;
}

void TFormQelMain::createActions() {
    Action_ProjectNew = makeAction("Action_ProjectNew", "Create &new project...");
    Action_ProjectOpen = makeAction("Action_ProjectOpen", "&Open project...");
    Action_ProjectClose = makeAction("Action_ProjectClose", "Close project");
    Action_ProjectPack = makeAction("Action_ProjectPack", "Make Game disk...");
    Action_Exit = makeAction("Action_Exit", "E&xit", QKeySequence(Qt::ALT | Qt::Key_F4));
    Action_MapSave = makeAction("Action_MapSave", "&Save map...", QKeySequence(Qt::CTRL | Qt::Key_S));
    Action_MapRevert = makeAction("Action_MapRevert", "&Revert map...", QKeySequence(Qt::CTRL | Qt::Key_R));
    Action_MapModeLayer1 = makeAction("Action_MapModeLayer1", "&Lower Layer Mode", QKeySequence(Qt::Key_F5));
    Action_MapModeLayer2 = makeAction("Action_MapModeLayer2", "&Upper Layer Mode", QKeySequence(Qt::Key_F6));
    Action_MapModeEvent = makeAction("Action_MapModeEvent", "&Event Mode", QKeySequence(Qt::Key_F7));
    Action_MapScale1 = makeAction("Action_MapScale1", "Zoom &1/1");
    Action_MapScale2 = makeAction("Action_MapScale2", "Zoom 1/&2");
    Action_MapScale3 = makeAction("Action_MapScale3", "Zoom 1/&4");
    Action_MapScale4 = makeAction("Action_MapScale4", "Zoom 1/&8");
    Action_ToolDataBase = makeAction("Action_ToolDataBase", "&Data Base...", QKeySequence(Qt::Key_F8));
    Action_ToolMaterial = makeAction("Action_ToolMaterial", "RAW &Material Editor...");
    Action_ToolSelectMusic = makeAction("Action_ToolSelectMusic", "&BGM Selector...");
    Action_GameTestPlay = makeAction("Action_GameTestPlay", "Test Play", QKeySequence(Qt::Key_F9));
    Action_GameFullScreen = makeAction("Action_GameFullScreen", "&Full screen");
    Action_GameShowTitle = makeAction("Action_GameShowTitle", "Show title");
    Action_HelpContents = makeAction("Action_HelpContents", "Help &Contents", QKeySequence(Qt::Key_F1));
    Action_HelpAbout = makeAction("Action_HelpAbout", "&About...");
    Action_MapToolUndo = makeAction("Action_MapToolUndo", "Undo");
    Action_MapToolSelect = makeAction("Action_MapToolSelect", "Select Region");
    Action_MapToolZoom = makeAction("Action_MapToolZoom", "Zoom");
    Action_MapToolPen = makeAction("Action_MapToolPen", "Pen");
    Action_MapToolRect = makeAction("Action_MapToolRect", "Rectangle");
    Action_MapToolEllipse = makeAction("Action_MapToolEllipse", "Ellipse");
    Action_MapToolSeedFill = makeAction("Action_MapToolSeedFill", "Fill Region");

    Action_GameFullScreen->setCheckable(true);
    Action_GameShowTitle->setCheckable(true);

    auto radioGroup = [this](std::initializer_list<QAction*> actions) {
        auto* group = new QActionGroup(this);
        group->setExclusive(true);
        for (QAction* a : actions) {
            a->setCheckable(true);
            group->addAction(a);
        }
        return group;
    };
    mModeGroup = radioGroup({Action_MapModeLayer1, Action_MapModeLayer2, Action_MapModeEvent});
    mZoomGroup = radioGroup({Action_MapScale1, Action_MapScale2, Action_MapScale3, Action_MapScale4});
    mToolGroup = radioGroup({Action_MapToolSelect, Action_MapToolZoom, Action_MapToolPen, Action_MapToolRect,
                             Action_MapToolEllipse, Action_MapToolSeedFill});

    createEditActions();
    connect(Action_Exit, &QAction::triggered, this, &QWidget::close);
    connect(Action_ProjectNew, &QAction::triggered, this, &TFormQelMain::ProjectNew);
    connect(Action_ProjectOpen, &QAction::triggered, this, &TFormQelMain::ProjectOpen);
    connect(Action_ProjectClose, &QAction::triggered, this, &TFormQelMain::ProjectClose);
    connect(Action_MapSave, &QAction::triggered, this, [this] { SaveAll(); });
    connect(Action_MapRevert, &QAction::triggered, this, &TFormQelMain::RevertAll);
    connect(Action_GameTestPlay, &QAction::triggered, this, &TFormQelMain::GameTestPlay);
    connect(Action_ToolSelectMusic, &QAction::triggered, this, &TFormQelMain::ToolSelectMusic);
    connect(Action_ToolDataBase, &QAction::triggered, this, &TFormQelMain::ToolDataBase);
    connect(Action_ProjectPack, &QAction::triggered, this, [this] {
        if (IsProjectOpen() && SavePrompt()) RunProjectPack(this);
    });
    connect(Action_ToolMaterial, &QAction::triggered, this, [this] {
        if (!IsProjectOpen()) return;
        RunMaterialManager(this, map());
        mapChanged(true);
    });
    connect(Action_MapScale1, &QAction::triggered, this, [this] { setZoom(0); });
    connect(Action_MapScale2, &QAction::triggered, this, [this] { setZoom(1); });
    connect(Action_MapScale3, &QAction::triggered, this, [this] { setZoom(2); });
    connect(Action_MapScale4, &QAction::triggered, this, [this] { setZoom(3); });
    connect(Action_HelpContents, &QAction::triggered, this, [this] { HelpBrowser::ShowContents(this); });
    connect(Action_HelpAbout, &QAction::triggered, this, &TFormQelMain::showAbout);
    connect(Action_MapModeLayer1, &QAction::triggered, this, [this] { setEditMode(ModeLowerLayer); });
    connect(Action_MapModeLayer2, &QAction::triggered, this, [this] { setEditMode(ModeUpperLayer); });
    connect(Action_MapModeEvent, &QAction::triggered, this, [this] { setEditMode(ModeEvent); });
}

void TFormQelMain::createEditActions() {
    Action_EditUndo = makeAction("Action_EditUndo", "&Undo", QKeySequence(Qt::CTRL | Qt::Key_Z));
    Action_EditRedo = makeAction("Action_EditRedo", "&Redo");
    Action_EditRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    // The clipboard keys stay with the map view and the map tree, which each act on their own
    // selection; the menu names them without taking them.
    Action_EditCut = makeAction("Action_EditCut", "Cu&t\tCtrl+X");
    Action_EditCopy = makeAction("Action_EditCopy", "&Copy\tCtrl+C");
    Action_EditPaste = makeAction("Action_EditPaste", "&Paste\tCtrl+V");
    Action_EditDelete = makeAction("Action_EditDelete", "&Delete\tDel");
    Action_EditSelectAll = makeAction("Action_EditSelectAll", "Select &All\tCtrl+A");
    Action_EditUndoSteps = makeAction("Action_EditUndoSteps", "Undo &Steps...");
    connect(Action_EditUndo, &QAction::triggered, this, [this] {
        mMapEditor->Undo();
        UpdateActions();
    });
    connect(Action_EditRedo, &QAction::triggered, this, [this] {
        mMapEditor->Redo();
        UpdateActions();
    });
    for (QAction* a : {Action_EditCut, Action_EditCopy, Action_EditPaste, Action_EditDelete, Action_EditSelectAll})
        connect(a, &QAction::triggered, this, [this, a] {
            if (QAction* command = ViewCommandOf(a); command && command->isEnabled()) command->trigger();
            UpdateActions();
        });
    connect(Action_EditUndoSteps, &QAction::triggered, this, &TFormQelMain::askUndoSteps);
}

QAction* TFormQelMain::ViewCommandOf(QAction* editAction) {
    if (!IsProjectOpen() || !mMapEditor) return nullptr;
    if (mEditMode == ModeLowerLayer || mEditMode == ModeUpperLayer) {
        mMapEditor->UpdateChipsMenu();
        if (editAction == Action_EditCut) return mMapEditor->Menu_MapChips_Cut;
        if (editAction == Action_EditCopy) return mMapEditor->Menu_MapChips_Copy;
        if (editAction == Action_EditPaste) return mMapEditor->Menu_MapChips_Paste;
        if (editAction == Action_EditDelete) return mMapEditor->Menu_MapChips_Clear;
        if (editAction == Action_EditSelectAll) return mMapEditor->Menu_MapChips_SelectAll;
    } else if (mEditMode == ModeEvent) {
        mMapEditor->UpdateEventMenu();
        if (editAction == Action_EditCut) return mMapEditor->Menu_MapEvent_Cut;
        if (editAction == Action_EditCopy) return mMapEditor->Menu_MapEvent_Copy;
        if (editAction == Action_EditPaste) return mMapEditor->Menu_MapEvent_Paste;
        if (editAction == Action_EditDelete) return mMapEditor->Menu_MapEvent_Delete;
    }
    return nullptr;
}

void TFormQelMain::askUndoSteps() {
    bool ok = false;
    // 3 keeps the three-step undo without redo; more keeps a history with redo per map.
    const int steps = QInputDialog::getInt(this, "Undo Steps", "Undo steps (3 to 1000):", UserSettings::UndoSteps(), 3,
                                           1000, 1, &ok);
    if (!ok) return;
    UserSettings::SetUndoSteps(steps);
    mMapEditor->SetUndoSteps(steps);
    UpdateActions();
}

void TFormQelMain::createMenus() {
    QMenu* project = menuBar()->addMenu("&Project");
    project->addAction(Action_ProjectNew);
    project->addAction(Action_ProjectOpen);
    project->addAction(Action_ProjectClose);
    project->addSeparator();
    project->addAction(Action_ProjectPack);
    project->addSeparator();
    project->addAction(Action_Exit);

    QMenu* map = menuBar()->addMenu("&Map");
    map->addAction(Action_MapSave);
    map->addAction(Action_MapRevert);
    map->addSeparator();
    QMenu* edit = map->addMenu("&Edit");
    edit->addAction(Action_MapModeLayer1);
    edit->addAction(Action_MapModeLayer2);
    edit->addAction(Action_MapModeEvent);
    QMenu* scale = map->addMenu("&Scale");
    scale->addAction(Action_MapScale1);
    scale->addAction(Action_MapScale2);
    scale->addAction(Action_MapScale3);
    scale->addAction(Action_MapScale4);

    QMenu* editMenu = menuBar()->addMenu("E&dit");
    editMenu->setObjectName("Menu_Edit");
    editMenu->addAction(Action_EditUndo);
    editMenu->addAction(Action_EditRedo);
    editMenu->addSeparator();
    editMenu->addAction(Action_EditCut);
    editMenu->addAction(Action_EditCopy);
    editMenu->addAction(Action_EditPaste);
    editMenu->addAction(Action_EditDelete);
    editMenu->addSeparator();
    editMenu->addAction(Action_EditSelectAll);
    editMenu->addSeparator();
    editMenu->addAction(Action_EditUndoSteps);
    connect(editMenu, &QMenu::aboutToShow, this, &TFormQelMain::UpdateActions);

    QMenu* tool = menuBar()->addMenu("&Tool");
    tool->addAction(Action_ToolDataBase);
    tool->addAction(Action_ToolMaterial);
    tool->addAction(Action_ToolSelectMusic);

    QMenu* game = menuBar()->addMenu("&Game");
    game->addAction(Action_GameTestPlay);
    game->addSeparator();
    game->addAction(Action_GameFullScreen);
    // The menu names this toggle differently from its button.
    auto* showTitleItem = game->addAction("Show Game &Title");
    showTitleItem->setObjectName("Menu_Game_ShowTitle");
    showTitleItem->setCheckable(true);
    connect(showTitleItem, &QAction::triggered, Action_GameShowTitle, &QAction::trigger);
    connect(Action_GameShowTitle, &QAction::toggled, showTitleItem, &QAction::setChecked);
    connect(Action_GameShowTitle, &QAction::changed, showTitleItem,
            [this, showTitleItem] { showTitleItem->setEnabled(Action_GameShowTitle->isEnabled()); });

    QMenu* help = menuBar()->addMenu("&Help");
    help->addAction(Action_HelpContents);
    help->addSeparator();
    help->addAction(Action_HelpAbout);
}

void TFormQelMain::createToolBars() {
    mMainToolBar = addToolBar("Commands");
    mMainToolBar->setObjectName("MainToolBar");
    mMainToolBar->setMovable(false);
    mMainToolBar->setIconSize(QSize(20, 20));
    for (QAction* a : {Action_ProjectNew, Action_ProjectOpen, Action_ProjectClose, Action_ProjectPack})
        mMainToolBar->addAction(a);
    mMainToolBar->addSeparator();
    for (QAction* a : {Action_MapSave, Action_MapRevert})
        mMainToolBar->addAction(a);
    mMainToolBar->addSeparator();
    for (QAction* a : {Action_MapModeLayer1, Action_MapModeLayer2, Action_MapModeEvent})
        mMainToolBar->addAction(a);
    mMainToolBar->addSeparator();
    for (QAction* a : {Action_MapScale1, Action_MapScale2, Action_MapScale3, Action_MapScale4})
        mMainToolBar->addAction(a);
    mMainToolBar->addSeparator();
    for (QAction* a : {Action_ToolDataBase, Action_ToolMaterial, Action_ToolSelectMusic})
        mMainToolBar->addAction(a);
    mMainToolBar->addSeparator();
    for (QAction* a : {Action_GameTestPlay, Action_GameFullScreen, Action_GameShowTitle})
        mMainToolBar->addAction(a);
    mMainToolBar->addSeparator();
    mMainToolBar->addAction(Action_HelpContents);
}

void TFormQelMain::createLayout() {
    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);

    auto* leftColumn = new QWidget(central);
    leftColumn->setObjectName("LeftColumn");
    leftColumn->setFixedWidth(LeftColumnWidth);
    auto* column = new QVBoxLayout(leftColumn);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    mMapToolBar = new QToolBar("Map Tools", leftColumn);
    mMapToolBar->setObjectName("MapToolBar");
    // Undo and the six tools fit the column's width in one row.
    mMapToolBar->setIconSize(QSize(20, 20));
    mMapToolBar->setContentsMargins(0, 0, 0, 0);
    mMapToolBar->layout()->setSpacing(0);
    mMapToolBar->addAction(Action_MapToolUndo);
    for (QAction* a : {Action_MapToolSelect, Action_MapToolZoom, Action_MapToolPen, Action_MapToolRect,
                       Action_MapToolEllipse, Action_MapToolSeedFill})
        mMapToolBar->addAction(a);
    column->addWidget(mMapToolBar);

    mLeftSplitter = new QSplitter(Qt::Vertical, leftColumn);
    mLeftSplitter->setObjectName("LeftSplitter");
    mLeftSplitter->setChildrenCollapsible(false);
    mChipPalettePlace = new QWidget(mLeftSplitter);
    mChipPalettePlace->setObjectName("ChipPalettePlace");
    mChipPalettePlace->setMinimumHeight(52);
    mChipPalettePlace->setLayout(new QVBoxLayout);
    mChipPalettePlace->layout()->setContentsMargins(0, 0, 0, 0);
    mMapTreePlace = new QWidget(mLeftSplitter);
    mMapTreePlace->setObjectName("MapTreePlace");
    mMapTreePlace->setMinimumHeight(52);
    mMapTreePlace->setLayout(new QVBoxLayout);
    mMapTreePlace->layout()->setContentsMargins(0, 0, 0, 0);
    mLeftSplitter->addWidget(mChipPalettePlace);
    mLeftSplitter->addWidget(mMapTreePlace);
    mLeftSplitter->setStretchFactor(0, 1);
    mLeftSplitter->setStretchFactor(1, 1);
    column->addWidget(mLeftSplitter, 1);

    mMapViewPlace = new QWidget(central);
    mMapViewPlace->setObjectName("MapViewPlace");
    mMapViewPlace->setLayout(new QVBoxLayout);
    mMapViewPlace->layout()->setContentsMargins(0, 0, 0, 0);
    mMapViewPlace->setAutoFillBackground(true);
    QPalette dark = mMapViewPlace->palette();
    dark.setColor(QPalette::Window, QColor(96, 96, 104));
    mMapViewPlace->setPalette(dark);

    row->addWidget(leftColumn);
    row->addWidget(mMapViewPlace, 1);
    setCentralWidget(central);

    // Half the column for the palette, half for the tree, until the user moves the splitter.
    QTimer::singleShot(0, this, [this] {
        int h = mLeftSplitter->height();
        mLeftSplitter->setSizes({h / 2, h - h / 2});
    });
}

void TFormQelMain::createStatusBar() {
    int widths[3] = {0, 120, 260};
    for (int i = 0; i < 3; ++i) {
        mStatusPanels[i] = new QLabel(this);
        mStatusPanels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        if (widths[i]) mStatusPanels[i]->setMinimumWidth(widths[i]);
    }
    statusBar()->addWidget(mStatusPanels[0], 1);
    statusBar()->addPermanentWidget(mStatusPanels[1]);
    statusBar()->addPermanentWidget(mStatusPanels[2]);
    // After the first preview that could not be heard, the status bar keeps saying why.
    mSoundNotice = new QLabel(this);
    mSoundNotice->setObjectName("SoundNotice");
    mSoundNotice->hide();
    statusBar()->addPermanentWidget(mSoundNotice);
    SetSoundNoticeListener([this](const QString& text) {
        mSoundNotice->setText(text);
        mSoundNotice->show();
    });
    // Panel 0 carries the long hint of the control under the mouse.
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& message) {
        if (QApplication::mouseButtons() == Qt::NoButton) mStatusPanels[0]->setText(message);
    });
}

bool TFormQelMain::IsProjectOpen() const {
    return mDocument.IsOpen();
}
bool TFormQelMain::IsSomethingChanged() const {
    return mDocument.IsSomethingChanged();
}

int TFormQelMain::CellSizeOfZoom(int zoomIndex) {
    static const int sizes[] = {32, 16, 8, 4};
    return zoomIndex >= 0 && zoomIndex <= 3 ? sizes[zoomIndex] : 32;
}
bool TFormQelMain::IsUndoAvailable() const {
    return mMapEditor->CanUndo();
}
bool TFormQelMain::fullScreen() const {
    return Action_GameFullScreen->isChecked();
}
bool TFormQelMain::showTitle() const {
    return Action_GameShowTitle->isChecked();
}

void TFormQelMain::UpdateActions() {
    mActionUpdatePending = false;
    bool open = IsProjectOpen();
    bool changed = open && IsSomethingChanged();
    updateTitle(changed);
    bool layerMode = open && (mEditMode == ModeLowerLayer || mEditMode == ModeUpperLayer);
    Action_ProjectNew->setEnabled(!open);
    Action_ProjectOpen->setEnabled(!open);
    Action_ProjectClose->setEnabled(open);
    Action_ProjectPack->setEnabled(open);
    Action_MapSave->setEnabled(changed);
    Action_MapRevert->setEnabled(changed);
    for (QAction* a : mModeGroup->actions())
        a->setEnabled(open);
    for (QAction* a : mZoomGroup->actions())
        a->setEnabled(open);
    for (QAction* a : {Action_ToolDataBase, Action_ToolMaterial, Action_ToolSelectMusic, Action_GameTestPlay,
                       Action_GameFullScreen, Action_GameShowTitle})
        a->setEnabled(open);
    Action_MapToolUndo->setEnabled(open && IsUndoAvailable());
    Action_EditUndo->setEnabled(open && IsUndoAvailable());
    Action_EditRedo->setEnabled(open && mMapEditor->CanRedo());
    Action_EditUndoSteps->setEnabled(open);
    for (QAction* a : {Action_EditCut, Action_EditCopy, Action_EditPaste, Action_EditDelete, Action_EditSelectAll}) {
        QAction* command = ViewCommandOf(a);
        a->setEnabled(command && command->isEnabled());
    }
    for (QAction* a : mToolGroup->actions())
        a->setEnabled(layerMode);
}

void TFormQelMain::scheduleActionUpdate() {
    if (mActionUpdatePending) return;
    mActionUpdatePending = true;
    QTimer::singleShot(0, this, &TFormQelMain::UpdateActions);
}

bool TFormQelMain::eventFilter(QObject* watched, QEvent* event) {
    // Enabling follows the editor's state; it is recomputed once the events of a user action
    // have been handled and the application is idle again.
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::WindowActivate:
        scheduleActionUpdate();
        break;
    case QEvent::Leave:
    case QEvent::Hide:
        // The hint of a menu entry or tool button goes when the pointer leaves them.
        if (qobject_cast<QMenu*>(watched) || qobject_cast<QMenuBar*>(watched) || qobject_cast<QToolBar*>(watched))
            mStatusPanels[0]->clear();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFormQelMain::setZoom(int zoomIndex) {
    mZoomIndex = zoomIndex >= 0 && zoomIndex <= 3 ? zoomIndex : 0;
    QAction* actions[] = {Action_MapScale1, Action_MapScale2, Action_MapScale3, Action_MapScale4};
    actions[mZoomIndex]->setChecked(true);
    mMapEditor->SetCellSize(CellSizeOfZoom(mZoomIndex));
}

void TFormQelMain::setEditMode(EditMode mode) {
    mEditMode = mode;
    QAction* actions[] = {Action_MapModeLayer1, Action_MapModeLayer2, Action_MapModeEvent};
    if (mode >= ModeLowerLayer && mode <= ModeEvent) actions[mode]->setChecked(true);
    static const char* const texts[] = {"Lower Chip Editing Mode", "Upper Chip Editing Mode",
                                        "Event Editing Mode"};
    if (mode >= ModeLowerLayer && mode <= ModeEvent) mStatusPanels[1]->setText(texts[mode]);
    const int paneMode = mode >= ModeLowerLayer && mode <= ModeEvent ? int(mode) : mmNone;
    mMapEditor->SetMode(paneMode);
    mChipSelector->SetMode(paneMode);
    UpdateActions();
}

void TFormQelMain::RaiseFromAnotherStart() {
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

void TFormQelMain::showAbout() {
    QDialog about(this);
    about.setWindowTitle("About Tarvel");
    auto* layout = new QVBoxLayout(&about);
    auto* picture = new QLabel(&about);
    picture->setPixmap(SplashPicture());
    layout->addWidget(picture);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &about);
    connect(buttons, &QDialogButtonBox::accepted, &about, &QDialog::accept);
    layout->addWidget(buttons);
    about.adjustSize();
    CenterOnOwner(&about);
    about.exec();
}

void TFormQelMain::closeEvent(QCloseEvent* event) {
    if (!CloseCheck()) {
        event->ignore();
        return;
    }
    event->accept();
    saveSettingsAtExit();
}

// ---- projects ----

void TFormQelMain::ProjectNew() {
    if (IsProjectOpen()) return;
    TFormProjectNew dialog(this);
    CenterOnOwner(&dialog);
    if (dialog.exec() != QDialog::Accepted) return;
    try {
        TBusyCursor busy;
        mDocument.CreateProject(dialog.folderName(), dialog.gameTitle());
    } catch (const std::exception& e) {
        ShowError(e.what(), this);
    }
    UpdateActions();
}

void TFormQelMain::ProjectOpen() {
    if (IsProjectOpen()) return;
    TFormProjectOpen dialog(this);
    CenterOnOwner(&dialog);
    if (dialog.exec() != QDialog::Accepted) return;
    try {
        TBusyCursor busy;
        mDocument.OpenProject(dialog.folderName());
    } catch (const std::exception& e) {
        ShowError(e.what(), this);
    }
    UpdateActions();
}

void TFormQelMain::ProjectClose() {
    if (!IsProjectOpen() || !CloseCheck()) return;
    mDocument.CloseProject();
    UpdateActions();
}

QString TFormQelMain::TitleOf(const QString& gameTitle) {
    // Qt puts its modified mark where "[*]" stands while the window is modified.
    return gameTitle.isEmpty() ? QStringLiteral("Tarvel") : gameTitle + QStringLiteral(" [*] \u2014 Tarvel");
}

void TFormQelMain::updateTitle(bool changed) {
    const QString title = IsProjectOpen() ? TitleOf(mGameTitle) : TitleOf({});
    if (windowTitle() != title) setWindowTitle(title);
    setWindowModified(changed);
}

void TFormQelMain::projectOpened() {
    mGameTitle = ProjectIni::GameTitle(ProjectPath());
    mChipSelector->Reset();
    mMapTreePane->BuildTree();
    mapChanged(false);

    int mode = ProjectIni::MapEditMode(ProjectPath());
    int zoom = ProjectIni::MapEditZoom(ProjectPath());
    UpdateActions();
    setEditMode(static_cast<EditMode>(mode));
    setZoom(zoom);
    Action_MapToolPen->setEnabled(true);
    Action_MapToolPen->setChecked(true);
    mMapEditor->SetTool(mtPen);
}

void TFormQelMain::projectClosed() {
    mMapTreePane->ClearView();
    mEditMode = ModeNone;
    for (QAction* a : mModeGroup->actions())
        a->setChecked(false);
    mMapEditor->SetMode(mmNone);
    mChipSelector->SetMode(mmNone);
    mMapEditor->LoadMap();
    mChipSelector->Refresh();
    mStatusPanels[1]->clear();
    mStatusPanels[2]->clear();
}

void TFormQelMain::mapChanged(bool keepScroll) {
    // The view and the palette follow the shown map; the status bar names it.
    mMapEditor->SetKeepScroll(keepScroll);
    mMapEditor->LoadMap();
    mMapEditor->SetKeepScroll(false);
    mChipSelector->Refresh();
    showCursorStatus();
    UpdateActions();
}

void TFormQelMain::showCursorStatus() {
    QString text = mMapTreePane->ShownMapName();
    const TRect cursor = mMapEditor->Cursor();
    const TQelMap& shown = mDocument.Map();
    const bool inside = shown.Width > 0 && cursor.left >= 0 && cursor.top >= 0 && cursor.left < shown.Width &&
                        cursor.top < shown.Height;
    // The parts are separated by blanks; nothing trails when the cursor is away.
    if (inside) {
        text += QString(" (%1,%2)").arg(cursor.left, 3, 10, QChar('0')).arg(cursor.top, 3, 10, QChar('0'));
        if (mEditMode == ModeEvent) {
            const std::string name = mMapEditor->EventManager().NameAt(cursor.left, cursor.top);
            if (!name.empty()) text += " " + QString::fromStdString(name);
        }
    }
    mStatusPanels[2]->setText(text);
}

void TFormQelMain::connectPanes() {
    mMapEditor = new TFormMapEditor(mMapViewPlace);
    mMapViewPlace->layout()->addWidget(mMapEditor);
    mMapEditor->SetMapTree(&mapTree());
    mMapEditor->SetMap(&map());
    // A double-click or the event menu edits events in the event editor.
    PlugEventEditor(mMapEditor->EventManager(), this, DocumentDataBaseStore(document()));
    mChipSelector = new TFormChipSelector(mChipPalettePlace);
    mChipPalettePlace->layout()->addWidget(mChipSelector);
    mChipSelector->SetMap(&map());

    mMapEditor->onChanged = [this] { UpdateActions(); };
    mMapEditor->onCursorMoved = [this] { showCursorStatus(); };
    mMapEditor->onBrushPicked = [this] { brushPicked(); };
    mMapEditor->onModeToggled = [this] {
        setEditMode(static_cast<EditMode>(mMapEditor->Mode()));
        mChipSelector->SetSelection({-1, -1, -1, -1});
    };
    mMapEditor->onZoomChanged = [this](int cellSize) {
        for (int i = 0; i < 4; ++i)
            if (CellSizeOfZoom(i) == cellSize) {
                mZoomIndex = i;
                QAction* actions[] = {Action_MapScale1, Action_MapScale2, Action_MapScale3, Action_MapScale4};
                actions[i]->setChecked(true);
            }
    };
    mMapEditor->onResized = [this](QSize size) { mMapTreePane->SetViewClientSize(size); };
    mChipSelector->onSelectionChanged = [this] { paletteSelectionChanged(); };

    connect(Action_MapToolUndo, &QAction::triggered, this, [this] {
        mMapEditor->Undo();
        UpdateActions();
    });
    const std::pair<QAction*, int> tools[] = {
        {Action_MapToolSelect, mtSelect},   {Action_MapToolZoom, mtZoom},
        {Action_MapToolPen, mtPen},         {Action_MapToolRect, mtRectangle},
        {Action_MapToolEllipse, mtEllipse}, {Action_MapToolSeedFill, mtFill}};
    for (const auto& [action, tool] : tools)
        connect(action, &QAction::triggered, this, [this, tool = tool] { mMapEditor->SetTool(tool); });
    // A stroke or a palette drag ends when the editor loses the focus, as if released.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive) return;
        mMapEditor->EndStroke();
        mChipSelector->EndDrag();
    });
}

void TFormQelMain::paletteSelectionChanged() {
    const int mode = mChipSelector->Mode();
    if (mode < ModeLowerLayer || mode > ModeEvent || !mChipSelector->HasSelection()) return;
    const TRect s = mChipSelector->Selection();
    TQelCurrentChip& brush = mMapEditor->Brush(mode);
    brush.SetSize(s.Width(), s.Height());
    for (int j = 0; j < brush.Height(); ++j)
        for (int i = 0; i < brush.Width(); ++i)
            brush.SetChip(i, j, mChipSelector->ChipAt(s.left + i, s.top + j));
    mMapEditor->ResetBrushOffset();
    mMapEditor->LiftAgain();
}

void TFormQelMain::brushPicked() {
    const TQelCurrentChip& brush = mMapEditor->Brush(mMapEditor->Mode());
    if (brush.Width() == 1 && brush.Height() == 1) {
        const TPoint cell = mChipSelector->CellOfChip(brush.GetChip(0, 0));
        if (cell.x >= 0) {
            mChipSelector->SetSelection({cell.x, cell.y, cell.x + 1, cell.y + 1});
            return;
        }
    }
    mChipSelector->SetSelection({-1, -1, -1, -1});
}

void TFormQelMain::writeEditState() {
    int mode = mEditMode == ModeNone ? 0 : mEditMode;
    try {
        ProjectIni::SetMapEditModeAndZoom(ProjectPath(), mode, mZoomIndex);
    } catch (const std::exception&) {
        // A project ini that cannot be written is no reason to keep the editor open.
    }
}

bool TFormQelMain::SaveAll() {
    if (!IsProjectOpen()) return true;
    TBusyCursor busy;
    if (!mMapTreePane->ParkCurrentMap()) return false;
    // What is saved is no longer taken back by undo.
    mMapEditor->ClearUndo();
    try {
        mDocument.SaveTree();
    } catch (const std::exception& e) {
        ShowError(e.what(), this);
        UpdateActions();
        return false;
    }
    UpdateActions();
    return !IsSomethingChanged();
}

void TFormQelMain::RevertAll() {
    if (!IsProjectOpen() || !AskYesNo("Map was changed. Lose all changes?", this)) return;
    mMapEditor->ClearSelection();
    try {
        mDocument.RevertAll();
    } catch (const std::exception& e) {
        ShowError(e.what(), this);
    }
    mMapTreePane->BuildTree();
    mapChanged(false);
}

bool TFormQelMain::CloseCheck() {
    if (!IsProjectOpen()) return true;
    if (IsSomethingChanged()) {
        auto answer =
            AskBox("Map was changed. Save it?", QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                   QMessageBox::Warning, this);
        if (answer == QMessageBox::Cancel) return false;
        if (answer == QMessageBox::Yes && (!SaveAll() || IsSomethingChanged())) return false;
    } else {
        mDocument.SaveTreeQuietly();
    }
    writeEditState();
    return true;
}

void TFormQelMain::GameTestPlay() {
    if (!IsProjectOpen() || !SavePrompt()) return;
    UpdateActions();
    // Nothing of the editor sounds while the game runs.
    RememberedMusic().Reset();
    SoundLibrary().Release();
    try {
        QProcess process;
        if (!StartRuntime(process, TestPlayArguments(showTitle(), fullScreen()))) {
            ShowError(TestPlayMessage::StartFailed, this);
        } else {
            TFormProcessWait wait(this, "Test Play", process);
            CenterOnOwner(&wait);
            wait.exec();
        }
    } catch (...) {
        SoundLibrary().Create();
        SoundLibrary().InitWave();
        throw;
    }
    SoundLibrary().Create();
    SoundLibrary().InitWave();
}

void TFormQelMain::ToolDataBase() {
    if (!IsProjectOpen()) return;
    // A battle test started from the window reads the toggle from the settings store.
    UserSettings::SetFullScreenFlag(fullScreen());
    try {
        TFormDataBase form(this, mDocument);
        CenterOnOwner(&form);
        form.exec();
    } catch (const std::exception& e) {
        ShowError(QString::fromLocal8Bit(e.what()), this);
    }
    // A chipset may have been renamed, given another picture or other terrain.
    map().ReloadChipSet();
    mMapEditor->RedrawAll();
    mChipSelector->Refresh();
    UpdateActions();
}

void TFormQelMain::ToolSelectMusic() {
    TFormSelMusic picker(this);
    picker.SetListenOnly(true);
    CenterOnOwner(&picker);
    picker.exec();
}

bool TFormQelMain::SavePrompt() {
    if (!IsSomethingChanged()) return true;
    if (AskBox("Map was changed. Save it?", QMessageBox::Yes | QMessageBox::No, QMessageBox::Warning, this) !=
        QMessageBox::Yes)
        return false;
    return SaveAll() && !IsSomethingChanged();
}

void TFormQelMain::saveSettingsAtExit() {
    if (mShutDown) return;
    mShutDown = true;
    UserSettings::SetFullScreenFlag(fullScreen());
    UserSettings::SetShowTitleFlag(showTitle());
    UserSettings::SetFormPlacement(objectName(), saveGeometry());
    UserSettings::Sync();
    SoundLibrary().Release();
    DeleteFolderTree(TempWorkFolder());
}

} // namespace tarvel
