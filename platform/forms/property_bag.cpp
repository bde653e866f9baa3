#include "platform/forms/property_bag.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace kes::forms {
namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

// A whole number held by a value, when it is one (doubles round half to even).
std::optional<std::int64_t> as_integer(const PropertyValue& v) {
    if (auto* b = std::get_if<bool>(&v)) return *b ? -1 : 0;  // True is -1, as stored forms have it
    if (auto* i = std::get_if<std::int64_t>(&v)) return *i;
    if (auto* c = std::get_if<OleColor>(&v)) return std::int64_t(*c);
    if (auto* d = std::get_if<double>(&v)) {
        if (!std::isfinite(*d) || std::fabs(*d) > 9.0e18) return std::nullopt;
        return std::int64_t(std::nearbyint(*d));  // default rounding mode: half to even
    }
    return std::nullopt;
}

template <class T>
T read_ranged(const PropertyValue* v, T def) {
    if (!v) return def;
    auto i = as_integer(*v);
    if (!i || *i < std::numeric_limits<T>::min() || *i > std::numeric_limits<T>::max()) return def;
    return T(*i);
}

}  // namespace

bool equal_names(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

const PropertyValue* PropertyBag::find(std::string_view key) const {
    for (const auto& e : entries_)
        if (equal_names(e.key, key)) return &e.value;
    return nullptr;
}

void PropertyBag::set(std::string_view key, PropertyValue value) {
    for (auto& e : entries_) {
        if (equal_names(e.key, key)) {
            e.value = std::move(value);
            return;
        }
    }
    entries_.push_back({std::string(key), std::move(value)});
}

bool PropertyBag::erase(std::string_view key) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (equal_names(it->key, key)) {
            entries_.erase(it);
            return true;
        }
    }
    return false;
}

bool PropertyBag::read_bool(std::string_view key, bool def) const {
    const PropertyValue* v = find(key);
    if (!v) return def;
    if (auto* s = std::get_if<std::string>(v)) {
        if (equal_names(*s, "True")) return true;
        if (equal_names(*s, "False")) return false;
        return def;
    }
    auto i = as_integer(*v);
    return i ? *i != 0 : def;
}

std::int16_t PropertyBag::read_int16(std::string_view key, std::int16_t def) const {
    return read_ranged<std::int16_t>(find(key), def);
}

std::int32_t PropertyBag::read_int32(std::string_view key, std::int32_t def) const {
    const PropertyValue* v = find(key);
    // Colours above 0x7FFFFFFF are kept in 32-bit fields as their two's complement.
    if (v) {
        if (auto* c = std::get_if<OleColor>(v)) return std::int32_t(*c);
    }
    return read_ranged<std::int32_t>(v, def);
}

double PropertyBag::read_double(std::string_view key, double def) const {
    const PropertyValue* v = find(key);
    if (!v) return def;
    if (auto* d = std::get_if<double>(v)) return *d;
    auto i = as_integer(*v);
    return i ? double(*i) : def;
}

std::string PropertyBag::read_string(std::string_view key, std::string_view def) const {
    const PropertyValue* v = find(key);
    if (v) {
        if (auto* s = std::get_if<std::string>(v)) return *s;
    }
    return std::string(def);
}

OleColor PropertyBag::read_color(std::string_view key, OleColor def) const {
    const PropertyValue* v = find(key);
    if (!v) return def;
    if (auto* c = std::get_if<OleColor>(v)) return *c;
    auto i = as_integer(*v);
    if (!i || *i < std::numeric_limits<std::int32_t>::min() || *i > std::numeric_limits<std::uint32_t>::max()) return def;
    return OleColor(std::uint32_t(*i));
}

FontSpec PropertyBag::read_font(std::string_view key, const FontSpec& def) const {
    const PropertyValue* v = find(key);
    if (v) {
        if (auto* f = std::get_if<FontSpec>(v)) return *f;
    }
    return def;
}

PictureRef PropertyBag::read_picture(std::string_view key, const PictureRef& def) const {
    const PropertyValue* v = find(key);
    if (v) {
        if (auto* p = std::get_if<PictureRef>(v)) return *p;
    }
    return def;
}

namespace {
template <class T>
void write_or_drop(PropertyBag& bag, std::string_view key, const T& value, const T& def, PropertyValue stored) {
    if (value == def)
        bag.erase(key);
    else
        bag.set(key, std::move(stored));
}
}  // namespace

void PropertyBag::write_bool(std::string_view key, bool value, bool def) {
    write_or_drop(*this, key, value, def, value);
}
void PropertyBag::write_int16(std::string_view key, std::int16_t value, std::int16_t def) {
    write_or_drop(*this, key, value, def, std::int64_t(value));
}
void PropertyBag::write_int32(std::string_view key, std::int32_t value, std::int32_t def) {
    write_or_drop(*this, key, value, def, std::int64_t(value));
}
void PropertyBag::write_double(std::string_view key, double value, double def) {
    write_or_drop(*this, key, value, def, value);
}
void PropertyBag::write_string(std::string_view key, std::string_view value, std::string_view def) {
    write_or_drop(*this, key, value, def, std::string(value));
}
void PropertyBag::write_color(std::string_view key, OleColor value, OleColor def) {
    write_or_drop(*this, key, value, def, value);
}
void PropertyBag::write_font(std::string_view key, const FontSpec& value, const FontSpec& def) {
    write_or_drop(*this, key, value, def, value);
}
void PropertyBag::write_picture(std::string_view key, const PictureRef& value, const PictureRef& def) {
    write_or_drop(*this, key, value, def, value);
}

// ---- text form ----

namespace {

std::string quote(std::string_view s) {
    std::string out = "\"";
    for (char c : s) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\x%02X", static_cast<unsigned char>(c));
                    out += buf;
                } else {
                    out += c;
                }
        }
    }
    out += '"';
    return out;
}

std::string format_double(double d) {
    char buf[40];
    // Shortest text that reads back to the same double.
    for (int prec = 1; prec <= 17; ++prec) {
        std::snprintf(buf, sizeof buf, "%.*g", prec, d);
        if (std::strtod(buf, nullptr) == d) break;
    }
    std::string s = buf;
    if (s.find_first_of(".eEn") == std::string::npos) s += ".0";  // keep it a double
    return s;
}

// A small cursor over one value's text.
struct Reader {
    std::string_view s;
    std::size_t i = 0;
    std::string err;

    void skip_blanks() {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    }
    bool at_end() {
        skip_blanks();
        return i >= s.size();
    }
    bool eat(char c) {
        skip_blanks();
        if (i < s.size() && s[i] == c) {
            ++i;
            return true;
        }
        return false;
    }
    bool fail(std::string m) {
        if (err.empty()) err = std::move(m);
        return false;
    }
    bool string(std::string& out) {
        skip_blanks();
        if (i >= s.size() || s[i] != '"') return fail("expected a quoted text");
        ++i;
        out.clear();
        while (i < s.size() && s[i] != '"') {
            char c = s[i++];
            if (c != '\\') {
                out += c;
                continue;
            }
            if (i >= s.size()) return fail("unfinished escape in text");
            char e = s[i++];
            switch (e) {
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                case 't': out += '\t'; break;
                case '"': out += '"'; break;
                case '\\': out += '\\'; break;
                case 'x': {
                    if (i + 2 > s.size()) return fail("short \\x escape");
                    std::string hex(s.substr(i, 2));
                    char* end = nullptr;
                    long v = std::strtol(hex.c_str(), &end, 16);
                    if (end != hex.c_str() + 2) return fail("bad \\x escape");
                    out += char(v);
                    i += 2;
                    break;
                }
                default: return fail(std::string("unknown escape \\") + e);
            }
        }
        if (i >= s.size()) return fail("text without closing quote");
        ++i;
        return true;
    }
    bool number(double& out, bool& whole, std::int64_t* whole_value = nullptr) {
        skip_blanks();
        std::size_t start = i;
        if (i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;
        whole = true;
        while (i < s.size() && ((s[i] >= '0' && s[i] <= '9') || s[i] == '.' || s[i] == 'e' || s[i] == 'E' ||
                                ((s[i] == '-' || s[i] == '+') && (s[i - 1] == 'e' || s[i - 1] == 'E')))) {
            if (s[i] == '.' || s[i] == 'e' || s[i] == 'E') whole = false;
            ++i;
        }
        std::string text(s.substr(start, i - start));
        if (text.empty() || text == "-" || text == "+") return fail("expected a number");
        char* end = nullptr;
        errno = 0;
        out = std::strtod(text.c_str(), &end);
        if (end != text.c_str() + text.size() || errno == ERANGE) return fail("bad number '" + text + "'");
        if (whole && whole_value) {
            errno = 0;
            *whole_value = std::strtoll(text.c_str(), nullptr, 10);
            if (errno == ERANGE) return fail("number out of range '" + text + "'");
        }
        return true;
    }
    bool word(std::string_view w) {
        skip_blanks();
        if (s.size() - i >= w.size() && equal_names(s.substr(i, w.size()), w)) {
            std::size_t j = i + w.size();
            if (j < s.size() && (std::isalnum(static_cast<unsigned char>(s[j])) || s[j] == '_')) return false;
            i = j;
            return true;
        }
        return false;
    }
};

}  // namespace

std::string format_value(const PropertyValue& value) {
    struct V {
        std::string operator()(bool b) const { return b ? "True" : "False"; }
        std::string operator()(std::int64_t i) const { return std::to_string(i); }
        std::string operator()(double d) const { return format_double(d); }
        std::string operator()(const std::string& s) const { return quote(s); }
        std::string operator()(OleColor c) const {
            char buf[16];
            std::snprintf(buf, sizeof buf, "&H%08X", static_cast<unsigned>(c));
            return buf;
        }
        std::string operator()(const FontSpec& f) const {
            std::string out = "font(" + quote(f.face) + ", " + format_double(f.points) + ", " + std::to_string(f.weight) +
                              ", " + std::to_string(f.charset);
            if (f.italic) out += ", italic";
            if (f.underline) out += ", underline";
            if (f.strikeout) out += ", strikeout";
            return out + ")";
        }
        std::string operator()(const PictureRef& p) const { return "picture(" + quote(p.source) + ")"; }
    };
    return std::visit(V{}, value);
}

std::optional<PropertyValue> parse_value(std::string_view text, std::string* error) {
    Reader r{text, 0, {}};
    std::optional<PropertyValue> out;
    auto done = [&]() -> std::optional<PropertyValue> {
        if (out && !r.at_end()) {
            r.fail("unexpected text after the value");
            out.reset();
        }
        if (!out && error) *error = r.err.empty() ? "not a value" : r.err;
        return out;
    };
    r.skip_blanks();
    if (r.i >= text.size()) {
        r.fail("missing value");
        return done();
    }
    char c = text[r.i];
    if (c == '"') {
        std::string s;
        if (r.string(s)) out = std::move(s);
    } else if (c == '&') {
        if (r.i + 2 < text.size() && (text[r.i + 1] == 'H' || text[r.i + 1] == 'h')) {
            r.i += 2;
            std::size_t start = r.i;
            while (r.i < text.size() && std::isxdigit(static_cast<unsigned char>(text[r.i]))) ++r.i;
            std::string hex(text.substr(start, r.i - start));
            if (hex.empty() || hex.size() > 8)
                r.fail("a colour is &H and one to eight hexadecimal digits");
            else
                out = OleColor(std::strtoul(hex.c_str(), nullptr, 16));
        } else {
            r.fail("a colour is written &HBBGGRR");
        }
    } else if (r.word("True")) {
        out = true;
    } else if (r.word("False")) {
        out = false;
    } else if (r.word("font")) {
        FontSpec f;
        double size = 0, weight = 0, charset = 0;
        bool whole = false;
        if (r.eat('(') && r.string(f.face) && r.eat(',') && r.number(size, whole) && r.eat(',') &&
            r.number(weight, whole) && r.eat(',') && r.number(charset, whole)) {
            f.points = size;
            f.weight = int(weight);
            f.charset = int(charset);
            bool ok = true;
            while (ok && r.eat(',')) {
                if (r.word("italic")) f.italic = true;
                else if (r.word("underline")) f.underline = true;
                else if (r.word("strikeout")) f.strikeout = true;
                else ok = r.fail("unknown font flag");
            }
            if (ok && r.eat(')'))
                out = std::move(f);
            else
                r.fail("a font is font(\"face\", size, weight, charset[, italic][, underline][, strikeout])");
        } else {
            r.fail("a font is font(\"face\", size, weight, charset[, italic][, underline][, strikeout])");
        }
    } else if (r.word("picture")) {
        PictureRef p;
        if (r.eat('(') && r.string(p.source) && r.eat(')'))
            out = std::move(p);
        else
            r.fail("a picture is picture(\"path\")");
    } else {
        double d = 0;
        bool whole = false;
        std::int64_t w = 0;
        if (r.number(d, whole, &w)) {
            if (whole)
                out = w;
            else
                out = d;
        }
    }
    return done();
}

std::string format_bag(const PropertyBag& bag, int indent) {
    std::string out;
    std::string pad(std::size_t(indent < 0 ? 0 : indent), ' ');
    for (const auto& e : bag.entries()) out += pad + e.key + " = " + format_value(e.value) + "\n";
    return out;
}

}  // namespace kes::forms
