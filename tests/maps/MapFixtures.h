#pragma once

// Shared pieces of the map and map-tree tests: a project folder and a temporary folder of their
// own per test, and map files as bytes.

#include <QDir>
#include <QFile>
#include <QString>
#include <gtest/gtest.h>

#include "BytesHelper.h"
#include "TestEnvironment.h"
#include "data/LD_Common.h"
#include "data/LD_Folders.h"
#include "data/LD_Map.h"

namespace tarvel::test {

// Every test gets an empty project folder and an empty temporary folder of its own.
class ProjectFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        mProject = MakeTempFolder("project");
        mTemp = MakeTempFolder("temp") + "/TARVEL_TEMP";
        QDir().mkpath(mTemp);
        CoreFolders::SetProjectPath(mProject.toStdString());
        CoreFolders::SetTempWorkFolder(mTemp.toStdString());
    }
    void TearDown() override {
        CoreFolders::SetProjectPath("");
        CoreFolders::SetTempWorkFolder("");
    }

    std::string projectFile(const std::string& name) const { return mProject.toStdString() + "/" + name; }
    std::string tempFile(const std::string& name) const { return mTemp.toStdString() + "/" + name; }
    static bool exists(const std::string& path) { return QFile::exists(QString::fromStdString(path)); }
    static Bytes fileBytes(const std::string& path) {
        QByteArray data = ReadFile(QString::fromStdString(path));
        return Bytes(data.begin(), data.end());
    }
    static void writeBytes(const std::string& path, const Bytes& bytes) {
        WriteFile(QString::fromStdString(path),
                  QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size())));
    }

    QString mProject;
    QString mTemp;
};

// A map file's bytes: header and record.
inline Bytes MapFileBytes(const TQelMap& map) {
    TMemoryStream stream;
    map.SaveToFileStream(stream);
    return stream.Bytes();
}

// A map with something on both layers, an event with two pages and some panorama settings.
inline void FillSampleMap(TQelMap& map, int32_t width = 20, int32_t height = 15) {
    map.Reset();
    map.SetWidth(width);
    map.SetHeight(height);
    map.ChipSetID = 3;
    map.UsePanorama = true;
    map.PanoramaName = "Sky";
    map.PanoramaHorzPan = true;
    map.PanoramaHorzSpeed = -4;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            map.LowerLayer.SetChip(x, y, x + 100 * y);
            map.UpperLayer.SetChip(x, y, 10000 + (x + y) % 7);
        }
    auto* event = map.Events.FindOrCreate(4);
    event->Name = "Door";
    event->X = 2;
    event->Y = 3;
    event->Pages.FindOrCreate(1)->CharName = "Hero1";
    auto* page = event->Pages.FindOrCreate(2);
    page->Script.Clear();
    page->Script.Add(TQelEventScriptLine(10110, 0, "Hello", {0}));
    page->Script.Add(TQelEventScriptLine(0, 0));
}

} // namespace tarvel::test
