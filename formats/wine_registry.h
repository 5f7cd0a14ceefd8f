// The registry files of a wine prefix (system.reg) read as text: the keys and their
// string values, and a Windows drive path turned into a path inside the prefix.
// Pure text work, nothing touches the disk; any input gives a result, and what does not
// parse is passed over.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumaset {

struct RegistryValue {
  std::string name;       // empty for the key's default value ("@")
  std::string text;       // a string value as UTF-8, cut at its first NUL; empty otherwise
  bool isString = false;  // REG_SZ ("...") or REG_EXPAND_SZ (str(2):"...")
};

struct RegistryKey {
  std::string path;  // below the file's root, parts joined by '\' ("Software\Adobe\Photoshop\120.0")
  std::vector<RegistryValue> values;
};

// Every key section of the file, in file order, with the values below it.
std::vector<RegistryKey> parseWineRegistry(std::string_view text);

// The keys directly below `parent` (one more path part), letter case aside.
std::vector<const RegistryKey*> registrySubkeys(const std::vector<RegistryKey>& keys, std::string_view parent);
// The key at `path`, letter case aside; nullptr when there is none.
const RegistryKey* findRegistryKey(const std::vector<RegistryKey>& keys, std::string_view path);
// The string value `name` of a key, letter case aside; nothing for a missing or non-string one.
std::optional<std::string> registryString(const RegistryKey& key, std::string_view name);

// A Windows drive path ("C:\Program Files\x") inside the wine prefix folder `prefix`: drive C
// is the prefix's drive_c, another drive the link dosdevices/<letter>: that wine keeps for
// it. Parts are joined with `sep`; "." is dropped and ".." goes up, never above the drive.
// Nothing for a path that names no drive (relative, UNC, empty).
std::optional<std::string> pathInWinePrefix(const std::string& prefix, std::string_view windowsPath, char sep);

}  // namespace lumaset
