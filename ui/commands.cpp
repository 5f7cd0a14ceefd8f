#include "ui/commands.h"

namespace lumaset::ui {
namespace {

template <int slot>
void pickImage(CommandTargets& t, int) {
  static_assert(slot >= 0 && slot < 6);
  t.presenter.pickImageClicked(slot);
}

void openGuide(CommandTargets& t, int) { t.presenter.openGuide(); }

template <Control link>
void openLinkTarget(CommandTargets& t, int) {
  t.window.openLinkTarget(link);
}

constexpr Command kCommands[] = {
    // The caption, the page buttons and the bottom row.
    {Control::CloseButton, Notice::kClick, [](CommandTargets& t, int) { t.window.close(); }},
    {Control::MinimiseButton, Notice::kClick, [](CommandTargets& t, int) { t.window.minimise(); }},
    {Control::ProjectLink, Notice::kClick, openGuide},
    {Control::ThemePageButton, Notice::kClick, [](CommandTargets& t, int) { t.presenter.themePageClicked(); }},
    {Control::CustomPageButton, Notice::kClick, [](CommandTargets& t, int) { t.presenter.customPageClicked(); }},
    {Control::LocateButton, Notice::kClick, [](CommandTargets& t, int) { t.presenter.locateClicked(); }},
    {Control::BackupLink, Notice::kClick, [](CommandTargets& t, int) { t.presenter.backupPressed(); }},
    {Control::StartupTextToggle, Notice::kClick, [](CommandTargets& t, int) { t.presenter.toggleClicked(); }},
    // A quick second press on the label comes as a double click: it flips the box again,
    // as a second press on the box does.
    {Control::ToggleLabel, Notice::kClickOrDoubleClick,
     [](CommandTargets& t, int) { t.presenter.toggleLabelPressed(); }},
    // The theme page: the theme box and its stepping, the theme menu, the links, the apply.
    {Control::ThemeBoxText, Notice::kClick, [](CommandTargets& t, int) { t.presenter.openThemeBox(); }},
    {Control::ThemeList, Notice::kAny, [](CommandTargets& t, int code) { t.window.themeListNotice(code); }},
    {Control::PreviousThemeButton, Notice::kClick, [](CommandTargets& t, int) { t.presenter.previousTheme(); }},
    {Control::NextThemeButton, Notice::kClick, [](CommandTargets& t, int) { t.presenter.nextTheme(); }},
    {Control::ThemeMenuLink, Notice::kClick, [](CommandTargets& t, int) { t.window.showThemeMenu(); }},
    {Control::MenuAddTheme, Notice::kAny, [](CommandTargets& t, int) { t.presenter.addThemePackage(); }},
    {Control::MenuOpenLibrary, Notice::kAny, [](CommandTargets& t, int) { t.presenter.openThemeLibrary(); }},
    {Control::MenuMoreThemes, Notice::kAny, [](CommandTargets& t, int) { t.presenter.openMoreThemes(); }},
    {Control::AuthorLink, Notice::kClick, openLinkTarget<Control::AuthorLink>},
    {Control::CreditLink, Notice::kClick, openLinkTarget<Control::CreditLink>},
    {Control::ApplyThemeButton, Notice::kClick, [](CommandTargets& t, int) { t.presenter.applyThemeClicked(); }},
    // The custom page: the six browse buttons in slot order, the links, the apply.
    {kSlotButtons[0], Notice::kClick, pickImage<0>},
    {kSlotButtons[1], Notice::kClick, pickImage<1>},
    {kSlotButtons[2], Notice::kClick, pickImage<2>},
    {kSlotButtons[3], Notice::kClick, pickImage<3>},
    {kSlotButtons[4], Notice::kClick, pickImage<4>},
    {kSlotButtons[5], Notice::kClick, pickImage<5>},
    {Control::TemplateLink, Notice::kClick, [](CommandTargets& t, int) { t.presenter.openTemplateFolder(); }},
    {Control::HelpLink, Notice::kClick, openGuide},
    {Control::ApplyCustomButton, Notice::kClick, [](CommandTargets& t, int) { t.presenter.applyCustomClicked(); }},
};

constexpr bool eachControlOnce() {
  for (const Command& a : kCommands) {
    int seen = 0;
    for (const Command& b : kCommands) seen += a.control == b.control;
    if (seen != 1) return false;
  }
  return true;
}
static_assert(eachControlOnce(), "a control has two commands");

struct KeyCommand {
  WPARAM key;
  int page;
  Control control;
};

// The arrows step through the themes, Enter applies the page's choice.
constexpr KeyCommand kKeyCommands[] = {
    {VK_LEFT, 0, Control::PreviousThemeButton},
    {VK_RIGHT, 0, Control::NextThemeButton},
    {VK_RETURN, 0, Control::ApplyThemeButton},
    {VK_RETURN, 1, Control::ApplyCustomButton},
};

bool runsOn(Notice notice, int code) {
  switch (notice) {
    case Notice::kClick:
      return code == BN_CLICKED;  // STN_CLICKED and a menu item's 0 alike
    case Notice::kClickOrDoubleClick:
      return code == STN_CLICKED || code == STN_DBLCLK;
    case Notice::kAny:
      return true;
  }
  return false;
}

}  // namespace

bool runCommand(CommandTargets& targets, Control control, int code) {
  for (const Command& c : kCommands) {
    if (c.control != control) continue;
    if (!runsOn(c.notice, code)) return false;
    c.run(targets, code);
    return true;
  }
  return false;
}

std::optional<Control> keyCommand(WPARAM key, int page) {
  for (const KeyCommand& k : kKeyCommands) {
    if (k.key == key && k.page == page) return k.control;
  }
  return std::nullopt;
}

}  // namespace lumaset::ui
