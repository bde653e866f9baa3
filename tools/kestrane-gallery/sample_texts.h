// The program's own texts the gallery's pages show: captions, messages and the two notes.
#pragma once

#include <string>
#include <vector>

namespace kes::gallery {

// The income-tax notes, one line per bracket with blank lines between pairs, CR LF ended.
std::string TaxNotes();
// The social-insurance notes, CR LF ended, a blank line after each of the first five.
std::string InsuranceNotes();
// Tab captions, button captions and group captions, as the windows show them.
std::vector<std::string> Captions();
// The notices and their titles.
std::vector<std::string> Messages();

}  // namespace kes::gallery
