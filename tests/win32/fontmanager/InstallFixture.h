// Real font files for installing and removing: copies of Debian's fonts
// renamed to families no system knows, in a folder of the test prefix, the
// trash that Wine keeps as the Recycle Bin, a network drive, and files that
// the file system refuses to change. Whatever a test installs is withdrawn,
// deleted and unregistered afterwards.
#pragma once

#include "MainWindowFixture.h"

#include "fontcore/MessageBoxLook.h"

#include <set>
#include <string>
#include <vector>

// A family of the Hack package, renamed: "Hack" becomes `family` (four
// characters) in every name of the files.
inline constexpr const char* kHackStyles[] = {"Hack-Regular.ttf", "Hack-Bold.ttf",
                                              "Hack-Italic.ttf", "Hack-BoldItalic.ttf"};

// The full names of the styles of a renamed Hack family.
std::vector<std::string> HackFullNames(const std::string& family);

// Copies `unixSource` to `destination`, every occurrence of `from` replaced
// by `to`, in 8-bit and in big-endian UTF-16 text. A shorter `to` is padded
// with NULs (for the NUL-ended names of raster files) and leaves UTF-16 alone.
void CopyRenamed(const std::string& unixSource, const std::string& destination,
                 const std::string& from, const std::string& to);

// Whether file `path` holds exactly `bytes`; a failure tells the sizes
// rather than the bytes.
::testing::AssertionResult HoldsBytes(const std::string& path, const std::string& bytes);

// The distinct full names EnumFontFamilies gives for `family`.
std::set<std::string> LoadedStyles(const std::string& family);

// The Unix path Wine gives a Windows path.
std::string UnixPathOf(const std::string& windowsPath);
// Sets or clears the file system's immutable flag of `windowsPath`: nobody,
// root included, may then change, rename or delete it.
void SetImmutable(const std::string& windowsPath, bool immutable);

// Where Wine keeps a file that went to the Recycle Bin.
std::string TrashedFile(const std::string& name);
// The network drive the test prefix has, as "N:\".
inline constexpr char kNetworkRoot[] = "N:\\";
// And its removable drive.
inline constexpr char kRemovableRoot[] = "R:\\";

class InstallTest : public MainWindowTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A fresh folder of the test prefix for this test's source files.
  std::string SourceFolder(const std::string& under = "C:\\zel95-sources");
  // The four styles of Hack renamed to `family`, in `folder`; their paths.
  std::vector<std::string> PutHackFamily(const std::string& folder, const std::string& family,
                                         size_t styles = 4);
  // A copy of one of Wine's MS Sans Serif raster files with its face
  // renamed; its description then begins with the new face.
  std::string PutRasterFont(const std::string& folder, const std::string& fileName,
                            const std::string& face, const std::string& source = "sserife.fon");

  // Installs `path` as the program would, by hand: file in the fonts
  // folder (when `copy`), registry value, AddFontResource.
  void InstallByHand(const std::string& path, const std::string& valueName, bool copy);

  // A file of the fonts folder (or a path) this test may have made or
  // loaded, to be withdrawn and deleted afterwards.
  void CleanUpFontFile(const std::string& file) { fontFiles_.insert(file); }

  std::string fonts;  // the fonts folder, ending in "\"

 private:
  std::set<std::string> fontFiles_;
  std::vector<std::string> folders_;
};
