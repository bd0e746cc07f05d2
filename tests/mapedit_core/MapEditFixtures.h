#pragma once

#include <QDir>
#include <QString>
#include <string>
#include <vector>

#include "SampleChipSet.h"
#include "TestEnvironment.h"
#include "data/LD_DataBase.h"
#include "data/LD_Map.h"
#include "data/LD_MapTree.h"
#include "graphics/PictureFile.h"
#include "mapedit_core/MapEditUtils.h"

namespace tarvel::test {

// Chips the edit tests paint with.
constexpr int Grass = 5000; // a plain lower chip
constexpr int Stone = 5018;
constexpr int AutotileA = 4049; // ground autotile 1 (kind 6), palette form
constexpr int AutotileB = 4099; // ground autotile 2 (kind 7)
constexpr int WaterA = 49;
constexpr int DeepWater = 2049;

// A map of width x height cells whose lower layer is all one chip and a painter on it with a
// 1 x 1 brush.
struct PaintFixture {
    TQelMap map;
    TQelCurrentChip brush;
    TQelMapPainter painter{map};

    explicit PaintFixture(int width = 7, int height = 6, int lower = Grass) {
        map.Reset();
        map.SetWidth(width);
        map.SetHeight(height);
        for (auto& c : map.LowerLayer.Cells)
            c = uint16_t(lower);
        painter.SetBrush(brush);
    }
    // A press of the pen with a one-chip brush.
    void place(int x, int y, int chip, TEditKeys keys = {}) {
        brush = TQelCurrentChip(chip);
        painter.SetAnchor({x, y});
        painter.PlaceBrushChip(x, y, keys);
    }
    int lower(int x, int y) const { return map.LowerLayer.GetChip(x, y); }
    int upper(int x, int y) const { return map.UpperLayer.GetChip(x, y); }
    // The lower layer's rows as text, for readable failures.
    std::string rows(const TRect& r) const {
        std::string s;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x)
                s += std::to_string(lower(x, y)) + " ";
            s += "\n";
        }
        return s;
    }
};

// Writes the sample chipset picture and returns its path.
inline std::string WriteSampleChipSet(const QString& folder, const QString& name = "Sample.png") {
    QDir().mkpath(folder);
    const std::string path = (folder + "/" + name).toStdString();
    SavePictureFile(SampleChipSetPicture(), path);
    return path;
}

// A project for the map subcommands: a database whose chipset 1 is "Sample" (in ChipSet/ when
// withPicture), a map tree holding map 1 with the start positions of tree, and map 1.
inline void WriteSampleProject(const QString& folder, TQelMap& map, const TQelMapTree* startTree = nullptr,
                               bool withPicture = true) {
    {
        TQelDataBase db;
        db.ChipSets().Find(1)->GraphicName = "Sample";
        db.Save(folder.toStdString() + "/");
    }
    if (withPicture) WriteSampleChipSet(folder + "/ChipSet");
    TQelMapTree tree;
    tree.AddNode(0, 0)->Name = "Sample";
    tree.AddMapNode(0, 1)->Name = "MAP0001";
    if (startTree) {
        for (int i = 0; i < TQelMapStartPosition::Objects; ++i) {
            tree.StartPositions.SetStartMap(i, startTree->StartPositions.StartMap(i));
            tree.StartPositions.SetStartX(i, startTree->StartPositions.StartX(i));
            tree.StartPositions.SetStartY(i, startTree->StartPositions.StartY(i));
        }
    }
    TMemoryStream stream;
    tree.SaveToFileStream(stream);
    stream.SaveToFile(folder.toStdString() + "/" + MapTreeFileName);
    map.SaveToFile(folder.toStdString() + "/" + MapFileName(1));
}

// A map of width x height grass cells.
inline void ResetGrassMap(TQelMap& map, int width, int height) {
    map.Reset();
    map.SetWidth(width);
    map.SetHeight(height);
    for (auto& c : map.LowerLayer.Cells)
        c = uint16_t(Grass);
}

} // namespace tarvel::test
