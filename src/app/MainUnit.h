#pragma once

#include <QMainWindow>

class QAction;
class QActionGroup;
class QLabel;
class QSplitter;
class QToolBar;

namespace tarvel {

// The editor's single main window: every top-level command as an action with its caption,
// shortcut and enabling rule, the menus and toolbars, the left column (tool bar, chip palette,
// map tree) beside the map view, and the three-panel status bar.
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
    bool IsSomethingChanged() const;
    bool IsUndoAvailable() const;
    EditMode editMode() const { return mEditMode; }
    bool fullScreen() const;
    bool showTitle() const;

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

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* makeAction(const char* name, const QString& caption, const QKeySequence& shortcut = {});
    void createActions();
    void createMenus();
    void createToolBars();
    void createLayout();
    void createStatusBar();
    void scheduleActionUpdate();
    void setEditMode(EditMode mode);
    void showAbout();
    void saveSettingsAtExit();

    EditMode mEditMode = ModeNone;
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
};

} // namespace tarvel
