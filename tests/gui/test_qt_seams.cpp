// The Qt implementations of the platform seams, offscreen: message box,
// clipboard, settings store, shell-open targets, the document opener's exit
// status (a fake xdg-open on PATH), file-dialog filters, and the printer writing
// a PDF file.
#include "gui/ModalDriver.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtFileDialogs.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtPrinter.h"
#include "platform/qt/QtSettingsStore.h"
#include "platform/qt/QtShellOpen.h"
#include "support/Fakes.h"
#include "tracing/ErrorProtocol.h"

#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace morvane;
using namespace morvane::testing;

Q_DECLARE_METATYPE(morvane::MessageButtons)
Q_DECLARE_METATYPE(morvane::MessageAnswer)

class TestQtSeams : public QObject {
    Q_OBJECT

private slots:
    void messageBoxAnswers_data();
    void messageBoxAnswers();
    void messageBoxWithoutCaptionCarriesTheProgramTitle();
    void clipboardHoldsPlainText();
    void settingsByApplicationSectionAndKey();
    void shellTargets_data();
    void shellTargets();
    void documentOpenerExitStatus_data();
    void documentOpenerExitStatus();
    void fileDialogFilters_data();
    void fileDialogFilters();
    void printerWritesAPdfFileWithoutAPrinter();
};

void TestQtSeams::messageBoxAnswers_data()
{
    QTest::addColumn<MessageButtons>("buttons");
    QTest::addColumn<int>("press");  // a QMessageBox::StandardButton; 0: closed without a button
    QTest::addColumn<MessageAnswer>("answer");
    QTest::newRow("OK") << MessageButtons::Ok << int(QMessageBox::Ok) << MessageAnswer::Ok;
    QTest::newRow("Yes") << MessageButtons::YesNo << int(QMessageBox::Yes) << MessageAnswer::Yes;
    QTest::newRow("No") << MessageButtons::YesNo << int(QMessageBox::No) << MessageAnswer::No;
    QTest::newRow("Cancel of three") << MessageButtons::YesNoCancel << int(QMessageBox::Cancel)
                                     << MessageAnswer::Cancel;
    QTest::newRow("Retry") << MessageButtons::RetryCancel << int(QMessageBox::Retry) << MessageAnswer::Retry;
    QTest::newRow("Yes/No closed: No") << MessageButtons::YesNo << 0 << MessageAnswer::No;
    QTest::newRow("OK closed: OK") << MessageButtons::Ok << 0 << MessageAnswer::Ok;
}

void TestQtSeams::messageBoxAnswers()
{
    QFETCH(MessageButtons, buttons);
    QFETCH(int, press);
    QFETCH(MessageAnswer, answer);
    ModalDriver driver;
    driver.then([press](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        QVERIFY(box != nullptr);
        if (press == 0)
            QTest::keyClick(box, Qt::Key_Escape);
        else
            box->button(static_cast<QMessageBox::StandardButton>(press))->click();
    });
    QtMessageBox messages("morvane");
    QCOMPARE(messages.show({"Question?", "Caption", MessageIcon::Question, buttons}), answer);
    QVERIFY(driver.allStepsRan());
    QVERIFY(!driver.hadToRescue());
}

void TestQtSeams::messageBoxWithoutCaptionCarriesTheProgramTitle()
{
    ModalDriver driver;
    QString title, text;
    int icon = -1;
    driver.then([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        box->button(QMessageBox::Ok)->click();
    });
    QtMessageBox messages("morvane");
    messages.show({"first line\r\nsecond line", "", MessageIcon::None, MessageButtons::Ok});
    QCOMPARE(title, QStringLiteral("morvane"));
    QCOMPARE(text, QStringLiteral("first line\nsecond line"));  // CR LF breaks the line
    QCOMPARE(icon, int(QMessageBox::NoIcon));
}

void TestQtSeams::clipboardHoldsPlainText()
{
    QtClipboard clipboard;
    clipboard.setText("old");
    clipboard.setText("E R R O R\r\n\tline 2");
    QCOMPARE(QString::fromStdString(clipboard.text()), QStringLiteral("E R R O R\r\n\tline 2"));
}

void TestQtSeams::settingsByApplicationSectionAndKey()
{
    QTemporaryDir home;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
    QtSettingsStore store("morvane-test");
    QCOMPARE(store.value("morvane7.0", "Startup", "UserName"), std::nullopt);
    store.setValue("morvane7.0", "Startup", "UserName", "Ada Lovelace");
    store.setValue("morvane", "Settings", "UserName", "other application");
    store.setValue("morvane7.0", "Other", "UserName", "other section");
    QCOMPARE(QtSettingsStore("morvane-test").value("morvane7.0", "Startup", "UserName"),
             std::optional<std::string>("Ada Lovelace"));
    QCOMPARE(store.value("morvane", "Settings", "UserName"), std::optional<std::string>("other application"));
    QCOMPARE(store.value("morvane7.0", "Other", "UserName"), std::optional<std::string>("other section"));
    // The application names the file, the section its group.
    QSettings raw(QSettings::NativeFormat, QSettings::UserScope, "morvane-test", "morvane7.0");
    QCOMPARE(raw.value("Startup/UserName").toString(), QStringLiteral("Ada Lovelace"));
}

void TestQtSeams::shellTargets_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QUrl>("url");
    QTest::newRow("e-mail") << "mailto:support@halvern.example" << QUrl("mailto:support@halvern.example");
    QTest::newRow("web page") << "https://www.halvern.example/support"
                              << QUrl("https://www.halvern.example/support");
    QTest::newRow("absolute path") << "/opt/morvane/Hilfe/help.html"
                                   << QUrl::fromLocalFile("/opt/morvane/Hilfe/help.html");
    QTest::newRow("path with blanks") << "/opt/morvane/Drawings/PDF/RQ25 A.pdf"
                                      << QUrl::fromLocalFile("/opt/morvane/Drawings/PDF/RQ25 A.pdf");
    QTest::newRow("one letter before the colon is no scheme") << "C:/x.pdf" << QUrl::fromLocalFile("C:/x.pdf");
}

void TestQtSeams::shellTargets()
{
    QFETCH(QString, target);
    QFETCH(QUrl, url);
    QCOMPARE(QtShellOpen::urlOf(target.toStdString()), url);
}

void TestQtSeams::documentOpenerExitStatus_data()
{
    QTest::addColumn<QString>("opener");  // the script standing for xdg-open; empty: none on PATH
    QTest::addColumn<bool>("failed");
    QTest::newRow("a program took the file") << "exit 0" << false;
    QTest::newRow("no program for the file") << "exit 3" << true;
    QTest::newRow("the action failed") << "exit 4" << true;
    QTest::newRow("the opener crashes") << "kill -9 $$" << true;
    QTest::newRow("no opener on PATH") << "" << true;
}

// The document opener is started with the file and its end is looked at; a
// fake xdg-open on PATH stands for the desktop (no viewer is started).
void TestQtSeams::documentOpenerExitStatus()
{
    QFETCH(QString, opener);
    QFETCH(bool, failed);
    QTemporaryDir bin;
    const QString argsFile = bin.filePath(QStringLiteral("args"));
    if (!opener.isEmpty()) {
        QFile script(bin.filePath(QStringLiteral("xdg-open")));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\nprintf '%s' \"$1\" > '%1'\n%2\n").arg(argsFile, opener).toUtf8());
        script.close();
        script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    const QByteArray savedPath = qgetenv("PATH");
    // Only the fake's folder and the system's shell tools.
    qputenv("PATH", bin.path().toLocal8Bit() + ":/bin:/usr/bin");
    if (opener.isEmpty())
        qputenv("PATH", bin.path().toLocal8Bit());
    int failures = 0;
    {
        QtShellOpen shell;
        const std::string path = "/opt/morvane/Drawings/PDF/RQ25 D3_HO.pdf";
        shell.openDocument(path, [&] { ++failures; });
        qputenv("PATH", savedPath);
        if (failed)
            QTRY_COMPARE(failures, 1);
        if (!opener.isEmpty()) {
            const auto written = [&] {
                QFile args(argsFile);
                return args.open(QIODevice::ReadOnly) ? QString::fromUtf8(args.readAll()) : QString();
            };
            QTRY_COMPARE(written(), QString::fromStdString(path));
        }
        // Time for the opener's end to be seen.
        QTest::qWait(200);
    }
    QCOMPARE(failures, failed ? 1 : 0);
}

void TestQtSeams::fileDialogFilters_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("qt");
    QTest::newRow("pairs") << "Calculation (*.mv5)|*.mv5|All files|*.*"
                           << "Calculation (*.mv5);;All files (*.*)";
    QTest::newRow("several patterns") << "Pictures|*.jpg;*.pdf" << "Pictures (*.jpg *.pdf)";
    QTest::newRow("already Qt's form") << "Calculation (*.mv5);;All files (*)" << "Calculation (*.mv5);;All files (*)";
    QTest::newRow("none") << "" << "";
}

void TestQtSeams::fileDialogFilters()
{
    QFETCH(QString, filter);
    QFETCH(QString, qt);
    QCOMPARE(QtFileDialogs::qtFilter(filter.toStdString()), qt);
}

void TestQtSeams::printerWritesAPdfFileWithoutAPrinter()
{
    QTemporaryDir folder;
    QtPrinter printer(folder.path().toStdString(), QtPrinter::Destination::PdfFile);
    RecordingMessageBox messages;
    RecordingClipboard clipboard;
    RecordingShell shell;
    FixedOsInfo os;
    FixedClock clock(10, 15, 2);
    ProtocolSettings settings;
    settings.folder = folder.path().toStdString();
    ErrorProtocol protocol(ProtocolServices{messages, clipboard, shell, printer, os, clock}, settings);

    ErrorReport report{11, "Division by zero", "Module1", "BerechneDichte", 0, 255, "morvane  V7.0.12 - Error Message"};
    QVERIFY(protocol.cmdProtocol_Click(ErrorProtocol::Print, report, {}));

    const QString pdf = folder.filePath(QStringLiteral("morvane error protocol.pdf"));
    QFile file(pdf);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(pdf));
    QCOMPARE(file.read(5), QByteArray("%PDF-"));
    QCOMPARE(messages.shown.size(), 1u);
    QCOMPARE(QString::fromStdString(messages.shown[0].text),
             "No printer is installed. The error protocol was written to the PDF file: '" + pdf + "' !");

    // The page in twips: A4 or Letter less the margins; a line of the default
    // font is between 6 and 20 points (120 to 400 twips) high.
    std::string error;
    auto job = printer.startJob("measure", error);
    QVERIFY(job != nullptr);
    QVERIFY(job->pageWidth() > 9000 && job->pageWidth() < 12300);
    QVERIFY(job->pageHeight() > 13000 && job->pageHeight() < 16900);
    QVERIFY(job->lineHeight() > 120 && job->lineHeight() < 400);
    QVERIFY(job->endDoc());
}

QTEST_MAIN(TestQtSeams)
#include "test_qt_seams.moc"
