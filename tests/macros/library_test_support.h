// Helpers shared by the macro library tests: temporary folders, fixture bytes and small libraries.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "macros/library_file.h"
#include "macros/macro_library.h"
#include "settings/text.h"
#include "settings/text_file.h"

namespace pelrin::testing {

// A fresh folder for one test, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path() /
            ("pelrin-macros-" + std::string(info->test_suite_name()) + "-" + info->name() + "-" +
             std::to_string(::getpid()));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline std::string FixtureBytes(const char* name) {
  auto bytes = ReadFileBytes(std::filesystem::path(PELRIN_TEST_DATA) / name);
  EXPECT_TRUE(bytes.has_value()) << name;
  return bytes.value_or(std::string());
}

inline MacroItem FolderItem(std::u16string name) {
  MacroItem item;
  item.name = std::move(name);
  item.isFolder = true;
  return item;
}

inline MacroItem MacroItemWith(std::u16string name, std::uint32_t index, std::vector<MacroAction> actions = {}) {
  MacroItem item;
  item.name = name;
  item.macro = std::make_unique<MacroKey>(CreateMacroKey(std::move(name)));
  item.macro->index = index;
  for (MacroAction a : actions) InsertAction(*item.macro, item.macro->actionCount, a);
  return item;
}

// Every used item as "stage:i,j,k name" lines in file order: a compact picture of the tree.
inline std::vector<std::string> TreePicture(const MacroLibrary& library) {
  std::vector<std::string> picture;
  library.ForEachItem([&picture](const MacroItemLocation& l, const MacroItem& item) {
    const std::string name = ToUtf8(item.name);
    picture.push_back(std::to_string(l.stage) + ":" + std::to_string(l.stage0Index) + "," +
                      std::to_string(l.stage1Index) + "," + std::to_string(l.stage2Index) + " " +
                      (item.isFolder ? "[" + name + "]" : name));
  });
  return picture;
}

}  // namespace pelrin::testing
