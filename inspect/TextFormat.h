// Bounded copying and the one formatting the inspection needs, without the
// C library's printf family (which would bring its locale machinery into a
// program that is meant to stay small).
#pragma once

#include <cstddef>

// Copies text into out, cut to fit; out always ends with a NUL.
void CopyText(char* out, std::size_t size, const char* text);

// Copies format into out with its first "%d" replaced by value in decimal;
// cut to fit, and always NUL-terminated.
void FormatDecimal(char* out, std::size_t size, const char* format, int value);
