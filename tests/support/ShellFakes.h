// Recording fakes of the seams the shell's windows use beyond those of
// Fakes.h: the registry, the program launcher and a clock that moves on by a
// fixed step at every reading. None of them ever blocks.
#pragma once

#include "app/ShellServices.h"
#include "platform/Clock.h"
#include "platform/ProgramLauncher.h"
#include "platform/Registry.h"
#include "support/Fakes.h"

#include <chrono>
#include <functional>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace morvane::testing {

// A registry of a few keys under HKEY_LOCAL_MACHINE; keeps which keys were
// opened and which are still open.
class FakeRegistry : public Registry {
public:
    // key name -> value name -> value
    std::map<std::string, std::map<std::string, RegistryValue>> keys;
    std::vector<std::string> opened;
    std::set<Key> open_;
    std::vector<std::uint32_t> accessAsked;

    void setString(const std::string& key, const std::string& valueName, const std::string& text)
    {
        keys[key][valueName] = {REG_SZ_TYPE, text};
    }

    std::optional<Key> open(std::uint32_t root, const std::string& keyName, std::uint32_t access) override
    {
        accessAsked.push_back(access);
        if (root != HKEY_LOCAL_MACHINE_ROOT || !keys.count(keyName))
            return std::nullopt;
        opened.push_back(keyName);
        const Key k = next_++;
        handles_[k] = keyName;
        open_.insert(k);
        return k;
    }
    std::optional<RegistryValue> query(Key key, const std::string& valueName, std::size_t bufferSize) override
    {
        const auto& values = keys.at(handles_.at(key));
        const auto it = values.find(valueName);
        if (it == values.end() || it->second.bytes.size() > bufferSize)
            return std::nullopt;
        return it->second;
    }
    void close(Key key) override { open_.erase(key); }

private:
    Key next_ = 100;
    std::map<Key, std::string> handles_;
};

class RecordingLauncher : public ProgramLauncher {
public:
    bool start(const std::string& path) override
    {
        started.push_back(path);
        return succeed;
    }
    std::vector<std::string> started;
    bool succeed = true;
};

// Every reading is `step` later than the one before; onRead runs at each
// reading (to look at the windows while a wait loop runs).
class SteppingClock : public Clock {
public:
    explicit SteppingClock(std::chrono::milliseconds step) : step_(step) {}
    std::chrono::system_clock::time_point now() const override
    {
        ++readings;
        if (onRead)
            onRead();
        at_ += step_;
        return at_;
    }
    mutable int readings = 0;
    std::function<void()> onRead;

private:
    std::chrono::milliseconds step_;
    mutable std::chrono::system_clock::time_point at_{};
};

// The shell's services, every one a recording fake; the settings store is
// the memory one unless a test hands in another (the program's own, on a
// folder of the test's).
struct FakeShellServices {
    explicit FakeShellServices(std::filesystem::path folder = {}, SettingsStore* store = nullptr)
        : services{store ? *store : settings, messages, shell, registry, launcher, clipboard, clock, std::move(folder)}
    {
    }
    MemorySettings settings;
    RecordingMessageBox messages;
    RecordingShell shell;
    FakeRegistry registry;
    RecordingLauncher launcher;
    RecordingClipboard clipboard;
    // 10 December 2026, 11:00:00 local time.
    FixedClock clock{11, 0, 0};
    ShellServices services;
};

}  // namespace morvane::testing
