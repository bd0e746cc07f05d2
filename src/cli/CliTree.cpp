// tarvel-cli tree PROJECTDIR: the project's map tree as the editor shows it, one node per line in
// display order, indented by level: "ID kind name".
#include <cstdio>

#include "CliCommon.h"
#include "JsonMaps.h"

namespace tarvel::cli {

namespace {

const char* const kUsage = "tree PROJECTDIR";

int runTree(Arguments& args) {
    std::string folder = args.positional(1)[0];
    std::string path = folder + (folder.empty() || folder.back() == '/' ? "" : "/") + MapTreeFileName;
    TQelMapTree tree;
    try {
        TMemoryStream stream;
        stream.LoadFromFile(path);
        tree.LoadFromFileStream(stream);
    } catch (const EReadError&) {
        throw CommandError("tree", path + ": not a readable map tree (broken or cut short)");
    } catch (const std::exception& e) {
        throw CommandError("tree", e.what());
    }
    // The editor refuses a tree without its root in the same words.
    if (!tree.Find(0)) throw CommandError("tree", path + ": Map Data Error during Project Reading");
    std::string out = MapTreeOutline(tree);
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}

const Command kTreeCommand{"tree", kUsage, runTree};
const RegisterCommand kRegistered{kTreeCommand};

} // namespace

} // namespace tarvel::cli
