// A Files that forwards every call to another one and passes every call that changes the
// disk through one hook first: each method of FileChanges, and lockFile, which makes its
// lock file when it is missing. A fault injector overrides only the hook, and so catches
// every changing call, those added to FileChanges later included.
//
// Why no changing call can slip past the hook:
//   - FileChanges is all pure virtual, so a method added to it leaves ForwardingFiles
//     abstract (no test compiles) until it is written here;
//   - the wrapped object lives inside Gate, whose only ways to it are its reading parts
//     (FileReading, TextsAndVersions, hostInUse) and pass(), which asks the hook first:
//     a new method can reach the wrapped object's changes through pass() alone;
//   - the changing methods are final, so an injector cannot override one and skip the hook.
// tests/forwarding_files_test.cpp calls every changing method through a refusing hook,
// and checks that its list of calls is the list that platform/files.h declares.
#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/files.h"
#include "platform/system.h"

namespace lumaset::testing {

// One changing call as the hook sees it.
struct ChangeCall {
  std::string_view name;    // the method: "writeFile", "moveFile", "lockFile", ...
  const std::string& path;  // what it changes: the target of a copy or a move
  const std::string& from;  // the source of a copy or a move; empty for the others
};

class ForwardingFiles : public Files {
 public:
  // Forwards to the system's Files, which it owns.
  ForwardingFiles() : owned_(makeSystemFiles()), gate_(*owned_, *this) {}
  // Forwards to `inner`, which must outlive it.
  explicit ForwardingFiles(Files& inner) : gate_(inner, *this) {}
  ForwardingFiles(const ForwardingFiles&) = delete;
  ForwardingFiles& operator=(const ForwardingFiles&) = delete;

  // The hook: a changing call goes on to the wrapped Files only when this allows it;
  // refused, it changes nothing and fails (false, or LockResult::Failed).
  virtual bool allowChange(const ChangeCall&) { return true; }

  // FileReading, forwarded as it is.
  char separator() const override { return gate_.reading().separator(); }
  std::string programFolder() override { return gate_.reading().programFolder(); }
  std::string temporaryFolder() override { return gate_.reading().temporaryFolder(); }
  std::string userDataFolder() override { return gate_.reading().userDataFolder(); }
  bool securityAllowsChange(const std::string& p) override { return gate_.reading().securityAllowsChange(p); }
  std::string absolutePath(const std::string& p) override { return gate_.reading().absolutePath(p); }
  Bytes readFile(const std::string& p) override { return gate_.reading().readFile(p); }
  Bytes readRange(const std::string& p, std::uint64_t offset, std::uint64_t length) override {
    return gate_.reading().readRange(p, offset, length);
  }
  bool exists(const std::string& p) override { return gate_.reading().exists(p); }
  FileInfo info(const std::string& p) override { return gate_.reading().info(p); }
  std::vector<std::string> subfolders(const std::string& f) override { return gate_.reading().subfolders(f); }
  std::vector<std::string> fileNames(const std::string& f) override { return gate_.reading().fileNames(f); }
  EntryKind entryKind(const std::string& p) override { return gate_.reading().entryKind(p); }
  std::optional<std::vector<FolderEntry>> folderEntries(const std::string& f) override {
    return gate_.reading().folderEntries(f);
  }
  std::optional<FileIdentity> identity(const std::string& p) override { return gate_.reading().identity(p); }
  std::uint32_t hardLinkCount(const std::string& p) override { return gate_.reading().hardLinkCount(p); }
  std::string linkTarget(const std::string& p) override { return gate_.reading().linkTarget(p); }
  std::string canonicalPath(const std::string& p) override { return gate_.reading().canonicalPath(p); }

  // TextsAndVersions, forwarded as it is.
  std::string readProfileString(const std::string& file, const std::string& section, const std::string& key,
                                const std::string& def) override {
    return gate_.texts().readProfileString(file, section, key, def);
  }
  std::optional<std::string> chineseCodePageToUtf8(const Bytes& text) override {
    return gate_.texts().chineseCodePageToUtf8(text);
  }
  std::string productVersion(const std::string& p) override { return gate_.texts().productVersion(p); }

  // ProcessesAndLocks: looking at processes is forwarded, a lock goes through the hook.
  bool hostInUse(const std::string& exe, const std::vector<std::string>& held) override {
    return gate_.hostInUse(exe, held);
  }
  LockResult lockFile(const std::string& p, std::unique_ptr<FileLock>& lock) final {
    return gate_.pass({"lockFile", p, kNone}, LockResult::Failed, [&](Files& f) { return f.lockFile(p, lock); });
  }

  // FileChanges: every one through the hook.
  bool writeFile(const std::string& p, const Bytes& d) final {
    return gate_.pass({"writeFile", p, kNone}, false, [&](Files& f) { return f.writeFile(p, d); });
  }
  bool writeNewFile(const std::string& p, const Bytes& d) final {
    return gate_.pass({"writeNewFile", p, kNone}, false, [&](Files& f) { return f.writeNewFile(p, d); });
  }
  bool flushFolder(const std::string& p) final {
    return gate_.pass({"flushFolder", p, kNone}, false, [&](Files& f) { return f.flushFolder(p); });
  }
  bool appendFile(const std::string& p, const Bytes& d) final {
    return gate_.pass({"appendFile", p, kNone}, false, [&](Files& f) { return f.appendFile(p, d); });
  }
  bool copyFile(const std::string& from, const std::string& to, WorkProgress* progress = nullptr) final {
    return gate_.pass({"copyFile", to, from}, false, [&](Files& f) { return f.copyFile(from, to, progress); });
  }
  bool copyFileHashed(const std::string& from, const std::string& to, std::string& sha256,
                      WorkProgress* progress = nullptr) final {
    return gate_.pass({"copyFileHashed", to, from}, false,
                      [&](Files& f) { return f.copyFileHashed(from, to, sha256, progress); });
  }
  bool truncateFile(const std::string& p, std::uint64_t size) final {
    return gate_.pass({"truncateFile", p, kNone}, false, [&](Files& f) { return f.truncateFile(p, size); });
  }
  bool removeFile(const std::string& p) final {
    return gate_.pass({"removeFile", p, kNone}, false, [&](Files& f) { return f.removeFile(p); });
  }
  bool moveFile(const std::string& from, const std::string& to) final {
    return gate_.pass({"moveFile", to, from}, false, [&](Files& f) { return f.moveFile(from, to); });
  }
  bool createFolder(const std::string& p) final {
    return gate_.pass({"createFolder", p, kNone}, false, [&](Files& f) { return f.createFolder(p); });
  }
  bool deleteFolder(const std::string& p) final {
    return gate_.pass({"deleteFolder", p, kNone}, false, [&](Files& f) { return f.deleteFolder(p); });
  }
  bool mayChange(const std::string& p) final {
    return gate_.pass({"mayChange", p, kNone}, false, [&](Files& f) { return f.mayChange(p); });
  }
  bool writeProfileString(const std::string& file, const std::string& section, const std::string& key,
                          const std::string& value) final {
    return gate_.pass({"writeProfileString", file, kNone}, false,
                      [&](Files& f) { return f.writeProfileString(file, section, key, value); });
  }

 private:
  inline static const std::string kNone;

  // The wrapped Files. ForwardingFiles has no access to its private members (an
  // enclosing class has none to a nested one's), so it reaches the wrapped object only
  // through the functions below.
  class Gate {
   public:
    Gate(Files& inner, ForwardingFiles& owner) : inner_(inner), owner_(owner) {}
    FileReading& reading() const { return inner_; }
    TextsAndVersions& texts() const { return inner_; }
    bool hostInUse(const std::string& exe, const std::vector<std::string>& held) const {
      return inner_.hostInUse(exe, held);
    }
    // Runs `call` on the wrapped object when the hook allows `change`; else gives `refused`.
    template <typename Result, typename Call>
    Result pass(const ChangeCall& change, Result refused, Call&& call) const {
      return owner_.allowChange(change) ? std::forward<Call>(call)(inner_) : refused;
    }

   private:
    Files& inner_;
    ForwardingFiles& owner_;
  };

  std::unique_ptr<Files> owned_;
  Gate gate_;
};

// Fails the n-th changing call (counted from 1), doing nothing for it; 0 fails none and
// only counts.
class FailingNthChange : public ForwardingFiles {
 public:
  int failAt = 0;
  int changes = 0;
  std::string failedCall;  // the name of the call it failed, once it has
  std::string failedPath;  // and what that call would have changed
  bool allowChange(const ChangeCall& call) override {
    if (++changes != failAt) return true;
    failedCall = call.name;
    failedPath = call.path;
    return false;
  }
};

}  // namespace lumaset::testing
