// The text and selection of a single-line edit field, apart from its window and drawing.
// Positions count characters (code points) from 0; the selection runs between the anchor
// and the caret, whichever comes first.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kes::forms {

class EditModel {
public:
    // The text as UTF-8, and set from UTF-8 (the caret goes to the end, nothing selected).
    std::string Text() const;
    void SetText(std::string_view utf8);
    const std::u32string& Chars() const { return text_; }
    std::size_t Length() const { return text_.size(); }

    std::size_t Caret() const { return caret_; }
    std::size_t Anchor() const { return anchor_; }
    std::size_t SelStart() const { return caret_ < anchor_ ? caret_ : anchor_; }
    std::size_t SelLength() const { return caret_ < anchor_ ? anchor_ - caret_ : caret_ - anchor_; }
    bool HasSelection() const { return caret_ != anchor_; }
    std::string SelectedText() const;

    // Places the caret; with `extend` the anchor stays, selecting what lies between.
    // Positions past the end are taken as the end.
    void SetCaret(std::size_t pos, bool extend = false);
    void Select(std::size_t start, std::size_t length);
    void SelectAll();
    // Selects the word (a run of letters and digits, or of blanks, or one other character)
    // at `pos`, as a double click does.
    void SelectWordAt(std::size_t pos);

    // Caret moves; `extend` keeps the anchor. Left / Right without `extend` first collapse
    // a selection to its near edge. `word` moves by words (Ctrl).
    void MoveLeft(bool extend, bool word = false);
    void MoveRight(bool extend, bool word = false);
    void MoveHome(bool extend) { SetCaret(0, extend); }
    void MoveEnd(bool extend) { SetCaret(text_.size(), extend); }

    // Edits; each returns whether the text changed.
    bool ReplaceSelection(std::u32string_view with);
    bool ReplaceSelection(std::string_view utf8);
    bool Backspace();  // the selection, or the character before the caret
    bool Delete();     // the selection, or the character after the caret

private:
    std::u32string text_;
    std::size_t caret_ = 0;
    std::size_t anchor_ = 0;
};

}  // namespace kes::forms
