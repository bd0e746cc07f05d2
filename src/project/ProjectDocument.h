#pragma once

// The open project as one object: its folder, database, map tree and the one map that every pane
// edits, and the project's life apart from any window — creating, opening and closing, parking
// the open map in its working copy and loading another, saving and reverting the maps, saving
// and reloading the database. The main window, the map tree pane, the database window, the event
// editor and test play all work on the same document and listen to its signals; tarvel-cli opens
// projects through it too.

#include <QObject>
#include <QString>
#include <string>

#include "data/LD_DataBase.h"
#include "data/LD_Map.h"
#include "data/LD_MapTree.h"
#include "project/ProjectManager.h"

namespace tarvel {

class TProjectDocument : public QObject {
    Q_OBJECT
public:
    explicit TProjectDocument(QObject* parent = nullptr);
    ~TProjectDocument() override;

    TQelDataBase& DataBase() { return mDataBase; }
    TQelMapTree& MapTree() { return mMapTree; }
    TQelMap& Map() { return mMap; }
    TProjectManager& ProjectManager() { return mProjectManager; }
    // Where new projects take "QUORIN.exe.dat" and "QUORIN.qdb.dat" from (the program's folder).
    void SetTemplateFolder(const QString& folder) { mTemplateFolder = folder; }
    const QString& TemplateFolder() const { return mTemplateFolder; }

    bool IsOpen() const { return mProjectManager.IsProjectOpen(); }
    // The map or the map tree has changes that are not in the project folder yet.
    bool IsSomethingChanged() const;
    // The ID and name of the map shown for the active node (see ShownMapID in MapTreeEdits).
    int32_t ShownMapID() const;
    QString ShownMapName() const;

    // ---- the project's life (the project manager's three events end here) ----
    // A project folder just made by the new-project dialog, filled from the templates and opened.
    void CreateProject(const QString& folderName, const QString& title);
    // Opens a project of the base path. The database is loaded first (a database that could not
    // be read completely keeps what was read and is reported through dataBaseLoadFailed); a tree
    // without its root raises EProjectError("Map Data Error during Project Reading") and opens
    // nothing. The active node's map is loaded.
    void OpenProject(const QString& folderName);
    void CloseProject();
    // Opens the project that was open when the editor last ran; every failure is swallowed.
    void ReopenLastProject();

    // ---- maps ----
    // Writes the open map to its working copy when it was changed; raises the writer's error.
    void ParkCurrentMap();
    // Writes the tree file (and with it every working copy into the project folder); raises.
    void SaveTree();
    // ParkCurrentMap, then SaveTree.
    void SaveAll();
    // Throws every working copy away: the tree is read again from the project folder and the
    // shown map from its file. A tree that fails to read is reported by raising after the rest was
    // done (the view then shows what could be read).
    void RevertAll();
    // The close check's quiet part: a project without changes still writes its tree file, which
    // carries the current map and the expanded state. Errors are swallowed.
    void SaveTreeQuietly();

    // ---- database ----
    // Writes the database file of the open project; raises the writer's error.
    void SaveDataBase();
    // Reads the database file again (what an editor's Cancel does), then emits dataBaseReloaded.
    void ReloadDataBase();

    // ---- for tools: reading a project without the editor's working copies ----
    // Reads the database file of a folder (ending in "/"); raises the reader's error.
    void ReadDataBase(const std::string& folder);
    // Reads the folder's tree file as it is, without touching working copies (the editor's load
    // deletes the working copies of maps that are gone). False when the file does not exist.
    bool ReadTreeFile(const std::string& folder);

signals:
    // After the database, tree and shown map of a project were loaded.
    void projectOpened();
    // After the project's data was dropped (the folder is still set while it runs).
    void projectClosed();
    // The database of the project being opened could not be read completely: the reason.
    void dataBaseLoadFailed(const QString& reason);
    // The database was read again from its file.
    void dataBaseReloaded();

private:
    bool loadProjectData();
    void dropProjectData();
    // The root's name is the game's title, kept in "QUORIN.ini".
    void nameRootAfterTitle();

    TQelDataBase mDataBase;
    TQelMapTree mMapTree;
    TQelMap mMap;
    TProjectManager mProjectManager;
    QString mTemplateFolder;
};

} // namespace tarvel
