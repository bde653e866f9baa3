#include "widgets/fields/check_model.h"

#include <cmath>

namespace kes::fields {

int CheckGlyphIndex(std::int32_t value, CheckLook look) {
  if (value < 0 || value > 2) return -1;
  return 4 * value + static_cast<int>(look);
}

namespace {

// A twip length made whole with halves to even, then halved dropping the remainder.
int HalfOfWhole(double twips) {
  auto whole = static_cast<long>(std::nearbyint(twips));
  return static_cast<int>(whole / 2);
}

}  // namespace

CheckLayout LayOutCheck(double height, double caption_height) {
  CheckLayout layout;
  layout.glyph_top = HalfOfWhole(height - 195);
  layout.caption_top = HalfOfWhole(height - caption_height + 20);
  return layout;
}

CheckModel::CheckModel() { Show(CheckLook::Normal); }

void CheckModel::Show(CheckLook look) {
  int index = CheckGlyphIndex(value_, look);
  if (index >= 0) glyph_ = index;
}

void CheckModel::SetValue(std::int32_t value) {
  value_ = value;
  ShowResting();
}

void CheckModel::SetEnabled(bool enabled) {
  enabled_ = enabled;
  ShowResting();
}

void CheckModel::Click(const CheckEvents& events) {
  if (!enabled_) return;
  // The holder reads the value as it was before the click.
  if (events.click) events.click();
  if (value_ == 0) {
    value_ = 1;
  } else if (value_ == 1 || value_ == 2) {
    value_ = 0;
  }
  ShowResting();
}

void CheckModel::MouseDown(CheckMouse& args, const CheckEvents& events) {
  if (enabled_) Show(CheckLook::Pressed);
  if (events.mouse_down) events.mouse_down(args);
}

void CheckModel::MouseMove(CheckMouse& args, const CheckEvents& events) {
  if (!Inside(args.x, args.y)) return;
  // Only a move inside arms the poll, so a drag held outside reports one exit, not one per move.
  polling_ = true;
  if (events.mouse_move) events.mouse_move(args);
  if (enabled_) Show(args.button == 1 ? CheckLook::Pressed : CheckLook::Hot);
}

void CheckModel::MouseUp(CheckMouse& args, const CheckEvents& events) {
  if (events.mouse_up) events.mouse_up(args);
}

void CheckModel::Tick(int x, int y, const CheckEvents& events) {
  if (!polling_ || Inside(x, y)) return;
  ShowResting();
  polling_ = false;
  if (events.mouse_out) events.mouse_out();
}

}  // namespace kes::fields
