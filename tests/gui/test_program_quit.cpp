// The error dialog's Quit as the program wires it: the process ends with the
// chosen code, and the application object is ended before it (on X11 that
// hands the clipboard, holding the error protocol, to a clipboard manager).
// The quit runs in a child process of this test.
#include "app/qt/ProgramQuit.h"
#include "platform/qt/QtClipboard.h"
#include "tracing/ErrPtnr.h"

#include <QCoreApplication>
#include <QDialog>
#include <QPushButton>
#include <QTimer>
#include <QProcess>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

using namespace morvane;

namespace {

// The child: the program's quit wiring, then Quit with code 3 from a button
// of a modal dialog over a window, as the error dialog gives it.
int quitChild(int argc, char** argv)
{
    auto app = std::make_unique<QApplication>(argc, argv);
    errPtnr().setQuitHandler([&app](int code) { quitApplication(app, code); });
    std::atexit([] {
        std::printf("application %s at exit\n", QCoreApplication::instance() == nullptr ? "ended" : "alive");
        std::fflush(stdout);
    });
    QWidget window;
    window.show();
    QDialog dialog(&window);
    auto* quit = new QPushButton(QStringLiteral("Quit Application"), &dialog);
    QObject::connect(quit, &QPushButton::clicked, [] { errPtnr().quit(3); });
    QTimer::singleShot(0, [quit] {
        QtClipboard().setText("error protocol");
        quit->click();
    });
    dialog.exec();
    return 0;  // not reached
}

}  // namespace

class TestProgramQuit : public QObject {
    Q_OBJECT

private slots:
    void quitEndsTheApplicationThenTheProcess()
    {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--quit-child")});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 3);
        QVERIFY2(child.readAllStandardOutput().contains("application ended at exit"),
                 child.readAllStandardError().constData());
    }
};

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--quit-child") == 0)
        return quitChild(argc, argv);
    QApplication app(argc, argv);
    TestProgramQuit test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_program_quit.moc"
