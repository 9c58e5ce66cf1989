// A text through another code page, and back to UTF-16.
#include "Texts.h"

#include <vector>

namespace texts {

namespace {

std::vector<char> Encode(UINT codePage, const std::wstring& text) {
  const int length = static_cast<int>(text.size());
  const int size =
      WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::vector<char> bytes(static_cast<size_t>(size));
  WideCharToMultiByte(codePage, 0, text.data(), length, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

std::wstring Decode(UINT codePage, const std::vector<char>& bytes) {
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  std::wstring text(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), size, &text[0], length);
  return text;
}

}  // namespace

std::wstring Cp936BytesShownUnder(UINT codePage, const std::wstring& text) {
  return text.empty() ? text : Decode(codePage, Encode(936, text));
}

std::wstring TemplateTextShownUnder(UINT codePage, const std::wstring& text) {
  return text.empty() ? text : Decode(codePage, Encode(codePage, text));
}

}  // namespace texts
