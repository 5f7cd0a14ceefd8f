#include "iconstore/pack_rebuild.h"

#include <map>

#include "app/paths.h"
#include "iconstore/index_format.h"
#include "iconstore/lookup.h"

namespace lumaset {
namespace {

const Bytes kPngSignature("\x89PNG\r\n\x1a\n", 8);

struct PackPlan {
  std::string path;
  std::uint64_t size = 0;  // length before anything is added
  Bytes appended;
};

void showError(Context& ctx, const std::string& text) { ctx.ui.messageBox(text, "错误", MessageIcon::Error); }

// The image's bytes, or nothing when the file is not one the host could show.
std::optional<Bytes> readImage(Context& ctx, const std::string& path) {
  FileInfo info = ctx.files.info(path);
  if (!info.exists || info.isFolder || info.size == 0) return std::nullopt;
  Bytes image = ctx.files.readFile(path);
  if (image.compare(0, kPngSignature.size(), kPngSignature) != 0) return std::nullopt;
  return image;
}

}  // namespace

ReplaceOutcome replaceImages(Context& ctx, const std::vector<Replacement>& replacements) {
  const std::string folder = folderWithSeparator(ctx.state.currentIndexPath, ctx.sep());
  RecordTable table = ctx.state.records;
  std::map<Pack, PackPlan> plans;
  ReplaceOutcome outcome = ReplaceOutcome::Done;
  auto refuse = [&](const std::string& text) {
    showError(ctx, text);
    outcome = ReplaceOutcome::Refused;
  };

  for (const Replacement& r : replacements) {
    std::size_t number = findRecord(table, r.resource);
    if (number == 0) {
      refuse("索引中没有这个图片资源，未作修改：" + r.resource);
      continue;
    }
    std::optional<Bytes> image = readImage(ctx, r.imagePath);
    if (!image) {
      refuse("不是有效的 PNG 图片文件，未作修改：" + r.imagePath);
      continue;
    }
    PackPlan& plan = plans[r.pack];
    if (plan.path.empty()) {
      plan.path = folder + packFileName(r.pack);
      plan.size = ctx.files.info(plan.path).size;
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
    if (!ctx.files.appendFile(plan->second.path, plan->second.appended)) {
      showError(ctx, "写入文件失败：" + plan->second.path);
      return ReplaceOutcome::WriteFailed;
    }
  }
  if (!ctx.files.writeFile(ctx.state.currentIndexPath, serialiseIndex(table))) {
    showError(ctx, "写入文件失败：" + ctx.state.currentIndexPath);
    return ReplaceOutcome::WriteFailed;
  }
  ctx.state.records = std::move(table);
  return outcome;
}

}  // namespace lumaset
