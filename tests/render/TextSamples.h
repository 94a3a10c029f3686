#pragma once

#include <string>

// Paragraphs for the line-breaking tests and the text benchmark.

// Chinese of the tool's own kind, with full-width punctuation and some Latin and digits.
std::wstring ChineseParagraph(size_t characters);
// English words and punctuation.
std::wstring LatinParagraph(size_t characters);
