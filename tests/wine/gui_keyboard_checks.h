// The gui driver's checks of the keyboard, of presses of the mouse and of the three
// windows moving as one: keys pressed and the mouse pressed and dragged with SendInput, what they did read from the windows
// and from screenshots. Included by gui_driver.cpp inside its unnamed namespace, after the
// helpers these checks use (fail, ok, screenshot, controlRect, waitUntil, ...).
#pragma once

void keyPress(WORD key, bool shift = false, bool alt = false) {
  std::vector<INPUT> in;
  auto add = [&](WORD k, bool up) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = k;
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    in.push_back(i);
  };
  if (alt) add(VK_MENU, false);
  if (shift) add(VK_SHIFT, false);
  add(key, false);
  add(key, true);
  if (shift) add(VK_SHIFT, true);
  if (alt) add(VK_MENU, true);
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
  Sleep(150);
}

HWND focusOf(HWND main) {
  GUITHREADINFO info{sizeof info};
  return GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info) ? info.hwndFocus : nullptr;
}

// Keys go to the foreground window: the main window is made it, with a press on its
// label "Ps 路径：" (which moves nothing when the mouse does not move) if asking is not enough.
void activate(HWND main) {
  SetForegroundWindow(main);
  for (int i = 0; i < 20 && GetForegroundWindow() != main; ++i) Sleep(50);
  if (GetForegroundWindow() != main) {
    const POINT label = driver::centreOf(controlRect(main, "标签1"));
    driver::mouseClick(label.x - 20, label.y);
  }
  waitUntil([&] { return GetForegroundWindow() == main; }, "the main window in front", 5);
}

// Pixels of the focus outline: the light text colour, on a ring one pixel inside the rectangle.
int outlinePixels(const driver::Shot& shot, const RECT& r) {
  int count = 0;
  for (int x = r.left; x < r.right; ++x)
    count += (shot.colour(x, r.top) == RGB(200, 222, 238)) + (shot.colour(x, r.bottom - 1) == RGB(200, 222, 238));
  for (int y = r.top + 1; y < r.bottom - 1; ++y)
    count += (shot.colour(r.left, y) == RGB(200, 222, 238)) + (shot.colour(r.right - 1, y) == RGB(200, 222, 238));
  return count;
}

// Tab walks the theme page in its order and draws an outline round the focused control;
// Shift+Tab goes back.
void checkTabOrder(HWND main) {
  activate(main);
  const std::vector<const char*> expected = {"图形按钮5", "图形按钮6", "伪组合框文字", "图形按钮3", "图形按钮4",
                                             "超级链接框5", "图形按钮8", "图形按钮2", "超级链接框6",
                                             "图形按钮20"};
  std::size_t next = 0;
  for (int i = 0; i < 30 && next < expected.size(); ++i) {
    const HWND before = focusOf(main);
    keyPress(VK_TAB);
    // The focus moves once the program has taken the key, later on a loaded machine.
    for (int wait = 0; wait < 40 && focusOf(main) == before; ++wait) Sleep(50);
    if (focusOf(main) == findChild(main, controlId(expected[next]))) ++next;
  }
  if (next < expected.size()) fail(std::string("Tab never reached ") + expected[next] + " in its order");
  keyPress(VK_TAB, true);
  keyPress(VK_TAB, true);
  for (int wait = 0; wait < 40 && focusOf(main) != findChild(main, controlId("图形按钮2")); ++wait) Sleep(50);
  if (focusOf(main) != findChild(main, controlId("图形按钮2"))) fail("Shift+Tab did not go back to 图形按钮2");
  const RECT apply = controlRect(main, "图形按钮8");
  const driver::Shot unfocused = screenshot("focus-elsewhere");
  for (int i = 0; i < 30 && focusOf(main) != findChild(main, controlId("图形按钮8")); ++i) keyPress(VK_TAB, true);
  const driver::Shot focused = screenshot("focus-outline");
  const int before = outlinePixels(unfocused, apply), after = outlinePixels(focused, apply);
  if (after < before + 40)
    fail("the focus outline round 应用 has " + std::to_string(after) + " pixels, without it " + std::to_string(before));
  ok("Tab and Shift+Tab walk the controls in order, the focused one outlined");
}

int differingPixels(const driver::Shot& a, const driver::Shot& b, const RECT& r) {
  int count = 0;
  for (int y = r.top; y < r.bottom; y += 2)
    for (int x = r.left; x < r.right; x += 2) count += a.colour(x, y) != b.colour(x, y);
  return count;
}

// → and ← step through the themes with the focus on a button: the name and the preview
// change and come back.
void checkArrowKeys(HWND main, HWND preview) {
  activate(main);
  if (classOf(focusOf(main)) == L"Edit") fail("the arrow keys are to be tried outside the edit boxes");
  HWND name = findChild(main, controlId("伪组合框文字"));
  const std::string first = textOf(name);
  const driver::Shot before = screenshot("before-arrow");
  keyPress(VK_RIGHT);
  waitUntil([&] { return textOf(name) != first; }, "the next theme after →", 5);
  const driver::Shot after = screenshot("after-arrow");
  if (differingPixels(before, after, rectOf(preview)) < 2000) fail("→ left the splash preview as it was");
  keyPress(VK_LEFT);
  waitUntil([&] { return textOf(name) == first; }, "the theme before after ←", 5);
  ok("→ and ← step the theme and its preview (" + first + ")");
}

// Moves the focus with Tab to a control of the main window.
void tabTo(HWND main, const char* name) {
  HWND target = findChild(main, controlId(name));
  for (int i = 0; i < 40 && focusOf(main) != target; ++i) keyPress(VK_TAB);
  if (focusOf(main) != target) fail(std::string("Tab never reached ") + name);
}

// The theme list and the theme menu by the keyboard alone: Enter on the theme box opens
// the list, an arrow key moves in it without choosing, Enter chooses (the name and the preview
// change, the focus stays on the box); Enter on "…" opens the menu, and Esc closes it
// with the program still running.
void checkListAndMenuKeys(HWND main, HWND preview, HANDLE process) {
  activate(main);
  HWND combo = findChild(main, controlId("组合框1")), name = findChild(main, controlId("伪组合框文字"));
  const auto dropped = [&] { return IsWindowVisible(combo) && SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; };
  const std::string first = textOf(name);
  tabTo(main, "伪组合框文字");
  const driver::Shot before = screenshot("list-keys-before");
  // Space opens the list; Enter on the closed box applies (checked with the apply).
  keyPress(VK_SPACE);
  waitUntil(dropped, "the theme list opened by Space", 5);
  const LRESULT opened = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  // Down, or up from the last entry.
  const bool last = opened + 1 >= SendMessageW(combo, CB_GETCOUNT, 0, 0);
  keyPress(last ? VK_UP : VK_DOWN);
  waitUntil([&] { return SendMessageW(combo, CB_GETCURSEL, 0, 0) != opened; }, "an arrow key moving in the open list", 5);
  if (textOf(name) != first) fail("an arrow key in the open list chose a theme before Enter");
  keyPress(VK_RETURN);
  waitUntil([&] { return !dropped(); }, "the theme list closed by Enter", 5);
  waitUntil([&] { return textOf(name) != first; }, "the theme chosen by Enter", 5);
  const driver::Shot chosen = screenshot("list-keys-chosen");
  if (differingPixels(before, chosen, rectOf(preview)) < 2000) fail("the theme chosen by keys left the preview as it was");
  if (focusOf(main) != name) fail("the focus left the theme box when the list closed");
  const std::string second = textOf(name);
  choose(main, first);

  tabTo(main, "超级链接框5");
  keyPress(VK_RETURN);
  HWND menu = nullptr;
  waitUntil([&] { return (menu = FindWindowW(L"#32768", nullptr)) != nullptr && IsWindowVisible(menu); },
            "the theme menu opened by Enter on …", 5);
  expectInk(screenshot("theme-menu-keys"), rectOf(menu), 30, "the theme menu's entries");
  keyPress(VK_ESCAPE);
  waitUntil([&] { return !IsWindow(menu) || !IsWindowVisible(menu); }, "the theme menu closed by Esc", 5);
  Sleep(500);
  if (WaitForSingleObject(process, 0) != WAIT_TIMEOUT || !IsWindow(main)) fail("Esc on the theme menu ended the program");
  ok("the keys open the theme list, move in it and choose " + second + ", and open and close the theme menu");
}

// A press on the name opens the list and a press on another entry chooses it: the name
// changes and stays when the box has lost the focus, which goes to the closed box's name.
void checkListChoiceByMouse(HWND main) {
  HWND combo = findChild(main, controlId("组合框1")), name = findChild(main, controlId("伪组合框文字"));
  const std::string first = textOf(name);
  const POINT centre = driver::centreOf(themeNameRect(main));
  auto open = [&] { return IsWindowVisible(combo) && SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; };
  // A press that comes while the box still closes from the check before is taken by the
  // closing, later on a loaded machine: the press is made again.
  for (int press = 0; press < 3 && !open(); ++press) {
    driver::mouseClick(centre.x, centre.y);
    for (int wait = 0; wait < 60 && !open(); ++wait) Sleep(50);
  }
  waitUntil(open, "the theme list open for a choice by the mouse", 1);
  HWND list = FindWindowW(L"ComboLBox", nullptr);
  if (!list || !IsWindowVisible(list)) fail("the open theme list has no list window");
  // Every entry shows, one line each, from the list's top.
  const auto shown = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
  const int other = shown > 0 ? shown - 1 : shown + 1;
  const auto line = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0));
  RECT inside;
  GetClientRect(list, &inside);
  POINT at{inside.right / 2, other * line + line / 2};
  ClientToScreen(list, &at);
  driver::mouseClick(at.x, at.y);
  waitUntil([&] { return SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) == 0 && textOf(name) != first; },
            "the entry chosen by a press in the list");
  const std::string chosen = textOf(name);
  Sleep(1000);
  if (textOf(name) != chosen) fail("the entry chosen by the mouse went back to " + textOf(name));
  if (focusOf(main) != name) fail("the focus left the theme box when an entry was chosen with the mouse");
  choose(main, first);
  ok("a press in the open list chooses " + chosen);
}

// A press of the mouse in the middle of a control.
void press(HWND main, const char* name) {
  const POINT p = driver::centreOf(controlRect(main, name));
  driver::mouseClick(p.x, p.y);
}

// The page buttons, the startup-text label and < and > by presses of the mouse: the page,
// the tick, the preview and the name follow them.
void checkPresses(HWND main, HWND preview) {
  HWND name = findChild(main, controlId("伪组合框文字"));
  press(main, "图形按钮6");
  // The custom page's controls are made when it first shows.
  HWND field = nullptr;
  waitUntil([&] { field = findChild(main, controlId("编辑框2")); return IsWindowVisible(field) && !IsWindowVisible(name); },
            "the custom page after a press on 自定义", 5);
  press(main, "图形按钮5");
  waitUntil([&] { return !IsWindowVisible(field) && IsWindowVisible(name); }, "the theme page after a press on 主题", 5);

  HWND toggle = findChild(main, controlId("图形按钮20"));
  const LRESULT ticked = SendMessageW(toggle, BM_GETCHECK, 0, 0);
  const driver::Shot before = screenshot("press-before");
  press(main, "透明标签1");
  waitUntil([&] { return SendMessageW(toggle, BM_GETCHECK, 0, 0) != ticked; },
            "the startup-text box after a press on its label", 5);
  if (differingPixels(before, screenshot("press-toggled"), rectOf(preview)) < 500)
    fail("a press on 隐藏启动文字 left the preview's startup texts as they were");
  press(main, "透明标签1");
  waitUntil([&] { return SendMessageW(toggle, BM_GETCHECK, 0, 0) == ticked; },
            "the startup-text box back after a second press", 5);
  // Two quick presses come as a press and a double click: the box flips twice.
  const POINT label = driver::centreOf(controlRect(main, "透明标签1"));
  driver::mouseClick(label.x, label.y);
  driver::mouseClick(label.x, label.y);
  Sleep(600);
  if (SendMessageW(toggle, BM_GETCHECK, 0, 0) != ticked) fail("two quick presses on 隐藏启动文字 flipped it once");

  // The closed box opens on its arrow too, where the name's label does not reach.
  HWND combo = findChild(main, controlId("组合框1"));
  const RECT box = controlRect(main, "图片框1");
  driver::mouseClick(box.right - 14, (box.top + box.bottom) / 2);
  waitUntil([&] { return IsWindowVisible(combo) && SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; },
            "the theme list after a press on the box's arrow", 5);
  keyPress(VK_ESCAPE);
  waitUntil([&] { return SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) == 0; }, "the list closed again", 5);

  const std::string first = textOf(name);
  press(main, "图形按钮3");
  waitUntil([&] { return textOf(name) != first; }, "the theme before after a press on <", 5);
  press(main, "图形按钮4");
  waitUntil([&] { return textOf(name) == first; }, "the theme back after a press on >", 5);

  // After a press on the preview the keys still work: the main window takes them.
  const RECT shown = rectOf(preview);
  driver::mouseClick(shown.left + 40, shown.top + 40);
  Sleep(300);
  keyPress(VK_RIGHT);
  waitUntil([&] { return textOf(name) != first; }, "the next theme by → after a press on the preview", 5);
  keyPress(VK_LEFT);
  waitUntil([&] { return textOf(name) == first; }, "the theme back by ← ", 5);
  if (!IsWindowVisible(preview)) fail("a key after a press on the preview closed it");
  // Esc on the preview closes it; the next theme brings it back.
  driver::mouseClick(shown.left + 40, shown.top + 40);
  waitUntil([&] { return GetForegroundWindow() == preview; }, "the preview active after a press", 5);
  keyPress(VK_ESCAPE);
  waitUntil([&] { return !IsWindowVisible(preview); }, "the preview closed by Esc", 5);
  press(main, "图形按钮4");
  waitUntil([&] { return IsWindowVisible(preview) != 0; }, "the preview back with the next theme", 5);
  press(main, "图形按钮3");
  waitUntil([&] { return textOf(name) == first; }, "the theme back by <", 5);
  ok("presses switch the pages, tick 隐藏启动文字 (a double press twice), open the box on its arrow, step the themes "
     "with < and >, the keys work after a press on the preview, and Esc's closed preview comes back with a step");
}

// The app-bar icons and the theme box look the same however often they are painted again:
// an image with soft edges is drawn over the page, never over its own last picture.
void checkRepaintsKeepImages(HWND main) {
  const char* names[] = {"图标_暗", "图标_亮", "图片框1"};
  const driver::Shot before = screenshot("repaint-before");
  for (int i = 0; i < 5; ++i) {
    for (const char* name : names) {
      HWND control = findChild(main, controlId(name));
      RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    Sleep(100);
  }
  const driver::Shot after = screenshot("repaint-after");
  for (const char* name : names) {
    const RECT r = controlRect(main, name);
    if (differingPixels(before, after, r) > 0) fail(std::string(name) + " changed its pixels by being painted again");
  }
  ok("the icons and the theme box keep their pixels through repaints");
}

// Enter with the focus on the path box applies the theme page's selection, once however
// long it is held.
void checkEnterApplies(HWND main, const std::string& theme, const std::function<bool()>& applied) {
  choose(main, theme);
  activate(main);
  // Enter on the closed theme box applies it, as on the page.
  HWND box = findChild(main, controlId("伪组合框文字"));
  for (int tab = 0; tab < 40 && focusOf(main) != box; ++tab) {
    const HWND before = focusOf(main);
    keyPress(VK_TAB);
    for (int wait = 0; wait < 40 && focusOf(main) == before; ++wait) Sleep(50);
  }
  if (focusOf(main) != box) fail("Tab never reaches the theme box");
  // The repeats of a held Enter (the key was down before) apply nothing.
  for (int i = 0; i < 3; ++i) PostMessageW(box, WM_KEYDOWN, VK_RETURN, 1 | (1 << 30));
  Sleep(1500);
  if (findDialog("应用")) fail("the repeats of a held Enter applied");
  keyPress(VK_RETURN);
  answerBox("应用", "修改完成");
  if (!applied()) fail("Enter did not apply " + theme);
  ok("Enter applied " + theme);
  // The host's own look back, as the checks after this one expect it.
  choose(main, "[默认]");
  click(main, "图形按钮8");
  answerBox("应用", "修改完成");
}

// The path box shows the end of the host's folder behind "…" and takes no typing; its
// text stays the whole path.
void checkPathBox(HWND main, const std::string& folder) {
  HWND box = findChild(main, controlId("编辑框1"));
  activate(main);
  if (focusOf(main) == box) keyPress(VK_TAB);  // without the focus the box draws the path's end
  const driver::Shot shot = screenshot("path-box");
  // The label 隐藏启动文字 leaves its frame's right side whole.
  const RECT shape = controlRect(main, "外形框1");
  expectInk(shot, {shape.right - 1, shape.top, shape.right, shape.bottom}, 20, "the right side of the shape box");
  RECT r = controlRect(main, "编辑框1");
  r.bottom = r.top + 22;
  // "…" is three dots on one line: the first columns of ink span at most three rows,
  // where a letter (the drive's, or any other) spans the height of a capital.
  int firstColumn = -1, top = r.bottom, bottom = r.top;
  for (int x = r.left + 1; x < r.right - 1 && firstColumn < 0; ++x)
    for (int y = r.top + 1; y < r.bottom - 1; ++y)
      if (shot.brightness(x, y) > 60) firstColumn = x;
  for (int x = firstColumn; firstColumn >= 0 && x < firstColumn + 2; ++x)
    for (int y = r.top + 1; y < r.bottom - 1; ++y)
      if (shot.brightness(x, y) > 60) top = std::min<int>(top, y), bottom = std::max<int>(bottom, y);
  if (firstColumn < 0 || bottom - top + 1 > 3)
    fail("the path box does not begin with \"…\" (its first ink spans " + std::to_string(bottom - top + 1) + " rows)");
  expectInk(shot, r, 40, "the end of the path in the path box");
  const POINT centre = driver::centreOf(r);
  driver::mouseClick(centre.x, centre.y);
  Sleep(300);
  if (focusOf(main) == box) fail("a press put the focus in the path box, which takes no typing");
  for (WORD key : {WORD('X'), WORD('Y'), WORD(VK_BACK), WORD(VK_DELETE)}) keyPress(key);
  if (textOf(box) != folder + "\\") fail("typing changed the path box to " + textOf(box));
  ok("the path box shows its end behind …, takes no focus from a press and ignores typing");

  // The pointer resting on the box shows the whole folder in a tooltip, wider than the box.
  driver::mouseTo(centre.x + 4, centre.y + 2);
  HWND tip = waitFor(
      [&]() -> HWND {
        HWND t = topWindow(L"tooltips_class32");
        return t && IsWindowVisible(t) ? t : nullptr;
      },
      "the path box's tooltip", 10);
  const driver::Shot tipShot = screenshot("path-box-tooltip");  // once the tooltip has drawn its text
  const RECT tipRect = rectOf(tip), boxRect = rectOf(box);
  if (tipRect.right - tipRect.left <= boxRect.right - boxRect.left)
    fail("the path box's tooltip is no wider than the box (" + std::to_string(tipRect.right - tipRect.left) + " px)");
  // Dark text on the tooltip's light ground, inside its border.
  int text = 0;
  for (int y = tipRect.top + 2; y < tipRect.bottom - 2; ++y)
    for (int x = tipRect.left + 2; x < tipRect.right - 2; ++x) text += tipShot.brightness(x, y) < 80;
  if (text < 100) fail("the path box's tooltip shows " + std::to_string(text) + " pixels of text");
  driver::mouseTo(1, 1);
  ok("the path box's tooltip shows the whole folder");
}

// Esc on the open theme list closes the list, not the program; the open list is dark.
void checkEscOnOpenList(HWND main, HANDLE process) {
  HWND combo = findChild(main, controlId("组合框1"));
  activate(main);
  const driver::Shot closed = screenshot("theme-box-closed");
  const RECT box = controlRect(main, "图片框1");
  expectInk(closed, {box.right - 26, box.top + 4, box.right - 2, box.bottom - 4}, 10, "the theme box's arrow");
  const POINT name = driver::centreOf(themeNameRect(main));
  driver::mouseClick(name.x, name.y);
  waitUntil([&] { return IsWindowVisible(combo) && SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; },
            "the theme list open");
  const driver::Shot open = screenshot("theme-list-dark");
  const RECT field = rectOf(combo);
  const RECT list{field.left + 2, field.bottom + 2, field.right - 20, field.bottom + 80};
  // White is what a list in the system's colours shows; the window's light blue and light
  // text each have a channel below 201.
  int light = 0, all = 0;
  for (int y = list.top; y < list.bottom; ++y)
    for (int x = list.left; x < list.right; ++x, ++all) {
      const COLORREF pixel = open.colour(x, y);
      light += GetRValue(pixel) > 200 && GetGValue(pixel) > 200 && GetBValue(pixel) > 200;
    }
  if (light * 10 > all) fail("the open theme list is light: " + std::to_string(light) + " of " + std::to_string(all));
  expectInk(open, list, 30, "the names in the open theme list");
  keyPress(VK_ESCAPE);
  waitUntil([&] { return SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) == 0; }, "the list closed by Esc", 5);
  waitUntil([&] { return IsWindowVisible(findChild(main, controlId("图片框1"))) != 0; }, "the closed theme box", 5);
  Sleep(500);
  if (WaitForSingleObject(process, 0) != WAIT_TIMEOUT || !IsWindow(main)) fail("Esc on the open list ended the program");
  keyPress(VK_ESCAPE);
  Sleep(800);
  if (WaitForSingleObject(process, 0) != WAIT_TIMEOUT) fail("Esc in the main window ended the program");
  ok("Esc closes the open list (drawn dark, the closed box with its arrow) and never the program");
}

bool offsetKept(HWND main, HWND preview, HWND frame, POINT previewOffset) {
  const RECT m = rectOf(main), p = rectOf(preview), f = rectOf(frame);
  return p.left - m.left == previewOffset.x && p.top - m.top == previewOffset.y && f.left == m.left - 9 &&
         f.top == m.top - 5;
}

// A drag of the main window takes the preview and the frame along; a drag of the preview
// takes the main window and the frame; a minimised main window hides both.
void checkWindowsTogether(HWND main, HWND preview, HWND frame) {
  const RECT m0 = rectOf(main), p0 = rectOf(preview);
  const POINT offset{p0.left - m0.left, p0.top - m0.top};
  auto mainMoved = [&] { return rectOf(main).left == m0.left - 50 && rectOf(main).top == m0.top - 20; };
  const RECT plate = controlRect(main, "图标_暗");  // on the drag plate, left of the icons
  driver::dragWindowTo(main, {plate.left - 30 - m0.left, plate.top + 40 - m0.top}, {m0.left - 50, m0.top - 20},
                       mainMoved);
  waitUntil(mainMoved, "the main window moved by a drag", 5);
  waitUntil([&] { return offsetKept(main, preview, frame, offset); }, "the preview and frame following the drag", 5);
  const RECT m1 = rectOf(main), p1 = rectOf(preview);
  auto previewMoved = [&] { return rectOf(preview).left == p1.left + 40 && rectOf(preview).top == p1.top + 30; };
  driver::dragWindowTo(preview, {300, 200}, {p1.left + 40, p1.top + 30}, previewMoved);
  waitUntil(previewMoved, "the preview moved by a drag", 5);
  waitUntil([&] { return rectOf(main).left == m1.left + 40 && offsetKept(main, preview, frame, offset); },
            "the main window and frame following the preview", 5);
  screenshot("moved-together");
  click(main, "图形按钮17");
  waitUntil([&] { return IsIconic(main) != 0; }, "the main window minimised");
  waitUntil([&] { return !IsWindowVisible(preview) && !IsWindowVisible(frame); }, "the preview and frame hidden", 5);
  ShowWindow(main, SW_RESTORE);
  waitUntil([&] { return IsIconic(main) == 0 && IsWindowVisible(preview) && IsWindowVisible(frame); },
            "the three windows back", 5);
  waitUntil([&] { return offsetKept(main, preview, frame, offset); }, "the windows back in place", 5);
  ok("the three windows move and minimise together");
}

// A second start with the first one minimised: it brings the first back and ends; one
// main window remains.
void checkSecondStart(HWND main, std::wstring command, const std::string& folder) {
  click(main, "图形按钮17");
  waitUntil([&] { return IsIconic(main) != 0; }, "the main window minimised");
  STARTUPINFOW si{sizeof si};
  PROCESS_INFORMATION second{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, toWide(folder).c_str(), &si,
                      &second))
    fail("cannot start lumaset.exe a second time");
  if (WaitForSingleObject(second.hProcess, 20000) != WAIT_OBJECT_0) fail("the second start did not end");
  DWORD code = 1;
  GetExitCodeProcess(second.hProcess, &code);
  CloseHandle(second.hThread);
  CloseHandle(second.hProcess);
  if (code != 0) fail("the second start ended with " + std::to_string(code));
  waitUntil([&] { return IsIconic(main) == 0; }, "the first window restored by the second start", 10);
  int mains = 0;
  for (HWND w = FindWindowExW(nullptr, nullptr, lumaset::ui::kMainClass, nullptr); w;
       w = FindWindowExW(nullptr, w, lumaset::ui::kMainClass, nullptr))
    ++mains;
  if (mains != 1) fail(std::to_string(mains) + " main windows after a second start");
  ok("a second start brings the first window back and ends");
}
