// On POSIX the Photoshop the user runs lives in a wine prefix: the one $WINEPREFIX names,
// else wine's default, ~/.wine.
#include <cstdlib>

#include "platform/host_places.h"

namespace lumaset {
namespace {

// Without a home folder there is no default prefix to look in.
class NoPlaces : public HostPlaces {
 public:
  std::vector<HostPlace> places() override { return {}; }
};

}  // namespace

std::unique_ptr<HostPlaces> makeSystemHostPlaces(FileReading& files) {
  const char* prefix = std::getenv("WINEPREFIX");
  if (prefix && *prefix) return makeWinePrefixPlaces(files, prefix);
  const char* home = std::getenv("HOME");
  if (!home || !*home) return std::make_unique<NoPlaces>();
  return makeWinePrefixPlaces(files, std::string(home) + "/.wine");
}

}  // namespace lumaset
