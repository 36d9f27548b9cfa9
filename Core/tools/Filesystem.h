#pragma once
// Paths as the host's file dialogs and settings give them.

#include <string>

namespace Core::Filesystem {

// Whether the path is longer than the extension and ends with it, letters
// compared without regard to case (".TXT" matches ".txt").
bool checkExtension(const std::string& path, const std::string& extension);

// A directory typed by a person, made ready to have a file name appended:
// the blanks around it dropped, a relative one taken within the current
// store's directory (an empty one is that directory), "." and ".." segments
// resolved, and one "/" at its end.
std::string getNormalizedTrimmedDir(const std::string& directory);

}  // namespace Core::Filesystem
