// Seeded mutations of the example settings file, as a new user's files might
// look after an editor, another tool or a damaged disk had them: flipped
// bytes, cut ends, odd numbers in every key, missing and repeated sections,
// very long names, control characters, other encodings, garbage.
#pragma once

#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include "records/ScoreRecord.h"

struct SettingsFileMutation {
    std::string what;   // for failure messages
    std::string bytes;  // the whole file
    // The entries a load must yield when the mutation left them intact;
    // false when nothing certain can be said beyond the general rules.
    bool entriesKnown = false;
    std::list<ScoreRecord> entries;
};

// The example file (ExampleSettingsFile.h) as text with CRLF line ends.
std::wstring exampleFileText();

// Encodes text in UTF-8 (without a byte-order mark).
std::string utf8Bytes(const std::wstring& text);

// count mutations, the same ones for the same seed on every system.
std::vector<SettingsFileMutation> settingsFileMutations(std::uint32_t seed, int count);
