// The fault decorator of the tests (support/forwarding_files.h): every changing call goes
// through its one hook, refused ones change nothing, and reading calls reach the wrapped
// Files untouched. Runs natively and under wine.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>

#include "formats/sha256.h"
#include "platform/system.h"
#include "support/forwarding_files.h"
#include "support/temp_dir.h"

namespace lumaset {
namespace {

using testing::ChangeCall;
using testing::ForwardingFiles;
using testing::TempDir;
namespace fs = std::filesystem;

// Sees each changing call as "name path" or "name path <- from", and allows all or none.
class Recording : public ForwardingFiles {
 public:
  Recording(Files& inner, bool allow) : ForwardingFiles(inner), allow_(allow) {}
  std::vector<std::string> seen;
  bool allowChange(const ChangeCall& call) override {
    std::string line = std::string(call.name) + " " + call.path;
    if (!call.from.empty()) line += " <- " + call.from;
    seen.push_back(line);
    return allow_;
  }

 private:
  bool allow_;
};

// One changing call, on a path where the wrapped Files can do it.
struct Change {
  std::string name, path, from;
  std::function<bool(Files&)> run;
  std::string seen() const { return name + " " + path + (from.empty() ? "" : " <- " + from); }
};

class Forwarding : public ::testing::Test {
 protected:
  std::unique_ptr<Files> system = makeSystemFiles();
  TempDir dir;
  std::string sha;
  std::unique_ptr<FileLock> lock;

  void SetUp() override {
    put("a.txt", "old");
    put("b.txt", "b");
    put("c.txt", "c");
    fs::create_directory(dir.path() / "sub");
    put("sub/inner.txt", "i");
    put("p.ini", "[s]\r\nk=old\r\n");
  }
  void put(const std::string& relative, const std::string& bytes) {
    std::ofstream(testing::pathFromUtf8(dir / relative), std::ios::binary) << bytes;
  }
  // Every entry below the folder with its bytes ("/" for a folder).
  std::map<std::string, std::string> tree() {
    std::map<std::string, std::string> all;
    for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
      std::string bytes = "/";
      if (!entry.is_directory()) {
        std::ifstream in(entry.path(), std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
      }
      all[testing::utf8Path(fs::relative(entry.path(), dir.path()))] = bytes;
    }
    return all;
  }

  // Each changing call once; lockFile among them, since it makes its file when missing.
  std::vector<Change> everyChange() {
    const std::string a = dir / "a.txt", none;
    return {
        {"writeFile", a, none, [=](Files& f) { return f.writeFile(a, "new"); }},
        {"writeNewFile", dir / "new.txt", none, [this](Files& f) { return f.writeNewFile(dir / "new.txt", "n"); }},
        {"flushFolder", dir.str(), none, [this](Files& f) { return f.flushFolder(dir.str()); }},
        {"appendFile", a, none, [=](Files& f) { return f.appendFile(a, "+more"); }},
        {"copyFile", dir / "copy.txt", a, [=, this](Files& f) { return f.copyFile(a, dir / "copy.txt"); }},
        {"copyFileHashed", dir / "hashed.txt", a,
         [=, this](Files& f) { return f.copyFileHashed(a, dir / "hashed.txt", sha); }},
        {"truncateFile", a, none, [=](Files& f) { return f.truncateFile(a, 4); }},
        {"removeFile", dir / "b.txt", none, [this](Files& f) { return f.removeFile(dir / "b.txt"); }},
        {"moveFile", dir / "moved.txt", dir / "c.txt",
         [this](Files& f) { return f.moveFile(dir / "c.txt", dir / "moved.txt"); }},
        {"createFolder", dir / "made", none, [this](Files& f) { return f.createFolder(dir / "made"); }},
        {"deleteFolder", dir / "sub", none, [this](Files& f) { return f.deleteFolder(dir / "sub"); }},
        {"mayChange", dir.str(), none, [this](Files& f) { return f.mayChange(dir.str()); }},
        {"writeProfileString", dir / "p.ini", none,
         [this](Files& f) { return f.writeProfileString(dir / "p.ini", "s", "k", "new"); }},
        {"lockFile", dir / "run.lock", none,
         [this](Files& f) { return f.lockFile(dir / "run.lock", lock) == LockResult::Taken; }},
    };
  }
};

TEST_F(Forwarding, ARefusingHookSeesEveryChangingCallAndNothingOnDiskChanges) {
  Recording refusing(*system, false);
  const auto before = tree();
  std::vector<std::string> expected;
  for (const Change& change : everyChange()) {
    EXPECT_FALSE(change.run(refusing)) << change.name;
    expected.push_back(change.seen());
  }
  EXPECT_EQ(refusing.seen, expected);  // each call once, with what it changes and takes from
  EXPECT_EQ(tree(), before);
  EXPECT_EQ(sha, "");
  EXPECT_FALSE(lock);
}

TEST_F(Forwarding, AnAllowingHookPassesEveryCallOnToTheWrappedFiles) {
  Recording allowing(*system, true);
  std::vector<std::string> expected;
  for (const Change& change : everyChange()) {
    EXPECT_TRUE(change.run(allowing)) << change.name;
    expected.push_back(change.seen());
  }
  EXPECT_EQ(allowing.seen, expected);
  auto after = tree();
  after.erase("run.lock");  // on POSIX the lock's file stays, on Windows it goes with the lock
  EXPECT_EQ(after, (std::map<std::string, std::string>{{"a.txt", "new+"},
                                                       {"copy.txt", "new+more"},
                                                       {"hashed.txt", "new+more"},
                                                       {"made", "/"},
                                                       {"moved.txt", "c"},
                                                       {"new.txt", "n"},
                                                       {"p.ini", after["p.ini"]}}));
  EXPECT_EQ(sha, sha256Hex("new+more"));
  EXPECT_EQ(system->readProfileString(dir / "p.ini", "s", "k", ""), "new");
  EXPECT_TRUE(lock);
}

TEST_F(Forwarding, FailingNthChangeFailsThatCallAloneAndCountsThemAll) {
  testing::FailingNthChange failing;
  failing.failAt = 3;
  std::vector<bool> results;
  for (const Change& change : everyChange()) results.push_back(change.run(failing));
  std::vector<bool> expected(results.size(), true);
  expected[2] = false;
  EXPECT_EQ(results, expected);
  EXPECT_EQ(failing.changes, static_cast<int>(expected.size()));
}

TEST_F(Forwarding, ReadingCallsReachTheWrappedFilesWithoutTheHook) {
  Recording refusing(*system, false);
  const std::string a = dir / "a.txt";
  EXPECT_EQ(refusing.readFile(a), "old");
  EXPECT_EQ(refusing.readRange(a, 1, 5), "ld");
  EXPECT_TRUE(refusing.exists(dir / "sub"));
  EXPECT_EQ(refusing.info(a).size, 3u);
  EXPECT_EQ(refusing.entryKind(dir / "sub"), EntryKind::Folder);
  EXPECT_EQ(refusing.subfolders(dir.str()), std::vector<std::string>{"sub"});
  EXPECT_EQ(refusing.folderEntries(dir.str())->size(), 5u);
  EXPECT_EQ(refusing.identity(a), system->identity(a));
  EXPECT_EQ(refusing.hardLinkCount(a), 1u);
  EXPECT_EQ(refusing.canonicalPath(a), system->canonicalPath(a));
  EXPECT_EQ(refusing.separator(), system->separator());
  EXPECT_EQ(refusing.temporaryFolder(), system->temporaryFolder());
  EXPECT_EQ(refusing.readProfileString(dir / "p.ini", "S", "K", "none"), "old");
  EXPECT_EQ(refusing.chineseCodePageToUtf8("\xC4\xE3"), std::optional<std::string>("\xE4\xBD\xA0"));
  EXPECT_FALSE(refusing.hostInUse(dir / "missing.exe", {a}));
  EXPECT_TRUE(refusing.seen.empty());
}

#ifdef LUMASET_SOURCE_DIR
// The calls above are every method that FileChanges declares: one added there fails here
// until it is exercised (and ForwardingFiles does not compile until it passes the hook).
TEST_F(Forwarding, TheCallsExercisedAreEveryChangingCallOfTheInterface) {
  std::ifstream in(std::string(LUMASET_SOURCE_DIR) + "/platform/files.h");
  const std::string header((std::istreambuf_iterator<char>(in)), {});
  const std::size_t start = header.find("\nclass FileChanges {");
  ASSERT_NE(start, std::string::npos);
  const std::string body = header.substr(start, header.find("\n};", start) - start);
  std::set<std::string> declared;
  const std::regex method(R"(virtual\s[^;(~]*?\b(\w+)\()");
  for (auto m = std::sregex_iterator(body.begin(), body.end(), method); m != std::sregex_iterator(); ++m)
    declared.insert((*m)[1]);
  std::set<std::string> exercised;
  for (const Change& change : everyChange()) exercised.insert(change.name);
  exercised.erase("lockFile");  // of ProcessesAndLocks, passed through the hook as well
  EXPECT_GE(declared.size(), 12u);
  EXPECT_EQ(exercised, declared);
}
#endif

}  // namespace
}  // namespace lumaset
