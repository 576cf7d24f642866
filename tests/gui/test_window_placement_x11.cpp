// The main window's placement under a real X server with a window manager
// that adds a frame (Xvfb and openbox, started here on a display of their
// own): closing and opening the window again leaves its frame where it was.
// Where either program is missing or does not start, the test skips.
#include "common/ProgramIdentity.h"
#include "app/qt/frmMain.h"
#include "support/ShellFakes.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include <sys/prctl.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace morvane;
using namespace morvane::testing;

namespace {

class NoSwitch : public LanguageSwitch {
public:
    void subgChangeLanguage() override {}
};

// Xvfb on a free display and openbox on it, for as long as the object lives.
class XSession {
public:
    XSession()
    {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        xvfb_ = fork();
        if (xvfb_ == 0) {
            prctl(PR_SET_PDEATHSIG, SIGTERM);  // gone with the test, however it ends
            close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                   static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        if (xvfb_ < 0) {
            close(fds[0]);
            return;
        }
        // Xvfb writes its display number once it takes connections.
        char number[16] = {};
        const ssize_t n = read(fds[0], number, sizeof number - 1);
        close(fds[0]);
        if (n <= 0)
            return;
        const int displayNumber = std::atoi(number);
        char name[24];
        std::snprintf(name, sizeof name, ":%d", displayNumber);
        display_ = name;

        const std::string ready = marker_.path().toStdString() + "/openbox-ready";
        wm_ = fork();
        if (wm_ == 0) {
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            setenv("DISPLAY", display_.c_str(), 1);
            const std::string startup = "touch '" + ready + "'";
            execlp("openbox", "openbox", "--sm-disable", "--startup", startup.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        if (wm_ < 0)
            return;
        for (int i = 0; i < 100 && !std::filesystem::exists(ready); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        up_ = std::filesystem::exists(ready);
    }
    ~XSession()
    {
        for (pid_t p : {wm_, xvfb_}) {
            if (p > 0) {
                kill(p, SIGTERM);
                waitpid(p, nullptr, 0);
            }
        }
    }
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    bool up() const { return up_; }
    const std::string& display() const { return display_; }

private:
    QTemporaryDir marker_;
    pid_t xvfb_ = -1;
    pid_t wm_ = -1;
    std::string display_;
    bool up_ = false;
};

bool xSessionUp = false;

}  // namespace

class TestWindowPlacementX11 : public QObject {
    Q_OBJECT

private slots:
    void tenStartsLeaveTheFrameWhereItWas();
};

void TestWindowPlacementX11::tenStartsLeaveTheFrameWhereItWas()
{
    if (!xSessionUp)
        QSKIP("no X server with a window manager (Xvfb, openbox) could be started");
    TestTracer tracer;
    QTemporaryDir folder;
    FakeShellServices fakes{folder.path().toStdString()};
    fakes.settings.setValue(kProgramTitle, "Settings", "MainLeft", "3000");
    fakes.settings.setValue(kProgramTitle, "Settings", "MainTop", "1500");
    NoSwitch noSwitch;
    std::vector<QRect> frames;
    for (int start = 0; start < 10; ++start) {
        ProgramState state;
        auto* window = new frmMain(state, fakes.services, noSwitch);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        // The window manager's frame is known once it stands round the window.
        QTRY_VERIFY(window->frameGeometry() != window->geometry());
        frames.push_back(window->frameGeometry());
        window->close();  // stores the placement; the window deletes itself
        QTest::qWait(50);
    }
    for (const QRect& f : frames)
        QCOMPARE(f, frames.front());
    QCOMPARE(frames.front().topLeft(), QPoint(200, 100));  // 3000 and 1500 twips
    QVERIFY(tracer.responder.reports.empty());
}

int main(int argc, char** argv)
{
    XSession session;
    if (session.up()) {
        qputenv("QT_QPA_PLATFORM", "xcb");
        qputenv("DISPLAY", QByteArray::fromStdString(session.display()));
        xSessionUp = true;
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    TestWindowPlacementX11 test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_window_placement_x11.moc"
