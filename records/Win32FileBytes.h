// Whole files as bytes, for the settings file's backups and new versions.
#pragma once

#include <string>

enum class FileRead { Missing, Read, TooLarge, Failed };

// Files above maxBytes are not read: no settings file is that big, and
// reading one whole must not exhaust memory. Another program that holds the
// file for a moment without sharing it (a virus scanner, an indexer, a sync
// client) is waited out for about a second; Failed means it still held it,
// or the file could not be read for another reason.
FileRead readFileBytes(const std::wstring& path, std::size_t maxBytes, std::string& bytes);

// Creates or truncates the file, writes the bytes and flushes them to disk,
// so that a rename that follows can never expose a file without its data.
bool writeFileBytes(const std::wstring& path, const std::string& bytes);

// Flushes what others (a file copy) wrote to the file.
bool flushFileToDisk(const std::wstring& path);

// Puts the file from in place of the file to (or where none is yet), and
// flushes the rename to disk. Another program that reads the file for a
// moment (a virus scanner, an indexer, an editor) keeps it from being
// replaced meanwhile; the move waits up to about a second for it.
bool moveFileOver(const std::wstring& from, const std::wstring& to);
