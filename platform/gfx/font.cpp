#include "platform/gfx/font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <optional>
#include <tuple>
#include <unordered_map>

#include "platform/gfx/utf8.h"

namespace kes::gfx {
namespace {

constexpr const char* kSongFamily = "AR PL UMing CN";
constexpr const char* kSansFamily = "DejaVu Sans";

std::string lower_ascii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// The faces the program names, mapped to the families installed for them;
// fontconfig's own matching picks a sans face or one without Chinese glyphs.
// Lines keep the height and baseline of the named face (its ascent and
// descent per em), so layouts measured against it come out the same.
struct Substitute {
    const char* name;  // lower case
    const char* family;
    double ascent;
    double descent;
};

const Substitute* find_substitute(std::string_view face) {
    static const Substitute kList[] = {
        {"宋体", kSongFamily, 220.0 / 256, 36.0 / 256},
        {"simsun", kSongFamily, 220.0 / 256, 36.0 / 256},
        {"新宋体", kSongFamily, 220.0 / 256, 36.0 / 256},
        {"nsimsun", kSongFamily, 220.0 / 256, 36.0 / 256},
        {"tahoma", kSansFamily, 2049.0 / 2048, 423.0 / 2048},
        {"ms sans serif", kSansFamily, 2049.0 / 2048, 423.0 / 2048},
        {"microsoft sans serif", kSansFamily, 1888.0 / 2048, 430.0 / 2048},
        {"arial", kSansFamily, 1854.0 / 2048, 434.0 / 2048},
    };
    const std::string key = lower_ascii(face);
    for (const Substitute& sub : kList)
        if (key == sub.name) return &sub;
    return nullptr;
}

struct FaceChoice {
    std::string path;
    int index = 0;
    std::string family;
};

// Everything the process keeps for text: the FreeType library, fontconfig and
// one rasterised font per distinct FontSpec.
class FontSystem {
public:
    // Never destroyed: fonts held by other long-lived objects may still use it at exit.
    static FontSystem& get() {
        static FontSystem* system = new FontSystem;
        return *system;
    }

    FT_Library library() const { return library_; }

    // Finds the file for a family through fontconfig; nullopt when fontconfig
    // offers only some other family.
    std::optional<FaceChoice> find(const std::string& family, bool bold, bool italic) {
        const auto key = std::make_tuple(family, bold, italic);
        if (auto it = choices_.find(key); it != choices_.end()) return it->second;
        std::optional<FaceChoice> result;
        FcPattern* pattern = FcPatternCreate();
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
        FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        FcConfigSubstitute(config_, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult res = FcResultNoMatch;
        FcPattern* match = FcFontMatch(config_, pattern, &res);
        if (match) {
            FcChar8* file = nullptr;
            FcChar8* fam = nullptr;
            int index = 0;
            bool same_family = false;
            for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &fam) == FcResultMatch; ++i)
                if (lower_ascii(reinterpret_cast<const char*>(fam)) == lower_ascii(family)) same_family = true;
            if (same_family && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
                FcPatternGetInteger(match, FC_INDEX, 0, &index);
                result = FaceChoice{reinterpret_cast<const char*>(file), index, family};
            }
            FcPatternDestroy(match);
        }
        FcPatternDestroy(pattern);
        choices_[key] = result;
        return result;
    }

    std::shared_ptr<Font::Impl> font(const FontSpec& request);

private:
    FontSystem() {
        FT_Init_FreeType(&library_);
        config_ = FcInitLoadConfigAndFonts();
    }
    FT_Library library_ = nullptr;
    FcConfig* config_ = nullptr;
    std::map<std::tuple<std::string, bool, bool>, std::optional<FaceChoice>> choices_;
    std::map<std::tuple<std::string, double, int, int, bool, bool, bool>, std::shared_ptr<Font::Impl>> fonts_;
};

// One face file opened at one pixel size, with what must be faked for it.
struct SizedFace {
    FT_Face face = nullptr;
    std::string family;
    bool fake_bold = false;
    bool fake_italic = false;

    SizedFace() = default;
    SizedFace(const SizedFace&) = delete;
    SizedFace& operator=(const SizedFace&) = delete;
    ~SizedFace() {
        if (face) FT_Done_Face(face);
    }

    bool open(const FaceChoice& choice, int px, bool bold, bool italic) {
        if (FT_New_Face(FontSystem::get().library(), choice.path.c_str(), choice.index, &face) != 0) {
            face = nullptr;
            return false;
        }
        FT_Set_Pixel_Sizes(face, 0, FT_UInt(px));
        family = choice.family;
        // fontconfig answers with the nearest file, bold or not; the file says what it is.
        const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        const bool file_bold = (face->style_flags & FT_STYLE_FLAG_BOLD) || (os2 && os2->usWeightClass >= 600);
        fake_bold = bold && !file_bold;
        fake_italic = italic && !(face->style_flags & FT_STYLE_FLAG_ITALIC);
        return true;
    }
};

int round_to_int(double v) { return static_cast<int>(std::lround(v)); }

// Linear coverage blended in gamma space reads thin and pale at small sizes;
// a 1.45 gamma on it gives the weight the desktop's smoothed text has.
std::uint8_t darken(int coverage) {
    static const auto table = [] {
        std::array<std::uint8_t, 256> t{};
        for (int i = 0; i < 256; ++i) t[std::size_t(i)] = std::uint8_t(std::lround(255.0 * std::pow(i / 255.0, 1 / 1.45)));
        return t;
    }();
    return table[std::size_t(std::clamp(coverage, 0, 255))];
}

}  // namespace

int points_to_pixels(double points) { return std::max(1, round_to_int(points * 96.0 / 72.0)); }

struct Font::Impl {
    FontSpec request;
    int px = 12;
    SizedFace primary;
    SizedFace fallback;  // the Song face at the same size, unless primary is it
    const Substitute* substitute = nullptr;
    FontMetrics metrics;
    std::unordered_map<char32_t, Glyph> glyphs;

    const Glyph& glyph(char32_t ch) {
        if (auto it = glyphs.find(ch); it != glyphs.end()) return it->second;
        return glyphs.emplace(ch, render(ch)).first->second;
    }

    // Which face has the character: the primary one, else the Song face, else
    // the primary one's missing-glyph box.
    std::pair<SizedFace*, FT_UInt> locate(char32_t ch) {
        if (primary.face) {
            if (FT_UInt gi = FT_Get_Char_Index(primary.face, ch)) return {&primary, gi};
        }
        if (fallback.face) {
            if (FT_UInt gi = FT_Get_Char_Index(fallback.face, ch)) return {&fallback, gi};
        }
        return {primary.face ? &primary : (fallback.face ? &fallback : nullptr), 0};
    }

    Glyph render(char32_t ch) {
        Glyph g;
        // Control characters take no room and leave no ink.
        if (ch < 0x20 || ch == 0x7F) return g;
        auto [sf, gi] = locate(ch);
        if (!sf) return g;
        FT_Int32 flags = FT_LOAD_DEFAULT | FT_LOAD_TARGET_NORMAL;
        // A slant is made on the outline, so the face's bitmaps cannot be used for it.
        if (sf->fake_italic) flags |= FT_LOAD_NO_BITMAP;
        if (FT_Load_Glyph(sf->face, gi, flags) != 0) return g;
        FT_GlyphSlot slot = sf->face->glyph;
        if (sf->fake_italic && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
            FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};  // about 12 degrees
            FT_Outline_Transform(&slot->outline, &shear);
        }
        if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return g;
        const FT_Bitmap& bm = slot->bitmap;
        g.left = slot->bitmap_left;
        g.top = slot->bitmap_top;
        g.width = int(bm.width);
        g.height = int(bm.rows);
        g.advance = int((slot->advance.x + 32) >> 6);
        g.coverage.assign(std::size_t(g.width) * std::size_t(g.height), 0);
        for (int y = 0; y < g.height; ++y) {
            const unsigned char* row = bm.buffer + std::ptrdiff_t(y) * bm.pitch;
            for (int x = 0; x < g.width; ++x) {
                std::uint8_t v = 0;
                if (bm.pixel_mode == FT_PIXEL_MODE_MONO)
                    v = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
                else if (bm.pixel_mode == FT_PIXEL_MODE_GRAY)
                    v = darken(bm.num_grays == 256 ? row[x] : row[x] * 255 / std::max(1, int(bm.num_grays) - 1));
                g.coverage[std::size_t(y) * std::size_t(g.width) + std::size_t(x)] = v;
            }
        }
        // Bold made the way the desktop makes it for faces without a bold
        // file: the ink smeared one pixel to the right, one pixel wider.
        if (sf->fake_bold && g.width > 0) {
            std::vector<std::uint8_t> wide(std::size_t(g.width + 1) * std::size_t(g.height), 0);
            for (int y = 0; y < g.height; ++y)
                for (int x = 0; x <= g.width; ++x) {
                    const std::size_t src = std::size_t(y) * std::size_t(g.width);
                    const std::uint8_t a = x < g.width ? g.coverage[src + std::size_t(x)] : 0;
                    const std::uint8_t b = x > 0 ? g.coverage[src + std::size_t(x) - 1] : 0;
                    wide[std::size_t(y) * std::size_t(g.width + 1) + std::size_t(x)] = std::max(a, b);
                }
            g.coverage = std::move(wide);
            g.width += 1;
        }
        if (sf->fake_bold && g.advance > 0) g.advance += 1;
        return g;
    }

    void measure() {
        FontMetrics m;
        FT_Face f = primary.face ? primary.face : fallback.face;
        if (f && FT_IS_SCALABLE(f)) {
            // The OS/2 table's Windows ascent and descent make the desktop's
            // line height; hhea is the second choice.
            const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(f, FT_SFNT_OS2));
            const double scale = double(px) / f->units_per_EM;
            double asc = f->ascender, desc = -f->descender;
            if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
                asc = os2->usWinAscent;
                desc = os2->usWinDescent;
            }
            m.ascent = round_to_int(asc * scale);
            m.height = m.ascent + round_to_int(desc * scale);
            // The named face's line height, with the baseline where the drawing face's glyphs need it.
            if (substitute) m.height = round_to_int((substitute->ascent + substitute->descent) * px);
            m.underline_offset = round_to_int((-f->underline_position - f->underline_thickness / 2.0) * scale);
            m.underline_thickness = std::max(1, round_to_int(f->underline_thickness * scale));
        } else if (f) {
            m.ascent = int((f->size->metrics.ascender + 63) >> 6);
            m.height = m.ascent + int((-f->size->metrics.descender + 63) >> 6);
        }
        if (m.height <= 0) m.height = px;
        m.ascent = std::clamp(m.ascent, 1, m.height);
        m.descent = m.height - m.ascent;
        // Keep the underline inside the line so a clip to the line box shows it.
        m.underline_thickness = std::clamp(m.underline_thickness, 1, std::max(1, m.descent));
        m.underline_offset = std::clamp(m.underline_offset, 0, std::max(0, m.descent - m.underline_thickness));
        int sum = 0;
        for (char32_t c = 'a'; c <= 'z'; ++c) sum += glyph(c).advance + glyph(c - 'a' + 'A').advance;
        m.average_char_width = (sum + 26) / 52;
        metrics = m;
    }
};

std::shared_ptr<Font::Impl> FontSystem::font(const FontSpec& request) {
    const auto key = std::make_tuple(request.face, request.points, request.weight, request.charset, request.italic, request.underline,
                                     request.strikeout);
    if (auto it = fonts_.find(key); it != fonts_.end()) return it->second;

    auto impl = std::make_shared<Font::Impl>();
    impl->request = request;
    impl->px = points_to_pixels(request.points);
    const bool bold = request.weight >= 600;
    impl->substitute = find_substitute(request.face);
    std::optional<FaceChoice> choice = find(impl->substitute ? impl->substitute->family : request.face, bold, request.italic);
    // A face this machine does not have: the Song face for Chinese text,
    // the sans face otherwise.
    if (!choice) choice = find(request.charset == 134 ? kSongFamily : kSansFamily, bold, request.italic);
    if (choice) impl->primary.open(*choice, impl->px, bold, request.italic);
    if (!choice || choice->family != kSongFamily) {
        if (auto song = find(kSongFamily, bold, request.italic)) impl->fallback.open(*song, impl->px, bold, request.italic);
    }
    impl->measure();
    fonts_.emplace(key, impl);
    return impl;
}

Font::Font() : Font(FontSpec{}) {}
Font::Font(const FontSpec& request) : impl_(FontSystem::get().font(request)) {}
Font::Font(std::string face, double points, int weight, int charset)
    : Font(FontSpec{std::move(face), points, weight, charset, false, false, false}) {}

const FontSpec& Font::request() const { return impl_->request; }
int Font::pixel_size() const { return impl_->px; }
const FontMetrics& Font::metrics() const { return impl_->metrics; }
std::string Font::family() const { return impl_->primary.face ? impl_->primary.family : impl_->fallback.family; }

std::string Font::family_for(char32_t ch) const {
    auto [sf, gi] = impl_->locate(ch);
    return sf ? sf->family : std::string();
}

const Glyph& Font::glyph(char32_t ch) const { return impl_->glyph(ch); }

int Font::text_width(std::string_view utf8) const {
    int w = 0;
    for (char32_t ch : decode_utf8(utf8)) w += impl_->glyph(ch).advance;
    return w;
}

Size Font::text_extent(std::string_view utf8) const { return {text_width(utf8), metrics().height}; }

}  // namespace kes::gfx
