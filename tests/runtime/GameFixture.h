#pragma once

#include <QString>
#include <string>

namespace tarvel::test {

// The runtime package installed once per test run (tarvel-cli install-rtp into the test home,
// which also points the test's settings at it); returns its folder.
const QString& InstalledPackage();

// A project made as the editor makes it (tarvel-cli new-project with the templates beside the
// programs); returns its folder, ending in "/". Fails the test when the tool fails.
QString MakeProject(const QString& folderName, const QString& title);

// Paints the project's first map into a small village around the party's start at (50, 51): grass,
// a lake with deep water and the boat, a road, a house, trees, a fence, a well, a villager and a
// chest; sets the party's and the boat's start positions.
void PaintVillage(const QString& projectFolder);
// The chip number of an upper chip of the generated grassland chipset by its name ("Tree 1-1").
int GrasslandUpperChip(const std::string& name);

constexpr int kVillageStartX = 50;
constexpr int kVillageStartY = 51;

} // namespace tarvel::test
