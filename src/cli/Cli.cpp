#include "cli/Cli.h"

#include "db/DbError.h"
#include "db/DrawCounter.h"
#include "db/Game.h"
#include "game/DrawListQuery.h"

#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <vector>

namespace drawbook {

namespace {

constexpr const char* kUsage = "使い方: drawbook-cli [--db FILE] VERB ...\n"
                               "  next 3|4   次回の開催回\n"
                               "  list 3|4   記録された回の一覧（開催回、当選数字、予想数字１〜５をタブ区切りで）\n";

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

int List(const Invocation& call) {
    ExpectWords(call, 1);
    const Game game = GameArgument(call.words[0]);
    const DrawListResult result = ReadDrawList(call.dbPath, game, std::string(kAllDrawsClause));
    if (result.status != DrawListResult::Status::Complete) {
        throw DbError(result.error, 0);
    }
    for (const DrawListRow& row : result.rows) {
        call.out << row.drawNo << '\t' << row.winningNumber;
        for (const std::string& number : row.numbers) {
            call.out << '\t' << number;
        }
        call.out << '\n';
    }
    return kExitOk;
}

const std::map<std::string, std::function<int(const Invocation&)>, std::less<>>& Verbs() {
    static const std::map<std::string, std::function<int(const Invocation&)>, std::less<>> verbs = {
        {"next", Next},
        {"list", List},
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
