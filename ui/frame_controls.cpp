// The frame of the main window: the title link, the note of the look the host carries,
// the page buttons, the caption's buttons, the page control with its two pages, and the
// path row and the startup-text toggle along the bottom.
#include "messages/texts.h"
#include "ui/accessible_control.h"
#include "ui/control_looks.h"
#include "ui/pages.h"

namespace lumaset::ui {

void Pages::createFrame(HWND main) {
  WindowControls& c = controls_;
  c.addLink(main, Control::ProjectLink, "Lumaset v1.2", {1, 0, 69, 24}, c.font(FontSize::k9));
  // The page buttons' last row would lie on the theme box's top outline.
  c.showOnly(c.addButton(main, Control::ThemePageButton, {381, 12, 40, 26}, "tab_theme", true), 40, 25);
  c.showOnly(c.addButton(main, Control::CustomPageButton, {432, 12, 48, 26}, "tab_custom", true), 48, 25);
  c.addButton(main, Control::MinimiseButton, {769, 3, 24, 26}, "minimise", false);
  c.addButton(main, Control::CloseButton, {797, 4, 48, 26}, "close", false);

  HWND pageControl = c.add(main, kPageClass, "", Control::PageControl, {8, 29, 808, 155}, WS_CLIPSIBLINGS, nullptr);
  for (int i = 0; i < 2; ++i) {
    const Control page = i == 0 ? Control::ThemePage : Control::CustomPage;
    pages_[i] =
        CreateWindowExW(0, kPageClass, L"", WS_CHILD | (i == 0 ? WS_VISIBLE : 0), 0, 0, 808, 155, pageControl,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id(page))), GetModuleHandleW(nullptr), nullptr);
    c.place(pages_[i], {0, 0, 808, 155});
    describeToScreenReaders(pages_[i], page);
  }
  HWND pathLabel =
      c.addLabel(main, Control::PathLabel, text(Text::PathLabel), {20, 132, 68, 32}, c.font(FontSize::k12));
  c.addEdit(main, Control::PathBox, {71, 133, 81, 32});
  c.addButton(main, Control::LocateButton, {158, 140, 48, 24}, "folder", false);
  // As wide as its text and the shield drawn after it when the host needs administrator rights.
  c.addLink(main, Control::BackupLink, text(Text::BackupLink), {215, 137, 48, 24}, c.font(FontSize::k11));
  // The English label is longer: its frame reaches further left, its right side stays.
  const int longer = language() == Language::English ? 40 : 0;
  HWND shape = c.addLabel(main, Control::ToggleFrame, "", {578 - longer, 140, 112 + longer, 24}, nullptr);
  drawAsShapeBox(shape);
  // The check box's image is its box at the left; the rest would lie under its label.
  c.showOnly(c.addButton(main, Control::StartupTextToggle, {595 - longer, 144, 48, 19}, "checkbox", true), 17, 19);
  c.add(main, L"Static", text(Text::HideStartupText), Control::ToggleLabel, {612 - longer, 142, 80 + longer, 16},
        SS_NOTIFY, c.font(FontSize::k12));
  // The path box lies over the end of its label, the outline under the toggle.
  for (HWND below : {pathLabel, shape}) SetWindowPos(below, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  // The page control reaches down over the controls along the bottom edge: it is cut
  // around them, so that neither page paints over them or takes their presses.
  c.cutOut(pageControl, {pathLabel, c.get(Control::PathBox), c.get(Control::LocateButton), c.get(Control::BackupLink),
                         shape, c.get(Control::StartupTextToggle), c.get(Control::ToggleLabel)});
  c.setChecked(Control::ThemePageButton, true);
  // Between the title link and the page buttons, in the dim colour: a note, not a control.
  // A press on it moves the window like one on the strip around it.
  c.addLabel(main, Control::HostCarriesLabel, "", {90, 5, 280, 18}, c.font(FontSize::k11),
             SS_LEFTNOWORDWRAP | SS_ENDELLIPSIS);
}

void Pages::cutToggleLabel() {
  // The label would reach over its frame's right side: it shows up to 3 pixels before it
  // (design pixels: the part shown is scaled with the window).
  HWND label = controls_.get(Control::ToggleLabel);
  const DesignRect frame = controls_.designRect(controls_.get(Control::ToggleFrame)), own = controls_.designRect(label);
  controls_.showOnly(label, frame.x + frame.w - 1 - 3 - own.x, own.h);
}

}  // namespace lumaset::ui
