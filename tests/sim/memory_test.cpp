// The process heap against the platform's documented behaviour: fixed and zeroed local blocks,
// moveable global blocks with their lock counts, resizing in place and by moving, and freed or
// foreign handles failing without harm; the task allocator kept apart; ReleaseStgMedium freeing a
// data-transfer medium or handing it back to its owner.
#include <gtest/gtest.h>

#include <cstring>

#include "booted_device.h"
#include "ceplatform.h"

namespace {

class MemoryTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(device.Boot()); }
  foldwise_test::BootedDevice device;
};

bool AllBytesAre(const void* data, size_t size, unsigned char value) {
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  for (size_t i = 0; i < size; ++i) {
    if (bytes[i] != value) return false;
  }
  return true;
}

TEST_F(MemoryTest, LocalBlocksAreTheirOwnAddress) {
  HLOCAL zeroed = LocalAlloc(LPTR, 100);
  ASSERT_NE(zeroed, nullptr);
  EXPECT_TRUE(AllBytesAre(zeroed, 100, 0));
  EXPECT_EQ(LocalSize(zeroed), 100u);
  HLOCAL plain = LocalAlloc(LMEM_FIXED, 0);  // an empty block is still a block
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(LocalSize(plain), 0u);
  EXPECT_EQ(cesim::LiveMemoryBlocks(), 2u);

  EXPECT_EQ(LocalFree(zeroed), nullptr);
  EXPECT_EQ(LocalFree(plain), nullptr);
  EXPECT_EQ(cesim::LiveMemoryBlocks(), 0u);
}

TEST_F(MemoryTest, LocalHeapHasNoMoveableBlocks) {
  SetLastError(0);
  EXPECT_EQ(LocalAlloc(LMEM_MOVEABLE, 16), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(cesim::LiveMemoryBlocks(), 0u);
}

TEST_F(MemoryTest, FreedAndForeignHandlesFail) {
  HLOCAL block = LocalAlloc(LPTR, 8);
  ASSERT_EQ(LocalFree(block), nullptr);
  SetLastError(0);
  EXPECT_EQ(LocalFree(block), block);  // a second free fails and returns the handle
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(LocalSize(block), 0u);
  EXPECT_EQ(GlobalLock(block), nullptr);
  EXPECT_FALSE(GlobalUnlock(block));
  EXPECT_EQ(LocalReAlloc(block, 16, LMEM_MOVEABLE), nullptr);

  int onTheStack = 0;
  EXPECT_EQ(GlobalFree(&onTheStack), &onTheStack);
  EXPECT_EQ(GlobalSize(&onTheStack), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(LocalFree(nullptr), nullptr);  // nothing to free is no failure
  EXPECT_EQ(GlobalFree(nullptr), nullptr);
}

TEST_F(MemoryTest, MoveableBlocksAreReachedThroughLocks) {
  HGLOBAL handle = GlobalAlloc(GHND, 64);
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(GlobalSize(handle), 64u);
  BYTE* first = static_cast<BYTE*>(GlobalLock(handle));
  ASSERT_NE(first, nullptr);
  EXPECT_NE(static_cast<void*>(first), handle);
  EXPECT_TRUE(AllBytesAre(first, 64, 0));
  BYTE* second = static_cast<BYTE*>(GlobalLock(handle));
  EXPECT_EQ(second, first);

  // Still locked after the first unlock; unlocked after the second; a third has nothing to undo.
  EXPECT_TRUE(GlobalUnlock(handle));
  SetLastError(1234);
  EXPECT_FALSE(GlobalUnlock(handle));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(NO_ERROR));
  EXPECT_FALSE(GlobalUnlock(handle));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_LOCKED));

  // The handle is no address: LocalFree on it frees the block, the local and global heaps being one.
  EXPECT_EQ(LocalFree(handle), nullptr);
  EXPECT_EQ(GlobalLock(handle), nullptr);
  EXPECT_EQ(cesim::LiveMemoryBlocks(), 0u);
}

TEST_F(MemoryTest, FixedGlobalBlocksNeedNoLock) {
  HGLOBAL block = GlobalAlloc(GPTR, 12);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(GlobalLock(block), block);
  EXPECT_TRUE(GlobalUnlock(block));  // no lock count to change
  EXPECT_EQ(GlobalFree(block), nullptr);
}

TEST_F(MemoryTest, EmptyMoveableBlocksStartDiscarded) {
  HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE, 0);
  ASSERT_NE(handle, nullptr);
  SetLastError(0);
  EXPECT_EQ(GlobalLock(handle), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISCARDED));
  // Giving it a size brings it back under the same handle.
  EXPECT_EQ(GlobalReAlloc(handle, 10, GMEM_ZEROINIT), handle);
  BYTE* data = static_cast<BYTE*>(GlobalLock(handle));
  ASSERT_NE(data, nullptr);
  EXPECT_TRUE(AllBytesAre(data, 10, 0));
  GlobalUnlock(handle);
  GlobalFree(handle);
}

TEST_F(MemoryTest, FixedBlocksGrowOnlyWhenTheyMayMove) {
  HLOCAL block = LocalAlloc(LMEM_FIXED, 16);
  std::memset(block, 0xAB, 16);
  // Shrinking stays in place.
  EXPECT_EQ(LocalReAlloc(block, 8, 0), block);
  EXPECT_EQ(LocalSize(block), 8u);
  // Growing in place is not possible here.
  SetLastError(0);
  EXPECT_EQ(LocalReAlloc(block, 32, 0), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
  EXPECT_EQ(LocalSize(block), 8u);

  HLOCAL moved = LocalReAlloc(block, 4096, LMEM_MOVEABLE | LMEM_ZEROINIT);
  ASSERT_NE(moved, nullptr);
  EXPECT_EQ(LocalSize(moved), 4096u);
  EXPECT_TRUE(AllBytesAre(moved, 8, 0xAB));  // the kept part is kept
  EXPECT_TRUE(AllBytesAre(static_cast<BYTE*>(moved) + 8, 4096 - 8, 0));
  if (moved != block) {
    EXPECT_EQ(LocalSize(block), 0u);  // the old address is no block any more
  }
  EXPECT_EQ(cesim::LiveMemoryBlocks(), 1u);
  LocalFree(moved);
}

TEST_F(MemoryTest, MoveableBlocksKeepTheirHandleWhenResized) {
  HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE, 4);
  std::memcpy(GlobalLock(handle), "abcd", 4);
  // Locked: it may not move, so it cannot grow unless moving is allowed.
  EXPECT_EQ(GlobalReAlloc(handle, 4096, 0), nullptr);
  EXPECT_EQ(GlobalReAlloc(handle, 4096, GMEM_MOVEABLE), handle);
  GlobalUnlock(handle);
  EXPECT_EQ(GlobalReAlloc(handle, 8192, 0), handle);
  EXPECT_EQ(GlobalSize(handle), 8192u);
  EXPECT_EQ(std::memcmp(GlobalLock(handle), "abcd", 4), 0);
  GlobalUnlock(handle);
  // Shrunk to nothing while unlocked, it is discarded but its handle lives on.
  EXPECT_EQ(GlobalReAlloc(handle, 0, GMEM_MOVEABLE), handle);
  EXPECT_EQ(GlobalSize(handle), 0u);
  EXPECT_EQ(cesim::LiveMemoryBlocks(), 1u);
  GlobalFree(handle);
}

TEST_F(MemoryTest, ModifyMakesAFixedBlockMoveable) {
  HGLOBAL fixed = GlobalAlloc(GMEM_FIXED, 4);
  std::memcpy(fixed, "wxyz", 4);
  HGLOBAL handle = GlobalReAlloc(fixed, 0, GMEM_MODIFY | GMEM_MOVEABLE);
  ASSERT_NE(handle, nullptr);
  EXPECT_NE(handle, fixed);
  EXPECT_EQ(GlobalSize(fixed), 0u);  // the address is no handle any more
  void* data = GlobalLock(handle);
  EXPECT_EQ(data, fixed);  // the data did not move
  EXPECT_EQ(std::memcmp(data, "wxyz", 4), 0);
  GlobalUnlock(handle);
  EXPECT_EQ(GlobalReAlloc(handle, 0, GMEM_MODIFY), handle);  // already moveable: unchanged
  GlobalFree(handle);
  EXPECT_EQ(cesim::LiveMemoryBlocks(), 0u);
}

TEST_F(MemoryTest, RefusesBlocksNoDeviceCouldHold) {
  SetLastError(0);
  EXPECT_EQ(LocalAlloc(LPTR, SIZE_T(1) << 40), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
  EXPECT_EQ(GlobalAlloc(GHND, ~SIZE_T(0)), nullptr);
  HGLOBAL handle = GlobalAlloc(GHND, 4);
  EXPECT_EQ(GlobalReAlloc(handle, ~SIZE_T(0), GMEM_MOVEABLE), nullptr);
  EXPECT_EQ(GlobalSize(handle), 4u);
  GlobalFree(handle);
}

TEST_F(MemoryTest, TaskAllocatorBlocksAreKeptApart) {
  void* task = CoTaskMemAlloc(24);
  ASSERT_NE(task, nullptr);
  EXPECT_EQ(cesim::LiveMemoryBlocks(), 1u);
  // Not a local block: LocalFree refuses it and it stays.
  EXPECT_EQ(LocalFree(task), task);
  EXPECT_EQ(cesim::LiveMemoryBlocks(), 1u);
  HLOCAL local = LocalAlloc(LPTR, 24);
  CoTaskMemFree(local);  // ignored: not the task allocator's
  EXPECT_EQ(LocalSize(local), 24u);
  CoTaskMemFree(task);
  CoTaskMemFree(nullptr);
  EXPECT_EQ(cesim::LiveMemoryBlocks(), 1u);
  LocalFree(local);
}

TEST_F(MemoryTest, ABootStartsWithAnEmptyHeap) {
  ASSERT_NE(LocalAlloc(LPTR, 10), nullptr);
  ASSERT_NE(GlobalAlloc(GHND, 10), nullptr);
  EXPECT_EQ(cesim::LiveMemoryBlocks(), 2u);
  ASSERT_TRUE(cesim::Boot(device.image.Folder()));
  EXPECT_EQ(cesim::LiveMemoryBlocks(), 0u);
}

// A COM object that only counts its references, standing in for a medium's owner or stream.
class CountingObject : public IUnknown {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    if (out != nullptr) *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  ULONG references = 1;
};

TEST_F(MemoryTest, ReleaseStgMediumFreesAnUnownedBlock) {
  STGMEDIUM medium = {};
  medium.tymed = TYMED_HGLOBAL;
  medium.hGlobal = GlobalAlloc(GHND, 32);
  ASSERT_EQ(cesim::LiveMemoryBlocks(), 1u);
  ReleaseStgMedium(&medium);
  EXPECT_EQ(cesim::LiveMemoryBlocks(), 0u);
  ReleaseStgMedium(nullptr);
}

TEST_F(MemoryTest, ReleaseStgMediumHandsAnOwnedBlockBack) {
  CountingObject owner;
  STGMEDIUM medium = {};
  medium.tymed = TYMED_HGLOBAL;
  medium.hGlobal = GlobalAlloc(GHND, 32);
  medium.pUnkForRelease = &owner;
  ReleaseStgMedium(&medium);
  EXPECT_EQ(owner.references, 0u);
  EXPECT_EQ(GlobalSize(medium.hGlobal), 32u);  // the owner frees it, not the receiver
  GlobalFree(medium.hGlobal);
}

TEST_F(MemoryTest, ReleaseStgMediumReleasesStreams) {
  CountingObject stream;
  CountingObject owner;
  STGMEDIUM medium = {};
  medium.tymed = TYMED_ISTREAM;
  medium.pstm = reinterpret_cast<IStream*>(static_cast<IUnknown*>(&stream));
  ReleaseStgMedium(&medium);
  EXPECT_EQ(stream.references, 0u);
  // With an owner the stream is released too, and then the owner.
  stream.references = 1;
  medium.pUnkForRelease = &owner;
  ReleaseStgMedium(&medium);
  EXPECT_EQ(stream.references, 0u);
  EXPECT_EQ(owner.references, 0u);
}

TEST_F(MemoryTest, ReleaseStgMediumDeletesAnUnownedFile) {
  device.image.AddFile(u"\\Temp\\kept.txt", "k").AddFile(u"\\Temp\\dropped.txt", "d");
  ASSERT_TRUE(cesim::Boot(device.image.Write()));
  auto fileMedium = [](const std::u16string& path) {
    STGMEDIUM medium = {};
    medium.tymed = TYMED_FILE;
    medium.lpszFileName = static_cast<LPOLESTR>(CoTaskMemAlloc((path.size() + 1) * sizeof(WCHAR)));
    std::memcpy(medium.lpszFileName, path.c_str(), (path.size() + 1) * sizeof(WCHAR));
    return medium;
  };
  CountingObject owner;
  STGMEDIUM owned = fileMedium(u"\\Temp\\kept.txt");
  owned.pUnkForRelease = &owner;
  ReleaseStgMedium(&owned);
  EXPECT_NE(GetFileAttributesW(u"\\Temp\\kept.txt"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(owner.references, 0u);

  STGMEDIUM unowned = fileMedium(u"\\Temp\\dropped.txt");
  ReleaseStgMedium(&unowned);
  EXPECT_EQ(GetFileAttributesW(u"\\Temp\\dropped.txt"), INVALID_FILE_ATTRIBUTES);
  // Either way the name string is freed.
  EXPECT_EQ(cesim::LiveMemoryBlocks(), 0u);
}

}  // namespace
