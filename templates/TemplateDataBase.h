#pragma once

#include <string>

namespace tarvel {

class TQelDataBase;

// The database every new project starts from ("QUORIN.qdb.dat" beside the editor): a small
// playable starter kit wired to the default runtime package. Eight heroes with faces, walk
// graphics, parameter curves and skills learned by level; their skills, weapons, armour and
// medicine; thirteen monsters with pictures and action patterns, met in monster groups laid out
// on the battle scene; the terrain of every ground the two chipsets show; attributes, conditions
// and battle animations; the two chipsets with terrain and passability per chip; the system
// record with title, game-over and system pictures, vehicles, music and sounds; every vocabulary
// text in English. Everything named here is a file of the package.
namespace starter {

// Fills the database (reset first). The result is the same on every run.
void FillTemplateDataBase(TQelDataBase& db);

// The file name the editor copies into a new project.
extern const char* const kTemplateFileName; // "QUORIN.qdb.dat"

} // namespace starter
} // namespace tarvel
