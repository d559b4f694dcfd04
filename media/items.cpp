#include "items.h"

#include <array>
#include <cctype>

#include "art.h"
#include "bitmap.h"
#include "tones.h"
#include "wave.h"

namespace media {
namespace {

Bytes quarterPicture(Corner centre, Rgb colour) {
    return dib8(quarter(centre, colour), basicColours);
}

// Sample counts set the game's rhythm: each flash lasts as long as its clip.
const std::array<Entry, 17> table{{
    {"START", Kind::Clip, [] { return waveFile(startJingle(37077)); }},
    {"RED", Kind::Clip, [] { return waveFile(colourTone(13430, note::C5)); }},
    {"BLUE", Kind::Clip, [] { return waveFile(colourTone(9443, note::E5)); }},
    {"YELLOW", Kind::Clip, [] { return waveFile(colourTone(10951, note::G5)); }},
    {"GREEN", Kind::Clip, [] { return waveFile(colourTone(12181, note::C6)); }},
    {"ATARI", Kind::Clip, [] { return waveFile(successChime(17981)); }},
    {"HAZURE", Kind::Clip, [] { return waveFile(failureTone(12366)); }},
    {"QUAUTER1", Kind::LitQuarter, [] { return quarterPicture(Corner::BottomRight, white); }},
    {"QUAUTER11", Kind::Quarter, [] { return quarterPicture(Corner::BottomRight, red); }},
    {"QUAUTER2", Kind::LitQuarter, [] { return quarterPicture(Corner::BottomLeft, white); }},
    {"QUAUTER22", Kind::Quarter, [] { return quarterPicture(Corner::BottomLeft, blue); }},
    {"QUAUTER3", Kind::LitQuarter, [] { return quarterPicture(Corner::TopRight, white); }},
    {"QUAUTER33", Kind::Quarter, [] { return quarterPicture(Corner::TopRight, yellow); }},
    {"QUAUTER4", Kind::LitQuarter, [] { return quarterPicture(Corner::TopLeft, white); }},
    {"QUAUTER44", Kind::Quarter, [] { return quarterPicture(Corner::TopLeft, green); }},
    {"SMILE", Kind::Face, [] { return dib24(smilingFace()); }},
    {"BAD", Kind::Face, [] { return dib24(glumFace()); }},
}};

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

std::span<const Entry> entries() { return table; }

std::string itemPath(std::string_view name) { return "/media/" + std::string(name); }

std::string formPath(std::string_view name) { return "/form/" + lower(name) + ".bmp"; }

std::vector<GeneratedFile> generatedFiles() {
    std::vector<GeneratedFile> files;
    for (const Entry& entry : table) {
        files.push_back({itemPath(entry.name), entry.make()});
        if (entry.kind == Kind::Quarter)
            files.push_back({formPath(entry.name), bmpFile(files.back().bytes)});
    }
    files.push_back({std::string(iconPath), icoFile(iconArt(), basicColours)});
    return files;
}

std::string resourceCollection(std::span<const GeneratedFile> files) {
    std::string qrc = "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
    for (const GeneratedFile& file : files) {
        std::string relative = file.path.substr(1);
        qrc += "  <file alias=\"" + relative + "\">" + relative + "</file>\n";
    }
    return qrc + "</qresource>\n</RCC>\n";
}

}  // namespace media
