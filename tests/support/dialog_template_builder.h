// Plain dialog templates (DLGTEMPLATE and DLGITEMTEMPLATE records) built in memory, as an
// application builds one, for the tests of the dialog manager.
#ifndef FOLDWISE_TESTS_DIALOG_TEMPLATE_BUILDER_H
#define FOLDWISE_TESTS_DIALOG_TEMPLATE_BUILDER_H

#include <string>
#include <vector>

#include "ceplatform.h"

namespace foldwise_test {

// A template: the dialog, then each control added, DWORD aligned as the format asks.
class TemplateBuilder {
 public:
  TemplateBuilder(DWORD style, short cx, short cy, const std::u16string& title = u"") : style_(style) {
    Dword(style);
    Dword(0);
    countAt_ = words_.size();
    words_.push_back(0);
    for (short v : {short(0), short(0), cx, cy}) words_.push_back(static_cast<WORD>(v));
    words_.push_back(0);  // no menu
    words_.push_back(0);  // the dialog class
    Text(title);
  }

  TemplateBuilder& Font(WORD pointSize, const std::u16string& face) {
    words_.push_back(pointSize);
    Text(face);
    return *this;
  }

  TemplateBuilder& Control(WORD classOrdinal, const std::u16string& text, WORD id, DWORD style, short x, short y,
                           short cx, short cy) {
    Header(style, x, y, cx, cy, id);
    words_.push_back(0xFFFF);
    words_.push_back(classOrdinal);
    return Finish(text);
  }

  TemplateBuilder& Control(const std::u16string& className, const std::u16string& text, WORD id, DWORD style,
                           short x, short y, short cx, short cy, const std::vector<WORD>& data = {}) {
    Header(style, x, y, cx, cy, id);
    Text(className);
    return Finish(text, data);
  }

  const DLGTEMPLATE* Get() { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }
  std::vector<WORD>& Words() { return words_; }

 private:
  void Dword(DWORD value) {
    words_.push_back(static_cast<WORD>(value & 0xFFFF));
    words_.push_back(static_cast<WORD>(value >> 16));
  }
  void Text(const std::u16string& text) {
    for (char16_t c : text) words_.push_back(c);
    words_.push_back(0);
  }
  void Header(DWORD style, short x, short y, short cx, short cy, WORD id) {
    if (words_.size() % 2 != 0) words_.push_back(0);  // DWORD aligned
    Dword(style);
    Dword(0);
    for (short v : {x, y, cx, cy}) words_.push_back(static_cast<WORD>(v));
    words_.push_back(id);
  }
  TemplateBuilder& Finish(const std::u16string& text, const std::vector<WORD>& data = {}) {
    Text(text);
    // Creation data: a size in bytes that counts the size word itself, then the data.
    words_.push_back(data.empty() ? 0 : static_cast<WORD>(2 + 2 * data.size()));
    words_.insert(words_.end(), data.begin(), data.end());
    words_[countAt_]++;
    return *this;
  }

  DWORD style_;
  size_t countAt_ = 0;
  std::vector<WORD> words_;
};

}  // namespace foldwise_test

#endif
