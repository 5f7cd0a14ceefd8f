#include "ui/theme_box.h"

#include <commctrl.h>
#include <windowsx.h>

#include "messages/texts.h"
#include "platform/win32_text.h"
#include "ui/control_looks.h"
#include "ui/theme_list_looks.h"
#include "ui/window_images.h"
#include "ui/window_messages.h"
#include "widgets/image_control.h"

namespace lumaset::ui {
namespace {

constexpr int kThemeListHeight = 25;
constexpr int kThemeNameWidth = 204;  // the box's arrow begins 4 pixels after

// The closed theme box opens on a press on its name or on its arrow; its outline moves the
// window. The name's label ends short of the arrow, so that the box's image shows it whole.
LRESULT CALLBACK fakeBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
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

void ThemeBox::create(HWND page) {
  HWND combo =
      controls_.add(page, L"ComboBox", "", Control::ThemeList, {288, 8, 243, 200},
                    CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL, controls_.font(FontSize::k12));
  // The closed box is its selection field, six pixels of edge higher than an item.
  controls_.setSelectionHeight(combo, kThemeListHeight - 6);
  ShowWindow(combo, SW_HIDE);
  drawThemeListFace(combo);
  HWND fakeBox = controls_.add(page, L"Static", "", Control::ThemeBoxImage, {288, 8, 243, 26}, SS_NOTIFY, nullptr);
  // Its image, cut to the scale, comes with the other built-in images.
  kit::ImageControl fake;
  fake.attachPictureBox(fakeBox);
  moveWindowOnPress(fakeBox);
  // The selected name: a label inside the fake box, painting the box's inside colour
  // behind its text. It ends short of the box's bottom outline and of its arrow, so that
  // the box's image shows them whole at every DPI.
  controls_.add(fakeBox, L"Static", text(Text::ThemeBoxPlaceholder), Control::ThemeBoxText, {8, 1, kThemeNameWidth, 23},
                SS_NOTIFY | SS_CENTERIMAGE | SS_LEFTNOWORDWRAP, controls_.font(FontSize::k12));
  forwardChildMessages(fakeBox);
  SetWindowSubclass(fakeBox, fakeBoxProc, 5, 0);
  // The box paints its image round the name, which paints itself.
  SetWindowLongPtrW(fakeBox, GWL_STYLE, GetWindowLongPtrW(fakeBox, GWL_STYLE) | WS_CLIPCHILDREN);
}

void ThemeBox::showImage() {
  // Its one-pixel outline, the inside with its arrow.
  if (HWND box = controls_.get(Control::ThemeBoxImage)) {
    kit::ImageControl fake;
    fake.attach(box);
    fake.setBackImage(
        slicedBuiltin(controls_.scale(), "theme_box", {0, 1, 2, 241, 242, 243}, {0, 1, 2, 24, 25, 26}, true));
  }
}

void ThemeBox::measureLinesAgain() {
  MEASUREITEMSTRUCT line{};
  measureThemeListItem(line);
  SendMessageW(list(), CB_SETITEMHEIGHT, 0, controls_.scale().px(static_cast<int>(line.itemHeight)));
}

void ThemeBox::setEntries(const std::vector<std::string>& entries) {
  SendMessageW(list(), CB_RESETCONTENT, 0, 0);
  for (const std::string& e : entries)
    SendMessageW(list(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWide(e).c_str()));
}

int ThemeBox::entryCount() const { return static_cast<int>(SendMessageW(list(), CB_GETCOUNT, 0, 0)); }

int ThemeBox::selectedEntry() const { return static_cast<int>(SendMessageW(list(), CB_GETCURSEL, 0, 0)); }

void ThemeBox::selectEntry(int index) { SendMessageW(list(), CB_SETCURSEL, index, 0); }

std::string ThemeBox::selectedText() const {
  int i = selectedEntry();
  if (i < 0) return {};
  std::wstring text(static_cast<std::size_t>(SendMessageW(list(), CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
  SendMessageW(list(), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
  return fromWide(text.c_str());
}

void ThemeBox::setName(const std::string& text) {
  controls_.setText(Control::ThemeBoxText, text);
  // Screen readers hear the name as the box's value (ui/accessible_control.h).
  NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, controls_.get(Control::ThemeBoxText), OBJID_CLIENT, CHILDID_SELF);
}

void ThemeBox::showList(bool listShown) {
  HWND box = controls_.get(Control::ThemeBoxImage);
  if (listShown) {
    ShowWindow(list(), SW_SHOW);
    ShowWindow(box, SW_HIDE);
    return;
  }
  // The list closes into the box: the focus it had goes to the box's name, not to the page.
  ShowWindow(box, SW_SHOW);
  if (GetFocus() == list()) SetFocus(controls_.get(Control::ThemeBoxText));
  ShowWindow(list(), SW_HIDE);
}

void ThemeBox::dropDown() {
  SetFocus(list());
  SendMessageW(list(), CB_SHOWDROPDOWN, TRUE, 0);
}

void ThemeBox::onListNotice(int code) {
  switch (code) {
    case CBN_DROPDOWN:
      listShownEntry_ = selectedEntry();
      listDropped_ = true;
      return;
    case CBN_SELCHANGE:
      // The keys move the selection while the list is open; the choice is made when it closes.
      if (!droppedDown()) presenter_.themeBoxUpdate();
      return;
    case CBN_SELENDCANCEL:
      // A cancelled list gives its entry back. The box also sends this when it loses the
      // focus, long after the list closed: the entry chosen then stays.
      if (listDropped_) selectEntry(listShownEntry_);
      return;
    case CBN_CLOSEUP:
      listDropped_ = false;
      PostMessageW(GetAncestor(list(), GA_ROOT), kThemeListClosed, 0, 0);
      return;
    case CBN_KILLFOCUS:
      presenter_.closeThemeBox();
      return;
    default:
      return;
  }
}

// After the list closed by a key: a new entry is previewed, else the box just closes; the
// focus stays on the theme box.
void ThemeBox::listClosed() {
  if (!IsWindowVisible(list())) return;
  const bool hadFocus = GetFocus() == list(), chosen = selectedEntry() != listShownEntry_;
  presenter_.closeThemeBox();
  if (hadFocus) SetFocus(controls_.get(Control::ThemeBoxText));
  if (chosen) presenter_.themeBoxUpdate();
}

bool ThemeBox::holdsFocus(HWND focus) const { return focus == list() || IsChild(list(), focus); }

bool ThemeBox::droppedDown() const { return SendMessageW(list(), CB_GETDROPPEDSTATE, 0, 0) != 0; }

// The list's own Enter may cancel (under wine it does, and the entry it opened on comes
// back): the list is closed here and the entry kept; the close then previews it.
void ThemeBox::chooseFromOpenList() {
  const int chosen = selectedEntry();
  SendMessageW(list(), CB_SHOWDROPDOWN, FALSE, 0);
  selectEntry(chosen);
}

LRESULT ThemeBox::measureOrDraw(UINT message, LPARAM lParam) const {
  if (message == WM_MEASUREITEM) {
    auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (item->CtlID != static_cast<UINT>(id(Control::ThemeList))) return FALSE;
    measureThemeListItem(*item);
    if (item->itemID != static_cast<UINT>(-1))
      item->itemHeight = static_cast<UINT>(controls_.scale().px(static_cast<int>(item->itemHeight)));
    return TRUE;
  }
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  if (item->CtlID != static_cast<UINT>(id(Control::ThemeList))) return FALSE;
  drawThemeListItem(*item);
  return TRUE;
}

}  // namespace lumaset::ui
