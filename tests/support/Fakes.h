// Recording fakes of the platform seams, for tests: they answer from a script
// and remember what they were asked; none of them ever blocks.
#pragma once

#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBox.h"
#include "platform/OsInfo.h"
#include "platform/Printer.h"
#include "platform/SettingsStore.h"
#include "platform/ShellOpen.h"
#include "tracing/ErrPtnr.h"

#include <deque>
#include <map>
#include <memory>
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

// Answers the error dialog from a script (std::nullopt in the script closes the
// dialog without a choice). Once the script is used up it answers Exit, so that an
// unexpected error leaves its procedure instead of repeating it for ever; the
// test sees it in `reports`.
class ScriptedResponder : public ErrorResponder {
public:
    std::optional<std::int16_t> ask(const ErrorReport& report) override
    {
        reports.push_back(report);
        if (answers.empty())
            return ContExit;
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

// Records what is opened; `succeed` false stands for a desktop without a
// program for the target (openDocument reports the failure at once).
class RecordingShell : public ShellOpen {
public:
    bool open(const std::string& target) override
    {
        opened.push_back(target);
        return succeed;
    }
    void openDocument(const std::string& path, std::function<void()> failed) override
    {
        opened.push_back(path);
        if (!succeed && failed)
            failed();
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

// A printer that keeps what was printed: every text with its page and
// position, lines, pictures and page breaks. Its page is A4 (11906 x 16838
// twips) with 240-twip lines and texts 120 twips a byte unless a test says
// otherwise; it can refuse to start a job, fail at the end, or stand for the
// PDF file used without a printer.
class RecordingPrinter : public Printer {
public:
    struct Text {
        int page;
        double x, y;
        std::string text;
        PrintFont font;
    };

    std::unique_ptr<PrintJob> startJob(const std::string& documentName, std::string& error) override
    {
        documents.push_back(documentName);
        if (!available) {
            error = failure;
            return nullptr;
        }
        return std::make_unique<Job>(*this);
    }

    // Script.
    bool available = true;
    std::string failure = "No printer is installed.";
    bool endSucceeds = true;
    bool pdfFile = false;
    std::string destinationText = "Recording printer";
    double pageWidthTwips = 11906.0;
    double pageHeightTwips = 16838.0;
    double lineHeightTwips = 240.0;
    double textWidthPerByte = 120.0;  // twips, whatever the font

    // Record.
    std::vector<std::string> documents;
    std::vector<Text> texts;
    std::vector<std::string> lines;     // "x1,y1-x2,y2" per line drawn
    std::vector<std::string> pictures;        // where each picture came from
    std::vector<std::size_t> pictureSizes;   // its bytes
    int pageBreaks = 0;
    int endedDocuments = 0;

private:
    class Job : public PrintJob {
    public:
        explicit Job(RecordingPrinter& p) : p_(p) {}
        double pageWidth() const override { return p_.pageWidthTwips; }
        double pageHeight() const override { return p_.pageHeightTwips; }
        void setFont(const PrintFont& font) override { font_ = font; }
        double textWidth(const std::string& text) const override
        {
            return p_.textWidthPerByte * static_cast<double>(text.size());
        }
        double lineHeight() const override { return p_.lineHeightTwips; }
        void text(double x, double y, const std::string& text) override
        {
            p_.texts.push_back({p_.pageBreaks + 1, x, y, text, font_});
        }
        void line(double x1, double y1, double x2, double y2, double) override
        {
            p_.lines.push_back(std::to_string(x1) + "," + std::to_string(y1) + "-" + std::to_string(x2) + "," +
                               std::to_string(y2));
        }
        bool picture(const std::string& name, const std::vector<unsigned char>& bytes, double, double, double,
                     double) override
        {
            p_.pictures.push_back(name);
            p_.pictureSizes.push_back(bytes.size());
            return true;
        }
        void newPage() override { ++p_.pageBreaks; }
        bool endDoc() override
        {
            ++p_.endedDocuments;
            return p_.endSucceeds;
        }
        std::string destination() const override { return p_.destinationText; }
        bool isPdfFile() const override { return p_.pdfFile; }

    private:
        RecordingPrinter& p_;
        PrintFont font_;
    };
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
