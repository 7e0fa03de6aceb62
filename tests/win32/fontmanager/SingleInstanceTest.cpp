// Finding the running instance of the program in the system's process list.
#include "fontmanager/SingleInstance.h"

#include <gtest/gtest.h>

namespace {

const char kExe[] = "C:\\Program Files\\Zel95\\Zel95APP.exe";

// The processes as a later system lists them, and the paths it would give.
struct TListing {
  std::vector<TListedProcess> processes = {{4, "explorer.exe"},
                                           {8, "ZEL95APP.EXE"},
                                           {12, "notepad.exe"},
                                           {16, "Zel95APP.exe"},
                                           {20, "Zel95APP.exe"}};
  std::vector<DWORD> asked;
  std::string Path(DWORD id) {
    asked.push_back(id);
    return id == 20 ? kExe : id == 16 ? "C:\\Old\\Zel95APP.exe" : "C:\\windows\\other.exe";
  }
};

TEST(FindInstanceIn, AsksForThePathsOfProcessesOfTheSameFileNameOnly) {
  TListing listing;
  EXPECT_EQ(FindInstanceIn(listing.processes, 99, kExe, [&](DWORD id) { return listing.Path(id); }),
            20u);
  EXPECT_EQ(listing.asked, (std::vector<DWORD>{8, 16, 20}));
}

TEST(FindInstanceIn, SkipsItselfAndComparesWholePathsExactly) {
  TListing listing;
  auto path = [&](DWORD id) { return listing.Path(id); };
  EXPECT_EQ(FindInstanceIn(listing.processes, 20, kExe, path), 0u);
  EXPECT_EQ(FindInstanceIn(listing.processes, 99, "c:\\program files\\zel95\\zel95app.exe", path),
            0u);
  // Windows 95 lists whole paths; no module is asked about then.
  listing.asked.clear();
  const std::vector<TListedProcess> whole = {{4, "C:\\WINDOWS\\EXPLORER.EXE"}, {8, kExe}};
  EXPECT_EQ(FindInstanceIn(whole, 99, kExe, path), 8u);
  EXPECT_TRUE(listing.asked.empty());
}

}  // namespace
