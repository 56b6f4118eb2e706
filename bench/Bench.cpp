// drawbook-bench: the interactions users wait for, each timed against a floor,
// the same work done by a minimal program (bench/Floor.cpp, and the floor modes
// of bench/WindowBench.cpp). Every run is a process of its own; drawbook and
// its floor take turns, round after round, and the table gives the medians.
//
//   drawbook-bench [--rounds N] [--smoke] [--work DIR] [--data DIR]
//
// --work: an empty or new directory for the books, kept afterwards.
// --smoke: one round over a small book, to prove that every floor prints what
// drawbook prints; exits 1 when one does not or a run fails.

#include "db/Connection.h"
#include "db/DrawDatabase.h"
#include "db/DrawResultsTable.h"
#include "db/DrawStore.h"
#include "db/Transaction.h"
#include "draw/Calendar.h"
#include "draw/DrawResults.h"
#include "draw/Game.h"
#include "exchange/DrawImport.h"

#include <sqlite3.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace drawbook;

// The work directory this process made, removed again when it gives up.
fs::path g_ownWork;
pid_t g_driver = 0;

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "drawbook-bench: %s\n", what.c_str());
    if (!g_ownWork.empty() && getpid() == g_driver) {
        std::error_code ignored;
        fs::remove_all(g_ownWork, ignored);
    }
    std::exit(2);
}

// --- the books ------------------------------------------------------------------

// A fixed sequence (splitmix64), so every run builds the same book.
class Sequence {
public:
    std::uint64_t Next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }

private:
    std::uint64_t m_state = 20240601;
};

// A number as users keep them: mostly the game's digits, some left empty (a
// full-width space), some typed in full-width digits.
std::string UserNumber(Sequence& sequence, int positions) {
    const int kind = sequence.Below(100);
    if (kind < 12) {
        return "\u3000";
    }
    std::string number;
    for (int p = 0; p < positions; ++p) {
        const int digit = sequence.Below(10);
        if (kind < 90) {
            number += static_cast<char>('0' + digit);
        } else {
            number += "\xEF\xBC";
            number += static_cast<char>(0x90 + digit);
        }
    }
    return number;
}

// Draws 1..draws of both games through the store, then the numbers by UPDATE.
void BuildBook(const std::string& path, int draws) {
    if (!CreateDatabase(path)) {
        Fail("a book is there already: " + path);
    }
    Sequence sequence;
    for (const Game game : {Game::Numbers3, Game::Numbers4}) {
        const int positions = Positions(game);
        std::vector<NewDraw> batch;
        std::vector<std::array<std::string, 5>> numbers;
        for (int drawNo = 1; drawNo <= draws; ++drawNo) {
            NewDraw draw{drawNo, {}};
            for (int p = 0; p < positions; ++p) {
                draw.digits.push_back(sequence.Below(10));
            }
            batch.push_back(std::move(draw));
            std::array<std::string, 5> five;
            for (std::string& number : five) {
                number = UserNumber(sequence, positions);
            }
            numbers.push_back(std::move(five));
        }
        if (AddDraws(path, game, batch).added != static_cast<std::size_t>(draws)) {
            Fail("the store did not add the draws");
        }
        sqlite3* db = nullptr;
        sqlite3_stmt* update = nullptr;
        const std::string sql = "UPDATE \"" + std::string(TableName(game)) +
                                "\" SET kounyu1=?1,kounyu2=?2,kounyu3=?3,kounyu4=?4,kounyu5=?5 WHERE kaisai=?6";
        if (sqlite3_open(path.c_str(), &db) != SQLITE_OK ||
            sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK ||
            sqlite3_prepare_v2(db, sql.c_str(), -1, &update, nullptr) != SQLITE_OK) {
            Fail("cannot fill the numbers of " + path);
        }
        for (int drawNo = 1; drawNo <= draws; ++drawNo) {
            sqlite3_reset(update);
            for (int n = 0; n < 5; ++n) {
                const std::string& number = numbers[static_cast<std::size_t>(drawNo - 1)][static_cast<std::size_t>(n)];
                sqlite3_bind_text(update, n + 1, number.c_str(), static_cast<int>(number.size()), SQLITE_TRANSIENT);
            }
            sqlite3_bind_int(update, 6, drawNo);
            if (sqlite3_step(update) != SQLITE_DONE) {
                Fail("cannot fill the numbers of " + path);
            }
        }
        sqlite3_finalize(update);
        if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
            Fail("cannot fill the numbers of " + path);
        }
        sqlite3_close(db);

        // Made-up payouts for every draw; box and set 0 when the digits are all
        // the same (unknown in four digits, as the real history leaves them).
        Connection connection(path, OpenMode::ReadWrite);
        Transaction transaction(connection);
        CreateResultsTable(connection);
        ResultsWriter writer(connection, game, false);
        for (const NewDraw& draw : batch) {
            const bool same = std::count(draw.digits.begin(), draw.digits.end(), draw.digits[0]) == positions;
            const int offSale = positions == 3 ? 0 : kUnknownYen;
            const int straight = (positions == 3 ? 90000 : 900000) + draw.drawNo % 97 * 100;
            DrawResults results;
            results.yen = {straight, same ? offSale : straight / 6, same ? offSale : straight / 2,
                           same ? offSale : straight / 12, positions == 3 ? straight / 10 : kUnknownYen};
            writer.Write(draw.drawNo, results);
        }
        transaction.Commit();
    }
}

void ImportRealHistory(const std::string& path, const fs::path& data) {
    for (const auto& [game, file] :
         {std::pair{Game::Numbers3, "numbers3_results.csv"}, std::pair{Game::Numbers4, "numbers4_results.csv"}}) {
        const ImportResult result = ImportDrawFile(path, game, (data / file).string());
        if (result.outcome != ImportOutcome::Imported) {
            Fail("cannot import " + (data / file).string());
        }
    }
}

// The dates and payouts of the real history beside its imported draws; what the
// book holds already stays.
void AddRealPayouts(const std::string& path, const fs::path& data) {
    for (const auto& [game, file] :
         {std::pair{Game::Numbers3, "numbers3_results.csv"}, std::pair{Game::Numbers4, "numbers4_results.csv"}}) {
        std::ifstream in(data / file);
        std::string line;
        std::getline(in, line); // header
        Connection connection(path, OpenMode::ReadWrite);
        Transaction transaction(connection);
        CreateResultsTable(connection);
        ResultsWriter writer(connection, game, true);
        const auto prizes = static_cast<std::size_t>(3 + Positions(game));
        while (std::getline(in, line)) {
            std::vector<std::string> fields(1);
            for (const char c : line) {
                if (c == ',') {
                    fields.emplace_back();
                } else if (c != '\r') {
                    fields.back() += c;
                }
            }
            fields.resize(prizes + kPrizeCount);
            DrawResults results;
            results.date = ReadDate(fields[1]).value_or(0);
            for (std::size_t prize = 0; prize < PrizesOf(game).size(); ++prize) {
                const std::string& yen = fields[prizes + prize];
                results.yen[prize] = yen.empty() ? kUnknownYen : std::atoi(yen.c_str());
            }
            writer.Write(std::atoi(fields[0].c_str()), results);
        }
        transaction.Commit();
    }
}

// --- processes --------------------------------------------------------------------

// One run of a process: wall-clock time from fork to wait4, its peak resident
// memory, and what it printed as "key value" lines.
struct Sample {
    bool ok = false;
    double ms = 0;
    double peakKb = 0;
    std::map<std::string, double> values;
};

double Seconds(const timespec& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// A run that takes longer than this is stopped and counts as failed.
constexpr unsigned kRunLimitSeconds = 60;

Sample Spawn(const std::vector<std::string>& args, const fs::path& out, const fs::path& err) {
    std::vector<char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    const int outFd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const int errFd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (outFd < 0 || errFd < 0) {
        Fail("cannot write " + out.string());
    }

    timespec start{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(outFd, STDOUT_FILENO);
        dup2(errFd, STDERR_FILENO);
        alarm(kRunLimitSeconds); // outlives exec
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    pid_t waited;
    do {
        waited = wait4(pid, &status, 0, &usage);
    } while (waited < 0 && errno == EINTR);
    timespec end{};
    clock_gettime(CLOCK_MONOTONIC, &end);
    close(outFd);
    close(errFd);
    if (pid < 0 || waited != pid) {
        Fail("cannot run " + args.front());
    }

    Sample sample;
    sample.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    sample.ms = (Seconds(end) - Seconds(start)) * 1000.0;
    sample.peakKb = static_cast<double>(usage.ru_maxrss);
    return sample;
}

// The "name_ms 12.3" and "name_kb 456" lines a window run prints.
void ReadValues(const fs::path& out, Sample& sample) {
    std::ifstream printed(out);
    for (std::string line; std::getline(printed, line);) {
        std::istringstream words(line);
        std::string key;
        double value = 0;
        if (words >> key && (key.ends_with("_ms") || key.ends_with("_kb")) && words >> value) {
            sample.values[key] = value;
        }
    }
}

bool SameFiles(const fs::path& a, const fs::path& b) {
    std::ifstream x(a, std::ios::binary);
    std::ifstream y(b, std::ios::binary);
    std::array<char, 1 << 14> bx{};
    std::array<char, 1 << 14> by{};
    while (x && y) {
        x.read(bx.data(), bx.size());
        y.read(by.data(), by.size());
        if (x.gcount() != y.gcount() || !std::equal(bx.begin(), bx.begin() + x.gcount(), by.begin())) {
            return false;
        }
    }
    return !x && !y;
}

// The lines of a file that begin with the prefix.
std::vector<std::string> LinesStarting(const fs::path& file, const std::string& prefix) {
    std::ifstream in(file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with(prefix)) {
            lines.push_back(line);
        }
    }
    return lines;
}

std::string FirstLines(const fs::path& file, int count) {
    std::ifstream in(file);
    std::string text;
    for (std::string line; count-- > 0 && std::getline(in, line);) {
        text += "    " + line + "\n";
    }
    return text;
}

// --- what is measured ---------------------------------------------------------------

// A goal: a ratio to the floor, or an absolute bound. Zero: none.
struct Goal {
    double timeRatio = 0;
    double memoryRatio = 0;
    double timeMs = 0;
    double memoryMb = 0;
};

// A line of the table; the keys say which values of a sample it shows.
struct Row {
    std::string name;
    std::string timeKey;   // "": the process's wall-clock time; "-": none
    std::string memoryKey; // "": the process's peak memory; "-": none
    Goal goal;
};

enum class Check {
    Stdout,     // both print the same bytes
    CheckLines, // both print the same "check" lines
    None,
};

struct Interaction {
    std::string name;
    std::vector<std::string> drawbook;
    std::vector<std::string> floor; // empty: no floor
    Check check = Check::Stdout;
    std::function<void()> prepare; // before every run, untimed
    std::vector<Row> rows;

    std::vector<Sample> drawbookSamples;
    std::vector<Sample> floorSamples;
    std::string problem;
};

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::optional<double> MedianOf(const std::vector<Sample>& samples, const std::string& key, bool time) {
    if (key == "-" || samples.empty()) {
        return std::nullopt;
    }
    std::vector<double> values;
    for (const Sample& sample : samples) {
        if (key.empty()) {
            values.push_back(time ? sample.ms : sample.peakKb);
        } else if (const auto found = sample.values.find(key); found != sample.values.end()) {
            values.push_back(found->second);
        } else {
            return std::nullopt;
        }
    }
    return Median(values);
}

// --- the table ------------------------------------------------------------------------

// Columns as wide as a terminal shows them: CJK characters take two cells.
std::size_t DisplayWidth(const std::string& text) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        char32_t code = length == 1 ? c : c & (0x7F >> length);
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k) {
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        const bool wide = code >= 0x1100 && code != 0x00D7 && !(code >= 0xFF61 && code <= 0xFF9F) &&
                          !(code >= 0x2000 && code <= 0x2E7F);
        width += wide ? 2 : 1;
        i += length;
    }
    return width;
}

std::string Fixed(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string GoalText(const Goal& goal) {
    std::vector<std::string> parts;
    if (goal.timeRatio > 0) {
        parts.push_back("≤" + Fixed(goal.timeRatio, 1) + "× time");
    }
    if (goal.timeMs > 0) {
        parts.push_back("≤" + Fixed(goal.timeMs, 0) + " ms");
    }
    if (goal.memoryRatio > 0) {
        parts.push_back("≤" + Fixed(goal.memoryRatio, 1) + "× memory");
    }
    if (goal.memoryMb > 0) {
        parts.push_back("≤" + Fixed(goal.memoryMb, 0) + " MB");
    }
    std::string text;
    for (const std::string& part : parts) {
        text += (text.empty() ? "" : ", ") + part;
    }
    return text;
}

void PrintTable(const std::vector<std::vector<std::string>>& cells) {
    std::vector<std::size_t> widths(cells.front().size(), 0);
    for (const auto& line : cells) {
        for (std::size_t c = 0; c < line.size(); ++c) {
            widths[c] = std::max(widths[c], DisplayWidth(line[c]));
        }
    }
    const auto print = [&](const std::vector<std::string>& line) {
        std::string text = "|";
        for (std::size_t c = 0; c < line.size(); ++c) {
            const std::string pad(widths[c] - DisplayWidth(line[c]), ' ');
            // Names and goals to the left, numbers to the right.
            const bool left = c == 0 || c + 2 >= line.size();
            text += " " + (left ? line[c] + pad : pad + line[c]) + " |";
        }
        std::printf("%s\n", text.c_str());
    };
    print(cells.front());
    std::string rule = "|";
    for (std::size_t c = 0; c < widths.size(); ++c) {
        const bool left = c == 0 || c + 2 >= widths.size();
        rule += (left ? ":" + std::string(widths[c] + 1, '-') : std::string(widths[c] + 1, '-') + ":") + "|";
    }
    std::printf("%s\n", rule.c_str());
    for (std::size_t i = 1; i < cells.size(); ++i) {
        print(cells[i]);
    }
}

struct Options {
    int rounds = 7;
    bool smoke = false;
    fs::path work;
    fs::path data = DRAWBOOK_SHARED_DATA;
};

Options ParseOptions(int argc, char* argv[]) {
    Options options;
    bool roundsGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--rounds" && i + 1 < argc) {
            options.rounds = std::atoi(argv[++i]);
            roundsGiven = true;
        } else if (arg == "--smoke") {
            options.smoke = true;
        } else if (arg == "--work" && i + 1 < argc) {
            options.work = argv[++i];
        } else if (arg == "--data" && i + 1 < argc) {
            options.data = argv[++i];
        } else {
            std::fprintf(stderr, "usage: drawbook-bench [--rounds N] [--smoke] [--work DIR] [--data DIR]\n");
            std::exit(2);
        }
    }
    if (options.smoke && !roundsGiven) {
        options.rounds = 1;
    }
    if (options.rounds < 1) {
        Fail("--rounds needs a number of at least 1");
    }
    return options;
}

} // namespace

int main(int argc, char* argv[]) {
    const Options options = ParseOptions(argc, argv);
    const auto began = std::chrono::steady_clock::now();
    const fs::path programs = fs::canonical("/proc/self/exe").parent_path();
    const std::string cli = (programs / "drawbook-cli").string();
    const std::string floor = (programs / "drawbook-floor").string();
    const std::string windows = (programs / "drawbook-window-bench").string();

    const bool ownWork = options.work.empty();
    fs::path work = options.work;
    if (ownWork) {
        std::string pattern = (fs::temp_directory_path() / "drawbook-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            Fail("cannot make a work directory");
        }
        work = pattern;
        g_ownWork = work;
        g_driver = getpid();
    } else if (fs::exists(work) && !fs::is_empty(work)) {
        Fail(work.string() + " is not empty");
    } else {
        fs::create_directories(work);
    }
    // Window runs need no screen; Qt wants a private runtime directory.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const fs::path runtime = work / "runtime";
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);

    const int bigDraws = options.smoke ? 300 : 32767;
    const fs::path bigDir = work / "big";
    const fs::path realDir = work / "real";
    const std::string big = (bigDir / kDatabaseFileName).string();
    const std::string real = (realDir / kDatabaseFileName).string();
    const std::string empty = (work / "empty.mdb").string();
    const std::string fresh = (work / "new.mdb").string();
    const std::string bigCsv = (work / "big3.csv").string();
    const std::string realCsv = (options.data / "numbers3_results.csv").string();
    const bool haveReal =
        fs::exists(options.data / "numbers3_results.csv") && fs::exists(options.data / "numbers4_results.csv");

    // The books are built by a child, so that this process stays small: a forked
    // run's peak memory starts from what it shares with its parent.
    fs::create_directories(bigDir);
    fs::create_directories(realDir);
    std::fprintf(stderr, "drawbook-bench: building the books in %s\n", work.c_str());
    std::fflush(nullptr);
    const pid_t builder = fork();
    if (builder == 0) {
        BuildBook(big, bigDraws);
        CreateDatabase(empty);
        if (haveReal) {
            ImportRealHistory(real, options.data);
            AddRealPayouts(real, options.data);
        }
        _exit(0);
    }
    int builderStatus = 0;
    if (builder < 0 || waitpid(builder, &builderStatus, 0) != builder || !WIFEXITED(builderStatus) ||
        WEXITSTATUS(builderStatus) != 0) {
        Fail("cannot build the books");
    }
    if (!Spawn({cli, "--db", big, "export", "3", bigCsv}, work / "out", work / "err").ok) {
        Fail("drawbook-cli cannot export the book: " + FirstLines(work / "err", 5));
    }
    const auto newBook = [&] { fs::copy_file(empty, fresh, fs::copy_options::overwrite_existing); };

    const Goal cliGoal{1.3, 1.5, 0, 0};
    const std::string bigName = options.smoke ? "300" : "32,767";
    std::vector<Interaction> interactions;
    const auto command = [&](const std::string& name, const std::string& book, std::vector<std::string> words,
                             std::function<void()> prepare = {}) {
        Interaction interaction;
        interaction.name = name;
        interaction.drawbook = {cli, "--db", book};
        interaction.floor = {floor, "--db", book};
        interaction.drawbook.insert(interaction.drawbook.end(), words.begin(), words.end());
        interaction.floor.insert(interaction.floor.end(), words.begin(), words.end());
        interaction.prepare = std::move(prepare);
        interaction.rows = {{name, "", "", cliGoal}};
        interactions.push_back(std::move(interaction));
    };
    command("list 3", big, {"list", "3"});
    command("list 4", big, {"list", "4"});
    command("export 3", big, {"export", "3"});
    command("search 3 box 5__", big, {"search", "3", "box", "5__"});
    command("search 4 straight 1___", big, {"search", "4", "straight", "1___"});
    command("import 3, new book", fresh, {"import", "3", bigCsv}, newBook);
    command("import 3 again, all skipped", big, {"import", "3", bigCsv});
    command("backtest 3", big, {"backtest", "3"});
    command("compare 3", big, {"compare", "3"});
    command("ledger 3", big, {"ledger", "3"});
    command("backtest 4", big, {"backtest", "4"});
    command("ledger 4", big, {"ledger", "4"});
    command("next 3", big, {"next", "3"});
    command("predict 3", big, {"predict", "3"});
    const std::size_t bigCommands = interactions.size();
    if (haveReal) {
        command("import 3, new book", fresh, {"import", "3", realCsv}, newBook);
        command("import 3 again, all skipped", real, {"import", "3", realCsv});
        command("backtest 3", real, {"backtest", "3"});
        command("compare 3", real, {"compare", "3"});
        command("ledger 3", real, {"ledger", "3"});
        command("backtest 4", real, {"backtest", "4"});
        command("ledger 4", real, {"ledger", "4"});
        command("next 3", real, {"next", "3"});
        command("predict 3", real, {"predict", "3"});
        command("stats 3", real, {"stats", "3"});
        command("search 3 box 5__", real, {"search", "3", "box", "5__"});
    }
    const std::size_t realCommands = interactions.size() - bigCommands;

    Interaction list;
    list.name = "一覧表示";
    list.drawbook = {windows, "list", big};
    list.floor = {windows, "list-floor", big}; // the drawbook run's layout follows
    list.check = Check::CheckLines;
    list.rows = {{"一覧表示 ナンバーズ3", "list3_ms", "list3_kb", {1.5, 0, 0, 0}},
                 {"一覧表示 ナンバーズ4", "list4_ms", "list4_kb", {1.5, 0, 0, 0}},
                 {"一覧表示, both lists filled", "-", "both_kb", {0, 1.3, 0, 0}}};
    interactions.push_back(list);
    for (const std::string code : {"3", "4"}) {
        Interaction statistics;
        statistics.name = "統計 ナンバーズ" + code;
        statistics.drawbook = {windows, "stats", code, big};
        statistics.check = Check::None;
        statistics.rows = {{"統計 ナンバーズ" + code + ", first open", "open_ms", "window_kb", {0, 0, 100, 15}},
                           {"統計 ナンバーズ" + code + ", again", "again_ms", "-", {0, 0, 50, 0}}};
        interactions.push_back(statistics);
    }
    // The methods are compared when their tab is first shown; its goal is the window's, on the real history.
    Interaction methods;
    methods.name = "予想方法の比較 ナンバーズ3";
    methods.drawbook = {windows, "stats", "3", real};
    methods.check = Check::None;
    methods.rows = {{"統計 ナンバーズ3, 予想方法の比較 first shown, real history", "methods_ms", "-", {0, 0, 100, 0}}};
    interactions.push_back(methods);
    Interaction startup;
    startup.name = "start-up";
    startup.drawbook = {windows, "startup", bigDir.string()};
    startup.floor = {windows, "startup-floor"};
    startup.check = Check::None;
    startup.rows = {{"start-up to the painted main menu", "", "", {1.2, 0, 0, 0}}};
    interactions.push_back(startup);

    const fs::path drawbookOut = work / "drawbook.out";
    const fs::path floorOut = work / "floor.out";
    const fs::path errFile = work / "err";
    const auto run = [&](Interaction& interaction, bool drawbookSide, const fs::path& out) {
        if (interaction.prepare) {
            interaction.prepare();
        }
        Sample sample = Spawn(drawbookSide ? interaction.drawbook : interaction.floor, out, errFile);
        if (interaction.check != Check::Stdout) {
            ReadValues(out, sample);
        }
        if (!sample.ok && interaction.problem.empty()) {
            interaction.problem = std::string(drawbookSide ? "drawbook" : "floor") + " failed";
            std::fprintf(stderr, "drawbook-bench: %s: %s failed:\n%s", interaction.name.c_str(),
                         drawbookSide ? "drawbook" : "the floor", FirstLines(errFile, 8).c_str());
        }
        return sample;
    };

    // First an untimed run of each side: it warms the caches, and the floor has to
    // print what drawbook prints.
    std::fprintf(stderr, "drawbook-bench: comparing the outputs\n");
    for (Interaction& interaction : interactions) {
        run(interaction, true, drawbookOut);
        if (interaction.floor.empty()) {
            continue;
        }
        if (interaction.check == Check::CheckLines) {
            // The floor's window takes drawbook's size, font and columns.
            const auto layout = LinesStarting(drawbookOut, "layout ");
            const auto font = LinesStarting(drawbookOut, "font ");
            const auto families = LinesStarting(drawbookOut, "families ");
            if (layout.size() != 1 || font.size() != 1 || families.size() != 1) {
                interaction.problem = interaction.problem.empty() ? "no layout" : interaction.problem;
                interaction.floor.clear();
                continue;
            }
            interaction.floor.push_back(font.front().substr(5));
            interaction.floor.push_back(families.front().substr(9));
            std::istringstream numbers(layout.front().substr(7));
            for (std::string number; numbers >> number;) {
                interaction.floor.push_back(number);
            }
        }
        run(interaction, false, floorOut);
        const bool same = interaction.check == Check::Stdout
                              ? SameFiles(drawbookOut, floorOut)
                              : LinesStarting(drawbookOut, "check") == LinesStarting(floorOut, "check");
        if (!same && interaction.problem.empty()) {
            interaction.problem = "output differs";
            std::fprintf(stderr,
                         "drawbook-bench: %s: the floor's output differs from drawbook's\n  drawbook:\n%s  floor:\n%s",
                         interaction.name.c_str(), FirstLines(drawbookOut, 3).c_str(), FirstLines(floorOut, 3).c_str());
        }
    }

    // A forked process's peak counts the pages it shares with this one at first;
    // the least any run here can show is what an empty program shows.
    const double leastKb = Spawn({"/bin/true"}, work / "out", errFile).peakKb;

    // The rounds: drawbook and floor in turn, which one goes first alternating.
    for (int round = 0; round < options.rounds; ++round) {
        std::fprintf(stderr, "drawbook-bench: round %d of %d\n", round + 1, options.rounds);
        for (Interaction& interaction : interactions) {
            const bool drawbookFirst = round % 2 == 0;
            for (const bool drawbookSide : {drawbookFirst, !drawbookFirst}) {
                if (!drawbookSide && interaction.floor.empty()) {
                    continue;
                }
                const Sample sample = run(interaction, drawbookSide, drawbookSide ? drawbookOut : floorOut);
                (drawbookSide ? interaction.drawbookSamples : interaction.floorSamples).push_back(sample);
            }
        }
    }

    std::vector<std::vector<std::string>> cells = {{"interaction", "drawbook ms", "floor ms", "ratio", "drawbook MB",
                                                    "floor MB", "memory ratio", "goal", "status"}};
    const auto heading = [&](const std::string& text) {
        cells.push_back({"**" + text + "**", "", "", "", "", "", "", "", ""});
    };
    bool problems = false;
    for (std::size_t i = 0; i < interactions.size(); ++i) {
        if (i == 0) {
            heading("command line, " + bigName + "-draw book");
        } else if (i == bigCommands && realCommands > 0) {
            heading("command line, real history (7,054 draws)");
        } else if (i == bigCommands + realCommands) {
            heading("windows, " + bigName + "-draw book");
        }
        const Interaction& interaction = interactions[i];
        problems = problems || !interaction.problem.empty();
        for (const Row& row : interaction.rows) {
            const auto time = MedianOf(interaction.drawbookSamples, row.timeKey, true);
            const auto floorTime = MedianOf(interaction.floorSamples, row.timeKey, true);
            const auto memory = MedianOf(interaction.drawbookSamples, row.memoryKey, false);
            const auto floorMemory = MedianOf(interaction.floorSamples, row.memoryKey, false);
            const auto mb = [](std::optional<double> kb) { return kb ? Fixed(*kb / 1024, 1) : std::string("—"); };
            const auto ratio = [](std::optional<double> a, std::optional<double> b) -> std::optional<double> {
                if (!a || !b || *b <= 0) {
                    return std::nullopt;
                }
                return *a / *b;
            };
            const auto timeRatio = ratio(time, floorTime);
            const auto memoryRatio = ratio(memory, floorMemory);
            std::vector<std::string> over;
            const Goal& goal = row.goal;
            if ((goal.timeRatio > 0 && timeRatio && *timeRatio > goal.timeRatio) ||
                (goal.timeMs > 0 && time && *time > goal.timeMs)) {
                over.push_back("time");
            }
            if ((goal.memoryRatio > 0 && memoryRatio && *memoryRatio > goal.memoryRatio) ||
                (goal.memoryMb > 0 && memory && *memory / 1024 > goal.memoryMb)) {
                over.push_back("memory");
            }
            std::string mark = interaction.problem;
            if (mark.empty() && !over.empty()) {
                mark = "over: " + over.front() + (over.size() > 1 ? ", " + over.back() : "");
            }
            cells.push_back({row.name, time ? Fixed(*time, 1) : "—", floorTime ? Fixed(*floorTime, 1) : "—",
                             timeRatio ? Fixed(*timeRatio, 2) + "×" : "—", mb(memory), mb(floorMemory),
                             memoryRatio ? Fixed(*memoryRatio, 2) + "×" : "—", GoalText(goal), mark});
        }
    }

    const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    std::printf("drawbook-bench: medians of %d round%s, drawbook and floor in turn; %s draws per game in the "
                "generated book%s.\n\n",
                options.rounds, options.rounds == 1 ? "" : "s", bigName.c_str(),
                haveReal ? ", 7,054 in the real history" : "; no real history found");
    PrintTable(cells);
    std::printf("\nms: wall-clock of the process (command line, start-up), or from the action to the painted\n"
                "list or window (一覧表示, 統計). MB: peak resident memory of the process (command line,\n"
                "start-up; an empty program run the same way shows %.1f MB), or the growth of resident\n"
                "memory the action brought (一覧表示, 統計). Took %.0f s.\n",
                leastKb / 1024, took);

    if (ownWork) {
        fs::remove_all(work);
    }
    return problems ? 1 : 0;
}
