// How an output file is named: folder + "/" + the source's base name + the format's extension,
// then made unique and created exclusively when the worker opens it.
#pragma once

#include <string>
#include <string_view>

namespace varnell {

// The file name after the last "/" up to its last ".". A name without "." (or whose only "." is
// its first character, as in ".profile") is its own base name.
std::string OutputBaseName(std::string_view sourcePath);

// folder + "/" + base name + extension (".mp3"); the folder is used as given.
std::string BuildOutputPath(std::string_view folder, std::string_view sourcePath,
                            std::string_view extension);

// The folder part of an output path: what comes before its last "/" ("/" for a file at the root,
// "." for a bare name).
std::string OutputFolderOf(std::string_view path);

// The name the collision loop tries after `attempt` failed tries: attempt -1 is the path itself,
// then name(0).ext, name(1).ext, ... always built from the original path.
std::string CollisionCandidate(std::string_view path, int attempt);

// True when the collision loops of the two paths can arrive at the same name: the paths are
// equal, or one is a numbered candidate of the other (song.mp3 and song(3).mp3).
bool CollisionLoopsMeet(std::string_view first, std::string_view second);

}  // namespace varnell
