// make-stub-exe OUT.exe [--product-version V [--translation LANG CODEPAGE]]
// Writes a stand-in for Photoshop.exe whose version resource gives ProductVersion V in the
// string table LANG CODEPAGE (four hex digits each, listed as the one translation), or in
// "040904E4" without a translation list. Without --product-version the file has no
// version resource. The build makes its sample hosts' executables with it.
#include <cctype>
#include <cstdio>
#include <fstream>
#include <string>

#include "tools/stub_host/stub_exe.h"

namespace {

int usage() {
  std::fputs("usage: make-stub-exe OUT.exe [--product-version V [--translation LANG CODEPAGE]]\n", stderr);
  return 2;
}

bool fourHexDigits(const std::string& text) {
  if (text.size() != 4) return false;
  for (char c : text) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::string output;
  lumaset::tools::StubVersion version;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--product-version" && i + 1 < argc) {
      version.productVersion = argv[++i];
    } else if (arg == "--translation" && i + 2 < argc) {
      version.language = argv[++i];
      version.codepage = argv[++i];
      if (!fourHexDigits(version.language) || !fourHexDigits(version.codepage)) return usage();
    } else if (output.empty() && !arg.empty() && arg[0] != '-') {
      output = arg;
    } else {
      return usage();
    }
  }
  if (output.empty() || (version.productVersion.empty() && !version.language.empty())) return usage();

  const lumaset::Bytes exe = lumaset::tools::stubExecutable(version);
  std::ofstream out(output, std::ios::binary | std::ios::trunc);
  out.write(exe.data(), static_cast<std::streamsize>(exe.size()));
  out.close();
  if (!out) {
    std::fprintf(stderr, "make-stub-exe: cannot write %s\n", output.c_str());
    return 1;
  }
  return 0;
}
