// The macro manager's operations: placement of new items, rename, delete, export and import.
#include <gtest/gtest.h>

#include "library_test_support.h"
#include "macros/library_file.h"
#include "macros/library_operations.h"
#include "settings/text.h"
#include "settings/text_file.h"

namespace pelrin {
namespace {

using testing::FolderItem;
using testing::MacroItemWith;
using testing::TempFolder;
using testing::TreePicture;
using Picture = std::vector<std::string>;

constexpr MacroItemLocation kF{0, 0, 0, 0}, kM{0, 1, 0, 0}, kG{0, 2, 0, 0};
constexpr MacroItemLocation kS{1, 0, 0, 0}, kX{1, 0, 1, 0}, kY{2, 0, 0, 0}, kZ{2, 0, 0, 1};

// [F] { [S] { Y, Z }, X }, M, [G] {}; macro indexes M 1, X 2, Y 3, Z 4; the next index is 10.
void BuildSample(MacroLibrary& library) {
  library.Clear();
  library.Store(kF, FolderItem(u"F"));
  library.Store(kM, MacroItemWith(u"M", 1, {MakePress(0x41), MakePause(20), MakeRelease(0x41)}));
  library.Store(kG, FolderItem(u"G"));
  library.Store(kS, FolderItem(u"S"));
  library.Store(kX, MacroItemWith(u"X", 2));
  library.Store(kY, MacroItemWith(u"Y", 3, {MakePress(0xE0)}));
  library.Store(kZ, MacroItemWith(u"Z", 4));
  library.Item(kY).macro->loopType = 4;
  library.Item(kY).macro->loopCount = 9;
  library.Item(kY).macro->commandCount = 1;
  library.SetNextMacroIndex(10);
}

const Picture kSamplePicture = {"0:0,0,0 [F]", "0:1,0,0 M", "0:2,0,0 [G]", "1:0,0,0 [S]",
                                "1:0,1,0 X",   "2:0,0,0 Y", "2:0,0,1 Z"};

TEST(LibraryOperations, NewItemPlacement) {
  const struct {
    const char* what;
    MacroItemLocation selected;
    bool folder;
    std::u16string name;
    LibraryOutcome outcome;
    MacroItemLocation placed;
    int languageEntry = 0;
  } cases[] = {
      {"macro, nothing selected", kNoLocation, false, u"N", LibraryOutcome::kDone, {0, 3, 0, 0}},
      {"macro, a macro selected", kM, false, u"N", LibraryOutcome::kDone, {0, 3, 0, 0}},
      {"macro, a third-level macro selected", kY, false, u"N", LibraryOutcome::kDone, {0, 3, 0, 0}},
      {"macro into a first-level folder", kF, false, u"N", LibraryOutcome::kDone, {1, 0, 2, 0}},
      {"macro into a second-level folder", kS, false, u"N", LibraryOutcome::kDone, {2, 0, 0, 2}},
      {"macro into an empty folder", kG, false, u"N", LibraryOutcome::kDone, {1, 2, 0, 0}},
      {"folder, nothing selected", kNoLocation, true, u"N", LibraryOutcome::kDone, {0, 3, 0, 0}},
      {"folder into a first-level folder", kF, true, u"N", LibraryOutcome::kDone, {1, 0, 2, 0}},
      {"folder into a second-level folder", kS, true, u"N", LibraryOutcome::kNotAllowedHere, kS},
      {"sibling name", kNoLocation, false, u"M", LibraryOutcome::kDuplicateName, kNoLocation, 241},
      {"sibling name in a folder", kF, true, u"X", LibraryOutcome::kDuplicateName, kF, 241},
      {"name used elsewhere only", kF, false, u"M", LibraryOutcome::kDone, {1, 0, 2, 0}},
      {"names differ in case", kNoLocation, false, u"m", LibraryOutcome::kDone, {0, 3, 0, 0}},
      {"empty name", kNoLocation, false, u"", LibraryOutcome::kEmptyName, kNoLocation, 242},
      {"line feed in the name", kNoLocation, true, u"a\nb", LibraryOutcome::kInvalidName, kNoLocation, 242},
  };
  for (const auto& c : cases) {
    MacroLibrary library;
    BuildSample(library);
    const LibraryEditResult result =
        c.folder ? NewFolder(library, c.selected, c.name) : NewMacro(library, c.selected, c.name);
    EXPECT_EQ(result.outcome, c.outcome) << c.what;
    EXPECT_EQ(result.selection, c.placed) << c.what;
    EXPECT_EQ(result.LanguageEntry(), c.languageEntry) << c.what;
    if (c.outcome != LibraryOutcome::kDone) {
      EXPECT_EQ(TreePicture(library), kSamplePicture) << c.what;
      EXPECT_EQ(library.NextMacroIndex(), 10) << c.what;
      continue;
    }
    const MacroItem& item = library.Item(c.placed);
    EXPECT_EQ(item.name, c.name) << c.what;
    EXPECT_EQ(item.isFolder, c.folder) << c.what;
    EXPECT_EQ(TreePicture(library).size(), kSamplePicture.size() + 1) << c.what;
    if (c.folder) {
      EXPECT_EQ(item.macro, nullptr) << c.what;
      EXPECT_EQ(library.NextMacroIndex(), 10) << c.what;
    } else {
      MacroKey expected = CreateMacroKey(c.name);
      expected.index = 10;
      EXPECT_EQ(*item.macro, expected) << c.what;
      EXPECT_EQ(library.NextMacroIndex(), 11) << c.what;
    }
    if (library.Item(c.selected).isFolder) {
      EXPECT_TRUE(library.Item(c.selected).isOpen) << c.what;
    }
  }
}

TEST(LibraryOperations, FullLevelCreatesNothing) {
  MacroLibrary library;
  for (int i = 0; i < kSlotsPerLevel; ++i) {
    ASSERT_TRUE(NewMacro(library, kNoLocation, u"m" + std::u16string(1, static_cast<char16_t>(u'A' + i))).Succeeded());
  }
  EXPECT_EQ(NewFolder(library, kNoLocation, u"more").outcome, LibraryOutcome::kNoFreeSlot);
  EXPECT_EQ(NewFolder(library, kNoLocation, u"more").LanguageEntry(), 0);
  EXPECT_EQ(library.NextMacroIndex(), kSlotsPerLevel);
  // Indexes stay unique: every new macro took the next one.
  for (int i = 0; i < kSlotsPerLevel; ++i) EXPECT_EQ(library.FindMacroByIndex(static_cast<std::uint32_t>(i)), (MacroItemLocation{0, i, 0, 0}));
}

TEST(LibraryOperations, Rename) {
  MacroLibrary library;
  BuildSample(library);
  EXPECT_EQ(RenameItem(library, kX, u"S").outcome, LibraryOutcome::kDuplicateName);
  EXPECT_EQ(RenameItem(library, kX, u"").outcome, LibraryOutcome::kEmptyName);
  EXPECT_EQ(RenameItem(library, kX, u"X").outcome, LibraryOutcome::kDone);
  EXPECT_EQ(RenameItem(library, {0, 5, 0, 0}, u"Q").outcome, LibraryOutcome::kNothingSelected);
  EXPECT_EQ(TreePicture(library), kSamplePicture);

  EXPECT_EQ(RenameItem(library, kX, u"M").outcome, LibraryOutcome::kDone);  // M is not a sibling of X
  EXPECT_EQ(library.Item(kX).macro->name, u"M");
  EXPECT_EQ(RenameItem(library, kS, u"T").outcome, LibraryOutcome::kDone);
  EXPECT_EQ(library.Item(kS).name, u"T");
}

ProfileRecord ProfileBinding(std::uint32_t macroIndex, std::uint8_t category) {
  ProfileRecord profile;
  profile.keyAssignments[3].value = {category, 0, 0};
  profile.keyAssignments[3].macroIndex = macroIndex;
  return profile;
}

TEST(LibraryOperations, DeleteRefusesWhatTheCurrentProfilePlays) {
  const struct {
    const char* what;
    MacroItemLocation target;
    ProfileRecord profile;
    LibraryOutcome outcome;
    Picture after;
  } cases[] = {
      {"macro bound", kM, ProfileBinding(1, 0x90), LibraryOutcome::kInUse, kSamplePicture},
      {"macro deep inside the folder bound", kF, ProfileBinding(4, 0x90), LibraryOutcome::kInUse, kSamplePicture},
      {"old index of a slot that is no longer a macro", kM, ProfileBinding(1, 0x10), LibraryOutcome::kDone,
       {"0:0,0,0 [F]", "0:1,0,0 [G]", "1:0,0,0 [S]", "1:0,1,0 X", "2:0,0,0 Y", "2:0,0,1 Z"}},
      {"folder with its subtree; later siblings move up", kF, ProfileBinding(1, 0x90), LibraryOutcome::kDone,
       {"0:0,0,0 M", "0:1,0,0 [G]"}},
      {"first of two third-level macros", kY, ProfileBinding(3, 0x10), LibraryOutcome::kDone,
       {"0:0,0,0 [F]", "0:1,0,0 M", "0:2,0,0 [G]", "1:0,0,0 [S]", "1:0,1,0 X", "2:0,0,0 Z"}},
      {"nothing there", {0, 7, 0, 0}, ProfileRecord{}, LibraryOutcome::kNothingSelected, kSamplePicture},
      {"no location", kNoLocation, ProfileRecord{}, LibraryOutcome::kNothingSelected, kSamplePicture},
  };
  for (const auto& c : cases) {
    MacroLibrary library;
    BuildSample(library);
    const LibraryEditResult result = DeleteItem(library, c.target, c.profile);
    EXPECT_EQ(result.outcome, c.outcome) << c.what;
    EXPECT_EQ(TreePicture(library), c.after) << c.what;
    if (c.outcome == LibraryOutcome::kDone) {
      EXPECT_EQ(result.selection, kNoLocation) << c.what;
    }
  }
  EXPECT_EQ(LanguageEntryFor(LibraryOutcome::kInUse), 257);
  EXPECT_EQ(LanguageEntryFor(LibraryOutcome::kNothingSelected), 233);
}

TEST(LibraryOperations, DeletedSlotsComeBackEmpty) {
  MacroLibrary library;
  BuildSample(library);
  ASSERT_TRUE(DeleteItem(library, kF, ProfileRecord{}).Succeeded());
  // G moved into slot 1 without children; slot 2 is free again and a new folder there starts empty.
  ASSERT_EQ(NewFolder(library, kNoLocation, u"H").selection, kG);
  EXPECT_EQ(library.FirstFreeSlot(kG), 0);
  EXPECT_EQ(TreePicture(library), (Picture{"0:0,0,0 M", "0:1,0,0 [G]", "0:2,0,0 [H]"}));
}

TEST(LibraryOperations, TreeRowsFollowOpenFolders) {
  MacroLibrary library;
  BuildSample(library);
  auto names = [&library] {
    std::vector<std::string> shown;
    for (const MacroTreeRow& row : VisibleTreeRows(library)) shown.push_back(std::to_string(row.depth) + ToUtf8(*row.name));
    return shown;
  };
  EXPECT_EQ(names(), (Picture{"0F", "0M", "0G"}));
  library.MutableItem(kS)->isOpen = true;  // inside a closed folder: still hidden
  EXPECT_EQ(names(), (Picture{"0F", "0M", "0G"}));
  ASSERT_TRUE(NewMacro(library, kF, u"N").Succeeded());  // opens F
  EXPECT_EQ(names(), (Picture{"0F", "1S", "2Y", "2Z", "1X", "1N", "0M", "0G"}));
  EXPECT_EQ(RowOf(VisibleTreeRows(library), kX), 4);
  library.CollapseAllFolders();
  EXPECT_EQ(names(), (Picture{"0F", "0M", "0G"}));
  EXPECT_EQ(RowOf(VisibleTreeRows(library), kX), -1);
  EXPECT_EQ(RowOf(VisibleTreeRows(library), kNoLocation), -1);
}

// ---- Export and import ----

std::string Exported(const MacroLibrary& library, const MacroItemLocation& selected) {
  return EncodeLibraryFile(library, selected);
}

TEST(MacroFiles, ExportMacroAndImportItElsewhere) {
  TempFolder folder;
  MacroLibrary source;
  BuildSample(source);
  EXPECT_EQ(ExportMacroFileName(source, kY), u"Y.mkf");
  const auto path = folder.path() / "Y.mkf";
  ASSERT_TRUE(ExportMacro(source, kY, path).Succeeded());
  EXPECT_EQ(ExportMacro(source, kF, folder.path() / "F.mkf").outcome, LibraryOutcome::kNothingToExport);
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "F.mkf"));
  const auto lines = ReadUtf16LinesFile(path);
  ASSERT_TRUE(lines.has_value());
  EXPECT_EQ((*lines)[2], u"Select Locaton:stage=2;stage0Index=0;stage1Index=0;stage2Index=0;");

  MacroLibrary target;
  BuildSample(target);
  const LibraryEditResult result = ImportMacroFile(target, kNoLocation, path);
  ASSERT_EQ(result.outcome, LibraryOutcome::kDone);
  EXPECT_EQ(result.selection, (MacroItemLocation{0, 3, 0, 0}));
  MacroKey expected = *source.Item(kY).macro;
  expected.index = 10;
  EXPECT_EQ(*target.Item(result.selection).macro, expected);
  EXPECT_EQ(target.NextMacroIndex(), 11);

  const LibraryEditResult again = ImportMacroFile(target, kNoLocation, path);
  EXPECT_EQ(again.outcome, LibraryOutcome::kDuplicateName);
  EXPECT_EQ(again.LanguageEntry(), 241);
  EXPECT_EQ(target.NextMacroIndex(), 11);

  const LibraryEditResult intoFolder = ImportMacroFile(target, kG, path);  // placed like a new macro
  EXPECT_EQ(intoFolder.selection, (MacroItemLocation{1, 2, 0, 0}));
  EXPECT_TRUE(target.Item(kG).isOpen);
}

TEST(MacroFiles, ImportMacroWithNothingToTake) {
  MacroLibrary source;
  BuildSample(source);
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"not a library file", "\xFF\xFEgarbage"},
      {"recorded location holds nothing", Exported(source, kNoLocation)},
      {"recorded location is a folder", Exported(source, kF)},
      {"recorded location outside the tree", Exported(source, {5, 0, 0, 0})},
  };
  for (const auto& c : cases) {
    MacroLibrary target;
    BuildSample(target);
    EXPECT_EQ(ImportMacroBytes(target, kNoLocation, c.bytes).outcome, LibraryOutcome::kNothingToImport) << c.what;
    EXPECT_EQ(TreePicture(target), kSamplePicture) << c.what;
  }
  MacroLibrary target;
  TempFolder folder;
  EXPECT_EQ(ImportMacroFile(target, kNoLocation, folder.path() / "absent.mkf").outcome, LibraryOutcome::kNothingToImport);
}

TEST(MacroFiles, ImportAll) {
  MacroLibrary sample;
  BuildSample(sample);
  MacroLibrary withA;
  ASSERT_TRUE(NewMacro(withA, kNoLocation, u"A").Succeeded());
  ASSERT_TRUE(NewFolder(withA, kNoLocation, u"D").Succeeded());

  const struct {
    const char* what;
    MacroItemLocation exportedSelection;
    MacroItemLocation importSelection;
    LibraryOutcome outcome;
    Picture after;  // the target starts as: A (macro), [D] (folder)
    int created;
    int skipped;
  } cases[] = {
      {"everything, nothing selected", kNoLocation, kNoLocation, LibraryOutcome::kDone,
       {"0:0,0,0 A", "0:1,0,0 [D]", "0:2,0,0 [F]", "0:3,0,0 M", "0:4,0,0 [G]", "1:2,0,0 [S]", "1:2,1,0 X",
        "2:2,0,0 Y", "2:2,0,1 Z"},
       7, 0},
      {"everything into a first-level folder: the third level has no room for Y and Z", kNoLocation, {0, 1, 0, 0},
       LibraryOutcome::kDone,
       {"0:0,0,0 A", "0:1,0,0 [D]", "1:1,0,0 [F]", "1:1,1,0 M", "1:1,2,0 [G]", "2:1,0,0 X"}, 4, 3},
      {"deep macro selected: it and its later siblings", kY, kNoLocation, LibraryOutcome::kDone,
       {"0:0,0,0 A", "0:1,0,0 [D]", "0:2,0,0 Y", "0:3,0,0 Z"}, 2, 0},
      {"second-level folder selected, imported at the top: that folder alone", kS, kNoLocation, LibraryOutcome::kDone,
       {"0:0,0,0 A", "0:1,0,0 [D]", "0:2,0,0 [S]", "1:2,0,0 Y", "1:2,1,0 Z"}, 3, 0},
      {"second-level folder selected, imported into a folder: it and its later siblings", kS, {0, 1, 0, 0},
       LibraryOutcome::kDone, {"0:0,0,0 A", "0:1,0,0 [D]", "1:1,0,0 [S]", "1:1,1,0 X", "2:1,0,0 Y", "2:1,0,1 Z"}, 4, 0},
      {"top-level macro selected, imported with a macro selected", kM, {0, 0, 0, 0}, LibraryOutcome::kDone,
       {"0:0,0,0 A", "0:1,0,0 [D]", "0:2,0,0 M", "0:3,0,0 [G]"}, 2, 0},
  };
  for (const auto& c : cases) {
    MacroLibrary target;
    ASSERT_TRUE(ParseLibraryFile(Exported(withA, kNoLocation), target).ok);
    const LibraryEditResult result = ImportAllBytes(target, c.importSelection, Exported(sample, c.exportedSelection));
    EXPECT_EQ(result.outcome, c.outcome) << c.what;
    EXPECT_EQ(TreePicture(target), c.after) << c.what;
    EXPECT_EQ(result.created, c.created) << c.what;
    EXPECT_EQ(result.skipped, c.skipped) << c.what;
    EXPECT_EQ(result.selection, c.importSelection) << c.what;
    // Every imported macro got a fresh index, in creation order after the target's own.
    std::vector<std::uint32_t> indexes;
    target.ForEachItem([&](const MacroItemLocation&, const MacroItem& item) {
      if (item.IsMacro()) indexes.push_back(item.macro->index);
    });
    std::sort(indexes.begin(), indexes.end());
    EXPECT_EQ(std::adjacent_find(indexes.begin(), indexes.end()), indexes.end()) << c.what;
    EXPECT_EQ(indexes.back() + 1, static_cast<std::uint32_t>(target.NextMacroIndex())) << c.what;
  }
}

TEST(MacroFiles, ImportAllCopiesMacrosAndOpensOnlyTheDestination) {
  MacroLibrary sample;
  BuildSample(sample);
  sample.MutableItem(kF)->isOpen = true;
  sample.MutableItem(kS)->isOpen = true;

  MacroLibrary intoFolder;
  ASSERT_TRUE(NewFolder(intoFolder, kNoLocation, u"D").Succeeded());
  ASSERT_TRUE(ImportAllBytes(intoFolder, {0, 0, 0, 0}, Exported(sample, kNoLocation)).Succeeded());
  EXPECT_TRUE(intoFolder.Item({0, 0, 0, 0}).isOpen);
  EXPECT_FALSE(intoFolder.Item({1, 0, 0, 0}).isOpen);  // the imported F starts closed

  MacroLibrary atTop;
  ASSERT_TRUE(ImportAllBytes(atTop, kNoLocation, Exported(sample, kNoLocation)).Succeeded());
  EXPECT_FALSE(atTop.Item({1, 0, 0, 0}).isOpen);
  const MacroKey& y = *atTop.Item(kY).macro;
  MacroKey expected = *sample.Item(kY).macro;
  expected.index = y.index;
  EXPECT_EQ(y, expected);
  EXPECT_NE(y.index, 3u);
}

TEST(MacroFiles, ImportAllRefusesAnyClashAndTakesOnlyFreeSlots) {
  MacroLibrary sample;
  BuildSample(sample);
  MacroLibrary clash;
  ASSERT_TRUE(NewFolder(clash, kNoLocation, u"G").Succeeded());
  const LibraryEditResult refused = ImportAllBytes(clash, kNoLocation, Exported(sample, kNoLocation));
  EXPECT_EQ(refused.outcome, LibraryOutcome::kDuplicateName);
  EXPECT_EQ(TreePicture(clash), (Picture{"0:0,0,0 [G]"}));
  EXPECT_EQ(clash.NextMacroIndex(), 0);

  MacroLibrary crowded;
  for (int i = 0; i < kSlotsPerLevel - 2; ++i) ASSERT_TRUE(NewFolder(crowded, kNoLocation, u"f" + FormatDecimal(i)).Succeeded());
  const LibraryEditResult partial = ImportAllBytes(crowded, kNoLocation, Exported(sample, kNoLocation));
  EXPECT_EQ(partial.outcome, LibraryOutcome::kDone);
  EXPECT_EQ(partial.created, 6);  // F with S, X, Y, Z; then M; G finds no slot
  EXPECT_EQ(partial.skipped, 1);
  EXPECT_EQ(crowded.FirstFreeSlot(kNoLocation), -1);

  MacroLibrary target;
  EXPECT_EQ(ImportAllBytes(target, kNoLocation, "\xFF\xFE").outcome, LibraryOutcome::kNothingToImport);
  EXPECT_EQ(ImportAllBytes(target, kNoLocation, Exported(sample, {0, 9, 0, 0})).outcome,
            LibraryOutcome::kNothingToImport);
}

TEST(MacroFiles, ExportAllNamesAndRecordsTheSelection) {
  TempFolder folder;
  MacroLibrary library;
  BuildSample(library);
  EXPECT_EQ(ExportAllFileName(library, kNoLocation), u"AllMacroKey.mbf");
  EXPECT_EQ(ExportAllFileName(library, kS), u"S.mbf");
  ASSERT_TRUE(RenameItem(library, kM, u"a/b").Succeeded());
  EXPECT_EQ(ExportMacroFileName(library, kM), u"a_b.mkf");

  ASSERT_TRUE(ExportAll(library, kNoLocation, folder.path() / "AllMacroKey.mbf").Succeeded());
  MacroLibrary reread;
  const LibraryReadResult read = ReadLibraryFile(folder.path() / "AllMacroKey.mbf", reread);
  EXPECT_TRUE(read.ok);
  EXPECT_EQ(read.fileLocation, kNoLocation);
  EXPECT_EQ(ExportAll(library, kNoLocation, folder.path() / "no" / "such.mbf").outcome, LibraryOutcome::kWriteFailed);
}

}  // namespace
}  // namespace pelrin
