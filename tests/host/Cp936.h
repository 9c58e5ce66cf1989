// Decodes the program's ANSI code page 936 texts, so that tests compare them
// with the UTF-8 texts they are meant to be.
#pragma once

#include <iconv.h>

#include <cstring>
#include <stdexcept>
#include <string>

inline std::string Utf8FromCp936(const char* text) {
  iconv_t converter = iconv_open("UTF-8", "CP936");
  if (converter == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no CP936 converter");
  std::string in(text);
  std::string out(in.size() * 4 + 4, '\0');
  char* inPtr = in.data();
  size_t inLeft = in.size();
  char* outPtr = out.data();
  size_t outLeft = out.size();
  const size_t done = iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(converter);
  if (done == static_cast<size_t>(-1)) throw std::runtime_error("not code page 936: " + in);
  out.resize(out.size() - outLeft);
  return out;
}
