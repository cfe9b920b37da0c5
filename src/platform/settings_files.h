// The user's own settings for the plug-in, kept as small files in the
// user's settings folder: on Windows `%APPDATA%\Ostrand\Tarvel\`, elsewhere
// `$XDG_CONFIG_HOME/ostrand/tarvel/` (`$HOME/.config/ostrand/tarvel/` when
// XDG_CONFIG_HOME is unset or not an absolute path).
#pragma once

#include <cstddef>

namespace platform {

// The folder's path in UTF-8, ending with its separator; false when the
// user has none (no APPDATA, no HOME) or it does not fit `capacity` with
// its terminator. The folder may not exist yet.
bool settingsFolder(char* path, std::size_t capacity);

// Reads the whole file `name` of the settings folder into `text` (not
// terminated); false when it is missing, unreadable or longer than
// `capacity`.
bool readSettingsFile(const char* name, char* text, std::size_t capacity, std::size_t& length);

// Replaces the file `name` of the settings folder with `text`, making the
// folders on the way: written to a temporary file beside it first and
// renamed over it, so a crash leaves the old file or the new one, never
// part of one. False when any step failed (the old file then stays).
bool writeSettingsFile(const char* name, const char* text, std::size_t length);

} // namespace platform
