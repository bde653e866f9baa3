#include "platform/gfx/text_layout.h"

#include "platform/gfx/utf8.h"

namespace kes::gfx {
namespace {

struct Shown {
    std::u32string chars;
    std::vector<bool> marked;  // the character follows a single "&"
};

Shown process_prefixes(const std::u32string& in, bool prefixes) {
    Shown out;
    for (std::size_t i = 0; i < in.size(); ++i) {
        char32_t c = in[i];
        bool mark = false;
        if (prefixes && c == U'&') {
            if (i + 1 >= in.size()) break;  // a trailing "&" marks nothing and shows nothing
            c = in[++i];
            mark = c != U'&';
        }
        out.chars.push_back(c);
        out.marked.push_back(mark);
    }
    return out;
}

// Chinese and other wide scripts may break between any two characters.
bool is_wide(char32_t c) { return c >= 0x2E80 && !(c >= 0xFF61 && c <= 0xFFDC); }
bool is_space(char32_t c) { return c == U' ' || c == U'\t' || c == 0x3000; }
// Punctuation that must not start a line.
bool is_closing(char32_t c) {
    return std::u32string_view(U"，。、；：？！）」』】》〉”’,.;:?!)]}").find(c) != std::u32string_view::npos;
}

struct Piece {
    std::size_t begin;
    std::size_t end;  // one past the last character kept on the line
};

// Greedy wrapping of one paragraph [begin, end) into pieces no wider than `width`.
std::vector<Piece> wrap(const Font& font, const std::u32string& s, std::size_t begin, std::size_t end, int width) {
    std::vector<Piece> out;
    std::size_t start = begin;
    while (start < end) {
        int w = 0;
        std::size_t i = start;
        std::size_t last_break = start;  // end of the line if broken at the last opportunity
        std::size_t resume = start;      // where the next line then begins
        while (i < end) {
            const int adv = font.advance(s[i]);
            if (w + adv > width && !is_space(s[i]) && i > start) break;
            w += adv;
            ++i;
            if (i < end) {
                if (is_space(s[i - 1]) && !is_space(s[i])) {
                    std::size_t e = i;
                    while (e > start && is_space(s[e - 1])) --e;
                    last_break = e, resume = i;
                } else if ((is_wide(s[i - 1]) || is_wide(s[i])) && !is_space(s[i]) && !is_closing(s[i]) &&
                           !is_space(s[i - 1])) {
                    last_break = i, resume = i;
                }
            }
        }
        if (i >= end) {
            std::size_t e = end;
            while (e > start && is_space(s[e - 1])) --e;
            out.push_back({start, e});
            break;
        }
        if (last_break > start) {
            out.push_back({start, last_break});
            start = resume;
        } else {
            // One word wider than the rectangle: break it where it overflows.
            out.push_back({start, i});
            start = i;
        }
        while (start < end && is_space(s[start])) ++start;
    }
    if (out.empty()) out.push_back({begin, begin});
    return out;
}

}  // namespace

std::string strip_prefixes(std::string_view utf8) {
    return encode_utf8(process_prefixes(decode_utf8(utf8), true).chars);
}

TextLayout layout_text(const Font& font, std::string_view utf8, Rect rect, unsigned flags) {
    TextLayout layout;
    const Shown shown = process_prefixes(decode_utf8(utf8), (flags & kTextNoPrefix) == 0);
    const bool single = (flags & kTextSingleLine) != 0;
    const int lh = font.metrics().height;

    // Paragraphs, split at line breaks unless the text is one line.
    std::vector<Piece> paragraphs;
    std::u32string chars;
    std::vector<bool> marked;
    {
        std::size_t begin = 0;
        for (std::size_t i = 0; i < shown.chars.size(); ++i) {
            const char32_t c = shown.chars[i];
            if (c == U'\r' || c == U'\n') {
                if (!single) {
                    paragraphs.push_back({begin, chars.size()});
                    if (c == U'\r' && i + 1 < shown.chars.size() && shown.chars[i + 1] == U'\n') ++i;
                    begin = chars.size();
                }
                continue;
            }
            chars.push_back(c);
            marked.push_back(shown.marked[i]);
        }
        if (!chars.empty() || !paragraphs.empty() || begin < chars.size()) paragraphs.push_back({begin, chars.size()});
    }

    std::vector<Piece> pieces;
    for (const Piece& p : paragraphs) {
        if (!single && (flags & kTextWordBreak)) {
            for (const Piece& q : wrap(font, chars, p.begin, p.end, rect.width)) pieces.push_back(q);
        } else {
            pieces.push_back(p);
        }
    }

    int y = rect.y;
    if (single && (flags & kTextVCenter))
        y = (rect.y + rect.bottom() - lh) / 2;
    else if (single && (flags & kTextBottom))
        y = rect.bottom() - lh;

    for (const Piece& p : pieces) {
        // Measuring asks how high the text is, whatever the rectangle's height.
        if (!(flags & (kTextNoClip | kTextCalcRect)) && y >= rect.bottom() && !layout.lines.empty()) break;
        TextLine line;
        line.text = chars.substr(p.begin, p.end - p.begin);
        for (char32_t c : line.text) line.width += font.advance(c);
        for (std::size_t i = p.begin; i < p.end; ++i)
            if (marked[i]) {
                line.underline_index = int(i - p.begin);
                break;
            }
        int x = rect.x;
        if (flags & kTextCenter)
            x = (rect.x + rect.right() - line.width) / 2;
        else if (flags & kTextRight)
            x = rect.right() - line.width;
        line.origin = {x, y};
        layout.bounds = layout.bounds.is_empty() && layout.lines.empty()
                            ? Rect{x, y, line.width, lh}
                            : Rect::from_edges(std::min(layout.bounds.x, x), layout.bounds.y,
                                               std::max(layout.bounds.right(), x + line.width), y + lh);
        layout.lines.push_back(std::move(line));
        y += lh;
    }
    if (layout.lines.empty()) layout.bounds = {rect.x, rect.y, 0, 0};
    return layout;
}

}  // namespace kes::gfx
