// Texts in an SVG chart: the names of a material file made into XML text, and
// how wide a text is drawn, for labels that must not overlap.
#pragma once

#include <string>
#include <vector>

// The bytes as XML text in UTF-8, fit for element content and for an attribute
// in double quotes. A material file holds single-byte names in the Windows code
// page; bytes from 128 up are read in the run's code page (CodePage::active:
// 1252 unless --codepage says another), as the editor shows them, a byte that
// code page leaves undefined as the replacement character. The markup characters become entities,
// and control characters, most of which XML cannot hold at all, their visible pictures (U+2400 on),
// so that such a name is seen and not lost.
std::string xmlText(const std::string& bytes);

// The width of `bytes` drawn in a sans-serif font of `fontSize` pixels, erring
// on the wide side of the common ones, so that labels believed apart are.
double textWidth(const std::string& bytes, double fontSize);

// Lines of at most `width` in `fontSize` pixels: SVG 1.1 does not wrap text.
// Broken at blanks, and inside a word only where the word alone is wider.
std::vector<std::string> wrappedText(const std::string& text, double width, double fontSize);

// A coordinate as SVG writes it: a tenth of a pixel at most, whatever the
// locale.
std::string svgNumber(double value);
