#include "ui/control_colours.h"

#include "ui/control_ids.h"

namespace lumaset::ui {
namespace {

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

int systemIndex(SystemColour c) {
  switch (c) {
    case SystemColour::WindowText:
      return COLOR_WINDOWTEXT;
    case SystemColour::GrayText:
      return COLOR_GRAYTEXT;
    case SystemColour::HotLight:
      return COLOR_HOTLIGHT;
    case SystemColour::Highlight:
      return COLOR_HIGHLIGHT;
    case SystemColour::HighlightText:
      return COLOR_HIGHLIGHTTEXT;
    case SystemColour::Window:
    default:
      return COLOR_WINDOW;
  }
}

}  // namespace

bool highContrastOn() {
  HIGHCONTRASTW mode{};
  mode.cbSize = sizeof mode;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof mode, &mode, 0) && (mode.dwFlags & HCF_HIGHCONTRASTON);
}

COLORREF drawnColour(Part part) {
  const PartColour c = colourOf(part, highContrastOn());
  return c.system ? GetSysColor(systemIndex(c.systemColour)) : RGB(c.design.r, c.design.g, c.design.b);
}

void ControlColours::makeBrushes() {
  panel_ = kit::Brush(CreateSolidBrush(drawnColour(Part::Panel)));
  edit_ = kit::Brush(CreateSolidBrush(drawnColour(Part::Edit)));
}

void ControlColours::followSystem(std::initializer_list<HWND> windows) {
  // The classes keep the old brush until they have the new one.
  kit::Brush oldPanel(panel_.release()), oldEdit(edit_.release());
  makeBrushes();
  for (HWND window : windows) SetClassLongPtrW(window, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(panel_.get()));
}

LRESULT ControlColours::colour(HDC dc, HWND window) const {
  auto c = static_cast<Control>(GetDlgCtrlID(window));
  if (c == Control::ToggleLabel) {
    HWND toggle = GetDlgItem(GetParent(window), id(Control::StartupTextToggle));
    SetTextColor(dc, drawnColour(IsWindowEnabled(toggle) ? Part::Text : Part::DisabledText));
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
  }
  // The path boxes draw their text on the panel, within their own outline.
  const bool edit = c == Control::DescriptionBox;
  SetTextColor(dc, drawnColour(isLink(c) ? Part::Link : c == Control::HostCarriesLabel ? Part::Note : Part::Text));
  SetBkColor(dc, drawnColour(edit ? Part::Edit : Part::Panel));
  return reinterpret_cast<LRESULT>(edit ? edit_.get() : panel_.get());
}

}  // namespace lumaset::ui
