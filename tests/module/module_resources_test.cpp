// The module's strings and dialog templates as a device reads them from its resources.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "cesim/automation.h"
#include "module_fixture.h"
#include "resources/resource_ids.h"

namespace foldwise_test {
namespace {

class ModuleResourcesTest : public ModuleTest {};

const char* const kStrings[] = {
    "Copy Path", "Property (%s)...", "Open with Parameters...", "Send Shortcut to Programs", "Free/Total:",
    "A shortcut exists with the same name.\n\n[Yes] to overwrite a shortcut.\n[No] to create a shortcut with "
    "sequential number.\n[Cancel] to cancel.",
    "Confirm Overwrite", "Show Extension", "Detail", "Detail with Header", "Icon", "Change Style", "My Device",
    "Open with Program...", "View Options", "Change Folder", "Comments", "CompanyName", "FileVersion",
    "InternalName", "LegalTrademarks", "OriginalFilename", "PrivateBuild", "ProductName", "ProductVersion",
    "SpecialBuild", "Overwrite current association?", "Delete Path", "Preview Image"};

TEST_F(ModuleResourcesTest, EveryStringIsStoredWithItsTerminatorForUseInPlace) {
  ASSERT_NE(BootAndLoad(), nullptr);
  for (UINT id = IDS_COPY_PATH; id <= IDS_PREVIEW_IMAGE; ++id) {
    auto text = reinterpret_cast<const WCHAR*>(static_cast<INT_PTR>(LoadStringW(module, id, nullptr, 0)));
    ASSERT_NE(text, nullptr) << id;
    EXPECT_EQ(cesim::Narrow(text), kStrings[id - 1]) << id;
    // The stored length counts the terminator: a copy of it has one character more.
    WCHAR copy[512];
    EXPECT_EQ(LoadStringW(module, id, copy, 512), static_cast<int>(std::strlen(kStrings[id - 1])) + 1) << id;
  }
  EXPECT_EQ(LoadStringW(module, IDS_PREVIEW_IMAGE + 1, nullptr, 0), 0);
}

// --- Dialog templates, read through the loaded module as the dialog manager reads them ---

// A label of a template has no identifier of its own: the control id -1.
const int kNoId = -1;

struct ExpectedControl {
  int id;
  const char16_t* className;  // as the template tables name it
  const char16_t* text;       // empty: no text
  short x, y, cx, cy;
  DWORD style;
  DWORD exStyle;
};

struct ExpectedTemplate {
  DWORD style;
  DWORD exStyle;
  short x, y, cx, cy;
  const char16_t* caption;
  std::vector<ExpectedControl> controls;
};

struct ParsedControl {
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  WORD id = 0;
  std::optional<WORD> classOrdinal;
  std::u16string className;
  std::optional<WORD> textOrdinal;
  std::u16string text;
  WORD creationDataBytes = 0;
};

struct ParsedTemplate {
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  std::optional<WORD> menuOrdinal;
  std::u16string menu;
  std::optional<WORD> classOrdinal;
  std::u16string className;
  std::u16string caption;
  std::vector<ParsedControl> controls;
};

// Reads the plain template layout (DLGTEMPLATE, then DWORD-aligned DLGITEMTEMPLATEs) without
// ever reading past the resource's size.
class TemplateReader {
 public:
  TemplateReader(const BYTE* data, size_t size) : data_(data), size_(size) {}

  std::optional<ParsedTemplate> Read() {
    ParsedTemplate t;
    t.style = Dword();
    t.exStyle = Dword();
    WORD count = Word();
    t.x = Short();
    t.y = Short();
    t.cx = Short();
    t.cy = Short();
    SzOrOrd(&t.menuOrdinal, &t.menu);
    SzOrOrd(&t.classOrdinal, &t.className);
    std::optional<WORD> captionOrdinal;
    SzOrOrd(&captionOrdinal, &t.caption);
    if (captionOrdinal) ok_ = false;  // a caption is always text
    if ((t.style & DS_SETFONT) != 0) {
      Word();
      std::optional<WORD> fontOrdinal;
      std::u16string font;
      SzOrOrd(&fontOrdinal, &font);
    }
    for (WORD i = 0; i < count && ok_; ++i) {
      Align();
      ParsedControl c;
      c.style = Dword();
      c.exStyle = Dword();
      c.x = Short();
      c.y = Short();
      c.cx = Short();
      c.cy = Short();
      c.id = Word();
      SzOrOrd(&c.classOrdinal, &c.className);
      SzOrOrd(&c.textOrdinal, &c.text);
      c.creationDataBytes = Word();
      pos_ += c.creationDataBytes;
      if (pos_ > size_) ok_ = false;
      t.controls.push_back(c);
    }
    if (!ok_) return std::nullopt;
    return t;
  }

 private:
  WORD Word() {
    if (pos_ + 2 > size_) {
      ok_ = false;
      return 0;
    }
    WORD w;
    std::memcpy(&w, data_ + pos_, 2);
    pos_ += 2;
    return w;
  }
  short Short() { return static_cast<short>(Word()); }
  DWORD Dword() {
    DWORD low = Word();
    DWORD high = Word();
    return low | (high << 16);
  }
  void Align() { pos_ = (pos_ + 3) & ~static_cast<size_t>(3); }
  // A name or an ordinal: 0xFFFF and the ordinal, or a terminated string (empty: none).
  void SzOrOrd(std::optional<WORD>* ordinal, std::u16string* text) {
    WORD first = Word();
    if (first == 0xFFFF) {
      *ordinal = Word();
      return;
    }
    for (WORD c = first; c != 0 && ok_; c = Word()) text->push_back(static_cast<char16_t>(c));
  }

  const BYTE* data_;
  size_t size_;
  size_t pos_ = 0;
  bool ok_ = true;
};

// The predefined classes of the dialog manager, which a template may name by ordinal.
std::optional<WORD> PredefinedOrdinal(const std::u16string& name) {
  if (cesim::Narrow(name) == "Button") return WORD{0x80};
  if (cesim::Narrow(name) == "Edit") return WORD{0x81};
  if (cesim::Narrow(name) == "Static") return WORD{0x82};
  if (cesim::Narrow(name) == "ComboBox") return WORD{0x85};
  return std::nullopt;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// A class matches when the template names it by its predefined ordinal or by its name, in any
// letter case (the dialog manager compares class names without case; windres writes them in
// upper case).
bool ClassMatches(const ParsedControl& control, const char16_t* expected) {
  if (control.classOrdinal) return control.classOrdinal == PredefinedOrdinal(expected);
  return Lower(cesim::Narrow(control.className)) == Lower(cesim::Narrow(expected));
}

std::string Hex(DWORD value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
  return text;
}

class DialogTemplateTest : public ModuleResourcesTest {
 protected:
  // Compares template `id` of the loaded module, field by field and control by control.
  void ExpectTemplate(UINT id, const ExpectedTemplate& expected) {
    ASSERT_NE(BootAndLoad(), nullptr);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), RT_DIALOG);
    ASSERT_NE(resource, nullptr) << id;
    HGLOBAL loaded = LoadResource(module, resource);
    ASSERT_NE(loaded, nullptr);
    auto bytes = static_cast<const BYTE*>(LockResource(loaded));
    ASSERT_NE(bytes, nullptr);
    std::optional<ParsedTemplate> t = TemplateReader(bytes, SizeofResource(module, resource)).Read();
    ASSERT_TRUE(t.has_value()) << "template " << id << " runs past its resource";

    EXPECT_EQ(Hex(t->style), Hex(expected.style)) << "dialog style";
    EXPECT_EQ(Hex(t->exStyle), Hex(expected.exStyle)) << "dialog extended style";
    EXPECT_EQ(t->x, expected.x);
    EXPECT_EQ(t->y, expected.y);
    EXPECT_EQ(t->cx, expected.cx);
    EXPECT_EQ(t->cy, expected.cy);
    EXPECT_FALSE(t->menuOrdinal.has_value());
    EXPECT_TRUE(t->menu.empty()) << "no menu";
    EXPECT_FALSE(t->classOrdinal.has_value());
    EXPECT_TRUE(t->className.empty()) << "the default dialog class";
    EXPECT_EQ(cesim::Narrow(t->caption), cesim::Narrow(expected.caption));

    ASSERT_EQ(t->controls.size(), expected.controls.size());
    for (size_t i = 0; i < expected.controls.size(); ++i) {
      const ExpectedControl& e = expected.controls[i];
      const ParsedControl& c = t->controls[i];
      SCOPED_TRACE("control " + std::to_string(i) + " (id " + std::to_string(e.id) + ")");
      EXPECT_EQ(static_cast<short>(c.id), e.id);
      EXPECT_TRUE(ClassMatches(c, e.className))
          << "class " << (c.classOrdinal ? Hex(*c.classOrdinal) : cesim::Narrow(c.className)) << ", expected "
          << cesim::Narrow(e.className);
      EXPECT_FALSE(c.textOrdinal.has_value());
      EXPECT_EQ(cesim::Narrow(c.text), cesim::Narrow(e.text));
      EXPECT_EQ(c.x, e.x);
      EXPECT_EQ(c.y, e.y);
      EXPECT_EQ(c.cx, e.cx);
      EXPECT_EQ(c.cy, e.cy);
      EXPECT_EQ(Hex(c.style), Hex(e.style));
      EXPECT_EQ(Hex(c.exStyle), Hex(e.exStyle));
      EXPECT_EQ(c.creationDataBytes, 0);
    }
  }
};

TEST_F(DialogTemplateTest, PropertiesTemplateHidesTheTargetFieldAndTheVersionButton) {
  const DWORD kValueText = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFTNOWORDWRAP | SS_NOPREFIX;
  const DWORD kLabel = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT;
  ExpectTemplate(IDD_PROPERTIES,
                 {WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_CENTER, 0, 0, 0, 138, 96, u"",
                  {
                      {IDC_PROP_ICON, u"Static", u"", 3, 2, 20, 20, WS_CHILD | WS_VISIBLE | SS_ICON, 0},
                      {IDC_PROP_NAME, u"Edit", u"", 24, 5, 110, 14,
                       WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0},
                      {IDC_PROP_TARGET, u"Edit", u"", 24, 26, 110, 14, WS_CHILD | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL,
                       0},
                      {IDC_PROP_VERSION, u"Button", u"Version Info.", 80, 26, 50, 14,
                       WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON, 0},
                      {kNoId, u"Static", u"Type:", 2, 44, 40, 8, kLabel, 0},
                      {IDC_PROP_TYPE, u"Static", u"", 45, 44, 92, 8, kValueText, 0},
                      {IDC_PROP_SIZE_LABEL, u"Static", u"Size:", 2, 56, 40, 8, kLabel, 0},
                      {IDC_PROP_SIZE, u"Static", u"", 45, 56, 92, 8, kValueText, 0},
                      {kNoId, u"Static", u"Modified:", 2, 68, 40, 8, kLabel, 0},
                      {IDC_PROP_MODIFIED, u"Static", u"", 45, 68, 92, 8, kValueText, 0},
                      {IDC_PROP_READONLY, u"Button", u"ReadOnly", 7, 81, 58, 10,
                       WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0},
                      {IDC_PROP_HIDDEN, u"Button", u"Hidden", 78, 81, 56, 10,
                       WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0},
                  }});
}

TEST_F(DialogTemplateTest, ParametersTemplate) {
  ExpectTemplate(IDD_PARAMETERS,
                 {WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_CENTER | DS_MODALFRAME, WS_EX_CAPTIONOKBTN, 0, 0, 138, 42, u"",
                  {
                      {kNoId, u"Static", u"Open with Parameters below:", 3, 5, 109, 8,
                       WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT, 0},
                      {IDC_PARAMETERS, u"Edit", u"", 2, 19, 128, 14,
                       WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0},
                  }});
}

TEST_F(DialogTemplateTest, ProgramTemplate) {
  const DWORD kShown = WS_CHILD | WS_VISIBLE;
  ExpectTemplate(IDD_PROGRAM,
                 {WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_CENTER | DS_MODALFRAME, 0, 0, 0, 138, 100, u"",
                  {
                      {kNoId, u"Static", u"Choose Program", 1, 1, 54, 8, kShown | WS_GROUP | SS_LEFT, 0},
                      {IDC_PROGRAM_LIST, u"SysListView32", u"", 1, 11, 135, 50,
                       kShown | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                           LVS_SORTASCENDING | LVS_SHAREIMAGELISTS | LVS_NOCOLUMNHEADER,
                       0},
                      {IDC_PROGRAM_QUOTE, u"Button", u"Quote file path with ' \" '", 1, 65, 93, 10,
                       kShown | WS_TABSTOP | BS_AUTOCHECKBOX, 0},
                      {IDC_PROGRAM_ASSOCIATE, u"Button", u"Associate selected Program with this file type.", 1, 78, 135,
                       20, kShown | WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE | BS_TOP, 0},
                      {IDOK, u"Button", u"Open", 105, 63, 31, 14, kShown | WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
                  }});
}

TEST_F(DialogTemplateTest, ChangeFolderTemplateIsOneTreeFillingABorderlessPopup) {
  ExpectTemplate(IDD_CHANGE_FOLDER,
                 {WS_POPUP | WS_VISIBLE, WS_EX_CAPTIONOKBTN, 0, 0, 138, 62, u"",
                  {
                      {IDC_FOLDER_TREE, u"SysTreeView32", u"", 0, 0, 138, 62,
                       WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                           TVS_LINESATROOT | TVS_DISABLEDRAGDROP,
                       0},
                  }});
}

TEST_F(DialogTemplateTest, VersionTemplate) {
  const DWORD kLabel = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT;
  ExpectTemplate(IDD_VERSION,
                 {WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_CAPTIONOKBTN, 0, 0, 138, 96, u"Version Info.",
                  {
                      {kNoId, u"Static", u"File Version:", 1, 0, 41, 8, kLabel, 0},
                      {IDC_VERSION_FILE_VERSION, u"Static", u"", 50, 0, 85, 8, kLabel, 0},
                      {kNoId, u"Static", u"Description:", 1, 11, 41, 8, kLabel, 0},
                      {IDC_VERSION_DESCRIPTION, u"Static", u"", 50, 11, 85, 16, kLabel, 0},
                      {kNoId, u"Static", u"Copyright:", 1, 30, 50, 8, kLabel, 0},
                      {IDC_VERSION_COPYRIGHT, u"Static", u"", 50, 30, 85, 16, kLabel, 0},
                      {IDC_VERSION_KEYS, u"ComboBox", u"", 1, 48, 134, 63,
                       WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_SORT | CBS_DROPDOWNLIST, 0},
                      {IDC_VERSION_VALUE, u"Edit", u"", 1, 58, 134, 48,
                       WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL | ES_AUTOVSCROLL |
                           ES_MULTILINE,
                       0},
                  }});
}

}  // namespace
}  // namespace foldwise_test
