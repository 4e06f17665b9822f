// The wrappers of known differences: a body that states the platform's behaviour, run where it is
// known to differ with its failures collected, so that a known difference shows as a named skip
// instead of a failure, and a difference that went away fails until it is taken off its list.
#include "conformance.h"

#include <gtest/gtest-spi.h>

#include <fstream>
#include <sstream>
#include <string>

namespace conformance {

namespace {

// A list of known differences: its file and what one of its entries is called in messages.
struct KnownList {
  const char* path;
  const char* entry;     // "known cesim fault"
  const char* agreeing;  // who behaves as the platform does once the entry has gone
};

const KnownList kCesimFaults = {FOLDWISE_CONFORMANCE_FAULT_LIST, "known cesim fault", "cesim behaves as the platform does"};
const KnownList kWineDifferences = {FOLDWISE_CONFORMANCE_WINE_LIST, "known Wine difference", "Wine behaves as Windows does"};

// Whether the list names the entry in backticks; a list that cannot be read fails the test.
bool IsListed(const KnownList& list, const char* name) {
  std::ifstream file(list.path);
  if (!file) {
    ADD_FAILURE() << "cannot read " << list.path;
    return false;
  }
  std::stringstream text;
  text << file.rdbuf();
  if (text.str().find(std::string("`") + name + "`") != std::string::npos) return true;
  ADD_FAILURE() << list.entry << " \"" << name << "\" is not listed in " << list.path;
  return false;
}

// Runs a body that is expected to fail here: its first failure becomes a skip naming the entry;
// a body that passes fails the test.
void ExpectDifference(const KnownList& list, const char* name, const std::string& source,
                      const std::function<void()>& body) {
  ::testing::TestPartResultArray results;
  {
    ::testing::ScopedFakeTestPartResultReporter reporter(
        ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
    body();
  }
  const ::testing::TestPartResult* first = nullptr;
  for (int i = 0; i < results.size(); ++i) {
    if (results.GetTestPartResult(i).failed()) {
      first = &results.GetTestPartResult(i);
      break;
    }
  }
  if (first == nullptr) {
    ADD_FAILURE() << list.entry << " \"" << name << "\" no longer shows: " << list.agreeing
                  << " here; take it off the list";
    return;
  }
  GTEST_SKIP() << list.entry << " `" << name << "` (" << source << "); it differs at "
               << (first->file_name() != nullptr ? first->file_name() : "?") << ":" << first->line_number() << ":\n"
               << first->message();
}

}  // namespace

void KnownCesimFault(const char* fault, const std::function<void()>& body) {
  if (!OnCesim()) {
    body();
    return;
  }
  if (!IsListed(kCesimFaults, fault)) return;
  ExpectDifference(kCesimFaults, fault, "KNOWN_CESIM_FAULTS.md", body);
}

void KnownWineDifference(const char* difference, const char* wineTest, const std::function<void()>& body) {
  // Listed or not, the name is checked everywhere, so that a mistake shows in the cesim run too.
  if (!IsListed(kWineDifferences, difference)) return;
  if (!OnWine()) {
    body();
    return;
  }
  ExpectDifference(kWineDifferences, difference,
                   std::string("KNOWN_WINE_DIFFERENCES.md; what Windows does, from Wine's ") + wineTest, body);
}

std::string Printable(const Text& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned long c = static_cast<unsigned long>(text[i]) & 0xFFFF;
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
      c = 0x10000 + ((c - 0xD800) << 10) + ((static_cast<unsigned long>(text[++i]) & 0xFFFF) - 0xDC00);
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

}  // namespace conformance
