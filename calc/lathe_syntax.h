// A lathe file's line that TOML refuses, read again for the common mistakes a
// machinist makes in it (a decimal comma, a unit after a number, a text
// without its quotation marks, no equals sign), so that the problem says what
// to write instead.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// How a key takes its value: a text in quotes, a number, or neither (a table
// or a list), and what the value is, for the sentence.
struct ValueForm {
    enum class Kind { Text, Number, Other } kind = Kind::Other;
    std::string_view what; // "a gear list in quotes", "a number in mm, without the unit"
};

// A line as KEY = VALUE, when it starts with a bare key: the key (dotted or
// not), whether the equals sign is there, and the value after it (after a
// colon or the key itself when it is not), without a comment.
struct KeyLine {
    std::string_view key;
    bool equals = false;
    std::string_view value;
    std::string_view text;  // from the key to the value's end
    std::size_t keyEnd = 0; // the column just after the key, from 1
};

std::optional<KeyLine> ReadKeyLine(std::string_view line);

// What to write instead of the line, for the key's form, such as "fixed
// '1,5': write 1.5: a decimal point"; empty when the line shows none of the
// common mistakes. TOML stopped at the column (from 1): a mistake is only
// told when that lies after the key.
std::string SyntaxSentence(const KeyLine& line, const ValueForm& form, std::size_t column);
