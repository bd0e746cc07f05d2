// Runs a fuzz target over every file of its corpus folders, without libFuzzer, so the normal test
// run keeps every input that once crashed fixed.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        fs::path root(argv[i]);
        std::vector<fs::path> inputs;
        if (fs::is_directory(root)) {
            for (const auto& entry : fs::recursive_directory_iterator(root))
                if (entry.is_regular_file()) inputs.push_back(entry.path());
        } else {
            inputs.push_back(root);
        }
        for (const auto& path : inputs) {
            std::ifstream in(path, std::ios::binary);
            std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++files;
        }
    }
    std::printf("replayed %d inputs\n", files);
    return files > 0 ? 0 : 1;
}
