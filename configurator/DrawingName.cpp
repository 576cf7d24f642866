#include "configurator/DrawingName.h"

#include "engine/CalculationState.h"
#include "tracing/Guard.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

namespace morvane {

namespace {

using Pair = std::pair<std::string_view, std::string_view>;

// Older flange codes and their current form.
constexpr std::array<Pair, 10> FluTable = {{{"-FG", "FG"},
                                            {"-FL", "FL"},
                                            {"-FF", "FF"},
                                            {"-FS", "FD"},
                                            {"-FGH", "FG"},
                                            {"-FGV", "FGV"},
                                            {"-FLH", "FL"},
                                            {"-FLV", "FV"},
                                            {"-FDH", "FD"},
                                            {"-FDV", "FDV"}}};

// Mounting positions: option code -> position code of the drawing.
constexpr std::array<Pair, 16> PorTable = {{{"OV", "VH"},
                                            {"OHO", "HO"},
                                            {"OHS", "HH"},
                                            {"OHU", "HU"},
                                            {"OVO", "VO"},
                                            {"OHR", "HR"},
                                            {"OVU", "VU"},
                                            {"OHL", "HL"},
                                            {"HT", "HO"},
                                            {"HS", "HH"},
                                            {"HU", "HU"},
                                            {"VS", "VH"},
                                            {"VD", "VO"},
                                            {"VU", "VU"},
                                            {"HR", "HR"},
                                            {"HL", "HL"}}};

std::string second(std::string_view code)
{
    return code.size() >= 2 ? std::string(1, code[1]) : std::string();
}

}  // namespace

std::string fluLetter(const std::string& code)
{
    for (const auto& [from, to] : FluTable)
        if (code == from)
            return second(to);
    return second(code);
}

std::string conLetter(const std::string& code)
{
    return second(code);
}

std::string porCode(const std::string& code)
{
    for (const auto& [from, to] : PorTable)
        if (code == from)
            return std::string(to);
    return "XX";
}

std::string drawingName(const std::string& sondentyp, std::span<const ConfigField> fields,
                        std::span<const int> listIndex)
{
    std::string flu;
    std::string con;
    std::string por;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const ConfigField& f = fields[i];
        if (!isTrue(f.DrawingField))
            continue;
        const int k = i < listIndex.size() ? listIndex[i] : -1;
        const bool chosen = k >= 1 && k <= MaxConfigOptions;
        const std::string& code = chosen ? f.Code[static_cast<std::size_t>(k)] : f.Code[0];
        if (f.FieldName == "FLU")
            flu = chosen ? fluLetter(code) : "XX";
        else if (f.FieldName == "CON")
            con = chosen ? conLetter(code) : "XX";
        else if (f.FieldName == "POR")
            por = chosen ? porCode(code) : "XX";
    }
    return sondentyp + flu + con + "_" + por;
}

std::filesystem::path drawingPdfPath(const std::filesystem::path& programFolder, const std::string& name)
{
    return programFolder / "Drawings" / "PDF" / (name + ".pdf");
}

std::filesystem::path drawingJpgPath(const std::filesystem::path& programFolder, const std::string& name)
{
    return programFolder / "Drawings" / "JPG" / (name + ".jpg");
}

std::string sublCompileDrawingFileName(ConfigZustand& z, const std::filesystem::path& programFolder,
                                       std::span<const int> listIndex)
{
    traceEntry("frmMain", "Private Sub sublCompileDrawingFileName()");
    const auto n = static_cast<std::size_t>(std::clamp<int>(z.gConfFeldAnzahl, 0, MaxConfigRows));
    const std::string name =
        drawingName(z.gSondentyp, std::span<const ConfigField>(z.gConfFelder.data(), n), listIndex);
    z.gPdfDatei = drawingPdfPath(programFolder, name).string();
    z.gJpgDatei = drawingJpgPath(programFolder, name).string();
    return name;
}

}  // namespace morvane
