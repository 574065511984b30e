#pragma once
// The text of a printed PDF as the page shows it. Qt's PDF engine tells a
// reader which text each embedded glyph stands for (the font's ToUnicode
// map) by asking the font, for every code point from U+0000 up, which glyph
// it draws, and keeping the first code point that reaches the glyph. Fonts
// draw several code points with one glyph, so the lowest one wins: Nanum
// fonts draw the blank for U+0001..U+001F as for U+0020 (a space then reads
// as U+0001) and DejaVu Sans for U+0009, and the Korean fonts draw the Kangxi
// radicals with the glyphs of their ideographs (己酉 then reads as ⼰⾣), so
// searching or copying the PDF fails. These functions mend those maps after
// the engine has written the file. Qt-free.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The character a glyph stands for when its map names `mapped`: a blank for
// a control character U+0001..U+001F (no text draws one; the map stands
// U+0000 for "no text" and keeps it), the unified ideograph for a CJK
// radical or stroke that looks like one, otherwise `mapped` itself.
char32_t GlyphText(char32_t mapped);

// A ToUnicode CMap with each target mended by GlyphText, its mapping blocks
// written afresh (bfchar blocks of at most 100 entries). nullopt when no
// target needs mending, or when the map holds something this does not read
// (then it is best left as written).
std::optional<std::string> RepairToUnicodeCMap(std::string_view cmap);

// The PDF with every font's ToUnicode map mended and the cross-reference
// table moved to match. Reads files as Qt writes them: one classic xref
// table, ToUnicode streams without filters. nullopt when nothing needs
// mending or the file is not laid out so (it is then left as written: it
// still prints right, only its text reads as before). Any bytes at all may
// be handed in: a damaged or cut file, offsets and lengths pointing anywhere,
// are read within the bytes and end as nullopt, never as an exception.
std::optional<std::string> RepairPdfTextMaps(std::string_view pdf) noexcept;

// Repairs the PDF file at `path` in place (a pending file not yet given its
// name). True when the file is as good as it gets: mended, nothing to mend,
// or not one this reads; false only when it needed mending and the mended
// bytes could not be written whole, so the file must not be kept.
bool RepairPdfTextMapsInFile(const std::filesystem::path& path);

}  // namespace platform
