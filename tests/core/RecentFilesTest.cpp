// The recent-file list: a file opened or saved moves to the top, spelled as
// just given; entries above its old slot move down, those below stay.
#include "app/RecentFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TreeFileTestSupport.h"

namespace velmora {
namespace {

using testing::Path;

// The slots as one line ("a b - d": slot 3 empty), to compare at a glance.
std::string Slots(const RecentFiles& list) {
  std::string out;
  for (int n = 1; n <= HistorySize; ++n) {
    if (n > 1) out += ' ';
    out += list.Slot(n).Empty() ? std::string("-") : list.Slot(n).Utf8();
  }
  return out;
}

struct HistoryCase {
  const char* name;
  std::vector<const char*> before;  // slot 1 first; "" for an empty slot
  const char* added;
  const char* after;
};

class AddToHistory : public ::testing::TestWithParam<HistoryCase> {};

TEST_P(AddToHistory, MovesTheFileToTheTop) {
  BytewiseCollation collation;
  RecentFiles list(collation);
  const HistoryCase& c = GetParam();
  for (std::size_t i = 0; i < c.before.size(); ++i) list.SetSlot(static_cast<int>(i) + 1, Path(c.before[i]));
  list.AddToHistory(Path(c.added));
  EXPECT_EQ(Slots(list), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AddToHistory,
    ::testing::Values(
        HistoryCase{"IntoAnEmptyList", {}, "a", "a - - - - - - - -"},
        HistoryCase{"SameFileTwice", {"a"}, "a", "a - - - - - - - -"},
        HistoryCase{"SlotFiveToSlotOne", {"1", "2", "3", "4", "5", "6", "7", "8", "9"}, "5", "5 1 2 3 4 6 7 8 9"},
        HistoryCase{"TenthFilePushesOutSlotNine", {"1", "2", "3", "4", "5", "6", "7", "8", "9"}, "x",
                    "x 1 2 3 4 5 6 7 8"},
        HistoryCase{"OnlyLetterCaseDiffersTakesTheNewSpelling", {"C:\\A.tre", "C:\\b.tre"}, "c:\\b.TRE",
                    "c:\\b.TRE C:\\A.tre - - - - - - -"},
        // Full-width letters are double-byte in CP932: their case counts.
        HistoryCase{"DoubleByteLettersKeepTheirCase", {"C:\\\xef\xbc\xa1.tre"}, "C:\\\xef\xbd\x81.tre",
                    "C:\\\xef\xbd\x81.tre C:\\\xef\xbc\xa1.tre - - - - - - -"},
        // A hand-edited file may name a file twice: the highest slot goes.
        HistoryCase{"HighestMatchingSlotWins", {"a", "b", "a", "c"}, "A", "A a b c - - - - -"},
        HistoryCase{"GapsMoveDownLikeEntries", {"a", "", "b"}, "b", "b a - - - - - - -"},
        HistoryCase{"AnEmptyPathIsNoFile", {"a"}, "", "a - - - - - - - -"}),
    [](const ::testing::TestParamInfo<HistoryCase>& info) { return std::string(info.param.name); });

TEST(RecentFiles, CaptionsNumberTheSlotsAndHideEmptyOnes) {
  BytewiseCollation collation;
  RecentFiles list(collation);
  testing::MemoryFileSystem files;
  list.SetSlot(1, Path("C:\\a.tre"));
  list.SetSlot(3, Path("C:\\c.tre"));
  EXPECT_EQ(list.Caption(1, files), "&1 C:\\a.tre");
  EXPECT_EQ(list.Caption(2, files), "");
  EXPECT_EQ(list.Caption(3, files), "&3 C:\\c.tre");
}

}  // namespace
}  // namespace velmora
