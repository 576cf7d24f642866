// The start-up with recording fakes behind every service, a program folder of
// its own, a tracer answered by a script and a clock that needs no waiting;
// it puts the current folder back and deletes the main window when done.
#pragma once

#include "engine/ProgramState.h"
#include "app/qt/ProgramShell.h"
#include "support/ShellFakes.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QToolBar>

#include <filesystem>

namespace morvane::testing {

struct ShellRig {
    explicit ShellRig(std::chrono::milliseconds splashTime = std::chrono::milliseconds(0),
                      std::chrono::milliseconds clockStep = std::chrono::milliseconds(0),
                      SettingsStore* settings = nullptr)
        : fakes(folder.path().toStdString(), settings), clock(clockStep), shell(state, fakes.services, clock, splashTime)
    {
    }
    ~ShellRig()
    {
        delete shell.gMainForm();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        std::filesystem::current_path(startFolder);
    }

    std::filesystem::path langSet() const { return fakes.services.programFolder / "Lang.set"; }
    void writeLangSet(const QByteArray& content) const
    {
        QFile f(QString::fromStdString(langSet().string()));
        f.open(QIODevice::WriteOnly);
        f.write(content);
    }
    // The file's bytes, or a null array when there is no file.
    QByteArray langSetContent() const
    {
        QFile f(QString::fromStdString(langSet().string()));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        QByteArray bytes = f.readAll();
        return bytes.isNull() ? QByteArray("") : bytes;
    }

    frmMain* main() const { return shell.gMainForm(); }
    QAction* action(const char* name) const { return main()->findChild<QAction*>(QString::fromLatin1(name)); }
    QString menuTitle(const char* name) const
    {
        return main()->findChild<QMenu*>(QString::fromLatin1(name))->title();
    }
    // Runs the deletions that closed windows left for later.
    static void settle() { QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    std::filesystem::path startFolder = std::filesystem::current_path();
    QTemporaryDir folder;
    TestTracer tracer;
    FakeShellServices fakes;
    ProgramState state;
    SteppingClock clock;
    ProgramShell shell;
};

}  // namespace morvane::testing
