// The Chinese texts of the window and the command line other than the reports'
// (messages/texts.h), in the order of `Text`.
#include "messages/texts.h"

namespace lumaset::zh {
namespace {

constexpr TextRow kTexts[] = {
    {Text::Working, "正在修改 Photoshop 的文件，请稍候…"},
    {Text::ProcessedKb, "已处理 %.0f / %.0f KB"},
    {Text::ProcessedSmallMb, "已处理 %.1f / %.1f MB"},
    {Text::ProcessedMb, "已处理 %.0f / %.0f MB"},
    {Text::PathLabel, "Ps 路径："},
    {Text::BackupLink, "备份"},
    {Text::HideStartupText, "隐藏启动文字"},
    {Text::TemplateLink, "模板"},
    {Text::HelpLink, "帮助"},
    {Text::AuthorLabel, "作者："},
    {Text::CreditLabel, "引用："},
    {Text::SplashLabel, "启动图片："},
    {Text::LightLabel, "图标亮界面："},
    {Text::DarkLabel, "图标暗界面："},
    {Text::Splash2xLabel, "启动图片@X2："},
    {Text::Light2xLabel, "图标亮界面@X2："},
    {Text::Dark2xLabel, "图标暗界面@X2："},
    {Text::Badge1xTip, "这个主题有 @1x 尺寸启动图"},
    {Text::Badge2xTip, "这个主题有 @2x 尺寸启动图，@2x 尺寸用于高清屏幕下 Ps 使用 200% UI 设置时显示"},
    {Text::BadgeTextTip, "这个主题有自定义的启动文字"},
    {Text::BackupTip,
     "为当前的 Ps 创建备份（第一次应用主题前也会自动创建）。\r\nPhotoshop 更新之后请点这里，"
     "用更新后的文件更新备份；Lumaset 放入的主题不会被当作原版备份。"},
    {Text::MenuAddTheme, "添加主题"},
    {Text::MenuOpenLibrary, "打开主题目录"},
    {Text::MenuMoreThemes, "获取更多主题..."},
    {Text::ThemeBoxPlaceholder, "选择一个主题"},
    {Text::CurrentOriginal, "当前：原版"},
    {Text::CurrentTheme, "当前：{1}"},
    {Text::CurrentCustom, "当前：自定义图片"},
    {Text::CurrentUnknown, "当前：未知"},
    {Text::HostLacksImages, "（这个 Photoshop 没有 {1}）"},
    {Text::PickImageTitle, "选择图片"},
    {Text::PickImageFilter, "PNG 图片|*.png"},
    {Text::InternalErrorStopped, "Lumaset 遇到内部错误，已停止"},
    {Text::InternalErrorStep, "Lumaset 遇到内部错误，这一步没有完成"},
    {Text::ErrorCaption, "错误"},
    {Text::GuideFile, "使用说明.txt"},
    {Text::LookNoHost, "还没有选择 Photoshop（点“Ps 路径”旁的文件夹按钮选择 Photoshop.exe）"},
    {Text::LookCurrent, "当前 Photoshop 的启动画面"},
    {Text::LookDefaultBackedUp, "Photoshop 的默认启动画面（备份的画面）"},
    {Text::LookDefaultNotBackedUp, "Photoshop 的默认启动画面（还没有备份，就是当前的画面）"},
    {Text::LookCustom, "自定义图片：没有选择的图片用 Photoshop 的默认图片"},
    {Text::FirstStart, "Lumaset 需要知道 Photoshop 安装在哪里：请在接下来的窗口中选择 Photoshop.exe。"},
    {Text::FirstStartFound, "\r\n找到的 Photoshop：{1}\r\n窗口会在这个文件夹打开，确认即可。"},
    {Text::FindHostCaption, "找到 Photoshop"},
    {Text::FindHostTitle, "找到 Photoshop 的位置"},
    {Text::ImportCaption, "添加主题"},
    {Text::ImportCopyCaption, "复制错误"},
    {Text::ImportErrorCode, "错误代码：{1}"},
    {Text::ImportErrorCodeNote, "（错误代码：{1}）"},
    {Text::ImportSkipped, "\r\n以下链接或特殊文件没有复制："},
    {Text::ImportSkippedCount, "\r\n  ……共 {1} 项"},
    {Text::ImportAdded, "已添加主题：{1}\r\n{2}"},
    {Text::ImportMerged, "已添加主题：{1}\r\n{2}\r\n（并入了原有的同名主题）"},
    {Text::ImportDeclined, "未添加主题：{1}\r\n主题库中已有同名主题“{2}”，没有改动"},
    {Text::ImportNotATheme, "不是主题：{1}\r\n主题里要有 info.ini 和 loading_low.png"},
    {Text::ImportImageNotPng, "未添加主题：{1}\r\n主题里的 {2} 不是有效的 PNG 图片文件"},
    {Text::ImportUnsupported, "不支持的文件类型：{1}\r\n只能添加 zip 主题包或主题文件夹"},
    {Text::ImportUnreadable, "找不到或无法读取：{1}"},
    {Text::ImportBadName, "主题包名称无效：{1}"},
    {Text::ImportInsideLibrary, "不能把主题库本身、其中的文件夹或包含它的文件夹添加为主题：{1}"},
    {Text::ImportTooLarge, "主题太大，没有添加：{1}\r\n最多 64 MB、10000 个文件、16 层文件夹"},
    {Text::ImportBusy, "另一个添加主题的操作还没有结束，请稍后再试：{1}"},
    {Text::ImportLibraryFailed, "无法写入主题库，没有添加：{1}"},
    {Text::ImportPackageFailed, "解压主题包错误：{1}"},
    {Text::ImportCopyFailed, "复制主题包错误：{1}"},
    {Text::ImportReplaceQuestion,
     "主题库中已有主题“{1}”。\r\n要把新的文件并入它吗？同名的文件会被替换，其余文件保留。"},
};
static_assert(textsInOrder(kTexts), "a Chinese text is missing or out of the order of Text");

}  // namespace

const char* text(Text id) { return kTexts[static_cast<int>(id)].text; }

}  // namespace lumaset::zh
