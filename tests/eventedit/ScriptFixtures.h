#pragma once

// Scripts for the event editing tests, written line by line as the command dialogs would write
// them.

#include <initializer_list>
#include <string>
#include <vector>

#include "data/LD_Event.h"

namespace tarvel::test {

struct Line {
    int32_t code;
    int32_t indent;
    std::string text = {};
    std::vector<int32_t> params = {};
};

inline void FillLines(TQelEventScriptList& list, std::initializer_list<Line> lines) {
    list.Clear();
    for (const Line& line : lines)
        list.Add(TQelEventScriptLine(line.code, line.indent, line.text, line.params));
}

// The codes and indents of a list, "code/indent" each, for comparing whole scripts at a glance.
inline std::vector<std::string> Shape(const TQelEventScriptList& list) {
    std::vector<std::string> shape;
    for (const auto& line : list)
        shape.push_back(std::to_string(line->Code) + "/" + std::to_string(line->Indent));
    return shape;
}

// A message over two lines, a choice whose first branch holds a fork with an else branch, a fork
// holding a fork, a one-line command and the end line.
inline void FillSampleScript(TQelEventScriptList& list) {
    FillLines(list, {
                        {10110, 0, "Hello"},                // 0
                        {20110, 0, "world"},                // 1
                        {10140, 0, "Yes/No", {2}},          // 2
                        {20140, 0, "Yes", {0}},             // 3
                        {12010, 1, "", {0, 1, 0, 0, 0, 1}}, // 4
                        {11410, 2, "", {10}},               // 5
                        {10, 2},                            // 6
                        {22010, 1},                         // 7
                        {12420, 2},                         // 8
                        {10, 2},                            // 9
                        {22011, 1},                         // 10
                        {10, 1},                            // 11
                        {20140, 0, "No", {1}},              // 12
                        {10, 1},                            // 13
                        {20141, 0},                         // 14
                        {12010, 0, "", {0, 2, 0, 0, 0, 0}}, // 15
                        {12010, 1, "", {0, 3, 0, 0, 0, 0}}, // 16
                        {10110, 2, "Inner"},                // 17
                        {10, 2},                            // 18
                        {22011, 1},                         // 19
                        {10, 1},                            // 20
                        {22011, 0},                         // 21
                        {11340, 0},                         // 22
                        {0, 0},                             // 23
                    });
}

} // namespace tarvel::test
