// Putting new images in place of named images of the host: each image is appended to
// the end of its pack, the first record of its name is pointed at it, and the index is
// written anew from the record table. Planned first, with every image read and checked,
// so that an image that cannot go in refuses the whole change before a byte is written.
#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "edits/host_edit.h"
#include "iconstore/index_derivation.h"
#include "iconstore/record_table.h"

namespace lumaset {

struct Replacement {
  std::string resource;  // e.g. "Splash1080Background"
  Pack pack;             // LowRes or HighRes: the program appends to those two packs only
  std::string imagePath;
};

// What an apply will write: the index with the records pointed at the new images, and
// the images to append to each pack, in the order given.
struct ReplacementPlan {
  RecordTable table;
  std::map<Pack, Bytes> appended;
};

// Why a plan was refused, and what it names: the resource, the image file or the pack.
enum class PlanProblem { NoSuchResource, NotAPng, PackTooLarge };
struct PlanRefusal {
  PlanProblem problem = PlanProblem::NoSuchResource;
  std::string name;
};

// The bytes of an image the host can show, or nothing when the file is none: missing, a
// folder, empty, above kPngMaxFileSize or not a sound PNG (formats/png.h). The apply
// takes only such images, and the import only themes whose images all are.
std::optional<Bytes> readPackImage(SystemReading& files, const std::string& path);

// Plans the replacements over `table`, whose packs will hold `sizes` bytes when the
// images are appended (`packPaths` names them). Every image must be a sound PNG file,
// every resource named by a record, and no pack may reach 2 GiB; the first that is not
// gives nothing, with the reason in `refusal`.
std::optional<ReplacementPlan> planReplacements(SystemReading& files, const RecordTable& table, PackSizes sizes,
                                                const std::map<Pack, std::string>& packPaths,
                                                const std::vector<Replacement>& replacements, PlanRefusal& refusal);

// Appends the plan's images to the packs (one write per pack), and only after every pack
// write succeeded writes the index, so that the index on disk never points at bytes that
// are not there. Nothing when every write succeeded, else the path that failed.
std::optional<std::string> writeReplacements(HostEdit& edit, const ReplacementPlan& plan,
                                             const std::map<Pack, std::string>& packPaths,
                                             const std::string& indexPath);

// A pack may not reach 2^31 bytes: its offsets are signed 32-bit numbers.
inline constexpr std::uint64_t kPackLimit = 1ull << 31;

}  // namespace lumaset
