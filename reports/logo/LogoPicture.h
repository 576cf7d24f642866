// The picture holder of the protocol pages' logo and the painting of the logo.
// The holder outlives the printouts: it starts with a built-in bitmap, a
// successful load replaces its picture and a failed one leaves it as it was.
// It keeps the picture itself, so a logo whose file is gone prints again.
#pragma once

#include "common/ProgramRecords.h"
#include "platform/Printer.h"

#include <filesystem>
#include <string>
#include <vector>

namespace morvane {

// A bitmap's own size on the page: one pixel is 15 twips (96 pixels per inch).
inline constexpr double kLogoTwipsPerPixel = 15.0;
inline constexpr int kBuiltInLogoWidthPx = 350;
inline constexpr int kBuiltInLogoHeightPx = 130;
inline constexpr const char* kBuiltInLogoName = "built-in logo";

class LogoHolder {
public:
    // Holds the built-in picture.
    LogoHolder();

    // Makes the picture file the holder's picture. A missing file is run-time
    // error 53, a file that is no BMP or PNG picture error 481 ("Invalid
    // picture"); the holder then keeps its picture.
    void LoadPicture(const std::filesystem::path& file);

    bool isBuiltIn() const { return file_.empty(); }
    // Where the picture came from: the loaded file, or kBuiltInLogoName. The
    // print job takes the bytes; the built-in picture is written to no file.
    std::string pictureFile() const;
    // The picture's file bytes as loaded (BMP or PNG).
    const std::vector<unsigned char>& pictureBytes() const { return bytes_; }
    double widthTwips() const { return widthPx_ * kLogoTwipsPerPixel; }
    double heightTwips() const { return heightPx_ * kLogoTwipsPerPixel; }

private:
    std::string file_;
    std::vector<unsigned char> bytes_;
    int widthPx_ = kBuiltInLogoWidthPx;
    int heightPx_ = kBuiltInLogoHeightPx;
};

// The logo step of every protocol page: read "Logo.dli", load the bitmap it
// names from the program's folder into the holder (a failure is ignored and the
// holder's picture is painted), and paint the holder's picture at (gLogoX,
// gLogoY) twips, scaled to gLogoBreite x gLogoHoehe when both are non-zero and
// at its own size otherwise. The built-in picture at its own size is scaled
// down, keeping its proportions, into the space from its position to the right
// edge of the printable area and to the top of the header's texts. Each part
// is one statement of `guard`.
class Guard;
// Where the header's right column, under the logo, starts on both protocol
// pages, as a fraction of the page height, and the gap the logo keeps above it
// (twips).
inline constexpr double kHeaderTextTop = 0.11;
inline constexpr double kLogoGapTwips = 60.0;
bool paintLogo(Guard& guard, DokumentDaten& doc, const std::filesystem::path& programFolder, LogoHolder& holder,
               PrintJob& job);

}  // namespace morvane
