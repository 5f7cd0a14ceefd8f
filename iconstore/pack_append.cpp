#include "iconstore/pack_append.h"

#include "formats/png.h"
#include "iconstore/index_format.h"
#include "iconstore/lookup.h"

namespace lumaset {

std::optional<Bytes> readPackImage(SystemReading& files, const std::string& path) {
  FileInfo info = files.info(path);
  if (!info.exists || info.isFolder || info.size == 0 || info.size > kPngMaxFileSize) return std::nullopt;
  Bytes image = files.readFile(path);
  if (!isSoundPng(image)) return std::nullopt;
  return image;
}

std::optional<ReplacementPlan> planReplacements(SystemReading& files, const RecordTable& table, PackSizes sizes,
                                                const std::map<Pack, std::string>& packPaths,
                                                const std::vector<Replacement>& replacements, PlanRefusal& refusal) {
  ReplacementPlan plan{table, {}};
  for (const Replacement& r : replacements) {
    std::size_t number = findRecord(plan.table, r.resource);
    if (number == 0) {
      refusal = {PlanProblem::NoSuchResource, r.resource};
      return std::nullopt;
    }
    std::optional<Bytes> image = readPackImage(files, r.imagePath);
    if (!image) {
      refusal = {PlanProblem::NotAPng, r.imagePath};
      return std::nullopt;
    }
    Bytes& appended = plan.appended[r.pack];
    const std::uint64_t offset = (r.pack == Pack::LowRes ? sizes.low : sizes.high) + appended.size();
    if (offset + image->size() >= kPackLimit) {
      refusal = {PlanProblem::PackTooLarge, packPaths.at(r.pack)};
      return std::nullopt;
    }
    plan.table.setOffset(number, r.pack, static_cast<std::int32_t>(offset));
    plan.table.setLength(number, r.pack, static_cast<std::int32_t>(image->size()));
    appended += *image;
  }
  return plan;
}

std::optional<std::string> writeReplacements(HostEdit& edit, const ReplacementPlan& plan,
                                             const std::map<Pack, std::string>& packPaths,
                                             const std::string& indexPath) {
  if (plan.appended.empty()) return std::nullopt;
  for (const Pack pack : {Pack::LowRes, Pack::HighRes}) {
    auto images = plan.appended.find(pack);
    if (images == plan.appended.end()) continue;
    const std::string& path = packPaths.at(pack);
    if (!edit.appendFile(path, images->second)) return path;
  }
  if (!edit.writeFile(indexPath, serialiseIndex(plan.table))) return indexPath;
  return std::nullopt;
}

}  // namespace lumaset
