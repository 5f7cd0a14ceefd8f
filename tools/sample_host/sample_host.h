// Writes a Photoshop-like installation of our own making into a folder: a stub
// Photoshop.exe with a version resource, an icon index in either layout with its packs
// of real PNG images (a small sample, or shaped as a real release's), and a UTF-16LE
// zh_CN language file in the folder that the version calls for (or an en_US one).
// Tools and tests build hosts with it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tools/sample_host/sample_entries.h"

namespace lumaset::tools {

struct SampleHostOptions {
  std::string folder;              // created when missing
  std::string stubExe;             // copied to folder/Photoshop.exe
  std::string version = "16.1.2";  // picks the language folder and file name
  bool fourPack = true;
  bool languageBom = false;  // start the language file with a byte-order mark
  HostShape shape = HostShape::Sample;
  // False: an installation in another language, with en_US and no zh_CN folder.
  bool chinese = true;
  // Filler bytes added to each pack (inside an unnamed record's image) so that packs
  // reach a realistic size; 0 for none. Order: LowRes, HighRes, XLowRes, XHighRes.
  std::uint64_t packPadding[4] = {0, 0, 0, 0};
};

struct SampleRecord {
  std::string name;       // as stored: may carry bytes after its NUL
  std::string lowImage;   // PNG bytes in PSIconsLowRes.dat
  std::string highImage;  // PNG bytes in PSIconsHighRes.dat
  std::uint32_t lowOffset = 0, highOffset = 0;
};

struct SampleHost {
  std::string folder;
  std::string exePath;
  std::string indexPath;
  std::string languageFolder;
  std::string languageFile;
  std::vector<SampleRecord> records;  // in index order
  std::string index;                  // the index file's bytes
  std::string languageBytes;          // the language file's bytes
  std::vector<std::string> rotatingNames;
};

// Returns false and sets `error` when a file cannot be written.
bool writeSampleHost(const SampleHostOptions& options, SampleHost& host, std::string& error);

// The language file's folder below the host folder, and its name, for a version text.
std::string sampleLanguageFolder(const std::string& version);
std::string sampleLanguageFileName(const std::string& version);

}  // namespace lumaset::tools
