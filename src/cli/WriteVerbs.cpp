#include "cli/Arguments.h"
#include "cli/Verbs.h"
#include "exchange/BookMigration.h"

#include "db/DrawCounter.h"
#include "draw/DrawNumber.h"
#include "draw/Utf8.h"
#include "edit/DrawUpdate.h"
#include "exchange/DrawImport.h"
#include "exchange/FeedUpdate.h"
#include "predict/PredictionQuery.h"
#include "register/DrawRegistration.h"

#include <numeric>
#include <ostream>

namespace drawbook::cli {

namespace {

// Readies the edit as the edit dialog does, one field per character: more
// characters than fields would put two in one. Returns the refusal, if any.
std::optional<std::string> PrepareStore(Game game, DrawEdit& edit) {
    const std::size_t positions = static_cast<std::size_t>(Positions(game));
    if (edit.digits.size() > positions) {
        return std::string(kNotOneDigitMessage);
    }
    edit.digits.resize(positions);
    return PrepareDrawEdit(game, edit);
}

// The next draw of one game as the registration dialog shows it, with the digits
// typed in: one field per character, any characters beyond the last field in it.
// The numbers are the prediction unless given.
DrawEdit NextDraw(const std::string& dbPath, Game game, const std::string& digits,
                  const std::optional<std::array<std::string, 5>>& numbers) {
    DrawEdit draw;
    draw.drawNo = CountDrawsOrThrow(dbPath, game, std::string(kAllDrawsClause));
    draw.digits = SplitCharacters(digits);
    const std::size_t positions = static_cast<std::size_t>(Positions(game));
    for (std::size_t extra = positions; extra < draw.digits.size(); ++extra) {
        draw.digits[positions - 1] += draw.digits[extra];
    }
    draw.digits.resize(positions);
    draw.numbers =
        numbers ? *numbers : Complete(PredictFromDatabase(dbPath, game, std::string(kAllDrawsClause))).numbers;
    return draw;
}

// The summary of an import that got through, or how it was refused or failed.
Outcome Imported(const ImportResult& result, std::ostream& out) {
    switch (result.outcome) {
    case ImportOutcome::Imported:
        out << ImportSummary(result) << '\n';
        return Done();
    case ImportOutcome::Refused:
        return Refused(result.report);
    case ImportOutcome::Failed:
        break;
    }
    return StoreFailed(result.error);
}

// "--replace": stored draws the file disagrees with take its values.
AddMode TakeReplace(std::vector<std::string>& words) {
    return TakeFlag(words, "--replace") ? AddMode::Replace : AddMode::Refuse;
}

} // namespace

Outcome Store(const Invocation& call) {
    std::vector<std::string> words = call.words;
    const std::optional<std::string> numbers = TakeOption(words, "--numbers");
    ExpectWords(words, 3);
    const Game game = GameArgument(words[0]);
    DrawEdit edit{DrawArgument(words[1]), SplitCharacters(words[2]), {}};
    if (numbers) {
        edit.numbers = NumbersArgument("--numbers", *numbers);
    }
    if (const auto refusal = PrepareStore(game, edit)) {
        return Refused({*refusal});
    }
    const StoreResult result = WriteDraw(call.dbPath, game, DrawClause(edit.drawNo), edit);
    switch (result.outcome) {
    case StoreOutcome::Stored:
        return Done();
    case StoreOutcome::NoSuchDraw:
        return Refused({std::string(kStoreFailedMessage)});
    case StoreOutcome::Failed:
        break;
    }
    return StoreFailed(result.error);
}

Outcome Register(const Invocation& call) {
    std::vector<std::string> words = call.words;
    const auto numbers3 = TakeNumbers(words, "--numbers3");
    const auto numbers4 = TakeNumbers(words, "--numbers4");
    ExpectWords(words, 2);
    DrawEdit three = NextDraw(call.dbPath, Game::Numbers3, words[0], numbers3);
    DrawEdit four = NextDraw(call.dbPath, Game::Numbers4, words[1], numbers4);
    if (std::vector<std::string> refusals = PrepareRegistration(three, four); !refusals.empty()) {
        return Refused(std::move(refusals));
    }
    const RegisterResult result = RegisterDraws(call.dbPath, three, four);
    if (!result.messages.empty()) {
        return Refused(result.messages);
    }
    if (result.outcome == RegisterOutcome::Failed) {
        return StoreFailed(result.error);
    }
    for (const DrawEdit* draw : {&three, &four}) {
        WriteRow(call.out, draw->drawNo, std::accumulate(draw->digits.begin(), draw->digits.end(), std::string()),
                 draw->numbers);
    }
    return Done();
}

Outcome Import(const Invocation& call) {
    std::vector<std::string> words = call.words;
    const AddMode mode = TakeReplace(words);
    ExpectWords(words, 2);
    return Imported(ImportDrawFile(call.dbPath, GameArgument(words[0]), words[1], mode), call.out);
}

Outcome Update(const Invocation& call) {
    std::vector<std::string> words = call.words;
    const AddMode mode = TakeReplace(words);
    const bool bundled = TakeFlag(words, "--bundled");
    const std::optional<std::string> url = TakeOption(words, "--url");
    ExpectWords(words, 1);
    const Game game = GameArgument(words[0]);
    if (bundled) {
        if (url) {
            throw UsageError{"--bundled と --url は一緒に使えません"};
        }
        return Imported(
            ImportDrawFile(call.dbPath, game, call.bundledDir + std::string(BundledHistoryFileName(game)), mode),
            call.out);
    }
    const std::string source = url.value_or(std::string(DefaultFeedUrl(game)));
    if (const auto problem = FeedUrlProblem(source)) {
        throw UsageError{"--url: " + *problem};
    }
    FeedUpdate update = UpdateFromFeed(call.dbPath, game, source, FeedLimits{}, {}, mode);
    if (update.outcome == UpdateOutcome::NotDownloaded || update.outcome == UpdateOutcome::Canceled) {
        return {kExitDownload, {update.message}, {}};
    }
    return Imported(std::move(update.import), call.out);
}

Outcome Delete(const Invocation& call) {
    if (call.words.size() < 2) {
        throw UsageError{"消す開催回がありません"};
    }
    const Game game = GameArgument(call.words[0]);
    std::vector<int> drawNos;
    for (std::size_t i = 1; i < call.words.size(); ++i) {
        const std::string& word = DrawArgument(call.words[i]);
        // Six digits or more are beyond the last draw a book holds, and beyond stoi's care.
        const int drawNo = word.size() > 5 ? kLastDrawNo + 1 : std::stoi(word);
        if (drawNo > kLastDrawNo) {
            throw UsageError{"DRAW は " + std::to_string(kLastDrawNo) + " までです: " + call.words[i]};
        }
        drawNos.push_back(drawNo);
    }
    const DeleteResult result = DeleteDraws(call.dbPath, game, drawNos);
    switch (result.outcome) {
    case DeleteOutcome::Deleted:
        return Done();
    case DeleteOutcome::NotInBook:
        return Refused({NotInBookMessage(result.missing)});
    case DeleteOutcome::Failed:
        break;
    }
    return {kExitDatabase, {}, result.error};
}

Outcome Migrate(const Invocation& call) {
    ExpectWords(call.words, 0);
    const MigrationResult result = MigrateBook(call.dbPath);
    switch (result.outcome) {
    case MigrationOutcome::Migrated:
        call.out << MigrationMessage(result) << '\n';
        return Done();
    case MigrationOutcome::NotJet:
    case MigrationOutcome::Unreadable:
    case MigrationOutcome::NoReader:
    case MigrationOutcome::Missing:
        return Refused({MigrationMessage(result)});
    case MigrationOutcome::Failed:
    case MigrationOutcome::Busy:
        break;
    }
    return {kExitDatabase, {MigrationMessage(result)}, {}};
}

} // namespace drawbook::cli
