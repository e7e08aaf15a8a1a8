// Shared helpers of the settings tests: a private temporary folder and the language texts of the fixtures.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "settings/language.h"
#include "settings/text_file.h"

namespace pelrin::testing {

// The texts the fixtures in data/ were made with.
inline const LanguageTable& FixtureLanguage() {
  static const LanguageTable table = [] {
    LanguageTable t;
    t.Set(20, u"Left Click");
    t.Set(21, u"Right Click");
    t.Set(22, u"Middle Click");
    t.Set(23, u"Forward");
    t.Set(24, u"Backward");
    t.Set(42, u"DPI Loop");
    t.Set(85, u"配置 1");
    t.Set(86, u"Profile 2");
    t.Set(87, u"Profile 3");
    t.Set(88, u"Profile 4");
    t.Set(89, u"Profile 5");
    t.Set(100, u"Breathing");
    return t;
  }();
  return table;
}

inline std::string Fixture(const std::string& name) {
  auto bytes = ReadFileBytes(std::filesystem::path(PELRIN_TEST_DATA) / name);
  EXPECT_TRUE(bytes.has_value()) << name;
  return bytes.value_or("");
}

// The bytes of a UTF-16LE file with byte-order mark holding `text` as it is (line feeds included).
inline std::string Utf16File(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

// A folder of its own for each test, removed afterwards.
class TempFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "-" + info->name();
    for (char& c : name) {
      if (c == '/') c = '_';
    }
    folder_ = std::filesystem::temp_directory_path() / ("pelrin-" + std::to_string(::getpid()) + "-" + name);
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::filesystem::path folder_;
};

}  // namespace pelrin::testing
