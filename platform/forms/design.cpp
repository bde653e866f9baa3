#include "platform/forms/design.h"

#include <cmath>
#include <fstream>
#include <sstream>

namespace kes::forms {

int twips_to_pixels(double twips) { return int(std::nearbyint(twips / kTwipsPerPixel)); }

std::string ControlDesign::display_name() const {
    if (index < 0) return name;
    return name + "(" + std::to_string(index) + ")";
}

const ControlDesign* FormDesign::find(std::string_view n, int i) const {
    for (const auto& c : controls)
        if (c.index == i && equal_names(c.name, n)) return &c;
    return nullptr;
}

ControlDesign* FormDesign::find(std::string_view n, int i) {
    return const_cast<ControlDesign*>(static_cast<const FormDesign*>(this)->find(n, i));
}

namespace {

std::string line_of(std::string_view key, const PropertyValue& v, int indent) {
    return std::string(std::size_t(indent), ' ') + std::string(key) + " = " + format_value(v) + "\n";
}

std::string number_text(double d) {
    if (d == std::floor(d) && std::fabs(d) < 1e15) return std::to_string(std::int64_t(d));
    return format_value(d);
}

}  // namespace

std::string format_design(const FormDesign& d) {
    std::string out = "Begin Form " + d.name + "\n";
    out += line_of("Caption", d.caption, 2);
    out += "  ClientWidth = " + number_text(d.client_width) + "\n";
    out += "  ClientHeight = " + number_text(d.client_height) + "\n";
    out += line_of("Font", d.font, 2);
    out += line_of("BackColor", d.back_color, 2);
    out += line_of("ForeColor", d.fore_color, 2);
    out += format_bag(d.settings, 2);
    for (const auto& c : d.controls) {
        out += "  Begin " + c.kind + " " + c.name + "\n";
        if (c.index >= 0) out += "    Index = " + std::to_string(c.index) + "\n";
        if (!c.container.empty()) out += line_of("Container", c.container, 4);
        if (c.container_index >= 0) out += "    ContainerIndex = " + std::to_string(c.container_index) + "\n";
        out += "    Left = " + number_text(c.rect.left) + "\n";
        out += "    Top = " + number_text(c.rect.top) + "\n";
        out += "    Width = " + number_text(c.rect.width) + "\n";
        out += "    Height = " + number_text(c.rect.height) + "\n";
        out += "    TabIndex = " + std::to_string(c.tab_index) + "\n";
        if (!c.tab_stop) out += "    TabStop = False\n";
        if (!c.visible) out += "    Visible = False\n";
        out += format_bag(c.settings, 4);
        out += "  End\n";
    }
    out += "End\n";
    return out;
}

namespace {

bool is_name_char(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '.' ||
           static_cast<unsigned char>(c) >= 0x80;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

bool valid_name(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (!is_name_char(c)) return false;
    return true;
}

// Applies a placement key to the control; false when the key is not one of them.
bool apply_placement(ControlDesign& c, std::string_view key, const PropertyValue& v, std::string& err) {
    auto number = [&](double& out) {
        if (auto* i = std::get_if<std::int64_t>(&v)) out = double(*i);
        else if (auto* d = std::get_if<double>(&v)) out = *d;
        else err = std::string(key) + " takes a number";
        return true;
    };
    auto whole = [&](int& out) {
        if (auto* i = std::get_if<std::int64_t>(&v); i && *i >= -1 && *i <= 32767) out = int(*i);
        else err = std::string(key) + " takes a whole number from -1 to 32767";
        return true;
    };
    auto flag = [&](bool& out) {
        if (auto* b = std::get_if<bool>(&v)) out = *b;
        else err = std::string(key) + " takes True or False";
        return true;
    };
    if (equal_names(key, "Index")) return whole(c.index);
    if (equal_names(key, "ContainerIndex")) return whole(c.container_index);
    if (equal_names(key, "Container")) {
        if (auto* s = std::get_if<std::string>(&v)) c.container = *s;
        else err = "Container takes a quoted control name";
        return true;
    }
    if (equal_names(key, "Left")) return number(c.rect.left);
    if (equal_names(key, "Top")) return number(c.rect.top);
    if (equal_names(key, "Width")) return number(c.rect.width);
    if (equal_names(key, "Height")) return number(c.rect.height);
    if (equal_names(key, "TabIndex")) return whole(c.tab_index);
    if (equal_names(key, "TabStop")) return flag(c.tab_stop);
    if (equal_names(key, "Visible")) return flag(c.visible);
    return false;
}

bool apply_form_key(FormDesign& d, std::string_view key, const PropertyValue& v, std::string& err) {
    auto number = [&](double& out) {
        if (auto* i = std::get_if<std::int64_t>(&v)) out = double(*i);
        else if (auto* x = std::get_if<double>(&v)) out = *x;
        else err = std::string(key) + " takes a number";
        return true;
    };
    if (equal_names(key, "Caption")) {
        if (auto* s = std::get_if<std::string>(&v)) d.caption = *s;
        else err = "Caption takes a quoted text";
        return true;
    }
    if (equal_names(key, "ClientWidth")) return number(d.client_width);
    if (equal_names(key, "ClientHeight")) return number(d.client_height);
    if (equal_names(key, "Font")) {
        if (auto* f = std::get_if<FontSpec>(&v)) d.font = *f;
        else err = "Font takes font(...)";
        return true;
    }
    if (equal_names(key, "BackColor") || equal_names(key, "ForeColor")) {
        OleColor& target = equal_names(key, "BackColor") ? d.back_color : d.fore_color;
        if (auto* c = std::get_if<OleColor>(&v)) target = *c;
        else if (auto* i = std::get_if<std::int64_t>(&v)) target = OleColor(std::uint32_t(*i));
        else err = std::string(key) + " takes a colour";
        return true;
    }
    return false;
}

}  // namespace

std::optional<FormDesign> parse_design(std::string_view text, DesignParseError* error) {
    FormDesign design;
    // Open blocks: -1 is the form, otherwise an index into design.controls.
    std::vector<int> open;
    bool form_seen = false, form_closed = false;
    int line_no = 0;
    auto fail = [&](std::string m) -> std::optional<FormDesign> {
        if (error) *error = {line_no, std::move(m)};
        return std::nullopt;
    };
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t nl = text.find('\n', pos);
        std::string_view line = text.substr(pos, nl == std::string_view::npos ? std::string_view::npos : nl - pos);
        pos = nl == std::string_view::npos ? text.size() + 1 : nl + 1;
        ++line_no;
        line = trim(line);
        if (line.empty() || line.front() == ';') continue;
        if (form_closed) return fail("text after the form's End");

        if (line.size() > 6 && equal_names(line.substr(0, 6), "Begin ")) {
            std::string_view rest = trim(line.substr(6));
            std::size_t sp = rest.find_first_of(" \t");
            if (sp == std::string_view::npos) return fail("Begin needs a kind and a name");
            std::string_view kind = rest.substr(0, sp), name = trim(rest.substr(sp));
            if (!valid_name(kind) || !valid_name(name)) return fail("bad kind or name in Begin");
            if (!form_seen) {
                if (!equal_names(kind, "Form")) return fail("a design starts with Begin Form");
                design.name = std::string(name);
                form_seen = true;
                open.push_back(-1);
                continue;
            }
            if (open.empty()) return fail("Begin outside the form");
            ControlDesign c;
            c.kind = std::string(kind);
            c.name = std::string(name);
            if (open.back() >= 0) {  // nested block: held by the enclosing control
                const ControlDesign& outer = design.controls[std::size_t(open.back())];
                c.container = outer.name;
                c.container_index = outer.index;
            }
            design.controls.push_back(std::move(c));
            open.push_back(int(design.controls.size()) - 1);
            continue;
        }
        if (equal_names(line, "End")) {
            if (open.empty()) return fail("End without Begin");
            if (open.back() >= 0) {
                const ControlDesign& c = design.controls[std::size_t(open.back())];
                if (design.find(c.name, c.index) != &c)
                    return fail("control " + c.display_name() + " appears twice");
            }
            open.pop_back();
            if (open.empty()) form_closed = true;
            continue;
        }
        if (open.empty()) return fail(form_seen ? "text after the form's End" : "a design starts with Begin Form");
        std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) return fail("expected Key = value, Begin or End");
        std::string_view key = trim(line.substr(0, eq));
        if (!valid_name(key)) return fail("bad key '" + std::string(key) + "'");
        std::string perr;
        auto value = parse_value(line.substr(eq + 1), &perr);
        if (!value) return fail(std::string(key) + ": " + perr);
        std::string err;
        if (open.back() < 0) {
            if (!apply_form_key(design, key, *value, err)) design.settings.set(key, std::move(*value));
        } else {
            ControlDesign& c = design.controls[std::size_t(open.back())];
            if (!apply_placement(c, key, *value, err)) c.settings.set(key, std::move(*value));
        }
        if (!err.empty()) return fail(err);
    }
    if (!form_seen) return fail("a design starts with Begin Form");
    if (!form_closed) return fail("the form has no End");
    return design;
}

std::optional<FormDesign> load_design_file(const std::string& path, DesignParseError* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error) *error = {0, "cannot read " + path};
        return std::nullopt;
    }
    std::ostringstream ss;
    ss << in.rdbuf();
    auto d = parse_design(ss.str(), error);
    if (!d && error) error->message = path + ":" + std::to_string(error->line) + ": " + error->message;
    return d;
}

}  // namespace kes::forms
