#include "ui/pages.h"

#include <utility>

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
  const std::pair<Control, const char*> tips[] = {
      {Control::Badge1x, "这个主题有 @1x 尺寸启动图"},
      {Control::Badge2x, "这个主题有 @2x 尺寸启动图，@2x 尺寸用于高清屏幕下 Ps 使用 200% UI 设置时显示"},
      {Control::BadgeText, "这个主题有自定义的启动文字"},
      {Control::BackupLink,
       "为当前的 Ps 创建备份（第一次应用主题前也会自动创建）。\r\nPhotoshop 更新之后请点这里，"
       "用更新后的文件更新备份；Lumaset 放入的主题不会被当作原版备份。"}};
  for (const auto& [c, text] : tips) {
    kit::ImageControl tipped;
    tipped.attach(controls_.get(c));
    tipped.setToolTip(text);
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
