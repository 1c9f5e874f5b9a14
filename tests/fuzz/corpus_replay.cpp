// Runs each fuzz target over every seed input in fuzz/corpus/<target>/, so that the fuzzers' checks
// (fuzz/README.md) hold on every test run. A failed check aborts right after the name of its input.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>
#include <vector>

// The targets' entry points, renamed for this program (tests/CMakeLists.txt).
extern "C" int FuzzScanInput(const std::uint8_t* data, std::size_t size);
extern "C" int FuzzBackgroundInitialize(int* argc, char*** argv);
extern "C" int FuzzBackgroundInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  FuzzBackgroundInitialize(&argc, &argv);
  using Target = std::pair<const char*, int (*)(const std::uint8_t*, std::size_t)>;
  for (const auto& [name, run] : {Target{"scan", FuzzScanInput}, {"background", FuzzBackgroundInput}}) {
    std::vector<std::filesystem::path> inputs;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(TORVAK_FUZZ_CORPUS) / name))
      inputs.push_back(entry.path());
    std::sort(inputs.begin(), inputs.end());
    if (inputs.empty()) return std::fprintf(stderr, "no seed inputs for %s\n", name), 1;
    for (const auto& path : inputs) {
      std::fprintf(stderr, "%s\n", path.c_str());
      std::ifstream file(path, std::ios::binary);
      const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
      run(bytes.data(), bytes.size());
    }
  }
}
