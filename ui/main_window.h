// The program's three windows: the dark borderless main window with every control, the
// layered splash preview above it and the layered frame window around it.
#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "platform/win32_interaction.h"
#include "ui/control_ids.h"
#include "ui/drop_target.h"
#include "ui/main_view.h"
#include "ui/presenter.h"
#include "widgets/image_control.h"
#include "widgets/layered_window.h"

namespace lumaset::ui {

class MainWindow : public MainView {
 public:
  MainWindow(Files& files, Win32Interaction& interaction, HostPlaces& places, std::string programFolder);
  ~MainWindow() override;

  // Creates the main window; its creation runs the startup and opens the other two.
  bool create();
  // Esc closes the main window (ending the program) or the splash preview when active.
  bool handleEscape(const MSG& message);

  // MainView
  void setPathBox(const std::string& text) override;
  void showLook(const Look& look) override;
  void setThemeEntries(const std::vector<std::string>& entries) override;
  int themeEntryCount() const override;
  int selectedThemeEntry() const override;
  void selectThemeEntry(int index) override;
  std::string selectedThemeText() const override;
  void setFakeThemeBoxText(const std::string& text) override;
  void showThemeList(bool listShown) override;
  void dropDownThemeList() override;
  void showPage(int page) override;
  bool themePagePressed() const override;
  void setThemePagePressed(bool pressed) override;
  bool customPagePressed() const override;
  void setCustomPagePressed(bool pressed) override;
  void redrawToggleLabel() override;
  bool togglePressed() const override;
  void setTogglePressed(bool pressed) override;
  void showOverlay(Overlay overlay) override;
  void showPreviewDetails(const Preview& preview) override;
  std::string customField(int slot) const override;
  void setCustomField(int slot, const std::string& path) override;
  void showHostCarries(const std::string& text) override;
  void minimise() override;
  void close() override;

 private:
  static LRESULT CALLBACK mainProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK pageProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK previewProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK frameProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT onPageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
  void onCommand(Control control, int code);
  void onLinkClicked(Control control);
  void onCreate();
  void windowStartup();
  void openPreviewWindow();
  void frameFollows();
  void showThemeMenu();
  LRESULT colourControl(HDC dc, HWND control);

  // The controls, built page by page (main_window_controls.cpp).
  void createControls();
  void createFrameControls();
  void createThemePage(HWND page);
  void createCustomPage(HWND page);
  void createThemeMenu();
  void createHostCarriesLabel();
  HWND add(HWND parent, const wchar_t* cls, const std::string& text, Control id, int x, int y, int w, int h,
           DWORD style, HFONT font, DWORD exStyle = 0);
  HWND addLabel(HWND parent, Control id, const char* text, int x, int y, int w, int h, HFONT font,
                DWORD align = SS_LEFTNOWORDWRAP);
  HWND addLink(HWND parent, Control id, const char* text, int x, int y, int w, int h, HFONT font);
  HWND addEdit(HWND parent, Control id, int x, int y, int w, int h);
  HWND addButton(HWND parent, Control id, int x, int y, int w, int h, const std::string& look, bool twoState);

  HWND control(Control id) const;
  bool checked(Control id) const;
  void setChecked(Control id, bool pressed);
  void setText(Control id, const std::string& text);
  // Sets a path box's text and scrolls it to the end.
  void setPathText(Control id, const std::string& text);

  Win32Interaction& interaction_;
  Presenter presenter_;
  HWND main_ = nullptr, pages_[2] = {nullptr, nullptr}, preview_ = nullptr, frame_ = nullptr;
  kit::LayeredWindow frameImage_, previewImage_;
  kit::ImageControl overlay_, splash_, darkIcon_, lightIcon_;
  std::map<Control, HWND> controls_;
  std::map<Control, std::string> linkTargets_;
  HFONT fonts_[4] = {};  // 12, 11, 9 and 21 pixels
  HBRUSH panelBrush_ = nullptr, editBrush_ = nullptr;
  HMENU themeMenu_ = nullptr;
  std::unique_ptr<DropTarget> dropTarget_;
};

}  // namespace lumaset::ui
