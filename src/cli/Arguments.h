#pragma once

#include "draw/Game.h"
#include "game/SearchClause.h"
#include "predict/PredictionMethod.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace drawbook::cli {

// A command line the tool cannot take: RunCli says why and shows the usage.
struct UsageError {
    std::string message;
};

// Throws UsageError unless there are from `fewest` to `most` words.
void ExpectWords(const std::vector<std::string>& words, std::size_t fewest, std::size_t most);
inline void ExpectWords(const std::vector<std::string>& words, std::size_t count) {
    ExpectWords(words, count, count);
}

// Takes "--name VALUE" or "--name=VALUE" out of the words; the last one given counts.
std::optional<std::string> TakeOption(std::vector<std::string>& words, const std::string& name);

// Takes the first "--name" out of the words; true when there was one.
bool TakeFlag(std::vector<std::string>& words, const std::string& name);

// "3" or "4".
Game GameArgument(const std::string& word);

// "straight" or "box".
SearchMode ModeArgument(const std::string& word);

// "_5_" → the fields a user fills for it: a digit per position, "" for "_".
SearchFields PatternArgument(Game game, const std::string& pattern);

// A draw number as written: 1 or more, no leading zero.
const std::string& DrawArgument(const std::string& word);

// "123,,456" → {"123", "", "456", "", ""}; `option` names the list in the message.
std::array<std::string, 5> NumbersArgument(const std::string& option, const std::string& list);

// TakeOption, then NumbersArgument of its value.
std::optional<std::array<std::string, 5>> TakeNumbers(std::vector<std::string>& words, const std::string& option);

// A count of 1 or more; `option` names it in the message.
int CountArgument(const std::string& option, const std::string& value);

// The prediction method of "--method NAME" when given, follow otherwise.
Method TakeMethod(std::vector<std::string>& words);

} // namespace drawbook::cli
