#include "tools/sample_host/sample_host.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include "tools/sample_host/sample_images.h"
#include "tools/utf16le.h"

namespace fs = std::filesystem;

namespace lumaset::tools {
namespace {

// The picture for an entry at one of the four pack scales.
std::pair<int, int> entrySize(const SampleEntry& e, int pack) {
  static const double kScale[] = {1.0, 2.0, 0.5, 1.5};
  auto scaled = [&](int n) { return static_cast<int>(n * kScale[pack]); };
  switch (e.kind) {
    case EntryKind::Splash:
      return {scaled(838), scaled(506)};
    case EntryKind::DarkIcon:
    case EntryKind::LightIcon:
      return {scaled(32), scaled(32)};
    case EntryKind::Padding:
      return {4, 4};
    case EntryKind::Tool:
      break;
  }
  return {scaled(16), scaled(16)};
}

Image drawEntry(const SampleEntry& e, int pack) {
  const auto [w, h] = entrySize(e, pack);
  switch (e.kind) {
    case EntryKind::Splash:
      return drawSplash(w, h, e.seed);
    case EntryKind::DarkIcon:
      return drawAppBarIcon(w, true);
    case EntryKind::LightIcon:
      return drawAppBarIcon(w, false);
    case EntryKind::Padding:
      return drawToolIcon(4, 0);
    case EntryKind::Tool:
      break;
  }
  return drawToolIcon(w, e.seed);
}

// The PNG of an entry; tool icons repeat by seed, so each is drawn once.
const std::string& entryPng(const SampleEntry& e, int pack, std::map<std::pair<int, int>, std::string>& drawn,
                            std::string& scratch) {
  if (e.kind != EntryKind::Tool) return scratch = encodePng(drawEntry(e, pack), 1);
  auto [at, fresh] = drawn.try_emplace({e.seed, pack});
  if (fresh) at->second = encodePng(drawEntry(e, pack), 1);
  return at->second;
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

// The packs as they grow, written as they go so that padded packs need little memory.
struct PackWriter {
  std::vector<std::ofstream> files;
  std::vector<std::uint64_t> sizes;
  const std::string chunk = std::string(1 << 20, static_cast<char>(0x5A));

  void pad(int p, std::uint64_t bytes) {
    for (std::uint64_t left = bytes; left > 0;) {
      std::uint64_t n = std::min<std::uint64_t>(left, chunk.size());
      files[p].write(chunk.data(), static_cast<std::streamsize>(n));
      left -= n;
    }
  }
};

// Release-shaped hosts: the splash lies past 2.7 MB in the LowRes pack and past 4.4 MB
// in the HighRes one, as in a real installation.
constexpr std::uint64_t kReleasePadding[4] = {2900000, 4600000, 0, 0};

// The index and its packs. Release-shaped hosts keep the extra packs at 4 bytes: each
// record's slots there have a length of 0 (and an offset that points nowhere).
bool writeIconFiles(const SampleHostOptions& options, const fs::path& root, SampleHost& host, std::string& error) {
  const bool release = options.shape != HostShape::Sample;
  const int packs = options.fourPack ? 4 : 2;
  const std::size_t recordSize = options.fourPack ? 368 : 208;
  const std::size_t widthAt = 48, heightAt = options.fourPack ? 64 : 56;
  const std::size_t offsetAt = options.fourPack ? 112 : 80;
  const std::size_t lengthAt = options.fourPack ? 240 : 144;
  const char* packNames[] = {"PSIconsLowRes.dat", "PSIconsHighRes.dat", "PSIconsXLowRes.dat", "PSIconsXHighRes.dat"};

  PackWriter w;
  w.sizes.assign(packs, 4);
  for (int p = 0; p < packs; ++p) {
    w.files.emplace_back(root / "Resources" / packNames[p], std::ios::binary | std::ios::trunc);
    w.files[p] << "fdra";
  }
  std::map<std::pair<int, int>, std::string> drawn;
  std::string scratch;
  host.index = header(options.fourPack);
  int number = 0;
  for (const SampleEntry& entry : sampleEntries(options.shape)) {
    ++number;
    std::string record = nameField(entry.name);
    record.resize(recordSize, '\0');
    // Bytes the system must carry unchanged: a pattern in every unused slot and gap.
    for (std::size_t i = 48; i < recordSize; ++i) record[i] = static_cast<char>((number * 31 + i * 7) & 0xFF);
    SampleRecord sample;
    sample.name = entry.name;
    for (int p = 0; p < packs; ++p) {
      const auto offset = static_cast<std::uint32_t>(w.sizes[p]);
      const bool empty = (release && p >= 2) || (entry.highEmpty && p == 1);
      std::string png;
      std::uint64_t length = 0;
      if (!empty) {
        png = entryPng(entry, p, drawn, scratch);
        w.files[p] << png;
        length = png.size();
        if (entry.kind == EntryKind::Padding) {
          const std::uint64_t padding = options.packPadding[p] + (release ? kReleasePadding[p] : 0);
          w.pad(p, padding);
          length += padding;
        }
      }
      w.sizes[p] += length;
      const auto [width, height] = empty ? std::pair{0, 0} : entrySize(entry, p);
      put32(record, widthAt + 4 * p, static_cast<std::uint32_t>(width));
      put32(record, heightAt + 4 * p, static_cast<std::uint32_t>(height));
      // A zero length names nothing, wherever its offset points.
      put32(record, offsetAt + 32 * p, empty && p >= 2 ? offset + 4096u * number : offset);
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
    w.files[p].close();
    if (!w.files[p]) {
      error = std::string("cannot write ") + packNames[p];
      return false;
    }
  }
  return writeBytes(host.indexPath, host.index, error);
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
  fs::path languageDir = root / (options.chinese ? sampleLanguageFolder(options.version) : "Locales/en_US/Support Files");
  fs::create_directories(languageDir, ec);
  host = SampleHost{};
  host.folder = root.string();
  host.exePath = (root / "Photoshop.exe").string();
  host.indexPath = (root / "Resources" / "IconResources.idx").string();
  host.languageFolder = languageDir.string();
  host.languageFile =
      (languageDir / (options.chinese ? sampleLanguageFileName(options.version) : "tw10428.dat")).string();
  host.rotatingNames = rotatingNames();

  if (!options.stubExe.empty()) {
    fs::copy_file(options.stubExe, host.exePath, fs::copy_options::overwrite_existing, ec);
    if (ec) {
      error = "cannot copy " + options.stubExe + ": " + ec.message();
      return false;
    }
  }
  if (!writeIconFiles(options, root, host, error)) return false;
  host.languageBytes = languageFile(options.languageBom);
  return writeBytes(host.languageFile, host.languageBytes, error);
}

}  // namespace lumaset::tools
