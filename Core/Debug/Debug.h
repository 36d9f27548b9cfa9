#pragma once
// Debug logging of the host: off until the host switches it on with a log
// file; every line carries the source location it was written from.

#include "Core/SrcInfo.h"

#include <filesystem>
#include <string>

namespace Core::Debug {

// Appends log lines to the file from now on (creating its directory).
void enableLogging(const std::filesystem::path& file);
void disableLogging();
bool loggingEnabled();

// Writes one line when logging is on; does nothing otherwise.
void logLine(const std::string& text, const SrcInfo& where);
// Logs a call of a module's entry point with its reason.
void logDllEntryPoint(const void* instance, unsigned long reason, const SrcInfo& where);

}  // namespace Core::Debug
