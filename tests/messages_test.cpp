// The catalogue of the system's messages and the outcomes that carry them.
#include <gtest/gtest.h>

#include <set>

#include "messages/catalogue.h"
#include "run/outcome.h"

namespace lumaset {
namespace {

TEST(Catalogue, EveryReportHasAMessageWithACaption) {
  std::set<std::string> texts;
  for (int id = 0; id <= static_cast<int>(MessageId::Applied); ++id) {
    SCOPED_TRACE(id);
    const Message m = messageFor({static_cast<MessageId>(id), "/p", "d"});
    EXPECT_FALSE(m.text.empty());
    EXPECT_FALSE(m.caption.empty());
    texts.insert(m.text);
  }
  // Only the note of a host without a language file stands under two captions (a
  // location's and an apply's): every other report has words of its own.
  const std::size_t reports = static_cast<std::size_t>(MessageId::Applied) + 1;
  EXPECT_EQ(texts.size(), reports - 1);
}

TEST(Catalogue, MessagesNameTheirPathsAndDetailsWhereTheTextSaysSo) {
  EXPECT_EQ(messageFor({MessageId::LanguageBackupCopyFailed, "/h/tw.dat", "/h/Locales_BAK/lumaset_BAK/tw.dat"}),
            (Message{"_创建备份_创建语言文件备份失败：/h/tw.dat\r\n > \r\n/h/Locales_BAK/lumaset_BAK/tw.dat", "错误",
                     MessageIcon::Error}));
  EXPECT_EQ(
      messageFor({MessageId::NoBackup, "/PS/"}),
      (Message{"没有创建备份，所以无法为你进行下一步操作\r\n如果你 PS 安装在 C 盘，这可能是 Lumaset 没有目录修改权限"
               "造成，请用管理员模式运行 Lumaset 或者修改下面目录的读写权限：\r\n/PS/Locales\r\n/PS/Resources",
               "信息：", MessageIcon::None}));
  EXPECT_EQ(messageFor({MessageId::IndexTwoPackLength, {}, "1000"}),
            (Message{"索引长度错误_nc208:1000", "信息：", MessageIcon::None}));
  EXPECT_EQ(messageFor({MessageId::NoFolderRights02}), (Message{"没有目录权限02", "错误", MessageIcon::None}));
  EXPECT_EQ(messageFor({MessageId::HostPathWrong, "D:\\PS\\"}).text, "Photoshop 路径有误：D:\\PS\\");
  // A cancelled location has no folder to name: the message says what is missing instead.
  EXPECT_NE(messageFor({MessageId::HostPathWrong}).text.find("还没有选定可以修改的 Photoshop"), std::string::npos);
}

TEST(Catalogue, LinesOfOneMessageJoinUnderTheFirstCaption) {
  Outcome out;
  out.noteLine(MessageId::StartupTextSkipped);
  out.noteLine(MessageId::IconsSkipped, {}, "PS_OWL_appbar_light_win");
  out.note(MessageId::Applied);
  const std::vector<Message> shown = messagesOf(out.reports);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0],
            (Message{"这个 Photoshop 没有中文语言文件，启动文字不会修改\r\n这个 Photoshop 没有以下图标，已跳过："
                     "PS_OWL_appbar_light_win",
                     "应用", MessageIcon::None}));
  EXPECT_EQ(shown[1], (Message{"修改完成", "应用", MessageIcon::None}));
}

TEST(OutcomeStatus, AFailureOutweighsARefusalAndACancelNeverHidesEither) {
  Outcome out;
  out.note(MessageId::BackupUpToDate);
  EXPECT_TRUE(out.done());
  out.cancel();
  EXPECT_EQ(out.status, Status::Cancelled);
  out.refuse(MessageId::HostRunning);
  EXPECT_EQ(out.status, Status::Refused);
  out.fail(MessageId::WriteFailed, "/x");
  out.refuse(MessageId::EditLocked);
  out.cancel();
  EXPECT_EQ(out.status, Status::Failed);

  Outcome first;
  Outcome refused;
  refused.refuse(MessageId::NoLock, "/lock");
  first.add(refused);
  EXPECT_EQ(first.status, Status::Refused);
  ASSERT_EQ(first.reports.size(), 1u);
  EXPECT_EQ(first.reports[0].path, "/lock");
  Outcome failed;
  failed.fail(MessageId::ResetFailed, "/y");
  first.add(failed);
  EXPECT_EQ(first.status, Status::Failed);
  first.add(Outcome{});
  EXPECT_EQ(first.status, Status::Failed);
}

}  // namespace
}  // namespace lumaset
