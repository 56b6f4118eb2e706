#include "cli/Cli.h"

#include "db/DbError.h"
#include "db/DrawCounter.h"
#include "db/DrawListQuery.h"
#include "draw/DigitText.h"
#include "draw/Game.h"
#include "draw/Utf8.h"
#include "edit/DrawUpdate.h"
#include "game/SearchClause.h"
#include "predict/Backtest.h"
#include "predict/DrawStatistics.h"
#include "predict/PredictionQuery.h"
#include "register/DrawExport.h"
#include "register/DrawImport.h"
#include "register/DrawRegistration.h"

#include <algorithm>

#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <vector>

namespace drawbook {

namespace {

constexpr const char* kUsage =
    "使い方: drawbook-cli [--db FILE] VERB ...\n"
    "  next 3|4   次回の開催回\n"
    "  list 3|4   記録された回の一覧（開催回、当選数字、予想数字１〜５をタブ区切りで）\n"
    "  predict 3|4   次回の予想数字５つ（１番目から一行ずつ）\n"
    "  search 3|4 straight|box PATTERN [--sql]\n"
    "             数字で検索（PATTERN は上の桁から一桁ずつ、数字か _ 。例: _5_ 1__3）\n"
    "             --sql: 実行せずに SELECT 文を表示\n"
    "  store 3|4 DRAW DIGITS [--numbers a,b,c,d,e]\n"
    "             第DRAW回の当選数字と予想数字を書き換える（例: store 3 15 409 --numbers 123,,456）\n"
    "  register N3 N4 [--numbers3 a,b,c,d,e] [--numbers4 a,b,c,d,e]\n"
    "             次回の当選数字を両方まとめて登録（例: register 409 1234）。予想数字は省くと予想どおり。\n"
    "             登録した二回を list と同じ形で表示\n"
    "  import 3|4 FILE\n"
    "             CSVファイルの当選数字を取り込む（登録済みの回は飛ばす）。結果を一行で表示\n"
    "  export 3|4 [FILE]\n"
    "             記録された回をCSVで書き出す（FILE を省くと標準出力へ）\n"
    "  backtest 3|4\n"
    "             予想を過去の回に当てはめた成績（賭け方ごとの当選回数、偶然での期待値、z）\n"
    "  stats 3|4 [--last N]\n"
    "             桁ごとの出現回数と未出現回数（直近 N 回だけも可）\n";

struct Invocation {
    std::string dbPath;
    std::vector<std::string> words; // the verb's own arguments
    std::ostream& out;
    std::ostream& err;
};

struct UsageError {
    std::string message;
};

Game GameArgument(const std::string& word) {
    if (const auto game = GameFromCode(word)) {
        return *game;
    }
    throw UsageError{"ゲームは 3 か 4 で指定してください: " + word};
}

void ExpectWords(const Invocation& call, std::size_t count) {
    if (call.words.size() != count) {
        throw UsageError{"引数の数が違います"};
    }
}

int Next(const Invocation& call) {
    ExpectWords(call, 1);
    const Game game = GameArgument(call.words[0]);
    call.out << CountDrawsOrThrow(call.dbPath, game, std::string(kAllDrawsClause)) << '\n';
    return kExitOk;
}

// One draw as the window lists it: draw number, winning number, five numbers, tab-separated.
void WriteRow(const Invocation& call, const std::string& drawNo, const std::string& winningNumber,
              const std::array<std::string, 5>& numbers) {
    call.out << drawNo << '\t' << winningNumber;
    for (const std::string& number : numbers) {
        call.out << '\t' << number;
    }
    call.out << '\n';
}

// Writes the rows the clause selects as the window lists them; returns how many.
std::size_t WriteDrawList(const Invocation& call, Game game, const std::string& clause) {
    const DrawListResult result = ReadDrawList(call.dbPath, game, clause);
    if (result.status != ReadStatus::Complete) {
        throw DbError(result.error, 0);
    }
    for (const DrawListRow& row : result.rows) {
        WriteRow(call, row.drawNo, row.winningNumber, row.numbers);
    }
    return result.rows.size();
}

int List(const Invocation& call) {
    ExpectWords(call, 1);
    WriteDrawList(call, GameArgument(call.words[0]), std::string(kAllDrawsClause));
    return kExitOk;
}

int Predict(const Invocation& call) {
    ExpectWords(call, 1);
    const PredictionResult result =
        PredictFromDatabase(call.dbPath, GameArgument(call.words[0]), std::string(kAllDrawsClause));
    if (result.status != ReadStatus::Complete) {
        throw DbError(result.error, 0);
    }
    for (const std::string& number : result.numbers) {
        call.out << number << '\n';
    }
    return kExitOk;
}

// "_5_" → the fields a user fills for it: a digit per position, "" for "_".
SearchFields PatternFields(Game game, const std::string& pattern) {
    const std::size_t positions = static_cast<std::size_t>(Positions(game));
    if (pattern.size() != positions ||
        !std::all_of(pattern.begin(), pattern.end(), [](char c) { return c == '_' || (c >= '0' && c <= '9'); })) {
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

SearchMode ModeArgument(const std::string& word) {
    if (word == "straight") {
        return SearchMode::Straight;
    }
    if (word == "box") {
        return SearchMode::Box;
    }
    throw UsageError{"検索の仕方は straight か box で指定してください: " + word};
}

int Search(const Invocation& call) {
    std::vector<std::string> words = call.words;
    const auto sql = std::find(words.begin(), words.end(), "--sql");
    const bool showSql = sql != words.end();
    if (showSql) {
        words.erase(sql);
    }
    if (words.size() != 3) {
        throw UsageError{"引数の数が違います"};
    }
    const Game game = GameArgument(words[0]);
    const SearchMode mode = ModeArgument(words[1]);
    const SearchClause search = BuildSearchClause(game, mode, PatternFields(game, words[2]));
    if (search.Refused()) {
        call.err << search.refusal << '\n';
        return kExitRefused;
    }
    if (showSql) {
        call.out << DrawListStatement(game, search.clause) << '\n';
        return kExitOk;
    }
    if (WriteDrawList(call, game, search.clause) == 0) {
        call.err << kNothingFoundMessage << '\n';
        return kExitRefused;
    }
    return kExitOk;
}

// Takes "--name VALUE" or "--name=VALUE" out of the words; the last one given counts.
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

// "123,,456" → {"123", "", "456", "", ""}
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

int Store(const Invocation& call) {
    std::vector<std::string> words = call.words;
    const std::optional<std::string> numbers = TakeOption(words, "--numbers");
    if (words.size() != 3) {
        throw UsageError{"引数の数が違います"};
    }
    const Game game = GameArgument(words[0]);
    const std::string& drawNo = words[1];
    if (drawNo.empty() || LeadingNumber(drawNo) == 0 || std::to_string(LeadingNumber(drawNo)) != drawNo) {
        throw UsageError{"DRAW は 1 以上の開催回で指定してください: " + drawNo};
    }

    DrawEdit edit{drawNo, SplitCharacters(words[2]), {}};
    if (numbers) {
        edit.numbers = NumbersArgument("--numbers", *numbers);
    }
    const std::size_t positions = static_cast<std::size_t>(Positions(game));
    // More characters than digit fields: one field would hold two.
    std::optional<std::string> refusal;
    if (edit.digits.size() > positions) {
        refusal = kNotOneDigitMessage;
    } else {
        edit.digits.resize(positions);
        refusal = PrepareDrawEdit(game, edit);
    }
    if (refusal) {
        call.err << *refusal << '\n';
        return kExitRefused;
    }

    const StoreResult result = WriteDraw(call.dbPath, game, DrawClause(drawNo), edit);
    switch (result.outcome) {
    case StoreOutcome::Stored:
        return kExitOk;
    case StoreOutcome::NoSuchDraw:
        call.err << kStoreFailedMessage << '\n';
        return kExitRefused;
    case StoreOutcome::Failed:
        break;
    }
    call.err << kStoreFailedMessage << '\n';
    throw DbError(result.error, 0);
}

// The next draw of one game as the registration dialog shows it, with the digits
// typed in: one field per character, any characters beyond the last field in it.
DrawEdit NextDraw(const Invocation& call, Game game, const std::string& digits,
                  const std::optional<std::array<std::string, 5>>& numbers) {
    DrawEdit draw;
    draw.drawNo = CountDrawsOrThrow(call.dbPath, game, std::string(kAllDrawsClause));
    draw.digits = SplitCharacters(digits);
    const std::size_t positions = static_cast<std::size_t>(Positions(game));
    for (std::size_t extra = positions; extra < draw.digits.size(); ++extra) {
        draw.digits[positions - 1] += draw.digits[extra];
    }
    draw.digits.resize(positions);
    if (numbers) {
        draw.numbers = *numbers;
    } else {
        const PredictionResult prediction = PredictFromDatabase(call.dbPath, game, std::string(kAllDrawsClause));
        if (prediction.status != ReadStatus::Complete) {
            throw DbError(prediction.error, 0);
        }
        draw.numbers = prediction.numbers;
    }
    return draw;
}

int Register(const Invocation& call) {
    std::vector<std::string> words = call.words;
    std::array<std::optional<std::array<std::string, 5>>, 2> numbers;
    for (std::size_t g = 0; g < numbers.size(); ++g) {
        const std::string option = g == 0 ? "--numbers3" : "--numbers4";
        if (const auto list = TakeOption(words, option)) {
            numbers[g] = NumbersArgument(option, *list);
        }
    }
    if (words.size() != 2) {
        throw UsageError{"引数の数が違います"};
    }
    DrawEdit three = NextDraw(call, Game::Numbers3, words[0], numbers[0]);
    DrawEdit four = NextDraw(call, Game::Numbers4, words[1], numbers[1]);
    std::vector<std::string> refusals = PrepareRegistration(three, four);
    RegisterResult result;
    if (refusals.empty()) {
        result = RegisterDraws(call.dbPath, three, four);
        refusals = result.messages;
    }
    for (const std::string& refusal : refusals) {
        call.err << refusal << '\n';
    }
    if (!refusals.empty()) {
        return kExitRefused;
    }
    if (result.outcome == RegisterOutcome::Failed) {
        call.err << kStoreFailedMessage << '\n';
        throw DbError(result.error, 0);
    }
    for (const DrawEdit* draw : {&three, &four}) {
        std::string winningNumber;
        for (const std::string& digit : draw->digits) {
            winningNumber += digit;
        }
        WriteRow(call, draw->drawNo, winningNumber, draw->numbers);
    }
    return kExitOk;
}

int Import(const Invocation& call) {
    ExpectWords(call, 2);
    const ImportResult result = ImportDrawFile(call.dbPath, GameArgument(call.words[0]), call.words[1]);
    switch (result.outcome) {
    case ImportOutcome::Imported:
        call.out << ImportSummary(result) << '\n';
        return kExitOk;
    case ImportOutcome::Refused:
        for (const std::string& line : result.report) {
            call.err << line << '\n';
        }
        return kExitRefused;
    case ImportOutcome::Failed:
        break;
    }
    call.err << kStoreFailedMessage << '\n';
    throw DbError(result.error, 0);
}

int Export(const Invocation& call) {
    if (call.words.empty() || call.words.size() > 2) {
        throw UsageError{"引数の数が違います"};
    }
    const ExportResult result = ExportDrawCsv(call.dbPath, GameArgument(call.words[0]));
    if (result.status != ReadStatus::Complete) {
        throw DbError(result.error, 0);
    }
    if (call.words.size() == 1) {
        call.out << result.csv;
        return kExitOk;
    }
    if (!WriteExportFile(call.words[1], result.csv)) {
        call.err << FileNotWrittenMessage(call.words[1]) << '\n';
        return kExitRefused;
    }
    return kExitOk;
}

int Backtest(const Invocation& call) {
    ExpectWords(call, 1);
    const BacktestResult result = BacktestFromDatabase(call.dbPath, GameArgument(call.words[0]));
    if (result.status != ReadStatus::Complete) {
        throw DbError(result.error, 0);
    }
    call.out << "bet\tdraws\thits\texpected\tz\n";
    for (const BetScore& score : result.scores) {
        call.out << BetName(score.bet) << '\t' << score.draws << '\t' << score.hits << '\t' << ThreeDecimals(score.expected)
                 << '\t' << ThreeDecimals(score.Z()) << '\n';
    }
    return kExitOk;
}

int Stats(const Invocation& call) {
    std::vector<std::string> words = call.words;
    std::optional<int> last;
    if (const auto option = TakeOption(words, "--last")) {
        const bool digits = !option->empty() && option->size() <= 9 &&
                            std::all_of(option->begin(), option->end(), [](char c) { return c >= '0' && c <= '9'; });
        if (!digits || std::stoi(*option) == 0) {
            throw UsageError{"--last には 1 以上の回数を指定してください: " + *option};
        }
        last = std::stoi(*option);
    }
    if (words.size() != 1) {
        throw UsageError{"引数の数が違います"};
    }
    const Game game = GameArgument(words[0]);
    const DrawHistory history = ReadDrawHistory(call.dbPath, game);
    if (history.status != ReadStatus::Complete) {
        throw DbError(history.error, 0);
    }
    const DrawStatistics statistics = ComputeStatistics(game, history.draws, last);
    const auto writeBlock = [&](std::string_view heading, const std::vector<std::array<int, 10>>& table) {
        call.out << heading << '\n';
        for (std::size_t p = 0; p < table.size(); ++p) {
            call.out << PositionLabel(game, static_cast<int>(p));
            for (const int value : table[p]) {
                call.out << '\t' << value;
            }
            call.out << '\n';
        }
    };
    writeBlock("出現回数", statistics.counts);
    call.out << '\n';
    writeBlock("未出現回数", statistics.drawsSinceSeen);
    return kExitOk;
}

const std::map<std::string, std::function<int(const Invocation&)>, std::less<>>& Verbs() {
    static const std::map<std::string, std::function<int(const Invocation&)>, std::less<>> verbs = {
        {"next", Next}, {"list", List}, {"predict", Predict}, {"search", Search}, {"store", Store},
        {"register", Register}, {"import", Import}, {"export", Export},
        {"backtest", Backtest}, {"stats", Stats},
    };
    return verbs;
}

} // namespace

int RunCli(std::span<const std::string> args, std::ostream& out, std::ostream& err, const std::string& defaultDbPath) {
    std::string dbPath = defaultDbPath;
    std::size_t i = 0;
    try {
        while (i < args.size() && args[i].starts_with("--db")) {
            if (args[i] == "--db" && i + 1 < args.size()) {
                dbPath = args[i + 1];
                i += 2;
            } else if (args[i].starts_with("--db=")) {
                dbPath = args[i].substr(5);
                i += 1;
            } else {
                throw UsageError{"--db にはファイルを指定してください"};
            }
        }
        if (i >= args.size()) {
            throw UsageError{"VERB がありません"};
        }
        const auto verb = Verbs().find(args[i]);
        if (verb == Verbs().end()) {
            throw UsageError{"知らない VERB です: " + args[i]};
        }
        const Invocation call{dbPath, {args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end()}, out, err};
        return verb->second(call);
    } catch (const UsageError& e) {
        err << "drawbook-cli: " << e.message << '\n' << kUsage;
        return kExitUsage;
    } catch (const DbError& e) {
        err << "drawbook-cli: データベース " << dbPath << " を使えませんでした（" << e.what() << "）\n";
        return kExitDatabase;
    }
}

} // namespace drawbook
