#include "calc/fields.h"

#include <charconv>

namespace kes::calc {

namespace {

struct GroupInfo {
  Group group;
  const char* name;
  int count;
};

constexpr GroupInfo kGroups[] = {
    {Group::PerMes, "TextPerMes", 12}, {Group::JiaBan, "TextJiaBan", 12},
    {Group::PerJia, "TextPerJia", 7},  {Group::ComJia, "TextComJia", 7},
    {Group::Finall, "TextFinall", 10}, {Group::ZhenCe, "TextZhenCe", 6},
    {Group::XiShus, "TextXiShus", 10}, {Group::Old, "TextOld", 1},
    {Group::CheckOld, "CheckOld", 0},  {Group::CheckJi, "CheckJi", 0},
    {Group::Label37, "Label37", 0},    {Group::ComSave, "ComSave", 0},
};

const GroupInfo& info(Group g) { return kGroups[static_cast<int>(g)]; }

bool is_array(Group g) { return info(g).count > 1; }

}  // namespace

int field_count(Group group) { return info(group).count; }

bool is_field(ControlId id) {
  const int count = field_count(id.group);
  return count > 0 && id.index >= 0 && id.index < count;
}

std::string control_name(ControlId id) {
  const GroupInfo& g = info(id.group);
  if (!is_array(id.group)) return id.index == 0 ? g.name : "?";
  if (id.index < 0 || id.index >= g.count) return "?";
  return std::string(g.name) + "(" + std::to_string(id.index) + ")";
}

std::optional<ControlId> parse_control_name(std::string_view name) {
  for (const GroupInfo& g : kGroups) {
    const std::string_view base = g.name;
    if (name.substr(0, base.size()) != base) continue;
    const std::string_view rest = name.substr(base.size());
    if (!is_array(g.group)) {
      if (rest.empty()) return ControlId{g.group, 0};
      continue;
    }
    if (rest.size() < 3 || rest.front() != '(' || rest.back() != ')') continue;
    const std::string_view digits = rest.substr(1, rest.size() - 2);
    int index = -1;
    const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    if (ec != std::errc() || ptr != digits.data() + digits.size()) return std::nullopt;
    if (index < 0 || index >= g.count) return std::nullopt;
    return ControlId{g.group, index};
  }
  return std::nullopt;
}

Role field_role(ControlId field) {
  const int i = field.index;
  switch (field.group) {
    case Group::PerMes: return i <= 9 ? Role::Input : Role::Result;
    case Group::JiaBan: return (i == 0 || i == 4 || i == 8) ? Role::Input : Role::Result;
    case Group::PerJia: return i == 4 ? Role::Input : Role::Result;
    case Group::ComJia: return Role::Result;
    case Group::Finall: return (i == 1 || i == 2 || i == 5) ? Role::Input : Role::Result;
    default: return Role::Input;
  }
}

const std::vector<ControlId>& all_fields() {
  static const std::vector<ControlId> fields = [] {
    std::vector<ControlId> list;
    for (const GroupInfo& g : kGroups) {
      for (int i = 0; i < g.count; ++i) list.push_back({g.group, i});
    }
    return list;
  }();
  return fields;
}

const std::vector<SettingKey>& pay_record_keys() {
  static const std::vector<SettingKey> keys = {
      {"GongZi", "ShouRu", TextPerMes(0), "5600"},  {"GongZi", "NianDu", TextPerMes(1), "0"},
      {"GongZi", "JiaoTong", TextPerMes(2), "0"},   {"GongZi", "YongCan", TextPerMes(3), "0"},
      {"GongZi", "FuLi", TextPerMes(4), "0"},       {"GongZi", "BanZhi", TextPerMes(5), "0"},
      {"GongZi", "YueDu", TextPerMes(6), "0"},      {"GongZi", "QuanQin", TextPerMes(7), "0"},
      {"GongZi", "Others", TextPerMes(8), "0"},     {"GongZi", "KouChu", TextPerMes(9), "0"},
      {"GongZi", "Otherx", TextPerJia(4), "0"},     {"GongZi", "TiaoZhengA", TextFinall(1), "0"},
      {"GongZi", "TiAn", TextFinall(2), "0"},       {"GongZi", "TiaoZhengB", TextFinall(5), "0"},
  };
  return keys;
}

const std::vector<SettingKey>& start_up_keys() {
  static const std::vector<SettingKey> keys = [] {
    std::vector<SettingKey> list = pay_record_keys();
    const std::vector<SettingKey> policy = {
        {"ZhenCe", "GongJijing", TextZhenCe(0), "9800"},
        {"ZhenCe", "YangLaoUp", TextZhenCe(1), "9711"},
        {"ZhenCe", "YangLaoDown", TextZhenCe(2), "2639"},
        {"ZhenCe", "ShuiShou", TextZhenCe(3), "2000"},
        {"ZhenCe", "GongZuoTianShu", TextZhenCe(4), "21.75"},
        {"ZhenCe", "ZuiDiGongZi", TextZhenCe(5), "1200"},
        {"XiShus", "PerYanglao", TextXiShus(0), "8"},
        {"XiShus", "PerYiliao", TextXiShus(1), "2"},
        {"XiShus", "PerShiye", TextXiShus(2), "1"},
        {"XiShus", "PerGongji", TextXiShus(3), "12"},
        {"XiShus", "ComYanglao", TextXiShus(5), "20"},
        {"XiShus", "ComYiliao", TextXiShus(6), "9.2"},
        {"XiShus", "ComShiye", TextXiShus(7), "2"},
        {"XiShus", "ComGongji", TextXiShus(8), "12"},
        {"XiShus", "ComGongShang", TextXiShus(9), "0.6"},
        {"XiShus", "ComShenyu", TextXiShus(4), "0.9"},
    };
    list.insert(list.end(), policy.begin(), policy.end());
    return list;
  }();
  return keys;
}

}  // namespace kes::calc
