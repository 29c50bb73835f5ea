#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Text is a byte string in the GBK code page. A byte of 0x80 or above together
// with the byte after it is one two-byte character. Positions are 1-based byte
// positions; a search that finds nothing yields -1. Lengths count bytes.
using Text = std::string;

enum class Case { Exact, IgnoreAscii };

// Position of the first match of needle at a character start, searching from
// `start` (1-based), or -1. A lead byte at the very end of haystack ends the
// search. An empty needle, or a start outside the haystack, finds nothing.
// Case::IgnoreAscii folds only the letters A-Z and a-z; both bytes of a
// two-byte character always compare exactly.
int find_text(const Text& haystack, const Text& needle, int start = 1, Case mode = Case::Exact);

// Splits at every delimiter found at a character start. Each match ends a part
// (possibly empty); the bytes after the last match form a final part only when
// there is at least one of them. An empty text gives no parts; an empty
// delimiter gives the whole text as one part.
std::vector<Text> split_text(const Text& text, const Text& delimiter);

// Replaces every non-overlapping match of needle, scanning by characters from
// the first byte. The replacement is never scanned again.
Text replace_text(const Text& source, const Text& needle, const Text& replacement, Case mode);

// The first / last `count` bytes; 0 or less gives the empty Text, more than the
// length gives the whole Text.
Text left_text(const Text& text, int count);
Text right_text(const Text& text, int count);

// Reads a decimal integer the way the port box is read: full-width forms
// become ASCII first, leading white space is skipped, one sign is taken, then
// digits up to the first non-digit. The value wraps modulo 2^32. No digits: 0.
std::int32_t text_to_int(const Text& text);

// Decimal digits of n, with a leading "-" when negative.
Text int_to_text(std::int32_t n);
