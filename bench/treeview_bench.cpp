// The tree view's cost per inserted item: a device is booted, a tree view created in a window,
// and items are inserted at the end (TVI_LAST) or in alphabetical order (TVI_SORT) until the tree
// holds the number of items the benchmark names. The counter "per_item" is the time of one insert;
// inserting at the end should cost about the same in a tree of 1,000 and one of 10,000 items.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "ceplatform.h"
#include "cesim/automation.h"

namespace {

// A booted device with a visible parent window and a tree view in it.
class TreeFixture {
 public:
  TreeFixture() {
    if (!cesim::Boot(image_.Write())) std::abort();
    parent_ = CreateWindowExW(0, u"Static", u"", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr,
                              nullptr);
    tree_ = CreateWindowExW(0, WC_TREEVIEWW, u"", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                            0, 0, 240, 300, parent_, nullptr, nullptr, nullptr);
    if (tree_ == nullptr) std::abort();
  }
  ~TreeFixture() { cesim::Shutdown(); }

  HTREEITEM Insert(const std::u16string& text, HTREEITEM after) {
    TVINSERTSTRUCTW ins = {};
    ins.hParent = TVI_ROOT;
    ins.hInsertAfter = after;
    ins.item.mask = TVIF_TEXT;
    ins.item.pszText = const_cast<LPWSTR>(text.c_str());
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins)));
  }

 private:
  cesim::ImageBuilder image_;
  HWND parent_ = nullptr;
  HWND tree_ = nullptr;
};

// Folder-like names in a fixed pseudo-random order, so that sorted inserts land all over the list.
std::vector<std::u16string> Names(size_t count) {
  std::vector<std::u16string> names;
  names.reserve(count);
  uint32_t state = 12345;
  for (size_t i = 0; i < count; ++i) {
    state = state * 1103515245u + 12345u;
    std::string name = "Folder " + std::to_string((state >> 8) % 1000000) + " " + std::to_string(i);
    names.emplace_back(name.begin(), name.end());
  }
  return names;
}

void InsertAll(benchmark::State& state, HTREEITEM after) {
  const size_t count = static_cast<size_t>(state.range(0));
  const std::vector<std::u16string> names = Names(count);
  for (auto _ : state) {
    state.PauseTiming();
    {
      TreeFixture fixture;
      state.ResumeTiming();
      for (const std::u16string& name : names) {
        if (fixture.Insert(name, after) == nullptr) state.SkipWithError("insert failed");
      }
      state.PauseTiming();
    }
    state.ResumeTiming();
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(count));
  state.counters["per_item"] =
      benchmark::Counter(static_cast<double>(count), benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}

void BM_InsertLast(benchmark::State& state) { InsertAll(state, TVI_LAST); }
void BM_InsertSorted(benchmark::State& state) { InsertAll(state, TVI_SORT); }

BENCHMARK(BM_InsertLast)->Arg(1000)->Arg(3000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InsertSorted)->Arg(1000)->Arg(3000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
