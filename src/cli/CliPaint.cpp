// tarvel-cli paint PROJECTDIR MAPID [options] OP...: paints a project's map by the editor's rules
// (auto-connection with the chipset's links, shapes, fill, Shift and Ctrl) and writes it back, or
// prints a rectangle of the painted layer.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "CliCommon.h"
#include "CliMapProject.h"
#include "graphics/PrismSheet.h"
#include "mapedit_core/MapEditUtils.h"

namespace tarvel::cli {

namespace {

const char* const kUsage =
    "paint PROJECTDIR MAPID [--upper] [--shift] [--ctrl] [--rtp DIR] [--print X1,Y1,X2,Y2] OP... "
    "with OP pen:X,Y:CHIP | brush:X,Y:W,H:CHIP,... | rect:X1,Y1,X2,Y2:CHIP | ellipse:X1,Y1,X2,Y2:CHIP | "
    "fill:X,Y:CHIP";

// The farthest a coordinate may lie outside a map of the largest size.
constexpr long kCoordinateLimit = 100000;

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t at = text.find(separator, start);
        parts.push_back(text.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos) return parts;
        start = at + 1;
    }
}

class OpError : public UsageError {
public:
    OpError(const std::string& op, const std::string& why)
        : UsageError(std::string(kUsage) + "\n  (in \"" + op + "\": " + why + ")") {}
};

long number(const std::string& text, long min, long max, const std::string& op) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0)
        throw OpError(op, "\"" + text + "\" is not a whole number");
    if (value < min || value > max)
        throw OpError(op, text + " is outside " + std::to_string(min) + ".." + std::to_string(max));
    return value;
}

std::vector<int> numbers(const std::string& text, size_t count, long min, long max, const std::string& op) {
    const std::vector<std::string> parts = split(text, ',');
    if (parts.size() != count)
        throw OpError(op,
                      "\"" + text + "\" should be " + std::to_string(count) + " numbers separated by commas");
    std::vector<int> values;
    for (const std::string& part : parts)
        values.push_back(int(number(part, min, max, op)));
    return values;
}

struct Op {
    TMapTool tool = mtPen;
    TPoint start, end;
    TQelCurrentChip brush;
    bool moves = false;
};

Op parseOp(const std::string& text, bool upper) {
    const std::vector<std::string> fields = split(text, ':');
    const std::string& kind = fields[0];
    const long minChip = upper ? 10000 : 0, maxChip = upper ? 19999 : 5143;
    auto chip = [&](const std::string& field) { return int(number(field, minChip, maxChip, text)); };
    auto point = [&](const std::string& field) {
        const auto v = numbers(field, 2, -kCoordinateLimit, kCoordinateLimit, text);
        return TPoint{v[0], v[1]};
    };
    Op op;
    if ((kind == "pen" || kind == "fill") && fields.size() == 3) {
        op.tool = kind == "pen" ? mtPen : mtFill;
        op.start = point(fields[1]);
        op.brush = TQelCurrentChip(chip(fields[2]));
        return op;
    }
    if ((kind == "rect" || kind == "ellipse") && fields.size() == 3) {
        op.tool = kind == "rect" ? mtRectangle : mtEllipse;
        const auto v = numbers(fields[1], 4, -kCoordinateLimit, kCoordinateLimit, text);
        op.start = {v[0], v[1]};
        op.end = {v[2], v[3]};
        op.moves = true;
        op.brush = TQelCurrentChip(chip(fields[2]));
        return op;
    }
    if (kind == "brush" && fields.size() == 4) {
        op.start = point(fields[1]);
        const auto size = numbers(fields[2], 2, 1, TQelCurrentChip::MaxSize, text);
        const std::vector<std::string> chips = split(fields[3], ',');
        if (chips.size() != size_t(size[0] * size[1]))
            throw OpError(text, "a brush of " + std::to_string(size[0]) + " x " + std::to_string(size[1]) +
                                    " needs " + std::to_string(size[0] * size[1]) + " chips");
        op.brush.SetSize(size[0], size[1]);
        for (int i = 0; i < size[0] * size[1]; ++i)
            op.brush.SetChip(i % size[0], i / size[0], chip(chips[size_t(i)]));
        return op;
    }
    throw OpError(text, "unknown operation or wrong number of fields");
}

void printGrid(const TQelMapLayer& layer, TPoint a, TPoint b) {
    const TRect r = CellRect(a, b);
    std::vector<std::string> cells;
    size_t width = 1;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const bool inside = x >= 0 && y >= 0 && x < layer.Width && y < layer.Height;
            cells.push_back(std::to_string(inside ? layer.GetChip(x, y) : -1));
            width = std::max(width, cells.back().size());
        }
    size_t i = 0;
    for (int y = r.top; y < r.bottom; ++y) {
        std::string line;
        for (int x = r.left; x < r.right; ++x, ++i) {
            if (x > r.left) line += ' ';
            line += std::string(width - cells[i].size(), ' ') + cells[i];
        }
        std::printf("%s\n", line.c_str());
    }
}

int runPaint(Arguments& args) {
    const bool upper = args.takeFlag("--upper");
    const TEditKeys keys{args.takeFlag("--shift"), args.takeFlag("--ctrl")};
    const std::string rtp = args.takeOption("--rtp");
    const bool print = args.hasOption("--print");
    std::vector<int> printRect;
    if (print) {
        const std::string text = args.takeOption("--print");
        printRect = numbers(text, 4, -kCoordinateLimit, kCoordinateLimit, "--print " + text);
    }
    const std::vector<std::string> words = args.positionalAtLeast(2);
    if (words.size() < 3 && !print) throw UsageError(kUsage);
    const int32_t mapID = ParseMapID(words[1], kUsage);
    std::vector<Op> ops;
    for (size_t i = 2; i < words.size(); ++i)
        ops.push_back(parseOp(words[i], upper));

    MapProject project = OpenMapProject(words[0], mapID, rtp, false, "paint");
    TQelMap& map = *project.map;
    TQelMapPainter painter(map);
    painter.SetLayer(upper ? TEditLayer::Upper : TEditLayer::Lower);
    TQelMapEditUndoManager undo;
    for (const Op& op : ops) {
        painter.SetBrush(op.brush);
        TQelPaintStroke stroke(painter);
        stroke.Begin(op.tool, op.start, {0, 0}, keys);
        if (op.moves) stroke.MoveTo(op.end, keys);
        stroke.End(undo);
    }

    if (print) {
        printGrid(upper ? map.UpperLayer : map.LowerLayer, {printRect[0], printRect[1]},
                  {printRect[2], printRect[3]});
        return 0;
    }
    try {
        map.SaveToFile(project.mapPath);
    } catch (const std::exception& e) {
        throw CommandError("paint", project.mapPath + ": " + e.what());
    }
    return 0;
}

const Command kPaintCommand{"paint", kUsage, runPaint};
const RegisterCommand kRegistered{kPaintCommand};

} // namespace

} // namespace tarvel::cli
