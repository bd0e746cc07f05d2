#pragma once

// Script lines on the clipboard (format 566): a 32-bit little-endian byte count followed by the
// lines in the script encoding. Reading checks more than the bytes: a block whose lines do not
// form whole commands (a fork without its end line, a choice whose labels do not match its
// choices, a body without its closing empty line, a stray label or end line) is refused, so a
// paste never leaves a script that the list, the renderer or the runtime cannot walk.

#include <cstdint>
#include <vector>

#include "LD_Event.h"

namespace tarvel {

// The block for the lines, in order.
std::vector<uint8_t> ScriptLinesBlock(const TQelEventScriptList& lines);

// Decodes a block into lines. False, with the lines left empty, when the block is damaged: shorter
// than its header, its byte count beyond the block, its lines cut short, no lines at all, or
// lines that are not whole commands (IsWholeCommandRun). Bytes after the counted ones are ignored.
bool ReadScriptLinesBlock(const std::vector<uint8_t>& block, TQelEventScriptList& lines);

// Whether the lines are a run of whole commands at the first line's indent: every head has the
// continuation, label and end lines its parameters call for, at its own indent and in order;
// every body lies one level deeper and ends with an empty line (code 10) at its own level; no
// label, end or empty line stands where a command should begin.
bool IsWholeCommandRun(const TQelEventScriptList& lines);

} // namespace tarvel
