// The main window's rules that need no Win32: which operation each control runs, the
// theme box and its wrap-around stepping, the two page buttons, and the startup-text
// toggle with its overlay.
#pragma once
#include <string>
#include <vector>

#include "messages/catalogue.h"
#include "messages/dialog_questions.h"
#include "messages/language.h"
#include "themes/host_operation.h"
#include "run/data_folder.h"
#include "run/run_state.h"
#include "ui/main_view.h"

namespace lumaset::ui {

class Presenter : private HostView {
 public:
  // `places` tells the host dialog where to look for an installed host.
  Presenter(Files& files, Interaction& ui, HostPlaces& places, MainView& view, std::string programFolder);

  RunState& state() { return state_; }

  // The main window's creation: settings and the startup check, then (after the window
  // has opened its companions) the theme list and the first preview.
  void runStartup();
  void showFirstEntry();
  // Once the window shows: the shield, whose access checks of the host's folders no first
  // frame waits for.
  void firstFrameDrawn();
  // The program came back to the front: an update of the host may have happened since.
  void cameToFront() { offerReapply(); }
  // Fills the theme list anew and shows the entry `selecting` (the first entry when the
  // list lacks it): the box, the description and the preview always show one entry.
  void fillThemeList(const std::string& selecting = {});

  void themePageClicked();   // 图形按钮5, after its pressed state flipped
  void customPageClicked();  // 图形按钮6, likewise
  // A press on the page's empty space closes the theme box. It does not preview the entry
  // again: that would take back the user's startup-text tick, which the next apply uses.
  void pageControlClicked() { closeThemeBox(); }

  void openThemeBox();
  void themeBoxUpdate();
  void closeThemeBox();
  void nextTheme();
  void previousTheme();

  void toggleClicked();       // 图形按钮20, after its pressed state flipped
  void toggleLabelPressed();  // 透明标签1

  // 图形按钮2: the installed hosts offered beside "browse"; a host chosen is located, as
  // is the Photoshop.exe picked in the dialog "browse" opens.
  void locateClicked();
  void backupPressed();             // 超级链接框6
  void applyThemeClicked();         // 图形按钮8
  void applyCustomClicked();        // 图形按钮15
  void pickImageClicked(int slot);  // the six browse buttons
  void addThemePackage();           // theme menu "添加主题"
  void openThemeLibrary();          // theme menu "打开主题目录"
  void openMoreThemes();            // theme menu "获取更多主题..."
  void openTemplateFolder();        // 超级链接框7
  void openGuide();                 // 超级链接框3 and 超级链接框4
  void filesDropped(const std::vector<std::string>& paths);

  // Sets the process's language before the window shows any text: `commandLine`'s, else
  // setting.ini's key "language" (zh or en), else that of the system locale named.
  void chooseLanguage(std::optional<Language> commandLine, std::string_view systemLocale);

  // The window's own values in setting.ini (where it stood), apart from the host's.
  std::string windowSetting(const std::string& key) const;
  void keepWindowSetting(const std::string& key, const std::string& value);

 private:
  void previewSelected();
  // Shows the look of the page just shown (0 the theme page, 1 the custom page).
  void pageShown(int page);
  // Shows a look in the window and takes its startup-text toggle as the run's.
  void showLook(const Look& look);
  // Shows what an operation had to tell.
  void report(const Outcome& outcome);
  // Locates the host when the operation needs one, runs the operation and shows its
  // outcome; when this process lacks the rights, the elevated worker runs it once the
  // user agrees.
  void changeHost(const HostOperation& op);
  // The folder button's menu of installed hosts: whether a location goes on (a host
  // chosen, or "browse"), with the chosen host as the dialog's answer.
  bool hostChosenFromMenu();
  // Says in the window which look the host carries now.
  void showHostCarries();
  // The shield on the buttons whose actions need administrator rights, where they do.
  void showShield();
  // Says that an update of the host took the applied look off and offers to apply it
  // again; asked once a run for a host and look the user declined.
  void offerReapply();
  // Reads the selected entry again after the host or its backup changed; the toggle stays
  // as the user left it.
  void refreshShownEntry();

  // HostView: what the core's operations show while they run.
  void setPathBox(const std::string& text) override { view_.setPathBox(text); }
  void hostLocated() override;

  Files& files_;
  Interaction& ui_;
  HostFinder findHosts_;
  DialogQuestions questions_;
  MainView& view_;
  RunState state_;
  DataFolder data_;
  Context ctx_;
  bool offering_ = false;        // the offer's question is open
  std::string declinedReapply_;  // the host and look whose offer the user declined
};

}  // namespace lumaset::ui
