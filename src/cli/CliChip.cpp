// tarvel-cli chip CHIPSET_PICTURE NUMBER OUT.png [options]: draws one chip number as the map
// views and the chipset editor draw it, onto a black board of size x size pixels, and writes the
// board as a 24-bit PNG.
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <exception>

#include "CliCommon.h"
#include "graphics/GR_ChipSet.h"
#include "graphics/GraphicsPorts.h"
#include "graphics/PictureFile.h"
#include "graphics/PrismPng.h"

namespace tarvel::cli {

namespace {

const char* const kUsage = "chip CHIPSET_PICTURE NUMBER OUT.png [--size S] [--time T] [--speed 0|1] "
                           "[--sequence 0|1] [--transparent] [--dimmed]";

long parseNumber(const std::string& text, long min, long max) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || value < min || value > max) throw UsageError(kUsage);
    return value;
}

// The chipset picture is named by its path on the command line, not looked up as material.
class PathAsGiven : public MaterialLocatorPort {
public:
    std::string Locate(const std::string& name, const std::string&) override { return name; }
};

int RunChip(Arguments& args) {
    const int size = int(parseNumber(args.takeOption("--size", "16"), 1, 1024));
    const int time = int(parseNumber(args.takeOption("--time", "0"), 0, INT_MAX));
    const int speed = int(parseNumber(args.takeOption("--speed", "0"), 0, 1));
    const int sequence = int(parseNumber(args.takeOption("--sequence", "0"), 0, 1));
    const bool transparent = args.takeFlag("--transparent");
    const bool dimmed = args.takeFlag("--dimmed");
    const auto words = args.positional(3);
    const int number = int(parseNumber(words[1], -32768, 32767));

    // The renderer turns an unreadable picture into blank chips; a tool should say why instead.
    TBitmap picture;
    try {
        LoadPictureFile(picture, words[0]);
    } catch (const std::exception& e) {
        throw CommandError("chip", words[0] + ": " + e.what());
    }
    if (picture.PixelFormat() != TPixelFormat::pf8bit)
        throw CommandError("chip", words[0] + ": the chipset picture is not 256 colours");

    PathAsGiven locator;
    MaterialLocatorPort* previous = SetMaterialLocator(&locator);
    TChipSetLook record;
    record.graphicName = words[0];
    record.seaAnimation = sequence;
    record.seaSpeed = speed;
    TQelChipSetGraphic graphic;
    graphic.SetChipSet(&record);
    SetMaterialLocator(previous);
    graphic.SetTransparent(transparent);

    TPrismBoard board;
    board.SetSize(size, size);
    graphic.DrawChip(board, 0, time, number, dimmed, size, 0);
    try {
        WritePngFile(BoardToBitmap(board), words[2]);
    } catch (const std::exception& e) {
        throw CommandError("chip", words[2] + ": " + e.what());
    }
    return 0;
}

const Command kChipCommand{"chip", kUsage, RunChip};
const RegisterCommand kRegistered{kChipCommand};

} // namespace

} // namespace tarvel::cli
