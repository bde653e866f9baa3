// The controls of the main window that the pay engine reads and writes:
// the numeric field arrays, the old-wage field and the few other controls
// the entry rules touch.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kes::calc {

enum class Group : std::uint8_t {
  PerMes,    // TextPerMes(0..11): personal data
  JiaBan,    // TextJiaBan(0..11): overtime
  PerJia,    // TextPerJia(0..6): employee deductions
  ComJia,    // TextComJia(0..6): employer contributions
  Finall,    // TextFinall(0..9): settlement and take-home
  ZhenCe,    // TextZhenCe(0..5): policy figures
  XiShus,    // TextXiShus(0..9): contribution rates in percent
  Old,       // TextOld: the old wage
  CheckOld,  // check box: overtime from the old wage
  CheckJi,   // check box: save this record
  Label37,   // unit label beside TextOld
  ComSave,   // the save button of the policy tab
};

// A control by group and array index (0 for the single controls).
struct ControlId {
  Group group = Group::PerMes;
  int index = 0;
  friend bool operator==(ControlId, ControlId) = default;
};

constexpr ControlId TextPerMes(int i) { return {Group::PerMes, i}; }
constexpr ControlId TextJiaBan(int i) { return {Group::JiaBan, i}; }
constexpr ControlId TextPerJia(int i) { return {Group::PerJia, i}; }
constexpr ControlId TextComJia(int i) { return {Group::ComJia, i}; }
constexpr ControlId TextFinall(int i) { return {Group::Finall, i}; }
constexpr ControlId TextZhenCe(int i) { return {Group::ZhenCe, i}; }
constexpr ControlId TextXiShus(int i) { return {Group::XiShus, i}; }
inline constexpr ControlId TextOld{Group::Old, 0};
inline constexpr ControlId CheckOld{Group::CheckOld, 0};
inline constexpr ControlId CheckJi{Group::CheckJi, 0};
inline constexpr ControlId Label37{Group::Label37, 0};
inline constexpr ControlId ComSave{Group::ComSave, 0};

// Number of fields of a field array (1 for TextOld, 0 for the other controls).
int field_count(Group group);

// True for a numeric field that exists: a field array with an index in range,
// or TextOld.
bool is_field(ControlId id);

// "TextPerMes(3)", "TextOld", "CheckOld"; "?" for an index out of range.
std::string control_name(ControlId id);

// The reverse of control_name for existing controls; nullopt for anything else.
std::optional<ControlId> parse_control_name(std::string_view name);

enum class Role : std::uint8_t { Input, Result };

// Whether the user types the field or the compute command writes it.
Role field_role(ControlId field);

// Every field in array order (TextPerMes, TextJiaBan, TextPerJia, TextComJia,
// TextFinall, TextZhenCe, TextXiShus), then TextOld.
const std::vector<ControlId>& all_fields();

// A key of the settings store (application "Ravelo") and the field it keeps.
struct SettingKey {
  const char* section;
  const char* key;
  ControlId field;
  const char* default_text;
};

// The 30 field keys in the order the window loads them at start: GongZi,
// ZhenCe, then XiShus (whose load order is not its index order).
const std::vector<SettingKey>& start_up_keys();

// The GongZi pay-record keys, in the order they are loaded and saved.
const std::vector<SettingKey>& pay_record_keys();

inline constexpr const char* kCheckJiKey = "CheckJi";

}  // namespace kes::calc
