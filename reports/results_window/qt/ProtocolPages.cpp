#include "reports/results_window/qt/ProtocolPages.h"

#include "reports/uncertainty_report/UncertaintyReport.h"

#include <QLocale>

namespace morvane {

namespace {

// Both pages write numbers with the separator of the user's regional settings,
// read at each printout.
char regionalDecimalSeparator() { return QLocale().decimalPoint().at(0).toLatin1(); }

}  // namespace

ProtocolPages::ProtocolPages(ProgramState& state, Printer& printer, std::filesystem::path programFolder,
                             MessageBoxSink* messages)
    : state_(state),
      printing_{printer, std::move(programFolder), logo_,
                [](Page2Context& c) { DruckeDeutsch_p2(c.job, c.state, c.programFolder, c.logo, c.decimalSeparator); },
                [](Page2Context& c) { DruckeEnglish_p2(c.job, c.state, c.programFolder, c.logo, c.decimalSeparator); }}
{
    printing_.messages = messages;
}

void ProtocolPages::DruckeDeutsch()
{
    printing_.decimalSeparator = regionalDecimalSeparator();
    morvane::DruckeDeutsch(state_, printing_);
}

void ProtocolPages::DruckeEnglisch()
{
    printing_.decimalSeparator = regionalDecimalSeparator();
    morvane::DruckeEnglisch(state_, printing_);
}

}  // namespace morvane
