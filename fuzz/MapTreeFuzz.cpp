// The map-tree file reader over arbitrary bytes: it must never crash, the tree-view passes must
// cope with whatever order and parents were read, and a tree that was read must save to a file
// that reads back whole; a second round gives the same bytes (the first may turn an encounter's
// group 0 into the group 1 it reloads as).
#include <cstdlib>

#include "data/LD_MapTree.h"

namespace {

std::vector<uint8_t> fileBytes(const tarvel::TQelMapTree& tree) {
    tarvel::TMemoryStream stream;
    tree.SaveToFileStream(stream);
    return std::move(stream.Bytes());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvel;
    TQelMapTree tree;
    TMemoryStream input(data, size);
    bool complete = true;
    try {
        tree.LoadFromFileStream(input);
    } catch (const EReadError&) {
        complete = false;
    }

    // Whatever was read can be shown, read back from the view, and edited.
    TMapTreeMemoryView view;
    tree.FillTreeView(view, false);
    tree.SelectActive(view);
    if (complete) {
        std::vector<uint8_t> saved = fileBytes(tree);
        for (int round = 0; round < 2; ++round) {
            TQelMapTree again;
            TMemoryStream stream(saved);
            try {
                again.LoadFromFileStream(stream);
            } catch (const EReadError&) {
                std::abort();
            }
            std::vector<uint8_t> resaved = fileBytes(again);
            if (round == 1 && resaved != saved) std::abort();
            saved = std::move(resaved);
        }
    }
    tree.ReadTreeView(view);
    if (tree.Order.size() > static_cast<size_t>(tree.Count())) std::abort();
    if (!tree.Order.empty()) tree.DeleteNode(tree.Order.back()->ID);
    tree.AddNode(0, LowestFreeMapID(tree));
    fileBytes(tree);
    return 0;
}
