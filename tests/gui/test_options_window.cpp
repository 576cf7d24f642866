// The options window on its own, shown without being modal: its texts in both
// languages, the fields of a fresh installation, and what Apply, Cancel and OK
// do to the program-wide settings and to the store.
#include "app/IniSettings.h"
#include "app/qt/frmOptions.h"
#include "common/ResourceTexts.h"
#include "platform/ProductDatabase.h"
#include "platform/RuntimeError.h"
#include "platform/qt/QtSettingsStore.h"
#include "platform/qt/Twips.h"
#include "support/Fakes.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

using namespace morvane;
using namespace morvane::testing;

namespace {

struct OptionsRig {
    explicit OptionsRig(std::int32_t offset = 0)
    {
        LoadIni(settings, store);
        window = std::make_unique<frmOptions>(settings, store, messages, offset);
    }
    void show()
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    QString label(const char* name) const { return window->findChild<QLabel*>(QString::fromLatin1(name))->text(); }
    QLineEdit* box(int n) const { return window->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(n)); }
    QCheckBox* check() const { return window->findChild<QCheckBox*>(QStringLiteral("Check1")); }
    QPushButton* button(const char* name) const
    {
        return window->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    std::string stored(const char* key) const
    {
        return store.value("morvane7.0", "Startup", key).value_or("<missing>");
    }

    TestTracer tracer;
    MemorySettings store;
    RecordingMessageBox messages;
    UserSettings settings;
    std::unique_ptr<frmOptions> window;
};

// What typing puts into a box (key clicks of QTest take ASCII only).
void typeInto(QLineEdit* box, const QString& text)
{
    box->selectAll();
    box->insert(text);
}

}  // namespace

class TestOptionsWindow : public QObject {
    Q_OBJECT

private slots:
    void textsInBothLanguages_data();
    void textsInBothLanguages();
    void rowsAre360TwipsApart();
    void freshInstallationShowsTheDefaults();
    void storedCodeSetsTheCheckBox_data();
    void storedCodeSetsTheCheckBox();
    void applyThenCancelKeepsTheValueInUseButNotStored();
    void okTakesEveryFieldAndStoresAllKeys();
    void cancelTakesNothing();
    void okOnAStoreThatCannotBeWrittenSaysSo_data();
    void okOnAStoreThatCannotBeWrittenSaysSo();
    void okOnTheRealStoreThatCannotBeWritten_data();
    void okOnTheRealStoreThatCannotBeWritten();
};

void TestOptionsWindow::textsInBothLanguages_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<QStringList>("texts");  // caption, the 12 labels, check box, OK, Cancel, Apply
    QTest::newRow("German") << 0
                            << QStringList{"Einstellungen", "Name",    "Abteilung", "Durchwahl", "Fax",
                                           "Firma 1",       "Firma 2", "Straße",    "Land",      "PLZ/Ort",
                                           "Staat",         "Tel.",    "Fax.",      "Alternativ-MS-Code verwenden",
                                           "OK",            "Abbrechen", "Ü&bernehmen"};
    QTest::newRow("English") << 10000
                             << QStringList{"Settings",  "Name",      "Department", "Extension", "Fax",
                                            "Company 1", "Company 2", "Street",     "Country",   "Zip/City",
                                            "State",     "Phone",     "Fax",        "use alternative MS-code",
                                            "OK",        "Cancel",    "&Apply"};
}

void TestOptionsWindow::textsInBothLanguages()
{
    QFETCH(int, offset);
    QFETCH(QStringList, texts);
    OptionsRig rig(offset);
    rig.show();
    QStringList shown{rig.window->windowTitle()};
    for (const char* l : {"Label1", "Label2", "Label3", "Label12", "Label4", "Label5", "Label6", "Label7", "Label8",
                          "Label9", "Label10", "Label11"})
        shown << rig.label(l);
    shown << rig.check()->text() << rig.button("cmdOK")->text() << rig.button("cmdCancel")->text()
          << rig.button("cmdApply")->text();
    QCOMPARE(shown, texts);
    // The tab captions are fixed.
    auto* tabs = rig.window->findChild<QTabWidget*>();
    QCOMPARE(tabs->tabText(0), QStringLiteral("User"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Company"));
    QVERIFY(rig.tracer.responder.reports.empty());
}

void TestOptionsWindow::rowsAre360TwipsApart()
{
    OptionsRig rig;
    const int pitch = twipsToPixels(360);
    QCOMPARE(rig.box(2)->y() - rig.box(1)->y(), pitch);
    QCOMPARE(rig.box(12)->y() - rig.box(3)->y(), pitch);
    QCOMPARE(rig.box(11)->y() - rig.box(4)->y(), 7 * pitch);
    // Boxes at left 1200 on the first tab and 1440 on the second.
    QCOMPARE(rig.box(4)->x() - rig.box(1)->x(), twipsToPixels(240));
    QVERIFY(rig.check()->y() > rig.box(11)->y());
}

void TestOptionsWindow::freshInstallationShowsTheDefaults()
{
    OptionsRig rig;
    rig.show();
    const QStringList expected{"", "please enter", "user-settings", "", "Bitte geben Sie", "Ihre Benutzerdaten ein",
                               "", "", "", "", ""};
    QStringList shown;
    for (const int n : {1, 2, 3, 12, 5, 6, 4, 7, 8, 9, 10})
        shown << rig.box(n)->text();
    QCOMPARE(shown, expected);
    QCOMPARE(rig.box(11)->text(), QString());
    QVERIFY(!rig.check()->isChecked());
}

void TestOptionsWindow::storedCodeSetsTheCheckBox_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("errors");
    QTest::newRow("1 ticks the box") << "1" << 1 << 0;
    QTest::newRow("0 clears it") << "0" << 0 << 0;
    QTest::newRow("a text reads as 0") << "abc" << 0 << 0;
    QTest::newRow("an empty value reads as 0") << "" << 0 << 0;
    QTest::newRow("5 is no check-box state: error 380") << "5" << 0 << 1;
}

void TestOptionsWindow::storedCodeSetsTheCheckBox()
{
    QFETCH(QString, stored);
    QFETCH(int, state);
    QFETCH(int, errors);
    TestTracer tracer;
    tracer.responder.answers = {ContNext};
    MemorySettings store;
    store.setValue("morvane7.0", "Startup", "UserMSCode", stored.toStdString());
    UserSettings settings;
    LoadIni(settings, store);
    RecordingMessageBox messages;
    frmOptions window(settings, store, messages, 0);
    window.show();
    QCOMPARE(static_cast<int>(window.findChild<QCheckBox*>(QStringLiteral("Check1"))->checkState()),
             state == 1 ? int(Qt::Checked) : int(Qt::Unchecked));
    QCOMPARE(static_cast<int>(tracer.responder.reports.size()), errors);
    if (errors) {
        QCOMPARE(tracer.responder.reports[0].number, err::InvalidPropertyValue);
        QCOMPARE(QString::fromStdString(tracer.responder.reports[0].module), QStringLiteral("frmOptions"));
        QCOMPARE(QString::fromStdString(tracer.responder.reports[0].procedure), QStringLiteral("Form_Load"));
    }
}

void TestOptionsWindow::applyThenCancelKeepsTheValueInUseButNotStored()
{
    OptionsRig rig;
    rig.store.setValue("morvane7.0", "Startup", "UserName", "Stored Name");
    LoadIni(rig.settings, rig.store);
    rig.show();
    typeInto(rig.box(1), QStringLiteral("Typed Näme"));
    QTest::mouseClick(rig.button("cmdApply"), Qt::LeftButton);
    QVERIFY(rig.window->isVisible());
    QCOMPARE(rig.settings.gUserName, std::string("Typed Näme"));
    QCOMPARE(rig.stored("UserName"), std::string("Stored Name"));

    QTest::mouseClick(rig.button("cmdCancel"), Qt::LeftButton);
    QVERIFY(!rig.window->isVisible());
    QCOMPARE(rig.window->result(), int(QDialog::Rejected));
    QCOMPARE(rig.settings.gUserName, std::string("Typed Näme"));
    QCOMPARE(rig.stored("UserName"), std::string("Stored Name"));

    // A new window shows the value in use; reading the store again (a language
    // switch, a restart) brings the stored name back.
    frmOptions again(rig.settings, rig.store, rig.messages, 0);
    again.show();
    QCOMPARE(again.findChild<QLineEdit*>(QStringLiteral("Text1"))->text(), QStringLiteral("Typed Näme"));
    LoadIni(rig.settings, rig.store);
    QCOMPARE(rig.settings.gUserName, std::string("Stored Name"));
}

void TestOptionsWindow::okTakesEveryFieldAndStoresAllKeys()
{
    OptionsRig rig;
    rig.store.setValue("morvane7.0", "Startup", "LanguageDeutsch", "read at start");
    LoadIni(rig.settings, rig.store);
    rig.show();
    const std::pair<int, const char*> typed[] = {
        {1, "Anna Groß"},  {2, "Messtechnik"}, {3, "-42"},     {12, "-43"}, {4, "Beispiel GmbH"},
        {5, "Werk Süd"},   {6, "Weg 7 "},      {7, "D"},       {8, "12345 Ort"},
        {9, "Bayern"},     {10, "+49 1"},      {11, "+49 2"},
    };
    for (const auto& [n, text] : typed)
        typeInto(rig.box(n), QString::fromUtf8(text));
    QTest::mouseClick(rig.check(), Qt::LeftButton);
    QTest::mouseClick(rig.button("cmdOK"), Qt::LeftButton);

    QVERIFY(!rig.window->isVisible());
    QCOMPARE(rig.window->result(), int(QDialog::Accepted));
    QCOMPARE(rig.settings.gUserName, std::string("Anna Groß"));
    QCOMPARE(rig.settings.gCompanyStrasse, std::string("Weg 7 "));  // taken exactly as typed
    QCOMPARE(rig.settings.gUserMSCode, std::int16_t{1});
    // The ticked box makes the engine and the configurator open the
    // alternative product database.
    QCOMPARE(ProductDatabases("/opt/morvane").file(rig.settings.gUserMSCode).filename().string(),
             std::string("morvdata5_alt.sqlite"));
    QCOMPARE(rig.store.values.size(), std::size_t{14});
    const std::pair<const char*, const char*> stored[] = {
        {"UserName", "Anna Groß"},      {"UserAbteilung", "Messtechnik"}, {"UserDurchwahl", "-42"},
        {"UserFax", "-43"},             {"UserMSCode", "1"},              {"CompanyFirma1", "Beispiel GmbH"},
        {"CompanyFirma2", "Werk Süd"},  {"CompanyStrasse", "Weg 7 "},     {"CompanyLand", "D"},
        {"CompanyPLZOrt", "12345 Ort"}, {"CompanyStaat", "Bayern"},       {"CompanyTel", "+49 1"},
        {"CompanyFax", "+49 2"},        {"LanguageDeutsch", "read at start"},
    };
    for (const auto& [key, value] : stored)
        QCOMPARE(rig.stored(key), std::string(value));
}

void TestOptionsWindow::cancelTakesNothing()
{
    OptionsRig rig;
    rig.show();
    typeInto(rig.box(4), QStringLiteral("never taken"));
    QTest::mouseClick(rig.check(), Qt::LeftButton);
    QTest::mouseClick(rig.button("cmdCancel"), Qt::LeftButton);
    QCOMPARE(rig.settings.gCompanyFirma1, std::string());
    QCOMPARE(rig.settings.gUserMSCode, std::int16_t{0});
    QVERIFY(rig.store.values.empty());
}

// A store that refuses every write (a read-only settings folder): OK says so
// in a message naming the store's file, in the user's language, and the window
// stays open with what was entered, so that it can be stored once the folder
// is mended.
void TestOptionsWindow::okOnAStoreThatCannotBeWrittenSaysSo_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("says");
    QTest::newRow("German") << int(OffsetGerman) << QStringLiteral("Die Einstellungen konnten nicht gespeichert werden");
    QTest::newRow("English") << int(OffsetEnglish) << QStringLiteral("The settings could not be stored in");
}

void TestOptionsWindow::okOnAStoreThatCannotBeWrittenSaysSo()
{
    QFETCH(int, offset);
    QFETCH(QString, says);
    OptionsRig rig(offset);
    rig.store.failWrites = true;
    rig.show();
    typeInto(rig.box(1), QStringLiteral("Anna Gross"));
    typeInto(rig.box(4), QStringLiteral("Beispiel GmbH"));
    QTest::mouseClick(rig.button("cmdOK"), Qt::LeftButton);

    QVERIFY(rig.tracer.responder.reports.empty());
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});
    const std::string& text = rig.messages.shown[0].text;
    QCOMPARE(text, settingsNotStoredMessage(rig.store, offset));
    QVERIFY2(text.rfind(says.toStdString(), 0) == 0, text.c_str());
    QVERIFY2(text.find("/settings/morvane7.0.conf") != std::string::npos, text.c_str());
    QCOMPARE(rig.messages.shown[0].icon, MessageIcon::Exclamation);
    QVERIFY(rig.window->isVisible());
    QCOMPARE(rig.box(1)->text(), QStringLiteral("Anna Gross"));
    QCOMPARE(rig.box(4)->text(), QStringLiteral("Beispiel GmbH"));
    QVERIFY(rig.store.values.empty());

    // Once the store takes the values, OK stores them and closes the window.
    rig.store.failWrites = false;
    QTest::mouseClick(rig.button("cmdOK"), Qt::LeftButton);
    QVERIFY(!rig.window->isVisible());
    QCOMPARE(rig.stored("UserName"), std::string("Anna Gross"));
    QCOMPARE(rig.stored("CompanyFirma1"), std::string("Beispiel GmbH"));
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});
}

// The same through the program's own store, whose file cannot be written: a
// folder stands where the file belongs, or its folder is read-only.
void TestOptionsWindow::okOnTheRealStoreThatCannotBeWritten_data()
{
    QTest::addColumn<bool>("readOnlyFolder");
    QTest::newRow("a folder where the file belongs") << false;
    QTest::newRow("a read-only folder") << true;
}

void TestOptionsWindow::okOnTheRealStoreThatCannotBeWritten()
{
    QFETCH(bool, readOnlyFolder);
    QTemporaryDir home;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
    const std::filesystem::path folder = std::filesystem::path(home.path().toStdString()) / "morvane-test";
    std::filesystem::create_directories(folder);
    // Root may write any folder: its run goes on as an ordinary user (the
    // effective user only, given back at the end), for whom a read-only folder
    // of root's is read-only.
    struct EffectiveUser {
        bool dropped = false;
        ~EffectiveUser()
        {
            if (dropped && ::seteuid(0) != 0)
                std::abort();
        }
    } user;
    if (readOnlyFolder) {
        using std::filesystem::perms;
        std::filesystem::permissions(folder, perms::owner_read | perms::owner_exec | perms::group_read |
                                                 perms::group_exec | perms::others_read | perms::others_exec);
        if (::geteuid() == 0) {
            std::filesystem::permissions(home.path().toStdString(), perms::owner_all | perms::group_read |
                                                                        perms::group_exec | perms::others_read |
                                                                        perms::others_exec);
            QVERIFY(::seteuid(65534) == 0);
            user.dropped = true;
        }
        QVERIFY(::faccessat(AT_FDCWD, folder.c_str(), W_OK, AT_EACCESS) != 0);
    } else {
        std::filesystem::create_directory(folder / "morvane7.0.conf");
    }
    QtSettingsStore store("morvane-test");
    QCOMPARE(store.fileName("morvane7.0"), (folder / "morvane7.0.conf").string());
    TestTracer tracer;
    RecordingMessageBox messages;
    UserSettings settings;
    LoadIni(settings, store);
    frmOptions window(settings, store, messages, OffsetEnglish);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QLineEdit* name = window.findChild<QLineEdit*>(QStringLiteral("Text1"));
    typeInto(name, QStringLiteral("Anna Gross"));
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    if (user.dropped) {
        QVERIFY(::seteuid(0) == 0);
        user.dropped = false;
    }
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all);

    QVERIFY(tracer.responder.reports.empty());
    QCOMPARE(messages.shown.size(), std::size_t{1});
    QVERIFY2(messages.shown[0].text.find((folder / "morvane7.0.conf").string()) != std::string::npos,
             messages.shown[0].text.c_str());
    QVERIFY(window.isVisible());
    QCOMPARE(name->text(), QStringLiteral("Anna Gross"));
}

QTEST_MAIN(TestOptionsWindow)
#include "test_options_window.moc"
