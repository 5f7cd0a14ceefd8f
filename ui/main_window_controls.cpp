// The main window's controls: the frame (title, page buttons, path box, backup link and
// the startup-text toggle), the theme page and the custom page, and the theme menu.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <tuple>

#include "platform/win32_text.h"
#include "ui/control_looks.h"
#include "ui/image_button.h"
#include "ui/main_window.h"

namespace lumaset::ui {
namespace {

enum Font { Font12, Font11, Font9, Font21 };

constexpr int kEditLineHeight = 24;
constexpr int kFieldMargin = 4;
constexpr int kThemeListHeight = 25;
constexpr int kThemeNameWidth = 204;  // the box's arrow begins 4 pixels after

LRESULT CALLBACK linkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_SETCURSOR) {
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return TRUE;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

// The closed theme box opens on a press on its name or on its arrow; its outline moves the
// window. The name's label ends short of the arrow, so that the box's image shows it whole.
LRESULT CALLBACK themeBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message != WM_LBUTTONDOWN && message != WM_LBUTTONDBLCLK) return DefSubclassProc(box, message, wParam, lParam);
  HWND name = GetDlgItem(box, id(Control::ThemeBoxText));
  RECT inside, label;
  GetClientRect(box, &inside);
  GetWindowRect(name, &label);
  MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&label), 2);
  const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  const RECT opens{label.left, label.top, inside.right - 1, label.bottom};
  if (!name || !PtInRect(&opens, at)) return DefSubclassProc(box, message, wParam, lParam);
  SendMessageW(GetParent(box), WM_COMMAND, MAKEWPARAM(id(Control::ThemeBoxText), STN_CLICKED),
               reinterpret_cast<LPARAM>(name));
  return 0;
}

}  // namespace

HWND MainWindow::add(HWND parent, const wchar_t* cls, const std::string& text, Control id, int x, int y, int w, int h,
                     DWORD style, HFONT font, DWORD exStyle) {
  // Created at the monitor's scale; the design rectangle and font are kept for a change of DPI.
  const DesignRect r = scale_.rect({x, y, w, h});
  HWND window =
      CreateWindowExW(exStyle, cls, toWide(text).c_str(), WS_CHILD | WS_VISIBLE | style, r.x, r.y, r.w, r.h, parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(ui::id(id))), GetModuleHandleW(nullptr), nullptr);
  if (font) SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  remember(window, {x, y, w, h}, font);
  controls_[id] = window;
  return window;
}

HWND MainWindow::addLabel(HWND parent, Control id, const char* text, int x, int y, int w, int h, HFONT font,
                          DWORD align) {
  // A label that is a little narrow for the font at hand is cut, never wrapped away, and
  // never paints over a sibling above it.
  HWND label = add(parent, L"Static", text, id, x, y, w, h, SS_NOTIFY | align | WS_CLIPSIBLINGS, font);
  moveWindowOnPress(label);
  return label;
}

HWND MainWindow::addLink(HWND parent, Control id, const char* text, int x, int y, int w, int h, HFONT font) {
  HWND link = add(parent, L"Static", text, id, x, y, w, h, SS_NOTIFY | SS_LEFTNOWORDWRAP, font);
  SetWindowSubclass(link, linkProc, 2, 0);
  return link;
}

HWND MainWindow::addEdit(HWND parent, Control id, int x, int y, int w, int h) {
  HWND edit = add(parent, L"Edit", "", id, x, y, w, h, ES_AUTOHSCROLL | WS_CLIPSIBLINGS, fonts_[Font12]);
  drawAsFieldLine(edit, scale_.px(std::min(h, kEditLineHeight)));
  SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(scale_.px(kFieldMargin), scale_.px(kFieldMargin)));
  placed_[edit].fieldLine = std::min(h, kEditLineHeight);
  return edit;
}

HWND MainWindow::addButton(HWND parent, Control id, int x, int y, int w, int h, const std::string& look,
                           bool twoState) {
  // The disabled look where the built-in images have one, else the normal one.
  ButtonLooks looks{look + "_normal", look + "_over", look + "_down", look + "_disabled"};
  HWND button = createImageButton(parent, ui::id(id), x, y, w, h, looks, twoState);
  controls_[id] = button;
  return button;
}

void MainWindow::createControls() {
  createFrameControls();
  createHostCarriesLabel();
  createThemePage(pages_[0]);
  createCustomPage(pages_[1]);
  createThemeMenu();
}

void MainWindow::createFrameControls() {
  addLink(main_, Control::ProjectLink, "Lumaset v1.2", 1, 0, 69, 24, fonts_[Font9]);
  // The page buttons' last row would lie on the theme box's top outline.
  showOnly(addButton(main_, Control::ThemePageButton, 381, 12, 40, 26, "tab_theme", true), 40, 25);
  showOnly(addButton(main_, Control::CustomPageButton, 432, 12, 48, 26, "tab_custom", true), 48, 25);
  addButton(main_, Control::MinimiseButton, 769, 3, 24, 26, "minimise", false);
  addButton(main_, Control::CloseButton, 797, 4, 48, 26, "close", false);

  HWND pageControl = add(main_, kPageClass, "", Control::PageControl, 8, 29, 808, 155, WS_CLIPSIBLINGS, nullptr);
  for (int i = 0; i < 2; ++i) {
    pages_[i] = CreateWindowExW(0, kPageClass, L"", WS_CHILD | (i == 0 ? WS_VISIBLE : 0), 0, 0, 808, 155, pageControl,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    place(pages_[i], {0, 0, 808, 155});
  }
  HWND pathLabel = addLabel(main_, Control::PathLabel, "Ps 路径：", 20, 132, 68, 32, fonts_[Font12]);
  addEdit(main_, Control::PathBox, 71, 133, 81, 32);
  addButton(main_, Control::LocateButton, 158, 140, 48, 24, "folder", false);
  addLink(main_, Control::BackupLink, "备份", 215, 137, 32, 24, fonts_[Font11]);
  HWND shape = addLabel(main_, Control::ToggleFrame, "", 578, 140, 112, 24, nullptr);
  drawAsShapeBox(shape);
  // The check box's image is its box at the left; the rest would lie under its label.
  showOnly(addButton(main_, Control::StartupTextToggle, 595, 144, 48, 19, "checkbox", true), 17, 19);
  add(main_, L"Static", "隐藏启动文字", Control::ToggleLabel, 612, 142, 80, 16, SS_NOTIFY, fonts_[Font12]);
  // The path box lies over the end of its label, the outline under the toggle.
  for (HWND below : {pathLabel, shape}) SetWindowPos(below, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  // The page control reaches down over the controls along the bottom edge: it is cut
  // around them, so that neither page paints over them or takes their presses.
  const HWND bottomRow[] = {
      pathLabel, control(Control::PathBox),           control(Control::LocateButton), control(Control::BackupLink),
      shape,     control(Control::StartupTextToggle), control(Control::ToggleLabel)};
  cutOut(pageControl, bottomRow, 7);
  setChecked(Control::ThemePageButton, true);
}

void MainWindow::createThemePage(HWND theme) {
  HWND plate = add(theme, L"Static", "", Control::DragPlate, -40, -5, 888, 144, SS_NOTIFY, nullptr);
  kit::ImageControl plateBox;
  plateBox.attachPictureBox(plate);
  HWND dark = add(theme, L"Static", "", Control::DarkIcon, 64, 9, 32, 32, SS_NOTIFY, nullptr);
  HWND light = add(theme, L"Static", "", Control::LightIcon, 64, 41, 32, 32, SS_NOTIFY, nullptr);
  darkIcon_.attachPictureBox(dark);
  lightIcon_.attachPictureBox(light);
  darkIcon_.setBackType(2);
  lightIcon_.setBackType(2);
  for (HWND box : {plate, dark, light}) moveWindowOnPress(box);
  add(theme, L"Edit", "", Control::DescriptionBox, 200, 43, 432, 24, ES_AUTOHSCROLL | ES_READONLY, fonts_[Font12]);
  for (auto [badge, image, x] :
       {std::tuple{Control::Badge1x, "badge_1x", 386}, std::tuple{Control::Badge2x, "badge_2x", 406},
        std::tuple{Control::BadgeText, "badge_t", 426}}) {
    ButtonLooks looks{std::string(image) + "_normal", "", "", std::string(image) + "_disabled"};
    controls_[badge] = createImageButton(theme, ui::id(badge), x, 74, 24, 9, looks, false);
  }
  EnableWindow(control(Control::Badge2x), FALSE);
  EnableWindow(control(Control::BadgeText), FALSE);
  addButton(theme, Control::PreviousThemeButton, 256, 8, 27, 26, "previous", false);
  HWND combo =
      add(theme, L"ComboBox", "", Control::ThemeList, 288, 8, 243, 200,
          CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL, fonts_[Font12]);
  // The closed box is its selection field, six pixels of edge higher than an item.
  SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), scale_.px(kThemeListHeight - 6));
  placed_[combo].itemHeight = kThemeListHeight - 6;
  ShowWindow(combo, SW_HIDE);
  HWND fakeBox = add(theme, L"Static", "", Control::ThemeBoxImage, 288, 8, 243, 26, SS_NOTIFY, nullptr);
  // Its image, cut to the scale, comes with the other built-in images.
  kit::ImageControl fake;
  fake.attachPictureBox(fakeBox);
  moveWindowOnPress(fakeBox);
  // The selected name: a label inside the fake box, painting the box's inside colour
  // behind its text. It ends short of the box's bottom outline and of its arrow, so that
  // the box's image shows them whole at every DPI.
  add(fakeBox, L"Static", kThemeBoxPlaceholder, Control::ThemeBoxText, 8, 1, kThemeNameWidth, 23,
      SS_NOTIFY | SS_CENTERIMAGE | SS_LEFTNOWORDWRAP, fonts_[Font12]);
  forwardChildMessages(fakeBox);
  SetWindowSubclass(fakeBox, themeBoxProc, 5, 0);
  // The box paints its image round the name, which paints itself.
  SetWindowLongPtrW(fakeBox, GWL_STYLE, GetWindowLongPtrW(fakeBox, GWL_STYLE) | WS_CLIPCHILDREN);
  addButton(theme, Control::NextThemeButton, 536, 8, 27, 26, "next", false);
  addLink(theme, Control::ThemeMenuLink, "…", 568, 3, 24, 24, fonts_[Font21]);
  addLabel(theme, Control::AuthorLabel, "作者：", 324, 94, 32, 17, fonts_[Font11]);
  addLink(theme, Control::AuthorLink, "", 359, 95, 122, 15, fonts_[Font11]);
  addLabel(theme, Control::CreditLabel, "引用：", 324, 110, 32, 13, fonts_[Font11]);
  addLink(theme, Control::CreditLink, "", 360, 108, 120, 18, fonts_[Font11]);
  addButton(theme, Control::ApplyThemeButton, 688, 108, 123, 26, "apply_theme", false);
  ShowWindow(addButton(theme, Control::PreviewButton, 114, 32, 48, 24, "preview", false), SW_HIDE);
  SetWindowPos(plate, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void MainWindow::createCustomPage(HWND custom) {
  struct Row {
    Control label;
    const char* text;
    int lx, ly;
    Control field;
    int fx, fy;
    Control browse;
    int bx, by;
  };
  const Row rows[] = {
      {Control::SplashLabel, "启动图片：", 23, 13, Control::SplashField, 120, 12, Control::SplashBrowse, 229, 19},
      {Control::LightLabel, "图标亮界面：", -8, 43, Control::LightField, 120, 40, Control::LightBrowse, 228, 46},
      {Control::DarkLabel, "图标暗界面：", -8, 72, Control::DarkField, 120, 70, Control::DarkBrowse, 228, 75},
      {Control::Splash2xLabel, "启动图片@X2：", 312, 17, Control::Splash2xField, 440, 14, Control::Splash2xBrowse, 549,
       20},
      {Control::Light2xLabel, "图标亮界面@X2：", 312, 47, Control::Light2xField, 440, 44, Control::Light2xBrowse, 548,
       49},
      {Control::Dark2xLabel, "图标暗界面@X2：", 312, 76, Control::Dark2xField, 440, 72, Control::Dark2xBrowse, 548,
       79}};
  for (const Row& r : rows) {
    // Each label ends 4 pixels before its box, its text at its right end: the left
    // column's labels start left of the page and would otherwise lose their first glyph.
    addLabel(custom, r.label, r.text, r.lx, r.ly, r.fx - 4 - r.lx, 20, fonts_[Font12], SS_RIGHT);
    addEdit(custom, r.field, r.fx, r.fy, 104, 32);
    addButton(custom, r.browse, r.bx, r.by, 48, 24, "folder", false);
  }
  // Each box lies above the one before it, whose lower edge it overlaps.
  for (const Row& r : rows) SetWindowPos(control(r.field), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  addLink(custom, Control::TemplateLink, "模板", 688, 65, 96, 24, fonts_[Font11]);
  addLink(custom, Control::HelpLink, "帮助", 688, 83, 96, 24, fonts_[Font11]);
  addButton(custom, Control::ApplyCustomButton, 688, 108, 107, 26, "apply_custom", false);
}

void MainWindow::createThemeMenu() {
  themeMenu_ = CreatePopupMenu();
  AppendMenuW(themeMenu_, MF_STRING, id(Control::MenuAddTheme), L"添加主题");
  AppendMenuW(themeMenu_, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(themeMenu_, MF_STRING, id(Control::MenuOpenLibrary), L"打开主题目录");
  AppendMenuW(themeMenu_, MF_STRING, id(Control::MenuMoreThemes), L"获取更多主题...");
}

}  // namespace lumaset::ui
