// The controls of the program's windows: an identifier named for each control's role,
// and beside it in one table the control's name and what screen readers are told of it
// (its accessible name and role, ui/accessible_control.h). The names are the controls'
// identities outside the program (the end-to-end driver and the tests find controls by
// them); the program itself speaks of the roles.
#pragma once
#include <string_view>

#include "messages/language.h"

namespace lumaset::ui {

enum class Control : int {
  // The frame of the main window.
  ProjectLink = 1003,        // 超级链接框3: "Lumaset v1.2"
  ThemePageButton = 1005,    // 图形按钮5
  CustomPageButton = 1006,   // 图形按钮6
  MinimiseButton = 1017,     // 图形按钮17
  CloseButton = 1007,        // 图形按钮7
  PageControl = 1100,        // 选择夹1
  ThemePage = 1101,          // 选择夹1's first page
  CustomPage = 1102,         // and its second
  PathLabel = 1201,          // 标签1
  PathBox = 1301,            // 编辑框1
  LocateButton = 1002,       // 图形按钮2
  BackupLink = 1406,         // 超级链接框6
  ToggleFrame = 1501,        // 外形框1
  StartupTextToggle = 1020,  // 图形按钮20
  ToggleLabel = 1601,        // 透明标签1
  HostCarriesLabel = 1211,   // which look the host carries now ("当前：…")
  // The theme page.
  DragPlate = 1701,            // 窗口拖动底板
  DarkIcon = 1702,             // 图标_暗
  LightIcon = 1703,            // 图标_亮
  DescriptionBox = 1308,       // 编辑框8
  Badge1x = 1031,              // 图形按钮_1X
  Badge2x = 1032,              // 图形按钮_2X
  BadgeText = 1033,            // 图形按钮_T
  PreviousThemeButton = 1103,  // 图形按钮3
  ThemeList = 1801,            // 组合框1
  ThemeBoxImage = 1704,        // 图片框1
  ThemeBoxText = 1602,         // 伪组合框文字
  NextThemeButton = 1104,      // 图形按钮4
  ThemeMenuLink = 1405,        // 超级链接框5
  AuthorLabel = 1204,          // 标签4
  AuthorLink = 1402,           // 超级链接框2
  CreditLabel = 1205,          // 标签5
  CreditLink = 1401,           // 超级链接框1
  ApplyThemeButton = 1008,     // 图形按钮8
  PreviewButton = 1001,        // 图形按钮1
  // The custom page: a label, a path field and a browse button per image.
  SplashLabel = 1202,
  SplashField = 1302,
  SplashBrowse = 1009,  // 标签2, 编辑框2, 图形按钮9
  LightLabel = 1207,
  LightField = 1303,
  LightBrowse = 1010,  // 标签7, 编辑框3, 图形按钮10
  DarkLabel = 1208,
  DarkField = 1304,
  DarkBrowse = 1012,  // 标签8, 编辑框4, 图形按钮12
  Splash2xLabel = 1206,
  Splash2xField = 1307,
  Splash2xBrowse = 1011,  // 标签6, 编辑框7, 图形按钮11
  Light2xLabel = 1209,
  Light2xField = 1306,
  Light2xBrowse = 1013,  // 标签9, 编辑框6, 图形按钮13
  Dark2xLabel = 1210,
  Dark2xField = 1305,
  Dark2xBrowse = 1014,       // 标签10, 编辑框5, 图形按钮14
  TemplateLink = 1407,       // 超级链接框7
  HelpLink = 1404,           // 超级链接框4
  ApplyCustomButton = 1015,  // 图形按钮15
  // The splash preview window's picture boxes.
  SplashPreview = 2001,   // 预览图片框1
  OverlayPreview = 2002,  // 预览图片框2
  // Items of the theme menu 主题菜单.
  MenuAddTheme = 3001,     // "添加主题"
  MenuOpenLibrary = 3002,  // "打开主题目录"
  MenuMoreThemes = 3003,   // "获取更多主题..."
};

constexpr int id(Control c) { return static_cast<int>(c); }

// What a screen reader says a control is (MSAA roles: ROLE_SYSTEM_PUSHBUTTON, ...).
enum class Role {
  PushButton,
  CheckBox,
  ComboBox,
  Link,
  Graphic,
  StaticText,
  EditableText,
  Grouping,
  PropertyPage,
  Whitespace,  // a surface that shows nothing of its own (a plate that moves the window)
};

// A control's name outside the program, and what screen readers are told of it: its
// accessible name (the label it shows, its tooltip or what its picture shows; empty for a
// control whose own text is its name) in both languages, and its role.
struct ControlName {
  std::string_view name;
  Control control;
  std::string_view accessibleName;    // in Chinese
  std::string_view accessibleNameEn;  // the same in English
  Role role;
};

// A control's accessible name in the program's language (messages/language.h).
inline std::string_view accessibleNameOf(const ControlName& row) {
  return language() == Language::Chinese ? row.accessibleName : row.accessibleNameEn;
}

inline constexpr ControlName kControls[] = {
    {"超级链接框3", Control::ProjectLink, "", "", Role::Link},
    {"图形按钮5", Control::ThemePageButton, "主题", "Theme", Role::PushButton},
    {"图形按钮6", Control::CustomPageButton, "自定义", "Custom", Role::PushButton},
    {"图形按钮17", Control::MinimiseButton, "最小化", "Minimise", Role::PushButton},
    {"图形按钮7", Control::CloseButton, "关闭", "Close", Role::PushButton},
    {"选择夹1", Control::PageControl, "", "", Role::Grouping},
    {"主题页", Control::ThemePage, "主题", "Theme", Role::PropertyPage},
    {"自定义页", Control::CustomPage, "自定义", "Custom", Role::PropertyPage},
    {"标签1", Control::PathLabel, "", "", Role::StaticText},
    {"编辑框1", Control::PathBox, "Ps 路径", "Ps path", Role::EditableText},
    {"图形按钮2", Control::LocateButton, "选择 Ps 路径", "Choose the Ps path", Role::PushButton},
    {"超级链接框6", Control::BackupLink, "", "", Role::Link},
    {"外形框1", Control::ToggleFrame, "", "", Role::Whitespace},
    {"图形按钮20", Control::StartupTextToggle, "隐藏启动文字", "Hide startup text", Role::CheckBox},
    {"透明标签1", Control::ToggleLabel, "", "", Role::StaticText},
    {"当前标签", Control::HostCarriesLabel, "", "", Role::StaticText},
    {"窗口拖动底板", Control::DragPlate, "", "", Role::Whitespace},
    {"图标_暗", Control::DarkIcon, "暗界面图标预览", "Dark interface icon preview", Role::Graphic},
    {"图标_亮", Control::LightIcon, "亮界面图标预览", "Light interface icon preview", Role::Graphic},
    {"编辑框8", Control::DescriptionBox, "说明", "Description", Role::EditableText},
    {"图形按钮_1X", Control::Badge1x, "@1x 尺寸启动图", "@1x splash image", Role::Graphic},
    {"图形按钮_2X", Control::Badge2x, "@2x 尺寸启动图", "@2x splash image", Role::Graphic},
    {"图形按钮_T", Control::BadgeText, "自定义启动文字", "Own startup text", Role::Graphic},
    {"图形按钮3", Control::PreviousThemeButton, "上一个主题", "Previous theme", Role::PushButton},
    {"组合框1", Control::ThemeList, "主题", "Theme", Role::ComboBox},
    {"图片框1", Control::ThemeBoxImage, "主题", "Theme", Role::Grouping},
    {"伪组合框文字", Control::ThemeBoxText, "主题", "Theme", Role::ComboBox},
    {"图形按钮4", Control::NextThemeButton, "下一个主题", "Next theme", Role::PushButton},
    {"超级链接框5", Control::ThemeMenuLink, "主题菜单", "Theme menu", Role::Link},
    {"标签4", Control::AuthorLabel, "", "", Role::StaticText},
    {"超级链接框2", Control::AuthorLink, "", "", Role::Link},
    {"标签5", Control::CreditLabel, "", "", Role::StaticText},
    {"超级链接框1", Control::CreditLink, "", "", Role::Link},
    {"图形按钮8", Control::ApplyThemeButton, "应用", "Apply", Role::PushButton},
    {"图形按钮1", Control::PreviewButton, "预览", "Preview", Role::PushButton},
    {"标签2", Control::SplashLabel, "", "", Role::StaticText},
    {"编辑框2", Control::SplashField, "启动图片", "Splash image", Role::EditableText},
    {"图形按钮9", Control::SplashBrowse, "选择启动图片", "Choose the splash image", Role::PushButton},
    {"标签7", Control::LightLabel, "", "", Role::StaticText},
    {"编辑框3", Control::LightField, "图标亮界面", "Light interface icon", Role::EditableText},
    {"图形按钮10", Control::LightBrowse, "选择图标亮界面", "Choose the light interface icon", Role::PushButton},
    {"标签8", Control::DarkLabel, "", "", Role::StaticText},
    {"编辑框4", Control::DarkField, "图标暗界面", "Dark interface icon", Role::EditableText},
    {"图形按钮12", Control::DarkBrowse, "选择图标暗界面", "Choose the dark interface icon", Role::PushButton},
    {"标签6", Control::Splash2xLabel, "", "", Role::StaticText},
    {"编辑框7", Control::Splash2xField, "启动图片@X2", "Splash image @2x", Role::EditableText},
    {"图形按钮11", Control::Splash2xBrowse, "选择启动图片@X2", "Choose the splash image @2x", Role::PushButton},
    {"标签9", Control::Light2xLabel, "", "", Role::StaticText},
    {"编辑框6", Control::Light2xField, "图标亮界面@X2", "Light interface icon @2x", Role::EditableText},
    {"图形按钮13", Control::Light2xBrowse, "选择图标亮界面@X2", "Choose the light interface icon @2x",
     Role::PushButton},
    {"标签10", Control::Dark2xLabel, "", "", Role::StaticText},
    {"编辑框5", Control::Dark2xField, "图标暗界面@X2", "Dark interface icon @2x", Role::EditableText},
    {"图形按钮14", Control::Dark2xBrowse, "选择图标暗界面@X2", "Choose the dark interface icon @2x", Role::PushButton},
    {"超级链接框7", Control::TemplateLink, "", "", Role::Link},
    {"超级链接框4", Control::HelpLink, "", "", Role::Link},
    {"图形按钮15", Control::ApplyCustomButton, "应用", "Apply", Role::PushButton},
    {"预览图片框1", Control::SplashPreview, "启动画面预览", "Splash preview", Role::Graphic},
    {"预览图片框2", Control::OverlayPreview, "启动文字位置", "Where the startup text shows", Role::Graphic},
};

// The table's row of a control; nullptr for a menu item, which has none.
constexpr const ControlName* controlRow(Control control) {
  for (const ControlName& c : kControls) {
    if (c.control == control) return &c;
  }
  return nullptr;
}

// The control ID of a control name; 0 for a name that is no control's.
constexpr int controlId(std::string_view name) {
  for (const ControlName& c : kControls) {
    if (c.name == name) return id(c.control);
  }
  return 0;
}

constexpr bool namesAndControlsAreUnique() {
  for (const ControlName& a : kControls) {
    int seen = 0;
    for (const ControlName& b : kControls) seen += (a.name == b.name) + (a.control == b.control);
    if (seen != 2) return false;
  }
  return true;
}
static_assert(namesAndControlsAreUnique(), "a control name or identifier appears twice");

// A control that shows no text of its own (an image, a box whose text is a value) or whose
// text is no name (a path) is named in the table.
constexpr bool controlsWithoutTextAreNamed() {
  for (const ControlName& c : kControls) {
    const bool ownTextNames =
        c.role == Role::Link || c.role == Role::StaticText || c.role == Role::Grouping || c.role == Role::Whitespace;
    if (!ownTextNames && c.accessibleName.empty()) return false;
    if (c.accessibleName.empty() != c.accessibleNameEn.empty()) return false;
  }
  return true;
}
static_assert(controlsWithoutTextAreNamed(),
              "a control without a text of its own has no accessible name, or has it in one language only");

// The image fields of the custom page and their browse buttons, in slot order (splash,
// splash @2x, dark icon, dark @2x, light icon, light @2x).
inline constexpr Control kSlotFields[6] = {Control::SplashField, Control::Splash2xField, Control::DarkField,
                                           Control::Dark2xField, Control::LightField,    Control::Light2xField};
inline constexpr Control kSlotButtons[6] = {Control::SplashBrowse, Control::Splash2xBrowse, Control::DarkBrowse,
                                            Control::Dark2xBrowse, Control::LightBrowse,    Control::Light2xBrowse};

// Window classes, so that tests find the three windows.
inline constexpr const wchar_t* kMainClass = L"LumasetMainWindow";
inline constexpr const wchar_t* kPreviewClass = L"LumasetSplashPreview";
inline constexpr const wchar_t* kFrameClass = L"LumasetFrameWindow";
inline constexpr const wchar_t* kPageClass = L"LumasetPage";
inline constexpr const wchar_t* kImageButtonClass = L"LumasetImageButton";

}  // namespace lumaset::ui
