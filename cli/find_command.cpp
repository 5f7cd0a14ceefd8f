// find: the Photoshop installations the system tells of, newest first, one per line.
#include <cstdio>
#include <memory>
#include <string>

#include "cli/json.h"
#include "cli/session.h"
#include "formats/command_arguments.h"
#include "messages/catalogue.h"
#include "messages/texts.h"
#include "platform/host_places.h"
#include "run/host_discovery.h"

namespace lumaset::cli {
namespace {

std::string placeText(const HostPlace& place) {
  switch (place.kind) {
    case PlaceKind::Registry64:
      return "registry 64-bit " + place.versionKey;
    case PlaceKind::Registry32:
      return "registry 32-bit " + place.versionKey;
    case PlaceKind::ProgramFiles:
      return "Program Files";
    case PlaceKind::ProgramFilesX86:
      return "Program Files (x86)";
  }
  return "";
}

std::vector<std::string> placeTexts(const FoundHost& host) {
  std::vector<std::string> texts;
  for (const HostPlace& place : host.foundAt) texts.push_back(placeText(place));
  return texts;
}

void printHosts(Session& s, const std::vector<FoundHost>& hosts) {
  if (s.json) {
    s.out.print("{\"hosts\":[");
    for (std::size_t i = 0; i < hosts.size(); ++i) {
      const FoundHost& host = hosts[i];
      s.out.print("%s{\"folder\":%s,\"exe\":%s,\"version\":%s,\"foundIn\":%s}", i ? "," : "",
                  jsonString(host.folder).c_str(), jsonString(host.exe).c_str(),
                  jsonString(host.productVersion).c_str(), jsonStrings(placeTexts(host)).c_str());
    }
    s.out.print("]}\n");
    return;
  }
  // Tabs part the fields: folders hold spaces.
  for (const FoundHost& host : hosts) {
    std::string where;
    for (const std::string& text : placeTexts(host)) where += (where.empty() ? "" : ", ") + text;
    const std::string version = host.productVersion.empty() ? "no version" : host.productVersion;
    s.out.print("%s\t%s\t%s\n", host.folder.c_str(), version.c_str(), where.c_str());
  }
}

// What the search passed over, said on the error stream in the program's language (the
// window's boxes say the same): the hosts it printed may not be all.
std::string limitText(const Report& limit) { return messageFor(limit).text; }
}  // namespace

int cmdFind(Session& s, const std::vector<std::string>& args) {
  Arguments a = parseArguments(args, {"--prefix"}, {});
  if (!a.error.empty()) return s.usage(a.error);
  if (!a.words.empty()) return s.usage("find takes no words (--prefix DIR names a wine prefix)");
  const std::optional<std::string> prefix = a.value("--prefix");
  std::unique_ptr<HostPlaces> places =
      prefix ? makeWinePrefixPlaces(s.files, s.absolute(*prefix)) : makeSystemHostPlaces(s.files);
  const Discovery discovery = discoverHosts(s.files, *places);
  const std::vector<FoundHost>& hosts = discovery.hosts;
  printHosts(s, hosts);
  for (const Report& limit : discovery.limits) s.err.print("lumaset-cli: %s\n", limitText(limit).c_str());
  if (hosts.empty())
    return s.fail(prefix ? textWith(Text::CliNoHostFoundInPrefix, {s.absolute(*prefix)})
                         : std::string(text(Text::CliNoHostFound)));
  return 0;
}

}  // namespace lumaset::cli
