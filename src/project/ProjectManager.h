#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <stdexcept>
#include <vector>

namespace tarvel {

// The messages of the project manager and its dialogs, as the user sees them.
namespace ProjectMessage {
constexpr const char* MakingFailure = "Project Making Failure";
constexpr const char* FolderMaking = "Project Folder Making";
constexpr const char* ForbiddenCharacterNew = "Folder name chara use to be inclided _1_";
constexpr const char* ForbiddenCharacterRename = "Folder name chara use to be inclided _2_";
constexpr const char* RenameFailure = "Project folder Name Ghange";
constexpr const char* AskErase = "Do you want to erase '%1' Game Project?";
} // namespace ProjectMessage

// A failure the user is told about with the message it carries.
class EProjectError : public std::runtime_error {
public:
    explicit EProjectError(const std::string& message) : std::runtime_error(message) {}
};

// Folder names are at most 40 characters and carry none of \ / : ? * < > | and the double quote.
constexpr int MaxProjectNameLength = 40;
bool HasForbiddenFolderCharacter(const QString& folderName);

// One row of the open-project list.
struct ProjectListEntry {
    QString folderName;
    QString gameTitle;
};
// Every subfolder of the base path that holds "QUORIN.exe" (hidden folders excepted), sorted by
// folder name, with its game title ("Untitled" when its ini has none).
std::vector<ProjectListEntry> ListProjects(const QString& basePath);
// "Project" followed by the smallest n = 1, 2, ... for which no such folder exists yet.
QString ProposeNewProjectFolder(const QString& basePath);
// Makes base path + folder name (one level, failing when it exists); false on failure.
bool MakeProjectFolder(const QString& basePath, const QString& folderName);
// Renames a project's folder (when the name changed) and writes its title. Raises EProjectError
// with the user's message when the name is refused or the folder cannot be moved.
void RenameProject(const QString& basePath, const QString& oldFolder, const QString& newFolder,
                   const QString& title);
// Deletes the project folder and everything in it; the current directory becomes the base path.
void DeleteProject(const QString& basePath, const QString& folderName);

// The notion of the open project: turns a folder name under the base path into ProjectPath,
// makes it the current directory, and asks its owner (through three events) to fill, load or drop
// the project's data.
class TProjectManager {
public:
    // Fills a freshly made project folder; ProjectPath is already set. Returns false (or raises)
    // when a step fails.
    std::function<bool(const QString& title)> OnCreateProject;
    // Loads the project; ProjectPath is set and the current directory is the folder. Returns true
    // when it loaded.
    std::function<bool()> OnOpenProject;
    // Drops the project's data while ProjectPath is still set.
    std::function<void()> OnCloseProject;

    // Writes ApplicationPath to the settings store.
    TProjectManager();

    bool IsProjectOpen() const { return mIsProjectOpen; }
    const QString& FolderName() const { return mFolderName; }
    static QString BasePath();

    // For a folder the new-project dialog has just made. On any failure the folder is deleted,
    // nothing is open, and EProjectError("Project Making Failure") is raised.
    void CreateProject(const QString& folderName, const QString& title);
    // Opens base path + folder name. A folder that cannot be made current opens nothing, silently;
    // an error raised while loading is passed on with the current directory back at the base path.
    void OpenProject(const QString& folderName);
    void CloseProject();
    // Opens the project that was open when the editor last ran; every failure is swallowed.
    void ReopenLastProject();

private:
    bool mIsProjectOpen = false;
    QString mFolderName;
};

} // namespace tarvel
