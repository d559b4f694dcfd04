#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "bytes.h"

namespace media {

enum class Kind { Clip, LitQuarter, Quarter, Face };

// One catalogue item and how its bytes are made.
struct Entry {
    std::string_view name;  // as stored: capitals
    Kind kind;
    Bytes (*make)();
};

// Every catalogue item; the generator, the resources and the catalogue all follow this table.
std::span<const Entry> entries();

// Resource paths, without Qt's leading ':'.
std::string itemPath(std::string_view name);  // catalogue items
std::string formPath(std::string_view name);  // the form's copy of a normal quarter, as a .bmp file
inline constexpr std::string_view iconPath = "/icon/MAINICON.ico";

struct GeneratedFile {
    std::string path;  // resource path, also the file's place under the output folder
    Bytes bytes;
};

// Everything the program embeds: the items, the form's bitmaps and the icon.
std::vector<GeneratedFile> generatedFiles();

// A Qt resource collection (.qrc) that embeds the files under their paths, from the folder
// holding it.
std::string resourceCollection(std::span<const GeneratedFile> files);

}  // namespace media
