// The windows around the two drivers, faked: they record what the driver asked
// of them in one event list, and the reading of the main window puts a scripted
// input message into the state. One harness holds them with an engine context.
#pragma once

#include "EngineHarness.h"
#include "engine/CalculateDriver.h"

#include <functional>
#include <string>
#include <vector>

namespace morvane::testing {

// The options window and the main window.
class FakeDriverWindows : public OptionsWindow, public MainWindowInputs {
public:
    explicit FakeDriverWindows(const UiZustand& ui) : ui(ui) {}

    // Script.
    std::string typeInfo;
    std::string codeDisplay;
    std::string inputMessage;         // what ReadOberflaeche collects in gFehlerEingabe
    std::function<void()> onOptions;  // what the user does in the options window
    std::function<void()> onRead;     // what ReadOberflaeche reads besides
    std::function<void()> onRebuild;  // what the code rebuild does (it may set codeDisplay)
    int rebuilds = 0;                 // how often the type code was built anew

    // Record: "options", "ReadOberflaeche", "messages: <gFehlertext>", "results",
    // "Text8: <text>", "Text10: <text>", "Text18: <text>", "Option5".
    std::vector<std::string> events;
    UiZustand* writableUi = nullptr;  // where ReadOberflaeche writes gFehlerEingabe
    ReadingFor purpose = ReadingFor::Calculation;  // of the last reading

    void showModal() override
    {
        events.push_back("options");
        if (onOptions)
            onOptions();
    }
    std::string typeInfoText() const override { return typeInfo; }
    std::string codeDisplayText() const override { return codeDisplay; }
    void rebuildTypeCode() override
    {
        ++rebuilds;
        if (onRebuild)
            onRebuild();
    }
    void ReadOberflaeche(ReadingFor readingFor) override
    {
        purpose = readingFor;
        events.push_back("ReadOberflaeche");
        if (writableUi != nullptr)
            writableUi->gFehlerEingabe = inputMessage;
        if (onRead)
            onRead();
    }
    void setText8(const std::string& text) override { events.push_back("Text8: " + text); }
    void setText10(const std::string& text) override { events.push_back("Text10: " + text); }
    void setText18(const std::string& text) override { events.push_back("Text18: " + text); }
    void selectOption5() override { events.push_back("Option5"); }
    std::vector<std::string> shownMessages() const
    {
        std::vector<std::string> out;
        for (const auto& ev : events)
            if (ev.rfind("messages: ", 0) == 0)
                out.push_back(ev.substr(10));
        return out;
    }
    bool resultsShown() const
    {
        for (const auto& ev : events)
            if (ev == "results")
                return true;
        return false;
    }

    const UiZustand& ui;
};

class FakeMessagesWindow : public MessagesWindow {
public:
    explicit FakeMessagesWindow(FakeDriverWindows& w) : w_(w) {}
    void show() override { w_.events.push_back("messages: " + w_.ui.gFehlertext); }
    // Counted apart from the events, as the results window's closes are.
    void close() override { ++closes; }
    int closes = 0;

private:
    FakeDriverWindows& w_;
};
class FakeResultsWindow : public ResultsWindow {
public:
    explicit FakeResultsWindow(FakeDriverWindows& w) : w_(w) {}
    void show() override { w_.events.push_back("results"); }
    // Counted apart from the events, which keep the order of what the user sees.
    void close() override { ++closes; }
    int closes = 0;

private:
    FakeDriverWindows& w_;
};

struct DriverHarness : EngineHarness {
    DriverHarness()
    {
        windows.writableUi = &ui;
        settings.gUserName = "Test";
    }
    ConfigZustand config;
    FakeDriverWindows windows{ui};
    FakeMessagesWindow messagesWindow{windows};
    FakeResultsWindow resultsWindow{windows};
    DriverContext d{e, ui, config, DriverWindows{windows, windows, messagesWindow, resultsWindow}};

    // Names of the procedures entered, oldest first, without module and
    // declaration: "BerechneDichte", "get_Blende", ...
    std::vector<std::string> proceduresEntered()
    {
        std::vector<std::string> out;
        const auto t = trace();
        for (auto it = t.rbegin(); it != t.rend(); ++it) {
            if (it->empty() || (*it)[0] == '\t')
                continue;
            const auto close = it->find("] ");
            std::string decl = it->substr(close + 2);
            for (const char* word : {"Private ", "Public ", "Sub ", "Function "})
                if (decl.rfind(word, 0) == 0)
                    decl = decl.substr(std::string(word).size());
            out.push_back(decl.substr(0, decl.find('(')));
        }
        return out;
    }
};

}  // namespace morvane::testing
