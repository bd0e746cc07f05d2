#include "ProjectDocument.h"

#include <QFileInfo>

#include "ProjectCreation.h"
#include "mapedit_core/MapGraphics.h"
#include "mapedit_core/MapTreeEdits.h"
#include "platform/Paths.h"
#include "platform/Settings.h"
#include "records/Stream.h"

namespace tarvel {

TProjectDocument::TProjectDocument(QObject* parent) : QObject(parent), mTemplateFolder(ApplicationFolder()) {
    // The one map every pane edits draws its chips and characters through its graphics.
    AttachMapGraphics(mMap);
    mProjectManager.OnCreateProject = [this](const QString& title) {
        return FillNewProject(title, mTemplateFolder);
    };
    mProjectManager.OnOpenProject = [this] {
        try {
            return loadProjectData();
        } catch (...) {
            // Nothing of a project that failed to open stays behind.
            dropProjectData();
            throw;
        }
    };
    mProjectManager.OnCloseProject = [this] { dropProjectData(); };
}

TProjectDocument::~TProjectDocument() = default;

bool TProjectDocument::IsSomethingChanged() const {
    return mMap.Modified || mMapTree.IsTreeModified();
}

int32_t TProjectDocument::ShownMapID() const {
    return tarvel::ShownMapID(mMapTree);
}

QString TProjectDocument::ShownMapName() const {
    return QString::fromStdString(tarvel::ShownMapName(mMapTree));
}

void TProjectDocument::CreateProject(const QString& folderName, const QString& title) {
    mProjectManager.CreateProject(folderName, title);
}

void TProjectDocument::OpenProject(const QString& folderName) {
    mProjectManager.OpenProject(folderName);
}

void TProjectDocument::CloseProject() {
    mProjectManager.CloseProject();
}

void TProjectDocument::ReopenLastProject() {
    mProjectManager.ReopenLastProject();
}

void TProjectDocument::nameRootAfterTitle() {
    if (TQelMapTreeItem* root = mMapTree.Find(0))
        root->Name = ProjectIni::GameTitle(ProjectPath()).toStdString();
}

bool TProjectDocument::loadProjectData() {
    if (TMapGraphics* graphics = MapGraphicsOf(mMap)) graphics->CharSets().Clear();
    mDataBase.Load(ProjectPath().toStdString());
    if (mDataBase.LoadFailed()) emit dataBaseLoadFailed(QString::fromStdString(mDataBase.LoadError()));
    try {
        mMapTree.LoadTree();
    } catch (const std::exception&) {
        // A tree that could not be read completely is judged by its root below.
    }
    if (!mMapTree.Find(0)) {
        mMapTree.ClearTree();
        throw EProjectError("Map Data Error during Project Reading");
    }
    nameRootAfterTitle();
    mMap.CloseMap();
    if (mMapTree.ActiveID != 0 && mMapTree.Find(mMapTree.ActiveID)) {
        int32_t id = ShownMapID();
        if (id > 0) mMap.LoadMap(id);
    }
    emit projectOpened();
    return true;
}

void TProjectDocument::dropProjectData() {
    mDataBase.Reset();
    mMapTree.ClearTree();
    mMap.CloseMap();
    emit projectClosed();
}

void TProjectDocument::ParkCurrentMap() {
    tarvel::ParkCurrentMap(mMapTree, mMap);
}

void TProjectDocument::SaveTree() {
    mMapTree.SaveTree();
}

void TProjectDocument::SaveAll() {
    ParkCurrentMap();
    SaveTree();
}

void TProjectDocument::RevertAll() {
    std::string error;
    try {
        mMapTree.LoadTree();
    } catch (const std::exception& e) {
        error = e.what();
    }
    nameRootAfterTitle();
    mMap.Modified = false;
    mMap.CloseMap();
    int32_t id = ShownMapID();
    if (id > 0) mMap.LoadMap(id);
    if (!error.empty()) throw EProjectError(error);
}

void TProjectDocument::SaveTreeQuietly() {
    try {
        mMapTree.SaveTree();
    } catch (const std::exception&) {
    }
}

void TProjectDocument::SaveDataBase() {
    mDataBase.Save(ProjectPath().toStdString());
}

void TProjectDocument::ReloadDataBase() {
    mDataBase.Load(ProjectPath().toStdString());
    emit dataBaseReloaded();
}

void TProjectDocument::ReadDataBase(const std::string& folder) {
    mDataBase.Load(folder);
}

bool TProjectDocument::ReadTreeFile(const std::string& folder) {
    const std::string path = folder + MapTreeFileName;
    if (!QFileInfo::exists(QString::fromStdString(path))) return false;
    TMemoryStream stream;
    stream.LoadFromFile(path);
    mMapTree.LoadFromFileStream(stream);
    return true;
}

} // namespace tarvel
