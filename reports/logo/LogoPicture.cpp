#include "reports/logo/LogoPicture.h"

#include "platform/RuntimeError.h"
#include "reports/logo/LogoParams.h"
#include "tracing/Guard.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

namespace morvane {

namespace {

constexpr int kInvalidPicture = 481;

std::uint32_t le32(const unsigned char* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::uint32_t be32(const unsigned char* p)
{
    return (static_cast<std::uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

void putLe(std::vector<unsigned char>& b, std::size_t at, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(v >> (8 * i));
}

// A 350 x 130 pixel, 24-bit bitmap: the name band of the program in blue on
// white, with a grey rule under it.
std::vector<unsigned char> builtInBitmap()
{
    const int w = kBuiltInLogoWidthPx, h = kBuiltInLogoHeightPx;
    const std::size_t row = (static_cast<std::size_t>(w) * 3 + 3) / 4 * 4;
    std::vector<unsigned char> b(54 + row * static_cast<std::size_t>(h), 0);
    b[0] = 'B';
    b[1] = 'M';
    putLe(b, 2, static_cast<std::uint32_t>(b.size()), 4);
    putLe(b, 10, 54, 4);
    putLe(b, 14, 40, 4);
    putLe(b, 18, static_cast<std::uint32_t>(w), 4);
    putLe(b, 22, static_cast<std::uint32_t>(h), 4);
    putLe(b, 26, 1, 2);
    putLe(b, 28, 24, 2);
    putLe(b, 34, static_cast<std::uint32_t>(row * static_cast<std::size_t>(h)), 4);
    for (int y = 0; y < h; ++y) {  // bottom row first
        const int top = h - 1 - y;
        for (int x = 0; x < w; ++x) {
            std::array<unsigned char, 3> bgr{255, 255, 255};
            if (top >= 20 && top < 90 && x >= 10 && x < 340)
                bgr = {140, 60, 0};
            else if (top >= 100 && top < 110 && x >= 10 && x < 340)
                bgr = {160, 160, 160};
            const std::size_t at = 54 + row * static_cast<std::size_t>(y) + static_cast<std::size_t>(x) * 3;
            b[at] = bgr[0];
            b[at + 1] = bgr[1];
            b[at + 2] = bgr[2];
        }
    }
    return b;
}

}  // namespace

LogoHolder::LogoHolder() : bytes_(builtInBitmap()) {}

void LogoHolder::LoadPicture(const std::filesystem::path& file)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        raiseError(err::FileNotFound);
    std::ifstream in(file, std::ios::binary);
    std::array<unsigned char, 26> head{};
    in.read(reinterpret_cast<char*>(head.data()), head.size());
    if (!in)
        throw RuntimeError(kInvalidPicture, "Invalid picture");
    std::uint32_t w = 0, h = 0;
    if (head[0] == 'B' && head[1] == 'M') {
        w = le32(&head[18]);
        // A top-down bitmap gives its height negative.
        const auto signedH = static_cast<std::int32_t>(le32(&head[22]));
        h = static_cast<std::uint32_t>(signedH < 0 ? -static_cast<std::int64_t>(signedH) : signedH);
    } else if (head[0] == 0x89 && head[1] == 'P' && head[2] == 'N' && head[3] == 'G') {
        w = be32(&head[16]);
        h = be32(&head[20]);
    }
    if (w == 0 || h == 0 || w > 30000 || h > 30000)
        throw RuntimeError(kInvalidPicture, "Invalid picture");
    // The whole picture is kept: a later printout prints it even when the file
    // is gone.
    std::vector<unsigned char> bytes(head.begin(), head.end());
    bytes.insert(bytes.end(), std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    file_ = file.string();
    bytes_ = std::move(bytes);
    widthPx_ = static_cast<int>(w);
    heightPx_ = static_cast<int>(h);
}

std::string LogoHolder::pictureFile() const
{
    return file_.empty() ? kBuiltInLogoName : file_;
}

bool paintLogo(Guard& guard, DokumentDaten& doc, const std::filesystem::path& programFolder, LogoHolder& holder,
               PrintJob& job)
{
    if (!guard.step([&] { sublLoadLogoParams(doc, programFolder); }))
        return false;
    // The load alone runs with errors ignored.
    guard.skipErrors(true);
    guard.step([&] { holder.LoadPicture(programFolder.string() + "/" + doc.gLogoDatei); });
    guard.skipErrors(false);
    return guard.step([&] {
        const double x = doc.gLogoX, y = doc.gLogoY;
        double w = holder.widthTwips(), h = holder.heightTwips();
        if (doc.gLogoBreite != 0 && doc.gLogoHoehe != 0) {
            w = doc.gLogoBreite;
            h = doc.gLogoHoehe;
        } else if (holder.isBuiltIn()) {
            const double room = std::min((job.pageWidth() - x) / w,
                                         (kHeaderTextTop * job.pageHeight() - kLogoGapTwips - y) / h);
            if (room > 0.0 && room < 1.0) {
                w *= room;
                h *= room;
            }
        }
        job.picture(holder.pictureFile(), holder.pictureBytes(), x, y, w, h);
    });
}

}  // namespace morvane
