#include "LD_Map.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "LD_Common.h"
#include "LD_Folders.h"

namespace tarvel {

// The layers are handed to the chunk encoding as raw 16-bit little-endian blocks.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "map layers are stored as little-endian cells");

const char* const MapFileHeader = "QelMapUnit";

namespace {

bool sizeInRange(int32_t width, int32_t height) {
    return width >= MinMapSize && width <= MaxMapSize && height >= MinMapSize && height <= MaxMapSize;
}

// The coordinate brought into 0..size-1 (size > 0).
int32_t wrapInto(int32_t value, int32_t size) {
    int32_t r = value % size;
    return r < 0 ? r + size : r;
}

} // namespace

std::string MapFileName(int32_t id) {
    char name[32];
    std::snprintf(name, sizeof name, "Map%.4d.qmu", id);
    return name;
}

std::string ProjectMapPath(int32_t id) {
    return CoreFolders::ProjectPath() + MapFileName(id);
}

std::string TempMapPath(int32_t id) {
    return CoreFolders::TempWorkFolder() + "/" + MapFileName(id);
}

void DeleteFileQuietly(const std::string& path) {
    std::error_code error;
    std::filesystem::remove(path, error);
}

// --- TQelMapLayer ---

void TQelMapLayer::InitLayer() {
    Width = 20;
    Height = 15;
    Cells.assign(static_cast<size_t>(Width * Height), FillChip);
}

void TQelMapLayer::ClearLayer() {
    std::fill(Cells.begin(), Cells.end(), FillChip);
}

int32_t TQelMapLayer::GetChip(int32_t x, int32_t y) const {
    if (WrapX && Width > 0) x = wrapInto(x, Width);
    if (WrapY && Height > 0) y = wrapInto(y, Height);
    if (x < 0 || y < 0 || x >= Width || y >= Height) return -1;
    return Cells[static_cast<size_t>(x) + static_cast<size_t>(y) * static_cast<size_t>(Width)];
}

void TQelMapLayer::SetChip(int32_t x, int32_t y, int32_t value) {
    if (x < 0 || y < 0 || x >= Width || y >= Height) return;
    Cells[static_cast<size_t>(x) + static_cast<size_t>(y) * static_cast<size_t>(Width)] =
        static_cast<uint16_t>(value);
}

void TQelMapLayer::AssignLayer(const TQelMapLayer& source) {
    if (&source == this) return;
    Width = source.Width;
    Height = source.Height;
    WrapX = source.WrapX;
    WrapY = source.WrapY;
    Cells = source.Cells;
    FillChip = source.FillChip;
}

void TQelMapLayer::ResizeLayer(int32_t width, int32_t height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == Width && height == Height && Cells.size() == static_cast<size_t>(width) * height) return;
    std::vector<uint16_t> cells(static_cast<size_t>(width) * static_cast<size_t>(height), FillChip);
    // The old grid's cells are only trusted as far as they exist.
    int32_t oldWidth = std::max(Width, 0);
    int32_t oldHeight =
        oldWidth > 0 ? static_cast<int32_t>(std::min<size_t>(std::max(Height, 0), Cells.size() / oldWidth))
                     : 0;
    int32_t copyWidth = std::min(width, oldWidth);
    int32_t copyHeight = std::min(height, oldHeight);
    for (int32_t y = 0; y < copyHeight; ++y)
        std::copy_n(Cells.begin() + static_cast<ptrdiff_t>(y) * oldWidth, copyWidth,
                    cells.begin() + static_cast<ptrdiff_t>(y) * width);
    Cells = std::move(cells);
    Width = width;
    Height = height;
}

// --- TQelMap ---

TQelMap::TQelMap(int32_t id) : TQelBaseMapUnit(id), mGraphics(std::make_unique<TQelMapGraphics>()) {}

TQelMap::~TQelMap() = default;

void TQelMap::DescribeLayer(TQelMapLayer& layer, TCatalogVarData& v, bool forLoad, const char* name) {
    if (v.DescribeOnly) {
    } else if (forLoad) {
        if (mLoadLimit >= 0) {
            // Reading a file: the size must be one a map can have, and the layer must fit in the
            // file at all, so a few broken bytes never make the reader allocate a large grid.
            if (!sizeInRange(Width, Height)) throw EReadError("Map size out of range");
            if (int64_t(Width) * Height * 2 > mLoadLimit) throw EReadError("Map layer larger than the file");
        }
        layer.ResizeLayer(Width, Height);
    } else if (Width >= 0 && Height >= 0 && Width <= MaxMapSize && Height <= MaxMapSize) {
        layer.ResizeLayer(Width, Height);
    }
    // The block is exactly the cells the layer holds: a chunk of any other length is skipped on
    // load, and a save never reads beyond the cells.
    v.Block(layer.Cells.data(), static_cast<int32_t>(layer.Cells.size() * 2), name, TFieldForm::UInt16Array);
}

void TQelMap::DescribeField(int id, TCatalogVarData& v, bool forLoad) {
    switch (id) {
    case 1:
        v.Integer(&ChipSetID, 1, "ChipSetID");
        break;
    case 2:
        v.Integer(&Width, 20, "Width");
        break;
    case 3:
        v.Integer(&Height, 15, "Height");
        break;
    case 11:
        v.Block(&ScrollType, 1, "ScrollType");
        break;
    case 31:
        v.Boolean(&UsePanorama, false, "UsePanorama");
        break;
    case 32:
        v.String(&PanoramaName, "PanoramaName");
        break;
    case 33:
        v.Boolean(&PanoramaHorzPan, false, "PanoramaHorzPan");
        break;
    case 34:
        v.Boolean(&PanoramaVertPan, false, "PanoramaVertPan");
        break;
    case 35:
        v.Boolean(&PanoramaHorzAuto, false, "PanoramaHorzAuto");
        break;
    case 36:
        v.Integer(&PanoramaHorzSpeed, 0, "PanoramaHorzSpeed");
        break;
    case 37:
        v.Boolean(&PanoramaVertAuto, false, "PanoramaVertAuto");
        break;
    case 38:
        v.Integer(&PanoramaVertSpeed, 0, "PanoramaVertSpeed");
        break;
    case 71:
        DescribeLayer(LowerLayer, v, forLoad, "LowerLayer");
        break;
    case 72:
        DescribeLayer(UpperLayer, v, forLoad, "UpperLayer");
        break;
    case 81:
        v.List(&Events, "Events");
        break;
    case 91:
        v.Integer(&SaveCount, 0, "SaveCount");
        break;
    }
}

void TQelMap::Reset() {
    TQelBaseMapUnit::Reset();
    LowerLayer.InitLayer();
    UpperLayer.InitLayer();
    // The layers follow the reset scroll type, so a map that looped before does not keep wrapping.
    SetScrollType(0);
    Modified = false;
}

void TQelMap::FitLayersToSize() {
    if (!sizeInRange(Width, Height)) {
        Width = LowerLayer.Width;
        Height = LowerLayer.Height;
    }
    LowerLayer.ResizeLayer(Width, Height);
    UpperLayer.ResizeLayer(Width, Height);
}

void TQelMap::LoadFromStream(TMemoryStream& stream) {
    mLoadLimit = stream.Size();
    try {
        TQelBaseMapUnit::LoadFromStream(stream);
    } catch (...) {
        mLoadLimit = -1;
        FitLayersToSize();
        SetScrollType(ScrollType);
        throw;
    }
    mLoadLimit = -1;
    bool valid = sizeInRange(Width, Height);
    FitLayersToSize();
    // The layers wrap as the loaded scroll type says, however the map was read (file, copy).
    SetScrollType(ScrollType);
    if (!valid) throw EReadError("Map size out of range");
}

void TQelMap::CloseMap() {
    Modified = false;
    ID = 0;
    Width = 0;
    Height = 0;
    LowerLayer.ResizeLayer(0, 0);
    UpperLayer.ResizeLayer(0, 0);
    Events.Clear();
    ChipSetID = 0;
}

void TQelMap::SetWidth(int32_t width) {
    LowerLayer.SetLayerWidth(width);
    UpperLayer.SetLayerWidth(width);
    Width = LowerLayer.Width;
}

void TQelMap::SetHeight(int32_t height) {
    LowerLayer.SetLayerHeight(height);
    UpperLayer.SetLayerHeight(height);
    Height = LowerLayer.Height;
}

void TQelMap::SetScrollType(int32_t scrollType) {
    ScrollType = static_cast<uint8_t>(scrollType);
    bool wrapX = ScrollType == 2 || ScrollType == 3;
    bool wrapY = ScrollType == 1 || ScrollType == 3;
    LowerLayer.WrapX = UpperLayer.WrapX = wrapX;
    LowerLayer.WrapY = UpperLayer.WrapY = wrapY;
}

void TQelMap::ShiftMap(int32_t dx, int32_t dy) {
    if (Width <= 0 || Height <= 0) return;
    TQelMapLayer lower, upper;
    lower.AssignLayer(LowerLayer);
    upper.AssignLayer(UpperLayer);
    lower.WrapX = lower.WrapY = upper.WrapX = upper.WrapY = true;
    // Computed in 64 bits and brought into the grid, so any shift is a plain rotation.
    int32_t sx = static_cast<int32_t>((int64_t(dx) % Width + Width) % Width);
    int32_t sy = static_cast<int32_t>((int64_t(dy) % Height + Height) % Height);
    for (int32_t y = 0; y < Height; ++y)
        for (int32_t x = 0; x < Width; ++x) {
            LowerLayer.SetChip(x, y, lower.GetChip(x - sx, y - sy));
            UpperLayer.SetChip(x, y, upper.GetChip(x - sx, y - sy));
        }
    for (const auto& item : Events) {
        auto& event = static_cast<TQelEventItem&>(*item);
        // An event beyond the edge (left there by a resize) lands on the map as well.
        event.X = static_cast<int32_t>(((int64_t(event.X) + sx) % Width + Width) % Width);
        event.Y = static_cast<int32_t>(((int64_t(event.Y) + sy) % Height + Height) % Height);
    }
}

void TQelMap::SaveToFileStream(TMemoryStream& stream) const {
    WriteVarString(stream, MapFileHeader);
    SaveToStream(stream);
}

void TQelMap::LoadFromFileStream(TMemoryStream& stream) {
    Reset();
    if (ReadVarString(stream) != MapFileHeader) throw EReadError();
    LoadFromStream(stream);
}

void TQelMap::ReadFile(const std::string& fileName) {
    Reset();
    TMemoryStream stream;
    stream.LoadFromFile(fileName);
    LoadFromFileStream(stream);
}

void TQelMap::LoadGraphics() {
    mGraphics->ReloadChipSet(ChipSetID);
    for (const auto& event : Events)
        for (const auto& page : static_cast<const TQelEventItem&>(*event).Pages) {
            const auto& charName = static_cast<const TQelEventPageItem&>(*page).CharName;
            if (!charName.empty()) mGraphics->CollectCharSet(charName);
        }
}

void TQelMap::LoadFromFile(const std::string& fileName) {
    Reset();
    try {
        std::error_code error;
        // Inside the editor a map that has no file yet is a new map.
        if (!EditorRunning() || std::filesystem::exists(fileName, error)) ReadFile(fileName);
    } catch (const EReadError&) {
        if (!EditorRunning()) throw;
    } catch (const EFileError&) {
        if (!EditorRunning()) throw;
    }
    // A missing or broken file still gets the graphics of what the map now holds, so the view
    // never shows the previous map's chipset.
    LoadGraphics();
}

void TQelMap::SaveToFile(const std::string& fileName) {
    // Counted in unsigned arithmetic, so a counter at its largest wraps instead of overflowing.
    SaveCount = static_cast<int32_t>(static_cast<uint32_t>(SaveCount) + 1u);
    try {
        TMemoryStream stream;
        SaveToFileStream(stream);
        stream.SaveToFile(fileName);
    } catch (...) {
        // Only a save that reached the disk is counted.
        SaveCount = static_cast<int32_t>(static_cast<uint32_t>(SaveCount) - 1u);
        throw;
    }
    Modified = false;
}

void TQelMap::LoadMap(int32_t id) {
    LoadFromFile(ProjectMapPath(id));
    ID = id;
}

void TQelMap::SaveMap(int32_t id) {
    SaveToFile(ProjectMapPath(id));
    ID = id;
}

void TQelMap::DeleteMap(int32_t id) {
    DeleteFileQuietly(ProjectMapPath(id));
    ID = id;
}

void TQelMap::LoadTempMap(int32_t id) {
    LoadFromFile(TempMapPath(id));
    ID = id;
}

void TQelMap::SaveTempMap(int32_t id) {
    std::error_code error;
    std::filesystem::create_directories(CoreFolders::TempWorkFolder(), error);
    SaveToFile(TempMapPath(id));
    ID = id;
}

void TQelMap::DeleteTempMap(int32_t id) {
    DeleteFileQuietly(TempMapPath(id));
    ID = id;
}

void TQelMap::ReloadChipSet() {
    mGraphics->ReloadChipSet(ChipSetID);
}

void TQelMap::SetGraphics(std::unique_ptr<TQelMapGraphics> graphics) {
    mGraphics = graphics ? std::move(graphics) : std::make_unique<TQelMapGraphics>();
}

} // namespace tarvel
