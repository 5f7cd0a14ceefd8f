// The controls of the program's windows by name, with the control ID each carries. The
// names are the controls' identities; the program and its end-to-end tests share this
// table.
#pragma once
#include <string_view>

namespace lumaset::ui {

struct ControlId {
  std::string_view name;
  int id;
};

inline constexpr ControlId kControls[] = {
    {"超级链接框3", 1003}, {"图形按钮5", 1005},  {"图形按钮6", 1006},   {"图形按钮17", 1017}, {"图形按钮7", 1007},
    {"选择夹1", 1100},     {"标签1", 1201},      {"编辑框1", 1301},     {"图形按钮2", 1002},  {"超级链接框6", 1406},
    {"外形框1", 1501},     {"图形按钮20", 1020}, {"透明标签1", 1601},   {"窗口拖动底板", 1701},
    {"图标_暗", 1702},     {"图标_亮", 1703},    {"编辑框8", 1308},     {"图形按钮_1X", 1031}, {"图形按钮_2X", 1032},
    {"图形按钮_T", 1033},  {"图形按钮3", 1003 + 100}, {"组合框1", 1801}, {"图片框1", 1704}, {"伪组合框文字", 1602},
    {"图形按钮4", 1104},   {"超级链接框5", 1405}, {"标签4", 1204},      {"超级链接框2", 1402}, {"标签5", 1205},
    {"超级链接框1", 1401}, {"图形按钮8", 1008},  {"图形按钮1", 1001},   {"标签2", 1202},      {"编辑框2", 1302},
    {"图形按钮9", 1009},   {"标签7", 1207},      {"编辑框3", 1303},     {"图形按钮10", 1010}, {"标签8", 1208},
    {"编辑框4", 1304},     {"图形按钮12", 1012}, {"标签6", 1206},       {"编辑框7", 1307},    {"图形按钮11", 1011},
    {"标签9", 1209},       {"编辑框6", 1306},    {"图形按钮13", 1013},  {"标签10", 1210},     {"编辑框5", 1305},
    {"图形按钮14", 1014},  {"超级链接框7", 1407}, {"超级链接框4", 1404}, {"图形按钮15", 1015},
    // The splash preview window's picture boxes.
    {"预览图片框1", 2001}, {"预览图片框2", 2002},
};

// Items of the theme menu 主题菜单.
inline constexpr int kMenuAddTheme = 3001;      // "添加主题"
inline constexpr int kMenuOpenLibrary = 3002;   // "打开主题目录"
inline constexpr int kMenuMoreThemes = 3003;    // "获取更多主题..."

// Window classes, so that tests find the three windows.
inline constexpr const wchar_t* kMainClass = L"LumasetMainWindow";
inline constexpr const wchar_t* kPreviewClass = L"LumasetSplashPreview";
inline constexpr const wchar_t* kFrameClass = L"LumasetFrameWindow";
inline constexpr const wchar_t* kPageClass = L"LumasetPage";
inline constexpr const wchar_t* kImageButtonClass = L"LumasetImageButton";

constexpr int controlId(std::string_view name) {
  for (const ControlId& c : kControls) {
    if (c.name == name) return c.id;
  }
  return 0;
}

}  // namespace lumaset::ui
