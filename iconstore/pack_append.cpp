#include "iconstore/pack_append.h"

#include "formats/png.h"
#include "iconstore/index_format.h"
#include "iconstore/lookup.h"

namespace lumaset {
namespace {

// The image's bytes, or nothing when the file is not one the host could show.
std::optional<Bytes> readImage(Files& files, const std::string& path) {
  FileInfo info = files.info(path);
  if (!info.exists || info.isFolder || info.size == 0 || info.size > kPngMaxFileSize) return std::nullopt;
  Bytes image = files.readFile(path);
  if (!isSoundPng(image)) return std::nullopt;
  return image;
}

}  // namespace

std::optional<ReplacementPlan> planReplacements(Files& files, const RecordTable& table, PackSizes sizes,
                                                const std::map<Pack, std::string>& packPaths,
                                                const std::vector<Replacement>& replacements, std::string& refusal) {
  ReplacementPlan plan{table, {}};
  for (const Replacement& r : replacements) {
    std::size_t number = findRecord(plan.table, r.resource);
    if (number == 0) {
      refusal = "索引中没有这个图片资源，未作修改：" + r.resource;
      return std::nullopt;
    }
    std::optional<Bytes> image = readImage(files, r.imagePath);
    if (!image) {
      refusal = "不是有效的 PNG 图片文件，未作修改：" + r.imagePath;
      return std::nullopt;
    }
    Bytes& appended = plan.appended[r.pack];
    const std::uint64_t offset = (r.pack == Pack::LowRes ? sizes.low : sizes.high) + appended.size();
    if (offset + image->size() >= kPackLimit) {
      refusal = "图片包将超过 2 GB，无法再添加图片：" + packPaths.at(r.pack);
      return std::nullopt;
    }
    plan.table.setOffset(number, r.pack, static_cast<std::int32_t>(offset));
    plan.table.setLength(number, r.pack, static_cast<std::int32_t>(image->size()));
    appended += *image;
  }
  return plan;
}

bool writeReplacements(HostEdit& edit, Interaction& ui, const ReplacementPlan& plan,
                       const std::map<Pack, std::string>& packPaths, const std::string& indexPath) {
  if (plan.appended.empty()) return true;
  for (const Pack pack : {Pack::LowRes, Pack::HighRes}) {
    auto images = plan.appended.find(pack);
    if (images == plan.appended.end()) continue;
    const std::string& path = packPaths.at(pack);
    if (!edit.appendFile(path, images->second)) {
      ui.messageBox("写入文件失败：" + path, "错误", MessageIcon::Error);
      return false;
    }
  }
  if (!edit.writeFile(indexPath, serialiseIndex(plan.table))) {
    ui.messageBox("写入文件失败：" + indexPath, "错误", MessageIcon::Error);
    return false;
  }
  return true;
}

}  // namespace lumaset
