// The known-fault wrapper: a body that states the platform's behaviour, run on cesim with its
// failures collected, so that a known cesim fault shows as a named skip instead of a failure.
#include "conformance.h"

#include <gtest/gtest-spi.h>

#include <fstream>
#include <sstream>
#include <string>

namespace conformance {

namespace {

// Whether KNOWN_CESIM_FAULTS.md lists the fault under its name, in backticks.
bool FaultIsListed(const char* fault) {
  std::ifstream list(FOLDWISE_CONFORMANCE_FAULT_LIST);
  std::stringstream text;
  text << list.rdbuf();
  return text.str().find(std::string("`") + fault + "`") != std::string::npos;
}

}  // namespace

void KnownCesimFault(const char* fault, const std::function<void()>& body) {
  if (!OnCesim()) {
    body();
    return;
  }
  if (!FaultIsListed(fault)) {
    ADD_FAILURE() << "known cesim fault \"" << fault << "\" is not listed in " << FOLDWISE_CONFORMANCE_FAULT_LIST;
    return;
  }
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
    ADD_FAILURE() << "known cesim fault \"" << fault
                  << "\" no longer shows: cesim behaves as the platform does here; take it off the list";
    return;
  }
  GTEST_SKIP() << "known cesim fault `" << fault << "` (KNOWN_CESIM_FAULTS.md); cesim differs at "
               << (first->file_name() != nullptr ? first->file_name() : "?") << ":" << first->line_number() << ":\n"
               << first->message();
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
