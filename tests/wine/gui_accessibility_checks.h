// The gui driver's checks of what a screen reader hears: each control's accessible object
// read from the driver's process through oleacc (AccessibleObjectFromWindow, marshalled
// across the processes as a screen reader's are), its name, role, state and value.
// Included by gui_driver.cpp inside its unnamed namespace, after the helpers these checks
// use (fail, ok, textOf, ...); gui_driver.cpp includes <oleacc.h>.
#pragma once

struct Heard {
  std::string name, value;
  LONG role = -1, state = 0;
};

VARIANT selfChild() {
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  return self;
}

std::string fromBstr(HRESULT got, BSTR text) {
  std::string utf8 = got == S_OK && text ? fromWide(text) : std::string();
  SysFreeString(text);
  return utf8;
}

LONG fromVariant(HRESULT got, const VARIANT& number) { return got == S_OK && number.vt == VT_I4 ? number.lVal : -1; }

// What the control's accessible object says of it. (__uuidof: mingw's oleacc import
// library makes IID_IAccessible a function stub, not the interface's id.)
Heard hear(HWND control, const std::string& what) {
  if (!control) fail("no window for " + what);
  IAccessible* object = nullptr;
  const HRESULT got =
      AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&object));
  if (got != S_OK || !object) fail("no accessible object for " + what + " (" + std::to_string(got) + ")");
  Heard heard;
  BSTR text = nullptr;
  HRESULT read = object->get_accName(selfChild(), &text);
  heard.name = fromBstr(read, text);
  text = nullptr;
  read = object->get_accValue(selfChild(), &text);
  heard.value = fromBstr(read, text);
  VARIANT number{};
  read = object->get_accRole(selfChild(), &number);
  heard.role = fromVariant(read, number);
  number = VARIANT{};
  read = object->get_accState(selfChild(), &number);
  heard.state = fromVariant(read, number);
  object->Release();
  return heard;
}

void expectHeard(HWND control, const std::string& name, LONG role, const std::string& what) {
  const Heard heard = hear(control, what);
  if (heard.name != name || heard.role != role)
    fail(what + " is heard as \"" + heard.name + "\", role " + std::to_string(heard.role) + "; expected \"" + name +
         "\", role " + std::to_string(role));
}

// Every control of the table is heard by its table name, or by its own text where the
// table leaves the name to it, and with a role of its own rather than the bare client
// area a window of an unknown class gets; a few are checked for their exact role.
void checkAccessibleControls(HWND main, HWND preview) {
  for (const lumaset::ui::ControlName& row : lumaset::ui::kControls) {
    const int id = lumaset::ui::id(row.control);
    HWND control = findChild(main, id) ? findChild(main, id) : findChild(preview, id);
    const std::string what(row.name);
    const Heard heard = hear(control, what);
    const std::string expected = row.accessibleName.empty() ? textOf(control) : std::string(row.accessibleName);
    if (heard.name != expected) fail(what + " is heard as \"" + heard.name + "\", not \"" + expected + "\"");
    if (heard.role <= 0 || heard.role == ROLE_SYSTEM_CLIENT) fail(what + " has no role of its own");
  }
  expectHeard(findChild(main, controlId("图形按钮8")), "应用", ROLE_SYSTEM_PUSHBUTTON, "the button 应用");
  expectHeard(findChild(main, controlId("图形按钮7")), "关闭", ROLE_SYSTEM_PUSHBUTTON, "the close button");
  expectHeard(findChild(main, controlId("图标_暗")), "暗界面图标预览", ROLE_SYSTEM_GRAPHIC, "the dark icon");
  expectHeard(findChild(preview, controlId("预览图片框1")), "启动画面预览", ROLE_SYSTEM_GRAPHIC, "the splash");
  expectHeard(findChild(main, controlId("超级链接框6")), "备份", ROLE_SYSTEM_LINK, "the link 备份");
  expectHeard(findChild(main, controlId("编辑框1")), "Ps 路径", ROLE_SYSTEM_TEXT, "the path box");
  // The theme box: a combo box named 主题 whose value is the name it shows.
  HWND box = findChild(main, controlId("伪组合框文字"));
  expectHeard(box, "主题", ROLE_SYSTEM_COMBOBOX, "the theme box");
  if (hear(box, "the theme box").value != textOf(box) || textOf(box).empty())
    fail("the theme box's value is not the name it shows, \"" + textOf(box) + "\"");
  // The page button of the page shown is pressed, the other not.
  if (!(hear(findChild(main, controlId("图形按钮5")), "主题").state & STATE_SYSTEM_PRESSED) ||
      (hear(findChild(main, controlId("图形按钮6")), "自定义").state & STATE_SYSTEM_PRESSED))
    fail("the page buttons do not tell which page shows");
  ok("every control heard by its name and role, the theme box with the value \"" + textOf(box) + "\"");
}

// The startup-text toggle: a check box named by its label, heard ticked as it is.
void checkToggleHeard(HWND main, bool ticked) {
  HWND toggle = findChild(main, controlId("图形按钮20"));
  expectHeard(toggle, "隐藏启动文字", ROLE_SYSTEM_CHECKBUTTON, "the startup-text toggle");
  if (((hear(toggle, "the toggle").state & STATE_SYSTEM_CHECKED) != 0) != ticked)
    fail(std::string("the startup-text toggle is not heard ") + (ticked ? "ticked" : "clear"));
  ok(std::string("the startup-text toggle heard as a check box, ") + (ticked ? "ticked" : "clear"));
}
