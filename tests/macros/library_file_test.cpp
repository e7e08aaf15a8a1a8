// The macro library file: exact round trips, the tree it yields, and how bad files are read.
#include <gtest/gtest.h>

#include <fstream>

#include "library_test_support.h"
#include "macros/library_file.h"
#include "settings/text.h"
#include "settings/text_file.h"

namespace pelrin {
namespace {

using testing::FixtureBytes;
using testing::TempFolder;
using testing::TreePicture;

TEST(LibraryFile, FixturesRoundTripByteForByte) {
  for (const char* name : {"empty.mlf", "tree.mlf"}) {
    const std::string bytes = FixtureBytes(name);
    MacroLibrary library;
    const LibraryReadResult result = ParseLibraryFile(bytes, library);
    ASSERT_TRUE(result.ok) << name;
    EXPECT_EQ(result.skippedItems, 0);
    EXPECT_EQ(EncodeLibraryFile(library, result.fileLocation), bytes) << name;
  }
}

TEST(LibraryFile, TreeFixtureGivesTheTree) {
  MacroLibrary library;
  const LibraryReadResult result = ParseLibraryFile(FixtureBytes("tree.mlf"), library);
  ASSERT_TRUE(result.ok);
  EXPECT_EQ(result.fileLocation, (MacroItemLocation{1, 0, 0, 0}));
  EXPECT_EQ(library.NextMacroIndex(), 7);
  EXPECT_EQ(TreePicture(library), (std::vector<std::string>{"0:0,0,0 [F]", "0:1,0,0 B", "0:2,0,0 [G]",
                                                            "0:3,0,0 x=y \xC3\xA9\xE4\xB8\xAD", "1:0,0,0 A",
                                                            "1:2,0,0 [H]", "2:2,0,0 C"}));
  EXPECT_TRUE(library.Item({0, 0, 0, 0}).isOpen);
  const MacroKey& a = *library.Item({1, 0, 0, 0}).macro;
  EXPECT_EQ(a.name, u"A");
  EXPECT_EQ(a.index, 3u);
  EXPECT_EQ(a.loopType, 2);
  EXPECT_EQ(a.loopCount, 5);
  EXPECT_EQ(a.commandCount, 2);
  EXPECT_EQ(a.actionCount, 6u);
  EXPECT_EQ(a.actions[0], MakePress(0xE0));
  EXPECT_EQ(a.actions[1], MakePause(50));
  EXPECT_EQ(a.actions[4], MakeAction(0xE6, 0, 0, 0xFB));
  EXPECT_EQ(library.Item({2, 2, 0, 0}).macro->actionCount, 336u);
  EXPECT_EQ(library.FindMacroByIndex(5), (MacroItemLocation{2, 2, 0, 0}));
  EXPECT_FALSE(library.FindMacroByIndex(7).has_value());
}

TEST(LibraryFile, EmptyLibraryIsThreeLines) {
  MacroLibrary library;
  EXPECT_EQ(LibraryFileLines(library, kNoLocation),
            (std::vector<std::u16string>{u"[MacroLibrary]", u"MacroKeyIndex=0",
                                         u"Select Locaton:stage=-1;stage0Index=0;stage1Index=0;stage2Index=0;"}));
}

TEST(LibraryFile, HeaderCounterIsSignedAndItemIndexUnsigned) {
  MacroLibrary library;
  library.SetNextMacroIndex(-5);
  library.Store({0, 0, 0, 0}, testing::MacroItemWith(u"M", 4294967295u));
  const auto lines = LibraryFileLines(library, kNoLocation);
  EXPECT_EQ(lines[1], u"MacroKeyIndex=-5");
  EXPECT_EQ(lines[7], u"MacroKeyIndex=4294967295");
  EXPECT_EQ(lines[12].size(), std::u16string(u"AllAction=").size() + 2688);
}

TEST(LibraryFile, WritesWholeFilesAndReportsWhenItCannot) {
  TempFolder folder;
  MacroLibrary library;
  ASSERT_TRUE(ParseLibraryFile(FixtureBytes("tree.mlf"), library).ok);
  const auto path = folder.path() / kLibraryFileName;
  ASSERT_TRUE(WriteLibraryFile(path, {1, 0, 0, 0}, library));
  EXPECT_EQ(ReadFileBytes(path), FixtureBytes("tree.mlf"));

  MacroLibrary reread;
  EXPECT_TRUE(ReadLibraryFile(path, reread).ok);
  EXPECT_EQ(TreePicture(reread), TreePicture(library));

  EXPECT_FALSE(WriteLibraryFile(folder.path() / "missing" / "x.mlf", kNoLocation, library));
}

TEST(LibraryFile, MissingFileLeavesTheTargetAsItWas) {
  TempFolder folder;
  MacroLibrary library;
  library.Store({0, 0, 0, 0}, testing::FolderItem(u"kept"));
  library.SetNextMacroIndex(9);
  EXPECT_FALSE(ReadLibraryFile(folder.path() / "absent.mlf", library).ok);
  EXPECT_EQ(TreePicture(library), (std::vector<std::string>{"0:0,0,0 [kept]"}));
  EXPECT_EQ(library.NextMacroIndex(), 9);
}

// A file built from lines; the tests below change one line of a good file at a time.
struct BadFileCase {
  const char* what;
  std::vector<std::u16string> lines;
  bool ok;
  std::vector<std::string> tree;  // what stays in the library
  int skipped = 0;
};

std::vector<std::u16string> Header() {
  return {u"[MacroLibrary]", u"MacroKeyIndex=3", u"Select Locaton:stage=-1;stage0Index=0;stage1Index=0;stage2Index=0;"};
}

std::vector<std::u16string> Block(long long stage, long long i, long long j, long long k, std::u16string name, bool folder,
                                  const std::string& actionCount = "0", std::size_t hexLength = 2688) {
  const std::u16string loc = u"MacroItemLocation:stage=" + FormatDecimal(stage) + u";stage0Index=" + FormatDecimal(i) +
                             u";stage1Index=" + FormatDecimal(j) + u";stage2Index=" + FormatDecimal(k) + u";";
  std::vector<std::u16string> lines = {u"++++++++MacroItemName=" + name, loc,
                                       folder ? u"MacroItemIsFolder=1" : u"MacroItemIsFolder=0", u"MacroItemFolderIsOpen=0"};
  if (!folder) {
    lines.insert(lines.end(), {u"MacroKeyIndex=1", u"MacroKeyLoopType=2", u"MacroKeyLoopNum=1",
                               u"MacroActionNum=" + FromUtf8(actionCount), u"MacroCommandActionNum=0",
                               u"AllAction=" + std::u16string(hexLength, u'0')});
  }
  return lines;
}

std::vector<std::u16string> Join(std::initializer_list<std::vector<std::u16string>> parts) {
  std::vector<std::u16string> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

std::vector<std::u16string> Replaced(std::vector<std::u16string> lines, std::size_t at, std::u16string line) {
  lines[at] = std::move(line);
  return lines;
}

std::vector<std::u16string> Cut(std::vector<std::u16string> lines, std::size_t keep) {
  lines.resize(keep);
  return lines;
}

TEST(LibraryFile, BadFiles) {
  const auto good = Join({Header(), Block(0, 0, 0, 0, u"One", false), Block(0, 1, 0, 0, u"Two", true)});
  const std::vector<std::string> both = {"0:0,0,0 One", "0:1,0,0 [Two]"};
  const std::vector<std::string> first = {"0:0,0,0 One"};
  const BadFileCase cases[] = {
      {"good", good, true, both},
      {"header in other case", Replaced(good, 0, u"[macrolibrary]"), false, {}},
      {"header with a carriage return", Replaced(good, 0, u"[MacroLibrary]\r"), false, {}},
      {"no lines", {}, false, {}},
      {"counter without value", Replaced(good, 1, u"MacroKeyIndex="), false, {}},
      {"counter without =", Replaced(good, 1, u"MacroKeyIndex 3"), false, {}},
      {"selection with three values", Replaced(good, 2, u"Select Locaton:stage=-1;stage0Index=0;stage1Index=0;"), false, {}},
      {"selection ending in =", Replaced(good, 2, u"Select Locaton:stage="), false, {}},
      {"selection without digits", Replaced(good, 2, u"Select Locaton:stage=a;b=1;c=1;d=1;"), false, {}},
      {"AllAction one short", Join({Header(), Block(0, 0, 0, 0, u"One", true), Block(0, 1, 0, 0, u"X", false, "0", 2687)}),
       false, {"0:0,0,0 [One]"}},
      {"AllAction one long", Join({Header(), Block(0, 0, 0, 0, u"One", true), Block(0, 1, 0, 0, u"X", false, "0", 2689)}),
       false, {"0:0,0,0 [One]"}},
      {"cut inside a block", Cut(good, 3 + 10 + 2), false, first},
      {"empty item name", Replaced(good, 13, u"++++++++MacroItemName="), false, first},
      {"item location unparsable", Replaced(good, 14, u"MacroItemLocation"), false, first},
      {"open flag without value", Replaced(good, 16, u"MacroItemFolderIsOpen="), false, first},
      {"empty line ends the file", Replaced(good, 13, u""), true, first},
      {"stage 3", Join({Header(), Block(3, 0, 0, 0, u"X", false), Block(0, 1, 0, 0, u"Two", true)}), true,
       {"0:1,0,0 [Two]"}, 1},
      {"index 60", Join({Header(), Block(1, 0, 60, 0, u"X", false), Block(0, 0, 0, 0, u"One", false)}),
       true, first, 1},
      {"negative index", Join({Header(), Block(0, -1, 0, 0, u"X", true)}), true, {}, 1},
      {"huge index", Join({Header(), Block(0, 0, 0, 0, u"X", false), Block(2, 0, 0, 99999999999, u"Y", false)}), true,
       {"0:0,0,0 X"}, 1},
      {"337 actions", Join({Header(), Block(0, 0, 0, 0, u"X", false, "337"), Block(0, 1, 0, 0, u"Two", true)}), true,
       {"0:1,0,0 [Two]"}, 1},
      {"negative action count", Join({Header(), Block(0, 0, 0, 0, u"X", false, "-1")}), true, {}, 1},
      {"336 actions fit", Join({Header(), Block(0, 0, 0, 0, u"X", false, "336")}), true, {"0:0,0,0 X"}},
      {"folder at the third level", Join({Header(), Block(2, 0, 0, 0, u"X", true), Block(2, 0, 0, 1, u"Y", false)}), true,
       {"2:0,0,1 Y"}, 1},
      {"unused indices are ignored", Join({Header(), Block(0, 4, 7, 9, u"X", true)}), true, {"0:4,0,0 [X]"}},
  };
  for (const BadFileCase& c : cases) {
    MacroLibrary library;
    library.Store({0, 59, 0, 0}, testing::FolderItem(u"old"));  // always cleared by a file that opens
    const LibraryReadResult result = ParseLibraryFile(EncodeUtf16Lines(c.lines), library);
    EXPECT_EQ(result.ok, c.ok) << c.what;
    EXPECT_EQ(TreePicture(library), c.tree) << c.what;
    EXPECT_EQ(result.skippedItems, c.skipped) << c.what;
  }
  for (std::string tiny : {std::string(), std::string("\xFF"), std::string("\xFF\xFE")}) {
    MacroLibrary library;
    EXPECT_FALSE(ParseLibraryFile(tiny, library).ok);
  }
}

TEST(LibraryFile, CounterNeverFallsBehindTheMacrosOfTheFile) {
  const struct {
    const char* counter;
    std::int32_t expected;
  } cases[] = {{"MacroKeyIndex=9", 9}, {"MacroKeyIndex=1", 2}, {"MacroKeyIndex=0", 2}, {"MacroKeyIndex=-4", 2}};
  for (const auto& c : cases) {
    auto lines = Join({Header(), Block(0, 0, 0, 0, u"X", false)});
    lines[1] = FromUtf8(c.counter);  // the block's macro has index 1
    MacroLibrary library;
    ASSERT_TRUE(ParseLibraryFile(EncodeUtf16Lines(lines), library).ok);
    EXPECT_EQ(library.NextMacroIndex(), c.expected) << c.counter;
  }
  MacroLibrary empty;
  ASSERT_TRUE(ParseLibraryFile(EncodeUtf16Lines(Replaced(Header(), 1, u"MacroKeyIndex=-4")), empty).ok);
  EXPECT_EQ(empty.NextMacroIndex(), 0);
}

}  // namespace
}  // namespace pelrin
