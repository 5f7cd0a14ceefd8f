// The program's three windows: the dark borderless main window with every control, the
// layered splash preview above it and the layered frame window around it. The main
// window puts its parts together (the controls at the monitor's DPI, the pages, the theme
// box, the path fields, the preview with the frame, the theme menu and the keyboard),
// shows what the presenter asks through MainView and runs its commands from the command
// table.
#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "messages/language.h"
#include "platform/win32_interaction.h"
#include "ui/commands.h"
#include "ui/control_colours.h"
#include "ui/drop_target.h"
#include "ui/images_ahead.h"
#include "ui/main_view.h"
#include "ui/monitors.h"
#include "ui/pages.h"
#include "ui/path_fields.h"
#include "ui/presenter.h"
#include "ui/preview_windows.h"
#include "ui/shield.h"
#include "ui/theme_box.h"
#include "ui/theme_menu.h"
#include "ui/window_controls.h"
#include "ui/window_keys.h"

namespace lumaset::ui {

class MainWindow : public MainView, private WindowActions {
 public:
  MainWindow(Files& files, Win32Interaction& interaction, HostPlaces& places, std::string programFolder);

  // Chooses the language of every text the window shows (ui/presenter.h), before create.
  void chooseLanguage(std::optional<Language> commandLine);
  // Creates the main window; its creation runs the startup and opens the other two.
  bool create();
  // True while the main window stands: the message loop ends once it is gone, even when a
  // modal loop (a drag of the preview under way at Alt+F4) took the quit message.
  bool isOpen() const;
  // The keys the main window handles before the focused control: true when the key was
  // handled and goes no further.
  bool handleKey(const MSG& message) { return keys_.handleKey(message); }

  // MainView (main_window_view.cpp)
  void setPathBox(const std::string& text) override { paths_.setHostPath(text); }
  void showLook(const Look& look) override;
  void setThemeEntries(const std::vector<std::string>& entries) override { themeBox_.setEntries(entries); }
  int themeEntryCount() const override { return themeBox_.entryCount(); }
  int selectedThemeEntry() const override { return themeBox_.selectedEntry(); }
  void selectThemeEntry(int index) override { themeBox_.selectEntry(index); }
  std::string selectedThemeText() const override { return themeBox_.selectedText(); }
  void setFakeThemeBoxText(const std::string& text) override { themeBox_.setName(text); }
  void showThemeList(bool listShown) override { themeBox_.showList(listShown); }
  void dropDownThemeList() override { themeBox_.dropDown(); }
  void showPage(int page) override;
  bool themePagePressed() const override { return controls_.checked(Control::ThemePageButton); }
  void setThemePagePressed(bool pressed) override { controls_.setChecked(Control::ThemePageButton, pressed); }
  bool customPagePressed() const override { return controls_.checked(Control::CustomPageButton); }
  void setCustomPagePressed(bool pressed) override { controls_.setChecked(Control::CustomPageButton, pressed); }
  void redrawToggleLabel() override;
  bool togglePressed() const override { return controls_.checked(Control::StartupTextToggle); }
  void setTogglePressed(bool pressed) override { controls_.setChecked(Control::StartupTextToggle, pressed); }
  void showOverlay(Overlay overlay) override { previews_.showOverlay(overlay); }
  void showPreviewDetails(const Preview& preview) override { pages_.showDetails(preview); }
  std::string customField(int slot) const override { return paths_.imagePath(slot); }
  void setCustomField(int slot, const std::string& path) override { paths_.setImagePath(slot, path); }
  void showHostCarries(const std::string& text) override { controls_.setText(Control::HostCarriesLabel, text); }
  void showNeedsAdministrator(bool needed) override;
  int chooseHost(const std::vector<std::string>& items, int current) override;
  void minimise() override;
  void close() override;

 private:
  // The window procedures (main_window.cpp).
  static LRESULT CALLBACK mainProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK pageProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT onPageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
  void onFilesDropped();
  // The window's own posted messages (ui/window_messages.h); false for any other.
  bool onOwnMessage(UINT message);
  // The start (main_window_start.cpp).
  void onCreate();
  void windowStartup();
  // What no first frame shows: the drop target, the tooltips, the shield.
  void onFirstFrameDrawn();
  void acceptDrops();
  // The built-in images of the first frame, decoded on a second thread meanwhile.
  void decodeImagesAhead();
  void onDpiChanged(int dpi, const RECT* suggested);
  // Places the main window at its scale on the monitor that holds `r`, at `kept` or
  // where the group stands at a first start, and gives the preview its DPI.
  void placeGroupOn(const RECT& r, std::optional<ScreenPoint> kept);
  // Keeps where the main window stands, and on which monitor, for the next start.
  void keepPlace();
  // Everything drawn again in the colours of the system's mode (high contrast or not).
  void followSystemColours();
  // The built-in images and the shown look at the current scale.
  void showBuiltinImages();
  void showLookImages();
  void showPlaceholder();
  // WindowActions (main_window_view.cpp)
  void showThemeMenu() override;
  void openLinkTarget(Control link) override;
  void themeListNotice(int code) override { themeBox_.onListNotice(code); }

  Win32Interaction& interaction_;
  Presenter presenter_;
  WindowControls controls_;
  ThemeBox themeBox_{controls_, presenter_};
  Pages pages_{controls_, themeBox_};
  PathFields paths_{controls_};
  PreviewWindows previews_{controls_};
  ThemeMenu themeMenu_;
  CommandTargets commands_{presenter_, *this};
  WindowKeys keys_{controls_, pages_, themeBox_, previews_, commands_};
  ControlColours colours_;
  HWND main_ = nullptr;
  Look lookShown_;
  bool lookReceived_ = false;
  bool started_ = false;  // the start has shown its first look, or found none to show
  bool shieldShown_ = false;  // on the buttons whose actions need administrator rights
  std::unique_ptr<DropTarget> dropTarget_;
  std::unique_ptr<ImagesAhead> imagesAhead_;  // until the first frame is drawn
  std::vector<std::vector<std::string>> droppedPaths_;  // drops waiting for kFilesDropped
};

}  // namespace lumaset::ui
