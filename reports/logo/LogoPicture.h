// The picture holder of the protocol pages' logo and the painting of the logo.
// The holder outlives the printouts: it starts with a built-in bitmap, a
// successful load replaces its picture and a failed one leaves it as it was.
#pragma once

#include "app/ProgramRecords.h"
#include "platform/Printer.h"

#include <filesystem>
#include <string>

namespace morvane {

// A bitmap's own size on the page: one pixel is 15 twips (96 pixels per inch).
inline constexpr double kLogoTwipsPerPixel = 15.0;
inline constexpr int kBuiltInLogoWidthPx = 350;
inline constexpr int kBuiltInLogoHeightPx = 130;

class LogoHolder {
public:
    // Holds the built-in picture.
    LogoHolder();

    // Makes the picture file the holder's picture. A missing file is run-time
    // error 53, a file that is no BMP or PNG picture error 481 ("Invalid
    // picture"); the holder then keeps its picture.
    void LoadPicture(const std::filesystem::path& file);

    bool isBuiltIn() const { return file_.empty(); }
    // The file the printer reads: the loaded file, or the built-in bitmap
    // written once to the temporary folder.
    std::string pictureFile() const;
    double widthTwips() const { return widthPx_ * kLogoTwipsPerPixel; }
    double heightTwips() const { return heightPx_ * kLogoTwipsPerPixel; }

private:
    std::string file_;
    int widthPx_ = kBuiltInLogoWidthPx;
    int heightPx_ = kBuiltInLogoHeightPx;
};

// The logo step of every protocol page: read "Logo.dli", load the bitmap it
// names from the program's folder into the holder (a failure is ignored and the
// holder's picture is painted), and paint the holder's picture at (gLogoX,
// gLogoY) twips, scaled to gLogoBreite x gLogoHoehe when both are non-zero and
// at its own size otherwise. Each part is one statement of `guard`.
class Guard;
bool paintLogo(Guard& guard, DokumentDaten& doc, const std::filesystem::path& programFolder, LogoHolder& holder,
               PrintJob& job);

}  // namespace morvane
