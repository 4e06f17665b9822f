// Open with Program: the list of the Start Menu's programs, starting the chosen one with the
// item's path, quoted or not, and the association with the item's file type.
#include <utility>

#include "command_fixture.h"
#include "resources/resource_ids.h"

namespace foldwise_test {
namespace {

const char* const kOpenWithProgram = "4";
const std::u16string kStartMenu = u"\\Windows\\Start Menu";
const std::u16string kPrograms = u"\\Windows\\Start Menu\\Programs";
const std::u16string kNotes = u"\\My Documents\\notes.abc";

// A row of the list: its text and the program path kept in its hidden column.
using Row = std::pair<std::u16string, std::u16string>;

std::u16string ItemText(HWND list, int row, int column) {
  WCHAR text[512] = {};
  LVITEMW item = {};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = 512;
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return text;
}

std::vector<Row> Rows(HWND list) {
  std::vector<Row> rows;
  int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < count; ++row) rows.emplace_back(ItemText(list, row, 0), ItemText(list, row, 1));
  return rows;
}

class ProgramDialogTest : public CommandTest {
 protected:
  void SetUp() override {
    CommandTest::SetUp();
    device.image.AddFile(u"\\Windows\\calc.exe", "MZ")
        .AddFile(u"\\Program Files\\Tool Box\\box.exe", "MZ")
        .AddFile(kNotes, "text")
        .AddFile(u"\\My Documents\\README", "text")
        .AddFile(u"\\My Documents\\v1.0\\README", "text")
        .AddFile(u"\\My Documents\\Calculator.lnk", ShortcutFile("\\Windows\\calc.exe"))
        .AddFile(kPrograms + u"\\Calculator.lnk", ShortcutFile("\"\\Windows\\calc.exe\""));
  }

  // Runs the command for the item; in the dialog the steps act as the user, the first after the
  // dialog's reading has been kept.
  HRESULT RunInDialog(const std::u16string& item, std::vector<std::function<void(HWND dialog, HWND list)>> steps) {
    if (!Select(item)) return E_UNEXPECTED;
    std::vector<std::function<void()>> actions;
    for (auto& step : steps) {
      actions.push_back([this, step] {
        HWND dialog = OwnedDialog();
        ASSERT_NE(dialog, nullptr);
        HWND list = GetDlgItem(dialog, IDC_PROGRAM_LIST);
        if (rows.empty()) {
          rows = Rows(list);
          caption = cesim::Describe(dialog).text;
          quoteChecked = IsDlgButtonChecked(dialog, IDC_PROGRAM_QUOTE) == BST_CHECKED;
          associateEnabled = IsWindowEnabled(GetDlgItem(dialog, IDC_PROGRAM_ASSOCIATE)) != FALSE;
          listStyle = static_cast<DWORD>(GetWindowLongW(list, GWL_STYLE));
        }
        step(dialog, list);
      });
    }
    InDialog(std::move(actions));
    HRESULT hr = Invoke(kOpenWithProgram);
    EXPECT_EQ(OwnedDialog(), nullptr);
    return hr;
  }

  // Looks at the dialog, then the user taps the row whose text is given.
  HRESULT TapRow(const std::u16string& item, const std::u16string& text,
                 std::function<void(HWND dialog)> before = nullptr) {
    std::vector<std::function<void(HWND, HWND)>> steps;
    if (before) steps.push_back([before](HWND dialog, HWND) { before(dialog); });
    steps.push_back([this, text](HWND, HWND list) {
      LVFINDINFOW find = {};
      find.flags = LVFI_STRING;
      find.psz = text.c_str();
      int row = static_cast<int>(SendMessageW(list, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
      ASSERT_GE(row, 0) << cesim::Narrow(text);
      SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
      // The start of the label: a long text runs beyond the list's right edge.
      RECT label = {};
      label.left = LVIR_LABEL;
      ASSERT_TRUE(SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&label)));
      cesim::TapClient(list, POINT{label.left + 4, (label.top + label.bottom) / 2});
    });
    return RunInDialog(item, steps);
  }

  // A tap on a check box of the dialog.
  static void TapBox(HWND dialog, int box) {
    RECT rect;
    GetClientRect(GetDlgItem(dialog, box), &rect);
    cesim::TapClient(GetDlgItem(dialog, box), POINT{5, rect.bottom / 2});
  }

  std::vector<Row> rows;
  std::u16string caption;
  bool quoteChecked = false;
  bool associateEnabled = false;
  DWORD listStyle = 0;
};

// --- The list ---

TEST_F(ProgramDialogTest, AShortcutIsListedByItsNameWithTheProgramsFileName) {
  EXPECT_EQ(TapRow(kNotes, u"Calculator (calc.exe)"), S_OK);
  EXPECT_EQ(rows, (std::vector<Row>{{u"Calculator (calc.exe)", u"\\Windows\\calc.exe"}}));
  EXPECT_EQ(caption, u"notes.abc");
}

TEST_F(ProgramDialogTest, EveryFolderOfTheStartMenuIsScannedAndTheListIsSorted) {
  device.image.AddFile(kStartMenu + u"\\Welcome.lnk", ShortcutFile(":MSWELCOME"))
      .AddFile(kPrograms + u"\\Tools\\Box.lnk", ShortcutFile("\"\\Program Files\\Tool Box\\box.exe\""))
      .AddFile(kPrograms + u"\\Games\\Deep\\solitaire.exe", "MZ")
      .AddFile(kPrograms + u"\\Games\\Alarm.lnk", ShortcutFile("\\Windows\\alarm.exe -wake\r\nsecond line"));
  EXPECT_EQ(TapRow(kNotes, u"Calculator (calc.exe)"), S_OK);
  EXPECT_EQ(rows, (std::vector<Row>{{u"Alarm (alarm.exe)", u"\\Windows\\alarm.exe"},
                                    {u"Box (box.exe)", u"\\Program Files\\Tool Box\\box.exe"},
                                    {u"Calculator (calc.exe)", u"\\Windows\\calc.exe"},
                                    {u"solitaire.exe (solitaire.exe)", kPrograms + u"\\Games\\Deep\\solitaire.exe"},
                                    {u"Welcome (:MSWELCOME)", u":MSWELCOME"}}));
}

TEST_F(ProgramDialogTest, IconShortcutsOtherFilesAndShortcutsToNoProgramAreLeftOut) {
  device.image.AddFile(kPrograms + u"\\icon.lnk", ShortcutFile("\\Windows\\calc.exe"))
      .AddFile(kPrograms + u"\\Tools\\ICON.LNK", ShortcutFile("\\Windows\\calc.exe"))
      .AddFile(kPrograms + u"\\readme.txt", "text")
      .AddFile(kPrograms + u"\\Notes.lnk", ShortcutFile("\\My Documents\\notes.abc"))
      .AddFile(kPrograms + u"\\Broken.lnk", "no number here")
      .AddFile(kPrograms + u"\\Empty.lnk", "12#");
  EXPECT_EQ(TapRow(kNotes, u"Calculator (calc.exe)"), S_OK);
  EXPECT_EQ(rows, (std::vector<Row>{{u"Calculator (calc.exe)", u"\\Windows\\calc.exe"}}));
}

TEST_F(ProgramDialogTest, ACommandKeepsOnlyTheTextBeforeAQuestionMark) {
  device.image.AddFile(u"\\Windows\\pword.exe", "MZ");
  device.image.AddFile(kPrograms + u"\\Word.lnk", ShortcutFile("\\Windows\\pword.exe?\\Windows\\pword.exe,-1"));
  EXPECT_EQ(TapRow(kNotes, u"Word (pword.exe)"), S_OK);
  EXPECT_EQ(rows.size(), 2u);
  auto log = cesim::LaunchLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].file, u"\\Windows\\pword.exe");
}

TEST_F(ProgramDialogTest, TheListShowsTheSystemsSmallIconsInAHiddenSecondColumn) {
  std::vector<std::function<void(HWND, HWND)>> steps;
  HIMAGELIST listIcons = nullptr;
  int icon = -1;
  int widths[2] = {-1, -1};
  steps.push_back([&](HWND dialog, HWND list) {
    listIcons = reinterpret_cast<HIMAGELIST>(SendMessageW(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    icon = item.iImage;
    widths[0] = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0));
    widths[1] = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 1, 0));
    cesim::PressKey(VK_ESCAPE);
    (void)dialog;
  });
  EXPECT_EQ(RunInDialog(kNotes, steps), S_OK);
  SHFILEINFO info = {};
  auto system = reinterpret_cast<HIMAGELIST>(
      SHGetFileInfo(u"", 0, &info, sizeof(SHFILEINFO), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  EXPECT_EQ(listIcons, system);
  SHGetFileInfo((kPrograms + u"\\Calculator.lnk").c_str(), 0, &info, sizeof(SHFILEINFO),
                SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
  EXPECT_EQ(icon, info.iIcon);
  EXPECT_GT(widths[0], 0);
  EXPECT_EQ(widths[1], 0);
  EXPECT_NE(listStyle & LVS_SHAREIMAGELISTS, 0u);
  // The shared list outlives the dialog's list view.
  EXPECT_TRUE(cesim::ImageListPictures(system).has_value());
  EXPECT_TRUE(cesim::LaunchLog().empty());
}

TEST_F(ProgramDialogTest, WithoutAProgramsFolderTheListIsEmptyAndOpenStartsNothing) {
  device.image.SetShellFolder("CSIDL_PROGRAMS", u"\\Nowhere\\Programs");
  EXPECT_EQ(RunInDialog(kNotes, {[](HWND dialog, HWND) { cesim::TapClient(GetDlgItem(dialog, IDOK), POINT{4, 4}); }}),
            S_OK);
  EXPECT_TRUE(rows.empty());
  EXPECT_TRUE(cesim::LaunchLog().empty());
  EXPECT_FALSE(cesim::RegistryKeyExists("HKEY_CLASSES_ROOT\\.abc"));
}

TEST_F(ProgramDialogTest, OpenWithoutASelectionStartsNothing) {
  EXPECT_EQ(RunInDialog(kNotes, {[](HWND dialog, HWND) { cesim::TapClient(GetDlgItem(dialog, IDOK), POINT{4, 4}); }}),
            S_OK);
  EXPECT_EQ(rows.size(), 1u);
  EXPECT_TRUE(cesim::LaunchLog().empty());
}

TEST_F(ProgramDialogTest, CancelStartsNothing) {
  EXPECT_EQ(RunInDialog(kNotes, {[](HWND, HWND) { cesim::PressKey(VK_ESCAPE); }}), S_OK);
  EXPECT_TRUE(cesim::LaunchLog().empty());
}

TEST_F(ProgramDialogTest, TheGestureQuestionIsAnsweredWithOne) {
  LRESULT answer = 0;
  EXPECT_EQ(RunInDialog(kNotes, {[&answer](HWND dialog, HWND list) {
                          NMHDR header = {};
                          header.hwndFrom = list;
                          header.idFrom = IDC_PROGRAM_LIST;
                          header.code = static_cast<UINT>(NM_RECOGNIZEGESTURE);
                          answer = SendMessageW(dialog, WM_NOTIFY, IDC_PROGRAM_LIST, reinterpret_cast<LPARAM>(&header));
                          cesim::PressKey(VK_ESCAPE);
                        }}),
            S_OK);
  EXPECT_EQ(answer, 1);
  EXPECT_TRUE(cesim::LaunchLog().empty());
}

// --- Paths and names longer than the buffers ---

TEST_F(ProgramDialogTest, FoldersNestedDeeperThanAPathCanHoldArePassedOver) {
  std::u16string deep = PathOfLength(kPrograms, 255);
  device.image.AddFolder(deep).AddFile(deep.substr(0, deep.rfind(u'\\')) + u"\\Fits.lnk", ShortcutFile("\\Windows\\fits.exe"));
  // "\\x.lnk" below the deepest folder makes a path of 261 characters.
  device.image.AddFile(deep + u"\\x.lnk", ShortcutFile("\\Windows\\toolong.exe"));
  EXPECT_EQ(TapRow(kNotes, u"Calculator (calc.exe)"), S_OK);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1].first, u"Fits (fits.exe)");
}

TEST_F(ProgramDialogTest, ACommandLongerThanAPathIsLeftOutAndOneOf259CharactersIsKept) {
  std::string longest = "\\" + std::string(254, 'p') + ".exe";  // 259 characters
  device.image.AddFile(kPrograms + u"\\Long.lnk", ShortcutFile(longest + "\n"))
      .AddFile(kPrograms + u"\\Longer.lnk", ShortcutFile("\\" + std::string(255, 'p') + ".exe"))
      .AddFile(kPrograms + u"\\Cut.lnk", ShortcutFile("\\" + std::string(256, 'c') + ".exe"));
  EXPECT_EQ(TapRow(kNotes, u"Calculator (calc.exe)"), S_OK);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1].second, cesim::Widen(longest));
}

TEST_F(ProgramDialogTest, ALongDisplayNameLosesItsEndButNotTheProgramsName) {
  std::u16string name(220, u'n');
  device.image.AddFile(kPrograms + u"\\" + name + u".lnk", ShortcutFile("\\Windows\\" + std::string(60, 'w') + ".exe"));
  EXPECT_EQ(TapRow(kNotes, u"Calculator (calc.exe)"), S_OK);
  ASSERT_EQ(rows.size(), 2u);
  std::u16string program = std::u16string(60, u'w') + u".exe";
  const std::u16string& text = rows[1].first;
  EXPECT_EQ(text.size(), 259u);
  EXPECT_EQ(text.substr(text.size() - program.size() - 3), u" (" + program + u")");
  EXPECT_EQ(rows[1].second, u"\\Windows\\" + program);
}

// --- Starting the program ---

TEST_F(ProgramDialogTest, ATapStartsTheProgramWithTheQuotedPath) {
  EXPECT_EQ(TapRow(kNotes, u"Calculator (calc.exe)"), S_OK);
  EXPECT_TRUE(quoteChecked);
  auto log = cesim::LaunchLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].call, "ShellExecuteEx");
  EXPECT_EQ(log[0].file, u"\\Windows\\calc.exe");
  EXPECT_EQ(log[0].parameters, u"\"" + kNotes + u"\"");
  // Nothing is associated unless asked.
  EXPECT_FALSE(cesim::RegistryKeyExists("HKEY_CLASSES_ROOT\\.abc"));
}

TEST_F(ProgramDialogTest, WithTheQuoteBoxOffThePathIsPassedAsItIs) {
  EXPECT_EQ(TapRow(kNotes, u"Calculator (calc.exe)", [](HWND dialog) { TapBox(dialog, IDC_PROGRAM_QUOTE); }), S_OK);
  auto log = cesim::LaunchLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].parameters, kNotes);
}

TEST_F(ProgramDialogTest, APathOf259CharactersIsPassedWholeBetweenQuotes) {
  std::u16string path = PathOfLength(u"\\My Documents", 259);
  device.image.AddFile(path, "x");
  EXPECT_EQ(TapRow(path, u"Calculator (calc.exe)"), S_OK);
  auto log = cesim::LaunchLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].parameters, u"\"" + path + u"\"");
}

TEST_F(ProgramDialogTest, AFolderCanBeOpenedWithAProgram) {
  EXPECT_EQ(TapRow(u"\\My Documents", u"Calculator (calc.exe)"), S_OK);
  EXPECT_EQ(caption, u"My Documents");
  auto log = cesim::LaunchLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].parameters, u"\"\\My Documents\"");
}

// --- The associate box ---

TEST_F(ProgramDialogTest, TheAssociateBoxIsOfferedOnlyForFilesWithAnExtension) {
  const std::vector<std::pair<std::u16string, bool>> cases = {
      {kNotes, true},
      {u"\\My Documents", false},
      {u"\\My Documents\\README", false},
      {u"\\Windows\\calc.exe", false},
      {u"\\My Documents\\Calculator.lnk", false},
      // A "." in a folder name counts.
      {u"\\My Documents\\v1.0\\README", true},
  };
  for (const auto& [item, enabled] : cases) {
    rows.clear();
    EXPECT_EQ(RunInDialog(item, {[](HWND, HWND) { cesim::PressKey(VK_ESCAPE); }}), S_OK);
    EXPECT_EQ(associateEnabled, enabled) << cesim::Narrow(item);
    EXPECT_EQ(menu->Release(), 0u);
    menu = nullptr;
    DestroyWindow(owner);
    owner = nullptr;
  }
}

// --- The association ---

const std::string kClasses = "HKEY_CLASSES_ROOT\\";

TEST_F(ProgramDialogTest, ANewExtensionIsAssociatedWithoutAQuestion) {
  EXPECT_EQ(TapRow(kNotes, u"Calculator (calc.exe)", [](HWND dialog) { TapBox(dialog, IDC_PROGRAM_ASSOCIATE); }),
            S_OK);
  EXPECT_TRUE(cesim::MessageBoxesShown().empty());
  EXPECT_EQ(cesim::ReadRegistryString(kClasses + ".abc", u""), u"abc-file");
  EXPECT_EQ(cesim::ReadRegistryString(kClasses + "abc-file\\Shell\\Open\\Command", u""), u"\\Windows\\calc.exe \"%1\"");
  auto log = cesim::LaunchLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].parameters, u"\"" + kNotes + u"\"");
}

TEST_F(ProgramDialogTest, AProgramPathWithASpaceIsQuotedInTheOpenCommand) {
  device.image.AddFile(kPrograms + u"\\Box.lnk", ShortcutFile("\"\\Program Files\\Tool Box\\box.exe\""));
  EXPECT_EQ(TapRow(kNotes, u"Box (box.exe)",
                   [](HWND dialog) {
                     TapBox(dialog, IDC_PROGRAM_ASSOCIATE);
                     TapBox(dialog, IDC_PROGRAM_QUOTE);
                   }),
            S_OK);
  EXPECT_EQ(cesim::ReadRegistryString(kClasses + "abc-file\\Shell\\Open\\Command", u""),
            u"\"\\Program Files\\Tool Box\\box.exe\" %1");
  auto log = cesim::LaunchLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].parameters, kNotes);
}

class ExistingAssociationTest : public ProgramDialogTest {
 protected:
  void SetUp() override {
    ProgramDialogTest::SetUp();
    device.image.AddRegistry(
        "[HKEY_CLASSES_ROOT\\.abc]\n@=\"notesfile\"\n\n"
        "[HKEY_CLASSES_ROOT\\notesfile\\Shell\\Open\\Command]\n@=\"\\\\Windows\\\\pword.exe %1\"\n\n");
  }

  HRESULT AssociateAnswering(int answer) {
    return TapRow(kNotes, u"Calculator (calc.exe)", [answer](HWND dialog) {
      TapBox(dialog, IDC_PROGRAM_ASSOCIATE);
      cesim::AnswerMessageBox(answer);
    });
  }
};

TEST_F(ExistingAssociationTest, TheUserIsAskedAndNoWritesNothingButStartsTheProgram) {
  EXPECT_EQ(AssociateAnswering(IDNO), S_OK);
  auto boxes = cesim::MessageBoxesShown();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u"Overwrite current association?");
  EXPECT_EQ(boxes[0].caption, u"Confirm Overwrite");
  EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  EXPECT_NE(boxes[0].owner, owner);  // the dialog owns it
  EXPECT_EQ(cesim::ReadRegistryString(kClasses + ".abc", u""), u"notesfile");
  EXPECT_FALSE(cesim::RegistryKeyExists(kClasses + "abc-file"));
  ASSERT_EQ(cesim::LaunchLog().size(), 1u);
  EXPECT_EQ(cesim::LaunchLog()[0].file, u"\\Windows\\calc.exe");
}

TEST_F(ExistingAssociationTest, YesPointsTheExtensionAtItsOwnTypeAndLeavesTheOldOne) {
  EXPECT_EQ(AssociateAnswering(IDYES), S_OK);
  EXPECT_EQ(cesim::MessageBoxesShown().size(), 1u);
  EXPECT_EQ(cesim::ReadRegistryString(kClasses + ".abc", u""), u"abc-file");
  EXPECT_EQ(cesim::ReadRegistryString(kClasses + "abc-file\\Shell\\Open\\Command", u""), u"\\Windows\\calc.exe \"%1\"");
  EXPECT_EQ(cesim::ReadRegistryString(kClasses + "notesfile\\Shell\\Open\\Command", u""), u"\\Windows\\pword.exe %1");
  EXPECT_EQ(cesim::LaunchLog().size(), 1u);
}

TEST_F(ProgramDialogTest, AnOpenCommandLongerThanTheBufferStillCountsAsExisting) {
  device.image.AddRegistry("[HKEY_CLASSES_ROOT\\abc-file\\Shell\\Open\\Command]\n@=\"\\\\Windows\\\\" +
                           std::string(300, 'x') + ".exe %1\"\n\n");
  EXPECT_EQ(TapRow(kNotes, u"Calculator (calc.exe)",
                   [](HWND dialog) {
                     TapBox(dialog, IDC_PROGRAM_ASSOCIATE);
                     cesim::AnswerMessageBox(IDNO);
                   }),
            S_OK);
  EXPECT_EQ(cesim::MessageBoxesShown().size(), 1u);
  EXPECT_FALSE(cesim::RegistryKeyExists(kClasses + ".abc"));
}

TEST_F(ProgramDialogTest, ATypeNameLongerThanTheBufferIsAskedAbout) {
  device.image.AddRegistry("[HKEY_CLASSES_ROOT\\.abc]\n@=\"" + std::string(300, 't') + "\"\n\n");
  EXPECT_EQ(TapRow(kNotes, u"Calculator (calc.exe)",
                   [](HWND dialog) {
                     TapBox(dialog, IDC_PROGRAM_ASSOCIATE);
                     cesim::AnswerMessageBox(IDYES);
                   }),
            S_OK);
  EXPECT_EQ(cesim::MessageBoxesShown().size(), 1u);
  EXPECT_EQ(cesim::ReadRegistryString(kClasses + ".abc", u""), u"abc-file");
}

TEST_F(ProgramDialogTest, AnOpenCommandThatDoesNotFitIsNotWrittenButTheProgramStarts) {
  std::string program = "\\Windows\\" + std::string(242, 'l') + ".exe";  // 255 characters
  device.image.AddFile(cesim::Widen(program), "MZ")
      .AddFile(kPrograms + u"\\Long.lnk", ShortcutFile(program));
  std::u16string text = u"Long (" + std::u16string(242, u'l') + u".exe)";
  EXPECT_EQ(TapRow(kNotes, text, [](HWND dialog) { TapBox(dialog, IDC_PROGRAM_ASSOCIATE); }), S_OK);
  // The command would be 255 + 5 characters and its terminator: too long for its buffer.
  EXPECT_FALSE(cesim::RegistryKeyExists(kClasses + ".abc"));
  EXPECT_FALSE(cesim::RegistryKeyExists(kClasses + "abc-file"));
  ASSERT_EQ(cesim::LaunchLog().size(), 1u);
  EXPECT_EQ(cesim::LaunchLog()[0].file, cesim::Widen(program));
}

}  // namespace
}  // namespace foldwise_test
