#pragma once

#include <QByteArray>
#include <QString>

namespace tarvel {

// The per-user settings store (~/.config/Ostel/Tarvel.conf). Values that are missing or cannot be
// read as their kind read as their defaults, so a damaged file never stops the editor.
namespace UserSettings {
// With a trailing "/" ensured; empty when no runtime package is installed.
QString RuntimePackagePath();
// Written only by the package installer, never by the editor itself.
void SetRuntimePackagePath(const QString& path);
bool FullScreenFlag();
void SetFullScreenFlag(bool value);
bool ShowTitleFlag();
void SetShowTitleFlag(bool value);
QString MaterialPath();
void SetMaterialPath(const QString& path);
bool IncludeRtpOption();
void SetIncludeRtpOption(bool value);
// How many steps the map view's undo keeps: 3 (the three-step ring, no redo) to 1000; 100 when
// unset.
int UndoSteps();
void SetUndoSteps(int steps);
void SetApplicationPath(const QString& path);
// The window placement of a form, stored under its name + "_Placement".
QByteArray FormPlacement(const QString& formName);
void SetFormPlacement(const QString& formName, const QByteArray& placement);
// Any other value of the store, for windows that keep options of their own.
QString ReadString(const QString& name, const QString& defaultValue = {});
void WriteString(const QString& name, const QString& value);
// Makes sure everything written so far is on disk.
void Sync();
} // namespace UserSettings

// The editor's own ini file (~/.config/Ostel/Tarvel.ini), section "Tarvel".
namespace EditorIni {
QString Path();
// With a trailing "/"; defaults to ~/TarvelProjects/.
QString ProjectBasePath();
void SetProjectBasePath(const QString& path);
QString OpenedProjectFolder();
void SetOpenedProjectFolder(const QString& folderName);
} // namespace EditorIni

// A project's "QUORIN.ini", section "QUORIN". projectFolder need not end in "/".
namespace ProjectIni {
QString Path(const QString& projectFolder);
QString GameTitle(const QString& projectFolder);
void SetGameTitle(const QString& projectFolder, const QString& title);
// 0 lower layer, 1 upper layer, 2 events; anything else reads as 0.
int MapEditMode(const QString& projectFolder);
// 0 = 1/1 .. 3 = 1/8; anything else reads as 0.
int MapEditZoom(const QString& projectFolder);
// Both written together when a project closes; raises EFileError when the file cannot be written.
void SetMapEditModeAndZoom(const QString& projectFolder, int mode, int zoom);
// Set true, or deleted, in the open project's ini.
void SetFullPackageFlag(const QString& projectFolder, bool present);
bool HasFullPackageFlag(const QString& projectFolder);
} // namespace ProjectIni

} // namespace tarvel
