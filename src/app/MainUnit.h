#pragma once

#include <QMainWindow>
#include <memory>

#include "project/ProjectDocument.h"

class QAction;
class QActionGroup;
class QLabel;
class QSplitter;
class QToolBar;

namespace tarvel {

class TFormMapTree;
class TFormMapEditor;
class TFormChipSelector;

// The editor's single main window: every top-level command as an action with its caption,
// shortcut and enabling rule, the menus and toolbars, the left column (tool bar, chip palette,
// map tree) beside the map view, and the three-panel status bar. The project itself (its data,
// opening, saving and reverting) is the document's; the window asks, shows and reports.
class TFormQelMain : public QMainWindow {
    Q_OBJECT
public:
    // Edit modes; None while no project is open.
    enum EditMode { ModeNone = -1, ModeLowerLayer = 0, ModeUpperLayer = 1, ModeEvent = 2 };
    static constexpr int LeftColumnWidth = 214;

    explicit TFormQelMain(QWidget* parent = nullptr);
    ~TFormQelMain() override;

    // Brings the window to the front, restoring it when minimised (a second start asked for it).
    void RaiseFromAnotherStart();
    // Recomputes every action's enabled state from the editor's state.
    void UpdateActions();

    bool IsProjectOpen() const;
    // The map or the map tree has changes that are not in the project folder yet.
    bool IsSomethingChanged() const;
    bool IsUndoAvailable() const;
    EditMode editMode() const { return mEditMode; }
    // 0 = 1/1 (32 pixels a cell) .. 3 = 1/8 (4 pixels).
    int zoomIndex() const { return mZoomIndex; }
    static int CellSizeOfZoom(int zoomIndex);

    TProjectDocument& document() { return mDocument; }
    TQelDataBase& dataBase() { return mDocument.DataBase(); }
    TQelMapTree& mapTree() { return mDocument.MapTree(); }
    TQelMap& map() { return mDocument.Map(); }
    TProjectManager& projectManager() { return mDocument.ProjectManager(); }
    TFormMapTree* mapTreePane() const { return mMapTreePane; }
    TFormMapEditor* mapEditor() const { return mMapEditor; }
    TFormChipSelector* chipSelector() const { return mChipSelector; }
    // Where new projects take "QUORIN.exe.dat" and "QUORIN.qdb.dat" from: the program's folder.
    void setTemplateFolder(const QString& folder) { mDocument.SetTemplateFolder(folder); }

    // The close check: with changes, asks "Map was changed. Save it?" (Yes saves, No goes on,
    // Cancel refuses); without, writes the tree file. Then the edit mode and zoom go to the
    // project's ini. False when the close is refused.
    bool CloseCheck();
    // The save prompt before test play and game disks: false when the command is to stop.
    bool SavePrompt();
    // "&Save map...": parks the current map and saves the tree (working copies into the project).
    // False when something could not be saved (the user has been told).
    bool SaveAll();
    // "&Revert map...": after the question, throws every working copy away.
    void RevertAll();
    // Runs the project commands; their dialogs and messages as the user sees them.
    void ProjectNew();
    void ProjectOpen();
    void ProjectClose();
    // "Test Play": the save prompt, then the project's runtime with the two toggles' words; the
    // editor waits until it ends, with its sound handed over meanwhile.
    void GameTestPlay();
    // "&Data Base...": writes the full-screen toggle to the settings, runs the database window,
    // then shows the map and palette with what the database now holds.
    void ToolDataBase();
    // "&BGM Selector...": the music picker to listen only.
    void ToolSelectMusic();
    bool fullScreen() const;
    bool showTitle() const;
    // The window's title for an open project's game title ("Tarvel" alone without a project):
    // the game title, Qt's modified mark and the application's name.
    static QString TitleOf(const QString& gameTitle);

    QLabel* statusPanel(int index) const { return mStatusPanels[index]; }
    QWidget* chipPalettePlace() const { return mChipPalettePlace; }
    QWidget* mapTreePlace() const { return mMapTreePlace; }
    QWidget* mapViewPlace() const { return mMapViewPlace; }

    QAction* Action_ProjectNew;
    QAction* Action_ProjectOpen;
    QAction* Action_ProjectClose;
    QAction* Action_ProjectPack;
    QAction* Action_Exit;
    QAction* Action_MapSave;
    QAction* Action_MapRevert;
    QAction* Action_MapModeLayer1;
    QAction* Action_MapModeLayer2;
    QAction* Action_MapModeEvent;
    QAction* Action_MapScale1;
    QAction* Action_MapScale2;
    QAction* Action_MapScale3;
    QAction* Action_MapScale4;
    QAction* Action_ToolDataBase;
    QAction* Action_ToolMaterial;
    QAction* Action_ToolSelectMusic;
    QAction* Action_GameTestPlay;
    QAction* Action_GameFullScreen;
    QAction* Action_GameShowTitle;
    QAction* Action_HelpContents;
    QAction* Action_HelpAbout;
    QAction* Action_MapToolUndo;
    QAction* Action_MapToolSelect;
    QAction* Action_MapToolZoom;
    QAction* Action_MapToolPen;
    QAction* Action_MapToolRect;
    QAction* Action_MapToolEllipse;
    QAction* Action_MapToolSeedFill;
    // The "E&dit" menu: undo and redo of the map view, and its clipboard commands in the mode it
    // is in (chips or events), enabled as the view's own commands are.
    QAction* Action_EditUndo;
    QAction* Action_EditRedo;
    QAction* Action_EditCut;
    QAction* Action_EditCopy;
    QAction* Action_EditPaste;
    QAction* Action_EditDelete;
    QAction* Action_EditSelectAll;
    QAction* Action_EditUndoSteps;
    // The view's command an Edit entry stands for in the current mode, with the view's enabling
    // brought up to date; nullptr when there is none.
    QAction* ViewCommandOf(QAction* editAction);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* makeAction(const char* name, const QString& caption, const QKeySequence& shortcut = {});
    void createActions();
    void createEditActions();
    void askUndoSteps();
    void createMenus();
    void createToolBars();
    void createLayout();
    void createStatusBar();
    void scheduleActionUpdate();
    void setEditMode(EditMode mode);
    void setZoom(int zoomIndex);
    void showAbout();
    void saveSettingsAtExit();
    void updateTitle(bool changed);
    // The panes follow the document's project.
    void projectOpened();
    void projectClosed();
    void mapChanged(bool keepScroll);
    void writeEditState();
    void connectPanes();
    void showCursorStatus();
    // The palette's selection becomes the brush of its mode.
    void paletteSelectionChanged();
    // A brush picked from the map shows as its palette cell, when it has one.
    void brushPicked();

    EditMode mEditMode = ModeNone;
    // The open project's game title, read when it opened.
    QString mGameTitle;
    int mZoomIndex = 0;
    TProjectDocument mDocument;
    TFormMapTree* mMapTreePane = nullptr;
    TFormMapEditor* mMapEditor = nullptr;
    TFormChipSelector* mChipSelector = nullptr;
    bool mActionUpdatePending = false;
    bool mShutDown = false;
    QActionGroup* mModeGroup = nullptr;
    QActionGroup* mZoomGroup = nullptr;
    QActionGroup* mToolGroup = nullptr;
    QToolBar* mMainToolBar = nullptr;
    QToolBar* mMapToolBar = nullptr;
    QSplitter* mLeftSplitter = nullptr;
    QWidget* mChipPalettePlace = nullptr;
    QWidget* mMapTreePlace = nullptr;
    QWidget* mMapViewPlace = nullptr;
    QLabel* mStatusPanels[3] = {};
    QLabel* mSoundNotice = nullptr;
};

} // namespace tarvel
