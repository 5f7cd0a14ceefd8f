#include "ui/control_colours.h"

#include "ui/control_ids.h"
#include "ui/palette.h"

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

}  // namespace

ControlColours::ControlColours() : panel_(CreateSolidBrush(kPanelColour)), edit_(CreateSolidBrush(kEditColour)) {}

LRESULT ControlColours::colour(HDC dc, HWND window) const {
  auto c = static_cast<Control>(GetDlgCtrlID(window));
  if (c == Control::ToggleLabel) {
    HWND toggle = GetDlgItem(GetParent(window), id(Control::StartupTextToggle));
    SetTextColor(dc, IsWindowEnabled(toggle) ? kTextColour : kDimTextColour);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
  }
  // The path boxes draw their text on the panel, within their own outline.
  const bool edit = c == Control::DescriptionBox;
  SetTextColor(dc, isLink(c) ? kLinkColour : c == Control::HostCarriesLabel ? kDimTextColour : kTextColour);
  SetBkColor(dc, edit ? kEditColour : kPanelColour);
  return reinterpret_cast<LRESULT>(edit ? edit_.get() : panel_.get());
}

}  // namespace lumaset::ui
