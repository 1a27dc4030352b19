// Setting keys of one section in the text of a profile (.ini) file the way the profile writer
// sets them, in one pass over the text: a key that is there (the first of its name in the
// first section of that name) gets its new value in place, a missing key goes after the last
// line of its section, a missing section goes to the end.  Every other byte stays as it was:
// comments, blank lines, line ends, the encoding (the text is one of ANSI or UTF-8 bytes, or
// UTF-16 code units).
//
// Names compare as the profile functions compare them: ignoring ASCII letter case and the
// blanks around them.  A file whose lines the profile functions read otherwise may come out
// differently; callers check the result through the profile functions.
#pragma once

#include <string>
#include <utility>
#include <vector>

template <class Char> struct IniValues {
    using Text = std::basic_string<Char>;
    std::vector<std::pair<Text, Text>> values; // key, value (one line)
};

template <class Char>
std::basic_string<Char> SetIniValues(const std::basic_string<Char>& text,
                                     const std::basic_string<Char>& section,
                                     const IniValues<Char>& values);
