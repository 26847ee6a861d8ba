#ifndef ZUNAI_FILES_H
#define ZUNAI_FILES_H

#include <filesystem>
#include <string>

// Reads a whole file; false when it can't be opened or read (a folder included).
bool zunaiReadFile(const std::filesystem::path& path, std::string& text);

// Writes text to a temporary file beside `path` and renames it into place,
// so that a failure leaves no partial file. Throws zunaiError naming the file.
void zunaiWriteFileWhole(const std::filesystem::path& path, const std::string& text);

// The path as the user should see it: relative to `base` when inside it,
// else absolute.
std::string zunaiDisplayPath(const std::filesystem::path& path, const std::filesystem::path& base);

#endif
