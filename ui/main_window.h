// The program's three windows: the dark borderless main window with every control, the
// layered splash preview above it and the layered frame window around it.
#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32_interaction.h"
#include "ui/control_ids.h"
#include "ui/dpi_scale.h"
#include "ui/drop_target.h"
#include "ui/main_view.h"
#include "ui/presenter.h"
#include "ui/window_group.h"
#include "widgets/image_control.h"
#include "widgets/layered_window.h"

namespace lumaset::ui {

struct ButtonLooks;

// The DPI of the monitor a window is on (the system's before Windows 10).
int windowDpi(HWND window);

class MainWindow : public MainView {
 public:
  MainWindow(Files& files, Win32Interaction& interaction, HostPlaces& places, std::string programFolder);
  ~MainWindow() override;

  // Creates the main window; its creation runs the startup and opens the other two.
  bool create();
  // True while the main window stands: the message loop ends once it is gone, even when a
  // modal loop (a drag of the preview under way at Alt+F4) took the quit message.
  bool isOpen() const;
  // The keys the main window handles before the focused control (main_window_keys.cpp):
  // true when the key was handled and goes no further.
  bool handleKey(const MSG& message);

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
  // The keyboard (main_window_keys.cpp).
  static constexpr UINT kThemeListClosed = WM_APP + 1;
  static constexpr UINT kFilesDropped = WM_APP + 2;
  void finishControls();
  LRESULT drawThemeList(UINT message, LPARAM lParam);
  std::vector<HWND> tabOrder() const;
  bool keepFocusOnActivation(WPARAM state);
  POINT themeMenuPoint() const;
  void onThemeListCommand(int code);
  void themeListClosed();
  void chooseFromOpenList();
  bool pressUntranslated(const MSG& message);

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

  // The window at its monitor's DPI (main_window_dpi.cpp). Every control is created from
  // its design rectangle (96 DPI), which is kept with its font, its shown part and its
  // outline, so that a change of DPI lays everything out again. The three members below
  // take design pixels and hide the free functions of the same names for the controls'
  // code, which keeps its design numbers as they are.
  HWND createImageButton(HWND parent, int id, int x, int y, int w, int h, const ButtonLooks& looks, bool twoState);
  void showOnly(HWND control, int w, int h);
  void cutOut(HWND window, const HWND* covering, int count);
  // Creates `window`'s place from design pixels and keeps it.
  void place(HWND window, const DesignRect& design);
  void remember(HWND window, const DesignRect& design, HFONT font);
  void makeFonts();
  void onDpiChanged(int dpi, const RECT* suggested);
  void layOutControls();
  void placeAccompanyingWindows();
  // The built-in images and the shown look at the current scale (main_window_images.cpp).
  void showBuiltinImages();
  void showLookImages();
  void showOverlayImage();
  // The placeholder splash, when the start found no look to show.
  void showPlaceholder();

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
  WindowGroup group_;
  kit::ImageControl overlay_, splash_, darkIcon_, lightIcon_;
  std::map<Control, HWND> controls_;
  std::map<Control, std::string> linkTargets_;
  HFONT fonts_[4] = {};  // 12, 11, 9 and 21 design pixels
  struct Placed {
    DesignRect rect;
    int font = -1;               // index into fonts_
    int shownW = 0, shownH = 0;  // showOnly's part, when set
    int fieldLine = 0;           // the framed height of a path box
    bool imageButton = false;
    int itemHeight = 0;  // a combo box's selection field
  };
  Scale scale_;
  std::map<HWND, Placed> placed_;
  HWND cutWindow_ = nullptr;
  std::vector<HWND> cutCovering_;
  Look lookShown_;
  Overlay overlayShown_ = Overlay::Clear;
  bool lookReceived_ = false;
  bool started_ = false;  // the start has shown its first look, or found none to show
  HBRUSH panelBrush_ = nullptr, editBrush_ = nullptr;
  HMENU themeMenu_ = nullptr;
  int listShownEntry_ = -1;  // the theme list's selection when it opened
  bool listDropped_ = false;  // the theme list is open
  HWND lastFocus_ = nullptr;  // the focus when the window was last active
  std::unique_ptr<DropTarget> dropTarget_;
  std::vector<std::vector<std::string>> droppedPaths_;  // drops waiting for kFilesDropped
};

}  // namespace lumaset::ui
