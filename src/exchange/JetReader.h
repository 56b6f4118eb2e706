#pragma once

#include "exchange/JetBook.h"

#include <cstddef>
#include <functional>
#include <string>

namespace drawbook {

// Reads every row of both tables of a Jet file with mdbtools' library, texts as
// UTF-8. A file that cannot be read, or lacks a table or one of its columns, gives
// the reason instead. Only the Jet reader program links this: the library can
// crash on a damaged file. A test may have its say before each fetched row's
// fields are looked up (its place in the table from 0): false stands for mdbtools
// failing to find them.
JetBook ReadJetFile(const std::string& path, const std::function<bool(std::size_t row)>& rowFound = {});

} // namespace drawbook
