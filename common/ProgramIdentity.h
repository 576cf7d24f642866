// Who the program is: its names, its version and the maker texts of the splash
// and about windows. The program's own neutral texts, kept here so that a
// maker's edition changes one file.
#pragma once

#include <cstdint>
#include <string>

namespace morvane {

// The executable's name, without extension (trace captions, protocol files).
inline constexpr const char* kExeName = "morvane";

// The program title: caption of the program's message boxes, the about
// window's title line, and the settings application under which the main
// window keeps its placement.
inline constexpr const char* kProgramTitle = "morvane 7 PRO";

// The main window's title bar (never replaced by a resource text).
inline constexpr const char* kMainWindowTitle = "morvane 7 PRO";

struct ProgramVersion {
    int major;
    int minor;
    int revision;
};

inline constexpr ProgramVersion kProgramVersion{7, 1, 0};

// "Version " and the three numbers joined by "." as plain decimal text
// ("Version 7.1.7").
std::string versionLabel(const ProgramVersion& version);

// Maker texts, the same in both languages.
struct MakerTexts {
    std::string name;
    std::string street;
    std::string place;
    std::string phone;
    std::string fax;
    std::string web;
    std::string mail;
};

const MakerTexts& makerTexts();

// The liability disclaimer of the about window, in the language of the offset
// (0 German, otherwise English).
std::string disclaimerText(std::int32_t sprachOffset);

// The two notices of the splash window below the maker line.
std::string copyrightNotice();
std::string warrantyNotice(std::int32_t sprachOffset);

}  // namespace morvane
