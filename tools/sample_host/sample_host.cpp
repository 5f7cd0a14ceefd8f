#include "tools/sample_host/sample_host.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "tools/sample_host/sample_images.h"
#include "tools/utf16le.h"

namespace fs = std::filesystem;

namespace lumaset::tools {
namespace {

struct Entry {
  std::string name;
  int kind;  // 0 tool icon, 1 splash, 2 dark app bar, 3 light app bar
  int seed;
};

std::vector<Entry> sampleEntries() {
  std::vector<Entry> entries;
  const char* tools[] = {"ToolMove",       "ToolMarquee",  "ToolLasso",     "ToolQuickSelect", "ToolCrop",
                         "ToolEyedropper", "ToolHealing",  "ToolBrush",     "ToolStamp",       "ToolHistory",
                         "ToolEraser",     "ToolGradient", "ToolBlur",      "ToolDodge",       "ToolPen",
                         "ToolType",       "ToolPath",     "ToolShape",     "ToolHand",        "ToolZoom",
                         "PanelHistory",   "PanelColor",   "PanelSwatches", "PanelChannels",   "PanelPaths",
                         "PanelAdjust",    "PanelStyles",  "PanelActions"};
  int seed = 1;
  for (int i = 0; i < 10; ++i) entries.push_back({tools[i], 0, seed++});
  entries.push_back({"Splash1080Background", 1, 200});
  for (int i = 10; i < 18; ++i) entries.push_back({tools[i], 0, seed++});
  entries.push_back({"PS_OWL_appbar_dark_win", 2, 0});
  entries.push_back({"PS_OWL_appbar_light_win", 3, 0});
  // Differs from the splash's name only in letter case: a lookup must not find it.
  entries.push_back({"splash1080background", 1, 20});
  // Bytes after the name's NUL are part of the record, not of the name.
  entries.push_back({std::string("PanelLayers\0garbage-after-nul", 30), 0, seed++});
  for (int i = 18; i < 28; ++i) entries.push_back({tools[i], 0, seed++});
  // A second record of the same name: the first one in file order wins.
  entries.push_back({"Splash1080Background", 1, 120});
  entries.push_back({"PS_OWL_appbar_dark_win", 0, seed++});
  entries.push_back({"FillerPadding", 4, 0});
  return entries;
}

// The picture for an entry at one of the four pack scales.
Image drawEntry(const Entry& e, int pack) {
  static const double kScale[] = {1.0, 2.0, 0.5, 1.5};
  double s = kScale[pack];
  switch (e.kind) {
    case 1:
      return drawSplash(static_cast<int>(838 * s), static_cast<int>(506 * s), e.seed);
    case 2:
      return drawAppBarIcon(static_cast<int>(32 * s), true);
    case 3:
      return drawAppBarIcon(static_cast<int>(32 * s), false);
    case 4:
      return drawToolIcon(4, 0);
    default:
      return drawToolIcon(static_cast<int>(16 * s), e.seed);
  }
}

void put32(std::string& b, std::size_t pos, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[pos + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::string nameField(const std::string& name) {
  std::string field = name.substr(0, 48);
  field.resize(48, '\0');
  return field;
}

std::string header(bool fourPack) {
  const char* packs[] = {"PSIconsLowRes.dat", "PSIconsHighRes.dat", "PSIconsXLowRes.dat", "PSIconsXHighRes.dat"};
  std::string h = "Photoshop Icon Resource Index 1.0\n";
  for (int i = 0; i < (fourPack ? 4 : 2); ++i) {
    std::string field = packs[i];
    field.resize(127, '\0');
    h += field + '\n';
  }
  return h;
}

std::u16string widen(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

bool writeBytes(const fs::path& path, const std::string& bytes, std::string& error) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) error = "cannot write " + path.string();
  return static_cast<bool>(out);
}

const std::vector<std::string>& rotatingNames() {
  // Thirteen invented names of 171 characters in all.
  static const std::vector<std::string> names = {
      "AdelaMoravcova", "BrunoLindqvist",  "ChiaraBenedetti", "DmitriVolkonsky", "ElifKaraca",
      "FaridHaddad",    "GretaSorlie",     "HirokoTanabe",    "IsmaelQuintero",  "JonasBrekke",
      "KatarinaNovak",  "LucienMarchetti", "MireilleDufresne"};
  return names;
}

std::string languageFile(bool bom) {
  std::vector<std::pair<std::string, std::u16string>> lines = {
      {"$$$/Menu/File", u"文件"},
      {"$$$/Menu/Edit", u"编辑"},
      {"$$$/private/Credits/Legal/CopyrightTwoLine", u"© 1990-2015 样例系统公司及其许可方。\\n保留所有权利。"},
      {"$$$/About/ReleaseX", u"样例发行版"},
      {"$$$/Credits/Artwork/ArtworkBy", u"启动画面作品：样例画家"},
  };
  for (int i = 0; i < 15; ++i)
    lines.push_back({"$$$/private/Credits/AutoGen/" + std::to_string(101000 + 10 * i),
                     u"样例署名 " + widen(std::to_string(i + 1))});
  for (const std::string& name : rotatingNames())
    lines.push_back({"$$$/private/Credits/RotatingNames/" + name, widen(name)});
  for (const char* key : {"Reading", "ScanDone", "Sorting", "SortingDone"})
    lines.push_back({std::string("$$$/FontServer/Splash/") + key, u"正在处理字体..."});
  for (const char* key : {"AddingExtension",
                          "BuildingConversionTables",
                          "BuildingMenus",
                          "FindingSystemProfiles",
                          "Initializing",
                          "InitializingAXE",
                          "InitializingAssetManagement",
                          "InitializingColorPrefs",
                          "InitializingCoreTech",
                          "InitializingICC",
                          "InitializingMenus",
                          "InitializingPalettes",
                          "InitializingSuitePea",
                          "InitializingTools",
                          "InitializingTwain",
                          "InitializingVM",
                          "LoadingBrushes",
                          "LookingForPrefs",
                          "ReadingBrushes",
                          "ReadingColorSettings",
                          "ReadingPrefs",
                          "ReadingPrefsObjectID",
                          "ScanningForPlugIns",
                          "ScanningForPlugIns/NameAppended",
                          "ScanningForPresets",
                          "StartingUpPlugIns"})
    lines.push_back({std::string("$$$/Splash/") + key, u"正在初始化..."});
  lines.push_back({"$$$/Menu/Help", u"帮助"});

  std::u16string text = bom ? u"\uFEFF" : u"";
  for (const auto& [key, value] : lines) text += u"\"" + widen(key) + u"=" + value + u"\"\r\n";
  return utf16le(text);
}

}  // namespace

std::string sampleLanguageFolder(const std::string& version) {
  double v = std::atof(version.c_str());
  return (v >= 18 && v < 19) ? "Locales/zh_CN" : "Locales/zh_CN/Support Files";
}

std::string sampleLanguageFileName(const std::string& version) {
  return std::atof(version.c_str()) >= 18 ? "tw10428_Photoshop_zh_CN.dat" : "tw10428.dat";
}

bool writeSampleHost(const SampleHostOptions& options, SampleHost& host, std::string& error) {
  fs::path root = options.folder;
  std::error_code ec;
  fs::create_directories(root / "Resources", ec);
  fs::path languageDir = root / sampleLanguageFolder(options.version);
  fs::create_directories(languageDir, ec);
  host = SampleHost{};
  host.folder = root.string();
  host.exePath = (root / "Photoshop.exe").string();
  host.indexPath = (root / "Resources" / "IconResources.idx").string();
  host.languageFolder = languageDir.string();
  host.languageFile = (languageDir / sampleLanguageFileName(options.version)).string();
  host.rotatingNames = rotatingNames();

  if (!options.stubExe.empty()) {
    fs::copy_file(options.stubExe, host.exePath, fs::copy_options::overwrite_existing, ec);
    if (ec) {
      error = "cannot copy " + options.stubExe + ": " + ec.message();
      return false;
    }
  }

  const int packs = options.fourPack ? 4 : 2;
  const std::size_t recordSize = options.fourPack ? 368 : 208;
  const std::size_t widthAt = 48, heightAt = options.fourPack ? 64 : 56;
  const std::size_t offsetAt = options.fourPack ? 112 : 80;
  const std::size_t lengthAt = options.fourPack ? 240 : 144;
  const char* packNames[] = {"PSIconsLowRes.dat", "PSIconsHighRes.dat", "PSIconsXLowRes.dat", "PSIconsXHighRes.dat"};

  // Packs are written as they grow, so that padded packs of any size need little memory.
  std::vector<std::ofstream> packFiles;
  std::vector<std::uint64_t> packSizes(packs, 4);
  for (int p = 0; p < packs; ++p) {
    packFiles.emplace_back(root / "Resources" / packNames[p], std::ios::binary | std::ios::trunc);
    packFiles[p] << "fdra";
  }
  const std::string chunk(1 << 20, static_cast<char>(0x5A));

  host.index = header(options.fourPack);
  int number = 0;
  for (const Entry& entry : sampleEntries()) {
    ++number;
    std::string record = nameField(entry.name);
    record.resize(recordSize, '\0');
    // Bytes the system must carry unchanged: a pattern in every unused slot and gap.
    for (std::size_t i = 48; i < recordSize; ++i) record[i] = static_cast<char>((number * 31 + i * 7) & 0xFF);
    SampleRecord sample;
    sample.name = entry.name;
    for (int p = 0; p < packs; ++p) {
      Image image = drawEntry(entry, p);
      std::string png = encodePng(image, 1);
      auto offset = static_cast<std::uint32_t>(packSizes[p]);
      packFiles[p] << png;
      std::uint64_t length = png.size();
      if (entry.kind == 4) {
        for (std::uint64_t left = options.packPadding[p]; left > 0;) {
          std::uint64_t n = std::min<std::uint64_t>(left, chunk.size());
          packFiles[p].write(chunk.data(), static_cast<std::streamsize>(n));
          left -= n;
        }
        length += options.packPadding[p];
      }
      packSizes[p] += length;
      put32(record, widthAt + 4 * p, static_cast<std::uint32_t>(image.width));
      put32(record, heightAt + 4 * p, static_cast<std::uint32_t>(image.height));
      put32(record, offsetAt + 32 * p, offset);
      put32(record, lengthAt + 32 * p, static_cast<std::uint32_t>(length));
      if (p == 0) {
        sample.lowImage = png;
        sample.lowOffset = offset;
      }
      if (p == 1) {
        sample.highImage = png;
        sample.highOffset = offset;
      }
    }
    host.records.push_back(sample);
    host.index += record;
  }
  for (int p = 0; p < packs; ++p) {
    packFiles[p].close();
    if (!packFiles[p]) {
      error = std::string("cannot write ") + packNames[p];
      return false;
    }
  }
  if (!writeBytes(host.indexPath, host.index, error)) return false;
  host.languageBytes = languageFile(options.languageBom);
  return writeBytes(host.languageFile, host.languageBytes, error);
}

}  // namespace lumaset::tools
