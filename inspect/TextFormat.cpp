// Byte-wise copying of code page 936 texts. A trail byte of a double-byte
// character can have the value of '%' or 'd', so "%d" is looked for only at
// character boundaries.
#include "inspect/TextFormat.h"

namespace {

// Appends one byte if there is room for it and the terminating NUL.
void Put(char* out, std::size_t size, std::size_t& length, char c) {
  if (length + 1 < size) out[length++] = c;
}

}  // namespace

void CopyText(char* out, std::size_t size, const char* text) {
  if (size == 0) return;
  std::size_t length = 0;
  for (const char* p = text; *p != '\0'; ++p) Put(out, size, length, *p);
  out[length] = '\0';
}

void FormatDecimal(char* out, std::size_t size, const char* format, int value) {
  if (size == 0) return;
  std::size_t length = 0;
  bool replaced = false;
  for (const char* p = format; *p != '\0'; ++p) {
    if (static_cast<unsigned char>(*p) >= 0x80 && p[1] != '\0') {
      // A double-byte character: copy both bytes untouched.
      Put(out, size, length, *p);
      Put(out, size, length, *++p);
      continue;
    }
    if (replaced || p[0] != '%' || p[1] != 'd') {
      Put(out, size, length, *p);
      continue;
    }
    char digits[12];
    int count = 0;
    // Work in unsigned so that the most negative int has a magnitude too.
    unsigned magnitude =
        value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    do {
      digits[count++] = static_cast<char>('0' + magnitude % 10);
      magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) Put(out, size, length, '-');
    while (count > 0) Put(out, size, length, digits[--count]);
    replaced = true;
    ++p;  // past the 'd'
  }
  out[length] = '\0';
}
