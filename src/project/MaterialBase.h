#pragma once

// The work of the material manager without its windows: the size rules of imported pictures,
// the file dialog filters of each kind, importing a file into a project's kind folder (pictures
// reduced to 256 colours, given their transparent colour as palette index 0 and saved as PNG or
// XYZ; movies, music and sounds copied as they are), exporting any material and deleting project
// material.

#include <QString>
#include <QStringList>
#include <stdexcept>

#include "graphics/Bitmap.h"
#include "platform/Material.h"

class QImage;

namespace tarvel {

// The messages of the material manager, as the user sees them.
namespace MaterialMessage {
constexpr const char* BadBitmapSize = "Bad bitmap size";
// Formatted with the file name including its extension.
constexpr const char* AskErase = "Erase %1. Ok?";
constexpr const char* EraseFailed = "File erase failed";
} // namespace MaterialMessage

// A material file that cannot be imported as it is; the message is the user's.
class EMaterialError : public std::runtime_error {
public:
    explicit EMaterialError(const std::string& message) : std::runtime_error(message) {}
};

// The format imported pictures are saved in: the radio group "Import from".
enum class MaterialSaveFormat { Png = 0, Xyz = 1 };

// The sizes a picture of an image kind may have, and whether the kind has a transparent colour
// that the user picks on import.
struct MaterialSizeRule {
    const char* kind;
    int minWidth, minHeight, maxWidth, maxHeight;
    bool transparent;
    bool Fits(int width, int height) const {
        return width >= minWidth && width <= maxWidth && height >= minHeight && height <= maxHeight;
    }
    // The sentence that tells the user which sizes the kind takes.
    QString NeededSize() const;
};
// The rule of an image kind; nullptr for "Movie", "Music" and "Sound", which are copied unchecked.
const MaterialSizeRule* ImportSizeRule(const QString& kind);
bool IsImageKind(const QString& kind);

// The file dialog filters, as resource texts ("Description|patterns|" pairs), and the default
// extensions (without the dot).
QString ImportFilterText(const QString& kind);
QString ImportDefaultExtension(const QString& kind);
// The export filter of a kind for the material's file (movies and music follow its extension).
QString ExportFilterText(const QString& kind, const QString& materialFile);
// The material file's own extension in lower case; "bmp" for pictures.
QString ExportDefaultExtension(const QString& kind, const QString& materialFile);
// A resource filter text in the form a Qt file dialog takes: one entry per pair, the patterns
// separated by blanks ("Movie files (*.avi *.mpg)").
QStringList DialogFilters(const QString& filterText);
// The extension (without the dot) of the first pattern of a dialog filter ("png" for
// "PNG file (*.png)"), or empty.
QString FilterExtension(const QString& dialogFilter);

// The process-wide choices the manager keeps for the rest of the run.
struct MaterialManagerOptions {
    int kind = 0; // index into MaterialFolders()
    MaterialSaveFormat saveFormat = MaterialSaveFormat::Png;
};
MaterialManagerOptions& RememberedMaterialOptions();

// The material name of an imported file: its name without the extension.
QString ImportedMaterialName(const QString& file);

// Copies a movie, music or sound file into the kind folder under its own file name, overwriting;
// the copy is writable whatever the source was. Returns the copy's path. Raises EFileError.
QString ImportPlainMaterial(const QString& file, const QString& kindFolder);

// Reads a picture for import and converts it to 8 bits per pixel (256 colours): XYZ through the
// project's reader, anything else (PNG of every colour type, depth and interlacing, BMP of any
// depth, GIF, JPEG) through the platform's image readers. Raises the reader's error
// (EPictureError, EFileError).
TBitmap LoadImportPicture(const QString& file);
// A picture as the import stores it: 256 colours or fewer kept exactly (the top-left colour
// first), more reduced with dithering; pixels more than half transparent become palette entry 0,
// a colour of its own, and the opaque ones take entries 1 to 255.
TBitmap ImportBitmapOf(const QImage& image);
// Raises EMaterialError("Bad bitmap size", then on a second line the sizes the kind takes) when
// the picture breaks its kind's size rule.
void CheckImportSize(const QString& kind, const TBitmap& picture);
// Makes palette entry `index` the transparent colour: entries 0 and index change places and so do
// the pixels that use them, so the picture looks the same. Index 0 changes nothing.
void MoveColorToIndexZero(TBitmap& picture, int index);
// Writes the picture into the kind folder as name + ".png" or ".xyz", overwriting. Returns the
// path written.
QString SaveImportedPicture(const TBitmap& picture, const QString& kindFolder, const QString& name,
                            MaterialSaveFormat format);

// Writes a material file to the chosen destination: pictures are read and written in the format
// the destination's extension names; other kinds are copied, writable. Raises the reader's or
// writer's error.
void ExportMaterial(const QString& kind, const QString& materialFile, const QString& destination);

// The file "Delete..." would erase for a list entry: the entry's material name resolved (project
// first); empty when nothing is to be deleted: the file lies in the runtime package's kind folder,
// or the name names no file any more.
QString DeletableMaterialFile(const QString& kind, const QString& entry,
                              const MaterialRoots& roots = MaterialRoots::Current());

} // namespace tarvel
