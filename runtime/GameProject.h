#pragma once

#include <QString>
#include <memory>

#include "data/LD_DataBase.h"
#include "data/LD_MapTree.h"

namespace tarvel::runtime {

// The game's folder: the program's own folder when it holds a game (the runtime is "QUORIN.exe"
// in the project), otherwise the current directory (which the editor sets to the project).
// Ends in "/".
QString FindGameFolder(const QString& programFolder, const QString& currentFolder);

// The project as the runtime sees it: its database, map tree and title, read and never written.
// A file that cannot be read leaves an error text instead of an exception, so the viewer can
// show what went wrong.
class TGameProject {
public:
    // Reads "QUORIN.qdb", "QUORIN.qmt" and the title from "QUORIN.ini" of the folder, makes the
    // folder the one material names are looked up in first, and the runtime package named in the
    // user's settings the second.
    void Load(const QString& folder);

    const QString& Folder() const { return mFolder; }
    const QString& Title() const { return mTitle; }
    const QString& Error() const { return mError; }
    TQelDataBase& DataBase() const { return *mDb; }
    const TQelMapTree& Tree() const { return mTree; }
    bool HasDataBase() const { return mDataBaseRead; }
    bool HasTree() const { return mTreeRead; }

private:
    QString mFolder;
    QString mTitle;
    QString mError;
    std::unique_ptr<TQelDataBase> mDb = std::make_unique<TQelDataBase>();
    TQelMapTree mTree;
    bool mDataBaseRead = false;
    bool mTreeRead = false;
};

} // namespace tarvel::runtime
