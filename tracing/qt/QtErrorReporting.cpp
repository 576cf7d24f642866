#include "tracing/qt/QtErrorReporting.h"

namespace morvane {

namespace {

ProtocolSettings settingsFor(const std::filesystem::path& folder)
{
    ProtocolSettings s;
    s.folder = folder;
    s.exeName = errPtnr().exeName();
    return s;
}

}  // namespace

QtErrorReporting::QtErrorReporting(const std::filesystem::path& programFolder, std::string programTitle)
    : messages_(std::move(programTitle)),
      printer_(programFolder),
      protocol_(ProtocolServices{messages_, clipboard_, shell_, printer_, os_, clock_}, settingsFor(programFolder)),
      dialog_(protocol_)
{
    errPtnr().setResponder(&dialog_);
}

QtErrorReporting::~QtErrorReporting()
{
    errPtnr().setResponder(nullptr);
}

}  // namespace morvane
