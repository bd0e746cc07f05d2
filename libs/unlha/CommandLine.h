#pragma once

#include <string>
#include <vector>

namespace tarvel::unlha {

// How names in the sources are followed into folders.
enum class Recursion {
    None,     // -r0 (default): a named folder contributes the files directly inside it
    Patterns, // -r1, -r: named folders are archived whole, and patterns match in subfolders too
    Folders,  // -r2: named folders are archived whole; patterns match in their own folder only
};

// A command line of the archiver:
//   a [switches] ARCHIVE [switches] [@RESPONSE | NAME]...
// Words are separated by blanks; double quotes group blanks into a word and are removed.
// The command is "a" (create an archive; upper or lower case). Switches (any case):
//   -+ -+0 -+1       would ignore stored default settings; there are none here, so they do nothing
//   -r0 -r1 -r -r2   recursion into folders (see Recursion)
//   -d -d1 / -d0     store every archived folder as an entry of its own (-lhd-), so empty folders
//                    come back on extraction / do not. No switch ever deletes anything.
//   -n -n0 -n1 -n2   progress display; none is ever shown, so they do nothing
// Any other switch is refused. ARCHIVE is written exactly as named (no extension is added).
// "@path" names a response file (see ParseResponseText); a NAME outside one is relative to the
// current folder.
struct CommandLine {
    std::string archive;
    std::vector<std::string> responseFiles;
    std::vector<std::string> names;
    Recursion recursion = Recursion::None;
    bool storeFolders = false;
};

// Splits a source name into its parts ("/" or "\" between them). Returns an empty string when
// the name is usable, else why not: empty, absolute, with a ".." part, with a wildcard before its
// last part, or holding a byte that cannot be archived.
std::string SplitSourceName(const std::string& name, std::vector<std::string>& parts);

// Raises UnlhaError (UNLHA_ERROR_COMMAND_LINE) for a command line it cannot run.
CommandLine ParseCommandLine(const std::string& text);

// The sources under one base folder.
struct SourceGroup {
    std::string basePath; // empty: the current folder
    std::vector<std::string> names;
};

// A response file lists one entry a line. A line in double quotes ("/home/me/Game/") names the
// base folder of the lines after it; any other line names a folder, a file, or a pattern with ?
// (one character) and * (any run of characters) in its last part, such as "Map????.qmu",
// relative to that base folder ("/" or "\" between parts). Blank lines are skipped, blanks around
// a line are ignored, CR before LF and a leading UTF-8 byte order mark are accepted. Lines before
// the first base folder are relative to the current folder. Raises UnlhaError
// (UNLHA_ERROR_RESPONSE_FILE, naming the file and line) for a malformed line.
std::vector<SourceGroup> ParseResponseText(const std::string& text, const std::string& fileName);

// The contents of a response file (a regular file of at most 16 MiB); raises UnlhaError
// (UNLHA_ERROR_RESPONSE_FILE) when it cannot be read.
std::string ReadResponseFile(const std::string& path);

} // namespace tarvel::unlha
