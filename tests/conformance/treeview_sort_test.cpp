// Sorted inserts (TVI_SORT), as the Change Folder dialog inserts every folder: the control places
// a new item among its siblings by comparing texts the way the user's language sorts them
// (comctl32 compares with lstrcmpW, a CompareString of the user's locale), not by code units.
#include "tree_fixture.h"

namespace conformance {
namespace {

class TreeSortTest : public TreeTest {
 protected:
  std::vector<Text> InsertSorted(const std::vector<Text>& texts) {
    for (const Text& text : texts) InsertItem(tree, TVI_ROOT, text, TVI_SORT);
    return ChildTexts(tree, nullptr);
  }
};

TEST_F(TreeSortTest, LetterCaseDoesNotSeparateWords) {
  EXPECT_EQ(InsertSorted({TEXT("beta"), TEXT("Delta"), TEXT("alpha"), TEXT("Charlie")}),
            (std::vector<Text>{TEXT("alpha"), TEXT("beta"), TEXT("Charlie"), TEXT("Delta")}));
}

TEST_F(TreeSortTest, APrefixSortsBeforeTheLongerText) {
  EXPECT_EQ(InsertSorted({TEXT("Programs"), TEXT("Program"), TEXT("Pro")}),
            (std::vector<Text>{TEXT("Pro"), TEXT("Program"), TEXT("Programs")}));
}

TEST_F(TreeSortTest, SortedInsertsGoAmongItemsInsertedUnsorted) {
  InsertItem(tree, TVI_ROOT, TEXT("Mango"));
  InsertItem(tree, TVI_ROOT, TEXT("Zucchini"));
  EXPECT_EQ(InsertSorted({TEXT("Apple"), TEXT("Pear")}),
            (std::vector<Text>{TEXT("Apple"), TEXT("Mango"), TEXT("Pear"), TEXT("Zucchini")}));
}

TEST_F(TreeSortTest, AccentedLettersSortWithTheirBaseLetters) {
  // E with an acute accent sorts among the Es, not after z as its code unit (0xC9) would.
  EXPECT_EQ(InsertSorted({TEXT("Ezra"), TEXT("gamma"), TEXT("\u00C9t\u00E9"), TEXT("Eagle"), TEXT("Delta")}),
            (std::vector<Text>{TEXT("Delta"), TEXT("Eagle"), TEXT("\u00C9t\u00E9"), TEXT("Ezra"), TEXT("gamma")}));
}

TEST_F(TreeSortTest, LettersBeyondLatin1SortWithTheirBaseLetters) {
  // S with a caron (U+0160), as in Czech folder names, among the Ss.
  EXPECT_EQ(InsertSorted({TEXT("Tabor"), TEXT("\u0160koda"), TEXT("Sample"), TEXT("Rome")}),
            (std::vector<Text>{TEXT("Rome"), TEXT("Sample"), TEXT("\u0160koda"), TEXT("Tabor")}));
}

}  // namespace
}  // namespace conformance
