#pragma once
// Whole-file reads and atomic whole-file replacement, for every file the system rewrites
// (profile files, delimited files). Paths are bytes.

#include <string>
#include <string_view>

// Reads the whole file into bytes. Returns 0, or the errno of the failure (ENOENT for a
// missing file, EISDIR for a folder); bytes are untouched then.
int ReadFileBytes(const std::string& path, std::string& bytes);

// Replaces the file at path with bytes so that a reader sees either the old content or the
// new, never a mix: the bytes go to a temporary file in the same folder, which is flushed
// to disk and renamed over the old file. The replaced file keeps its permission bits (and,
// where allowed, its owner); a new file gets 0666 less the umask. A path that is a symbolic
// link stays a link: its final target is replaced. Returns 0, or the errno of the step that
// failed, in which case the old file is exactly as it was and no temporary file is left.
int ReplaceFileAtomically(const std::string& path, std::string_view bytes);
