// What the tests of administrator rights share: a process's rights taken away below a
// folder (as under Program Files without administrator rights), and a main window that
// only tells which theme entry is chosen and what the custom fields hold.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "support/forwarding_files.h"
#include "ui/main_view.h"

namespace lumaset::testing {

// Nothing may be created in `folder` or below it; everything else passes.
class WithoutRightsBelow : public ForwardingFiles {
 public:
  WithoutRightsBelow(Files& inner, std::string folder) : ForwardingFiles(inner), folder_(std::move(folder)) {}
  bool allowChange(const ChangeCall& call) override {
    return !(call.name == "mayChange" && call.path.starts_with(folder_));
  }

 private:
  std::string folder_;
};

// Only `path` itself (a folder or a file) may not be changed.
class WithoutRightsAt : public ForwardingFiles {
 public:
  WithoutRightsAt(Files& inner, std::string path) : ForwardingFiles(inner), path_(std::move(path)) {}
  bool allowChange(const ChangeCall& call) override { return !(call.name == "mayChange" && call.path == path_); }

 private:
  std::string path_;
};

class EntryView : public ui::MainView {
 public:
  std::string entry;
  std::string fields[6];
  void setPathBox(const std::string&) override {}
  void showLook(const Look&) override {}
  void setThemeEntries(const std::vector<std::string>&) override {}
  int themeEntryCount() const override { return 1; }
  int selectedThemeEntry() const override { return 0; }
  void selectThemeEntry(int) override {}
  std::string selectedThemeText() const override { return entry; }
  void setFakeThemeBoxText(const std::string&) override {}
  void showThemeList(bool) override {}
  void dropDownThemeList() override {}
  void showPage(int) override {}
  bool themePagePressed() const override { return true; }
  void setThemePagePressed(bool) override {}
  bool customPagePressed() const override { return false; }
  void setCustomPagePressed(bool) override {}
  void redrawToggleLabel() override {}
  bool togglePressed() const override { return false; }
  void setTogglePressed(bool) override {}
  void showOverlay(Overlay) override {}
  void showPreviewDetails(const Preview&) override {}
  std::string customField(int slot) const override { return fields[slot]; }
  void setCustomField(int slot, const std::string& path) override { fields[slot] = path; }
  void showHostCarries(const std::string&) override {}
  void showNeedsAdministrator(bool) override {}
  int chooseHost(const std::vector<std::string>&, int) override { return ui::kNoHostChosen; }
  void minimise() override {}
  void close() override {}
};

}  // namespace lumaset::testing
