// Replays saved fuzz inputs through the fuzz target as an ordinary test, so
// that an input that once crashed the reader stays harmless:
//   fuzz_replay FILE_OR_DIRECTORY...
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    size_t replayed = 0;
    for (int i = 1; i < argc; i++) {
        std::vector<fs::path> inputs;
        if (fs::is_directory(argv[i])) {
            for (const fs::directory_entry& e : fs::directory_iterator(argv[i]))
                if (e.is_regular_file())
                    inputs.push_back(e.path());
        } else if (fs::is_regular_file(argv[i])) {
            inputs.push_back(argv[i]);
        } else {
            fprintf(stderr, "fuzz_replay: no such file or directory: %s\n", argv[i]);
            return 1;
        }
        for (const fs::path& input : inputs) {
            std::ifstream in(input, std::ios::binary);
            const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            replayed++;
        }
    }
    printf("fuzz_replay: %zu inputs replayed\n", replayed);
    return replayed > 0 ? 0 : 1;
}
