// A form's design: the window's own settings and every control on it, as plain data that
// can be written in code or kept as text and read back.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms/property_bag.h"
#include "platform/forms/values.h"

namespace kes::forms {

inline constexpr int kTwipsPerPixel = 15;

// Twips to pixels and back at the normal screen density (halves go to the even neighbour).
int twips_to_pixels(double twips);
inline constexpr double pixels_to_twips(int pixels) { return pixels * double(kTwipsPerPixel); }

// Position and size in twips, relative to the containing control.
struct TwipsRect {
    double left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

struct ControlDesign {
    std::string kind;         // "Label", "Frame", "TextBox", "kzbutton", ...
    std::string name;         // "TextPerMes"
    int index = -1;           // index in the control array, -1 for a single control
    std::string container;    // name of the containing control; empty = the form
    int container_index = -1; // index of the container when it is itself in an array
    TwipsRect rect;
    int tab_index = 0;
    bool tab_stop = true;
    bool visible = true;
    PropertyBag settings;     // the control's own stored settings ("Caption", "Enabled", "Font", ...)

    bool is_array_member() const { return index >= 0; }
    // The settings every kind keeps under the same keys, with the caller's defaults.
    bool enabled() const { return settings.read_bool("Enabled", true); }
    FontSpec font(const FontSpec& def) const { return settings.read_font("Font", def); }
    OleColor back_color(OleColor def) const { return settings.read_color("BackColor", def); }
    OleColor fore_color(OleColor def) const { return settings.read_color("ForeColor", def); }
    // "TextPerMes(0)" or "ComSave", for messages and look-ups.
    std::string display_name() const;
    friend bool operator==(const ControlDesign&, const ControlDesign&) = default;
};

struct FormDesign {
    std::string name;         // "ForMain"
    std::string caption;
    double client_width = 4800;   // twips
    double client_height = 3600;  // twips
    FontSpec font = tahoma_font();
    OleColor back_color = kColorButtonFace;
    OleColor fore_color = kColorButtonText;
    PropertyBag settings;     // anything else the form keeps
    std::vector<ControlDesign> controls;  // in creation order: a container before what it holds

    // The control with this name (and index), without regard to case; nullptr when absent.
    const ControlDesign* find(std::string_view name, int index = -1) const;
    ControlDesign* find(std::string_view name, int index = -1);
    friend bool operator==(const FormDesign&, const FormDesign&) = default;
};

// Text form of a design:
//   Begin Form ForMain
//     Caption = "..."
//     ClientWidth = 9990
//     Begin Label Label1
//       Index = 0
//       Container = "Frame1"
//       Left = 120
//       ...
//       Caption = "设定工资"
//     End
//   End
// Lines starting with ';' are comments. Each control's placement keys (Index, Container,
// ContainerIndex, Left, Top, Width, Height, TabIndex, TabStop, Visible) come first; every
// other key goes into its settings in the order written.
std::string format_design(const FormDesign& design);

struct DesignParseError {
    int line = 0;
    std::string message;
};

// Reads a design; nullopt with `error` filled in (line number from 1) when the text is not one.
std::optional<FormDesign> parse_design(std::string_view text, DesignParseError* error = nullptr);

// Reads a design file; the error names the file when it cannot be read.
std::optional<FormDesign> load_design_file(const std::string& path, DesignParseError* error = nullptr);

}  // namespace kes::forms
