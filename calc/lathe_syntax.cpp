#include "lathe_syntax.h"

#include "number_text.h"

#include <algorithm>

namespace {

constexpr std::string_view kSpace = " \t\r";

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsBareKeyCharacter(char c) {
    return IsLetter(c) || IsDigit(c) || c == '_' || c == '-' || c == '.';
}

// The text without the white space at either end; a view into it.
std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kSpace);
    if (first == std::string_view::npos) {
        return text.substr(text.size());
    }
    return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

// The value without the comment after it, which starts at a '#' after the
// value's closing quotation mark, or at any '#' in a value without one.
std::string_view WithoutComment(std::string_view value) {
    std::size_t from = 0;
    if (value.starts_with('"') || value.starts_with('\'')) {
        const std::size_t closing = value.find(value[0], 1);
        from = closing == std::string_view::npos ? value.size() : closing + 1;
    }
    return Trimmed(value.substr(0, value.find('#', from)));
}

// A value and why: the value to write instead and what it has that the one written lacks.
struct Fix {
    std::string value;
    std::string_view reason;
};

// A text without its quotation marks, or with one of the two.
std::optional<Fix> FixText(std::string_view value, const ValueForm& form) {
    const bool opens = value.starts_with('"');
    const bool closes = value.size() > 1 && value.ends_with('"');
    const std::string_view inner =
        value.substr(opens ? 1 : 0, value.size() - (opens ? 1 : 0) - (closes ? 1 : 0));
    if ((opens && closes) || inner.empty() || inner.find_first_of("\"\\") != std::string_view::npos) {
        return std::nullopt;
    }
    std::string quoted(1, '"');
    quoted.append(inner).push_back('"');
    return Fix{quoted, opens || closes ? "a quotation mark at each end" : form.what};
}

// A number with a decimal comma ("1,5"), or with a unit after it ("3mm", "3 mm").
std::optional<Fix> FixNumber(std::string_view value, const ValueForm& form) {
    std::size_t at = value.starts_with('-') || value.starts_with('+') ? 1 : 0;
    const auto takeDigits = [&] {
        const std::size_t from = at;
        while (at < value.size() && IsDigit(value[at])) {
            ++at;
        }
        return at > from;
    };
    if (!takeDigits()) {
        return std::nullopt;
    }
    std::string number(value.substr(0, at));
    const bool comma = at < value.size() && value[at] == ',';
    if (at < value.size() && (value[at] == '.' || comma)) {
        const std::size_t point = ++at;
        if (!takeDigits()) {
            return std::nullopt;
        }
        number.append(1, '.').append(value.substr(point, at - point));
    }
    const std::string_view unit = Trimmed(value.substr(at));
    if (!std::ranges::all_of(unit, IsLetter)) {
        return std::nullopt;
    }
    if (!unit.empty() && form.kind == ValueForm::Kind::Number) {
        return Fix{number, form.what};
    }
    if (comma) {
        return Fix{number, "a decimal point"};
    }
    return std::nullopt;
}

} // namespace

std::optional<KeyLine> ReadKeyLine(std::string_view line) {
    const std::size_t start = line.find_first_not_of(kSpace);
    if (start == std::string_view::npos || !IsBareKeyCharacter(line[start])) {
        return std::nullopt;
    }
    std::size_t end = start;
    while (end < line.size() && IsBareKeyCharacter(line[end])) {
        ++end;
    }
    KeyLine read;
    read.key = line.substr(start, end - start);
    read.keyEnd = end + 1;
    std::size_t at = std::min(line.find_first_not_of(kSpace, end), line.size());
    if (at < line.size() && (line[at] == '=' || line[at] == ':')) {
        read.equals = line[at] == '=';
        ++at;
    }
    read.value = WithoutComment(line.substr(at));
    const std::size_t valueEnd =
        read.value.empty() ? at
                           : static_cast<std::size_t>(read.value.data() - line.data()) + read.value.size();
    read.text = Trimmed(line.substr(start, valueEnd - start));
    return read;
}

std::string SyntaxSentence(const KeyLine& line, const ValueForm& form, std::size_t column) {
    if (column < line.keyEnd || (form.kind == ValueForm::Kind::Other && !line.equals)) {
        return {};
    }
    const std::string key(line.key);
    if (line.value.empty()) {
        return line.equals && form.kind != ValueForm::Kind::Other
                   ? key + " has no value: it takes " + std::string(form.what)
                   : std::string();
    }
    const std::optional<Fix> fix =
        form.kind == ValueForm::Kind::Text ? FixText(line.value, form) : FixNumber(line.value, form);
    if (!line.equals) {
        std::string sentence = Quoted(line.text) + ": write " + key + " = " +
                               (fix ? fix->value : std::string(line.value)) +
                               ": an equals sign between the key and its value";
        return fix ? sentence + ", and " + std::string(fix->reason) : sentence;
    }
    return fix ? key + " " + Quoted(line.value) + ": write " + fix->value + ": " + std::string(fix->reason)
               : std::string();
}
