#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "CommandLine.h"

namespace tarvel::unlha {

// One entry of the archive to be: where it comes from and its path inside the archive.
struct ArchiveMember {
    std::string source;
    std::string archivePath; // relative, "/" between parts
    bool folder = false;
    uint32_t mode = 0; // of a folder (files are stat'ed again when read)
    int64_t mtime = 0;
};

// True when name matches pattern: "?" stands for one character (a whole UTF-8 sequence), "*" for
// any run of characters; letters A-Z match either case, as on the systems the format comes from.
bool MatchesWildcard(const std::string& pattern, const std::string& name);

// Walks the sources in order: every folder before what it holds, each folder's entries sorted by
// name. A named file or folder that is missing, unreadable, or neither a file nor a folder raises
// UnlhaError (UNLHA_ERROR_SOURCE); a pattern that matches nothing adds nothing. Inside folders,
// entries other than files and folders (pipes, sockets, devices) and links back to a folder being
// walked are passed over. When two sources give the same archive path, the later one's file is
// archived at the earlier one's place, so a project file wins over the runtime package's.
std::vector<ArchiveMember> CollectMembers(const std::vector<SourceGroup>& groups, Recursion recursion,
                                          bool storeFolders);

} // namespace tarvel::unlha
