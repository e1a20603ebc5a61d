// The table forms of vapomet-cli: --batch, --grid and --saturation. Rows are computed on every
// core, a chunk at a time, and written in input order, so that memory stays flat however long
// the input is.
#pragma once

#include <QStringList>
#include <cstdio>

namespace vapomet::cli {

enum class Format { Csv, JsonLines };

// The exit status of a table: 0 when every row was computed, 1 when some row carries a
// message, 2 on a usage error (with the reason written to the standard error).
int RunBatch(const QString& file, Format format, std::FILE* out);  // file "" or "-": stdin
int RunGrid(const QStringList& arguments, Format format, std::FILE* out);
int RunSaturation(const QStringList& arguments, Format format, std::FILE* out);

}  // namespace vapomet::cli
