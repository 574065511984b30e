#include "platform/PdfTextMap.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <new>
#include <set>
#include <vector>

#include "platform/RadicalIdeographs.h"
#include "platform/TextFile.h"

namespace platform {
namespace {

constexpr std::size_t kNone = std::string_view::npos;
constexpr std::size_t kEntriesPerBlock = 100;  // the most a bfchar block may hold

bool IsWhite(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0'; }
bool IsDelimiter(char c) { return std::string_view("()<>[]{}/%").find(c) != kNone; }
bool IsRegular(char c) { return !IsWhite(c) && !IsDelimiter(c); }

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string Hex(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (const char b : bytes) {
        const auto v = static_cast<unsigned char>(b);
        out += kDigits[v >> 4];
        out += kDigits[v & 15];
    }
    return out;
}

// ---- The CMap --------------------------------------------------------------

enum class TokenKind { Hex, Word, ArrayOpen, ArrayClose, Other };

struct Token {
    TokenKind kind;
    std::size_t begin, end;  // bytes of the token in the CMap
    std::string value;       // the bytes of a hex string, the text of a word
};

// PostScript tokens, as far as a CMap uses them. nullopt on a malformed
// string or an unknown delimiter.
std::optional<std::vector<Token>> Tokens(std::string_view s) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < s.size()) {
        const char c = s[i];
        const std::size_t begin = i;
        if (IsWhite(c)) {
            ++i;
        } else if (c == '%') {
            while (i < s.size() && s[i] != '\n' && s[i] != '\r') ++i;
        } else if (c == '(') {
            int depth = 0;
            for (; i < s.size(); ++i) {
                if (s[i] == '\\') {
                    ++i;
                } else if (s[i] == '(') {
                    ++depth;
                } else if (s[i] == ')' && --depth == 0) {
                    break;
                }
            }
            if (i >= s.size()) return std::nullopt;
            tokens.push_back({TokenKind::Other, begin, ++i, {}});
        } else if (c == '<' && i + 1 < s.size() && s[i + 1] == '<') {
            i += 2;
            tokens.push_back({TokenKind::Other, begin, i, {}});
        } else if (c == '>' && i + 1 < s.size() && s[i + 1] == '>') {
            i += 2;
            tokens.push_back({TokenKind::Other, begin, i, {}});
        } else if (c == '<') {
            std::string digits;
            for (++i; i < s.size() && s[i] != '>'; ++i) {
                if (IsWhite(s[i])) continue;
                if (HexValue(s[i]) < 0) return std::nullopt;
                digits += s[i];
            }
            if (i >= s.size()) return std::nullopt;
            if (digits.size() % 2) digits += '0';
            std::string bytes;
            for (std::size_t k = 0; k < digits.size(); k += 2)
                bytes += static_cast<char>(HexValue(digits[k]) * 16 + HexValue(digits[k + 1]));
            tokens.push_back({TokenKind::Hex, begin, ++i, bytes});
        } else if (c == '[' || c == ']') {
            ++i;
            tokens.push_back({c == '[' ? TokenKind::ArrayOpen : TokenKind::ArrayClose, begin, i, {}});
        } else if (c == '{' || c == '}' || c == '/') {
            ++i;
            if (c == '/')
                while (i < s.size() && IsRegular(s[i])) ++i;
            tokens.push_back({TokenKind::Other, begin, i, {}});
        } else if (IsRegular(c)) {
            while (i < s.size() && IsRegular(s[i])) ++i;
            tokens.push_back({TokenKind::Word, begin, i, std::string(s.substr(begin, i - begin))});
        } else {
            return std::nullopt;
        }
    }
    return tokens;
}

struct Mapping {
    std::string code;  // source code bytes
    std::string text;  // UTF-16BE bytes
};

// The entries of the bfchar or bfrange block whose begin keyword is
// tokens[i]; leaves i on its end keyword. False on anything else.
bool ReadBlock(const std::vector<Token>& tokens, std::size_t& i, std::vector<Mapping>& out) {
    const bool range = tokens[i].value == "beginbfrange";
    const std::string end = range ? "endbfrange" : "endbfchar";
    const auto is = [&](std::size_t k, TokenKind kind) { return k < tokens.size() && tokens[k].kind == kind; };
    for (++i; i < tokens.size(); ) {
        if (tokens[i].kind == TokenKind::Word && tokens[i].value == end) return true;
        if (!range) {
            if (!is(i, TokenKind::Hex) || !is(i + 1, TokenKind::Hex)) return false;
            out.push_back({tokens[i].value, tokens[i + 1].value});
            i += 2;
            continue;
        }
        if (!is(i, TokenKind::Hex) || !is(i + 1, TokenKind::Hex)) return false;
        const std::string& lo = tokens[i].value;
        const std::string& hi = tokens[i + 1].value;
        // Only the last byte of a range's codes varies.
        if (lo.empty() || lo.size() != hi.size() || lo.substr(0, lo.size() - 1) != hi.substr(0, hi.size() - 1) ||
            static_cast<unsigned char>(lo.back()) > static_cast<unsigned char>(hi.back()))
            return false;
        const int count = static_cast<unsigned char>(hi.back()) - static_cast<unsigned char>(lo.back()) + 1;
        std::string code = lo;
        const auto code_at = [&](int k) {
            code.back() = static_cast<char>(static_cast<unsigned char>(lo.back()) + k);
            return code;
        };
        i += 2;
        if (is(i, TokenKind::Hex)) {
            // Consecutive codes, the last byte of the text counting up.
            const std::string& first = tokens[i].value;
            if (first.empty() || static_cast<unsigned char>(first.back()) + count - 1 > 0xFF) return false;
            std::string text = first;
            for (int k = 0; k < count; ++k) {
                text.back() = static_cast<char>(static_cast<unsigned char>(first.back()) + k);
                out.push_back({code_at(k), text});
            }
            ++i;
        } else if (is(i, TokenKind::ArrayOpen)) {
            int k = 0;
            for (++i; is(i, TokenKind::Hex); ++i, ++k) {
                if (k >= count) return false;
                out.push_back({code_at(k), tokens[i].value});
            }
            if (k != count || !is(i, TokenKind::ArrayClose)) return false;
            ++i;
        } else {
            return false;
        }
    }
    return false;
}

// The UTF-16BE text mended, or nullopt when it stays.
std::optional<std::string> MendedText(const std::string& text) {
    const auto unit = [&](std::size_t k) {
        return static_cast<char32_t>(static_cast<unsigned char>(text[k]) << 8 | static_cast<unsigned char>(text[k + 1]));
    };
    char32_t c;
    if (text.size() == 2 && (unit(0) < 0xD800 || unit(0) > 0xDFFF)) {
        c = unit(0);
    } else if (text.size() == 4 && unit(0) >= 0xD800 && unit(0) <= 0xDBFF && unit(2) >= 0xDC00 && unit(2) <= 0xDFFF) {
        c = 0x10000 + ((unit(0) - 0xD800) << 10) + (unit(2) - 0xDC00);
    } else {
        return std::nullopt;
    }
    const char32_t mended = GlyphText(c);
    if (mended == c) return std::nullopt;
    const auto put = [](std::string& s, char32_t u) {
        s += static_cast<char>(u >> 8);
        s += static_cast<char>(u & 0xFF);
    };
    std::string out;
    if (mended < 0x10000) {
        put(out, mended);
    } else {
        put(out, 0xD800 + ((mended - 0x10000) >> 10));
        put(out, 0xDC00 + ((mended - 0x10000) & 0x3FF));
    }
    return out;
}

// ---- The PDF ---------------------------------------------------------------

// A cursor over the file's bytes that reads the few PDF tokens needed here.
struct Reader {
    std::string_view s;
    std::size_t at;

    // Every read checks `at` itself: it may have been set from an offset
    // the file claims.
    void SkipWhite() {
        while (at < s.size() && IsWhite(s[at])) ++at;
    }
    bool Keyword(std::string_view word) {
        SkipWhite();
        if (at > s.size() || s.substr(at, word.size()) != word) return false;
        const std::size_t after = at + word.size();
        if (after < s.size() && IsRegular(s[after]) && IsRegular(word.back())) return false;
        at = after;
        return true;
    }
    std::optional<std::uint64_t> Number() {
        SkipWhite();
        if (at >= s.size()) return std::nullopt;
        std::uint64_t value = 0;
        const char* first = s.data() + at;
        const char* last = s.data() + std::min(s.size(), at + 12);
        const auto [end, error] = std::from_chars(first, last, value);
        if (error != std::errc() || (end < s.data() + s.size() && IsRegular(*end))) return std::nullopt;
        at += static_cast<std::size_t>(end - first);
        return value;
    }
};

struct XrefEntry {
    std::uint64_t object;
    std::size_t field;   // where its 10-digit offset stands in the file
    std::size_t offset;  // where the object starts
};

// A classic cross-reference table as Qt writes it (no incremental update).
struct Xref {
    std::size_t at;            // the "xref" keyword
    std::size_t startxref_at;  // the number after "startxref"
    std::size_t startxref_end;
    std::vector<XrefEntry> used;
};

std::optional<Xref> ReadXref(std::string_view pdf) {
    Xref xref{};
    const std::size_t keyword = pdf.rfind("startxref");
    if (keyword == kNone) return std::nullopt;
    Reader r{pdf, keyword + 9};
    r.SkipWhite();
    xref.startxref_at = r.at;
    const auto at = r.Number();
    if (!at || *at >= keyword) return std::nullopt;
    xref.startxref_end = r.at;
    if (!r.Keyword("%%EOF")) return std::nullopt;
    xref.at = static_cast<std::size_t>(*at);
    r.at = xref.at;
    if (!r.Keyword("xref")) return std::nullopt;
    // The table and its trailer lie between the "xref" and the "startxref".
    for (;;) {
        r.SkipWhite();
        if (r.at >= keyword) return std::nullopt;
        if (pdf.substr(r.at, 7) == "trailer") break;
        const auto first = r.Number();
        const auto count = r.Number();
        if (!first || !count || *count > pdf.size() / 20) return std::nullopt;
        r.SkipWhite();
        for (std::uint64_t k = 0; k < *count; ++k) {
            // "oooooooooo ggggg n" and a two-byte line end.
            if (r.at > keyword || keyword - r.at < 20) return std::nullopt;
            const std::string_view line = pdf.substr(r.at, 20);
            if (line[10] != ' ' || line[16] != ' ' || (line[17] != 'n' && line[17] != 'f'))
                return std::nullopt;
            if (line[17] == 'n') {
                std::size_t offset = 0;
                const auto [end, error] = std::from_chars(line.data(), line.data() + 10, offset);
                if (error != std::errc() || end != line.data() + 10 || offset >= xref.at) return std::nullopt;
                xref.used.push_back({*first + k, r.at, offset});
            }
            r.at += 20;
        }
    }
    const std::string_view trailer = pdf.substr(r.at, keyword - r.at);
    if (trailer.find("/Prev") != kNone || trailer.find("/XRefStm") != kNone) return std::nullopt;
    return xref;
}

// "n g obj" at an object's start; the position after it, or kNone.
std::size_t AfterObjectHeader(std::string_view pdf, const XrefEntry& e) {
    Reader r{pdf, e.offset};
    const auto number = r.Number();
    if (!number || *number != e.object || !r.Number() || !r.Keyword("obj")) return kNone;
    return r.at;
}

// The numbers of the objects that a "/ToUnicode n g R" in a dictionary names.
std::set<std::uint64_t> ToUnicodeObjects(std::string_view pdf, const Xref& xref,
                                         const std::vector<std::size_t>& starts) {
    std::set<std::uint64_t> found;
    for (std::size_t k = 0; k < starts.size(); ++k) {
        const std::size_t end = k + 1 < starts.size() ? starts[k + 1] : xref.at;
        // The dictionary of an object, never the data of its stream.
        std::string_view object = pdf.substr(starts[k], end - starts[k]);
        object = object.substr(0, object.find("stream"));
        for (std::size_t at = object.find("/ToUnicode"); at != kNone; at = object.find("/ToUnicode", at + 1)) {
            Reader r{object, at + 10};
            const auto number = r.Number();
            if (number && r.Number() && r.Keyword("R")) found.insert(*number);
        }
    }
    return found;
}

// One object rewritten: bytes [begin, end) become `bytes`.
struct Replacement {
    std::size_t begin, end;
    std::string bytes;
};

// The ToUnicode stream object of entry `e` with its map mended, or nullopt
// when it needs nothing or is not a plain stream with only a /Length.
std::optional<Replacement> RepairStreamObject(std::string_view pdf, const XrefEntry& e,
                                              const std::map<std::uint64_t, const XrefEntry*>& by_number,
                                              std::size_t region_end) {
    // A header running into the next object's bytes (an offset off its
    // object) is no header of a stream this can rewrite.
    const std::size_t header_end = AfterObjectHeader(pdf, e);
    if (header_end == kNone || header_end > region_end) return std::nullopt;
    Reader r{pdf.substr(0, region_end), header_end};
    if (!r.Keyword("<<") || !r.Keyword("/Length")) return std::nullopt;
    auto length = r.Number();
    if (!length) return std::nullopt;
    const std::size_t after_length = r.at;
    const auto generation = r.Number();
    if (generation && r.Keyword("R")) {
        // An indirect length: "n g obj <length> endobj".
        const auto target = by_number.find(*length);
        if (target == by_number.end()) return std::nullopt;
        const std::size_t after = AfterObjectHeader(pdf, *target->second);
        if (after == kNone) return std::nullopt;
        Reader l{pdf, after};
        length = l.Number();
        if (!length || !l.Keyword("endobj")) return std::nullopt;
    } else {
        r.at = after_length;
    }
    if (!r.Keyword(">>") || !r.Keyword("stream")) return std::nullopt;
    if (r.s.substr(r.at, 2) == "\r\n") {
        r.at += 2;
    } else if (r.at < r.s.size() && r.s[r.at] == '\n') {
        ++r.at;
    } else {
        return std::nullopt;
    }
    if (*length > region_end - r.at) return std::nullopt;
    const std::string_view cmap = pdf.substr(r.at, static_cast<std::size_t>(*length));
    r.at += cmap.size();
    if (!r.Keyword("endstream") || !r.Keyword("endobj")) return std::nullopt;
    const std::optional<std::string> mended = RepairToUnicodeCMap(cmap);
    if (!mended) return std::nullopt;
    const std::string_view header = pdf.substr(e.offset, header_end - e.offset);
    std::string bytes(header);
    bytes += "\n<< /Length " + std::to_string(mended->size()) + " >>\nstream\n";
    bytes += *mended;
    bytes += "\nendstream\nendobj";
    return Replacement{e.offset, r.at, std::move(bytes)};
}

}  // namespace

char32_t GlyphText(char32_t mapped) {
    if (mapped >= 0x01 && mapped <= 0x1F) return U' ';
    const std::span<const RadicalIdeograph> rows = RadicalIdeographs();
    const auto row = std::upper_bound(rows.begin(), rows.end(), mapped,
                                      [](char32_t c, const RadicalIdeograph& r) { return c < r.first; });
    if (row != rows.begin() && mapped <= std::prev(row)->last) return std::prev(row)->ideograph;
    return mapped;
}

std::optional<std::string> RepairToUnicodeCMap(std::string_view cmap) {
    const std::optional<std::vector<Token>> tokens = Tokens(cmap);
    if (!tokens) return std::nullopt;
    std::vector<Mapping> mappings;
    std::size_t blocks_begin = kNone, blocks_end = 0;
    std::size_t next_block = 0;  // the token a following block must start at
    for (std::size_t i = 0; i < tokens->size(); ++i) {
        const Token& t = (*tokens)[i];
        if (t.kind != TokenKind::Word) continue;
        if (t.value == "beginbfchar" || t.value == "beginbfrange") {
            // "<count> beginbf..." and the blocks one after the other, so
            // that they can be written afresh in their place.
            if (i == 0 || (*tokens)[i - 1].kind != TokenKind::Word ||
                (*tokens)[i - 1].value.find_first_not_of("0123456789") != std::string::npos)
                return std::nullopt;
            if (blocks_begin == kNone) {
                blocks_begin = (*tokens)[i - 1].begin;
            } else if (i - 1 != next_block) {
                return std::nullopt;
            }
            if (!ReadBlock(*tokens, i, mappings)) return std::nullopt;
            blocks_end = (*tokens)[i].end;
            next_block = i + 1;
        }
    }
    bool changed = false;
    for (Mapping& m : mappings) {
        if (std::optional<std::string> text = MendedText(m.text)) {
            m.text = std::move(*text);
            changed = true;
        }
    }
    if (!changed) return std::nullopt;
    std::string out(cmap.substr(0, blocks_begin));
    for (std::size_t first = 0; first < mappings.size(); first += kEntriesPerBlock) {
        const std::size_t count = std::min(kEntriesPerBlock, mappings.size() - first);
        if (first > 0) out += '\n';
        out += std::to_string(count) + " beginbfchar\n";
        for (std::size_t k = first; k < first + count; ++k) {
            out += '<';
            out += Hex(mappings[k].code);
            out += "> <";
            out += Hex(mappings[k].text);
            out += ">\n";
        }
        out += "endbfchar";
    }
    out += cmap.substr(blocks_end);
    return out;
}

namespace {

std::optional<std::string> MendedPdf(std::string_view pdf) {
    const std::optional<Xref> xref = ReadXref(pdf);
    if (!xref) return std::nullopt;
    std::map<std::uint64_t, const XrefEntry*> by_number;
    std::vector<std::size_t> starts;
    for (const XrefEntry& e : xref->used) {
        if (!by_number.emplace(e.object, &e).second) return std::nullopt;
        starts.push_back(e.offset);
    }
    std::sort(starts.begin(), starts.end());
    if (std::adjacent_find(starts.begin(), starts.end()) != starts.end()) return std::nullopt;

    std::vector<Replacement> replacements;
    for (const std::uint64_t number : ToUnicodeObjects(pdf, *xref, starts)) {
        const auto entry = by_number.find(number);
        if (entry == by_number.end()) continue;
        const auto next = std::upper_bound(starts.begin(), starts.end(), entry->second->offset);
        const std::size_t region_end = next == starts.end() ? xref->at : *next;
        if (std::optional<Replacement> r = RepairStreamObject(pdf, *entry->second, by_number, region_end))
            replacements.push_back(std::move(*r));
    }
    if (replacements.empty()) return std::nullopt;
    std::sort(replacements.begin(), replacements.end(),
              [](const Replacement& a, const Replacement& b) { return a.begin < b.begin; });

    // Where a byte of the old file stands in the new one: moved by what the
    // replacements before it added or took away (shifts[k]: by the first k).
    std::vector<std::ptrdiff_t> shifts{0};
    for (const Replacement& r : replacements)
        shifts.push_back(shifts.back() + static_cast<std::ptrdiff_t>(r.bytes.size()) -
                         static_cast<std::ptrdiff_t>(r.end - r.begin));
    const auto moved = [&](std::size_t offset) {
        const auto before = std::upper_bound(replacements.begin(), replacements.end(), offset,
                                             [](std::size_t at, const Replacement& r) { return at < r.end; });
        const std::ptrdiff_t shift = shifts[static_cast<std::size_t>(before - replacements.begin())];
        return static_cast<std::size_t>(static_cast<std::ptrdiff_t>(offset) + shift);
    };
    std::string out;
    out.reserve(pdf.size() + 4096);
    std::size_t copied = 0;
    for (const Replacement& r : replacements) {
        if (r.begin < copied || r.end < r.begin) return std::nullopt;
        out += pdf.substr(copied, r.begin - copied);
        out += r.bytes;
        copied = r.end;
    }
    // The table and the trailer, each offset moved.
    if (copied > xref->at || xref->startxref_at < xref->at || xref->startxref_end > pdf.size()) return std::nullopt;
    std::string tail(pdf.substr(copied, xref->startxref_at - copied));
    const std::size_t tail_at = copied;
    for (const XrefEntry& e : xref->used) {
        const std::size_t offset = moved(e.offset);
        if (offset > 9'999'999'999u) return std::nullopt;
        if (e.field < tail_at || tail.size() < 10 || e.field - tail_at > tail.size() - 10) return std::nullopt;
        char field[11];
        std::snprintf(field, sizeof field, "%010zu", offset);
        tail.replace(e.field - tail_at, 10, field, 10);
    }
    out += tail;
    out += std::to_string(moved(xref->at));
    out += pdf.substr(xref->startxref_end);
    return out;
}

}  // namespace

std::optional<std::string> RepairPdfTextMaps(std::string_view pdf) noexcept {
    // The bytes come from a file, however they were written: a file this
    // does not read, or no memory to mend it, leaves it as written. The fuzz
    // build lets any other fault end the program, so that it is found.
    try {
        return MendedPdf(pdf);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
#ifndef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
    catch (...) {
        return std::nullopt;
    }
#endif
}

bool RepairPdfTextMapsInFile(const std::filesystem::path& path) {
    const std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes) return true;
    const std::optional<std::string> mended = RepairPdfTextMaps(*bytes);
    if (!mended) return true;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(mended->data(), static_cast<std::streamsize>(mended->size()));
    out.close();
    return !out.fail();
}

}  // namespace platform
