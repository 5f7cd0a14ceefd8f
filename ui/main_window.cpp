#include "ui/main_window.h"

#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>

#include "assets/builtin_images.h"
#include "platform/win32_text.h"
#include "ui/control_ids.h"
#include "ui/image_button.h"
#include "widgets/kit.h"

namespace lumaset::ui {
namespace {

constexpr COLORREF kPanelColour = RGB(0, 17, 34);
constexpr COLORREF kTextColour = RGB(200, 222, 238);
constexpr COLORREF kLinkColour = RGB(60, 200, 255);
constexpr COLORREF kEditColour = RGB(8, 32, 52);

// The custom image fields in slot order, each with its browse button.
constexpr const char* kSlotFields[6] = {"编辑框2", "编辑框7", "编辑框4", "编辑框5", "编辑框3", "编辑框6"};
constexpr const char* kSlotButtons[6] = {"图形按钮9", "图形按钮11", "图形按钮12", "图形按钮14", "图形按钮10", "图形按钮13"};

std::string builtin(const char* name) { return std::string(embeddedImage(name)); }

MainWindow* self(HWND window) {
  return reinterpret_cast<MainWindow*>(GetWindowLongPtrW(GetAncestor(window, GA_ROOT), GWLP_USERDATA));
}

bool isLink(int id) {
  for (const char* name : {"超级链接框1", "超级链接框2", "超级链接框3", "超级链接框4", "超级链接框5", "超级链接框6", "超级链接框7"})
    if (controlId(name) == id) return true;
  return false;
}

// A press on a label or picture box moves the window as a press on its caption would.
LRESULT CALLBACK dragProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_LBUTTONDOWN) {
    ReleaseCapture();
    SendMessageW(GetAncestor(window, GA_ROOT), WM_NCLBUTTONDOWN, HTCAPTION, 0);
    return 0;
  }
  if (message == WM_LBUTTONDBLCLK) return 0;
  return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK linkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_SETCURSOR) {
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return TRUE;
  }
  return DefSubclassProc(window, message, wParam, lParam);
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

RECT rectOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

}  // namespace

// Takes lists of dropped files for the theme import.
struct MainWindow::DropTarget : IDropTarget {
  explicit DropTarget(MainWindow& w) : window(w) {}
  virtual ~DropTarget() = default;
  MainWindow& window;
  LONG refs = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (riid == IID_IUnknown || riid == IID_IDropTarget) {
      *out = this;
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs)); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(InterlockedDecrement(&refs)); }
  static bool holdsFiles(IDataObject* data) {
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return data && data->QueryGetData(&format) == S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    *effect = holdsFiles(data) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
    *effect = DROPEFFECT_COPY;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    *effect = DROPEFFECT_NONE;
    if (!data || data->GetData(&format, &medium) != S_OK) return S_OK;
    std::vector<std::string> paths;
    auto drop = static_cast<HDROP>(GlobalLock(medium.hGlobal));
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      wchar_t path[MAX_PATH * 4];
      if (DragQueryFileW(drop, i, path, MAX_PATH * 4)) paths.push_back(fromWide(path));
    }
    GlobalUnlock(medium.hGlobal);
    ReleaseStgMedium(&medium);
    *effect = DROPEFFECT_COPY;
    window.dropped(paths);
    return S_OK;
  }
};

MainWindow::MainWindow(Files& files, Win32Interaction& interaction, std::string programFolder)
    : files_(files),
      interaction_(interaction),
      programFolder_(programFolder),
      presenter_(files, interaction, *this, programFolder) {}

MainWindow::~MainWindow() {
  for (auto& [name, font] : fonts_) DeleteObject(font);
  if (panelBrush_) DeleteObject(panelBrush_);
  if (editBrush_) DeleteObject(editBrush_);
  if (themeMenu_) DestroyMenu(themeMenu_);
  delete dropTarget_;
}

bool MainWindow::create() {
  panelBrush_ = CreateSolidBrush(kPanelColour);
  editBrush_ = CreateSolidBrush(kEditColour);
  registerImageButtonClass();
  registerClass(kMainClass, mainProc, panelBrush_);
  registerClass(kPageClass, pageProc, panelBrush_);
  registerClass(kPreviewClass, previewProc, nullptr);
  registerClass(kFrameClass, frameProc, nullptr);
  for (auto [name, height] : {std::pair{"12", -12}, std::pair{"11", -11}, std::pair{"9", -9}, std::pair{"21", -21}}) {
    fonts_[name] = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, L"微软雅黑");
  }
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
  // Nothing thrown may unwind through Windows.
  try {
    if (me) return me->onMessage(message, wParam, lParam);
  } catch (...) {
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::pageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MainWindow* me = self(window);
  switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      if (me) return SendMessageW(me->main_, message, wParam, lParam);
      break;
    case WM_LBUTTONDOWN:
      if (me) me->presenter_.pageControlClicked();
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::previewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCHITTEST) return HTCAPTION;
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::frameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCHITTEST) return HTTRANSPARENT;
  if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  return DefWindowProcW(window, message, wParam, lParam);
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
      return 0;
    case WM_COMMAND:
      onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      return colourControl(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DESTROY:
      RevokeDragDrop(main_);
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(main_, message, wParam, lParam);
  }
}

LRESULT MainWindow::colourControl(HDC dc, HWND window) {
  int id = GetDlgCtrlID(window);
  if (id == controlId("透明标签1") || id == controlId("伪组合框文字")) {
    SetTextColor(dc, kTextColour);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
  }
  bool edit = id >= 1301 && id <= 1308;
  SetTextColor(dc, isLink(id) ? kLinkColour : kTextColour);
  SetBkColor(dc, edit ? kEditColour : kPanelColour);
  return reinterpret_cast<LRESULT>(edit ? editBrush_ : panelBrush_);
}

HWND MainWindow::add(HWND parent, const wchar_t* cls, const std::string& text, int id, int x, int y, int w, int h,
                     DWORD style, HFONT font, DWORD exStyle) {
  HWND window = CreateWindowExW(exStyle, cls, toWide(text).c_str(), WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (font) SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  controls_[id] = window;
  return window;
}

HWND MainWindow::control(int id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : it->second;
}

void MainWindow::createControls() {
  HFONT f12 = fonts_["12"], f11 = fonts_["11"], f9 = fonts_["9"], f21 = fonts_["21"];
  auto looks = [](const std::string& name) { return ButtonLooks{name + "_normal", name + "_over", name + "_down", ""}; };
  auto label = [&](HWND parent, const char* name, const char* text, int x, int y, int w, int h, HFONT font) {
    // A label that is a little narrow for the font at hand is cut, never wrapped away.
    HWND l = add(parent, L"Static", text, controlId(name), x, y, w, h, SS_NOTIFY | SS_LEFTNOWORDWRAP, font);
    SetWindowSubclass(l, dragProc, 1, 0);
    return l;
  };
  auto link = [&](HWND parent, const char* name, const char* text, int x, int y, int w, int h, HFONT font) {
    HWND l = add(parent, L"Static", text, controlId(name), x, y, w, h, SS_NOTIFY | SS_LEFTNOWORDWRAP, font);
    SetWindowSubclass(l, linkProc, 2, 0);
    return l;
  };
  auto edit = [&](HWND parent, const char* name, int x, int y, int w, int h) {
    return add(parent, L"Edit", "", controlId(name), x, y, w, h, ES_AUTOHSCROLL, f12);
  };

  link(main_, "超级链接框3", "Lumaset v1.2", 1, 0, 69, 24, f9);
  linkTargets_[controlId("超级链接框3")] = kProjectPage;
  createImageButton(main_, controlId("图形按钮5"), 381, 12, 40, 26, looks("tab_theme"), true);
  createImageButton(main_, controlId("图形按钮6"), 432, 12, 48, 26, looks("tab_custom"), true);
  createImageButton(main_, controlId("图形按钮17"), 769, 3, 24, 26, looks("minimise"), false);
  createImageButton(main_, controlId("图形按钮7"), 797, 4, 48, 26, looks("close"), false);

  HWND pageControl = add(main_, kPageClass, "", controlId("选择夹1"), 8, 29, 808, 155, WS_CLIPSIBLINGS, nullptr);
  for (int i = 0; i < 2; ++i) {
    pages_[i] = CreateWindowExW(0, kPageClass, L"", WS_CHILD | (i == 0 ? WS_VISIBLE : 0), 0, 0, 808, 155, pageControl,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  label(main_, "标签1", "Ps 路径：", 20, 132, 68, 32, f12);
  edit(main_, "编辑框1", 71, 133, 81, 32);
  createImageButton(main_, controlId("图形按钮2"), 158, 140, 48, 24, looks("folder"), false);
  link(main_, "超级链接框6", "备份", 215, 137, 32, 24, f11);
  label(main_, "外形框1", "", 578, 140, 112, 24, nullptr);
  createImageButton(main_, controlId("图形按钮20"), 595, 144, 48, 19, looks("checkbox"), true);
  add(main_, L"Static", "隐藏启动文字", controlId("透明标签1"), 612, 142, 80, 16, SS_NOTIFY, f12);
  // The labels and buttons over the page control stay above it.
  for (int id : {controlId("标签1"), controlId("编辑框1"), controlId("图形按钮2"), controlId("超级链接框6"),
                 controlId("外形框1"), controlId("透明标签1")})
    SetWindowPos(control(id), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetWindowPos(GetDlgItem(main_, controlId("图形按钮20")), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

  HWND theme = pages_[0];
  HWND plate = add(theme, L"Static", "", controlId("窗口拖动底板"), -40, -5, 888, 144, SS_NOTIFY, nullptr);
  kit::ImageControl plateBox;
  plateBox.attachPictureBox(plate);
  HWND dark = add(theme, L"Static", "", controlId("图标_暗"), 64, 9, 32, 32, SS_NOTIFY, nullptr);
  HWND light = add(theme, L"Static", "", controlId("图标_亮"), 64, 41, 32, 32, SS_NOTIFY, nullptr);
  darkIcon_.attachPictureBox(dark);
  lightIcon_.attachPictureBox(light);
  darkIcon_.setBackType(2);
  lightIcon_.setBackType(2);
  for (HWND box : {plate, dark, light}) SetWindowSubclass(box, dragProc, 1, 0);
  add(theme, L"Edit", "", controlId("编辑框8"), 200, 43, 432, 24, ES_AUTOHSCROLL | ES_READONLY, f12);
  for (auto [name, image, x] : {std::tuple{"图形按钮_1X", "badge_1x", 386}, std::tuple{"图形按钮_2X", "badge_2x", 406},
                                std::tuple{"图形按钮_T", "badge_t", 426}}) {
    HWND badge = createImageButton(theme, controlId(name), x, 74, 24, 9,
                                   {std::string(image) + "_normal", "", "", std::string(image) + "_disabled"}, false);
    controls_[controlId(name)] = badge;
  }
  EnableWindow(control(controlId("图形按钮_2X")), FALSE);
  EnableWindow(control(controlId("图形按钮_T")), FALSE);
  controls_[controlId("图形按钮3")] = createImageButton(theme, controlId("图形按钮3"), 256, 8, 27, 26, looks("previous"), false);
  HWND combo = add(theme, L"ComboBox", "", controlId("组合框1"), 288, 8, 243, 200, CBS_DROPDOWNLIST | WS_VSCROLL, f12);
  ShowWindow(combo, SW_HIDE);
  HWND fakeBox = add(theme, L"Static", "", controlId("图片框1"), 288, 8, 243, 26, SS_NOTIFY, nullptr);
  kit::ImageControl fake;
  fake.attachPictureBox(fakeBox);
  fake.setBackImageFromBytes(builtin("theme_box"));
  SetWindowSubclass(fakeBox, dragProc, 1, 0);
  add(theme, L"Static", kThemeBoxPlaceholder, controlId("伪组合框文字"), 296, 9, 232, 24, SS_NOTIFY | SS_CENTERIMAGE, f12);
  controls_[controlId("图形按钮4")] = createImageButton(theme, controlId("图形按钮4"), 536, 8, 27, 26, looks("next"), false);
  link(theme, "超级链接框5", "…", 568, 3, 24, 24, f21);
  label(theme, "标签4", "作者：", 324, 94, 32, 17, f11);
  link(theme, "超级链接框2", "", 359, 95, 122, 15, f11);
  label(theme, "标签5", "引用：", 324, 110, 32, 13, f11);
  link(theme, "超级链接框1", "", 360, 108, 120, 18, f11);
  controls_[controlId("图形按钮8")] = createImageButton(theme, controlId("图形按钮8"), 688, 108, 123, 26, looks("apply_theme"), false);
  HWND previewButton = createImageButton(theme, controlId("图形按钮1"), 114, 32, 48, 24, looks("preview"), false);
  ShowWindow(previewButton, SW_HIDE);
  SetWindowPos(plate, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

  HWND custom = pages_[1];
  const std::tuple<const char*, const char*, int, int, const char*, int, int, const char*, int, int> rows[] = {
      {"标签2", "启动图片：", 23, 13, "编辑框2", 120, 12, "图形按钮9", 229, 19},
      {"标签7", "图标亮界面：", -8, 43, "编辑框3", 120, 40, "图形按钮10", 228, 46},
      {"标签8", "图标暗界面：", -8, 72, "编辑框4", 120, 70, "图形按钮12", 228, 75},
      {"标签6", "启动图片@X2：", 312, 17, "编辑框7", 440, 14, "图形按钮11", 549, 20},
      {"标签9", "图标亮界面@X2：", 312, 47, "编辑框6", 440, 44, "图形按钮13", 548, 49},
      {"标签10", "图标暗界面@X2：", 312, 76, "编辑框5", 440, 72, "图形按钮14", 548, 79}};
  for (const auto& [labelName, text, lx, ly, editName, ex, ey, buttonName, bx, by] : rows) {
    label(custom, labelName, text, lx, ly, 100, 20, f12);
    edit(custom, editName, ex, ey, 104, 32);
    controls_[controlId(buttonName)] = createImageButton(custom, controlId(buttonName), bx, by, 48, 24, looks("folder"), false);
  }
  link(custom, "超级链接框7", "模板", 688, 65, 96, 24, f11);
  link(custom, "超级链接框4", "帮助", 688, 83, 96, 24, f11);
  linkTargets_[controlId("超级链接框4")] = kProjectPage;
  controls_[controlId("图形按钮15")] = createImageButton(custom, controlId("图形按钮15"), 688, 108, 107, 26, looks("apply_custom"), false);

  for (const char* name : {"图形按钮5", "图形按钮6", "图形按钮17", "图形按钮7", "图形按钮2", "图形按钮20"})
    controls_[controlId(name)] = GetDlgItem(main_, controlId(name));
  SendMessageW(control(controlId("图形按钮5")), BM_SETCHECK, BST_CHECKED, 0);

  themeMenu_ = CreatePopupMenu();
  AppendMenuW(themeMenu_, MF_STRING, kMenuAddTheme, L"添加主题");
  AppendMenuW(themeMenu_, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(themeMenu_, MF_STRING, kMenuOpenLibrary, L"打开主题目录");
  AppendMenuW(themeMenu_, MF_STRING, kMenuMoreThemes, L"获取更多主题...");
}

void MainWindow::onCreate() {
  interaction_.setOwner(main_);
  createControls();
  presenter_.runStartup();
  windowStartup();
}

void MainWindow::windowStartup() {
  dropTarget_ = new DropTarget(*this);
  RegisterDragDrop(main_, dropTarget_);

  const std::pair<const char*, const char*> tips[] = {
      {"图形按钮_1X", "这个主题有 @1x 尺寸启动图"},
      {"图形按钮_2X", "这个主题有 @2x 尺寸启动图，@2x 尺寸用于高清屏幕下 Ps 使用 200% UI 设置时显示"},
      {"图形按钮_T", "这个主题有自定义的启动文字"},
      {"超级链接框6", "为当前的 Ps 创建一个备份。\r\n注意：不要在修改 Ps 后创建备份，否则不仅将无法还原，而且每次修改都是在备份的基础上进行的，所以需要原版备份。"}};
  for (const auto& [name, text] : tips) {
    kit::ImageControl tipped;
    tipped.attach(control(controlId(name)));
    tipped.setToolTip(text);
  }

  RECT m = rectOf(main_);
  int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
  frame_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kFrameClass, L"", WS_POPUP, (screenW - 842) / 2,
                           (screenH - 195) / 2, 842, 195, main_, nullptr, GetModuleHandleW(nullptr), nullptr);
  frameImage_.attach(frame_);
  frameImage_.setBackImage(kit::loadImageFromBytes(builtin("frame")));

  preview_ = CreateWindowExW(WS_EX_TOOLWINDOW, kPreviewClass, L"", WS_POPUP, (screenW - 838) / 2, (screenH - 506) / 2, 838,
                             506, main_, nullptr, GetModuleHandleW(nullptr), nullptr);
  previewImage_.attach(preview_);
  previewImage_.setBackImage(kit::loadImageFromBytes(builtin("clear_overlay")));
  HWND splashBox = CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 0, 0, 838, 506, preview_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId("预览图片框1"))), nullptr, nullptr);
  HWND overlayBox = overlay_.createPictureBox(preview_, 0, 0, 838, 506);
  SetWindowLongPtrW(overlayBox, GWLP_ID, controlId("预览图片框2"));
  overlay_.setBackImageFromBytes(builtin("clear_overlay"));
  splash_.attachPictureBox(splashBox);
  splash_.setBackImageFromBytes(builtin("placeholder_splash"));
  // The overlay is drawn last, over the splash: the composition draws lower children on top.
  SetWindowPos(overlayBox, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  previewImage_.refresh();

  RECT p = rectOf(preview_);
  SetWindowPos(preview_, nullptr, p.left, 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(main_, nullptr, m.left, (p.bottom - p.top) + 8, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  frameFollows();
  ShowWindow(frame_, SW_SHOWNOACTIVATE);
  ShowWindow(preview_, SW_SHOWNOACTIVATE);

  presenter_.showFirstEntry();
}

void MainWindow::frameFollows() {
  if (!frame_) return;
  RECT m = rectOf(main_);
  SetWindowPos(frame_, nullptr, m.left - 9, m.top - 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::showThemeMenu() {
  POINT p;
  GetCursorPos(&p);
  TrackPopupMenu(themeMenu_, TPM_LEFTALIGN | TPM_TOPALIGN, p.x + 3, p.y + 3, 0, main_, nullptr);
}

void MainWindow::onCommand(int id, int code, HWND) {
  auto is = [&](const char* name) { return id == controlId(name); };
  if (id == kMenuAddTheme) return presenter_.addThemePackage();
  if (id == kMenuOpenLibrary) return presenter_.openThemeLibrary();
  if (id == kMenuMoreThemes) return presenter_.openMoreThemes();
  if (is("组合框1")) {
    if (code == CBN_SELCHANGE) presenter_.themeBoxUpdate();
    if (code == CBN_KILLFOCUS) presenter_.closeThemeBox();
    return;
  }
  if (isLink(id) && code == STN_CLICKED) {
    if (is("超级链接框5")) return showThemeMenu();
    if (is("超级链接框6")) return presenter_.backupPressed();
    if (is("超级链接框7")) return presenter_.openTemplateFolder();
    auto target = linkTargets_.find(id);
    if (target != linkTargets_.end() && !target->second.empty()) interaction_.openWebPage(target->second);
    return;
  }
  if (is("伪组合框文字") && code == STN_CLICKED) return presenter_.openThemeBox();
  if (is("透明标签1") && code == STN_CLICKED) return presenter_.toggleLabelPressed();
  if (code != BN_CLICKED) return;
  if (is("图形按钮7")) return close();
  if (is("图形按钮17")) return minimise();
  if (is("图形按钮5")) return presenter_.themePageClicked();
  if (is("图形按钮6")) return presenter_.customPageClicked();
  if (is("图形按钮2")) return presenter_.locateClicked();
  if (is("图形按钮20")) return presenter_.toggleClicked();
  if (is("图形按钮3")) return presenter_.previousTheme();
  if (is("图形按钮4")) return presenter_.nextTheme();
  if (is("图形按钮8")) return presenter_.applyThemeClicked();
  if (is("图形按钮15")) return presenter_.applyCustomClicked();
  for (int slot = 0; slot < 6; ++slot) {
    if (is(kSlotButtons[slot])) return presenter_.pickImageClicked(slot);
  }
}

bool MainWindow::handleEscape(const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_ESCAPE) return false;
  HWND root = GetAncestor(message.hwnd, GA_ROOT);
  if (root == main_) {
    close();
    return true;
  }
  if (root == preview_ && GetActiveWindow() == preview_) {
    DestroyWindow(preview_);
    preview_ = nullptr;
    return true;
  }
  return false;
}

void MainWindow::setPathBox(const std::string& text) { SetWindowTextW(control(controlId("编辑框1")), toWide(text).c_str()); }

void MainWindow::showLook(const Look& look) {
  splash_.setBackImageFromBytes(look.splash);
  darkIcon_.setBackImageFromBytes(look.darkIcon);
  lightIcon_.setBackImageFromBytes(look.lightIcon);
  SetWindowTextW(control(controlId("编辑框8")), toWide(look.description).c_str());
  setTogglePressed(look.startupTextToggle);
  showOverlay(look.overlay);
}

void MainWindow::setThemeEntries(const std::vector<std::string>& entries) {
  HWND combo = control(controlId("组合框1"));
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (const std::string& e : entries) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWide(e).c_str()));
}

int MainWindow::themeEntryCount() const {
  return static_cast<int>(SendMessageW(control(controlId("组合框1")), CB_GETCOUNT, 0, 0));
}

int MainWindow::selectedThemeEntry() const {
  return static_cast<int>(SendMessageW(control(controlId("组合框1")), CB_GETCURSEL, 0, 0));
}

void MainWindow::selectThemeEntry(int index) { SendMessageW(control(controlId("组合框1")), CB_SETCURSEL, index, 0); }

std::string MainWindow::selectedThemeText() const {
  HWND combo = control(controlId("组合框1"));
  int i = selectedThemeEntry();
  if (i < 0) return {};
  std::wstring text(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
  SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
  return fromWide(text.c_str());
}

void MainWindow::setFakeThemeBoxText(const std::string& text) {
  HWND label = control(controlId("伪组合框文字"));
  SetWindowTextW(label, toWide(text).c_str());
  InvalidateRect(pages_[0], nullptr, TRUE);
}

void MainWindow::showThemeList(bool listShown) {
  ShowWindow(control(controlId("组合框1")), listShown ? SW_SHOW : SW_HIDE);
  ShowWindow(control(controlId("图片框1")), listShown ? SW_HIDE : SW_SHOW);
  ShowWindow(control(controlId("伪组合框文字")), listShown ? SW_HIDE : SW_SHOW);
}

void MainWindow::dropDownThemeList() {
  HWND combo = control(controlId("组合框1"));
  SetFocus(combo);
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
}

void MainWindow::showPage(int page) {
  ShowWindow(pages_[page == 0 ? 1 : 0], SW_HIDE);
  ShowWindow(pages_[page == 0 ? 0 : 1], SW_SHOW);
}

bool MainWindow::themePagePressed() const {
  return SendMessageW(control(controlId("图形按钮5")), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void MainWindow::setThemePagePressed(bool pressed) {
  SendMessageW(control(controlId("图形按钮5")), BM_SETCHECK, pressed ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool MainWindow::customPagePressed() const {
  return SendMessageW(control(controlId("图形按钮6")), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void MainWindow::setCustomPagePressed(bool pressed) {
  SendMessageW(control(controlId("图形按钮6")), BM_SETCHECK, pressed ? BST_CHECKED : BST_UNCHECKED, 0);
}

void MainWindow::redrawToggleLabel() {
  HWND label = control(controlId("透明标签1"));
  ShowWindow(label, SW_HIDE);
  ShowWindow(label, SW_SHOW);
  InvalidateRect(label, nullptr, TRUE);
}

bool MainWindow::togglePressed() const {
  return SendMessageW(control(controlId("图形按钮20")), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void MainWindow::setTogglePressed(bool pressed) {
  SendMessageW(control(controlId("图形按钮20")), BM_SETCHECK, pressed ? BST_CHECKED : BST_UNCHECKED, 0);
}

void MainWindow::showOverlay(Overlay overlay) {
  if (!preview_) return;
  overlay_.setBackImageFromBytes(builtin(overlay == Overlay::Clear ? "clear_overlay" : "marked_overlay"));
  previewImage_.refresh();
}

void MainWindow::showPreviewDetails(const Preview& preview) {
  for (auto [name, enabled] : {std::pair{"图形按钮_1X", preview.has1x}, std::pair{"图形按钮_2X", preview.has2x},
                               std::pair{"图形按钮_T", preview.hasText}}) {
    HWND badge = control(controlId(name));
    EnableWindow(badge, enabled);
    ShowWindow(badge, preview.indicatorsShown ? SW_SHOW : SW_HIDE);
  }
  for (auto [name, link] : {std::pair{"超级链接框2", preview.author}, std::pair{"超级链接框1", preview.credit}}) {
    SetWindowTextW(control(controlId(name)), toWide(link.text).c_str());
    linkTargets_[controlId(name)] = link.target;
  }
}

std::string MainWindow::customField(int slot) const {
  HWND field = control(controlId(kSlotFields[slot]));
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
  GetWindowTextW(field, text.data(), static_cast<int>(text.size()));
  return fromWide(text.c_str());
}

void MainWindow::setCustomField(int slot, const std::string& path) {
  SetWindowTextW(control(controlId(kSlotFields[slot])), toWide(path).c_str());
}

void MainWindow::minimise() { ShowWindow(main_, SW_MINIMIZE); }

void MainWindow::close() { DestroyWindow(main_); }

}  // namespace lumaset::ui
