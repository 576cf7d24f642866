#include "reports/logo/FittedText.h"

namespace morvane {

namespace {

// Drops the last character of UTF-8 text, with all its bytes.
void dropLastCharacter(std::string& s)
{
    while (!s.empty() && (static_cast<unsigned char>(s.back()) & 0xC0) == 0x80)
        s.pop_back();
    if (!s.empty())
        s.pop_back();
}

// Drops the first character of UTF-8 text, with all its bytes.
void dropFirstCharacter(std::string& s)
{
    std::size_t n = s.empty() ? 0 : 1;
    while (n < s.size() && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80)
        ++n;
    s.erase(0, n);
}

}  // namespace

FittedText fitText(PrintJob& job, const PrintFont& font, const std::string& text, double room, CutAt cut)
{
    FittedText f{font, text};
    job.setFont(f.font);
    while (job.textWidth(f.text) > room && f.font.sizePoints - 0.5 >= kSmallestFittedPoints) {
        f.font.sizePoints -= 0.5;
        job.setFont(f.font);
    }
    if (job.textWidth(f.text) <= room)
        return f;
    if (cut == CutAt::Start) {
        while (!f.text.empty() && job.textWidth("..." + f.text) > room)
            dropFirstCharacter(f.text);
        f.text.insert(0, "...");
        return f;
    }
    while (!f.text.empty() && job.textWidth(f.text + "...") > room)
        dropLastCharacter(f.text);
    f.text += "...";
    return f;
}

}  // namespace morvane
