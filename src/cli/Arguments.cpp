#include "cli/Arguments.h"

#include "draw/DigitText.h"

#include <algorithm>

namespace drawbook::cli {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

void ExpectWords(const std::vector<std::string>& words, std::size_t fewest, std::size_t most) {
    if (words.size() < fewest || words.size() > most) {
        throw UsageError{"引数の数が違います"};
    }
}

std::optional<std::string> TakeOption(std::vector<std::string>& words, const std::string& name) {
    std::optional<std::string> value;
    for (auto word = words.begin(); word != words.end();) {
        if (*word == name && word + 1 != words.end()) {
            value = *(word + 1);
            word = words.erase(word, word + 2);
        } else if (word->starts_with(name + "=")) {
            value = word->substr(name.size() + 1);
            word = words.erase(word);
        } else {
            ++word;
        }
    }
    return value;
}

bool TakeFlag(std::vector<std::string>& words, const std::string& name) {
    const auto flag = std::find(words.begin(), words.end(), name);
    if (flag == words.end()) {
        return false;
    }
    words.erase(flag);
    return true;
}

Game GameArgument(const std::string& word) {
    if (const auto game = GameFromCode(word)) {
        return *game;
    }
    throw UsageError{"ゲームは 3 か 4 で指定してください: " + word};
}

SearchMode ModeArgument(const std::string& word) {
    if (word == "straight") {
        return SearchMode::Straight;
    }
    if (word == "box") {
        return SearchMode::Box;
    }
    throw UsageError{"検索の仕方は straight か box で指定してください: " + word};
}

SearchFields PatternArgument(Game game, const std::string& pattern) {
    const std::size_t positions = static_cast<std::size_t>(Positions(game));
    if (pattern.size() != positions ||
        !std::all_of(pattern.begin(), pattern.end(), [](char c) { return c == '_' || IsDigit(c); })) {
        throw UsageError{"PATTERN は" + std::to_string(positions) +
                         "文字で、一文字ずつ数字か _ にしてください: " + pattern};
    }
    SearchFields fields;
    const std::size_t first = fields.size() - positions;
    for (std::size_t i = 0; i < positions; ++i) {
        if (pattern[i] != '_') {
            fields[first + i] = std::string(1, pattern[i]);
        }
    }
    return fields;
}

const std::string& DrawArgument(const std::string& word) {
    if (word.empty() || LeadingNumber(word) == 0 || std::to_string(LeadingNumber(word)) != word) {
        throw UsageError{"DRAW は 1 以上の開催回で指定してください: " + word};
    }
    return word;
}

std::array<std::string, 5> NumbersArgument(const std::string& option, const std::string& list) {
    std::array<std::string, 5> numbers;
    std::size_t n = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = list.find(',', start);
        if (n == numbers.size()) {
            throw UsageError{option + " は五つまでです: " + list};
        }
        numbers[n++] = list.substr(start, comma - start);
        if (comma == std::string::npos) {
            return numbers;
        }
        start = comma + 1;
    }
}

std::optional<std::array<std::string, 5>> TakeNumbers(std::vector<std::string>& words, const std::string& option) {
    if (const auto list = TakeOption(words, option)) {
        return NumbersArgument(option, *list);
    }
    return std::nullopt;
}

int CountArgument(const std::string& option, const std::string& value) {
    // Nine digits at most, so the number fits an int.
    const bool digits = !value.empty() && value.size() <= 9 && std::all_of(value.begin(), value.end(), IsDigit);
    if (!digits || std::stoi(value) == 0) {
        throw UsageError{option + " には 1 以上の回数を指定してください: " + value};
    }
    return std::stoi(value);
}

Method TakeMethod(std::vector<std::string>& words) {
    const auto name = TakeOption(words, "--method");
    if (!name) {
        return Method::Follow;
    }
    if (const auto method = MethodFromName(*name)) {
        return *method;
    }
    throw UsageError{"予想の方法は follow、hot、cold、slide、random のどれかで指定してください: " + *name};
}

} // namespace drawbook::cli
