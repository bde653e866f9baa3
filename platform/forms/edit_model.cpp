#include "platform/forms/edit_model.h"

#include <algorithm>

#include "platform/gfx/utf8.h"

namespace kes::forms {
namespace {

// Character classes for word moves and double clicks.
int class_of(char32_t c) {
    if (c == U' ' || c == U'\t' || c == 0x3000) return 0;
    if ((c >= U'0' && c <= U'9') || (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || c == U'_' || c >= 0x80)
        return 1;
    return 2;
}

}  // namespace

std::string EditModel::Text() const { return gfx::encode_utf8(text_); }

void EditModel::SetText(std::string_view utf8) {
    text_ = gfx::decode_utf8(utf8);
    caret_ = anchor_ = text_.size();
}

std::string EditModel::SelectedText() const { return gfx::encode_utf8(text_.substr(SelStart(), SelLength())); }

void EditModel::SetCaret(std::size_t pos, bool extend) {
    caret_ = std::min(pos, text_.size());
    if (!extend) anchor_ = caret_;
}

void EditModel::Select(std::size_t start, std::size_t length) {
    anchor_ = std::min(start, text_.size());
    caret_ = std::min(anchor_ + std::min(length, text_.size() - anchor_), text_.size());
}

void EditModel::SelectAll() {
    anchor_ = 0;
    caret_ = text_.size();
}

void EditModel::SelectWordAt(std::size_t pos) {
    if (text_.empty()) {
        caret_ = anchor_ = 0;
        return;
    }
    pos = std::min(pos, text_.size() - 1);
    const int k = class_of(text_[pos]);
    std::size_t a = pos, b = pos + 1;
    if (k != 2) {
        while (a > 0 && class_of(text_[a - 1]) == k) --a;
        while (b < text_.size() && class_of(text_[b]) == k) ++b;
    }
    // A word takes the blanks after it, as double clicks in text fields do.
    if (k == 1)
        while (b < text_.size() && class_of(text_[b]) == 0) ++b;
    anchor_ = a;
    caret_ = b;
}

void EditModel::MoveLeft(bool extend, bool word) {
    if (!extend && HasSelection() && !word) {
        SetCaret(SelStart());
        return;
    }
    std::size_t p = caret_;
    if (word) {
        while (p > 0 && class_of(text_[p - 1]) == 0) --p;
        if (p > 0) {
            const int k = class_of(text_[p - 1]);
            while (p > 0 && class_of(text_[p - 1]) == k) --p;
        }
    } else if (p > 0) {
        --p;
    }
    SetCaret(p, extend);
}

void EditModel::MoveRight(bool extend, bool word) {
    if (!extend && HasSelection() && !word) {
        SetCaret(SelStart() + SelLength());
        return;
    }
    std::size_t p = caret_;
    if (word) {
        if (p < text_.size()) {
            const int k = class_of(text_[p]);
            while (p < text_.size() && class_of(text_[p]) == k) ++p;
        }
        while (p < text_.size() && class_of(text_[p]) == 0) ++p;
    } else if (p < text_.size()) {
        ++p;
    }
    SetCaret(p, extend);
}

bool EditModel::ReplaceSelection(std::u32string_view with) {
    const std::size_t s = SelStart(), n = SelLength();
    const bool same = n == with.size() && text_.compare(s, n, with) == 0;
    if (!same) text_.replace(s, n, with);
    caret_ = anchor_ = s + with.size();
    return !same;
}

bool EditModel::ReplaceSelection(std::string_view utf8) { return ReplaceSelection(gfx::decode_utf8(utf8)); }

bool EditModel::Backspace() {
    if (HasSelection()) return ReplaceSelection(std::u32string_view{});
    if (caret_ == 0) return false;
    text_.erase(caret_ - 1, 1);
    caret_ = anchor_ = caret_ - 1;
    return true;
}

bool EditModel::Delete() {
    if (HasSelection()) return ReplaceSelection(std::u32string_view{});
    if (caret_ >= text_.size()) return false;
    text_.erase(caret_, 1);
    return true;
}

}  // namespace kes::forms
