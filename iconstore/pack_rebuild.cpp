#include "iconstore/pack_rebuild.h"

#include <map>

#include "formats/path_text.h"
#include "formats/png.h"
#include "iconstore/index_format.h"
#include "iconstore/lookup.h"

namespace lumaset {
namespace {

struct PackPlan {
  std::string path;
  std::uint64_t size = 0;  // length before anything is added
  Bytes appended;
};

void showError(Interaction& ui, const std::string& text) { ui.messageBox(text, "错误", MessageIcon::Error); }

// The image's bytes, or nothing when the file is not one the host could show.
std::optional<Bytes> readImage(Files& files, const std::string& path) {
  FileInfo info = files.info(path);
  if (!info.exists || info.isFolder || info.size == 0 || info.size > kPngMaxFileSize) return std::nullopt;
  Bytes image = files.readFile(path);
  if (!isSoundPng(image)) return std::nullopt;
  return image;
}

}  // namespace

ReplaceOutcome replaceImages(HostEdit& edit, Interaction& ui, RecordTable& current, const std::string& indexPath,
                             const std::vector<Replacement>& replacements) {
  Files& files = edit.files();
  const std::string folder = folderWithSeparator(indexPath, files.separator());
  RecordTable table = current;
  std::map<Pack, PackPlan> plans;
  ReplaceOutcome outcome = ReplaceOutcome::Done;
  auto refuse = [&](const std::string& text) {
    showError(ui, text);
    outcome = ReplaceOutcome::Refused;
  };

  for (const Replacement& r : replacements) {
    std::size_t number = findRecord(table, r.resource);
    if (number == 0) {
      refuse("索引中没有这个图片资源，未作修改：" + r.resource);
      continue;
    }
    std::optional<Bytes> image = readImage(files, r.imagePath);
    if (!image) {
      refuse("不是有效的 PNG 图片文件，未作修改：" + r.imagePath);
      continue;
    }
    PackPlan& plan = plans[r.pack];
    if (plan.path.empty()) {
      plan.path = folder + packFileName(r.pack);
      plan.size = files.info(plan.path).size;
    }
    std::uint64_t offset = plan.size + plan.appended.size();
    if (offset + image->size() >= kPackLimit) {
      refuse("图片包将超过 2 GB，无法再添加图片：" + plan.path);
      continue;
    }
    table.setOffset(number, r.pack, static_cast<std::int32_t>(offset));
    table.setLength(number, r.pack, static_cast<std::int32_t>(image->size()));
    plan.appended += *image;
  }
  if (plans.empty()) return outcome;

  for (const Pack pack : {Pack::LowRes, Pack::HighRes}) {
    auto plan = plans.find(pack);
    if (plan == plans.end()) continue;
    if (!edit.appendFile(plan->second.path, plan->second.appended)) {
      showError(ui, "写入文件失败：" + plan->second.path);
      return ReplaceOutcome::WriteFailed;
    }
  }
  if (!edit.writeFile(indexPath, serialiseIndex(table))) {
    showError(ui, "写入文件失败：" + indexPath);
    return ReplaceOutcome::WriteFailed;
  }
  current = std::move(table);
  return outcome;
}

}  // namespace lumaset
