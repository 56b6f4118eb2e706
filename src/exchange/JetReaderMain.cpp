// drawbook-jet-reader FILE: writes both game tables of an old Jet book to stdout
// as JetBookText describes, or why it cannot and exits 1.
#include "exchange/HelperProcess.h"
#include "exchange/JetBookText.h"
#include "exchange/JetReader.h"
#include "platform/StandardStreams.h"

#include <cstdio>
#include <string>
#include <string_view>

#include <unistd.h>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fputs("usage: drawbook-jet-reader FILE\n", stderr);
        return 2;
    }
    // Whatever mdbtools prints goes to stderr; the rows go out on a stdout of their own.
    std::fflush(stdout);
    const int out = dup(STDOUT_FILENO);
    if (out < 0 || dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
        return 1;
    }
    const drawbook::JetBook book = drawbook::ReadJetFile(argv[1]);
    std::fflush(stdout);
    const std::string text = book.read ? drawbook::WriteJetBookText(book) : book.error + "\n";
    if (!drawbook::WriteAll(out, text)) {
        return 1;
    }
    return book.read ? 0 : 1;
}
