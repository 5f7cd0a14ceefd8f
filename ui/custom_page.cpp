// The custom page's controls: a label, a path field and a browse button for each of the
// six images, the template and help links and the apply button.
#include "messages/texts.h"
#include "ui/pages.h"

namespace lumaset::ui {
namespace {

struct Row {
  Control label;
  Text text;
  int lx, ly;
  Control field;
  int fx, fy;
  Control browse;
  int bx, by;
};

constexpr Row kRows[] = {
    {Control::SplashLabel, Text::SplashLabel, 23, 13, Control::SplashField, 120, 12, Control::SplashBrowse, 229, 19},
    {Control::LightLabel, Text::LightLabel, -8, 43, Control::LightField, 120, 40, Control::LightBrowse, 228, 46},
    {Control::DarkLabel, Text::DarkLabel, -8, 72, Control::DarkField, 120, 70, Control::DarkBrowse, 228, 75},
    {Control::Splash2xLabel, Text::Splash2xLabel, 312, 17, Control::Splash2xField, 440, 14, Control::Splash2xBrowse,
     549, 20},
    {Control::Light2xLabel, Text::Light2xLabel, 312, 47, Control::Light2xField, 440, 44, Control::Light2xBrowse, 548,
     49},
    {Control::Dark2xLabel, Text::Dark2xLabel, 312, 76, Control::Dark2xField, 440, 72, Control::Dark2xBrowse, 548, 79}};

}  // namespace

void Pages::createCustomPage(HWND custom) {
  WindowControls& c = controls_;
  for (const Row& r : kRows) {
    // Each label ends 4 pixels before its box, its text at its right end: the left
    // column's labels start left of the page and would otherwise lose their first glyph.
    c.addLabel(custom, r.label, text(r.text), {r.lx, r.ly, r.fx - 4 - r.lx, 20}, c.font(FontSize::k12), SS_RIGHT);
    c.addEdit(custom, r.field, {r.fx, r.fy, 104, 32});
    c.addButton(custom, r.browse, {r.bx, r.by, 48, 24}, "folder", false);
  }
  // Each box lies above the one before it, whose lower edge it overlaps.
  for (const Row& r : kRows) SetWindowPos(c.get(r.field), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  c.addLink(custom, Control::TemplateLink, text(Text::TemplateLink), {688, 65, 96, 24}, c.font(FontSize::k11));
  c.addLink(custom, Control::HelpLink, text(Text::HelpLink), {688, 83, 96, 24}, c.font(FontSize::k11));
  c.addButton(custom, Control::ApplyCustomButton, {688, 108, 107, 26}, "apply_custom", false);
}

}  // namespace lumaset::ui
