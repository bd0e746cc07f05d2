#include "SourceCollector.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <memory>
#include <set>
#include <sys/stat.h>
#include <unordered_map>
#include <utility>

#include "UnlhaError.h"

namespace tarvel::unlha {

namespace {

using FolderId = std::pair<dev_t, ino_t>;

[[noreturn]] void sourceError(const std::string& what, const std::string& path, int err) {
    throw UnlhaError(UNLHA_ERROR_SOURCE, "Unlha: " + what + " \"" + path + "\": " + std::strerror(err));
}

// The characters of a UTF-8 name, each a lead byte with its continuation bytes.
std::vector<std::string> characters(const std::string& text) {
    std::vector<std::string> result;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (!result.empty() && (c & 0xC0) == 0x80 && result.back().size() < 4)
            result.back() += text[i];
        else
            result.emplace_back(1, text[i]);
    }
    return result;
}

bool sameCharacter(const std::string& a, const std::string& b) {
    if (a.size() != 1 || b.size() != 1) return a == b;
    auto fold = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    return fold(a[0]) == fold(b[0]);
}

std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

// The names in a folder, sorted; raises UnlhaError when it cannot be listed.
std::vector<std::string> listFolder(const std::string& path) {
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(path.empty() ? "." : path.c_str()), ::closedir);
    if (!dir) sourceError("cannot read folder", path, errno);
    std::vector<std::string> names;
    errno = 0;
    while (dirent* entry = ::readdir(dir.get())) {
        std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
        errno = 0;
    }
    if (errno != 0) sourceError("cannot read folder", path, errno);
    std::sort(names.begin(), names.end());
    return names;
}

class Collector {
public:
    Collector(Recursion recursion, bool storeFolders) : mRecursion(recursion), mStoreFolders(storeFolders) {}

    void AddName(const std::string& base, const std::string& name) {
        std::vector<std::string> parts;
        std::string why = SplitSourceName(name, parts);
        if (!why.empty()) throw UnlhaError(UNLHA_ERROR_SOURCE, "Unlha: name \"" + name + "\" " + why);
        std::string folder = base, archiveFolder;
        for (size_t i = 0; i + 1 < parts.size(); ++i) {
            folder = joinPath(folder.empty() ? std::string(".") : folder, parts[i]);
            archiveFolder = joinPath(archiveFolder, parts[i]);
        }
        const std::string& last = parts.back();
        if (last.find_first_of("*?") != std::string::npos) {
            std::string where = folder.empty() ? std::string(".") : folder;
            struct stat info {};
            if (::stat(where.c_str(), &info) != 0) sourceError("cannot find folder", where, errno);
            if (!S_ISDIR(info.st_mode)) sourceError("cannot read folder", where, ENOTDIR);
            std::set<FolderId> walking{{info.st_dev, info.st_ino}};
            addPattern(where, archiveFolder, last, walking);
            return;
        }
        std::string source = joinPath(folder, last);
        struct stat info {};
        if (::stat(source.c_str(), &info) != 0) sourceError("cannot find", source, errno);
        std::string archivePath = joinPath(archiveFolder, last);
        if (S_ISREG(info.st_mode)) {
            add({source, archivePath, false, 0, 0});
        } else if (S_ISDIR(info.st_mode)) {
            std::set<FolderId> walking;
            addFolder(source, archivePath, info, mRecursion != Recursion::None, walking);
        } else {
            throw UnlhaError(UNLHA_ERROR_SOURCE, "Unlha: \"" + source + "\" is neither a file nor a folder");
        }
    }

    std::vector<ArchiveMember> Take() { return std::move(mMembers); }

private:
    void add(ArchiveMember member) {
        auto found = mIndex.find(member.archivePath);
        if (found == mIndex.end()) {
            mIndex.emplace(member.archivePath, mMembers.size());
            mMembers.push_back(std::move(member));
            return;
        }
        ArchiveMember& earlier = mMembers[found->second];
        if (earlier.folder != member.folder)
            throw UnlhaError(UNLHA_ERROR_SOURCE, "Unlha: \"" + member.archivePath +
                                                     "\" is a file in one source and a folder in another");
        if (!member.folder) earlier.source = member.source;
    }

    void addFolder(const std::string& source, const std::string& archivePath, const struct stat& info,
                   bool recurse, std::set<FolderId>& walking) {
        FolderId id{info.st_dev, info.st_ino};
        if (walking.count(id)) return; // a link back to a folder being walked
        walking.insert(id);
        if (mStoreFolders)
            add({source, archivePath, true, static_cast<uint32_t>(info.st_mode), info.st_mtime});
        for (const std::string& name : listFolder(source)) {
            std::string child = joinPath(source, name);
            struct stat childInfo {};
            if (::stat(child.c_str(), &childInfo) != 0) {
                if (errno == ENOENT) continue; // a dangling link, or gone since the listing
                sourceError("cannot read", child, errno);
            }
            if (S_ISREG(childInfo.st_mode))
                add({child, joinPath(archivePath, name), false, 0, 0});
            else if (S_ISDIR(childInfo.st_mode) && recurse)
                addFolder(child, joinPath(archivePath, name), childInfo, true, walking);
        }
        walking.erase(id);
    }

    void addPattern(const std::string& folder, const std::string& archiveFolder, const std::string& pattern,
                    std::set<FolderId>& walking) {
        for (const std::string& name : listFolder(folder)) {
            std::string child = joinPath(folder, name);
            struct stat info {};
            if (::stat(child.c_str(), &info) != 0) continue;
            if (S_ISREG(info.st_mode) && MatchesWildcard(pattern, name)) {
                add({child, joinPath(archiveFolder, name), false, 0, 0});
            } else if (S_ISDIR(info.st_mode) && mRecursion == Recursion::Patterns) {
                FolderId id{info.st_dev, info.st_ino};
                if (walking.count(id)) continue;
                walking.insert(id);
                addPattern(child, joinPath(archiveFolder, name), pattern, walking);
                walking.erase(id);
            }
        }
    }

    Recursion mRecursion;
    bool mStoreFolders;
    std::vector<ArchiveMember> mMembers;
    std::unordered_map<std::string, size_t> mIndex;
};

} // namespace

bool MatchesWildcard(const std::string& pattern, const std::string& name) {
    const std::vector<std::string> p = characters(pattern), n = characters(name);
    size_t pi = 0, ni = 0, starP = std::string::npos, starN = 0;
    while (ni < n.size()) {
        if (pi < p.size() && p[pi] == "*") {
            starP = pi++;
            starN = ni;
        } else if (pi < p.size() && (p[pi] == "?" || sameCharacter(p[pi], n[ni]))) {
            ++pi;
            ++ni;
        } else if (starP != std::string::npos) {
            pi = starP + 1;
            ni = ++starN;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == "*")
        ++pi;
    return pi == p.size();
}

std::vector<ArchiveMember> CollectMembers(const std::vector<SourceGroup>& groups, Recursion recursion,
                                          bool storeFolders) {
    Collector collector(recursion, storeFolders);
    for (const SourceGroup& group : groups)
        for (const std::string& name : group.names)
            collector.AddName(group.basePath, name);
    return collector.Take();
}

} // namespace tarvel::unlha
