// The theme page's controls, in the order they lie from the bottom up: the plate that
// moves the window, the icons, the description, the badges, the theme box between its
// stepping buttons, the theme menu's link, the author's and the credit's links and the
// apply button.
#include <string>
#include <tuple>

#include "messages/texts.h"
#include "ui/control_looks.h"
#include "ui/image_button.h"
#include "ui/pages.h"

namespace lumaset::ui {

void Pages::createThemePage(HWND theme) {
  WindowControls& c = controls_;
  HWND plate = c.add(theme, L"Static", "", Control::DragPlate, {-40, -5, 888, 144}, SS_NOTIFY, nullptr);
  kit::ImageControl plateBox;
  plateBox.attachPictureBox(plate);
  HWND dark = c.add(theme, L"Static", "", Control::DarkIcon, {64, 9, 32, 32}, SS_NOTIFY, nullptr);
  HWND light = c.add(theme, L"Static", "", Control::LightIcon, {64, 41, 32, 32}, SS_NOTIFY, nullptr);
  darkIcon_.attachPictureBox(dark);
  lightIcon_.attachPictureBox(light);
  darkIcon_.setBackType(2);
  lightIcon_.setBackType(2);
  for (HWND box : {plate, dark, light}) moveWindowOnPress(box);
  c.add(theme, L"Edit", "", Control::DescriptionBox, {200, 43, 432, 24}, ES_AUTOHSCROLL | ES_READONLY,
        c.font(FontSize::k12));
  createBadges(theme);
  c.addButton(theme, Control::PreviousThemeButton, {256, 8, 27, 26}, "previous", false);
  themeBox_.create(theme);
  c.addButton(theme, Control::NextThemeButton, {536, 8, 27, 26}, "next", false);
  c.addLink(theme, Control::ThemeMenuLink, "…", {568, 3, 24, 24}, c.font(FontSize::k21));
  c.addLabel(theme, Control::AuthorLabel, text(Text::AuthorLabel), {324, 94, 32, 17}, c.font(FontSize::k11));
  c.addLink(theme, Control::AuthorLink, "", {359, 95, 122, 15}, c.font(FontSize::k11));
  c.addLabel(theme, Control::CreditLabel, text(Text::CreditLabel), {324, 110, 32, 13}, c.font(FontSize::k11));
  c.addLink(theme, Control::CreditLink, "", {360, 108, 120, 18}, c.font(FontSize::k11));
  c.addButton(theme, Control::ApplyThemeButton, {688, 108, 123, 26}, "apply_theme", false);
  ShowWindow(c.addButton(theme, Control::PreviewButton, {114, 32, 48, 24}, "preview", false), SW_HIDE);
  SetWindowPos(plate, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

// What the theme carries: splash images at 1x and at 2x, and startup text of its own.
void Pages::createBadges(HWND theme) {
  for (auto [badge, image, x] :
       {std::tuple{Control::Badge1x, "badge_1x", 386}, std::tuple{Control::Badge2x, "badge_2x", 406},
        std::tuple{Control::BadgeText, "badge_t", 426}}) {
    ButtonLooks looks{std::string(image) + "_normal", "", "", std::string(image) + "_disabled"};
    controls_.addImageButton(theme, badge, {x, 74, 24, 9}, looks, false);
  }
  EnableWindow(controls_.get(Control::Badge2x), FALSE);
  EnableWindow(controls_.get(Control::BadgeText), FALSE);
}

}  // namespace lumaset::ui
