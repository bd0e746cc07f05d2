#pragma once

// The map: two layers of chip numbers, the map's settings and its events, stored one map per file
// ("Map%.4d.qmu" in the project folder, or as a working copy in the temporary folder).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "LD_Event.h"
#include "records/Catalog.h"

namespace tarvel {

// The header of a map file (a counted string).
extern const char* const MapFileHeader;

// The sizes a map file may declare; anything else is a broken file. The map editor itself keeps
// maps between 20 x 15 and 500 x 500.
constexpr int32_t MinMapSize = 1;
constexpr int32_t MaxMapSize = 500;

// The chips new and cleared cells get: nothing on the lower layer, the empty upper chip above.
constexpr uint16_t LowerFillChip = 0;
constexpr uint16_t UpperFillChip = 10000;

// "Map%.4d.qmu" for a map ID.
std::string MapFileName(int32_t id);
// The map's file in the project folder and its working copy in the temporary folder.
std::string ProjectMapPath(int32_t id);
std::string TempMapPath(int32_t id);
// Deletes a file; a file that is not there (or cannot be deleted) is no error.
void DeleteFileQuietly(const std::string& path);

// A rectangular grid of 16-bit chip numbers. Reads outside the grid may wrap around (for looping
// maps); writes outside it are ignored.
class TQelMapLayer {
public:
    int32_t Width = 0;
    int32_t Height = 0;
    bool WrapX = false;
    bool WrapY = false;
    // Row by row: cell (x, y) at x + y * Width.
    std::vector<uint16_t> Cells;
    // The chip that new and cleared cells get.
    uint16_t FillChip = 0;

    explicit TQelMapLayer(uint16_t fillChip = 0) : FillChip(fillChip) {}

    // 20 x 15 cells, all FillChip.
    void InitLayer();
    void ClearLayer();
    // The cell's chip. Outside the grid a wrapping direction brings the coordinate back into the
    // grid; what is still outside reads -1.
    int32_t GetChip(int32_t x, int32_t y) const;
    // Stores the low 16 bits; ignored outside the grid (writes never wrap).
    void SetChip(int32_t x, int32_t y, int32_t value);
    // Size, cells, wrap flags and fill chip.
    void AssignLayer(const TQelMapLayer& source);
    // A new grid filled with FillChip, into which every cell inside both the old and the new grid
    // is copied at the same (x, y): the content stays anchored at the top-left corner. A negative
    // size counts as 0.
    void ResizeLayer(int32_t width, int32_t height);
    void SetLayerWidth(int32_t width) { ResizeLayer(width, Height); }
    void SetLayerHeight(int32_t height) { ResizeLayer(Width, height); }
};

// What a map draws with: its chipset picture and the character sets its event pages show. The
// editor plugs the real renderer and cache in; without them (tools, tests, a map that is only
// copied) nothing is drawn and these calls do nothing.
class TQelMapGraphics {
public:
    virtual ~TQelMapGraphics() = default;
    // Re-reads the chipset picture of the chipset record with this ID.
    virtual void ReloadChipSet(int32_t chipSetID) {}
    // Makes sure the character set of this name is in the cache.
    virtual void CollectCharSet(const std::string& charName) {}
};

// A map as a unit of the project: a record that knows whether it was changed and how to read and
// write itself as a file.
class TQelBaseMapUnit : public TCatalogItem {
public:
    // Set by every edit; cleared by Reset and by a successful save.
    bool Modified = false;

    using TCatalogItem::TCatalogItem;
    virtual void LoadFromFile(const std::string& fileName) = 0;
    virtual void SaveToFile(const std::string& fileName) = 0;
};

// One map. The name is not part of the map file (map names live in the map tree); ID is the
// number in the file name.
class TQelMap : public TQelBaseMapUnit {
public:
    int32_t ChipSetID = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    uint8_t ScrollType = 0; // 0 none, 1 vertical loop, 2 horizontal loop, 3 both
    bool UsePanorama = false;
    std::string PanoramaName;
    bool PanoramaHorzPan = false;
    bool PanoramaVertPan = false;
    bool PanoramaHorzAuto = false;
    int32_t PanoramaHorzSpeed = 0;
    bool PanoramaVertAuto = false;
    int32_t PanoramaVertSpeed = 0;
    TQelMapLayer LowerLayer{LowerFillChip};
    TQelMapLayer UpperLayer{UpperFillChip};
    TQelEvent Events;
    // Counts the saves of this map to a file, working copies included.
    int32_t SaveCount = 0;

    // A map object with every field 0 and empty layers: it holds no map until it is loaded or
    // reset (the editor's single map starts like this, as "no map open").
    explicit TQelMap(int32_t id = 0);
    ~TQelMap() override;

    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
    // A new 20 x 15 map: every field at its reset value, both layers filled, no events, not
    // modified, never saved.
    void Reset() override;
    // Reads the record; afterwards the layers always match Width x Height and wrap as ScrollType
    // says. A size outside 1..500, or a layer larger than the whole stream, is a read error (the
    // map is then left with the size its layers have).
    void LoadFromStream(TMemoryStream& stream) override;

    // The state in which no map is open: not modified, ID 0, 0 x 0, no events, chipset 0.
    void CloseMap();
    // Resize both layers (top-left anchored) and store the size. Events stay where they are.
    void SetWidth(int32_t width);
    void SetHeight(int32_t height);
    // Stores the type and makes the layers wrap horizontally for 2 and 3, vertically for 1 and 3.
    void SetScrollType(int32_t scrollType);
    // Rotates the content by (dx, dy) with wrap-around; events move along, modulo the map size.
    void ShiftMap(int32_t dx, int32_t dy);

    // Inside the editor a missing file gives a new map and a broken one keeps what was read, both
    // without an error; outside it both raise. Afterwards the chipset picture and the character
    // sets of the event pages are loaded.
    void LoadFromFile(const std::string& fileName) override;
    // Counts the save, then writes the file (through a temporary file and a rename); clears
    // Modified when it is written.
    void SaveToFile(const std::string& fileName) override;
    // Reads a map file and raises on every error, also inside the editor; the graphics are not
    // touched. For copies that must be sound before they replace anything.
    void ReadFile(const std::string& fileName);
    // The file's bytes: header and record. Nothing is counted.
    void SaveToFileStream(TMemoryStream& stream) const;
    // Reads the header and the record from the stream's position; raises EReadError on a wrong
    // header or a broken record.
    void LoadFromFileStream(TMemoryStream& stream);

    // The project's map file of that ID (load, save, delete); the map then has that ID.
    void LoadMap(int32_t id);
    void SaveMap(int32_t id);
    void DeleteMap(int32_t id);
    // The same on the working copy in the temporary folder (created when missing).
    void LoadTempMap(int32_t id);
    void SaveTempMap(int32_t id);
    void DeleteTempMap(int32_t id);

    // Re-reads the chipset picture for ChipSetID.
    void ReloadChipSet();
    TQelMapGraphics& Graphics() const { return *mGraphics; }
    // Plugs in the chipset renderer and character-set cache (none: nothing is drawn).
    void SetGraphics(std::unique_ptr<TQelMapGraphics> graphics);

private:
    // Brings the layers in step with Width x Height after a read; a size out of range is given up
    // for the size the layers have.
    void FitLayersToSize();
    // Describes one layer chunk, sizing the layer to the map first.
    void DescribeLayer(TQelMapLayer& layer, TCatalogVarData& v, bool forLoad, const char* name);
    // The graphics of what was just loaded.
    void LoadGraphics();

    std::unique_ptr<TQelMapGraphics> mGraphics;
    // While a stream is read: its size, which no layer may exceed; -1 otherwise.
    int64_t mLoadLimit = -1;
};

} // namespace tarvel
