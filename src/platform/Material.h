#pragma once

#include <QString>
#include <QStringList>
#include <array>

namespace tarvel {

// Where material names are looked up: the open project first, then the runtime package.
// Both end in "/" or are empty.
struct MaterialRoots {
    QString projectPath;
    QString runtimePackagePath;
    // The process-wide ProjectPath and RuntimePackagePath.
    static MaterialRoots Current();
};

// Extension lists, in lookup order.
const QStringList& ImageExtensions();
const QStringList& MovieExtensions();
const QStringList& MusicExtensions();
const QStringList& SoundExtensions();

struct MaterialFolderInfo {
    const char* name;
    const QStringList& (*extensions)();
};

// The fourteen material folders, in the order they are listed, created and shown.
const std::array<MaterialFolderInfo, 14>& MaterialFolders();
// The folder's entry, or nullptr for a name that is no material folder.
const MaterialFolderInfo* FindMaterialFolder(const QString& folder);

// The mark that follows a runtime-package-only name in a list: a blank, then "<RTP>".
extern const QString RtpMark;

// The file a material name stands for: the project's file when one exists, else the runtime
// package's; within one place the extensions are tried in list order. An exact match of the
// file name wins over one that differs only in case. An empty name gives an empty result; a
// name that names no file (or that contains a path delimiter or "..", so that it could reach
// outside the material folders) gives the bare name.
QString ResolveMaterialFile(const QString& name, const QString& folder, const QStringList& extensions,
                            const MaterialRoots& roots = MaterialRoots::Current());

// The names a picker lists for a folder: the project's names in natural order, then the runtime
// package's names that the project does not have, each followed by RtpMark. The hourglass cursor
// is the caller's business.
QStringList ListMaterialNames(const QString& folder, const QStringList& extensions,
                              const MaterialRoots& roots = MaterialRoots::Current());

// The material name of a list entry: without the trailing RtpMark when it has one.
QString MaterialNameOf(const QString& entry);
bool HasRtpMark(const QString& entry);

// Natural order of material names: Actor before Actor1, Actor2 before Actor10, case ignored.
int CompareMaterialNames(const QString& a, const QString& b);

} // namespace tarvel
