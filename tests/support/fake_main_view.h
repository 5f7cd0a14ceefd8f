// A stand-in for the main window: it keeps what the presenter puts into each control
// and answers its questions from that, so that the window's rules run natively.
#pragma once
#include <string>
#include <vector>

#include "ui/main_view.h"

namespace lumaset::testing {

class FakeMainView : public ui::MainView {
 public:
  std::vector<std::string> entries;
  int selected = -1;
  std::string fakeBoxText = "placeholder";
  bool listShown = false, droppedDown = false;
  int page = 0;
  bool themePressed = true, customPressed = false, toggle = false;
  int ticks = 0;  // calls that ticked the startup-text toggle
  int labelRedraws = 0, overlayShows = 0;
  Overlay overlay = Overlay::Marked;
  std::vector<Preview> previews;
  std::string fields[6];
  std::vector<std::string> pathBox;
  std::vector<Look> looks;
  std::vector<std::string> carries;  // the texts of the label that says what the host carries

  // The folder button's menus shown (their items and checked one), and the answer to give.
  std::vector<std::pair<std::vector<std::string>, int>> hostMenus;
  int hostChoice = ui::kNoHostChosen;
  int chooseHost(const std::vector<std::string>& items, int current) override {
    hostMenus.push_back({items, current});
    return hostChoice;
  }

  void setPathBox(const std::string& text) override { pathBox.push_back(text); }
  // As the window: the look's images, description, toggle and overlay in one redraw.
  void showLook(const Look& look) override {
    looks.push_back(look);
    toggle = look.startupTextToggle;
    overlay = look.overlay;
  }
  void setThemeEntries(const std::vector<std::string>& e) override { entries = e; }
  int themeEntryCount() const override { return static_cast<int>(entries.size()); }
  int selectedThemeEntry() const override { return selected; }
  void selectThemeEntry(int index) override { selected = index < static_cast<int>(entries.size()) ? index : -1; }
  std::string selectedThemeText() const override { return selected >= 0 ? entries[selected] : ""; }
  void setFakeThemeBoxText(const std::string& text) override { fakeBoxText = text; }
  void showThemeList(bool shown) override { listShown = shown; }
  void dropDownThemeList() override { droppedDown = true; }
  void showPage(int p) override { page = p; }
  bool themePagePressed() const override { return themePressed; }
  void setThemePagePressed(bool p) override { themePressed = p; }
  bool customPagePressed() const override { return customPressed; }
  void setCustomPagePressed(bool p) override { customPressed = p; }
  void redrawToggleLabel() override { ++labelRedraws; }
  bool togglePressed() const override { return toggle; }
  void setTogglePressed(bool p) override {
    toggle = p;
    ticks += p;
  }
  void showOverlay(Overlay o) override {
    overlay = o;
    ++overlayShows;
  }
  void showPreviewDetails(const Preview& p) override { previews.push_back(p); }
  std::string customField(int slot) const override { return fields[slot]; }
  void setCustomField(int slot, const std::string& path) override { fields[slot] = path; }
  void showHostCarries(const std::string& text) override { carries.push_back(text); }
  std::vector<bool> shields;  // each time the shield was shown or taken off
  void showNeedsAdministrator(bool needed) override { shields.push_back(needed); }
  void minimise() override {}
  void close() override {}
};

}  // namespace lumaset::testing
