// make-themes ASSETS_DIR: writes the themes that ship with the program: the template
// folder 模板 (one complete theme with a guide for theme authors) and the sample themes
// of the library LumasetTheme. Their files are committed; run this again after changing
// the artwork.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/theme_art.h"
#include "tools/utf16le.h"

namespace fs = std::filesystem;
using namespace lumaset::tools;

namespace {

void write(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

struct ThemeText {
  std::u16string info, by, byurl, re, reurl, loadtext;
};

// info.ini in UTF-16LE with a byte-order mark: the wide profile functions read every
// character of it on any system, and so does the POSIX build.
std::string infoIni(const ThemeText& t) {
  std::u16string text = u"\uFEFF[Lumaset_theme]\r\ninfo=" + t.info + u"\r\nby=" + t.by + u"\r\nbyurl=" + t.byurl +
                        u"\r\nre=" + t.re + u"\r\nreurl=" + t.reurl + u"\r\n";
  if (!t.loadtext.empty()) text += u"loadtext=" + t.loadtext + u"\r\n";
  return utf16le(text);
}

void writeImages(const fs::path& folder, Artwork art, bool all) {
  write(folder / "loading_low.png", encodePng(drawThemeSplash(art, 1)));
  if (!all) return;
  write(folder / "loading_high.png", encodePng(drawThemeSplash(art, 2)));
  write(folder / "ico_dark_low.png", encodePng(drawThemeIcon(art, 32, true)));
  write(folder / "ico_dark_high.png", encodePng(drawThemeIcon(art, 64, true)));
  write(folder / "ico_light_low.png", encodePng(drawThemeIcon(art, 32, false)));
  write(folder / "ico_light_high.png", encodePng(drawThemeIcon(art, 64, false)));
}

// word.text: lines in the form of the host's language file, UTF-16LE without a mark.
std::string startupText(const std::u16string& loading) {
  return utf16le(
      u"\"$$$/private/Credits/Legal/CopyrightTwoLine=\"\r\n"
      u"\"$$$/About/ReleaseX=\"\r\n"
      u"\"$$$/Splash/Initializing=" +
      loading +
      u"\"\r\n"
      u"\"$$$/Splash/ReadingPrefs=" +
      loading +
      u"\"\r\n"
      u"\"$$$/Splash/ScanningForPlugIns=" +
      loading +
      u"\"\r\n"
      u"\"$$$/Splash/StartingUpPlugIns=" +
      loading + u"\"");
}

const char* kGuide =
    "\xEF\xBB\xBF"
    "Lumaset 主题制作说明 / How to make a Lumaset theme\r\n"
    "================================================\r\n\r\n"
    "一个主题就是 LumasetTheme 文件夹里的一个文件夹，文件夹名就是主题名。\r\n"
    "A theme is a folder inside LumasetTheme; the folder's name is the theme's name.\r\n\r\n"
    "必须有 / required:\r\n"
    "  info.ini          描述文件 / the description (see below)\r\n"
    "  loading_low.png   启动图 / splash image, 838 x 506 pixels\r\n\r\n"
    "可以有 / optional:\r\n"
    "  loading_high.png    @2x 启动图 / splash for 200% UI, 1676 x 1012 pixels\r\n"
    "  ico_dark_low.png    暗界面图标 / app-bar icon, dark interface, 32 x 32 pixels\r\n"
    "  ico_dark_high.png   暗界面图标 @2x / the same at 64 x 64 pixels\r\n"
    "  ico_light_low.png   亮界面图标 / app-bar icon, light interface, 32 x 32 pixels\r\n"
    "  ico_light_high.png  亮界面图标 @2x / the same at 64 x 64 pixels\r\n"
    "  word.text           自定义启动文字，有它时 T 标记亮起 / the theme's startup text; it lights the T mark\r\n\r\n"
    "旧版本靠 word.txt 点亮 T 标记，现在它不起任何作用，可以删除。\r\n"
    "Older releases lit the T mark by a file word.txt: it does nothing now and may be deleted.\r\n\r\n"
    "图片按原样写入 Photoshop，不会缩放，请使用 PNG 格式和上面的尺寸。\r\n"
    "Images go into Photoshop exactly as they are: use PNG files of the sizes above.\r\n"
    "启动图左下角是 Photoshop 写启动文字的地方，请保持这块区域简洁。\r\n"
    "Photoshop writes its startup texts in the lower left of the splash: keep that area calm.\r\n\r\n"
    "info.ini（节 [Lumaset_theme]）/ keys of section [Lumaset_theme]:\r\n"
    "  info=主题介绍 / description         by=作者 / author     byurl=作者网址 / author's page\r\n"
    "  re=引用来源 / credited source       reurl=来源网址 / its page\r\n"
    "  loadtext=no   选中主题时勾选“隐藏启动文字” / choosing the theme ticks \"隐藏启动文字\"\r\n\r\n"
    "启动文字 / the startup text:\r\n"
    "  只有勾选“隐藏启动文字”时才会使用 word.text：勾选时写入 word.text 的文字（没有 word.text 就隐藏\r\n"
    "  启动文字），不勾选时 Photoshop 的启动文字保持原样。想让主题的文字生效，请在 info.ini 写\r\n"
    "  loadtext=no。\r\n"
    "  word.text is used only when \"隐藏启动文字\" is ticked (loadtext=no ticks it when the theme is\r\n"
    "  chosen); unticked, Photoshop keeps its own texts.\r\n"
    "  启动画面和两个图标在 Photoshop CC 2015（16）及以后的所有版本上都会更换；启动文字只在 18 以前的版本\r\n"
    "  （CC 2015 和 CC 2015.5，即 16.x 和 17.x）上修改，CC 2017（18.0）及以后的版本保留自己的启动文字，\r\n"
    "  没有中文语言文件的 Photoshop 也一样。\r\n"
    "  The splash and the two icons are changed on every release from Photoshop CC 2015 (16) on; the\r\n"
    "  startup text only on releases below 18 (CC 2015 and CC 2015.5: 16.x and 17.x). CC 2017 (18.0) and\r\n"
    "  later keep their own startup text, and so does a Photoshop without a Chinese language file.\r\n"
    "  word.text 的每一行与 Photoshop 语言文件相同，例如 / each line is as in Photoshop's language file:\r\n"
    "    \"$$$/Splash/Initializing=正在初始化...\"\r\n\r\n"
    "文字编码 / text encodings:\r\n"
    "  info.ini 和 word.text 可以用记事本保存为 UTF-8（默认）、带 BOM 的 UTF-8、UTF-16 LE 或 ANSI（GBK），\r\n"
    "  程序都能读取；word.text 会转换为语言文件使用的 UTF-16 LE。\r\n"
    "  Save info.ini and word.text in any encoding Notepad offers (UTF-8, UTF-8 with BOM, UTF-16 LE,\r\n"
    "  ANSI/GBK): the program reads each, and turns word.text into the language file's UTF-16 LE.\r\n\r\n"
    "检查与打包 / checking and packaging:\r\n"
    "  lumaset-cli check 主题文件夹    检查缺少的文件、图片和尺寸，以及启动文字 / checks files, images, sizes\r\n"
    "                                 and the startup text\r\n"
    "  lumaset-cli pack 主题文件夹 -o 主题名.zip    打包为可导入的主题包 / writes an importable package\r\n"
    "  pack 只打包主题自己的文件（info.ini、六张图片、word.text，以及旧版本的 word.txt），这份说明等其他文件\r\n"
    "  不会放进去，并会列出。/ pack takes only the theme's own files (info.ini, the six images, word.text,\r\n"
    "  and an older release's word.txt); anything else, this guide too, is left out and listed.\r\n"
    "  也可以在资源管理器中打开主题文件夹，选中主题的文件（不是文件夹本身，也不要选这份说明），\r\n"
    "  右键“发送到 → 压缩(zipped)文件夹”，再把 zip 改成主题名。zip 的名字就是主题名。\r\n"
    "  Or, in Explorer, open the theme folder, select the theme's files in it (not the folder itself, nor\r\n"
    "  this guide), right-click \"Send to -> Compressed (zipped) folder\" and name the zip after the theme:\r\n"
    "  its name becomes the theme's name.\r\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: make-themes ASSETS_DIR\n", stderr);
    return 2;
  }
  fs::path assets = fs::path(argv[1]);
  fs::path templ = assets / fs::path(u8"模板");
  writeImages(templ, Artwork::Template, true);
  write(templ / "info.ini",
        infoIni({u"主题模板：复制这个文件夹到 LumasetTheme，改名，换上你的图片。", u"Lumaset", u"", u"", u"", u"no"}));
  write(templ / "word.text", startupText(u"正在载入你的主题..."));
  write(templ / fs::path(u8"主题制作说明.txt"), kGuide);

  fs::path library = assets / "LumasetTheme";
  writeImages(library / "Aurora", Artwork::Aurora, true);
  write(library / "Aurora" / "info.ini",
        infoIni({u"极光：夜空里的绿色与紫色光幕。", u"Lumaset", u"", u"", u"", u"no"}));
  writeImages(library / fs::path(u8"墨竹"), Artwork::InkBamboo, true);
  write(library / fs::path(u8"墨竹") / "info.ini",
        infoIni({u"墨竹：宣纸上的几竿竹子和一方印章。", u"Lumaset", u"", u"", u"", u"no"}));
  write(library / fs::path(u8"墨竹") / "word.text", startupText(u"研墨中..."));
  writeImages(library / "Sunset", Artwork::Sunset, false);
  write(library / "Sunset" / "info.ini",
        infoIni({u"Sunset over the water: a splash image only.", u"Lumaset", u"", u"", u"", u""}));
  std::printf("themes written into %s\n", assets.string().c_str());
  return 0;
}
