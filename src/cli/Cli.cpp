#include "cli/Cli.h"

#include "cli/Arguments.h"
#include "cli/Verbs.h"
#include "exchange/BookMigration.h"

#include <map>
#include <ostream>

namespace drawbook::cli {

namespace {

constexpr const char* kUsage =
    "使い方: drawbook-cli [--db FILE] VERB ...\n"
    "        drawbook-cli --help | -h | --version   この使い方か、バージョンを表示\n"
    "  next 3|4   次回の開催回\n"
    "  list 3|4   記録された回の一覧（開催回、当選数字、予想数字１〜５をタブ区切りで）\n"
    "  predict 3|4 [--method NAME]\n"
    "             次回の予想数字５つ（１番目から一行ずつ）。NAME は予想の方法（既定は follow）:\n"
    "             follow 次に出た数字、hot よく出る数字、cold 出ていない数字、slide 引っ張り・スライド、\n"
    "             random 無作為（比べるための基準）\n"
    "  search 3|4 straight|box PATTERN [--sql]\n"
    "             数字で検索（PATTERN は上の桁から一桁ずつ、数字か _ 。例: _5_ 1__3）\n"
    "             --sql: 実行せずに SELECT 文を表示\n"
    "  store 3|4 DRAW DIGITS [--numbers a,b,c,d,e]\n"
    "             第DRAW回の当選数字と予想数字を書き換える（例: store 3 15 409 --numbers 123,,456）\n"
    "  register N3 N4 [--numbers3 a,b,c,d,e] [--numbers4 a,b,c,d,e]\n"
    "             次回の当選数字を両方まとめて登録（例: register 409 1234）。予想数字は省くと予想どおり。\n"
    "             登録した二回を list と同じ形で表示\n"
    "  import 3|4 FILE [--replace]\n"
    "             CSVファイルか以前の形式の記録帳から当選数字を取り込む（登録済みの回は飛ばす）。結果を一行で表示\n"
    "             --replace: 当選数字・抽せん日・当せん金が違う登録済みの回を、ファイルの内容で置き換える\n"
    "                        （予想数字はそのまま）\n"
    "  update 3|4 [--url URL] [--replace] | update 3|4 --bundled [--replace]\n"
    "             最新の当せん番号（抽せん日・当せん金つき）を取り込み元から受け取って取り込む。結果を一行で表示\n"
    "             --bundled: 受け取らずに、プログラムに付いている第1回～第7054回を取り込む\n"
    "             --replace: import と同じ\n"
    "             終了コード: 0 済み（最新だったときも）、1 取り込めない、3 データベース、4 受け取れない\n"
    "  delete 3|4 DRAW...\n"
    "             第DRAW回を抽せん日・当せん金ごと削除する（例: delete 3 15 16）。何も表示しない\n"
    "             終了コード: 0 削除した、1 記録帳にない回がある（何も削除しない）、3 データベース\n"
    "  migrate\n"
    "             以前の形式（Jet）の記録帳を、新しい形式の記録帳に移す。元のファイルは名前を変えて残す\n"
    "  export 3|4 [FILE]\n"
    "             記録された回をCSVで書き出す（FILE を省くと標準出力へ）\n"
    "  backtest 3|4 [--method NAME]\n"
    "             予想を過去の回に当てはめた成績（賭け方ごとの当選回数、偶然での期待値、z）\n"
    "  compare 3|4 [--last N]\n"
    "             予想の方法ごとの成績を比べる（方法、賭け方、回数、当選回数、期待値、z、偶然でその回数以上\n"
    "             当たる確率 p、方法と賭け方の数で補正した p、回収率）。直近 N 回だけも可\n"
    "  stats 3|4 [--last N]\n"
    "             桁ごとの出現回数と未出現回数（直近 N 回だけも可）\n"
    "  ledger 3|4 [--last N]\n"
    "             記録した予想数字と予想を毎回一枚ずつ買った場合の収支（賭け方ごとの枚数、購入額、\n"
    "             当せん金、差し引き、回収率）。直近 N 回だけも可\n"
    "             続けて購入記録の券（tickets）の、当せん・はずれが決まった分（枚数は口数）\n"
    "  buy 3|4 NUMBER straight|box|set|mini [--units N] [--draw N] [--draws K]\n"
    "             券を購入記録に記録する（口数 N は 1～99、既定は 1。開催回は省くと次回。\n"
    "             --draws K: 第N回から K 回続けて（1～20）。mini はナンバーズ３だけ）。記録した券を tickets "
    "と同じ形で表示\n"
    "             終了コード: 0 記録した、1 買えない数字（桁数が違う、ゾロ目のボックス・セット）、2 使い方、3 "
    "データベース\n"
    "  tickets 3|4 [--draw N]\n"
    "             購入記録の券を開催回順に（id、開催回、数字、買い方、口数、購入額、結果、当せん金をタブ区切りで）。\n"
    "             結果は pending（未抽せん）、won、lost、unknown（当せん金不明）\n"
    "  unbuy 3|4 ID\n"
    "             購入記録から番号 ID の券を消す。何も表示しない\n"
    "             終了コード: 0 消した、1 その番号の券はない、3 データベース\n";

using Verb = Outcome (*)(const Invocation&);

const std::map<std::string, Verb, std::less<>>& Verbs() {
    static const std::map<std::string, Verb, std::less<>> verbs = {
        {"next", Next},         {"list", List},       {"predict", Predict}, {"search", Search}, {"store", Store},
        {"register", Register}, {"import", Import},   {"migrate", Migrate}, {"update", Update}, {"export", Export},
        {"backtest", Backtest}, {"compare", Compare}, {"stats", Stats},     {"ledger", Ledger}, {"delete", Delete},
        {"buy", Buy},           {"tickets", Tickets}, {"unbuy", Unbuy},
    };
    return verbs;
}

// Takes the leading "--db FILE" and "--db=FILE" words into dbPath; the last one counts.
std::size_t TakeDbOptions(std::span<const std::string> args, std::string& dbPath) {
    std::size_t i = 0;
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
    return i;
}

// Runs the verb the words after the --db options name, or answers --help and --version.
Outcome Dispatch(std::span<const std::string> args, std::string& dbPath, std::ostream& out,
                 const std::string& bundledDir) {
    const std::size_t i = TakeDbOptions(args, dbPath);
    if (i >= args.size()) {
        throw UsageError{"VERB がありません"};
    }
    if (args[i] == "--help" || args[i] == "-h") {
        out << kUsage;
        return Done();
    }
    if (args[i] == "--version") {
        out << "drawbook-cli " DRAWBOOK_VERSION "\n";
        return Done();
    }
    const auto verb = Verbs().find(args[i]);
    if (verb == Verbs().end()) {
        throw UsageError{"知らない VERB です: " + args[i]};
    }
    // A conversion stopped halfway is finished first, as the program does at start-up.
    RecoverInterruptedMigration(dbPath);
    return verb->second(
        Invocation{dbPath, {args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end()}, out, bundledDir});
}

// Says on stderr how the verb ended; returns the exit code.
int Report(const Outcome& outcome, const std::string& dbPath, std::ostream& err) {
    for (const std::string& line : outcome.lines) {
        err << line << '\n';
    }
    if (outcome.code == kExitUsage) {
        err << "drawbook-cli: " << outcome.error << '\n' << kUsage;
    } else if (outcome.code == kExitDatabase) {
        err << "drawbook-cli: データベース " << dbPath << " を使えませんでした（" << outcome.error << "）\n";
    }
    return outcome.code;
}

} // namespace

} // namespace drawbook::cli

namespace drawbook {

int RunCli(std::span<const std::string> args, std::ostream& out, std::ostream& err, const std::string& defaultDbPath,
           const std::string& bundledDir) {
    std::string dbPath = defaultDbPath;
    cli::Outcome outcome;
    try {
        outcome = cli::Dispatch(args, dbPath, out, bundledDir);
    } catch (const cli::UsageError& e) {
        outcome = {kExitUsage, {}, e.message};
    } catch (const DbError& e) {
        outcome = {kExitDatabase, {}, e.what()};
    }
    return cli::Report(outcome, dbPath, err);
}

} // namespace drawbook
