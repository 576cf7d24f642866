// Recording fakes of the platform seams, for tests: they answer from a script
// and remember what they were asked; none of them ever blocks.
#pragma once

#include "platform/MessageBox.h"
#include "platform/Seams.h"
#include "tracing/ErrPtnr.h"

#include <deque>
#include <map>
#include <tuple>
#include <vector>

namespace morvane::testing {

class RecordingMessageBox : public MessageBoxSink {
public:
    MessageAnswer show(const MessageRequest& request) override
    {
        shown.push_back(request);
        if (answers.empty())
            return MessageAnswer::Ok;
        const MessageAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::vector<MessageRequest> shown;
    std::deque<MessageAnswer> answers;
};

// Answers the error dialog from a script; an empty script closes the dialog
// without a choice.
class ScriptedResponder : public ErrorResponder {
public:
    std::optional<std::int16_t> ask(const ErrorReport& report) override
    {
        reports.push_back(report);
        if (answers.empty())
            return std::nullopt;
        const auto a = answers.front();
        answers.pop_front();
        return a;
    }
    std::vector<ErrorReport> reports;
    std::deque<std::optional<std::int16_t>> answers;
};

class FixedClock : public Clock {
public:
    FixedClock(int h, int m, int s);
    std::chrono::system_clock::time_point now() const override { return at; }
    std::chrono::system_clock::time_point at;
};

class RecordingShell : public ShellOpen {
public:
    bool open(const std::string& target) override
    {
        opened.push_back(target);
        return succeed;
    }
    std::vector<std::string> opened;
    bool succeed = true;
};

class RecordingClipboard : public Clipboard {
public:
    void setText(const std::string& t) override { content = t; ++writes; }
    std::string text() const override { return content; }
    std::string content;
    int writes = 0;
};

class MemorySettings : public SettingsStore {
public:
    std::optional<std::string> value(const std::string& app, const std::string& section,
                                     const std::string& key) const override
    {
        const auto it = values.find({app, section, key});
        if (it == values.end())
            return std::nullopt;
        return it->second;
    }
    void setValue(const std::string& app, const std::string& section, const std::string& key,
                  const std::string& v) override
    {
        values[{app, section, key}] = v;
    }
    std::map<std::tuple<std::string, std::string, std::string>, std::string> values;
};

class ScriptedFileDialogs : public FileDialogs {
public:
    std::optional<std::string> openFile(const std::string& caption, const std::string& folder,
                                        const std::string&) override
    {
        asked.push_back({caption, folder});
        return openAnswer;
    }
    std::optional<std::string> saveFile(const std::string& caption, const std::string& folder,
                                        const std::string&) override
    {
        asked.push_back({caption, folder});
        return saveAnswer;
    }
    std::vector<std::pair<std::string, std::string>> asked;
    std::optional<std::string> openAnswer;
    std::optional<std::string> saveAnswer;
};

class FixedOsInfo : public OsInfo {
public:
    OsDescription describe() const override { return description; }
    OsDescription description{"Linux", 6, 1, 0, "Debian GNU/Linux 12"};
};

// A fresh tracer for one test, answered by a script, whose quit throws
// QuitRequested instead of ending the test process.
class TestTracer {
public:
    TestTracer()
    {
        scope.get().setResponder(&responder);
        scope.get().setQuitHandler([](int code) { throw QuitRequested{code}; });
    }
    ErrPtnr& operator*() { return scope.get(); }
    ErrPtnr* operator->() { return &scope.get(); }
    ScopedErrPtnr scope;
    ScriptedResponder responder;
};

}  // namespace morvane::testing
