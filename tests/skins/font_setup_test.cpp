// The bundled fontconfig file: the face names of the skins resolve to installed fonts, and the
// start-up helper hands the file to fontconfig without overriding a user's own choice.
#include "skins/font_setup.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontInfo>
#include <QGuiApplication>

#include <fontconfig/fontconfig.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

namespace {

std::filesystem::path BundledConf() { return pelrin::skins::ProgramFolder() / "fonts.conf"; }

struct ConfigDeleter {
  void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};
struct PatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};

// What fontconfig picks for `family` under the bundled configuration.
class BundledFontMatch : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(std::filesystem::is_regular_file(BundledConf())) << BundledConf();
    config.reset(FcConfigCreate());
    ASSERT_TRUE(FcConfigParseAndLoad(config.get(), reinterpret_cast<const FcChar8*>(BundledConf().c_str()), FcTrue));
    ASSERT_TRUE(FcConfigBuildFonts(config.get()));
  }

  std::unique_ptr<FcPattern, PatternDeleter> Match(const std::string& family) {
    std::unique_ptr<FcPattern, PatternDeleter> pattern(FcPatternCreate());
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcConfigSubstitute(config.get(), pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    return std::unique_ptr<FcPattern, PatternDeleter>(FcFontMatch(config.get(), pattern.get(), &result));
  }

  static std::string Family(const FcPattern* font) {
    FcChar8* family = nullptr;
    if (FcPatternGetString(font, FC_FAMILY, 0, &family) != FcResultMatch) return {};
    return reinterpret_cast<const char*>(family);
  }

  static bool Covers(const FcPattern* font, std::initializer_list<FcChar32> characters) {
    FcCharSet* charset = nullptr;
    if (FcPatternGetCharSet(font, FC_CHARSET, 0, &charset) != FcResultMatch) return false;
    for (FcChar32 c : characters) {
      if (!FcCharSetHasChar(charset, c)) return false;
    }
    return true;
  }

  std::unique_ptr<FcConfig, ConfigDeleter> config;
};

TEST_F(BundledFontMatch, LatinFacesBecomeDejaVuSans) {
  for (const char* face : {"Tahoma", "MS Shell Dlg"}) {
    auto font = Match(face);
    ASSERT_TRUE(font) << face;
    EXPECT_EQ(Family(font.get()), "DejaVu Sans") << face;
  }
}

TEST_F(BundledFontMatch, SongFacesBecomeAChineseFace) {
  for (const char* face : {"宋体", "SimSun"}) {
    auto font = Match(face);
    ASSERT_TRUE(font) << face;
    EXPECT_EQ(Family(font.get()), "WenQuanYi Zen Hei") << face;
    // 宋体 and 中文 must be drawable in the face that was picked
    EXPECT_TRUE(Covers(font.get(), {0x5B8B, 0x4F53, 0x4E2D, 0x6587})) << face;
  }
}

// FONTCONFIG_FILE is process-wide; each case restores what it found.
class FontConfigVariable : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* value = std::getenv("FONTCONFIG_FILE")) saved = value;
    unsetenv("FONTCONFIG_FILE");
    folder = std::filesystem::temp_directory_path() /
             ("pelrin_fonts_" + std::to_string(::getpid()) + "_" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder);
  }
  void TearDown() override {
    if (saved) {
      setenv("FONTCONFIG_FILE", saved->c_str(), 1);
    } else {
      unsetenv("FONTCONFIG_FILE");
    }
    std::filesystem::remove_all(folder);
  }
  static std::string Variable() {
    const char* value = std::getenv("FONTCONFIG_FILE");
    return value ? value : "";
  }
  std::optional<std::string> saved;
  std::filesystem::path folder;
};

TEST_F(FontConfigVariable, PointsAtTheFileBesideTheProgram) {
  std::ofstream(folder / "fonts.conf") << "<fontconfig/>\n";
  EXPECT_TRUE(pelrin::skins::UseBundledFontConfig(folder));
  EXPECT_EQ(Variable(), (folder / "fonts.conf").string());
}

TEST_F(FontConfigVariable, LeavesTheUsersChoiceAndMissingFilesAlone) {
  EXPECT_FALSE(pelrin::skins::UseBundledFontConfig(folder)) << "no fonts.conf there";
  EXPECT_EQ(Variable(), "");
  EXPECT_FALSE(pelrin::skins::UseBundledFontConfig({}));

  std::ofstream(folder / "fonts.conf") << "<fontconfig/>\n";
  setenv("FONTCONFIG_FILE", "/home/someone/my-fonts.conf", 1);
  EXPECT_FALSE(pelrin::skins::UseBundledFontConfig(folder));
  EXPECT_EQ(Variable(), "/home/someone/my-fonts.conf");
}

TEST(ProgramFolder, IsTheFolderOfTheRunningExecutable) {
  const std::filesystem::path folder = pelrin::skins::ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_TRUE(std::filesystem::is_directory(folder / "skins")) << "the skins are drawn beside the programs";
}

// The way the programs start: the helper first, then Qt, which must then resolve the skin faces.
TEST(QtStartUp, ResolvesTheSkinFacesThroughTheBundledConfig) {
  unsetenv("FONTCONFIG_FILE");  // this process only; nothing has read it yet
  ASSERT_TRUE(pelrin::skins::UseBundledFontConfig());
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int argc = 1;
  char name[] = "skins_tests";
  char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);
  EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Tahoma"))).family().toStdString(), "DejaVu Sans");
  EXPECT_EQ(QFontInfo(QFont(QStringLiteral("宋体"))).family().toStdString(), "WenQuanYi Zen Hei");
}

}  // namespace
