// tarvel-cli render-map PROJECTDIR MAPID OUT.png [options]: draws a project's map as the map view
// shows it in lower-layer mode with no drawing tool (both layers, the panorama where it lies behind
// the cells, start positions and events as marks), or in event mode with --events, and writes the
// picture as a 24-bit PNG. The map is drawn and written in bands of whole cell rows, compressed on
// every core, so even the largest map takes a few megabytes.
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string>

#include "CliCommon.h"
#include "CliMapProject.h"
#include "graphics/Bitmap.h"
#include "graphics/PngBandWriter.h"
#include "mapedit_core/MapEventMap.h"
#include "mapedit_core/MapRender.h"

namespace tarvel::cli {

namespace {

const char* const kUsage = "render-map PROJECTDIR MAPID OUT.png [--cell 32|16|8|4] [--events] [--rtp DIR]";

int runRenderMap(Arguments& args) {
    const std::string cellText = args.takeOption("--cell", "16");
    const bool eventMode = args.takeFlag("--events");
    const std::string rtp = args.takeOption("--rtp");
    const auto words = args.positional(3);
    if (cellText != "32" && cellText != "16" && cellText != "8" && cellText != "4") throw UsageError(kUsage);
    const int cell = std::atoi(cellText.c_str());
    const int32_t mapID = ParseMapID(words[1], kUsage);

    MapProject project = OpenMapProject(words[0], mapID, rtp, true, "render-map");
    TQelMap& map = *project.map;
    const int64_t width = int64_t(map.LowerLayer.Width) * cell,
                  height = int64_t(map.LowerLayer.Height) * cell;
    if (!PictureSizeAcceptable(uint64_t(width), uint64_t(height)))
        throw CommandError("render-map", "a picture of " + std::to_string(width) + " x " +
                                             std::to_string(height) +
                                             " pixels is too large; draw it with a smaller --cell");

    TQelMapTree noTree;
    TQelEventMap events;
    events.Build(project.tree ? *project.tree : noTree, map);
    TQelMapCellPainter painter;
    painter.SetMap(&map, &events);
    painter.LoadPanorama();
    TMapViewLook look;
    look.mode = eventMode ? 2 : 0;
    look.drawingTool = false;
    look.cellSize = cell;
    const int mapWidth = map.LowerLayer.Width, mapHeight = map.LowerLayer.Height;
    const int bandCells = std::max(1, TPngBandWriter::BandRows(int(width)) / cell);
    try {
        TPngBandWriter::Options options;
        options.cellPixels = cell;
        TPngBandWriter writer(words[2], int(width), int(height), options);
        TPrismBoard board;
        for (int top = 0; top < mapHeight; top += bandCells) {
            const int rows = std::min(bandCells, mapHeight - top);
            board.SetSize(int(width), rows * cell);
            painter.DrawCells(board, {0, top, mapWidth, top + rows}, 0, top * cell, look);
            writer.AddRows(board.Row(0), board.RowStride() / 2, rows * cell);
        }
        writer.Finish();
    } catch (const std::exception& e) {
        throw CommandError("render-map", words[2] + ": " + e.what());
    }
    return 0;
}

const Command kRenderMapCommand{"render-map", kUsage, runRenderMap};
const RegisterCommand kRegistered{kRenderMapCommand};

} // namespace

} // namespace tarvel::cli
