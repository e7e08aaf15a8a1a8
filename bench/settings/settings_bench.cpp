// Time to load and save the stored files of a start-up: settings file, five profiles, language file.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "settings/language_file.h"
#include "settings/settings_model.h"
#include "settings/startup.h"

namespace pelrin {
namespace {

std::filesystem::path BenchRoot() {
  return std::filesystem::temp_directory_path() / ("pelrin-bench-" + std::to_string(::getpid()));
}

// A data folder as a first run leaves it, kept for the whole process.
const Folders& PreparedFolders() {
  static const Folders folders = [] {
    const auto root = BenchRoot();
    std::filesystem::remove_all(root);
    Folders f = PrepareFolders(root);
    SettingsModel model = MakeSettingsModel(f.data);
    LanguageTable language;
    LoadAtStartup(f, model, {}, language, [](const char*) -> const char* { return nullptr; });
    std::atexit([] { std::filesystem::remove_all(BenchRoot()); });
    return f;
  }();
  return folders;
}

void LoadSettingsAndFiveProfiles(benchmark::State& state) {
  const Folders& folders = PreparedFolders();
  for (auto _ : state) {
    SettingsModel model = MakeSettingsModel(folders.data);
    benchmark::DoNotOptimize(LoadSettingsAndProfiles(model));
  }
}
BENCHMARK(LoadSettingsAndFiveProfiles)->Unit(benchmark::kMicrosecond);

void LoadLanguageFile(benchmark::State& state) {
  const Folders& folders = PreparedFolders();
  LanguageTable table;
  for (auto _ : state) benchmark::DoNotOptimize(LoadLanguage(folders.config, table));
}
BENCHMARK(LoadLanguageFile)->Unit(benchmark::kMicrosecond);

// The target: everything a start-up reads, under 2 ms.
void LoadEverythingAtStartup(benchmark::State& state) {
  const Folders& folders = PreparedFolders();
  LanguageTable table;
  for (auto _ : state) {
    SettingsModel model = MakeSettingsModel(folders.data, table);
    benchmark::DoNotOptimize(LoadAtStartup(folders, model, {}, table));
  }
}
BENCHMARK(LoadEverythingAtStartup)->Unit(benchmark::kMicrosecond);

void SaveSettingsFile(benchmark::State& state) {
  SettingsModel model = MakeSettingsModel(PreparedFolders().data);
  LoadSettingsAndProfiles(model);
  for (auto _ : state) benchmark::DoNotOptimize(SaveAppSettings(model));
}
BENCHMARK(SaveSettingsFile)->Unit(benchmark::kMicrosecond);

// Each save is flushed to disk before it replaces the old file, so this is mostly fsync.
void SaveFiveProfiles(benchmark::State& state) {
  SettingsModel model = MakeSettingsModel(PreparedFolders().data);
  LoadSettingsAndProfiles(model);
  for (auto _ : state) benchmark::DoNotOptimize(WriteAllProfiles(model));
}
BENCHMARK(SaveFiveProfiles)->Unit(benchmark::kMicrosecond);

void EncodeAndParseOneProfileInMemory(benchmark::State& state) {
  const ProfileRecord record = DefaultProfileRecord(0, kDefaultSensorCode);
  for (auto _ : state) {
    const std::string bytes = EncodeProfileFile(record);
    ProfileRecord read;
    benchmark::DoNotOptimize(ParseProfileFile(bytes, read));
  }
}
BENCHMARK(EncodeAndParseOneProfileInMemory)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pelrin
