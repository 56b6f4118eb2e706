#pragma once

#include "cli/Cli.h"
#include "db/DbError.h"
#include "db/DrawStore.h"
#include "db/ReadStatus.h"

#include <array>
#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

namespace drawbook::cli {

// One verb's call: the database, the words after the verb and where results go.
struct Invocation {
    std::string dbPath;
    std::vector<std::string> words;
    std::ostream& out;
    std::string bundledDir; // where the shipped history lies, with its trailing separator
};

// How a verb ended. RunCli says it on stderr and exits with `code`.
struct Outcome {
    int code = kExitOk;
    std::vector<std::string> lines; // the refusal, or what was not done before the database failed
    std::string error;              // the usage or database error
};

inline Outcome Done() {
    return {};
}

inline Outcome Refused(std::vector<std::string> lines) {
    return {kExitRefused, std::move(lines), {}};
}

// A write the database failed: 「登録できませんでした。。」, then the database's error.
inline Outcome StoreFailed(std::string error) {
    return {kExitDatabase, {std::string(kStoreFailedMessage)}, std::move(error)};
}

// The result of a read that got to the end; throws DbError for any other.
template <typename Result> Result Complete(Result result) {
    if (result.status != ReadStatus::Complete) {
        throw DbError(result.error, 0);
    }
    return result;
}

// One draw as the window lists it: draw number, winning number, five numbers, tab-separated.
void WriteRow(std::ostream& out, const std::string& drawNo, const std::string& winningNumber,
              const std::array<std::string, 5>& numbers);

// Verbs that only read the database.
Outcome Next(const Invocation& call);
Outcome List(const Invocation& call);
Outcome Predict(const Invocation& call);
Outcome Search(const Invocation& call);
Outcome Export(const Invocation& call);
Outcome Backtest(const Invocation& call);
Outcome Compare(const Invocation& call);
Outcome Stats(const Invocation& call);
Outcome Ledger(const Invocation& call);

// Verbs that change it.
Outcome Store(const Invocation& call);
Outcome Register(const Invocation& call);
Outcome Import(const Invocation& call);
Outcome Migrate(const Invocation& call);
Outcome Update(const Invocation& call);
Outcome Delete(const Invocation& call);

// Verbs of the tickets the player bought.
Outcome Buy(const Invocation& call);
Outcome Tickets(const Invocation& call);
Outcome Unbuy(const Invocation& call);

} // namespace drawbook::cli
