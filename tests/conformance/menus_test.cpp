// Menus as the context menu handler fills the Explorer's: InsertMenuW by position (a position,
// -1 for the end, past the end), separators, and GetMenuItemInfoW's text lengths (cch on the way
// in is the buffer's size, on the way out the length of what it holds or would hold).
#include "conformance.h"

namespace conformance {
namespace {

class MenuTest : public ConformanceTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.Start());
    menu = CreatePopupMenu();
    ASSERT_NE(menu, nullptr);
    AppendMenuW(menu, MF_STRING, 1, TEXT("Open"));
    AppendMenuW(menu, MF_STRING, 2, TEXT("Cut"));
    AppendMenuW(menu, MF_STRING, 3, TEXT("Copy"));
  }
  void TearDown() override { DestroyMenu(menu); }

  std::vector<UINT> Ids() {
    std::vector<UINT> ids;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) ids.push_back(GetMenuItemID(menu, i));
    return ids;
  }

  // GetMenuItemInfoW with MIIM_TYPE into a buffer of `cch` characters (none for 0).
  MENUITEMINFOW ReadType(UINT position, WCHAR* buffer, UINT cch) {
    MENUITEMINFOW info;
    memset(&info, 0, sizeof(info));
    info.cbSize = sizeof(info);
    info.fMask = MIIM_TYPE;
    info.dwTypeData = buffer;
    info.cch = cch;
    readOk = GetMenuItemInfoW(menu, position, TRUE, &info) != FALSE;
    return info;
  }

  HMENU menu = nullptr;
  bool readOk = false;
};

TEST_F(MenuTest, InsertingByPositionGoesBeforeThatItem) {
  ASSERT_TRUE(InsertMenuW(menu, 1, MF_BYPOSITION | MF_STRING, 10, TEXT("Copy Path")));
  EXPECT_EQ(Ids(), (std::vector<UINT>{1, 10, 2, 3}));
}

TEST_F(MenuTest, InsertingAtPositionZeroGoesFirst) {
  ASSERT_TRUE(InsertMenuW(menu, 0, MF_BYPOSITION | MF_STRING, 10, TEXT("First")));
  EXPECT_EQ(Ids(), (std::vector<UINT>{10, 1, 2, 3}));
}

TEST_F(MenuTest, InsertingAtMinusOneAppends) {
  ASSERT_TRUE(InsertMenuW(menu, static_cast<UINT>(-1), MF_BYPOSITION | MF_STRING, 10, TEXT("Last")));
  EXPECT_EQ(Ids(), (std::vector<UINT>{1, 2, 3, 10}));
}

TEST_F(MenuTest, InsertingPastTheEndAppends) {
  ASSERT_TRUE(InsertMenuW(menu, 7, MF_BYPOSITION | MF_STRING, 10, TEXT("Later")));
  ASSERT_TRUE(InsertMenuW(menu, 4, MF_BYPOSITION | MF_STRING, 11, TEXT("At the end")));
  EXPECT_EQ(Ids(), (std::vector<UINT>{1, 2, 3, 10, 11}));
}

TEST_F(MenuTest, ASeparatorIsAnItemWithoutTextOrCommand) {
  ASSERT_TRUE(InsertMenuW(menu, static_cast<UINT>(-1), MF_BYPOSITION | MF_SEPARATOR, 0, nullptr));
  ASSERT_EQ(GetMenuItemCount(menu), 4);
  WCHAR text[16];
  text[0] = TEXT('x');
  MENUITEMINFOW info = ReadType(3, text, 16);
  ASSERT_TRUE(readOk);
  EXPECT_NE(info.fType & MFT_SEPARATOR, 0u);
  EXPECT_EQ(GetMenuItemID(menu, 3), 0u);
  EXPECT_NE(GetMenuState(menu, 3, MF_BYPOSITION) & MF_SEPARATOR, 0u);
}

TEST_F(MenuTest, WithoutABufferTheLengthComesBack) {
  ASSERT_TRUE(InsertMenuW(menu, 0, MF_BYPOSITION | MF_STRING, 10, TEXT("Copy Path")));
  MENUITEMINFOW info = ReadType(0, nullptr, 0);
  ASSERT_TRUE(readOk);
  EXPECT_EQ(info.cch, 9u);
}

TEST_F(MenuTest, ABufferLargeEnoughGetsTheTextAndItsLength) {
  ASSERT_TRUE(InsertMenuW(menu, 0, MF_BYPOSITION | MF_STRING, 10, TEXT("Copy Path")));
  WCHAR text[32];
  for (WCHAR& c : text) c = TEXT('#');
  MENUITEMINFOW info = ReadType(0, text, 32);
  ASSERT_TRUE(readOk);
  EXPECT_EQ(Text(text), Text(TEXT("Copy Path")));
  EXPECT_EQ(info.cch, 9u);
}

TEST_F(MenuTest, ABufferThatFitsExactlyGetsEverything) {
  ASSERT_TRUE(InsertMenuW(menu, 0, MF_BYPOSITION | MF_STRING, 10, TEXT("Copy Path")));
  WCHAR text[10];
  MENUITEMINFOW info = ReadType(0, text, 10);
  ASSERT_TRUE(readOk);
  EXPECT_EQ(Text(text), Text(TEXT("Copy Path")));
  EXPECT_EQ(info.cch, 9u);
}

TEST_F(MenuTest, AShortBufferGetsTheTextCutAndTerminated) {
  ASSERT_TRUE(InsertMenuW(menu, 0, MF_BYPOSITION | MF_STRING, 10, TEXT("Copy Path")));
  WCHAR text[8];
  for (WCHAR& c : text) c = TEXT('#');
  MENUITEMINFOW info = ReadType(0, text, 5);
  ASSERT_TRUE(readOk);
  EXPECT_EQ(Text(text), Text(TEXT("Copy")));
  EXPECT_EQ(info.cch, 4u);  // the characters it holds
  EXPECT_EQ(text[5], TEXT('#'));
}

TEST_F(MenuTest, AMissingPositionFails) {
  WCHAR text[8];
  ReadType(9, text, 8);
  EXPECT_FALSE(readOk);
  EXPECT_FALSE(InsertMenuW(reinterpret_cast<HMENU>(static_cast<INT_PTR>(0x7777)), 0, MF_BYPOSITION | MF_STRING, 10,
                           TEXT("Nowhere")));
}

}  // namespace
}  // namespace conformance
