// Stored settings of a control (its property bag): typed values under keys compared
// without regard to ASCII case, kept in the order they were first written.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/forms/values.h"

namespace kes::forms {

// One stored value. Whole numbers keep their width so int16 and int32 reads can check range.
using PropertyValue = std::variant<bool, std::int64_t, double, std::string, OleColor, FontSpec, PictureRef>;

class PropertyBag {
public:
    // Reads: the stored value converted to the asked type, or `def` when the key is absent
    // or its value cannot be read as that type (a text for a number, a number out of range).
    // Numbers convert among themselves (a whole number read as double, a double read as an
    // integer rounds half to even); a number reads as bool (non-zero is True) and as colour.
    bool read_bool(std::string_view key, bool def) const;
    std::int16_t read_int16(std::string_view key, std::int16_t def) const;
    std::int32_t read_int32(std::string_view key, std::int32_t def) const;
    double read_double(std::string_view key, double def) const;
    std::string read_string(std::string_view key, std::string_view def) const;
    OleColor read_color(std::string_view key, OleColor def) const;
    FontSpec read_font(std::string_view key, const FontSpec& def) const;
    PictureRef read_picture(std::string_view key, const PictureRef& def = {}) const;

    // Writes: a value equal to `def` is left out (and an earlier entry under the key is
    // dropped), so only what differs from the defaults is kept.
    void write_bool(std::string_view key, bool value, bool def);
    void write_int16(std::string_view key, std::int16_t value, std::int16_t def);
    void write_int32(std::string_view key, std::int32_t value, std::int32_t def);
    void write_double(std::string_view key, double value, double def);
    void write_string(std::string_view key, std::string_view value, std::string_view def);
    void write_color(std::string_view key, OleColor value, OleColor def);
    void write_font(std::string_view key, const FontSpec& value, const FontSpec& def);
    void write_picture(std::string_view key, const PictureRef& value, const PictureRef& def = {});

    // Raw access, for designs built in code and for the text form.
    void set(std::string_view key, PropertyValue value);  // always kept, replaces in place
    const PropertyValue* find(std::string_view key) const;
    bool contains(std::string_view key) const { return find(key) != nullptr; }
    bool erase(std::string_view key);
    void clear() { entries_.clear(); }
    bool empty() const { return entries_.empty(); }
    std::size_t size() const { return entries_.size(); }

    struct Entry {
        std::string key;  // as first written
        PropertyValue value;
        friend bool operator==(const Entry&, const Entry&) = default;
    };
    const std::vector<Entry>& entries() const { return entries_; }

    friend bool operator==(const PropertyBag&, const PropertyBag&) = default;

private:
    std::vector<Entry> entries_;
};

// ASCII case-insensitive equality, the rule for keys, control and event names.
bool equal_names(std::string_view a, std::string_view b);

// Text form of one value: True/False, 12, -1.5, "text" (with \" \\ \n \r \t escapes),
// &H00FFFFFF (colour), font("宋体", 9, 700, 134[, italic][, underline][, strikeout]),
// picture("path"). Doubles always carry a '.' or an exponent so they read back as doubles.
std::string format_value(const PropertyValue& value);

// Reads one value in the text form above; nullopt with `error` set when it is not one.
std::optional<PropertyValue> parse_value(std::string_view text, std::string* error = nullptr);

// A whole bag as lines "Key = value", indented by `indent` blanks.
std::string format_bag(const PropertyBag& bag, int indent = 0);

}  // namespace kes::forms
