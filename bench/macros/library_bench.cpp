// Speed of loading and saving the macro library, and the memory an empty and a full-sized library take.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <malloc.h>

#include <filesystem>

#include "macros/library_file.h"
#include "macros/library_operations.h"
#include "settings/text.h"
#include "settings/text_file.h"

namespace {

// Bytes the C heap has handed out and not taken back (glibc), to see what a library costs.
std::size_t HeapInUse() { return mallinfo2().uordblks; }

}  // namespace

namespace pelrin {
namespace {

// 500 macros of 100 actions: five top-level folders, each with five sub-folders of 20 macros.
std::string FiveHundredMacros() {
  MacroLibrary library;
  for (int f = 0; f < 5; ++f) {
    const auto folder = NewFolder(library, kNoLocation, u"Folder " + FormatDecimal(f)).selection;
    for (int s = 0; s < 5; ++s) {
      const auto sub = NewFolder(library, folder, u"Group " + FormatDecimal(s)).selection;
      for (int m = 0; m < 20; ++m) {
        const auto macro = NewMacro(library, sub, u"Macro " + FormatDecimal(m)).selection;
        MacroKey& key = *library.MutableItem(macro)->macro;
        for (int a = 0; a < 33; ++a) InsertStroke(key, key.actionCount, static_cast<std::uint8_t>(0x41 + a % 26));
        InsertAction(key, key.actionCount, MakePause(100));
      }
    }
  }
  return EncodeLibraryFile(library, kNoLocation);
}

void BM_ParseLibrary500(benchmark::State& state) {
  const std::string bytes = FiveHundredMacros();
  MacroLibrary library;
  for (auto _ : state) {
    const LibraryReadResult result = ParseLibraryFile(bytes, library);
    benchmark::DoNotOptimize(result.ok);
  }
  state.counters["file_bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_ParseLibrary500)->Unit(benchmark::kMillisecond);

void BM_ReadLibraryFile500(benchmark::State& state) {
  const auto path = std::filesystem::temp_directory_path() / ("pelrin-bench-" + std::to_string(::getpid()) + ".mlf");
  WriteFileAtomically(path, FiveHundredMacros());
  MacroLibrary library;
  for (auto _ : state) {
    const LibraryReadResult result = ReadLibraryFile(path, library);
    benchmark::DoNotOptimize(result.ok);
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_ReadLibraryFile500)->Unit(benchmark::kMillisecond);

void BM_WriteLibrary500(benchmark::State& state) {
  MacroLibrary library;
  ParseLibraryFile(FiveHundredMacros(), library);
  for (auto _ : state) benchmark::DoNotOptimize(EncodeLibraryFile(library, kNoLocation));
}
BENCHMARK(BM_WriteLibrary500)->Unit(benchmark::kMillisecond);

void BM_LibraryMemory(benchmark::State& state) {
  const std::string bytes = FiveHundredMacros();
  std::size_t emptyBytes = 0;
  std::size_t fullBytes = 0;
  for (auto _ : state) {
    const std::size_t before = HeapInUse();
    auto library = std::make_unique<MacroLibrary>();
    emptyBytes = HeapInUse() - before;
    ParseLibraryFile(bytes, *library);
    fullBytes = HeapInUse() - before;
    benchmark::DoNotOptimize(library.get());
  }
  state.counters["empty_library_bytes"] = static_cast<double>(emptyBytes);
  state.counters["library_500_bytes"] = static_cast<double>(fullBytes);
}
BENCHMARK(BM_LibraryMemory)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pelrin
