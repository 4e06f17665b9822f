// The dialog tests' road through the context menu and their view of the dialogs.
#include "dialog_fixture.h"

#include <fcntl.h>
#include <sys/stat.h>

#include "resources/resource_ids.h"

namespace foldwise_test {

std::u16string ItemText(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  if (item == nullptr) return u"<no control>";
  const int length = GetWindowTextLengthW(item);
  std::u16string text(static_cast<size_t>(length) + 1, u'\0');
  const int got = GetWindowTextW(item, text.data(), length + 1);
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return text;
}

namespace {

bool Checked(HWND dialog, int id) { return SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }
bool Shown(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE; }
bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
bool ReadOnly(HWND dialog, int id) { return (GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & ES_READONLY) != 0; }

RECT WindowRect(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect;
}

bool HasDoneButton(HWND dialog) { return (GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_CAPTIONOKBTN) != 0; }

}  // namespace

HWND DialogTest::TopDialog() const {
  HWND top = nullptr;
  for (HWND next = owner; next != nullptr;) {
    next = cesim::FindFirstWindow({u"Dialog", next, std::nullopt, true});
    if (next != nullptr) top = next;
  }
  return top;
}

HRESULT DialogTest::OpenProperties(const std::u16string& path, const std::vector<Step>& steps) {
  if (!Select(path)) {
    ADD_FAILURE() << "the context menu could not be set up for " << cesim::Narrow(path);
    return E_UNEXPECTED;
  }
  for (const Step& step : steps) {
    cesim::WhenIdle([this, step] {
      HWND dialog = TopDialog();
      if (dialog == nullptr) {
        ADD_FAILURE() << "no dialog is shown";
        return;
      }
      step(dialog);
    });
  }
  return Invoke("1");
}

PropertiesView DialogTest::PropertiesOf(const std::u16string& path) {
  PropertiesView view;
  EXPECT_EQ(OpenProperties(path, {[&](HWND dialog) {
                                    view = ReadProperties(dialog);
                                    TapDone(dialog);
                                  }}),
            S_OK);
  return view;
}

PropertiesView DialogTest::ReadProperties(HWND dialog) {
  PropertiesView view;
  view.found = true;
  view.name = ItemText(dialog, IDC_PROP_NAME);
  view.nameReadOnly = ReadOnly(dialog, IDC_PROP_NAME);
  view.targetShown = Shown(dialog, IDC_PROP_TARGET);
  view.target = ItemText(dialog, IDC_PROP_TARGET);
  view.targetReadOnly = ReadOnly(dialog, IDC_PROP_TARGET);
  view.versionButtonShown = Shown(dialog, IDC_PROP_VERSION);
  view.type = ItemText(dialog, IDC_PROP_TYPE);
  view.sizeLabel = ItemText(dialog, IDC_PROP_SIZE_LABEL);
  view.size = ItemText(dialog, IDC_PROP_SIZE);
  view.modifiedShown = Shown(dialog, IDC_PROP_MODIFIED);
  view.modified = ItemText(dialog, IDC_PROP_MODIFIED);
  view.readOnlyChecked = Checked(dialog, IDC_PROP_READONLY);
  view.readOnlyEnabled = Enabled(dialog, IDC_PROP_READONLY);
  view.hiddenChecked = Checked(dialog, IDC_PROP_HIDDEN);
  view.hiddenEnabled = Enabled(dialog, IDC_PROP_HIDDEN);
  std::optional<cesim::StaticImage> image = cesim::ShownImage(GetDlgItem(dialog, IDC_PROP_ICON));
  if (image && image->icon != nullptr) view.icon = cesim::IconPicture(image->icon);
  view.rect = WindowRect(dialog);
  view.doneButton = HasDoneButton(dialog);
  return view;
}

VersionView DialogTest::ReadVersion(HWND dialog) {
  VersionView view;
  view.found = true;
  WCHAR caption[64] = {};
  GetWindowTextW(dialog, caption, 64);
  view.caption = caption;
  view.fileVersion = ItemText(dialog, IDC_VERSION_FILE_VERSION);
  view.description = ItemText(dialog, IDC_VERSION_DESCRIPTION);
  view.copyright = ItemText(dialog, IDC_VERSION_COPYRIGHT);
  HWND list = GetDlgItem(dialog, IDC_VERSION_KEYS);
  const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    std::u16string text(static_cast<size_t>(length > 0 ? length : 0) + 1, u'\0');
    SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length > 0 ? length : 0));
    view.keys.push_back(text);
  }
  view.selected = static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0));
  view.value = ItemText(dialog, IDC_VERSION_VALUE);
  view.valueReadOnly = ReadOnly(dialog, IDC_VERSION_VALUE);
  view.rect = WindowRect(dialog);
  view.doneButton = HasDoneButton(dialog);
  return view;
}

void DialogTest::TapDone(HWND dialog) { EXPECT_TRUE(cesim::TapCaptionOkButton(dialog)) << "no Done button"; }

void DialogTest::PressEscape(HWND) { cesim::PressKey(VK_ESCAPE); }

void DialogTest::TapItem(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  ASSERT_NE(item, nullptr);
  cesim::TapClient(item, POINT{3, 3});
}

void DialogTest::ReplaceText(HWND dialog, int id, const std::u16string& text) {
  const size_t length = ItemText(dialog, id).size();
  TapItem(dialog, id);
  cesim::PressKey(VK_END);
  for (size_t i = 0; i < length; ++i) cesim::PressKey(VK_BACK);
  cesim::TypeText(text);
}

void DialogTest::PickListEntry(HWND dialog, int id, const std::u16string& label) {
  HWND list = GetDlgItem(dialog, id);
  ASSERT_NE(list, nullptr);
  const LRESULT wanted = SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(label.c_str()));
  ASSERT_NE(wanted, CB_ERR) << "no entry " << cesim::Narrow(label);
  LRESULT at = SendMessageW(list, CB_GETCURSEL, 0, 0);
  if (at == CB_ERR) at = 0;
  // The tap drops the list; the arrows move through it and Enter takes the entry.
  cesim::TapClient(list, POINT{3, 3});
  for (; at < wanted; ++at) cesim::PressKey(VK_DOWN);
  for (; at > wanted; --at) cesim::PressKey(VK_UP);
  cesim::PressKey(VK_RETURN);
}

std::string DialogTest::HostFile(const std::u16string& path) const {
  std::string host = device.image.Folder() + "/files";
  size_t start = 1;
  while (start <= path.size()) {
    size_t end = path.find(u'\\', start);
    if (end == std::u16string::npos) end = path.size();
    host += "/" + cesim::Narrow(path.substr(start, end - start));
    start = end + 1;
  }
  return host;
}

void DialogTest::SetModified(const std::u16string& path, long long utcSeconds) const {
  struct timespec times[2];
  times[0].tv_sec = static_cast<time_t>(utcSeconds);
  times[0].tv_nsec = 0;
  times[1] = times[0];
  ASSERT_EQ(utimensat(AT_FDCWD, HostFile(path).c_str(), times, 0), 0) << HostFile(path);
}

}  // namespace foldwise_test
