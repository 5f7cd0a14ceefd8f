#include "ui/main_window.h"

#include <commctrl.h>
#include <ole2.h>

#include "assets/builtin_images.h"
#include "ui/control_looks.h"
#include "ui/image_button.h"
#include "ui/palette.h"
#include "widgets/kit.h"
#include "widgets/window_rect.h"

namespace lumaset::ui {
namespace {

MainWindow* windowOf(HWND window) {
  return reinterpret_cast<MainWindow*>(GetWindowLongPtrW(GetAncestor(window, GA_ROOT), GWLP_USERDATA));
}

bool isLink(Control c) {
  switch (c) {
    case Control::CreditLink:
    case Control::AuthorLink:
    case Control::ProjectLink:
    case Control::HelpLink:
    case Control::ThemeMenuLink:
    case Control::BackupLink:
    case Control::TemplateLink:
      return true;
    default:
      return false;
  }
}

bool isEdit(Control c) {
  switch (c) {
    case Control::PathBox:
    case Control::SplashField:
    case Control::LightField:
    case Control::DarkField:
    case Control::Dark2xField:
    case Control::Light2xField:
    case Control::Splash2xField:
    case Control::DescriptionBox:
      return true;
    default:
      return false;
  }
}

// Runs a window procedure's work; nothing thrown may unwind through Windows, so a
// failure falls back to the default handling.
template <typename Work>
LRESULT guarded(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Work work) {
  try {
    return work();
  } catch (...) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
}

void registerClass(const wchar_t* name, WNDPROC proc, HBRUSH background) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
  RegisterClassExW(&wc);
}

}  // namespace

MainWindow::MainWindow(Files& files, Win32Interaction& interaction, HostPlaces& places, std::string programFolder)
    : interaction_(interaction), presenter_(files, interaction, places, *this, std::move(programFolder)) {}

MainWindow::~MainWindow() {
  for (HFONT font : fonts_) {
    if (font) DeleteObject(font);
  }
  if (panelBrush_) DeleteObject(panelBrush_);
  if (editBrush_) DeleteObject(editBrush_);
  if (themeMenu_) DestroyMenu(themeMenu_);
}

bool MainWindow::isOpen() const { return main_ && IsWindow(main_); }

bool MainWindow::create() {
  panelBrush_ = CreateSolidBrush(kPanelColour);
  editBrush_ = CreateSolidBrush(kEditColour);
  registerImageButtonClass();
  registerClass(kMainClass, mainProc, panelBrush_);
  registerClass(kPageClass, pageProc, panelBrush_);
  registerClass(kPreviewClass, previewProc, nullptr);
  registerClass(kFrameClass, frameProc, nullptr);
  int x = (GetSystemMetrics(SM_CXSCREEN) - 824) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - 179) / 2;
  main_ = CreateWindowExW(WS_EX_APPWINDOW, kMainClass, L"Lumaset v1.0", WS_POPUP | WS_MINIMIZEBOX | WS_SYSMENU, x, y,
                          824, 179, nullptr, nullptr, GetModuleHandleW(nullptr), this);
  if (!main_) return false;
  ShowWindow(main_, SW_SHOW);
  UpdateWindow(main_);
  return true;
}

LRESULT CALLBACK MainWindow::mainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* me = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    me->main_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(me));
  }
  auto* me = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!me) return DefWindowProcW(window, message, wParam, lParam);
  return guarded(window, message, wParam, lParam, [&] { return me->onMessage(message, wParam, lParam); });
}

LRESULT CALLBACK MainWindow::pageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MainWindow* me = windowOf(window);
  if (!me) return DefWindowProcW(window, message, wParam, lParam);
  return guarded(window, message, wParam, lParam, [&] { return me->onPageMessage(window, message, wParam, lParam); });
}

LRESULT CALLBACK MainWindow::previewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCHITTEST) return HTCAPTION;
  // Alt+F4 on the preview closes the program, as on the main window.
  if (message == WM_CLOSE) return SendMessageW(GetWindow(window, GW_OWNER), WM_CLOSE, 0, 0);
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::frameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCHITTEST) return HTTRANSPARENT;
  if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT MainWindow::onPageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
      return SendMessageW(main_, message, wParam, lParam);
    case WM_LBUTTONDOWN:
      presenter_.pageControlClicked();
      return 0;
    default:
      return DefWindowProcW(page, message, wParam, lParam);
  }
}

LRESULT MainWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      onCreate();
      return 0;
    case WM_NCHITTEST: {
      LRESULT hit = DefWindowProcW(main_, message, wParam, lParam);
      return hit == HTCLIENT ? HTCAPTION : hit;
    }
    case WM_MOVE:
      frameFollows();
      group_.mainMoved();
      return 0;
    case WM_DPICHANGED:
      onDpiChanged(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_SIZE:
      group_.mainResized(wParam);
      return 0;
    case WM_ACTIVATE:
      if (keepFocusOnActivation(wParam)) return 0;
      return DefWindowProcW(main_, message, wParam, lParam);
    case WM_COMMAND:
      onCommand(static_cast<Control>(LOWORD(wParam)), HIWORD(wParam));
      return 0;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
      return drawThemeList(message, lParam);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return colourControl(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DROPFILES: {
      auto drop = reinterpret_cast<HDROP>(wParam);
      std::vector<std::string> paths = pathsOfDrop(drop);
      DragFinish(drop);
      presenter_.filesDropped(paths);
      return 0;
    }
    case kThemeListClosed:
      themeListClosed();
      return 0;
    case kFilesDropped:
      if (!droppedPaths_.empty()) {
        const std::vector<std::string> paths = std::move(droppedPaths_.front());
        droppedPaths_.erase(droppedPaths_.begin());
        presenter_.filesDropped(paths);
      }
      return 0;
    case WM_DESTROY:
      if (dropTarget_) RevokeDragDrop(main_);
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(main_, message, wParam, lParam);
  }
}

LRESULT MainWindow::colourControl(HDC dc, HWND window) {
  auto c = static_cast<Control>(GetDlgCtrlID(window));
  if (c == Control::ToggleLabel) {
    SetTextColor(dc, IsWindowEnabled(control(Control::StartupTextToggle)) ? kTextColour : kDimTextColour);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
  }
  // The path boxes draw their text on the panel, within their own outline.
  bool edit = isEdit(c) && c == Control::DescriptionBox;
  SetTextColor(dc, isLink(c) ? kLinkColour : c == Control::HostCarriesLabel ? kDimTextColour : kTextColour);
  SetBkColor(dc, edit ? kEditColour : kPanelColour);
  return reinterpret_cast<LRESULT>(edit ? editBrush_ : panelBrush_);
}

void MainWindow::onCreate() {
  interaction_.setOwner(main_);
  // The window opens at the DPI of its monitor, centred on the screen.
  scale_ = Scale{windowDpi(main_)};
  makeFonts();
  const int w = scale_.px(824), h = scale_.px(179);
  SetWindowPos(main_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h,
               SWP_NOZORDER | SWP_NOACTIVATE);
  createControls();
  finishControls();
  presenter_.runStartup();
  windowStartup();
}

void MainWindow::windowStartup() {
  if (interaction_.runsAsAdministrator()) {
    acceptDroppedFiles(main_);
  } else {
    // The drop is imported once the program that dragged it has its drag call back: its
    // window would hang while the import asks or reports.
    dropTarget_ = std::make_unique<DropTarget>([this](const std::vector<std::string>& paths) {
      droppedPaths_.push_back(paths);
      PostMessageW(main_, kFilesDropped, 0, 0);
    });
    RegisterDragDrop(main_, dropTarget_.get());
  }

  const std::pair<Control, const char*> tips[] = {
      {Control::Badge1x, "这个主题有 @1x 尺寸启动图"},
      {Control::Badge2x, "这个主题有 @2x 尺寸启动图，@2x 尺寸用于高清屏幕下 Ps 使用 200% UI 设置时显示"},
      {Control::BadgeText, "这个主题有自定义的启动文字"},
      {Control::BackupLink,
       "为当前的 Ps 创建一个备份。\r\n注意：不要在修改 Ps "
       "后创建备份，否则不仅将无法还原，而且每次修改都是在备份的基础上进行的，所以需要原版备份。"}};
  for (const auto& [c, text] : tips) {
    kit::ImageControl tipped;
    tipped.attach(control(c));
    tipped.setToolTip(text);
  }

  int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
  const int frameW = scale_.px(842), frameH = scale_.px(195);
  frame_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kFrameClass, L"", WS_POPUP, (screenW - frameW) / 2,
                           (screenH - frameH) / 2, frameW, frameH, main_, nullptr, GetModuleHandleW(nullptr), nullptr);
  frameImage_.attach(frame_);
  openPreviewWindow();
  showBuiltinImages();

  RECT m = kit::windowRect(main_), p = kit::windowRect(preview_);
  SetWindowPos(preview_, nullptr, p.left, scale_.px(2), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(main_, nullptr, m.left, (p.bottom - p.top) + scale_.px(8), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  frameFollows();
  group_.join(main_, preview_, frame_);
  ShowWindow(frame_, SW_SHOWNOACTIVATE);
  ShowWindow(preview_, SW_SHOWNOACTIVATE);

  // The first look is read and drawn once: the preview's first composition is the one
  // the user sees.
  presenter_.showFirstEntry();
  started_ = true;
  showPlaceholder();
}

void MainWindow::openPreviewWindow() {
  int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
  const int w = scale_.px(838), h = scale_.px(506);
  preview_ = CreateWindowExW(WS_EX_TOOLWINDOW, kPreviewClass, L"", WS_POPUP, (screenW - w) / 2, (screenH - h) / 2, w,
                             h, main_, nullptr, GetModuleHandleW(nullptr), nullptr);
  previewImage_.attach(preview_);
  HWND splashBox =
      CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 0, 0, w, h, preview_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id(Control::SplashPreview))), nullptr, nullptr);
  HWND overlayBox = overlay_.createPictureBox(preview_, 0, 0, w, h);
  placed_[splashBox].rect = placed_[overlayBox].rect = {0, 0, 838, 506};
  // The two picture boxes cover the whole window: a press on them moves it.
  moveWindowOnPress(splashBox);
  moveWindowOnPress(overlayBox);
  SetWindowLongPtrW(overlayBox, GWLP_ID, id(Control::OverlayPreview));
  splash_.attachPictureBox(splashBox);
  // The overlay is drawn last, over the splash: the composition draws lower children on top.
  SetWindowPos(overlayBox, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void MainWindow::frameFollows() {
  if (!frame_) return;
  RECT m = kit::windowRect(main_);
  SetWindowPos(frame_, nullptr, m.left - scale_.px(9), m.top - scale_.px(5), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::showThemeMenu() {
  const POINT p = themeMenuPoint();
  TrackPopupMenu(themeMenu_, TPM_LEFTALIGN | TPM_TOPALIGN, p.x + 3, p.y + 3, 0, main_, nullptr);
}

void MainWindow::onLinkClicked(Control c) {
  switch (c) {
    case Control::ThemeMenuLink:
      return showThemeMenu();
    case Control::BackupLink:
      return presenter_.backupPressed();
    case Control::TemplateLink:
      return presenter_.openTemplateFolder();
    case Control::ProjectLink:
    case Control::HelpLink:
      return presenter_.openGuide();
    default: {
      auto target = linkTargets_.find(c);
      if (target != linkTargets_.end() && !target->second.empty()) interaction_.openWebPage(target->second);
    }
  }
}

void MainWindow::onCommand(Control c, int code) {
  if (isLink(c)) {
    if (code == STN_CLICKED) onLinkClicked(c);
    return;
  }
  for (int slot = 0; slot < 6; ++slot) {
    if (c == kSlotButtons[slot] && code == BN_CLICKED) return presenter_.pickImageClicked(slot);
  }
  switch (c) {
    case Control::MenuAddTheme:
      return presenter_.addThemePackage();
    case Control::MenuOpenLibrary:
      return presenter_.openThemeLibrary();
    case Control::MenuMoreThemes:
      return presenter_.openMoreThemes();
    case Control::ThemeList:
      return onThemeListCommand(code);
    case Control::ThemeBoxText:
      if (code == STN_CLICKED) presenter_.openThemeBox();
      return;
    case Control::ToggleLabel:
      // A quick second press comes as a double click: it flips the box again, as a
      // second press on the box does.
      if (code == STN_CLICKED || code == STN_DBLCLK) presenter_.toggleLabelPressed();
      return;
    default:
      break;
  }
  if (code != BN_CLICKED) return;
  switch (c) {
    case Control::CloseButton:
      return close();
    case Control::MinimiseButton:
      return minimise();
    case Control::ThemePageButton:
      return presenter_.themePageClicked();
    case Control::CustomPageButton:
      return presenter_.customPageClicked();
    case Control::LocateButton:
      return presenter_.locateClicked();
    case Control::StartupTextToggle:
      return presenter_.toggleClicked();
    case Control::PreviousThemeButton:
      return presenter_.previousTheme();
    case Control::NextThemeButton:
      return presenter_.nextTheme();
    case Control::ApplyThemeButton:
      return presenter_.applyThemeClicked();
    case Control::ApplyCustomButton:
      return presenter_.applyCustomClicked();
    default:
      return;
  }
}

}  // namespace lumaset::ui
