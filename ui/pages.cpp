#include "ui/pages.h"

#include <utility>

#include "messages/texts.h"
#include "ui/window_images.h"

namespace lumaset::ui {

void Pages::create(HWND main) {
  createFrame(main);
  createThemePage(pages_[0]);
  cutToggleLabel();
}

bool Pages::makeCustomPage() {
  if (customMade_) return false;
  createCustomPage(pages_[1]);
  customMade_ = true;
  return true;
}

void Pages::addToolTips() {
  const std::pair<Control, Text> tips[] = {{Control::Badge1x, Text::Badge1xTip},
                                           {Control::Badge2x, Text::Badge2xTip},
                                           {Control::BadgeText, Text::BadgeTextTip},
                                           {Control::BackupLink, Text::BackupTip}};
  for (const auto& [c, tip] : tips) {
    kit::ImageControl tipped;
    tipped.attach(controls_.get(c));
    tipped.setToolTip(text(tip));
  }
}

void Pages::showPage(int page) {
  ShowWindow(pages_[page == 0 ? 1 : 0], SW_HIDE);
  ShowWindow(pages_[page == 0 ? 0 : 1], SW_SHOW);
}

int Pages::shownPage() const { return IsWindowVisible(pages_[0]) ? 0 : 1; }

void Pages::showIcons(const Look& look) {
  darkIcon_.setBackImage(lookImage(controls_.scale(), look.darkIcon, look.darkIconHigh));
  lightIcon_.setBackImage(lookImage(controls_.scale(), look.lightIcon, look.lightIconHigh));
}

void Pages::showDetails(const Preview& preview) {
  for (auto [badge, enabled] : {std::pair{Control::Badge1x, preview.has1x}, std::pair{Control::Badge2x, preview.has2x},
                                std::pair{Control::BadgeText, preview.hasText}}) {
    EnableWindow(controls_.get(badge), enabled);
    ShowWindow(controls_.get(badge), preview.indicatorsShown ? SW_SHOW : SW_HIDE);
  }
  for (auto [link, target] :
       {std::pair{Control::AuthorLink, preview.author}, std::pair{Control::CreditLink, preview.credit}}) {
    controls_.setText(link, target.text);
    linkTargets_[link] = target.target;
  }
}

std::string Pages::linkTarget(Control link) const {
  auto target = linkTargets_.find(link);
  return target == linkTargets_.end() ? std::string() : target->second;
}

}  // namespace lumaset::ui
