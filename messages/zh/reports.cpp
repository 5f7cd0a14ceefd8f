// The Chinese message of every report (messages/texts.h): the program's texts as its users
// have always read them.
#include "messages/report_groups.h"
#include "run/host_discovery.h"

namespace lumaset::zh {
namespace {

constexpr const char* kError = "错误";
constexpr const char* kApply = "应用";
constexpr const char* kNoLanguageFile = "这个 Photoshop 没有中文语言文件，启动文字不会修改";

Message error(std::string text) { return {std::move(text), kError, MessageIcon::Error}; }
// Boxes captioned "错误" that carry no icon, as the host's users have always seen them.
Message plainError(std::string text) { return {std::move(text), kError, MessageIcon::None}; }
Message info(std::string text, const char* caption = kDefaultCaption) { return {std::move(text), caption}; }

std::string hostFolders(const std::string& host) { return host + "Locales\r\n" + host + "Resources"; }

// The program's own files: setting.ini, where it is kept, the guide beside the program.
Message programFileMessage(const Report& r) {
  switch (r.id) {
    case MessageId::SettingsNotSaved:
      return error(
          "无法保存设置：" + r.path +
          "\r\nLumaset 所在的文件夹不能写入（例如放在了 C:\\Program Files 下），或者设置文件正被别的程序占用。"
          "这次运行仍会使用选择的 Photoshop，但下次启动时还要重新选择。"
          "\r\n请把 Lumaset 整个文件夹移到一个可以写入的位置（例如 D:\\工具\\Lumaset 或“文档”文件夹）后再运行。");
    case MessageId::DataKeptApart:
      return info("Lumaset 所在的文件夹不能写入（例如放在了 C:\\Program Files 下），设置和添加的主题保存在：\r\n" +
                  r.path + "\r\n随程序附带的主题仍然可以使用。");
    case MessageId::GuideNotOpened:
      return info("无法打开使用说明，请用记事本或别的文本编辑器打开它：\r\n" + r.path);
    case MessageId::GuideMissing:
      return info("找不到使用说明：" + r.path +
                  "\r\n它应当和 lumaset.exe 在同一个文件夹里（发布的压缩包里它们在一起），请重新解压 Lumaset。");
    default:  // another group's id, which messageFor never sends here
      return {};
  }
}

Message locationMessage(const Report& r) {
  switch (r.id) {
    case MessageId::VersionSupported:
      return info("选择的 Photoshop 版本为：" + r.detail +
                      "\r\n本程序在 Photoshop CC2015.1.2（16.1.2）下测试通过，理论上适用于 CC2015 "
                      "（16.x.x）及以后的所有版本；启动文字只能在 CC2017 （18.0）以前的版本上修改。"
                      "\r\n可以对你的 Photoshop 使用，但也请做好备份以免意外。"
                      "\r\n修改启动图将修改以下文件夹内的内容：\r\n" +
                      hostFolders(r.path),
                  "可以使用");
    case MessageId::VersionUnsupported:
      return info("选择的 Photoshop 版本为：" + r.detail +
                      "\r\n本程序适用于 Photoshop CC2015（16.x.x）及以后的版本，未对其他版本作测试，"
                      "不适用于你的 Photoshop 版本。",
                  "不适用的版本");
    case MessageId::IndexFileMissing:
      return info("Photoshop IconResources.idx 不存在：" + r.path + "\r\n", "无效路径");
    case MessageId::LanguageFileMissing:
      return info("语言文件不存在：" + r.path +
                      "\r\n你可以在 Photoshop 安装目录下 Locales 文件夹中手动找 .dat 后缀名的语言文件",
                  "无效路径");
    case MessageId::LanguageFileOutsideHost:
      return info("语言文件必须在这个 Photoshop 安装目录的 Locales 文件夹里，未作任何修改：" + r.path, "无效路径");
    case MessageId::NoLanguageFile:
      return info(kNoLanguageFile);
    case MessageId::HostPathWrong:
      // No folder at all: the location was cancelled, and the message says what it lacks.
      return plainError("Photoshop 路径有误：" +
                        (r.path.empty()
                             ? std::string("还没有选定可以修改的 Photoshop，未作任何修改。\r\n请点“Ps 路径”旁"
                                           "的文件夹按钮，选择 Photoshop 安装目录里的 Photoshop.exe。")
                             : r.path));
    case MessageId::HostFolderNameTrimmed:
      return info(
          "Photoshop 所在路径中有文件夹的名字以点或空格结尾，Windows 会去掉这些点和空格，把它当成另一个文件夹：" +
              r.path + "\r\n请给这个文件夹改名（去掉名字结尾的点或空格）后再选择 Photoshop.exe。",
          "无效路径");
    case MessageId::RegistryFileTooLarge:
      return info("wine 的注册表文件超过 " + std::to_string(kMaxRegistryFileBytes >> 20) +
                      " MiB，没有读取，其中登记的 Photoshop 位置都未查看：" + r.path,
                  "找到 Photoshop");
    case MessageId::RegistryPlacesCut:
      return info("注册表中登记的 Photoshop 位置太多，只查看了前 " + std::to_string(kMaxRegistryPlaces) + " 个，另有 " +
                      r.detail + " 个未查看。",
                  "找到 Photoshop");
    case MessageId::IndexEmpty:
      return plainError("读取到的索引长度为 0 ，很可能是没有权限造成的，请用管理员权限运行 Lumaset");
    case MessageId::IndexFourPackLength:
      return info("索引长度错误_nc368");
    case MessageId::HostIndexDamagedAdvice:
      return info("Photoshop 的图标索引文件已损坏：" + r.path + "\r\n应用“[默认]”可以用备份把它恢复。");
    case MessageId::IndexTwoPackLength:
      return info("索引长度错误_nc208:" + r.detail);
    default:  // another group's id, which messageFor never sends here
      return {};
  }
}

Message editMessage(const Report& r) {
  switch (r.id) {
    case MessageId::EditLocked:
      return error("另一个 Lumaset 正在修改这个 Photoshop 的文件，请稍后再试");
    case MessageId::NoLock:
      return error("无法创建锁文件，为免与另一个 Lumaset 同时修改，未作任何修改：" + r.path +
                   "\r\n请检查其所在文件夹的写入权限；该位置若已有文件夹或链接，请将其移走。");
    case MessageId::HostRunning:
      return error("Photoshop 正在运行，请先关闭 Photoshop 再修改");
    case MessageId::HardLinked:
      return error("这个文件还有别的名字（硬链接），修改它会同时改动别处的文件，未作任何修改：" + r.path);
    case MessageId::WriteFailed:
      return error("写入文件失败：" + r.path);
    case MessageId::ResetFailed:
      return error("重置文件错误：" + r.path);
    case MessageId::BackupIndexDamaged:
      return error("备份的索引文件无法读取或已损坏，未作任何修改：" + r.path);
    default:  // another group's id, which messageFor never sends here
      return {};
  }
}

Message backupMessage(const Report& r) {
  switch (r.id) {
    case MessageId::DamagedHostIndex:
      return error("Photoshop 自己的图标索引文件已损坏（无法读取，或指向图片包里没有的数据），未作任何修改：" + r.path +
                   "\r\n请修复或重新安装 Photoshop。");
    case MessageId::BackupCopyFailed:
      return error("创建备份文件失败：" + r.path);
    case MessageId::LanguageBackupFolderCopyFailed:
      return error("_创建备份_创建语言路径_失败：" + r.path);
    case MessageId::LanguageBackupCopyFailed:
      return error("_创建备份_创建语言文件备份失败：" + r.path + "\r\n > \r\n" + r.detail);
    case MessageId::NoFolderRights02:
      return plainError("没有目录权限02");
    case MessageId::NoFolderRights01:
      return plainError("没有目录权限01");
    case MessageId::BackupUpToDate:
      return info("备份已是最新", "备份");
    case MessageId::BackupMade:
      return info("备份完成，已备份 Photoshop 的这些文件：\r\n" + r.detail, "备份");
    case MessageId::BackupRenewed:
      return info("备份完成，已用 Photoshop 现在的文件更新了这些文件的备份：\r\n" + r.detail, "备份");
    case MessageId::RefreshCopyFailed:
      return error("_更新备份_创建备份文件失败：" + r.path);
    case MessageId::UnmendableCopy:
      return error("备份文件已丢失或损坏，也无法从另一份备份或 Photoshop 的文件重建，未作任何修改：" + r.path +
                   "\r\n请修复或重新安装 Photoshop，再点“备份”。");
    case MessageId::ChangedByOthers:
      return error(
          "Photoshop 的文件在备份之后被改动过（可能是 Photoshop 更新了）。为免损坏，本次未作任何修改。"
          "请先点“备份”更新备份，再应用主题。");
    case MessageId::DamagedHostFile:
      return error("Photoshop 的这个文件已损坏，不能作为原版备份，未作任何修改：" + r.path +
                   "\r\n请先应用“[默认]”把原版放回，或修复、重新安装 Photoshop。");
    case MessageId::ThemedNotUpdate:
      return error("Photoshop 的这个文件是备份加上 Lumaset 放入的主题，不是 Photoshop 的更新，未作任何修改：" + r.path +
                   "\r\n请先应用“[默认]”。");
    case MessageId::ForeignBackup:
      return error("这份备份属于另一个 Photoshop（" + r.detail + "），不能用于这里，未作任何修改：" + r.path +
                   "\r\n请把它移走，再点“备份”。");
    case MessageId::DefaultLeft:
      return error("没能恢复 Photoshop 原来的文件，这个文件仍不是原版：" + r.path);
    case MessageId::LanguageFileGone:
      return info("Photoshop 的中文语言文件已不在（可能是更新删除了它），不再修改启动文字；它的备份仍保留着：" +
                  r.path);
    case MessageId::NoBackup:
      return info(
          "没有创建备份，所以无法为你进行下一步操作\r\n如果你 PS 安装在 C 盘，这可能是 Lumaset 没有目录修改权限造成，"
          "请用管理员模式运行 Lumaset 或者修改下面目录的读写权限：\r\n" +
          hostFolders(r.path));
    default:  // another group's id, which messageFor never sends here
      return {};
  }
}

Message applyMessage(const Report& r) {
  switch (r.id) {
    case MessageId::BadLanguageBackup:
      return plainError("你的备份文件不正确，这导致你无法恢复默认的启动文字");
    case MessageId::StartupTextUnsupported:
      return info("Photoshop CC 2017（18.0）及以后的版本不支持修改启动文字", "版本限制");
    case MessageId::LanguageChangedSinceBackup:
      return error("Photoshop 的语言文件在备份之后被改动过，未作修改，请先点“备份”：" + r.path);
    case MessageId::NoReplaceableImages:
      return error("这个 Photoshop 的图标索引里没有可以替换的图片，未作任何修改：" + r.path);
    case MessageId::NoSuchTheme:
      return error("主题库里没有这个主题，未作任何修改：" + r.detail);
    case MessageId::NoSuchResource:
      return error("索引中没有这个图片资源，未作修改：" + r.path);
    case MessageId::NotAPng:
      return error("不是有效的 PNG 图片文件，未作修改：" + r.path);
    case MessageId::PackTooLarge:
      return error("图片包将超过 2 GB，无法再添加图片：" + r.path);
    case MessageId::ThemeTextInvalid:
      return error("启动文字文件不是有效的文本文件，未作修改：" + r.path);
    case MessageId::SingleIconTakesDark:
      return info("这个 Photoshop 只有一个应用栏图标 " + r.detail + "，已换成主题的暗色图标", kApply);
    case MessageId::ImagesSkipped:
      return info("这个 Photoshop 没有以下图片，已跳过：" + r.detail, kApply);
    case MessageId::IconsSkipped:
      return info("这个 Photoshop 没有以下图标，已跳过：" + r.detail, kApply);
    case MessageId::StartupTextSkipped:
      return info(kNoLanguageFile, kApply);
    case MessageId::NoCustomImages:
      return info("没有选择任何图片，未作任何修改：请至少选择一张 PNG 图片，再点“应用”。", kApply);
    case MessageId::CustomImageMissing:
      return error("图片文件不存在，未作任何修改：" + r.path);
    case MessageId::Applied:
      return info("修改完成", kApply);
    case MessageId::UpdateUndidLook:
      return info((r.detail.empty() ? "Photoshop 已更新，自定义的图片已被还原"
                                    : "Photoshop 已更新，主题「" + r.detail + "」已被还原") +
                      "\r\n要更新备份，并重新应用" + (r.detail.empty() ? "这些图片" : "这个主题") + "吗？",
                  "Photoshop 已更新");
    case MessageId::Reapplied:
      return info(
          "已更新备份，并重新应用了" + (r.detail.empty() ? std::string("自定义的图片") : "主题「" + r.detail + "」"),
          kApply);
    case MessageId::NothingToReapply:
      return info("没有需要重新应用的主题：Photoshop 的文件仍是上次应用后的样子，或者没有上次应用的记录。", kApply);
    default:  // another group's id, which messageFor never sends here
      return {};
  }
}

constexpr const char* kRights = "需要管理员权限";
constexpr const char* kProtectedHost =
    "Photoshop 装在 C:\\Program Files 这样受保护的文件夹里时，只有管理员才能修改它的文件。";

Message rightsMessage(const Report& r) {
  switch (r.id) {
    case MessageId::NeedsAdministrator:
      return {"Lumaset 没有修改这个文件夹的权限，未作任何修改：\r\n" + r.path + "\r\n" + kProtectedHost +
                  "\r\n请在以管理员身份打开的命令提示符中再运行这个命令（窗口会在需要时自己请求管理员权限）。",
              kRights, MessageIcon::Error};
    case MessageId::OfferAdministrator:
      return {"Lumaset 没有修改这个文件夹的权限：\r\n" + r.path + "\r\n" + kProtectedHost +
                  "\r\n\r\n要以管理员身份继续吗？Windows 会请你确认，只有这一次修改以管理员身份进行。",
              kRights};
    case MessageId::NothingChangedWithoutRights:
      return info(
          "未作任何修改。\r\n要修改这个 Photoshop，请在询问时选“是”，并在 Windows 的确认窗口中同意；"
          "也可以右键点 lumaset.exe，选“以管理员身份运行”。",
          kRights);
    case MessageId::WorkerNotStarted:
      return error("无法以管理员身份运行（错误代码：" + r.detail + "），未作任何修改：" + r.path +
                   "\r\n请确认 lumaset-cli.exe 和 lumaset.exe 在同一个文件夹里（发布的压缩包里它们在一起）。");
    case MessageId::WorkerGaveNoResult:
      return error("以管理员身份运行的 Lumaset 没有报告结果（退出代码：" + r.detail +
                   "）。\r\n请再试一次；如果仍然这样，请右键点 lumaset.exe，选“以管理员身份运行”后再操作。");
    case MessageId::NoRightsEvenAsAdministrator:
      return error("以管理员身份也无法修改这个文件夹，未作任何修改：\r\n" + r.path +
                   "\r\n请检查它是否只读、是否在只读的磁盘上，或者是否被安全软件保护。");
    default:  // another group's id, which messageFor never sends here
      return {};
  }
}

}  // namespace

Message messageFor(const Report& r) {
  return messageByGroup(r, {programFileMessage, locationMessage, editMessage, backupMessage, applyMessage,
                            rightsMessage});
}

}  // namespace lumaset::zh
